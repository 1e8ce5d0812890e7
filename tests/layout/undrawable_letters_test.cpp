// Letters that cannot be drawn are refused before any layout, exactly when the structure build finds
// fewer than crossings + 2 regions; a root crossing outside the diagram is refused, never indexed.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/gauss_code.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

constexpr std::string_view kNonDisegnabili = "the over/under letters cannot be drawn in the plane";

struct Build {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    std::unique_ptr<LayoutState> s = std::make_unique<LayoutState>();
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    AutomaticUi ui;
    std::string why;
    Build() { InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code); }
    Result<BuildTimes> run(const std::string& gauss, const std::string& ori) {
        d->txtNodo = gauss;
        d->TxtOri = ori;
        s->IncrocioRadice = 1;
        why.clear();
        return CostruisciDaCodice(*d, *s, st, RenderTarget{griglia, tbltt, palette, &ui}, ui, &why);
    }
};

// Whether the structure build finds the diagram's letters drawable: crossings + 2 regions.
bool planare(const std::string& gauss, const std::string& ori) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = gauss;
    d->TxtOri = ori;
    return CostruisciStrutturaRicerca(*d) && d->NumRegioni == d->NumIncroci + 2;
}

TEST(UndrawableLetters, RefusedBeforeLayoutExactlyWhenTheRegionsDoNotCloseThePlane) {
    struct Code {
        std::string name, gauss, ori;
    };
    std::vector<Code> codes;
    for (const ts::NamedKnot& k : ts::namedKnots()) codes.push_back({k.name, k.gauss, k.letters});
    for (std::uint32_t seed : {3u, 11u}) {
        const ts::GaussDiagram g = ts::randomBraidKnot(seed, 4, 40);
        codes.push_back({"braid " + std::to_string(seed), ts::gaussText(g), ts::lettersText(g)});
    }
    Build b;
    int rifiutati = 0;
    for (const Code& c : codes) {
        // The code as it is, then with each of (at most) six letters flipped.
        for (std::size_t k = 0; k <= std::min<std::size_t>(c.ori.size(), 6); ++k) {
            std::string ori = c.ori;
            if (k > 0) ori[k - 1] = ori[k - 1] == 'O' ? 'V' : 'O';
            SCOPED_TRACE(c.name + " " + ori);
            const bool disegnabili = planare(c.gauss, ori);
            if (k == 0) {
                EXPECT_TRUE(disegnabili);
            }
            const Result<BuildTimes> r = b.run(c.gauss, ori);
            if (disegnabili) {
                EXPECT_EQ(b.why.find(kNonDisegnabili), std::string::npos) << b.why;
                if (k == 0) {
                    EXPECT_TRUE(r.ok()) << b.why;
                }
            } else {
                ++rifiutati;
                ASSERT_FALSE(r.ok());
                EXPECT_EQ(r.error(), kErroreIndiciGau);
                EXPECT_EQ(b.why.rfind(kNonDisegnabili, 0), 0u) << b.why;
            }
        }
    }
    EXPECT_GT(rifiutati, 10);

    // A code whose interlacing has no plane drawing with any letters (one end of crossing 4 between the
    // two of crossing 3): the region walk finds more regions than a plane drawing has; refused the same.
    const Result<CodiceGauss> dispari =
        leggiCodiceGaussTesto("GaussCode=1,-2,2,-1,-3,4,3,-4\nIndices=1,1,1,-1\n");
    ASSERT_TRUE(dispari.ok());
    EXPECT_FALSE(planare(dispari->txtNodo, dispari->TxtOri));
    const Result<BuildTimes> r = b.run(dispari->txtNodo, dispari->TxtOri);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), kErroreIndiciGau);
    EXPECT_EQ(b.why.rfind(kNonDisegnabili, 0), 0u) << b.why;
}

// Codes whose interlacing no plane drawing has, whatever their letters, among them the smallest: refused by
// the check before any layout, never by the layout after its widenings, and saying why.
TEST(UndrawableLetters, AnOddInterlacingIsRefusedWithEveryLetters) {
    Build b;
    for (const std::string codice : {"1,2,-1,-2", "1,-2,3,-1,2,4,-3,-4", "1,2,3,-1,-3,-2"}) {
        const auto n = static_cast<std::size_t>(std::count(codice.begin(), codice.end(), ',') + 1) / 2;
        std::string indici = "1";
        for (std::size_t k = 1; k < n; ++k) indici += ",1";
        const Result<CodiceGauss> letto =
            leggiCodiceGaussTesto("GaussCode=" + codice + "\nIndices=" + indici + "\n");
        ASSERT_TRUE(letto.ok()) << codice;
        for (std::uint32_t maschera = 0; maschera < (1u << n); ++maschera) {
            std::string ori;
            for (std::size_t k = 0; k < n; ++k) ori += (maschera >> k & 1u) != 0 ? 'O' : 'V';
            SCOPED_TRACE(codice + " " + ori);
            const Result<BuildTimes> r = b.run(letto->txtNodo, ori);
            ASSERT_FALSE(r.ok());
            EXPECT_EQ(r.error(), kErroreIndiciGau);
            EXPECT_EQ(b.why.rfind(kNonDisegnabili, 0), 0u) << b.why;
            EXPECT_NE(b.why.find("(an odd number)"), std::string::npos) << b.why;
        }
    }
}

TEST(UndrawableLetters, ARootCrossingOutsideTheDiagramIsRefused) {
    Build b;
    b.d->txtNodo = "1-2+3-1+2-3+";
    b.d->TxtOri = "OOO";
    ASSERT_TRUE(Deserializza(*b.d));
    for (int radice : {0, -1, 4, kMaxIncroci + 1}) {
        b.s->IncrocioRadice = radice;
        const Status r = GeneraAlberoAmpiezza(*b.d, *b.s);
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error().find("root crossing " + std::to_string(radice)), std::string::npos) << r.error();
    }
}

}  // namespace
}  // namespace trevalon
