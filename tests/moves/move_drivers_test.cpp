// The move I and move II drivers through a fake main window: what they apply, hand over and report.

#include <gtest/gtest.h>

#include "moves/move_drivers.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;
namespace ts = trevalon::testsupport;

// Takes an applied move as a window does: writes the texts into its diagram, rebuilds it and records a step.
class FintaFinestra : public FinestraMosse {
  public:
    explicit FintaFinestra(const std::string& gauss, const std::string& letters)
        : d(costruisci(gauss, letters)) {}
    explicit FintaFinestra(const ts::GaussDiagram& g) : FintaFinestra(ts::gaussText(g), ts::lettersText(g)) {}

    Diagram& diagramma() override { return *d; }
    UserInterface& ui() override { return scripted; }
    OpzioniMosse opzioni() const override { return opz; }
    int& contaNuoviIncroci() override { return conta; }
    bool committaMossa(MoveKind t, const TestoNodo& nuovo) override {
        tipi.push_back(t);
        auto n =
            nuovo.txtNodo.empty() ? std::make_unique<Diagram>() : costruisci(nuovo.txtNodo, nuovo.TxtOri);
        if (!n) return false;
        d = std::move(n);
        passi.push_back(nuovo.txtNodo + " " + nuovo.TxtOri);
        return true;
    }
    void ridisegna() override { ++ridisegni; }
    void mossaIIIRifiutata() override { ++rifiutate; }

    std::unique_ptr<Diagram> d;
    ScriptedUi scripted;
    OpzioniMosse opz;
    int conta = 100;
    std::vector<MoveKind> tipi;  // one per move handed over
    int ridisegni = 0, rifiutate = 0;
    std::vector<std::string> passi;
};

TEST(MoveDrivers, AutomaticMoveIIsHandedOverOnce) {
    auto g = ts::addCurl(ts::diagramOf(ts::namedKnot("5_2")), 4, true, -1);
    FintaFinestra w(g);
    ASSERT_TRUE(w.d);
    w.opz.ModoAutomatico = true;
    const int crossings = w.d->NumIncroci;
    EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::Applicata);
    EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::I});
    ASSERT_EQ(w.passi.size(), 1u);
    EXPECT_EQ(w.d->NumIncroci, crossings - 1);
    EXPECT_TRUE(ts::sameKnot(ts::gaussText(g), ts::lettersText(g), w.d->txtNodo, w.d->TxtOri));
    EXPECT_TRUE(w.scripted.viewerRequests.empty());
    EXPECT_TRUE(w.scripted.messages.empty());
}

TEST(MoveDrivers, NothingFoundIsReportedOnlyWhenAsked) {
    const auto k = ts::namedKnot("trefoil_right");
    for (bool diretta : {true, false}) {
        FintaFinestra w(k.gauss, k.letters);
        EXPECT_EQ(DoTric(w, diretta).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(DoTman(w, diretta).esito, EsitoDriver::NessunCandidato);
        if (diretta) {
            EXPECT_EQ(w.scripted.messages,
                      (std::vector<std::string>{"No move  I was found", "No move II was found"}));
        } else {
            EXPECT_TRUE(w.scripted.messages.empty());
        }
        EXPECT_EQ(w.scripted.panel("p1"), "Done");
        EXPECT_TRUE(w.passi.empty());
        EXPECT_FALSE(w.scripted.busy());
    }
}

TEST(MoveDrivers, PassedOverAndInterruptedSearchesHandOverNothing) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("4_1")), 11, 30);
    const std::size_t n = CandidatiMossaII(*costruisci(ts::gaussText(g), ts::lettersText(g))).size();
    ASSERT_GT(n, 0u);
    struct Caso {
        const char* nome;
        Risposte risposte;
        bool combinato;
        EsitoDriver esito;
        std::vector<std::string> messaggi;
        int ridisegni, rifiutate;
    };
    const std::vector<Caso> casi = {
        {"all passed over",
         Risposte(n, kPassa),
         false,
         EsitoDriver::NessunAltro,
         {"No other move II was found"},
         1,
         0},
        // In the combined step the refusal is silent and flagged.
        {"combined step", Risposte(n, kPassa), true, EsitoDriver::NessunAltro, {}, 1, 1},
        {"stopped", {kFerma}, false, EsitoDriver::Interrotta, {}, 1, 0},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        FintaFinestra w(g);
        w.opz.PassoCombinato = c.combinato;
        w.scripted.viewerAnswers = c.risposte;
        EXPECT_EQ(DoTman(w, !c.combinato).esito, c.esito);
        EXPECT_EQ(w.scripted.messages, c.messaggi);
        EXPECT_EQ(w.ridisegni, c.ridisegni);
        EXPECT_EQ(w.rifiutate, c.rifiutate);
        EXPECT_TRUE(w.tipi.empty());
    }
}

TEST(MoveDrivers, ChosenMoveIIIsAppliedByItsKind) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("trefoil_left")), 5, 40);
    auto probe = costruisci(ts::gaussText(g), ts::lettersText(g));
    ASSERT_TRUE(probe);
    const auto cands = CandidatiMossaII(*probe);
    ASSERT_FALSE(cands.empty());
    for (std::size_t i = 0; i < cands.size() && i < 6; ++i) {
        FintaFinestra w(g);
        w.scripted.viewerAnswers = passaPoiApplica(i);
        ASSERT_EQ(DoTman(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(static_cast<int>(w.d->TxtOri.size()), incrociAttesi(*probe, Mossa::II, cands[i]));
        EXPECT_TRUE(ts::sameKnot(probe->txtNodo, probe->TxtOri, w.d->txtNodo, w.d->TxtOri));
        EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::II});
        EXPECT_GE(w.conta, 100);  // new crossings take their names from the counter, which only grows
    }
}

TEST(MoveDrivers, TheLookAheadInstanceDoesNotRewriteAMoveIIOfKindM) {
    std::mt19937 rng(5);
    FintaFinestra w(ts::addBigon(ts::diagramOf(ts::namedKnot("trefoil_right")), rng));
    w.opz.ModoAutomatico = true;
    w.opz.nascosta = true;
    const std::string before = w.d->txtNodo;
    ASSERT_TRUE(diTipoM(CandidatiMossaII(*w.d)[0].mossa));
    EXPECT_EQ(DoTman(w, false).esito, EsitoDriver::Applicata);
    EXPECT_EQ(w.d->txtNodo, before);
    EXPECT_TRUE(w.tipi.empty());
}

TEST(MoveDrivers, FailedRewriteRecordsNothingAndSaysSo) {
    auto g = ts::addCurl(ts::diagramOf(ts::namedKnot("4_1")), 2, false, 1);
    FintaFinestra w(g);
    ASSERT_TRUE(w.d);
    // Texts that no longer match the tables: the chosen curl cannot be found in them.
    w.d->txtNodo = "1-2+3-1+2-3+";
    w.d->TxtOri = "OOO";
    w.opz.ModoAutomatico = true;
    const auto r = DoTric(w, true);
    EXPECT_EQ(r.esito, EsitoDriver::RiscritturaFallita);
    EXPECT_EQ(w.scripted.messages, std::vector<std::string>{kMessaggioRiscritturaFallita});
    EXPECT_TRUE(w.tipi.empty());
    EXPECT_EQ(w.d->txtNodo, "1-2+3-1+2-3+");
}

TEST(MoveDrivers, RemovingTheLastCrossingsHandsOverTheTrivialKnot) {
    for (bool automatic : {true, false}) {
        FintaFinestra w("1-2-3-1+2+3+", "VVO");
        ASSERT_TRUE(w.d);
        w.opz.ModoAutomatico = automatic;
        w.scripted.viewerAnswers = {kApplica};
        EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.passi, std::vector<std::string>{" "});
        EXPECT_EQ(w.d->NumIncroci, 0);
        // A second search finds nothing.
        EXPECT_EQ(DoTric(w, false).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(w.passi.size(), 1u);
    }
}

}  // namespace
}  // namespace trevalon
