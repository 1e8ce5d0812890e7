// Border routes through random mazes: a route whose path is kept in memory removes its loops as it walks,
// and must leave what listing its walk and removing the loops afterwards leaves; a route cut short says
// whether its other end can be reached as a plain flood from where it stopped says.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "layout/cell_access.h"
#include "layout/path_text.h"
#include "layout/routing.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

// A drawing: a block of arc 7 over rows and columns 20..40 with a crossing on its top edge, whose stub
// (19, 25) starts arc 3, and one on its bottom edge, whose stub (41, 35) ends it; around it, walls of arc 7
// strewn over rows and columns 12..48 with the given density, but beside the two stubs.
struct Labirinto : fixture::TavolaVuota {
    static constexpr int kDa = 12, kA = 48;
    Labirinto(std::uint32_t seme, double densita) {
        std::mt19937 g(seme);
        std::bernoulli_distribution muro(densita);
        for (int r = kDa; r <= kA; ++r)
            for (int c = kDa; c <= kA; ++c) {
                const bool blocco = r >= 20 && r <= 40 && c >= 20 && c <= 40;
                const bool accanto =
                    (r >= 18 && r <= 19 && c >= 24 && c <= 26) || (r >= 41 && r <= 42 && c >= 34 && c <= 36);
                if (blocco || (!accanto && muro(g))) metti(r, c, 'A', 7);
            }
        metti(20, 25, 'I', 1);
        metti(19, 25, 'A', 3);
        metti(40, 35, 'I', 2);
        metti(41, 35, 'A', 3);
    }
    Status instrada() { return ListaPuntiBordo(*d, *s, 3, 19, 25, 41, 35, 20, 25); }
};

TEST(BorderRoutes, LoopsRemovedOnTheWayLeaveWhatRemovingThemAfterLeaves) {
    int riusciti = 0, conAnelli = 0;
    for (std::uint32_t seme = 1; seme <= 300; ++seme) {
        const double densita = 0.1 + 0.05 * (seme % 5);
        Labirinto dopo(seme, densita), inCammino(seme, densita);
        tieniPercorsiInMemoria(*inCammino.s);
        const Status a = dopo.instrada(), b = inCammino.instrada();
        ASSERT_EQ(static_cast<bool>(a), static_cast<bool>(b)) << seme;
        if (!a) {
            EXPECT_EQ(a.error(), b.error()) << seme;
            continue;
        }
        ++riusciti;
        EXPECT_EQ(dopo.s->punti, inCammino.s->punti) << seme;
        EXPECT_EQ(dopo.s->BufferPunti, inCammino.s->BufferPunti) << seme;
        EXPECT_EQ(leggiVociPercorso(dopo.d->archi[3].Percorso), puntiPercorso(*inCammino.d, *inCammino.s, 3))
            << seme;
        EXPECT_EQ(dopo.d->archi[3].PuntiExtra, inCammino.d->archi[3].PuntiExtra) << seme;
        for (int r = 0; r <= Labirinto::kA + 10; ++r)
            for (int c = 0; c <= Labirinto::kA + 10; ++c) {
                const CellaNodo &x = dopo.d->TblNodo.at(r, c), &y = inCammino.d->TblNodo.at(r, c);
                ASSERT_TRUE(x.Tipo == y.Tipo && x.Numero == y.Numero && x.Posizione == y.Posizione)
                    << seme << " at " << r << "," << c;
            }
        // A walk that went into a dead end and came back has lost cells to its loops (every cell it
        // walked counts 7 characters here).
        if (dopo.s->bufferChars / 7 > dopo.s->punti.size()) ++conAnelli;
    }
    EXPECT_GE(riusciti, 200);
    EXPECT_GE(conAnelli, 100);
}

// Free for arc 3, by a flood a cell at a time. The free ring of rows and columns 10, 11, 49 and 50 joins
// whatever can be joined outside the walls, so the flood stays within it.
bool raggiungibilePerInondazione(const Diagram& d, Punto a, Punto b) {
    constexpr int kDa = Labirinto::kDa - 2, kA = Labirinto::kA + 2;
    std::vector<std::vector<char>> visto(kA + 1, std::vector<char>(kA + 1, 0));
    std::deque<Punto> coda{a};
    visto[a.r][a.c] = 1;
    while (!coda.empty()) {
        const Punto p = coda.front();
        coda.pop_front();
        if (p == b) return true;
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (q.r < kDa || q.c < kDa || q.r > kA || q.c > kA || !liberaPerArco(d, 3, q.r, q.c) ||
                visto[q.r][q.c])
                continue;
            visto[q.r][q.c] = 1;
            coda.push_back(q);
        }
    }
    return false;
}

TEST(BorderRoutes, ARouteCutShortTellsAShutInEndAsAFloodDoes) {
    int chiusi = 0, aperti = 0;
    for (std::uint32_t seme = 1; seme <= 200; ++seme) {
        // Around the threshold where the free cells stop joining up.
        Labirinto t(seme, 0.3 + 0.04 * (seme % 5));
        t.s->maxCaratteriPercorso = 60;
        const Status esito = t.instrada();
        if (esito || t.s->BufferPunti.empty()) continue;
        const bool raggiunta = raggiungibilePerInondazione(*t.d, t.s->BufferPunti.back(), {41, 35});
        (raggiunta ? aperti : chiusi) += 1;
        EXPECT_EQ(esito.error(), raggiunta ? "the route of arc 3 is too long"
                                           : "the route of arc 3 is too long: routes laid before it have "
                                             "shut its other end in")
            << seme;
    }
    EXPECT_GE(chiusi, 20);
    EXPECT_GE(aperti, 50);
}

}  // namespace
}  // namespace trevalon
