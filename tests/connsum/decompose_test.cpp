#include "connsum/decompose.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "celldraw/disegno_da_codice.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

ts::GaussDiagram nodo(const std::string& nome) {
    return ts::diagramOf(ts::namedKnot(nome));
}

// Every summand found is one of the expected knots, each expected knot is found once.
::testing::AssertionResult sonoGliAddendi(const std::vector<AddendoPrimo>& trovati,
                                          std::vector<ts::GaussDiagram> attesi) {
    if (trovati.size() != attesi.size()) {
        auto f = ::testing::AssertionFailure();
        f << trovati.size() << " summands, expected " << attesi.size() << ":";
        for (const AddendoPrimo& a : trovati) f << " " << a.txtNodo << " " << a.TxtOri << ";";
        return f;
    }
    for (const AddendoPrimo& a : trovati) {
        bool trovato = false;
        for (auto it = attesi.begin(); it != attesi.end(); ++it) {
            if (!ts::sameKnot(a.txtNodo, a.TxtOri, ts::gaussText(*it), ts::lettersText(*it))) continue;
            attesi.erase(it);
            trovato = true;
            break;
        }
        if (!trovato)
            return ::testing::AssertionFailure() << "unexpected summand " << a.txtNodo << " " << a.TxtOri;
    }
    return ::testing::AssertionSuccess();
}

// The whole road the window takes, without a person: laid out from its code, the first sum the search
// shows is split, each summand opened again from its file's text and searched again. Composite knots fall
// into their prime summands, prime knots stay whole, and the diagram is as it was.
TEST(ScomponiInPrimi, CompositeKnotsFallIntoTheirPrimeSummands) {
    struct Caso {
        std::string nome;
        ts::GaussDiagram somma;
        std::vector<ts::GaussDiagram> addendi;
    };
    const ts::GaussDiagram t = nodo("trefoil_right"), tl = nodo("trefoil_left"), f8 = nodo("4_1"),
                           k52 = nodo("5_2"), k71 = nodo("7_1");
    std::vector<Caso> casi = {
        {"trefoil # trefoil", ts::connectedSum(t, t), {t, t}},
        {"trefoil # figure-eight", ts::connectedSum(t, f8), {t, f8}},
        {"granny", nodo("granny"), {t, t}},
        {"square", nodo("square"), {t, tl}},
        {"trefoil # figure-eight # 5_2", ts::connectedSum(ts::connectedSum(t, f8), k52), {t, f8, k52}},
        {"7_1 # 5_2 cut elsewhere", ts::connectedSum(k71, k52, 3, 5), {k71, k52}},
        {"a sum with a curl on each side",
         ts::addCurl(ts::addCurl(ts::connectedSum(f8, k52), 2, true, 1), 12, false, -1),
         {f8, k52}},
        {"trefoil", t, {t}},
        {"5_2", k52, {k52}},
        {"7_1", k71, {k71}},
    };
    // The granny and the square of the table are made of trefoils of either hand.
    casi[2].addendi =
        ts::sameKnot(ts::connectedSum(t, t), nodo("granny")) ? std::vector{t, t} : std::vector{tl, tl};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        fixture::Disegnato dis;
        ASSERT_TRUE(dis.costruisci(ts::gaussText(c.somma), ts::lettersText(c.somma)));
        const std::string codice = dis.d->txtNodo;
        const LimitiNodo limiti = dis.d->limiti;
        const Result<Scomposizione> scomposto = scomponiInPrimi(*dis.d);
        ASSERT_TRUE(scomposto.ok()) << scomposto.error();
        EXPECT_TRUE(sonoGliAddendi(scomposto->primi, c.addendi));
        EXPECT_EQ(dis.d->txtNodo, codice);
        EXPECT_EQ(dis.d->limiti.RigaMax, limiti.RigaMax);
        EXPECT_EQ(dis.d->limiti.ColMax, limiti.ColMax);
    }
}

// The knot of a summand found is the trivial one: a drawing of the unknot that no sum splits further.
bool banale(const AddendoPrimo& a) {
    const ts::KnotInvariants k = ts::invariantsOf(a.txtNodo, a.TxtOri);
    return k.determinant == 1 && k.jones && *k.jones == ts::Laurent::monomial(1, 0);
}

// Sums hidden behind extra crossings: each summand drawn larger by curls, bigons and strands rerouted
// across the other, so that the two cut ends of a summand may lie in different regions of its drawing.
// Every summand found is one of the two knots or a drawing of the unknot, and each knot is found once.
TEST(ScomponiInPrimi, SumsHiddenBehindExtraCrossingsStillFallIntoTheirSummands) {
    const char* nomi[] = {"trefoil_right", "4_1", "5_2", "6_2", "7_1", "5_1"};
    for (std::uint32_t seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        const ts::GaussDiagram a = ts::enlarged(nodo(nomi[seed % 6]), seed, 10 + static_cast<int>(seed % 20));
        const ts::GaussDiagram b =
            ts::enlarged(nodo(nomi[(seed * 7) % 6]), seed * 13, 10 + static_cast<int>((seed * 3) % 30));
        const ts::GaussDiagram somma =
            ts::connectedSum(a, b, static_cast<int>(seed % 5), static_cast<int>(seed % 3));
        fixture::Disegnato dis;
        ASSERT_TRUE(dis.costruisci(ts::gaussText(somma), ts::lettersText(somma)));
        const Result<Scomposizione> scomposto = scomponiInPrimi(*dis.d);
        ASSERT_TRUE(scomposto.ok()) << scomposto.error();
        std::vector<AddendoPrimo> nodi;
        for (const AddendoPrimo& p : scomposto->primi)
            if (!banale(p)) nodi.push_back(p);
        EXPECT_TRUE(sonoGliAddendi(nodi, {a, b}));
    }
}

}  // namespace
}  // namespace trevalon

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

// Sums as a user brings them after working on them: two to four knots of the table (mirrors and
// non-alternating ones among them), single primes and primes joined to an unknot drawing, scrambled by
// random moves to 30-200 crossings so that strands of one summand run across the others. Whatever pairs
// the search proves and splits, the pieces' knots multiply to the whole knot, and no prime knot gives two
// knotted pieces. Shared out over several test programs' runs, as the cases are many.
constexpr int kPartiRimescolate = 8;
class SommeRimescolate : public ::testing::TestWithParam<int> {};

TEST_P(SommeRimescolate, NoSplitChangesTheKnot) {
    static const std::vector<ts::ScrambledCase> casi = ts::scrambledCases(2026, 240, 30, 200);
    int divisioni = 0, rifiutate = 0, pezzi = 0, annodati = 0;
    for (std::size_t i = static_cast<std::size_t>(GetParam()); i < casi.size(); i += kPartiRimescolate) {
        const ts::ScrambledCase& c = casi[i];
        SCOPED_TRACE(c.name);
        fixture::Disegnato dis;
        ASSERT_TRUE(dis.costruisci(ts::gaussText(c.diagram), ts::lettersText(c.diagram)));
        const Result<Scomposizione> scomposto = scomponiInPrimi(*dis.d);
        ASSERT_TRUE(scomposto.ok()) << scomposto.error();
        std::vector<ts::GaussDiagram> trovati;
        int nodi = 0;
        for (const AddendoPrimo& p : scomposto->primi) {
            trovati.push_back(ts::diagramOf(p.txtNodo, p.TxtOri));
            nodi += ts::looksUnknotted(trovati.back()) ? 0 : 1;
        }
        EXPECT_TRUE(ts::isConnectedSumOf(c.diagram, trovati));
        EXPECT_LE(nodi, static_cast<int>(c.summands.size()));
        divisioni += scomposto->divisioni;
        rifiutate += scomposto->nonChiudibili;
        pezzi += static_cast<int>(trovati.size());
        annodati += nodi;
    }
    std::cout << "pairs split " << divisioni << ", passed over as not closable " << rifiutate << ", pieces "
              << pezzi << " (" << annodati << " knotted)\n";
}

INSTANTIATE_TEST_SUITE_P(Parti, SommeRimescolate, ::testing::Range(0, kPartiRimescolate));

}  // namespace
}  // namespace trevalon
