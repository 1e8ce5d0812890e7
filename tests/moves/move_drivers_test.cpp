// The move I and move II drivers through a fake main window: what they apply, record and report.

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

class FintaFinestra : public FinestraMosse {
  public:
    explicit FintaFinestra(const std::string& gauss, const std::string& letters)
        : d(costruisci(gauss, letters)) {}
    explicit FintaFinestra(const ts::GaussDiagram& g) : FintaFinestra(ts::gaussText(g), ts::lettersText(g)) {}

    Diagram& diagramma() override { return *d; }
    UserInterface& ui() override { return scripted; }
    OpzioniMosse opzioni() const override { return opz; }
    char modoGen() const override { return modo; }
    int& contaNuoviIncroci() override { return conta; }
    void impostaTipoMossa(const std::string& t) override { tipoMossa = t; }
    void impostaEsitoDialogo(const std::string& e) override { esito = e; }
    bool ricostruisciDaCodice() override {
        ++ricostruzioni;
        auto nuovo = costruisci(d->txtNodo, d->TxtOri);
        if (!nuovo) return false;
        d = std::move(nuovo);
        return true;
    }
    void registraPasso() override { passi.push_back(d->txtNodo + " " + d->TxtOri); }
    void ricostruisciDaDisegno() override { ++daDisegno; }
    void scriviDisegnoTesto() override { ++disegniTesto; }
    void ridisegna() override { ++ridisegni; }
    void mossaIIIRifiutata() override { ++rifiutate; }

    std::unique_ptr<Diagram> d;
    ScriptedUi scripted;
    OpzioniMosse opz;
    char modo = 'A';
    int conta = 100;
    std::string tipoMossa, esito;
    int ricostruzioni = 0, daDisegno = 0, disegniTesto = 0, ridisegni = 0, rifiutate = 0;
    std::vector<std::string> passi;
};

TEST(MoveDrivers, AutomaticMoveIAppliesRebuildsAndRecordsOneStep) {
    auto g = ts::addCurl(ts::diagramOf(ts::namedKnot("5_2")), 4, true, -1);
    FintaFinestra w(g);
    ASSERT_TRUE(w.d);
    w.opz.ModoAutomatico = true;
    const std::string before = w.d->txtNodo, lettersBefore = w.d->TxtOri;
    const int crossings = w.d->NumIncroci;
    const auto r = DoTric(w, true);
    EXPECT_EQ(r.esito, EsitoDriver::Applicata);
    EXPECT_EQ(w.tipoMossa, "1");
    EXPECT_EQ(w.esito, "Sel");
    EXPECT_EQ(w.ricostruzioni, 1);
    ASSERT_EQ(w.passi.size(), 1u);
    EXPECT_EQ(w.d->NumIncroci, crossings - 1);
    EXPECT_TRUE(ts::sameKnot(before, lettersBefore, w.d->txtNodo, w.d->TxtOri));
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

TEST(MoveDrivers, PassedOverAndInterruptedSearchesApplyNothing) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("4_1")), 11, 30);
    const std::size_t n = CandidatiMossaII(*costruisci(ts::gaussText(g), ts::lettersText(g))).size();
    ASSERT_GT(n, 0u);
    {
        FintaFinestra w(g);
        w.scripted.viewerAnswers.assign(n, "");
        EXPECT_EQ(DoTman(w, true).esito, EsitoDriver::NessunAltro);
        EXPECT_EQ(w.scripted.messages, std::vector<std::string>{"No other move II was found"});
        EXPECT_EQ(w.ridisegni, 1);
        EXPECT_TRUE(w.passi.empty());
    }
    {  // In the combined step the refusal is silent and flagged.
        FintaFinestra w(g);
        w.opz.PassoCombinato = true;
        w.scripted.viewerAnswers.assign(n, "");
        EXPECT_EQ(DoTman(w, false).esito, EsitoDriver::NessunAltro);
        EXPECT_TRUE(w.scripted.messages.empty());
        EXPECT_EQ(w.rifiutate, 1);
    }
    {
        FintaFinestra w(g);
        w.scripted.viewerAnswers = {"Int"};
        EXPECT_EQ(DoTman(w, true).esito, EsitoDriver::Interrotta);
        EXPECT_TRUE(w.scripted.messages.empty());
        EXPECT_EQ(w.ridisegni, 1);
        EXPECT_EQ(w.esito, "Int");
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
        w.scripted.viewerAnswers.assign(i, "");
        w.scripted.viewerAnswers.push_back("Sel");
        ASSERT_EQ(DoTman(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(static_cast<int>(w.d->TxtOri.size()), incrociAttesi(*probe, Mossa::II, cands[i]));
        EXPECT_TRUE(ts::sameKnot(probe->txtNodo, probe->TxtOri, w.d->txtNodo, w.d->TxtOri));
        EXPECT_EQ(w.passi.size(), 1u);
        EXPECT_GE(w.conta, 100);  // new crossings take their names from the counter, which only grows
    }
}

TEST(MoveDrivers, OtherKindsOfTablesAndTheHiddenInstance) {
    std::mt19937 rng(5);
    const auto g = ts::addBigon(ts::diagramOf(ts::namedKnot("trefoil_right")), rng);
    {
        FintaFinestra w(g);
        w.opz.ModoAutomatico = true;
        w.modo = 'I';
        EXPECT_EQ(DoTman(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.daDisegno, 1);
        EXPECT_EQ(w.ricostruzioni, 0);
        EXPECT_EQ(w.passi.size(), 1u);
    }
    {
        FintaFinestra w(g);
        w.opz.ModoAutomatico = true;
        w.modo = 'D';
        EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(DoTman(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.disegniTesto, 1);
    }
    {  // The hidden instance records nothing and does not rewrite a move II of kind M.
        FintaFinestra w(g);
        w.opz.ModoAutomatico = true;
        w.opz.nascosta = true;
        w.opz.ModoBatch = true;
        const std::string before = w.d->txtNodo;
        ASSERT_EQ(CandidatiMossaII(*w.d)[0].mossa.TipoCandidato, "M");
        EXPECT_EQ(DoTman(w, false).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.d->txtNodo, before);
        EXPECT_TRUE(w.passi.empty());
        EXPECT_EQ(w.ricostruzioni, 0);
    }
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
    EXPECT_TRUE(w.passi.empty());
    EXPECT_EQ(w.d->txtNodo, "1-2+3-1+2-3+");
}

TEST(MoveDrivers, RemovingTheLastCrossingsIsTheTrivialKnot) {
    for (bool automatic : {true, false}) {
        FintaFinestra w("1-2-3-1+2+3+", "VVO");
        ASSERT_TRUE(w.d);
        w.opz.ModoAutomatico = automatic;
        w.scripted.viewerAnswers = {"Sel"};
        w.scripted.setCaption(" Trevalon - curl - Step 0");
        EXPECT_EQ(DoTric(w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.d->txtNodo, "");
        EXPECT_EQ(w.d->NumIncroci, 0);
        EXPECT_EQ(w.ricostruzioni, 0);  // nothing to build from an empty code
        EXPECT_EQ(w.passi, std::vector<std::string>{" "});
        EXPECT_EQ(w.scripted.caption(), " Trevalon - curl - Step 0 - TRIVIAL KNOT");
        // A second search finds nothing and the caption gets the mark once only.
        EXPECT_EQ(DoTric(w, false).esito, EsitoDriver::NessunCandidato);
        EXPECT_EQ(w.scripted.caption(), " Trevalon - curl - Step 0 - TRIVIAL KNOT");
    }
}

TEST(MoveDrivers, NoTrivialMarkDuringTheCompleteRun) {
    std::mt19937 rng(2);
    const auto g = ts::addBigon(ts::diagramOf(ts::namedKnot("unknot_curl_O")), rng);
    FintaFinestra w(g);
    ASSERT_TRUE(w.d);
    w.opz.ModoAutomatico = true;
    w.opz.CorsaCompleta = true;
    w.scripted.setCaption("x");
    EXPECT_EQ(DoTric(w, false).esito, EsitoDriver::Applicata);
    EXPECT_EQ(w.scripted.caption(), "x");
}

}  // namespace
}  // namespace trevalon
