#include "mainwindow/prime_summands.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <utility>
#include <vector>

#include "form2_fixture.h"
#include "mainwindow/open_knot.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

// The summands as the harness reports them, on sums scrambled by random moves to 30-200 crossings (two
// to four knots of the table, mirrors and non-alternating ones among them, primes alone and primes joined
// to an unknot drawing): each summand of the sum is found once, no piece that the program's moves bring
// down to the trivial knot is counted, and the summands' knots multiply to the whole knot.
constexpr int kParti = 4;
class AddendiPrimiRimescolati : public ::testing::TestWithParam<int> {};

TEST_P(AddendiPrimiRimescolati, EverySummandIsFoundOnceAndNoUnknotIsCounted) {
    static const std::vector<ts::ScrambledCase> casi = ts::scrambledCases(77, 48, 30, 200);
    for (std::size_t i = static_cast<std::size_t>(GetParam()); i < casi.size(); i += kParti) {
        const ts::ScrambledCase& c = casi[i];
        SCOPED_TRACE(c.name);
        fixture::FinestraDiProva f;
        ASSERT_TRUE(ApriCodice(f.form.contesto(), f.form.vista(),
                               {ts::gaussText(c.diagram), ts::lettersText(c.diagram)}, ""));
        const std::string codice = f.d().txtNodo;
        const Result<AddendiPrimi> primi = addendiPrimi(f.form.contesto().ctx, f.form.doc().diagram);
        ASSERT_TRUE(primi.ok()) << primi.error();
        std::vector<ts::GaussDiagram> trovati;
        for (const AddendoPrimo& p : primi->primi) {
            trovati.push_back(ts::diagramOf(p.txtNodo, p.TxtOri));
            EXPECT_FALSE(ts::looksUnknotted(trovati.back())) << p.txtNodo << " " << p.TxtOri;
        }
        EXPECT_EQ(trovati.size(), c.summands.size());
        EXPECT_TRUE(ts::isConnectedSumOf(c.diagram, trovati));
        EXPECT_EQ(f.d().txtNodo, codice);
    }
}

INSTANTIATE_TEST_SUITE_P(Parti, AddendiPrimiRimescolati, ::testing::Range(0, kParti));

// A diagram of the unknot has no summand, and a prime knot whose drawing no pair of arcs cuts is simplified
// first and then searched: it is one summand.
TEST(AddendiPrimi, TheUnknotHasNoneAndAHiddenSumIsFoundAfterTheCompleteRun) {
    fixture::FinestraDiProva unknot;
    ASSERT_TRUE(ApriGen(unknot.form.contesto(), unknot.form.vista(), fixture::campione("Unknot40.gau")));
    const Result<AddendiPrimi> nessuno = addendiPrimi(unknot.form.contesto().ctx, unknot.form.doc().diagram);
    ASSERT_TRUE(nessuno.ok()) << nessuno.error();
    EXPECT_TRUE(nessuno->primi.empty());
    EXPECT_GE(nessuno->banali, 1);

    // Strands rerouted across both summands, over at one crossing and under at another, leave no pair the
    // search can prove (scrambles of the trefoil # figure-eight found so); the complete run takes them
    // away, and the sum falls apart.
    const ts::GaussDiagram t = ts::diagramOf(ts::namedKnot("trefoil_right")),
                           f8 = ts::diagramOf(ts::namedKnot("4_1"));
    for (const auto& [seme, incroci] : {std::pair{137U, 31}, {335U, 19}}) {
        const ts::GaussDiagram g = ts::enlarged(ts::connectedSum(t, f8, 1, 2), seme, incroci);
        fixture::FinestraDiProva f;
        ASSERT_TRUE(
            ApriCodice(f.form.contesto(), f.form.vista(), {ts::gaussText(g), ts::lettersText(g)}, ""));
        const Result<AddendiPrimi> primi = addendiPrimi(f.form.contesto().ctx, f.form.doc().diagram);
        ASSERT_TRUE(primi.ok()) << primi.error();
        EXPECT_TRUE(primi->corsaPrima) << seme;
        ASSERT_EQ(primi->primi.size(), 2u) << seme;
        EXPECT_TRUE(
            ts::isConnectedSumOf(g, {ts::diagramOf(primi->primi[0].txtNodo, primi->primi[0].TxtOri),
                                     ts::diagramOf(primi->primi[1].txtNodo, primi->primi[1].TxtOri)}));
    }
}

}  // namespace
}  // namespace trevalon
