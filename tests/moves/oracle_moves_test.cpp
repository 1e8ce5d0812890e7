// Every move I and move II candidate of many diagrams, applied by its rewrite, must keep the knot: the new
// code is valid, drawable, has the expected crossing count and the same invariants as before.

#include <gtest/gtest.h>

#include <sstream>

#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;
namespace ts = trevalon::testsupport;

struct Conteggio {
    int candidatiI = 0, candidatiM = 0, candidatiP = 0;
    int senzaAttraversati = 0;  // kind P with no crossed arc: one stretch without inner crossings
    int opposti = 0;            // the two stretches run opposite ways
    void add(const Conteggio& o) {
        candidatiI += o.candidatiI;
        candidatiM += o.candidatiM;
        candidatiP += o.candidatiP;
        senzaAttraversati += o.senzaAttraversati;
        opposti += o.opposti;
    }
};

// Checks every candidate of one diagram; returns the counts by kind.
Conteggio verificaTutti(const std::string& gauss, const std::string& letters, const std::string& nome) {
    Conteggio n;
    auto d = costruisci(gauss, letters);
    if (!d) {
        ADD_FAILURE() << nome << ": the engine does not build " << gauss << " " << letters;
        return n;
    }
    const auto before = ts::invariantsOf(d->txtNodo, d->TxtOri);
    EXPECT_TRUE(before.drawable) << nome;
    for (Mossa kind : {Mossa::I, Mossa::II}) {
        const auto candidates = kind == Mossa::I ? CandidatiMossaI(*d) : CandidatiMossaII(*d);
        for (const CandidatoMossa& c : candidates) {
            if (kind == Mossa::I)
                ++n.candidatiI;
            else if (c.mossa.TipoCandidato == MoveIIRewrite::M)
                ++n.candidatiM;
            else
                ++n.candidatiP;
            if (kind == Mossa::II) {
                if (c.mossa.TipoCandidato == MoveIIRewrite::P && c.mossa.ListaArchiAttraversati == ",")
                    ++n.senzaAttraversati;
                // Field 5 of an entry is the crossing its stretch starts at.
                if (c.mossa.VoceMossa1.substr(18, c.mossa.VoceMossa1.find(',', 18) - 18) !=
                    c.mossa.VoceMossa2.substr(18, c.mossa.VoceMossa2.find(',', 18) - 18))
                    ++n.opposti;
            }
            std::ostringstream what;
            what << nome << " " << d->txtNodo << " " << d->TxtOri << " move "
                 << (kind == Mossa::I ? "I" : "II") << " "
                 << (c.mossa.TipoCandidato == MoveIIRewrite::M ? "M" : "P") << " [" << c.mossa.VoceMossa1
                 << "|" << c.mossa.VoceMossa2 << "] mossi=" << c.mossa.ListaArchiMossa
                 << " attr=" << c.mossa.ListaArchiAttraversati << " incr=" << c.mossa.ListaIncrociAttraversati
                 << " reg=" << c.mossa.ListaRegioniMossa << " inizio=" << c.mossa.IncrocioInizioMossa
                 << " nA=" << c.nA << " nB=" << c.nB;
            int conta = 1000;
            auto after = applica(*d, kind, c.mossa, conta);
            if (!after) {
                ADD_FAILURE() << what.str() << ": the rewrite failed";
                continue;
            }
            what << " -> " << after->txtNodo << " " << after->TxtOri;
            const int expected = incrociAttesi(*d, kind, c);
            EXPECT_EQ(static_cast<int>(after->TxtOri.size()), expected) << what.str();
            if (after->txtNodo.empty()) {
                EXPECT_EQ(before.determinant, 1) << what.str();
                continue;
            }
            try {
                EXPECT_TRUE(ts::drawable(after->txtNodo, after->TxtOri)) << what.str();
                EXPECT_TRUE(ts::sameKnot(d->txtNodo, d->TxtOri, after->txtNodo, after->TxtOri)) << what.str();
            } catch (const std::exception& e) {
                ADD_FAILURE() << what.str() << ": " << e.what();
            }
            EXPECT_TRUE(costruisci(after->txtNodo, after->TxtOri) != nullptr) << what.str();
        }
    }
    return n;
}

TEST(OracleMoves, ReducedAlternatingKnotsGiveNoCandidate) {
    for (const char* name : {"trefoil_right", "trefoil_left", "4_1", "5_2", "6_2"}) {
        const auto k = ts::namedKnot(name);
        auto d = costruisci(k.gauss, k.letters);
        ASSERT_TRUE(d) << name;
        EXPECT_TRUE(CandidatiMossaI(*d).empty()) << name;
        EXPECT_TRUE(CandidatiMossaII(*d).empty()) << name;
    }
}

TEST(OracleMoves, NamedKnotsEnlargedKeepTheirKnot) {
    Conteggio total;
    for (const auto& k : ts::namedKnots()) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            const auto g = ts::enlarged(ts::diagramOf(k), seed, ts::diagramOf(k).crossings() + 6 + 2 * seed);
            total.add(verificaTutti(ts::gaussText(g), ts::lettersText(g), k.name));
        }
    }
    EXPECT_GT(total.candidatiI, 0);
    EXPECT_GT(total.candidatiM, 0);
    EXPECT_GT(total.candidatiP, 0);
    EXPECT_GT(total.opposti, 0);
    std::cout << "named: I " << total.candidatiI << " M " << total.candidatiM << " P " << total.candidatiP
              << " P without crossed arcs " << total.senzaAttraversati << " opposite " << total.opposti
              << "\n";
}

TEST(OracleMoves, GeneratedDiagramsKeepTheirKnot) {
    Conteggio total;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const int size = seed == 10 ? 100 : 10 + static_cast<int>(seed) * 6;
        const auto u = ts::randomUnknot(seed, size);
        verificaTutti(ts::gaussText(u), ts::lettersText(u), "unknot " + std::to_string(seed));
        const auto b = ts::enlarged(ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 3), size / 2),
                                    seed + 50, size);
        total.add(verificaTutti(ts::gaussText(b), ts::lettersText(b), "braid " + std::to_string(seed)));
    }
    EXPECT_GT(total.candidatiP, 0);
    EXPECT_GT(total.senzaAttraversati, 0);
    EXPECT_GT(total.opposti, 0);
    std::cout << "generated: I " << total.candidatiI << " M " << total.candidatiM << " P " << total.candidatiP
              << " P without crossed arcs " << total.senzaAttraversati << " opposite " << total.opposti
              << "\n";
}

TEST(OracleMoves, LongTwistRegionsWithBigons) {
    // A twist region of 121 crossings gives far more move II entries than a fixed list of 10000 would hold.
    std::mt19937 rng(9);
    auto g = ts::braidClosure(2, ts::BraidWord(121, 1));
    for (int i = 0; i < 3; ++i) g = ts::addBigon(g, rng);
    g = ts::addCurl(g, 5, true, 1);
    const auto c = verificaTutti(ts::gaussText(g), ts::lettersText(g), "twist");
    EXPECT_GT(c.candidatiI + c.candidatiM + c.candidatiP, 0);
}

}  // namespace
}  // namespace trevalon
