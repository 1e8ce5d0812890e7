#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "moves/bridge_lists.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves_fixture.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

// A diagram built from its code as the automatic run builds it: check, read, sides, structure.
using movetest::costruisci;

std::unique_ptr<Diagram> costruisci(const ts::GaussDiagram& g) {
    return costruisci(ts::gaussText(g), ts::lettersText(g));
}

char altro(char s) {
    return s == '-' ? '+' : '-';
}

struct Conteggio {
    int terzo = 0;
    int orizzontali = 0;
};

// Applies every candidate of both kinds with the rewrite and checks the knot and the crossing count.
void verificaCandidati(const Diagram& d, Conteggio& conta, int massimoPerTipo = 400) {
    const std::string label = d.txtNodo + " " + d.TxtOri;
    for (char ab1 : {'-', '+'})
        for (bool orizzontale : {false, true}) {
            int visti = 0;
            EnumeraCandidatiPonte(d, ab1, altro(ab1), orizzontale, [&](const CandidatoPonte& c) {
                for (int a : c.archiAttraversati)
                    for (int b : c.archiPonte) EXPECT_NE(a, b) << "route crosses its own bridge";
                EXPECT_EQ(c.regioni.size(), c.archiAttraversati.size() + 1);
                const int lunghezza = static_cast<int>(c.archiAttraversati.size());
                if (orizzontale)
                    EXPECT_EQ(lunghezza, c.incrociPonte);
                else
                    EXPECT_LT(lunghezza, c.incrociPonte);
                int contatore = 7;
                const auto r = NuovoNodoDaPonte(d, c.mossa, ab1, contatore);
                EXPECT_TRUE(r.ok()) << label << " bridge " << c.mossa.ListaArchiMossa << " route "
                                    << c.mossa.ListaArchiAttraversati << ": " << r.error();
                if (!r) return true;
                const NuovoNodo& e = *r;
                EXPECT_EQ(contatore, 7 + lunghezza);
                const int attese = d.NumIncroci - c.incrociPonte + lunghezza;
                EXPECT_EQ(static_cast<int>(e.TxtOri.size()), attese);
                EXPECT_EQ(e.nodoBanale, attese == 0);
                EXPECT_TRUE(ts::sameKnot(d.txtNodo, d.TxtOri, e.txtNodo, e.TxtOri))
                    << label << " bridge " << c.mossa.ListaArchiMossa << " (" << ab1 << ") route "
                    << c.mossa.ListaArchiAttraversati << " regions " << c.mossa.ListaRegioniMossa << " -> "
                    << e.txtNodo << " " << e.TxtOri;
                (orizzontale ? conta.orizzontali : conta.terzo) += 1;
                return ++visti < massimoPerTipo;
            });
        }
}

std::vector<std::string> fileNodi() {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(TREVALON_TEST_DATA))
        if (entry.path().extension() == ".gau") out.push_back(entry.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(BridgeRewrite, EveryCandidateOfTheNamedKnotsKeepsTheKnot) {
    Conteggio conta;
    for (const auto& path : fileNodi()) {
        auto g = ts::readGauFile(path);
        ASSERT_TRUE(g) << path;
        auto d = costruisci(*g);
        ASSERT_TRUE(d) << path;
        verificaCandidati(*d, conta);
    }
    EXPECT_GT(conta.orizzontali, 0);
}

TEST(BridgeRewrite, EveryCandidateOfGeneratedDiagramsKeepsTheKnot) {
    Conteggio conta;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        auto unknot = costruisci(ts::randomUnknot(seed, 12 + 2 * static_cast<int>(seed)));
        ASSERT_TRUE(unknot) << seed;
        verificaCandidati(*unknot, conta, 60);
        auto braid = costruisci(ts::randomBraidKnot(seed, 3 + seed % 3, 8 + static_cast<int>(seed)));
        ASSERT_TRUE(braid) << seed;
        verificaCandidati(*braid, conta, 60);
    }
    EXPECT_GT(conta.terzo, 10);
    EXPECT_GT(conta.orizzontali, 10);
}

}  // namespace
}  // namespace trevalon
