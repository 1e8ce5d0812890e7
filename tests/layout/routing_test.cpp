#include "layout/routing.h"

#include <gtest/gtest.h>

#include <memory>

#include "layout/auto_layout.h"
#include "layout/cell_lists.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

struct Tavola : fixture::TavolaVuota {
    // A row of crossings on row 10 joined by horizontal runs, with a stub on every free side; the top stubs
    // carry the given arcs.
    void filaDiIncroci(const std::vector<int>& archiSopra) {
        for (std::size_t k = 0; k < archiSopra.size(); ++k) {
            const int c = 10 + 10 * static_cast<int>(k);
            metti(10, c, 'I', static_cast<int>(k) + 1);
            metti(9, c, 'A', archiSopra[k]);
            metti(11, c, 'A', 100 + static_cast<int>(k));
            metti(10, c - 1, 'A', 200 + static_cast<int>(k));
            metti(10, c + 1, 'A', 201 + static_cast<int>(k));
            if (k > 0)
                for (int j = c - 9; j <= c - 1; ++j) metti(10, j, 'A', 200 + static_cast<int>(k));
        }
    }
    PuntoBordo punto(int colonna, int a) const { return {9, colonna, 10, colonna, a, 0}; }
};

TEST(Routing, TheStraightOnLIsPreferred) {
    Tavola t;
    t.metti(10, 10, 'I', 1);
    t.metti(10, 11, 'A', 5);
    t.metti(20, 20, 'I', 2);
    t.metti(19, 20, 'A', 5);
    EXPECT_TRUE(TracciaPercorso(*t.d, *t.s, {10, 11, 10, 10, 5, 1}, {19, 20, 20, 20, 5, 2}));
    for (int c = 11; c <= 20; ++c) EXPECT_TRUE(t.arco(10, c, 5)) << c;
    for (int r = 10; r <= 19; ++r) EXPECT_TRUE(t.arco(r, 20, 5)) << r;
    EXPECT_TRUE(t.d->archi[5].Percorso.empty());  // an L writes cells only
    EXPECT_FALSE(t.arco(11, 11, 5));
}

TEST(Routing, NestedPairsAreRoutedInnerFirst) {
    Tavola t;
    t.filaDiIncroci({1, 2, 2, 1});
    t.s->PuntiBordo = {t.punto(10, 1), t.punto(20, 2), t.punto(30, 2), t.punto(40, 1)};
    ASSERT_TRUE(DisegnaArchi(*t.d, *t.s));
    EXPECT_TRUE(t.s->PuntiBordo.empty());
    for (int c = 20; c <= 30; ++c) EXPECT_TRUE(t.arco(9, c, 2)) << c;
    // The outer arc goes round the inner one along the border and ends on its own end cell.
    const auto path = leggiVociPercorso(t.d->archi[1].Percorso);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), (Punto{9, 10}));
    EXPECT_EQ(path.back(), (Punto{9, 40}));
    for (const Punto& p : path) EXPECT_TRUE(t.arco(p.r, p.c, 1)) << p.r << "," << p.c;
    EXPECT_EQ(t.d->archi[1].RigaFine, 9);
    EXPECT_EQ(t.d->archi[1].ColFine, 40);
}

TEST(Routing, CrossedPairsCannotBeRouted) {
    Tavola t;
    t.filaDiIncroci({1, 2, 1, 2});
    t.s->PuntiBordo = {t.punto(10, 1), t.punto(20, 2), t.punto(30, 1), t.punto(40, 2)};
    EXPECT_EQ(DisegnaArchi(*t.d, *t.s).error(),
              "no two end cells of one arc follow each other on the border: 1,2,1,2,");
}

TEST(Routing, ABorderRouteThatCannotLeaveItsStartIsAnError) {
    Tavola t;
    t.metti(10, 10, 'I', 1);
    t.metti(9, 10, 'A', 3);
    t.metti(8, 10, 'A', 7);
    t.metti(9, 9, 'A', 7);
    t.metti(9, 11, 'A', 7);
    EXPECT_EQ(ListaPuntiBordo(*t.d, *t.s, 3, 9, 10, 30, 30, 10, 10).error(),
              "the route of arc 3 cannot leave its start cell");
    EXPECT_TRUE(t.s->BufferPunti.empty());
}

TEST(Routing, SingleCellLegAndOwnCellsAreFree) {
    Tavola t;
    t.metti(5, 5, 'A', 4);
    EXPECT_TRUE(ListaPunti(*t.d, *t.s, 4, 5, 5, 5, 5));
    EXPECT_FALSE(ListaPunti(*t.d, *t.s, 9, 5, 5, 5, 5));
    EXPECT_TRUE(ListaPunti(*t.d, *t.s, 4, 6, 6, 6, 6));
}

TEST(Routing, EmptyTableOrEdgeDrawingStopsTheBorderWalk) {
    Tavola t;
    SettaLimiti(*t.d);
    EXPECT_EQ(PercorriBordo(*t.d, *t.s).error(), "the cell table is empty: there is no border to walk");
    Tavola u;
    u.metti(5, kMaxCella - 1, 'I', 1);
    u.metti(5, kMaxCella, 'A', 1);
    SettaLimiti(*u.d);
    EXPECT_EQ(PercorriBordo(*u.d, *u.s).error(), "the border walk leaves the cell table");
}

TEST(Routing, BorderWalkListsEndCellsClockwise) {
    Tavola t;
    t.filaDiIncroci({1, 2, 3});
    SettaLimiti(*t.d);
    ASSERT_TRUE(PercorriBordo(*t.d, *t.s));
    // Along the top from left to right, then the right end, the bottom from right to left, the left end.
    std::vector<int> arcs;
    for (const auto& p : t.s->PuntiBordo) arcs.push_back(p.NumeroArco);
    EXPECT_EQ(arcs, (std::vector<int>{1, 2, 3, 203, 102, 101, 100, 200}));
}

}  // namespace
}  // namespace trevalon
