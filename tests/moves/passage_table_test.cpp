// The passage table read straight from a code, and the quick move I and II tests on it, against the
// diagram the build makes of the same code; and the horizontal search's tree filed by records examined
// side by side against the tree filed by records examined in turn.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

// Codes as the search meets them: scrambled sums, braids, unknots with curls and bigons, minimal knots,
// each also read from another passage (the build starts at crossing 1 whatever the text's start).
std::vector<ts::GaussDiagram> casi() {
    std::vector<ts::GaussDiagram> out;
    for (const ts::ScrambledCase& c : ts::scrambledCases(42, 24, 12, 70)) out.push_back(c.diagram);
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        out.push_back(ts::randomBraidKnot(seed, 3 + seed % 4, 12 + 3 * static_cast<int>(seed)));
        ts::GaussDiagram u = ts::randomUnknot(seed, 15);
        std::mt19937 rng(seed);
        out.push_back(ts::addCurl(u, static_cast<int>(seed % 5), seed % 2 == 0, seed % 3 ? 1 : -1));
        out.push_back(ts::addBigon(u, rng));
    }
    for (const char* nome : {"trefoil_right", "4_1", "5_2", "6_2", "8_19"})
        out.push_back(ts::diagramOf(ts::namedKnot(nome)));
    out.push_back(ts::braidClosure(4, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    const std::size_t primi = out.size();
    for (std::size_t k = 0; k < primi; k += 3) out.push_back(ts::rotated(out[k], 3 + static_cast<int>(k)));
    return out;
}

TEST(PassageTable, QuickMoveTestsAgreeWithTheBuiltDiagram) {
    int conMossaI = 0, conMossaII = 0, senza = 0;
    for (const ts::GaussDiagram& g : casi()) {
        const std::string codice = ts::gaussText(g), lettere = ts::lettersText(g);
        SCOPED_TRACE(codice + " " + lettere);
        const auto d = costruisci(codice, lettere);
        ASSERT_TRUE(d);
        TabellaPassaggi rapida, costruita;
        ASSERT_TRUE(TabellaDaCodice(codice, lettere, rapida));
        TabellaDaDiagramma(*d, costruita);
        EXPECT_EQ(rapida.numIncroci, costruita.numIncroci);
        EXPECT_EQ(rapida.padre, costruita.padre);
        EXPECT_EQ(rapida.gemello, costruita.gemello);
        EXPECT_EQ(rapida.segno, costruita.segno);
        EXPECT_EQ(rapida.dirad, costruita.dirad);
        const bool mossaI = !CandidatiMossaI(*d).empty(), mossaII = !CandidatiMossaII(*d).empty();
        EXPECT_EQ(EsisteMossaI(rapida), mossaI);
        EXPECT_EQ(EsisteMossaII(rapida), mossaII);
        EXPECT_EQ(EsisteMossaII(rapida, TipoTMan::I), !CandidatiMossaII(*d, TipoTMan::I).empty());
        conMossaI += mossaI;
        conMossaII += !mossaI && mossaII;
        senza += !mossaI && !mossaII;
    }
    EXPECT_GT(conMossaI, 5);
    EXPECT_GT(conMossaII, 5);
    EXPECT_GT(senza, 3);
}

TEST(PassageTable, CodesTheBuildRefusesGiveNoTable) {
    struct Caso {
        const char* codice;
        const char* lettere;
    };
    const Caso casi[] = {
        {"", ""},                   // no passage
        {"2-3+2+3-", "OO"},         // no crossing 1, one letter short
        {"1-2+3-1+2-3+", "OO"},     // a letter short
        {"1-2+3-1+2-3+", "OOX"},    // not a letter of the code
        {"1-2+1-2+", "OO"},         // each crossing passed twice on the same strand
        {"1-2+3-1+2-3+1+", "OOO"},  // crossing 1 passed three times
        {"1-2+3-1+2+", "OOO"},      // crossing 3 passed once
        {"1-2+x-1+2-3+", "OOO"},    // not a code
    };
    for (const Caso& c : casi) {
        TabellaPassaggi t;
        EXPECT_FALSE(TabellaDaCodice(c.codice, c.lettere, t)) << c.codice << " " << c.lettere;
        EXPECT_FALSE(EsisteMossaI(t));
        EXPECT_FALSE(EsisteMossaII(t));
    }
}

// A window in the complete run whose look-ahead examines the tree's records on isolated instances of its
// own, side by side. (The fake window's look-ahead takes no crossing names: the records' names are not
// compared.)
struct CorsaAffiancata : FintaFinestra {
    explicit CorsaAffiancata(int quante) {
        esterna = &automatico;
        opz.ModoAutomatico = opz.CorsaCompleta = true;
        for (int k = 0; k < quante; ++k) {
            auto p = std::make_unique<FintaFinestra>();
            p->esterna = &p->automatico;
            p->opz.nascosta = p->opz.ModoAutomatico = true;
            isolate.push_back(std::move(p));
        }
    }
    std::vector<FinestraPonte*> proveIsolate() override {
        std::vector<FinestraPonte*> out;
        for (auto& p : isolate) out.push_back(p.get());
        return out;
    }
    std::vector<std::unique_ptr<FintaFinestra>> isolate;
    StatoPonte s;
};

TEST(SideBySideSearch, FilesTheTreeThatRecordsExaminedInTurnFile) {
    // Minimal diagrams whose trees have hundreds or thousands of records (rounds of records examined side by
    // side, each filed while the next is examined), and a diagram the search simplifies.
    const std::vector<ts::GaussDiagram> diagrammi = {
        ts::braidClosure(3, ts::BraidWord{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2}),
        ts::braidClosure(4, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}),
        ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 9, 22),
    };
    // One instance: the window's thread examines every round alone; three: two threads beside it.
    for (const auto& [g, quante] : {std::pair{diagrammi[0], 1}, std::pair{diagrammi[0], 3},
                                    std::pair{diagrammi[1], 3}, std::pair{diagrammi[2], 3}}) {
        SCOPED_TRACE(ts::gaussText(g) + " on " + std::to_string(quante));
        CorsaAffiancata inTurno(0), affiancata(quante);
        ASSERT_TRUE(inTurno.carica(g));
        ASSERT_TRUE(affiancata.carica(g));
        const RisultatoPonte a = CmdTpon2_Click(inTurno, inTurno.s);
        const RisultatoPonte b = CmdTpon2_Click(affiancata, affiancata.s);
        EXPECT_EQ(a.esito, b.esito);
        EXPECT_EQ(a.mossaTipo, b.mossaTipo);
        EXPECT_EQ(inTurno.passi, affiancata.passi);
        const AlberoOrizzontale& t1 = inTurno.albero();
        const AlberoOrizzontale& t2 = affiancata.albero();
        ASSERT_EQ(t1.NumListaUg(), t2.NumListaUg());
        for (long i = 0; i <= t1.NumListaUg(); ++i) {
            const NodoLista r1 = t1.record(i), r2 = t2.record(i);
            ASSERT_EQ(r1.Codice, r2.Codice) << "record " << i;
            EXPECT_EQ(r1.Ori, r2.Ori) << "record " << i;
            EXPECT_EQ(r1.IndicePadre, r2.IndicePadre) << "record " << i;
            EXPECT_EQ(r1.Mossa, r2.Mossa) << "record " << i;
            EXPECT_EQ(r1.NumGiro, r2.NumGiro) << "record " << i;
        }
        EXPECT_EQ(inTurno.prova().contaNuoviIncroci(), affiancata.prova().contaNuoviIncroci());
    }
}

}  // namespace
}  // namespace trevalon
