// Every move I, move II and bridge candidate of many diagrams, applied by its rewrite, must keep the knot:
// the new code is valid, drawable, has the expected crossing count and the same invariants as before.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "moves/bridge_rewrite.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

struct Conteggio {
    int I = 0, M = 0, P = 0;
    int senzaAttraversati = 0;  // kind P with no crossed arc: one stretch without inner crossings
    int opposti = 0;            // the two stretches run opposite ways
};

void verificaTutti(const ts::GaussDiagram& g, const std::string& nome, Conteggio& n) {
    auto d = costruisci(g);
    ASSERT_TRUE(d) << nome << ": the engine does not build " << ts::gaussText(g);
    const auto before = ts::invariantsOf(d->txtNodo, d->TxtOri);
    // Field 5 of an entry: the crossing its stretch starts at.
    auto inizio = [](const std::string& voce) { return voce.substr(18, voce.find(',', 18) - 18); };
    for (MoveKind kind : {MoveKind::I, MoveKind::II}) {
        for (const CandidatoMossa& c : kind == MoveKind::I ? CandidatiMossaI(*d) : CandidatiMossaII(*d)) {
            const MossaScelta& m = c.mossa;
            if (kind == MoveKind::I) {
                ++n.I;
            } else {
                ++(diTipoM(m) ? n.M : n.P);
                n.senzaAttraversati += !diTipoM(m) && m.ListaArchiAttraversati == ",";
                n.opposti += inizio(m.VoceMossa1) != inizio(m.VoceMossa2);
            }
            SCOPED_TRACE(nome + " " + d->txtNodo + " " + d->TxtOri + " [" + m.VoceMossa1 + "|" +
                         m.VoceMossa2 + "] mossi=" + m.ListaArchiMossa + " attr=" + m.ListaArchiAttraversati);
            int conta = 1000;
            const auto after = applica(*d, kind, m, conta);
            ASSERT_TRUE(after) << "the rewrite failed";
            EXPECT_EQ(static_cast<int>(after->TxtOri.size()), incrociAttesi(*d, kind, c)) << after->txtNodo;
            if (after->txtNodo.empty()) {
                EXPECT_EQ(before.determinant, 1);
                continue;
            }
            EXPECT_TRUE(ts::drawable(after->txtNodo, after->TxtOri)) << after->txtNodo;
            EXPECT_TRUE(ts::sameKnot(d->txtNodo, d->TxtOri, after->txtNodo, after->TxtOri)) << after->txtNodo;
            EXPECT_TRUE(costruisci(after->txtNodo, after->TxtOri) != nullptr) << after->txtNodo;
        }
    }
}

TEST(OracleMoves, NamedKnotsEnlargedKeepTheirKnot) {
    Conteggio n;
    for (const auto& k : ts::namedKnots())
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            const auto g = ts::diagramOf(k);
            verificaTutti(ts::enlarged(g, seed, g.crossings() + 6 + 2 * seed), k.name, n);
        }
    EXPECT_GT(std::min({n.I, n.M, n.P, n.opposti}), 0);
}

TEST(OracleMoves, GeneratedDiagramsKeepTheirKnot) {
    Conteggio unknots, n;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const int size = seed == 10 ? 100 : 10 + static_cast<int>(seed) * 6;
        verificaTutti(ts::randomUnknot(seed, size), "unknot " + std::to_string(seed), unknots);
        const auto b = ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 3), size / 2);
        verificaTutti(ts::enlarged(b, seed + 50, size), "braid " + std::to_string(seed), n);
    }
    EXPECT_GT(std::min({n.P, n.senzaAttraversati, n.opposti}), 0);
}

TEST(OracleMoves, LongTwistRegionsWithBigons) {
    // A twist region of 121 crossings gives far more move II entries than a fixed list of 10000 would hold.
    std::mt19937 rng(9);
    auto g = ts::braidClosure(2, ts::BraidWord(121, 1));
    for (int i = 0; i < 3; ++i) g = ts::addBigon(g, rng);
    Conteggio n;
    verificaTutti(ts::addCurl(g, 5, true, 1), "twist", n);
    EXPECT_GT(n.I + n.M + n.P, 0);
}

// Applies at most `massimo` candidates of each bridge kind; counts move III and horizontal ones.
void verificaPonti(const Diagram& d, int& terzi, int& orizzontali, int massimo) {
    for (char ab1 : {'-', '+'})
        for (bool orizzontale : {false, true}) {
            int visti = 0;
            EnumeraCandidatiPonte(d, ab1, ab1 == '-' ? '+' : '-', orizzontale, [&](const CandidatoPonte& c) {
                for (int a : c.archiAttraversati)
                    for (int b : c.archiPonte) EXPECT_NE(a, b) << "route crosses its own bridge";
                EXPECT_EQ(c.regioni.size(), c.archiAttraversati.size() + 1);
                const int lunghezza = static_cast<int>(c.archiAttraversati.size());
                // A horizontal route crosses as many arcs as the bridge passes; a move III fewer.
                EXPECT_TRUE(orizzontale ? lunghezza == c.incrociPonte : lunghezza < c.incrociPonte)
                    << lunghezza;
                SCOPED_TRACE(d.txtNodo + " " + d.TxtOri + " bridge " + c.mossa.ListaArchiMossa + " (" + ab1 +
                             ") route " + c.mossa.ListaArchiAttraversati + " regions " +
                             c.mossa.ListaRegioniMossa);
                int contatore = 7;
                const auto r = NuovoNodoDaPonte(d, c.mossa, ab1, contatore);
                EXPECT_TRUE(r.ok()) << r.error();
                if (!r) return true;
                EXPECT_EQ(contatore, 7 + lunghezza);
                const int attese = d.NumIncroci - c.incrociPonte + lunghezza;
                EXPECT_EQ(static_cast<int>(r->TxtOri.size()), attese);
                EXPECT_EQ(r->nodoBanale, attese == 0);
                EXPECT_TRUE(ts::sameKnot(d.txtNodo, d.TxtOri, r->txtNodo, r->TxtOri)) << r->txtNodo;
                ++(orizzontale ? orizzontali : terzi);
                return ++visti < massimo;
            });
        }
}

TEST(OracleMoves, EveryBridgeCandidateKeepsTheKnot) {
    int terzi = 0, orizzontali = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TREVALON_TEST_DATA)) {
        if (entry.path().extension() != ".gau") continue;
        auto g = ts::readGauFile(entry.path().string());
        ASSERT_TRUE(g) << entry.path();
        auto d = costruisci(*g);
        ASSERT_TRUE(d) << entry.path();
        verificaPonti(*d, terzi, orizzontali, 400);
    }
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        for (const auto& g : {ts::randomUnknot(seed, 12 + 2 * static_cast<int>(seed)),
                              ts::randomBraidKnot(seed, 3 + seed % 3, 8 + static_cast<int>(seed))}) {
            auto d = costruisci(g);
            ASSERT_TRUE(d) << seed;
            verificaPonti(*d, terzi, orizzontali, 60);
        }
    }
    EXPECT_GT(terzi, 10);
    EXPECT_GT(orizzontali, 10);
}

}  // namespace
}  // namespace trevalon
