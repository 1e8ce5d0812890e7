// The move III driver and its combined step through a fake main window, and the search tree's limits.

#include <gtest/gtest.h>

#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

// The main window in a complete automatic run.
struct Corsa : FintaFinestra {
    Corsa() {
        esterna = &automatico;
        opz.ModoAutomatico = opz.CorsaCompleta = true;
    }
    StatoPonte s;
};

bool haMossaIII(const Diagram& d) {
    return !candidatiPonte(d, '-', false).empty() || !candidatiPonte(d, '+', false).empty();
}

TEST(BridgeDriver, CombinedStepPicksMovesInTheOrderOneThreeTwo) {
    {
        Corsa w;
        ASSERT_TRUE(w.carica(ts::addCurl(ts::diagramOf("1-2+3-1+2-3+", "OOO"), 0, true, 1)));
        EXPECT_EQ(CmdTpon2_Click(w, w.s).mossaTipo, MoveKind::I);
        EXPECT_EQ(w.d->NumIncroci, 3);
    }
    // Without a move I, move III is taken before move II, and the knot stays.
    int terzi = 0, secondi = 0;
    for (std::uint32_t seed = 1; seed <= 80 && (terzi == 0 || secondi == 0); ++seed) {
        Corsa w;
        ASSERT_TRUE(
            w.carica(seed % 2 ? ts::randomBraidKnot(seed, 3 + seed % 3, 10) : ts::randomUnknot(seed, 10)));
        if (!CandidatiMossaI(*w.d).empty()) continue;
        const bool haIII = haMossaIII(*w.d), haII = !CandidatiMossaII(*w.d).empty();
        const std::string prima = w.d->txtNodo, oriPrima = w.d->TxtOri;
        const MoveKind tipo = CmdTpon2_Click(w, w.s).mossaTipo;
        EXPECT_EQ(tipo, haIII ? MoveKind::III : haII ? MoveKind::II : tipo);
        terzi += haIII;
        secondi += !haIII && haII;
        EXPECT_TRUE(ts::sameKnot(prima, oriPrima, w.d->txtNodo, w.d->TxtOri));
    }
    EXPECT_GT(terzi, 0);
}

TEST(BridgeDriver, RepeatedStepsUntieGeneratedUnknotsAndKeepTheTrefoil) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        Corsa w;
        ASSERT_TRUE(w.carica(ts::randomUnknot(seed, 20 + 5 * static_cast<int>(seed))));
        for (int passi = 0; w.opz.CorsaCompleta && w.d->NumIncroci >= 3 && passi < 400; ++passi)
            if (CmdTpon2_Click(w, w.s).esito != EsitoDriver::Applicata) break;
        EXPECT_LT(w.d->NumIncroci, 3) << "seed " << seed << " " << w.d->txtNodo;
        EXPECT_LE(w.provaCreata, 1);
    }
    Corsa t;
    ASSERT_TRUE(t.carica("1-2+3-1+2-3+", "OOO"));
    EXPECT_NE(CmdTpon2_Click(t, t.s).esito, EsitoDriver::Applicata);
    EXPECT_EQ(t.d->NumIncroci, 3);
    EXPECT_FALSE(t.opz.CorsaCompleta);  // the complete run ends silently
    EXPECT_TRUE(t.passi.empty());
}

TEST(BridgeDriver, CancelDuringTheHorizontalSearchGivesNoMove) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        FintaFinestra w;
        w.opz.ModoAutomatico = true;
        ASSERT_TRUE(w.carica(ts::randomBraidKnot(seed, 3, 9)));
        const Diagram& d = *w.d;
        // A diagram whose combined step needs the horizontal search.
        if (!CandidatiMossaI(d).empty() || !CandidatiMossaII(d).empty() || haMossaIII(d)) continue;
        if (candidatiPonte(d, '-', true).empty() && candidatiPonte(d, '+', true).empty()) continue;
        const std::string prima = d.txtNodo;
        w.scripted.onYield = [&] { w.stop.richiedi(); };
        StatoPonte s;
        EXPECT_NE(CmdTpon2_Click(w, s).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.d->txtNodo, prima);
        EXPECT_TRUE(w.passi.empty());
        EXPECT_FALSE(w.stop.richiesta());
        EXPECT_EQ(w.scripted.stopFrameText(), "Find horizontal moves ...");
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
    // The message of a search that found nothing names the limit it stopped at, beside its own words.
    const std::string detto = testoNessunaMossa(t.motivo());
    EXPECT_EQ(detto.rfind("No move  was found\n", 0), 0u) << detto;
    EXPECT_NE(detto.find(t.motivo()), std::string::npos) << detto;
    EXPECT_EQ(testoNessunaMossa(""), "No move  was found");
    t.svuota();
    EXPECT_EQ(t.NumListaUg(), 0);
    EXPECT_EQ(t.record(0).Codice, "1-2+3-1+2-3+");
    NodoLista e;
    e.Codice = "1-1+";
    for (long i = 0; i < kMaxElaborati; ++i) ASSERT_TRUE(t.scegli(e));
    EXPECT_FALSE(t.scegli(n));
}

}  // namespace
}  // namespace trevalon
