#include "designer/tracing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/grid_control.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

// The designer's grids, 19 x 29 drawing cells, with a status bar and the checker's marks.
struct Disegno : GriglieDesigner {
    AutomaticUi ui;
    std::set<std::pair<int, int>> marche;
    Tracciatore& t = traccia;

    explicit Disegno(int righe = 19, int colonne = 29) {
        t.superficie().stato = &ui;
        t.superficie().cancellaMarca = [this](int r, int c) { marche.erase({r, c}); };
        imposta(righe, colonne);
    }
    void imposta(int righe, int colonne) { ASSERT_TRUE(GriglieDesigner::imposta(righe, colonne, 120)); }
    void scrivi(int r, int c, const std::string& testo, std::uint32_t colore) {
        for (GridControl* g : {&Gr, &grs}) {
            g->setText(r, c, testo);
            g->setBackColor(r, c, colore);
        }
    }
    std::string testo(int r, int c) const { return grs.text(r, c); }
    std::uint32_t colore(int r, int c) const { return grs.style(r, c).backColor; }
};

std::vector<std::pair<int, int>> celle(const LogTraccia& log) {
    std::vector<std::pair<int, int>> v;
    for (const auto& x : log.voci()) v.emplace_back(x.riga, x.colonna);
    return v;
}

TEST(Tracing, FiveCellRunIsTakenBackByOneUndo) {
    Disegno d;
    d.scrivi(5, 6, "*", kColoreErrore);  // a cell the last check turned red
    d.t.TracciaRighe(5, 3);
    EXPECT_EQ(d.ui.panel("p1"), "5,3");
    EXPECT_EQ(d.Gr.style(5, 3).backColor, kColoreStart);
    EXPECT_EQ(d.Gr.style(9, 3).backColor, kColoreAiuto);
    d.t.TracciaRighe(5, 7);
    EXPECT_EQ(celle(d.t.log()), (std::vector<std::pair<int, int>>{{5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}}));
    for (int c = 3; c <= 7; ++c) {
        EXPECT_EQ(d.testo(5, c), "*");
        EXPECT_EQ(d.Gr.style(5, c).backColor, kColoreSimbolo);
    }
    EXPECT_EQ(d.Gr.style(9, 3).backColor, kColoreVuoto) << "the help highlight goes with the rebuild";
    EXPECT_TRUE(d.t.Modificato);
    EXPECT_EQ(d.ui.panel("p1"), "");

    d.t.Annulla();
    for (int c = 3; c <= 7; ++c) EXPECT_EQ(d.Gr.text(5, c), c == 6 ? "*" : "") << c;
    EXPECT_EQ(d.colore(5, 6), kColoreErrore);
    EXPECT_EQ(d.Gr.style(5, 6).backColor, kColoreErrore);
    d.t.Annulla();
    EXPECT_EQ(d.testo(5, 4), "");
    EXPECT_EQ(d.testo(5, 6), "*");
}

TEST(Tracing, RunsFollowRowsColumnsAndDiagonalsAndRefuseOtherClicks) {
    Disegno d;
    d.t.TracciaRighe(10, 10);
    d.t.TracciaRighe(12, 15);  // off the row, the column and the diagonals
    EXPECT_TRUE(d.t.log().vuoto());
    EXPECT_EQ(d.t.StatoTraccia, 1);
    EXPECT_EQ(d.Gr.style(10, 10).backColor, kColoreStart);
    d.t.TracciaRighe(7, 13);
    EXPECT_EQ(celle(d.t.log()), (std::vector<std::pair<int, int>>{{7, 13}, {8, 12}, {9, 11}, {10, 10}}));
    EXPECT_EQ(d.t.StatoTraccia, 0);
}

TEST(Tracing, CrossingGetsItsArmsInTheirColours) {
    Disegno d;
    d.palette.scegli(SimboloPalette::Orizzontale);
    EXPECT_TRUE(d.palette.ChkSingolo);
    d.t.mnuAtDis();
    d.t.clic(10, 10);
    EXPECT_EQ(d.testo(10, 10), "-");
    EXPECT_EQ(celle(d.t.log()),
              (std::vector<std::pair<int, int>>{{10, 10}, {9, 10}, {11, 10}, {10, 11}, {10, 9}}));
    for (auto [r, c] : {std::pair{9, 10}, {11, 10}, {10, 11}, {10, 9}}) EXPECT_EQ(d.testo(r, c), "*");
    EXPECT_EQ(d.colore(9, 10), kColoreSotto);
    EXPECT_EQ(d.colore(11, 10), kColoreSotto);
    EXPECT_EQ(d.colore(10, 11), kColoreSimbolo);
    EXPECT_EQ(d.colore(10, 9), kColoreSimbolo);

    d.palette.scegli(SimboloPalette::Verticale);
    d.t.clic(5, 20);
    EXPECT_EQ(d.colore(4, 20), kColoreSimbolo);
    EXPECT_EQ(d.colore(5, 21), kColoreSotto);

    // A row run of crossings writes bare symbols; a column run gives every crossing its arms.
    d.palette.ChkSingolo = false;
    d.t.clic(15, 3);
    d.t.clic(15, 5);
    EXPECT_EQ(d.t.log().voci().size(), 3u);
    d.palette.scegli(SimboloPalette::Arco);
    EXPECT_FALSE(d.palette.ChkSingolo);
    EXPECT_STREQ(chiaveToolbar(d.palette.premuto), "LblX");
}

TEST(Tracing, ArmsAtTheGridsEdgeAreLeftOut) {
    Disegno d;
    d.palette.scegli(SimboloPalette::Orizzontale);
    d.t.TracciaRighe2(19, 29);  // the last row and the last column
    EXPECT_EQ(celle(d.t.log()), (std::vector<std::pair<int, int>>{{19, 29}, {18, 29}, {19, 28}}));
    d.t.TracciaRighe2(19, 5);
    EXPECT_EQ(d.t.log().voci().size(), 4u);
    d.t.Annulla();
    EXPECT_EQ(d.testo(19, 5), "");
    EXPECT_EQ(d.testo(18, 5), "");
    EXPECT_EQ(d.testo(19, 29), "-") << "only the last trace is taken back";
}

TEST(Tracing, UndoAfterTheGridIsSetUpAgainDoesNothing) {
    Disegno d;
    d.t.TracciaRighe(15, 20);
    d.t.TracciaRighe(15, 25);
    EXPECT_FALSE(d.GriglieDesigner::imposta(211, 10, 120)) << "beyond the work table";
    EXPECT_EQ(d.testo(15, 25), "*");
    d.imposta(9, 9);
    EXPECT_EQ(d.Gr.rows(), 10);
    EXPECT_EQ(d.Gr.rowHeight(0), 0);
    EXPECT_EQ(d.Gr.colWidth(9), 120);
    d.t.Annulla();
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) EXPECT_EQ(d.grs.text(r, c), "");
    d.imposta(19, 29);
    d.t.Annulla();
    EXPECT_EQ(d.testo(15, 20), "");
    EXPECT_EQ(d.colore(15, 20), kColoreVuoto);
}

TEST(Tracing, UndoReplaysNewestFirstWhenWritesOverlap) {
    Disegno d;
    // A column run of crossings: each cell's up arm overwrites the run cell above it.
    d.scrivi(6, 3, "*", kColoreSotto);
    d.palette.scegli(SimboloPalette::Orizzontale);
    d.t.TracciaRighe(5, 3);
    d.t.TracciaRighe(7, 3);
    EXPECT_EQ(d.testo(5, 3), "*");
    EXPECT_EQ(d.testo(7, 3), "-");
    d.t.Annulla();
    EXPECT_EQ(d.testo(6, 3), "*");
    EXPECT_EQ(d.colore(6, 3), kColoreSotto);
    for (int r : {4, 5, 7, 8}) EXPECT_EQ(d.testo(r, 3), "") << r;
    EXPECT_EQ(d.testo(5, 2), "");

    // The start cell clicked twice is written twice and gets its first content back.
    d.scrivi(9, 9, "|", kColoreSimbolo);
    d.palette.scegli(SimboloPalette::Spazio);
    d.t.TracciaRighe(9, 9);
    d.t.TracciaRighe(9, 9);
    EXPECT_EQ(d.t.log().voci().size(), 2u);
    EXPECT_EQ(d.t.log().voci()[1].testo, " ");
    d.t.Annulla();
    EXPECT_EQ(d.testo(9, 9), "|");
    EXPECT_EQ(d.colore(9, 9), kColoreSimbolo);
}

TEST(Tracing, RebuildPaintsMarksAndAbandonedStartsLeaveNoTrace) {
    Disegno d;
    d.scrivi(3, 3, "*", kColoreSimbolo);
    d.scrivi(3, 4, "*", kColoreSotto);
    d.marche = {{3, 3}, {3, 4}, {3, 5}};
    const auto marcata = [&](int r, int c) { return d.marche.count({r, c}) > 0; };
    EXPECT_TRUE(RipristinaDaGrs(d.Gr, d.grs, marcata, kColoreSotto));
    EXPECT_EQ(d.Gr.style(3, 3).backColor, kColoreErrore);
    EXPECT_EQ(d.Gr.style(3, 4).backColor, kColoreSotto);
    EXPECT_EQ(d.Gr.style(3, 5).backColor, kColoreErrore);
    d.t.TracciaRighe(3, 3);
    d.t.TracciaRighe(3, 4);
    EXPECT_EQ(d.marche, (std::set<std::pair<int, int>>{{3, 5}})) << "a written cell loses its mark";

    d.t.TracciaRighe(12, 12);
    d.t.CmDAnnulla();
    EXPECT_EQ(d.t.StatoTraccia, 0);
    EXPECT_EQ(d.Gr.style(12, 12).backColor, kColoreVuoto);
    EXPECT_EQ(d.Gr.style(15, 12).backColor, kColoreVuoto);
    EXPECT_EQ(d.ui.panel("p1"), "");
    EXPECT_EQ(d.t.mnuRowCol(), "12 12");
}

}  // namespace
}  // namespace trevalon
