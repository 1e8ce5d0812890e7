// The move I and move II drivers through a fake main window: what they apply, hand over and report.

#include <gtest/gtest.h>

#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;
using A = ViewerAnswer;

TEST(MoveDrivers, NothingFoundIsReportedOnlyWhenAsked) {
    const auto k = ts::namedKnot("trefoil_right");
    for (bool diretta : {true, false}) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica(k.gauss, k.letters));
        EXPECT_EQ(DoTric(w, diretta).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(DoTman(w, diretta).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(w.scripted.messages,
                  (diretta ? std::vector<std::string>{"No move  I was found", "No move II was found"}
                           : std::vector<std::string>{}));
        EXPECT_EQ(w.scripted.panel("p1"), "Done");
        EXPECT_TRUE(w.passi.empty());
        EXPECT_FALSE(w.scripted.busy());
    }
}

TEST(MoveDrivers, PassedOverAndInterruptedSearchesHandOverNothing) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("4_1")), 11, 30);
    const std::size_t n = CandidatiMossaII(*costruisci(g)).size();
    ASSERT_GT(n, 0u);
    // The combined step refuses silently and flags it.
    for (const bool combinato : {false, true}) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica(g));
        w.opz.PassoCombinato = combinato;
        w.scripted.viewerAnswers = Risposte(n, A::None);
        EXPECT_EQ(DoTman(w, !combinato).esito, EsitoDriver::NessunAltro);
        EXPECT_EQ(w.scripted.messages, combinato ? std::vector<std::string>()
                                                 : std::vector<std::string>{"No other move II was found"});
        EXPECT_EQ(w.ridisegni, 1);
        EXPECT_EQ(w.rifiutate, combinato ? 1 : 0);
        EXPECT_TRUE(w.tipi.empty());
    }
    FintaFinestra w;
    ASSERT_TRUE(w.carica(g));
    w.scripted.viewerAnswers = {A::Int};
    EXPECT_EQ(DoTman(w, true).esito, EsitoDriver::Interrotta);
    EXPECT_TRUE(w.scripted.messages.empty() && w.tipi.empty());
    EXPECT_EQ(w.ridisegni, 1);
    EXPECT_EQ(w.rifiutate, 0);
}

TEST(MoveDrivers, ChosenMoveIIIsAppliedByItsKind) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("trefoil_left")), 5, 40);
    auto probe = costruisci(g);
    ASSERT_TRUE(probe);
    const auto cands = CandidatiMossaII(*probe);
    ASSERT_FALSE(cands.empty());
    for (std::size_t i = 0; i < cands.size() && i < 6; ++i) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica(g));
        w.scripted.viewerAnswers = Risposte(i, A::None);
        w.scripted.viewerAnswers.push_back(A::Sel);
        ASSERT_EQ(DoTman(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(static_cast<int>(w.d->TxtOri.size()), incrociAttesi(*probe, MoveKind::II, cands[i]));
        EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::II});
    }
}

TEST(MoveDrivers, TheLookAheadInstanceDoesNotRewriteAMoveIIOfKindM) {
    std::mt19937 rng(5);
    FintaFinestra w;
    ASSERT_TRUE(w.carica(ts::addBigon(ts::diagramOf(ts::namedKnot("trefoil_right")), rng)));
    w.opz.ModoAutomatico = w.opz.nascosta = true;
    const std::string before = w.d->txtNodo;
    ASSERT_TRUE(diTipoM(CandidatiMossaII(*w.d)[0].mossa));
    EXPECT_EQ(DoTman(w, false).esito, EsitoDriver::Applicata);
    EXPECT_EQ(w.d->txtNodo, before);
    EXPECT_TRUE(w.tipi.empty());
}

TEST(MoveDrivers, FailedRewriteRecordsNothingAndSaysSo) {
    FintaFinestra w;
    ASSERT_TRUE(w.carica(ts::addCurl(ts::diagramOf(ts::namedKnot("4_1")), 2, false, 1)));
    // Texts that no longer match the tables: the chosen curl cannot be found in them.
    w.d->txtNodo = "1-2+3-1+2-3+";
    w.d->TxtOri = "OOO";
    w.opz.ModoAutomatico = true;
    EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::RiscritturaFallita);
    EXPECT_EQ(w.scripted.messages, std::vector<std::string>{kMessaggioRiscritturaFallita});
    EXPECT_TRUE(w.tipi.empty());
    EXPECT_EQ(w.d->txtNodo, "1-2+3-1+2-3+");
}

TEST(MoveDrivers, RemovingTheLastCrossingsHandsOverTheTrivialKnotOnce) {
    for (bool automatic : {true, false}) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica("1-2-3-1+2+3+", "VVO"));
        w.opz.ModoAutomatico = automatic;
        w.scripted.viewerAnswers = {A::Sel};
        EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::I});
        EXPECT_EQ(w.passi, std::vector<std::string>{" "});
        EXPECT_EQ(w.scripted.viewerRequests.size(), automatic ? 0u : 1u);
        EXPECT_TRUE(w.scripted.messages.empty());
        EXPECT_EQ(w.d->NumIncroci, 0);
        EXPECT_EQ(DoTric(w, false).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(w.passi.size(), 1u);
    }
}

}  // namespace
}  // namespace trevalon
