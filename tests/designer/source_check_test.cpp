#include "designer/source_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "designer_fixtures.h"

namespace trevalon {
namespace {

using designertest::disegnoDaRighe;
using designertest::kTrifoglio;

bool segnata(const EsitoControllo& e, int r, int c, char segno) {
    return std::find(e.celleErrate.begin(), e.celleErrate.end(), CellaSegnata{r, c, segno}) !=
           e.celleErrate.end();
}

// A curl: one crossing at (5,5), its corners still square (the check thins them).
const std::vector<std::string> kRiccio = {
    "    ******", "    *    *", "    *    *", "    *    *", "****-*****", "*   *", "*   *", "*   *", "*****",
};

TEST(SourceCheck, ThinnedTrefoilPassesUnchanged) {
    DisegnoProgetto d = disegnoDaRighe(kTrifoglio);
    const DisegnoProgetto prima = d;
    const EsitoControllo e = ControllaSource(d);
    EXPECT_TRUE(e.ok) << e.messaggio;
    EXPECT_TRUE(e.messaggio.empty());
    EXPECT_TRUE(e.celleErrate.empty());
    EXPECT_EQ(e.incroci, 3);
    for (int r = 1; r < d.Rows(); ++r)
        for (int c = 1; c < d.Cols(); ++c) ASSERT_EQ(d.simbolo(r, c), prima.simbolo(r, c));
}

TEST(SourceCheck, ThinningRemovesCornersOfLsOnly) {
    DisegnoProgetto l = disegnoDaRighe({"**", "* "});
    assottigliaAngoli(l);
    EXPECT_EQ(l.simbolo(1, 1), ' ');
    EXPECT_EQ(l.simbolo(1, 2), '*');
    EXPECT_EQ(l.simbolo(2, 1), '*');
    DisegnoProgetto dritta = disegnoDaRighe({"*****"});
    assottigliaAngoli(dritta);
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(dritta.simbolo(1, c), '*');
    // A 2 x 2 block is no L: it stays, and the walk finds a branch in it.
    std::vector<std::string> righe = kTrifoglio;
    righe[0][1] = ' ';
    righe[1][0] = ' ';
    righe[0][0] = righe[0][1] = righe[1][0] = righe[1][1] = '*';
    DisegnoProgetto blocco = disegnoDaRighe(righe);
    const EsitoControllo e = ControllaSource(blocco);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio, kMessaggioErrori);
    EXPECT_EQ(blocco.simbolo(1, 1), '*');
    EXPECT_TRUE(std::any_of(e.celleErrate.begin(), e.celleErrate.end(),
                            [](const CellaSegnata& s) { return s.segno == 'E'; }));
}

TEST(SourceCheck, DeadEndAndSecondCurveAreMarked) {
    std::vector<std::string> righe = kTrifoglio;
    righe[0][7] = ' ';  // the top run is cut at (1,8)
    DisegnoProgetto rotto = disegnoDaRighe(righe);
    const EsitoControllo e = ControllaSource(rotto);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio, kMessaggioErrori);
    EXPECT_TRUE(segnata(e, 1, 7, 'E') || segnata(e, 1, 9, 'E'));

    // The trefoil and, apart from it, a second closed curve: all of the second curve stays marked.
    righe = kTrifoglio;
    const std::vector<std::string> anello = {"  ****", " *    *", " *    *", "  ****"};
    for (std::size_t i = 0; i < anello.size(); ++i) righe[i] += "     " + anello[i];
    DisegnoProgetto due = disegnoDaRighe(righe);
    const EsitoControllo e2 = ControllaSource(due);
    EXPECT_FALSE(e2.ok);
    EXPECT_EQ(e2.celleErrate.size(), 12u);
    EXPECT_TRUE(std::all_of(e2.celleErrate.begin(), e2.celleErrate.end(),
                            [](const CellaSegnata& s) { return s.c > 33 && s.segno == '*'; }));
}

TEST(SourceCheck, CrossingsTooCloseOrAtTheEdgeFailTheTemplate) {
    // Two crossings two cells apart: both marked, nothing else, no walk.
    DisegnoProgetto vicine = disegnoDaRighe({"  * *  ", "  * *  ", "**-*|**", "  * *  ", "  * *  "});
    EsitoControllo e = ControllaSource(vicine);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.celleErrate, (std::vector<CellaSegnata>{{3, 3, 'E'}, {3, 5, 'E'}}));

    // Three cells apart both pass the template: neither crossing is marked (the loose ends are).
    DisegnoProgetto lontane = disegnoDaRighe({"  *  *  ", "  *  *  ", "**-**-**", "  *  *  ", "  *  *  "});
    e = ControllaSource(lontane);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(std::any_of(e.celleErrate.begin(), e.celleErrate.end(),
                             [](const CellaSegnata& s) { return s.r == 3 && (s.c == 3 || s.c == 6); }));

    // A crossing whose square reaches past the first row.
    DisegnoProgetto bordo = disegnoDaRighe({"  *  ", "**-**", "  *  ", "  *  "});
    e = ControllaSource(bordo);
    EXPECT_EQ(e.celleErrate, (std::vector<CellaSegnata>{{2, 3, 'E'}}));
}

TEST(SourceCheck, DrawingsWithFewerThanThreeCrossingsAreRefused) {
    DisegnoProgetto vuoto(20, 20);
    EsitoControllo e = ControllaSource(vuoto);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.messaggio.find("no crossing"), std::string::npos);

    DisegnoProgetto anello = disegnoDaRighe({" ** ", "*  *", " ** "});
    e = ControllaSource(anello);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.messaggio.find("no crossing"), std::string::npos);
    EXPECT_EQ(e.celleErrate.size(), 6u);

    // A curl is one closed curve through its crossing: well drawn, but one crossing is no knot.
    DisegnoProgetto riccio = disegnoDaRighe(kRiccio);
    e = ControllaSource(riccio);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.incroci, 1);
    EXPECT_EQ(e.messaggio, "The drawing has 1 crossing: a knot is drawn with at least three crossings.");
    EXPECT_EQ(e.celleErrate, (std::vector<CellaSegnata>{{5, 5, '-'}}));
    EXPECT_EQ(riccio.simbolo(5, 1), ' ');  // thinned
}

}  // namespace
}  // namespace trevalon
