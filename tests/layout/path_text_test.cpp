#include "layout/path_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "celldraw/disegno_da_codice.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

namespace ts = testsupport;
using Punti = std::vector<Punto>;

// A path text, the points the layout reads in it and what the checked reading gives (none: refused).
struct Lettura {
    const char* testo;
    Punti lette;
    std::optional<Punti> controllate;
};

TEST(PathText, BothReadingsAgreeOnWrittenPathsAndTheCheckedOneRefusesWhatIsNotTwoNumbers) {
    for (const Lettura& k : {
             Lettura{"3,4|5,6|", {{3, 4}, {5, 6}}, Punti{{3, 4}, {5, 6}}},
             Lettura{"3,4,|5,6,|", {{3, 4}, {5, 6}}, Punti{{3, 4}, {5, 6}}},  // as the layout writes them
             Lettura{"3,4|5,6", {{3, 4}}, Punti{{3, 4}}},  // the piece after the last "|" is no item
             Lettura{" 3 , 4 |-2,+7|", {{3, 4}, {-2, 7}}, Punti{{3, 4}, {-2, 7}}},
             Lettura{"3,4,9|", {{3, 4}}, Punti{{3, 4}}},  // a third field
             Lettura{"", {}, Punti{}},
             // Fractions: the layout reads the whole part, the check rounds halves to the even number.
             Lettura{"2.5,3.5|", {{2, 3}}, Punti{{2, 4}}},
             // Not two numbers: the layout reads 0 or skips the item, the check refuses.
             Lettura{"x,4|", {{0, 4}}, std::nullopt},
             Lettura{"3,4||", {{3, 4}}, std::nullopt},
             Lettura{"7|", {{7, 0}}, std::nullopt},
         }) {
        SCOPED_TRACE(k.testo);
        EXPECT_EQ(leggiVociPercorso(k.testo), k.lette);
        const Result<Punti> controllate = leggiVociControllate(k.testo);
        ASSERT_EQ(controllate.ok(), k.controllate.has_value()) << controllate.error();
        if (controllate) {
            EXPECT_EQ(*controllate, *k.controllate);
        } else {
            EXPECT_NE(controllate.error().find("is not a row and a column"), std::string::npos);
        }
    }
}

TEST(PathText, ThePathsOfALaidOutKnotReadAlikeAndWriteBackAsTheyRead) {
    for (const std::uint32_t seed : {3u, 11u}) {
        const ts::GaussDiagram g = ts::randomBraidKnot(seed, 4, 14);
        fixture::Disegnato disegno;
        ASSERT_TRUE(disegno.costruisci(ts::gaussText(g), ts::lettersText(g))) << seed;
        const Diagram& d = *disegno.d;
        std::size_t letti = 0;
        for (int a = 1; a <= d.NumArchi; ++a) {
            const std::string& testo = d.archi[static_cast<std::size_t>(a)].Percorso;
            const Punti punti = leggiVociPercorso(testo);
            letti += punti.size();
            const Result<Punti> controllate = leggiVociControllate(testo);
            ASSERT_TRUE(controllate.ok()) << controllate.error();
            EXPECT_EQ(*controllate, punti) << seed << " arc " << a;
            const std::string scritto = scriviVociPercorso(punti);
            std::string voce;
            for (const Punto& p : punti) aggiungiVoce(voce, p);
            EXPECT_EQ(voce, scritto);
            EXPECT_EQ(leggiVociPercorso(scritto), punti);
        }
        EXPECT_GT(letti, static_cast<std::size_t>(d.NumArchi)) << seed;
    }
}

}  // namespace
}  // namespace trevalon
