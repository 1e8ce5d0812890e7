#include "connsum/join.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "connsum/cell_sides.h"
#include "connsum/split.h"

namespace trevalon {
namespace {

// A cell table drawn from text rows starting at (r0, c0): "X" a crossing cell, "#" a cell of arc 9,
// "1" and "2" the cut ends "II1" and "II2" (cells of arc 3), anything else empty.
struct Tavola {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    LimitiNodo box;
    Tavola(const std::vector<std::string>& righe, int r0 = 1, int c0 = 1) {
        for (int i = 0; i < static_cast<int>(righe.size()); ++i)
            for (int j = 0; j < static_cast<int>(righe[static_cast<std::size_t>(i)].size()); ++j) {
                const char ch = righe[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                CellaNodo& x = d->TblNodo.at(r0 + i, c0 + j);
                if (ch == 'X') {
                    x.Tipo = 'I';
                    x.Numero = 1;
                    x.Forma = 3;
                } else if (ch == '#' || ch == '1' || ch == '2') {
                    x.Tipo = 'A';
                    x.Numero = ch == '#' ? 9 : 3;
                    x.Forma = 1;
                    if (ch != '#') x.setVicini(ch == '1' ? "II1" : "II2");
                }
            }
        box = {r0, r0 + static_cast<int>(righe.size()) - 1, c0, c0 + static_cast<int>(righe[0].size()) - 1};
    }
    const CellaNodo& at(int r, int c) const { return d->TblNodo.at(r, c); }
    // The cells the join wrote, as "r,c" in scan order.
    std::vector<std::pair<int, int>> scritte() const {
        std::vector<std::pair<int, int>> out;
        for (int r = box.RigaMin; r <= box.RigaMax; ++r)
            for (int c = box.ColMin; c <= box.ColMax; ++c)
                if (at(r, c).Numero == kArcoCongiunzione) out.emplace_back(r, c);
        return out;
    }
};

void controllaScritta(const CellaNodo& x, int forma) {
    EXPECT_EQ(x.Tipo, 'A');
    EXPECT_EQ(x.Numero, kArcoCongiunzione);
    EXPECT_EQ(x.Vicini(), "III");
    EXPECT_EQ(int{x.Forma}, forma);
}

TEST(CollegaEstremiIC, StraightCorridorsGetStraightCodesAndTheEndsJoinTheirCrossings) {
    Tavola orizzontale({"#########",  //
                        "X1.....2X", "#########"});
    ASSERT_TRUE(CollegaEstremiIC(*orizzontale.d, orizzontale.box));
    EXPECT_EQ(orizzontale.scritte().size(), 7u);
    for (int c = 2; c <= 8; ++c) controllaScritta(orizzontale.at(2, c), 2);

    Tavola verticale({"#X#",  //
                      "#1#", "#.#", "#.#", "#2#", "#X#"});
    ASSERT_TRUE(CollegaEstremiIC(*verticale.d, verticale.box));
    EXPECT_EQ(verticale.scritte().size(), 4u);
    for (int r = 2; r <= 5; ++r) controllaScritta(verticale.at(r, 2), 1);

    // An end whose crossing sits beside it turns there: the corner joins the crossing and the path.
    Tavola angolo({"####",  //
                   "X1.#", "##.#", "##2#", "##X#"});
    ASSERT_TRUE(CollegaEstremiIC(*angolo.d, angolo.box));
    controllaScritta(angolo.at(2, 2), 2);
    controllaScritta(angolo.at(2, 3), 8);
    controllaScritta(angolo.at(3, 3), 1);
    controllaScritta(angolo.at(4, 3), 1);
}

TEST(CollegaEstremiIC, DeadEndsAndDetoursAreLeftOut) {
    // Pockets above and below the corridor: either walk goes into one and comes back out.
    Tavola t({"###.######",  //
              "X1.......2X", "#####.####"});
    t.box.ColMax = 11;
    ASSERT_TRUE(CollegaEstremiIC(*t.d, t.box));
    const auto scritte = t.scritte();
    ASSERT_EQ(scritte.size(), 9u);
    for (const auto& [r, c] : scritte) EXPECT_EQ(r, 2);
    EXPECT_EQ(t.at(1, 4).Forma, 0);
    EXPECT_EQ(t.at(1, 4).Tipo, 0);
    EXPECT_EQ(t.at(3, 6).Forma, 0);

    // Notches two cells wide above and below: each walk goes round one, and the path jumps from the cell
    // before it straight to the cell after it.
    Tavola tacche({"####..#####",  //
                   "X1.......2X", "#######..##"});
    ASSERT_TRUE(CollegaEstremiIC(*tacche.d, tacche.box));
    const auto dritte = tacche.scritte();
    ASSERT_EQ(dritte.size(), 9u);
    for (const auto& [r, c] : dritte) {
        EXPECT_EQ(r, 2);
        controllaScritta(tacche.at(r, c), 2);
    }
    for (auto [r, c] : {std::pair{1, 5}, {1, 6}, {3, 8}, {3, 9}}) EXPECT_EQ(tacche.at(r, c).Forma, 0);
}

TEST(CollegaEstremiIC, FailsWithNothingWrittenWhenTheEndsCannotMeet) {
    Tavola chiusa({"#######",  //
                   "X1.#.2X", "#######"});
    const auto prima = std::make_unique<CellTable>(chiusa.d->TblNodo);
    EXPECT_FALSE(CollegaEstremiIC(*chiusa.d, chiusa.box));
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 7; ++c) {
            EXPECT_EQ(chiusa.at(r, c).Forma, prima->at(r, c).Forma);
            EXPECT_EQ(chiusa.at(r, c).Numero, prima->at(r, c).Numero);
            EXPECT_EQ(chiusa.at(r, c).Vicini(), prima->at(r, c).Vicini());
        }

    // An end with nowhere to go: the walk does not step into an obstacle.
    Tavola murata({"###.",  //
                   "X1#2", "###X"});
    EXPECT_FALSE(CollegaEstremiIC(*murata.d, murata.box));

    // The ends outside the box, or one of them missing.
    Tavola fuori({"X1..2X"});
    LimitiNodo piccolo = fuori.box;
    piccolo.ColMax = 4;
    EXPECT_FALSE(CollegaEstremiIC(*fuori.d, piccolo));
    Tavola senza({"X1...X"});
    EXPECT_FALSE(CollegaEstremiIC(*senza.d, senza.box));
}

// Ends on either side of a strand that no way gets round: the join laid over it crosses it once, as a
// crossing with the new strand over (or under), straight through; and no crossing is made beside another.
TEST(CollegaEstremiScavalcando, CrossesAStrandNoWayGetsRoundWithTheNewStrandOver) {
    Tavola muro({"..#..",  //
                 "..#..", "X1#2X", "..X..", "..#.."});
    EXPECT_FALSE(CollegaEstremiIC(*muro.d, muro.box));
    ASSERT_TRUE(CollegaEstremiScavalcando(*muro.d, muro.box, Scavalco::Sopra));
    EXPECT_EQ(muro.scritte().size(), 5u);
    EXPECT_EQ(int{muro.at(3, 2).Forma}, 5);  // the start: up to the path, left to its crossing
    EXPECT_EQ(int{muro.at(2, 2).Forma}, 7);
    EXPECT_EQ(muro.at(2, 3).Tipo, 'I');
    EXPECT_EQ(int{muro.at(2, 3).Forma}, 3);  // the horizontal strand over
    EXPECT_EQ(int{muro.at(2, 4).Forma}, 8);
    EXPECT_EQ(int{muro.at(3, 4).Forma}, 6);  // the end: up to the path, right to its crossing
    for (const auto& [r, c] : muro.scritte()) EXPECT_EQ(muro.at(r, c).Vicini(), "III");
    // The same way under the strand: the vertical strand is then the one over.
    Tavola sotto({"..#..",  //
                  "..#..", "X1#2X", "..X..", "..#.."});
    ASSERT_TRUE(CollegaEstremiScavalcando(*sotto.d, sotto.box, Scavalco::Sotto));
    EXPECT_EQ(sotto.at(2, 3).Tipo, 'I');
    EXPECT_EQ(int{sotto.at(2, 3).Forma}, 4);

    // Where the strand could only be crossed beside one of its crossings, or at the box's edge, nothing is
    // written.
    Tavola affollato({"..#..",  //
                      "..X..", "X1#2X", "..X..", "..#.."});
    const auto prima = std::make_unique<CellTable>(affollato.d->TblNodo);
    EXPECT_FALSE(CollegaEstremiScavalcando(*affollato.d, affollato.box, Scavalco::Sopra));
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) {
            EXPECT_EQ(affollato.at(r, c).Forma, prima->at(r, c).Forma);
            EXPECT_EQ(affollato.at(r, c).Vicini(), prima->at(r, c).Vicini());
        }
}

TEST(CollegaEstremiIC, WorksAnywhereOnTheTableAndKeepsToIt) {
    // Beyond row and column 500.
    Tavola lontana({"#X#",  //
                    "#1#", "#.#", "#2#", "#X#"},
                   700, 900);
    ASSERT_TRUE(CollegaEstremiIC(*lontana.d, lontana.box));
    EXPECT_EQ(lontana.scritte().size(), 3u);

    // At the table's last row and column, with a box that runs past them: cells outside are obstacles.
    Tavola bordo({"X1", ".2"}, kMaxCella - 1, kMaxCella - 1);
    LimitiNodo oltre = bordo.box;
    oltre.RigaMax = kMaxCella + 20;
    oltre.ColMax = kMaxCella + 20;
    EXPECT_NO_THROW(CollegaEstremiIC(*bordo.d, oltre));
}

}  // namespace
}  // namespace trevalon
