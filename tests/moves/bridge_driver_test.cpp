#include "moves/bridge_driver.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

// A main window reduced to what the drivers use: an applied move rebuilt from its code and counted as a
// step, a look-ahead twin with the automatic port made on first use.
class FinestraFinta : public FinestraPonte {
  public:
    FinestraFinta(UserInterface& ui, std::shared_ptr<AlberoOrizzontale> albero, bool nascosta)
        : ui_(ui), albero_(std::move(albero)) {
        o_.nascosta = nascosta;
        o_.ModoAutomatico = nascosta;
    }
    bool carica(const std::string& code, const std::string& ori) {
        d_->txtNodo = code;
        d_->TxtOri = ori;
        AutomaticUi quiet;
        return StrutturaDaCodice(*d_, quiet).ok();
    }

    Diagram& diagramma() override { return *d_; }
    UserInterface& ui() override { return ui_; }
    OpzioniMosse opzioni() const override { return o_; }
    int& contaNuoviIncroci() override { return conta_; }
    bool committaMossa(MoveKind, const TestoNodo& nuovo) override {
        if (nuovo.txtNodo.empty()) {
            d_ = std::make_unique<Diagram>();
        } else if (!carica(nuovo.txtNodo, nuovo.TxtOri)) {
            return false;
        }
        if (o_.nascosta) return false;
        ++passi;
        return true;
    }
    void ridisegna() override {}
    AlberoOrizzontale& albero() override { return *albero_; }
    FinestraPonte& prova() override {
        if (!prova_) {
            ++provaCreata;
            prova_ = std::make_unique<FinestraFinta>(automatico_, albero_, true);
        }
        return *prova_;
    }
    int& RichiestaStop() override { return stop_; }
    void fineCorsaCompleta() override { o_.CorsaCompleta = false; }
    bool caricaConsegna(const std::string& c, const std::string& o, const std::string& nomi) override {
        if (!carica(c, o)) return false;
        std::size_t i = 1, pos = 1;
        while (pos < nomi.size() && i < d_->NomiIncroci.size()) {
            std::size_t end = nomi.find('|', pos);
            if (end == std::string::npos) break;
            d_->NomiIncroci[i++] = nomi.substr(pos, end - pos);
            pos = end + 1;
        }
        return true;
    }
    void impostaPassoCombinato(bool on) override { o_.PassoCombinato = on; }

    OpzioniMosse o_;
    int passi = 0;
    int provaCreata = 0;

  private:
    UserInterface& ui_;
    AutomaticUi automatico_;
    std::shared_ptr<AlberoOrizzontale> albero_;
    std::unique_ptr<Diagram> d_ = std::make_unique<Diagram>();
    std::unique_ptr<FinestraFinta> prova_;
    int conta_ = 0;
    int stop_ = 0;
};

struct Banco {
    explicit Banco(UserInterface& ui) : w(ui, std::make_shared<AlberoOrizzontale>(), false) {
        w.o_.ModoAutomatico = true;
        w.o_.CorsaCompleta = true;
    }
    FinestraFinta w;
    StatoPonte s;
};

TEST(BridgeDriver, CombinedStepPicksMovesInTheOrderOneThreeTwo) {
    AutomaticUi ui;
    // A curl on the trefoil: move I comes first.
    {
        Banco b(ui);
        auto g = ts::addCurl(ts::diagramOf("1-2+3-1+2-3+", "OOO"), 0, true, 1);
        ASSERT_TRUE(b.w.carica(ts::gaussText(g), ts::lettersText(g)));
        RisultatoPonte r = CmdTpon2_Click(b.w, b.s);
        EXPECT_EQ(r.mossaTipo, MoveKind::I);
        EXPECT_EQ(b.w.diagramma().NumIncroci, 3);
    }
    // Generated unknots: whatever is found, move III is taken before move II, and the knot stays.
    int terzi = 0, secondi = 0;
    for (std::uint32_t seed = 1; seed <= 80 && (terzi == 0 || secondi == 0); ++seed) {
        Banco b(ui);
        auto g = seed % 2 ? ts::randomBraidKnot(seed, 3 + seed % 3, 10) : ts::randomUnknot(seed, 10);
        ASSERT_TRUE(b.w.carica(ts::gaussText(g), ts::lettersText(g)));
        if (!CandidatiMossaI(b.w.diagramma()).empty()) continue;
        bool haIII = false;
        for (char k : {'-', '+'})
            EnumeraCandidatiPonte(b.w.diagramma(), k, k == '-' ? '+' : '-', false,
                                  [&](const CandidatoPonte&) {
                                      haIII = true;
                                      return false;
                                  });
        const bool haII = !CandidatiMossaII(b.w.diagramma()).empty();
        const std::string prima = b.w.diagramma().txtNodo, oriPrima = b.w.diagramma().TxtOri;
        RisultatoPonte r = CmdTpon2_Click(b.w, b.s);
        if (haIII) {
            EXPECT_EQ(r.mossaTipo, MoveKind::III);
            ++terzi;
        } else if (haII) {
            EXPECT_EQ(r.mossaTipo, MoveKind::II);
            ++secondi;
        }
        EXPECT_TRUE(ts::sameKnot(prima, oriPrima, b.w.diagramma().txtNodo, b.w.diagramma().TxtOri));
    }
    EXPECT_GT(terzi, 0);
}

TEST(BridgeDriver, RepeatedStepsUntieGeneratedUnknotsAndKeepTheTrefoil) {
    AutomaticUi ui;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        Banco b(ui);
        auto g = ts::randomUnknot(seed, 20 + 5 * static_cast<int>(seed));
        ASSERT_TRUE(b.w.carica(ts::gaussText(g), ts::lettersText(g)));
        int passi = 0;
        while (b.w.o_.CorsaCompleta && b.w.diagramma().NumIncroci >= 3 && passi < 400) {
            RisultatoPonte r = CmdTpon2_Click(b.w, b.s);
            if (r.esito != EsitoDriver::Applicata) break;
            ++passi;
        }
        EXPECT_LT(b.w.diagramma().NumIncroci, 3) << "seed " << seed << " " << b.w.diagramma().txtNodo;
        EXPECT_LE(b.w.provaCreata, 1);
    }
    Banco t(ui);
    ASSERT_TRUE(t.w.carica("1-2+3-1+2-3+", "OOO"));
    RisultatoPonte r = CmdTpon2_Click(t.w, t.s);
    EXPECT_NE(r.esito, EsitoDriver::Applicata);
    EXPECT_EQ(t.w.diagramma().NumIncroci, 3);
    EXPECT_FALSE(t.w.o_.CorsaCompleta);  // the complete run ends silently
    EXPECT_EQ(t.w.passi, 0);
}

TEST(BridgeDriver, CancelDuringTheHorizontalSearchGivesNoMove) {
    // A diagram whose combined step needs the horizontal search.
    ScriptedUi ui;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        Banco b(ui);
        b.w.o_.CorsaCompleta = false;
        auto g = ts::randomBraidKnot(seed, 3, 9);
        ASSERT_TRUE(b.w.carica(ts::gaussText(g), ts::lettersText(g)));
        const Diagram& d = b.w.diagramma();
        if (!CandidatiMossaI(d).empty() || !CandidatiMossaII(d).empty()) continue;
        int orizzontali = 0, terzi = 0;
        for (char k : {'-', '+'}) {
            EnumeraCandidatiPonte(d, k, k == '-' ? '+' : '-', false,
                                  [&](const CandidatoPonte&) { return ++terzi, true; });
            EnumeraCandidatiPonte(d, k, k == '-' ? '+' : '-', true,
                                  [&](const CandidatoPonte&) { return ++orizzontali, true; });
        }
        if (terzi > 0 || orizzontali == 0) continue;
        const std::string prima = d.txtNodo;
        ui.onYield = [&] { b.w.RichiestaStop() = 1; };
        RisultatoPonte r = CmdTpon2_Click(b.w, b.s);
        EXPECT_NE(r.esito, EsitoDriver::Applicata);
        EXPECT_EQ(b.w.diagramma().txtNodo, prima);
        EXPECT_EQ(b.w.passi, 0);
        EXPECT_EQ(b.w.RichiestaStop(), 0);
        EXPECT_EQ(ui.stopFrameText(), "Find horizontal moves ...");
        return;
    }
    GTEST_SKIP() << "no diagram needing the horizontal search";
}

TEST(BridgeDriver, TreeLimitsAndDuplicates) {
    AlberoOrizzontale t;
    t.azzera("1-2+3-1+2-3+", "OOO");
    EXPECT_TRUE(t.giaNellAlbero("1+2-3+1-2+3-"));  // another reading of the root
    NodoLista n;
    n.Codice = "1-2+3-4+2-1+4-3+";
    n.Profondita = 1;
    EXPECT_TRUE(t.archivia(n));
    EXPECT_FALSE(t.archivia(n));  // met before
    n.Codice = "1-2+3-4+5-6+7-8+2-1+4-3+6-5+8-7+";
    n.Profondita = kMaxProfondita + 1;
    EXPECT_TRUE(t.archivia(n));
    n.Codice = "1-2+3-1+2-3+4-5-6-4+5+6+";
    EXPECT_FALSE(t.archivia(n));  // the last record is deeper than the limit
    EXPECT_FALSE(t.motivo().empty());
    t.svuota();
    EXPECT_EQ(t.NumListaUg(), 0);
    EXPECT_EQ(t.record(0).Codice, "1-2+3-1+2-3+");
    for (long i = 0; i < kMaxElaborati; ++i) {
        NodoLista e;
        e.Codice = "1-1+";
        ASSERT_TRUE(t.scegli(e));
    }
    EXPECT_FALSE(t.scegli(n));
}

}  // namespace
}  // namespace trevalon
