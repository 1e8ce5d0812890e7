#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_lists.h"
#include "layout/corner_flipping.h"
#include "layout/hump_straightening.h"
#include "layout/path_text.h"
#include "layout/routing.h"
#include "layout/tidy.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/quiet_hook.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

struct Tavola : fixture::TavolaVuota {
    // The arc's cells and its path from points.
    void percorso(int a, const std::vector<Punto>& punti) {
        for (const Punto& p : punti) metti(p.r, p.c, 'A', a);
        d->archi[a].Percorso = scriviVociPercorso(punti);
    }
    // A row of crossings on row 10 joined by horizontal runs, with a stub on every free side; the top stubs
    // carry the given arcs.
    void filaDiIncroci(const std::vector<int>& archiSopra) {
        for (int k = 0; k < static_cast<int>(archiSopra.size()); ++k) {
            const int c = 10 + 10 * k;
            metti(10, c, 'I', k + 1);
            metti(9, c, 'A', archiSopra[static_cast<std::size_t>(k)]);
            metti(11, c, 'A', 100 + k);
            metti(10, c + 1, 'A', 201 + k);
            for (int j = k > 0 ? c - 9 : c - 1; j <= c - 1; ++j) metti(10, j, 'A', 200 + k);
        }
    }
};

TEST(CellLists, PathItemsReadTheFirstTwoFields) {
    EXPECT_EQ(leggiVociPercorso("12,7|12,8,|x"), (std::vector<Punto>{{12, 7}, {12, 8}}));
    // Leading spaces and a sign are read, a number stops growing past 100000, a missing field reads 0.
    EXPECT_EQ(leggiVociPercorso(" 3, -4|+5|7,8,9|1234567,2|,|x"),
              (std::vector<Punto>{{3, -4}, {5, 0}, {7, 8}, {123456, 2}, {0, 0}}));
    EXPECT_EQ(leggiVociPercorso("|| 2 ,3|"), (std::vector<Punto>{{2, 3}}));
    EXPECT_EQ(leggiVociPercorso("-,+|9"), (std::vector<Punto>{{0, 0}}));
    EXPECT_EQ(scriviVociPercorso({{12, 7}, {3, 4}}), "12,7,|3,4,|");
}

TEST(CellLists, ListingDropsRepeatsLoopsAndDeadEnds) {
    struct Caso {
        std::string percorso, elenco;
        std::vector<Punto> tolte;
    };
    for (const auto& [percorso, elenco, tolte] : std::vector<Caso>{
             // A repeated cell stands once; coming back next to the first cell drops the cells between.
             {"|5,5,|5,5,|5,6,|6,6,|6,5,|7,5,|", "5,5,|6,5,|7,5,|", {{5, 6}, {6, 6}}},
             {"|5,5,|5,6,|5,7,|5,6,|6,6,|7,6,|", "5,5,|5,6,|6,6,|7,6,|", {{5, 7}}},
         }) {
        SCOPED_TRACE(percorso);
        Tavola t;
        t.d->NumArchi = 1;
        t.d->archi[1].Percorso = percorso;
        ListaCelle(*t.d, *t.s, 1);
        EXPECT_EQ(t.d->archi[1].Percorso, elenco);
        const auto punti = leggiVociPercorso(elenco);
        for (std::size_t i = 0; i < punti.size(); ++i) {
            EXPECT_TRUE(t.arco(punti[i].r, punti[i].c, 1));
            EXPECT_EQ(t.d->TblNodo.at(punti[i].r, punti[i].c).Posizione, static_cast<int>(i) + 1);
        }
        for (const Punto& p : tolte) EXPECT_FALSE(t.arco(p.r, p.c, 1)) << p.r << "," << p.c;
    }
}

TEST(CellLists, ListingNeverOverwritesACrossingOrAnotherArc) {
    Tavola t;
    t.d->NumArchi = 2;
    t.metti(5, 6, 'I', 1);
    t.metti(5, 7, 'A', 2);
    t.d->archi[1].Percorso = "|5,5,|5,6,|5,7,|";
    ListaCelle(*t.d, *t.s, 1);
    EXPECT_EQ(t.d->TblNodo.at(5, 6).Tipo, 'I');
    EXPECT_TRUE(t.arco(5, 7, 2));
}

// Crossings 1 at (2,5) and 2 at (9,5) joined by arc 1 down column 5, with the path of its cells as text and
// the given extra points.
void colonnaDellArco1(Tavola& t, const std::string& extra) {
    t.metti(2, 5, 'I', 1);
    t.metti(9, 5, 'I', 2);
    for (int r = 3; r <= 8; ++r) t.metti(r, 5, 'A', 1);
    t.d->archi[1].Percorso = "3,5|4,5|5,5|6,5|7,5|8,5|";
    t.d->archi[1].PuntiExtra = extra;
}

// The tidying renames every path and extra point with the repeated rows and columns it deletes; an item
// whose number the renaming refuses stops it with the paths written as text, renamed by rows as far as
// the refusal.
TEST(Tidying, PathsAreRenamedWithTheDeletedLinesOrTheRefusalComesAsBefore) {
    for (const bool rifiutata : {false, true}) {
        SCOPED_TRACE(rifiutata);
        Tavola t;
        t.d->NumArchi = 1;
        colonnaDellArco1(t, rifiutata ? "|12,7,|99999999999,7,|" : "|12,7,|2,7|");
        if (!rifiutata) {
            Assesta(*t.d, *t.s);
            EXPECT_EQ(t.d->archi[1].Percorso, "2,1,|2,1,|2,1,|2,1,|2,1,|2,1,|");
            EXPECT_EQ(t.d->archi[1].PuntiExtra, "|4,2,|1,2|");
            EXPECT_TRUE(t.arco(2, 1, 1));
            continue;
        }
        EXPECT_THROW(Assesta(*t.d, *t.s), std::out_of_range);
        EXPECT_FALSE(t.s->percorsiInMemoria);
        EXPECT_EQ(t.d->archi[1].Percorso, "2,5,|2,5,|2,5,|2,5,|2,5,|2,5,|");
        EXPECT_EQ(t.d->archi[1].PuntiExtra, "|12,7,|99999999999,7,|");
    }
}

// A hump of arc 1 over row 5, with a crossing or another arc in the way, or without its path text.
TEST(Straightening, AHumpOnARowIsStraightenedWhenNothingIsInTheWay) {
    struct Caso {
        char ostacolo;  // 'I' or 'A' at (5, 4), 0 for none
        bool conTesto;
        bool cambiato;
    };
    for (const auto& [ostacolo, conTesto, cambiato] :
         std::vector<Caso>{{0, true, true}, {'I', true, false}, {'A', true, false}, {0, false, false}}) {
        SCOPED_TRACE(std::string(1, ostacolo ? ostacolo : '-') + (conTesto ? " with text" : " without text"));
        Tavola t;
        t.d->NumArchi = 2;
        t.percorso(1, {{5, 2}, {5, 3}, {4, 3}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {4, 6}, {5, 6}, {5, 7}});
        if (ostacolo) t.metti(5, 4, ostacolo, 2);
        if (!conTesto) t.d->archi[1].Percorso.clear();
        RaddrizzaRigCol(*t.d, *t.s, 1, 20, 1, 20, 5, 0, 1);
        EXPECT_EQ(t.s->TracciatoCambiato, cambiato);
        EXPECT_EQ(t.arco(3, 4, 1), !cambiato);
        EXPECT_EQ(t.arco(4, 3, 1), !cambiato);
        if (cambiato) {
            EXPECT_EQ(t.d->archi[1].Percorso, "5,2,|5,3,|5,4,|5,5,|5,6,|5,7,|");
        }
    }
}

// Corners go to the other side of their rectangle only where that removes bends: a U stays; a step between
// two runs (three bends) becomes one bend once the corner at (5,4) goes to (3,6).
TEST(Straightening, CornersFlipOnlyWhereThatRemovesBends) {
    Tavola u;
    u.d->NumArchi = 1;
    u.metti(10, 4, 'I', 1);
    u.percorso(1, {{10, 5}, {10, 6}, {9, 6}, {8, 6}, {8, 7}, {8, 8}, {9, 8}, {10, 8}, {10, 9}});
    u.metti(10, 10, 'I', 2);
    InvertiAngolo(*u.d, *u.s, 1, 10, 9);
    EXPECT_FALSE(u.s->TracciatoCambiato);

    Tavola t;
    t.d->NumArchi = 1;
    t.metti(3, 2, 'I', 1);
    t.percorso(1, {{3, 3}, {3, 4}, {4, 4}, {5, 4}, {5, 5}, {5, 6}, {6, 6}, {7, 6}});
    t.metti(8, 6, 'I', 2);
    InvertiAngolo(*t.d, *t.s, 1, 7, 6);
    EXPECT_TRUE(t.s->TracciatoCambiato);
    EXPECT_EQ(t.d->archi[1].Percorso, "3,3,|3,4,|3,5,|3,6,|4,6,|5,6,|6,6,|7,6,|");
    EXPECT_FALSE(t.arco(5, 4, 1));
    EXPECT_FALSE(t.arco(4, 4, 1));
    EXPECT_TRUE(t.arco(3, 6, 1));
}

TEST(Tidying, RepeatedRowsAndColumnsGoAndPathItemsFollow) {
    Tavola t;
    t.d->NumArchi = 2;
    colonnaDellArco1(t, "|12,7,|2,7,|");
    EliminaRigheUgualiN(*t.d);
    // Rows 1 and 4..8 repeat the row above; 4..8 merge into row 3, which becomes row 2.
    EXPECT_EQ(t.d->TblNodo.at(1, 5).Tipo, 'I');
    EXPECT_TRUE(t.arco(2, 5, 1));
    EXPECT_EQ(t.d->TblNodo.at(3, 5).Tipo, 'I');
    EXPECT_EQ(t.d->TblNodo.at(4, 5).Tipo, 0);
    EXPECT_EQ(t.d->archi[1].Percorso, "2,5|2,5|2,5|2,5|2,5|2,5|");
    // Whole items are renamed: row 12 (after the kept empty row 10) is not row 2.
    EXPECT_EQ(t.d->archi[1].PuntiExtra, "|4,7,|1,7,|");

    Tavola c;
    c.d->NumArchi = 1;
    c.metti(5, 2, 'I', 1);
    c.percorso(1, {{5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}});
    c.metti(5, 8, 'I', 2);
    EliminaColonneUgualiN(*c.d);
    EXPECT_EQ(c.d->TblNodo.at(5, 1).Tipo, 'I');
    EXPECT_TRUE(c.arco(5, 2, 1));
    EXPECT_EQ(c.d->TblNodo.at(5, 3).Tipo, 'I');
    EXPECT_EQ(c.d->archi[1].Percorso, "5,2,|5,2,|5,2,|5,2,|5,2,|");
}

TEST(Layout, OpeningAnOccupiedTargetMovesTheOccupantAway) {
    Tavola t;
    Diagram& d = *t.d;
    LayoutState& s = *t.s;
    d.NumIncroci = 3;
    auto place = [&](int k, int r, int c) {
        s.piazzato[k] = 1;
        for (int side = 1; side <= 4; ++side) d.incroci[k].ArcoLato[side] = 10 * k + side;
        s.TblNodoAlbero.set(r, c, 'I', k);
        d.incroci[k].Riga = r;
        d.incroci[k].Colonna = c;
    };
    place(1, 100, 100);  // the parent
    place(2, 100, 99);   // occupies the target on its left
    place(3, 101, 99);
    ASSERT_TRUE(InsRigaCol(d, s, 100, 99, 100, 100));
    EXPECT_EQ(d.incroci[2].Colonna, 98);
    EXPECT_EQ(d.incroci[3].Colonna, 98);
    EXPECT_EQ(d.incroci[1].Colonna, 100);
    EXPECT_EQ(s.TblNodoAlbero.Tipo(100, 99), 0);
    EXPECT_EQ(s.TblNodoAlbero.Numero(100, 98), 2);
    // The copy of crossing 3 left in the opened column becomes an arc cell of its side-4 arc.
    EXPECT_EQ(s.TblNodoAlbero.Tipo(101, 99), 'A');
    EXPECT_EQ(s.TblNodoAlbero.Numero(101, 99), 34);
    // A shift that would push a crossing off the work grid is refused.
    place(1, 50, 1);
    EXPECT_FALSE(InsRigaCol(d, s, 100, 97, 100, 98));
}

TEST(Layout, SidesAreServedClockwiseOrBackwards) {
    Tavola t;
    t.d->txtNodo = "1-2+3-1+2-3+";
    t.d->TxtOri = "OOO";
    for (const char* modo : {"S", "X"}) {
        t.s->settings.TXTmodo = modo;
        t.s->ModoAutomatico = true;
        t.s->IncrocioRadice = 1;
        ASSERT_TRUE(Disegna(*t.d, *t.s));
        ASSERT_GE(t.s->FondoCoda, 2);
        const int first = t.s->CodaAlbero[1].LatoPadre, second = t.s->CodaAlbero[2].LatoPadre;
        if (std::string(modo) == "S")
            EXPECT_LT(first, second);
        else
            EXPECT_GT(first, second);
    }
}

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

// Along the top from left to right, then the right end, the bottom from right to left, the left end.
TEST(Routing, BorderWalkListsEndCellsClockwise) {
    Tavola t;
    t.filaDiIncroci({1, 2, 3});
    SettaLimiti(*t.d);
    ASSERT_TRUE(PercorriBordo(*t.d, *t.s));
    std::vector<int> arcs;
    for (const auto& p : t.s->PuntiBordo) arcs.push_back(p.NumeroArco);
    EXPECT_EQ(arcs, (std::vector<int>{1, 2, 3, 203, 102, 101, 100, 200}));
}

TEST(Routing, FailuresSayWhy) {
    Tavola t;
    t.filaDiIncroci({1, 2, 1, 2});
    for (int k = 0; k < 4; ++k) t.s->PuntiBordo.push_back({9, 10 + 10 * k, 10, 10 + 10 * k, 1 + k % 2, 0});
    EXPECT_EQ(DisegnaArchi(*t.d, *t.s).error(),
              "no two end cells of one arc follow each other on the border: 1,2,1,2,");

    Tavola chiuso;
    chiuso.metti(10, 10, 'I', 1);
    chiuso.metti(9, 10, 'A', 3);
    for (const auto& [r, c] : {std::pair{8, 10}, {9, 9}, {9, 11}}) chiuso.metti(r, c, 'A', 7);
    EXPECT_EQ(ListaPuntiBordo(*chiuso.d, *chiuso.s, 3, 9, 10, 30, 30, 10, 10).error(),
              "the route of arc 3 cannot leave its start cell");
    EXPECT_TRUE(chiuso.s->BufferPunti.empty());

    // A route cut short by its length says whether its other end can still be reached.
    for (const bool murata : {false, true}) {
        Tavola lungo;
        lungo.metti(10, 10, 'I', 1);
        lungo.metti(9, 10, 'A', 3);
        if (murata)
            for (const auto& [r, c] : {std::pair{29, 30}, {31, 30}, {30, 29}, {30, 31}})
                lungo.metti(r, c, 'A', 7);
        lungo.s->maxCaratteriPercorso = 40;
        EXPECT_EQ(ListaPuntiBordo(*lungo.d, *lungo.s, 3, 9, 10, 30, 30, 10, 10).error(),
                  murata ? "the route of arc 3 is too long: routes laid before it have shut its other end in"
                         : "the route of arc 3 is too long");
    }

    Tavola vuota;
    SettaLimiti(*vuota.d);
    EXPECT_EQ(PercorriBordo(*vuota.d, *vuota.s).error(),
              "the cell table is empty: there is no border to walk");
    Tavola bordo;
    bordo.metti(5, kMaxCella - 1, 'I', 1);
    bordo.metti(5, kMaxCella, 'A', 1);
    SettaLimiti(*bordo.d);
    EXPECT_EQ(PercorriBordo(*bordo.d, *bordo.s).error(), "the border walk leaves the cell table");
}

// A route that only goes round an island (here its own crossing) fails as a route cut short by its length,
// once it has gone round: the passages one cell wide that it fills on the way are all noted (row 11 going
// left under the crossing, column 11 going down beside it), each as often as on one round.
TEST(Routing, ARouteGoingRoundAnIslandStopsAfterOneRound) {
    Tavola t;
    t.metti(10, 10, 'I', 1);
    t.metti(9, 10, 'A', 3);
    t.metti(12, 10, 'A', 7);
    t.metti(10, 12, 'A', 7);
    EXPECT_EQ(ListaPuntiBordo(*t.d, *t.s, 3, 9, 10, 30, 30, 10, 10).error(),
              "the route of arc 3 is too long");
    EXPECT_LT(t.s->BufferPunti.size(), 20u);
    std::vector<int> righe = t.s->strettoiaRighe, colonne = t.s->strettoiaColonne;
    EXPECT_EQ(std::set<int>(righe.begin(), righe.end()), std::set<int>{11});
    EXPECT_EQ(std::set<int>(colonne.begin(), colonne.end()), std::set<int>{11});

    // Walled in with the island, the end cannot be reached.
    for (int k = 5; k <= 15; ++k)
        for (const auto& [r, c] : {std::pair{5, k}, {15, k}, {k, 5}, {k, 15}}) t.metti(r, c, 'A', 8);
    EXPECT_EQ(ListaPuntiBordo(*t.d, *t.s, 3, 9, 10, 30, 30, 10, 10).error(),
              "the route of arc 3 is too long: routes laid before it have shut its other end in");
}

// A staircase loses its steps one flip after another, the later flips keeping the path as it is but for
// the new legs; every cell of the path holds its place.
TEST(Straightening, AStaircaseFlipsToOneBendAndKeepsItsPlaces) {
    Tavola t;
    t.d->NumArchi = 1;
    t.metti(3, 2, 'I', 1);
    t.percorso(
        1, {{3, 3}, {3, 4}, {4, 4}, {5, 4}, {5, 5}, {5, 6}, {6, 6}, {7, 6}, {7, 7}, {7, 8}, {8, 8}, {9, 8}});
    t.metti(10, 8, 'I', 2);
    InvertiAngolo(*t.d, *t.s, 1, 9, 8);
    EXPECT_EQ(t.d->archi[1].Percorso, "3,3,|3,4,|3,5,|3,6,|3,7,|3,8,|4,8,|5,8,|6,8,|7,8,|8,8,|9,8,|");
    const std::vector<Punto> punti = leggiVociPercorso(t.d->archi[1].Percorso);
    for (std::size_t i = 0; i < punti.size(); ++i)
        EXPECT_EQ(t.d->TblNodo.at(punti[i].r, punti[i].c).Posizione, static_cast<int>(i) + 1) << i;
    EXPECT_FALSE(t.arco(5, 4, 1));
    EXPECT_FALSE(t.arco(7, 6, 1));
}

// Renaming the rows or columns of path items keeps each item's own form, a signed number read as the
// number, values beyond the map and text that is not an item; a number beyond an int is refused.
TEST(Tidying, RenamedPathItemsKeepTheirForm) {
    const std::vector<int> mappa{0, 1, 1, 2, 3, 3, 4};
    EXPECT_EQ(rinominaVoci("3,5|+4,-2,|9,6,|x", mappa, true), "2,5|3,-2,|9,6,|x");
    EXPECT_EQ(rinominaVoci("3,5|+4,+6,|9,12,|7|", mappa, false), "3,3|+4,4,|9,12,|7|");
    EXPECT_EQ(rinominaVoci("-1,2,|", mappa, true), "-1,2,|");
    EXPECT_THROW(rinominaVoci("99999999999,2,|", mappa, true), std::out_of_range);
}

// Corner flipping right after listing goes on after each flip from the first corner the flip may have
// changed; it ends as flipping under a developer aid, which takes the path up afresh after every flip and
// tries every corner again: on random winding paths of arc 1 among cells of arc 2.
TEST(Straightening, CornerFlippingAfterAFlipEndsAsTryingFromTheStart) {
    testsupport::AiutoMuto aiuto;
    unsigned seme = 12345;
    auto caso = [&seme](unsigned n) {
        return static_cast<int>(((seme = seme * 1664525u + 1013904223u) >> 8) % n);
    };
    for (int prova = 0; prova < 400; ++prova) {
        std::vector<Punto> voci{{20, 6}}, ostacoli;
        for (int k = caso(30); k > 0; --k) ostacoli.push_back({6 + caso(30), 6 + caso(30)});
        for (int corsa = 0, dir = 2; corsa < 14; ++corsa) {
            dir = (dir + 2 * caso(2)) % 4 + 1;  // a quarter turn either way
            static constexpr int kDr[5] = {0, -1, 0, 1, 0}, kDc[5] = {0, 0, 1, 0, -1};
            for (int k = 1 + caso(6); k > 0; --k) {
                const Punto q{voci.back().r + kDr[dir], voci.back().c + kDc[dir]};
                if (q.r < 6 || q.c < 7 || q.r > 36 || q.c > 36) break;
                voci.push_back(q);
            }
        }
        Tavola veloce, piena;
        for (Tavola* t : {&veloce, &piena}) {
            t->metti(20, 5, 'I', 1);
            for (const Punto& q : ostacoli)
                if (!(q == voci.back())) t->metti(q.r, q.c, 'A', 2);
            ListaCelle(*t->d, *t->s, 1, voci);
        }
        InvertiAngoloElencato(*veloce.d, *veloce.s, 1, voci.back().r, voci.back().c);
        piena.s->hook = &aiuto;
        InvertiAngolo(*piena.d, *piena.s, 1, voci.back().r, voci.back().c, true);
        ASSERT_EQ(veloce.d->archi[1].Percorso, piena.d->archi[1].Percorso) << prova;
        for (int r = 5; r <= 37; ++r)
            for (int c = 5; c <= 37; ++c)
                ASSERT_EQ(std::pair(veloce.d->TblNodo.at(r, c).Tipo, veloce.d->TblNodo.at(r, c).Posizione),
                          std::pair(piena.d->TblNodo.at(r, c).Tipo, piena.d->TblNodo.at(r, c).Posizione))
                    << prova;
    }
}

// Passes of the straightening against passes that scan every line whole, over rows r0..r1 and columns
// c0..c1 of two tables alike: the same paths and cells. dopoOgniPasso looks at the straightening after
// each of its passes.
void raddrizzaComeScansioniIntere(
    Tavola& veloce, Tavola& piena, int r0, int r1, int c0, int c1,
    const std::function<void()>& dopoOgniPasso = [] {}) {
    for (Tavola* t : {&veloce, &piena}) tieniPercorsiInMemoria(*t->s);
    iniziaRaddrizzature(*veloce.s);
    do {
        veloce.s->TracciatoCambiato = false;
        RaddrizzaGobbe(*veloce.d, *veloce.s, 0, r0, r1, c0, c1);
        dopoOgniPasso();
    } while (veloce.s->TracciatoCambiato);
    fineRaddrizzature(*veloce.d, *veloce.s);
    for (bool cambiato = true; cambiato;) {
        cambiato = false;
        for (const bool riga : {true, false})
            for (int k = riga ? r0 : c0; k <= (riga ? r1 : c1); ++k) {
                piena.s->TracciatoCambiato = false;
                RaddrizzaRigCol(*piena.d, *piena.s, r0, r1, c0, c1, k, riga ? 0 : 1, riga ? 1 : 0);
                cambiato = cambiato || piena.s->TracciatoCambiato;
            }
    }
    for (Tavola* t : {&veloce, &piena}) scriviPercorsiInSospeso(*t->d, *t->s);
    for (int a = 1; a <= veloce.d->NumArchi; ++a)
        EXPECT_EQ(veloce.d->archi[a].Percorso, piena.d->archi[a].Percorso) << "arc " << a;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const CellaNodo &x = veloce.d->TblNodo.at(r, c), &y = piena.d->TblNodo.at(r, c);
            EXPECT_EQ(std::tuple(x.Tipo, x.Numero, x.Posizione), std::tuple(y.Tipo, y.Numero, y.Posizione))
                << r << "," << c;
        }
}

// A straightening that fails, its end not on the arc's path, still stamps the path's free cells as the
// arc's; on row 5 that makes a hump behind the failed one, (5,1) to (5,3), which the next pass (made for
// the hump of arc 2 on column 15) straightens, as a scan of the whole row does.
TEST(Straightening, AHumpThatAFailedTryMakesIsStraightenedByTheNextPass) {
    Tavola veloce, piena;
    for (Tavola* t : {&veloce, &piena}) {
        t->d->NumArchi = 2;
        t->percorso(1, {{5, 1}, {6, 1}, {6, 2}, {6, 3}, {5, 3}, {4, 3}});
        t->metti(5, 1, 0, 0);
        t->metti(5, 5, 'A', 1);
        t->percorso(2, {{2, 15}, {2, 16}, {3, 16}, {4, 16}, {4, 15}, {5, 15}});
    }
    raddrizzaComeScansioniIntere(veloce, piena, 1, 20, 1, 20);
    EXPECT_EQ(veloce.d->archi[1].Percorso, "5,1,|5,2,|5,3,|4,3,|");
}

// A hump straightened over the places earlier straightenings left empty in the same path: a U on rows
// 7 to 10, straightened row by row, inside a hump on row 12. Between passes the path read from memory has
// no empty place and each cell holds its place, and reading it so changes nothing that follows.
TEST(Straightening, HumpsOverPlacesLeftByEarlierOnesReadBackWhole) {
    std::vector<Punto> voci{{12, 1}, {11, 1}, {10, 1}, {10, 2}, {10, 3}, {9, 3}, {8, 3}, {7, 3}};
    for (int c = 4; c <= 12; ++c) voci.push_back({7, c});
    for (const Punto p : std::vector<Punto>{
             {8, 12}, {9, 12}, {10, 12}, {10, 13}, {10, 14}, {11, 14}, {12, 14}, {12, 15}, {12, 16}})
        voci.push_back(p);
    Tavola veloce, piena;
    for (Tavola* t : {&veloce, &piena}) {
        t->d->NumArchi = 1;
        t->percorso(1, voci);
    }
    int letture = 0;
    raddrizzaComeScansioniIntere(veloce, piena, 1, 20, 1, 20, [&] {
        const std::vector<Punto> punti = puntiPercorso(*veloce.d, *veloce.s, 1);
        for (std::size_t i = 0; i < punti.size(); ++i) {
            ASSERT_TRUE(CellTable::inside(punti[i].r, punti[i].c)) << i;
            EXPECT_EQ(veloce.d->TblNodo.at(punti[i].r, punti[i].c).Posizione, static_cast<int>(i) + 1) << i;
        }
        ++letture;
    });
    EXPECT_GE(letture, 1);
    std::string diritta;
    for (int c = 1; c <= 16; ++c) diritta += "12," + std::to_string(c) + ",|";
    EXPECT_EQ(veloce.d->archi[1].Percorso, diritta);
}

// The random braid knot of a seed of the straightening tests, laid out and routed on each of the two
// tables; false when it does not route.
bool instradaTreccia(std::uint32_t seme, Tavola& a, Tavola& b) {
    const auto g = testsupport::randomBraidKnot(7000 + seme, 3 + static_cast<int>(seme % 4),
                                                20 + 6 * static_cast<int>(seme));
    bool instradato = true;
    for (Tavola* t : {&a, &b}) {
        t->d->txtNodo = testsupport::gaussText(g);
        t->d->TxtOri = testsupport::lettersText(g);
        instradato =
            instradato && Disegna(*t->d, *t->s) && PercorriBordo(*t->d, *t->s) && DisegnaArchi(*t->d, *t->s);
    }
    return instradato;
}

// The passes of the tidying's straightening scan a line only where it has changed and pass runs of filled
// cells reading their last one; they end as passes that scan every line whole: on routed layouts of random
// braids, the same cells and paths. Meanwhile each line's bits are the filled cells of the table.
TEST(Straightening, PassesOverChangedLinesEndAsWholeScans) {
    int provate = 0;
    for (std::uint32_t seme = 1; seme <= 6; ++seme) {
        SCOPED_TRACE(seme);
        Tavola veloce, piena;
        if (!instradaTreccia(seme, veloce, piena)) continue;
        for (Tavola* t : {&veloce, &piena}) SettaLimiti(*t->d);
        ++provate;
        const LimitiNodo l = veloce.d->limiti;
        const int r0 = l.RigaMin - 1, r1 = l.RigaMax + 1, c0 = l.ColMin - 1, c1 = l.ColMax + 1;
        int passi = 0;
        raddrizzaComeScansioniIntere(veloce, piena, r0, r1, c0, c1, [&] {
            ++passi;
            const LayoutState::Raddrizzatura& z = veloce.s->raddrizzatura;
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c) {
                    const auto i = static_cast<std::size_t>(r - r0), j = static_cast<std::size_t>(c - c0);
                    const auto riempita = static_cast<std::uint64_t>(veloce.d->TblNodo.at(r, c).Tipo != 0);
                    ASSERT_EQ(
                        (z.pieneRighe[i * static_cast<std::size_t>(z.paroleRiga) + j / 64] >> (j % 64)) & 1,
                        riempita)
                        << r << "," << c;
                    ASSERT_EQ(
                        (z.pieneColonne[j * static_cast<std::size_t>(z.paroleColonna) + i / 64] >> (i % 64)) &
                            1,
                        riempita)
                        << r << "," << c;
                }
        });
        EXPECT_GT(passi, 1);
    }
    EXPECT_GE(provate, 4);
}

// A routing that succeeds inside a build hands its paths to the tidying as points; tidied, the drawing is
// the one of paths written as text and read back: every cell with its place, every path and end, the
// extent. Generated diagrams from several roots, up to the build benchmark's sizes.
TEST(Tidying, PathsHandedOnAsPointsTidyAsPathsReadBackFromText) {
    struct Caso {
        std::uint32_t seme;
        int fili, lunghezza;
    };
    int confrontati = 0;
    for (const auto& [seme, fili, lunghezza] :
         std::vector<Caso>{{7, 3, 30}, {11, 5, 90}, {23, 6, 180}, {31, 4, 120}, {37, 7, 200}, {41, 5, 150}})
        for (const int radice : {1, 4}) {
            SCOPED_TRACE(std::to_string(lunghezza) + " crossings, root " + std::to_string(radice));
            const auto g = testsupport::randomBraidKnot(seme, fili, lunghezza);
            Tavola testo, punti;
            punti.s->percorsiPerAssestare = true;
            bool instradate = true;
            for (Tavola* t : {&testo, &punti}) {
                t->d->txtNodo = testsupport::gaussText(g);
                t->d->TxtOri = testsupport::lettersText(g);
                t->s->IncrocioRadice = radice;
                instradate = instradate && Disegna(*t->d, *t->s);
                // Spread wider until the routing succeeds, as a build does.
                bool fatto = instradate && PercorriBordo(*t->d, *t->s) && DisegnaArchi(*t->d, *t->s);
                for (int giro = 0; instradate && !fatto && giro < 3; ++giro) {
                    for (int i = 1; i <= t->d->NumArchi; ++i) {
                        Arco& x = t->d->archi[i];
                        x.Percorso.clear();
                        x.PuntiExtra.clear();
                        x.RigaFine = x.ColFine = 0;
                    }
                    t->s->FattoreLayout += t->s->FattoreLayout / 2;
                    t->s->MezzoFattore = t->s->FattoreLayout / 2;
                    fatto = StendiLayout(*t->d, *t->s) && PercorriBordo(*t->d, *t->s) &&
                            DisegnaArchi(*t->d, *t->s);
                }
                instradate = instradate && fatto;
            }
            if (!instradate) continue;  // only a routing that succeeds hands its paths on
            EXPECT_FALSE(testo.s->percorsiInMemoria);
            ASSERT_TRUE(punti.s->percorsiInMemoria);
            for (Tavola* t : {&testo, &punti}) {
                Assesta(*t->d, *t->s);
                RiparaArchi(*t->d, *t->s);
            }
            EXPECT_FALSE(punti.s->percorsiInMemoria);
            const Diagram &a = *testo.d, &b = *punti.d;
            ASSERT_EQ((std::vector{a.limiti.RigaMin, a.limiti.RigaMax, a.limiti.ColMin, a.limiti.ColMax}),
                      (std::vector{b.limiti.RigaMin, b.limiti.RigaMax, b.limiti.ColMin, b.limiti.ColMax}));
            for (int i = 1; i <= a.NumArchi; ++i) {
                EXPECT_EQ(a.archi[i].Percorso, b.archi[i].Percorso) << "arc " << i;
                EXPECT_EQ(a.archi[i].PuntiExtra, b.archi[i].PuntiExtra) << "arc " << i;
                EXPECT_EQ((std::pair{a.archi[i].RigaFine, a.archi[i].ColFine}),
                          (std::pair{b.archi[i].RigaFine, b.archi[i].ColFine}))
                    << "arc " << i;
            }
            int diverse = 0;
            for (int r = 0; r <= std::min(kMaxCella, a.limiti.RigaMax + 2); ++r)
                for (int c = 0; c <= std::min(kMaxCella, a.limiti.ColMax + 2); ++c) {
                    const CellaNodo &x = a.TblNodo.at(r, c), &y = b.TblNodo.at(r, c);
                    diverse += x.Tipo != y.Tipo || x.Numero != y.Numero || x.Posizione != y.Posizione;
                }
            EXPECT_EQ(diverse, 0);
            ++confrontati;
        }
    EXPECT_GE(confrontati, 8);
}

// The corner flipping of the tidying, pass after pass over every arc, begins each arc's try where a change
// since its last try may let a corner flip: it flips as trying every arc from its first corner does.
TEST(Straightening, PassesOfCornerFlippingResumeAsTriesFromTheFirstCorner) {
    int provate = 0, passi = 0;
    for (std::uint32_t seme = 1; seme <= 6; ++seme) {
        SCOPED_TRACE(seme);
        Tavola ripresa, piena;
        if (!instradaTreccia(seme, ripresa, piena)) continue;
        ++provate;
        for (Tavola* t : {&ripresa, &piena}) {
            Diagram& d = *t->d;
            LayoutState& s = *t->s;
            SettaLimiti(d);
            const LimitiNodo l = d.limiti;
            tieniPercorsiInMemoria(s);
            iniziaRaddrizzature(s);
            for (int giri = 0; giri < 10000; ++giri) {
                s.TracciatoCambiato = false;
                RaddrizzaGobbe(d, s, 0, l.RigaMin - 1, l.RigaMax + 1, l.ColMin - 1, l.ColMax + 1);
                if (!s.TracciatoCambiato) break;
            }
            fineRaddrizzature(d, s);
            if (t == &ripresa) {
                InvertiAngoliTutti(d, s, 0);
            } else {
                for (int giri = 0; giri < 10000; ++giri, ++passi) {
                    s.TracciatoCambiato = false;
                    for (int i = 1; i <= d.NumArchi; ++i)
                        InvertiAngolo(d, s, i, d.archi[i].RigaFine, d.archi[i].ColFine);
                    if (!s.TracciatoCambiato) break;
                }
            }
            scriviPercorsiInSospeso(d, s);
        }
        const Diagram &a = *ripresa.d, &b = *piena.d;
        for (int i = 1; i <= a.NumArchi; ++i)
            EXPECT_EQ(a.archi[i].Percorso, b.archi[i].Percorso) << "arc " << i;
        int diverse = 0;
        for (int r = 0; r < CellTable::kSize; ++r)
            for (int c = 0; c < CellTable::kSize; ++c) {
                const CellaNodo &x = a.TblNodo.at(r, c), &y = b.TblNodo.at(r, c);
                diverse += x.Tipo != y.Tipo || x.Numero != y.Numero || x.Posizione != y.Posizione;
            }
        EXPECT_EQ(diverse, 0);
    }
    EXPECT_GE(provate, 4);
    EXPECT_GT(passi, 2 * provate);  // flips that let others flip in later passes
}

}  // namespace
}  // namespace trevalon
