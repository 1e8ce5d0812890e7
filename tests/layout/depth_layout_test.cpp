#include "layout/depth_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "layout/auto_layout.h"
#include "layout/cell_marks.h"
#include "model/structure.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

int latoOpposto(int lato) {
    return lato > 2 ? lato - 2 : lato + 2;
}

TEST(DepthFirstLayout, TreeIsDepthFirstAndItsSidesAreAnEmbedding) {
    for (const char* nome : {"trefoil_left", "4_1", "5_2", "7_1", "8_19", "granny"}) {
        const testsupport::NamedKnot k = testsupport::namedKnot(nome);
        auto d = std::make_unique<Diagram>();
        auto s = std::make_unique<LayoutState>();
        d->txtNodo = k.gauss;
        d->TxtOri = k.letters;
        s->IncrocioRadice = 2;
        ASSERT_TRUE(DisegnaProf(*d, *s)) << nome;
        const int n = d->NumIncroci;

        // Every crossing once in the tree, at its own work cell, each child on its side of its parent.
        EXPECT_EQ(s->FondoCoda, n - 1) << nome;
        for (int i = 1; i <= n; ++i) {
            const Incrocio& x = d->incroci[i];
            EXPECT_EQ(x.Posto, 1) << nome;
            EXPECT_EQ(s->TblNodoAlbero.Tipo(x.Riga, x.Colonna), 'I') << nome << " " << i;
            EXPECT_EQ(s->TblNodoAlbero.Numero(x.Riga, x.Colonna), i) << nome;
        }
        std::vector<int> padre(static_cast<std::size_t>(n) + 1, 0);
        for (int q = 1; q <= s->FondoCoda; ++q) {
            const ElementoCoda& e = s->CodaAlbero[q];
            const Incrocio& p = d->incroci[e.IncrocioPadre];
            const Incrocio& f = d->incroci[e.IncrocioFiglio];
            const int dr[5] = {0, -1, 0, 1, 0}, dc[5] = {0, 0, 1, 0, -1};
            // Placed beside its parent; a line opened later between them keeps them on one line, on that
            // side.
            const int passi = std::max(std::abs(f.Riga - p.Riga), std::abs(f.Colonna - p.Colonna));
            EXPECT_GE(passi, 1) << nome << " record " << q;
            EXPECT_EQ(f.Riga, p.Riga + passi * dr[e.LatoPadre]) << nome << " record " << q;
            EXPECT_EQ(f.Colonna, p.Colonna + passi * dc[e.LatoPadre]) << nome << " record " << q;
            EXPECT_EQ(f.ArcoLato[latoOpposto(e.LatoPadre)], e.ArcoPadre) << nome << " record " << q;
            EXPECT_EQ(d->archi[e.ArcoPadre].Posto, 1) << nome;
            padre[static_cast<std::size_t>(e.IncrocioFiglio)] = e.IncrocioPadre;
            // Depth first: each record hangs from the crossing placed just before or from one of its
            // ancestors.
            const int ultimo = q == 1 ? s->IncrocioRadice : s->CodaAlbero[q - 1].IncrocioFiglio;
            bool antenato = false;
            for (int a = ultimo; a != 0 && !antenato; a = padre[static_cast<std::size_t>(a)])
                antenato = a == e.IncrocioPadre;
            EXPECT_TRUE(antenato) << nome << " record " << q;
        }
        EXPECT_EQ(s->CodaAlbero[1].IncrocioPadre, 2) << nome;

        // The sides are a plane embedding: a plane diagram's regions.
        ASSERT_TRUE(Cmdgecare_Click(*d)) << nome;
        EXPECT_EQ(d->NumRegioni, n + 2) << nome;
    }
}

TEST(DepthFirstLayout, RootBadCodeAndStepViews) {
    const testsupport::NamedKnot k = testsupport::namedKnot("5_2");
    auto d = std::make_unique<Diagram>();
    auto s = std::make_unique<LayoutState>();
    GridControl griglia;
    MarcheCelle marche(griglia, nullptr);
    s->hook = &marche;
    d->txtNodo = k.gauss;
    d->TxtOri = k.letters;
    s->IncrocioRadice = 99;
    ASSERT_TRUE(DisegnaProf(*d, *s));
    EXPECT_EQ(s->IncrocioRadice, 1);
    EXPECT_EQ(s->CodaAlbero[1].IncrocioPadre, 1);
    // One step view per placed crossing at least, and the spread.
    EXPECT_GE(marche.pause(), d->NumIncroci);

    // A code with no crossing cannot be laid out.
    auto vuoto = std::make_unique<Diagram>();
    EXPECT_FALSE(DisegnaProf(*vuoto, *s).ok());
}

}  // namespace
}  // namespace trevalon
