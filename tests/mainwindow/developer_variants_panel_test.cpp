// The developer panel's variants of the moves ("2L", "Tpon3") on the window's diagram, and the "dbgval"
// values as the horizontal search of the window reads them.

#include <gtest/gtest.h>

#include "form2_fixture.h"
#include "mainwindow/commands.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/move_window.h"
#include "moves/bridge_search.h"
#include "moves/developer_variants.h"
#include "moves/move_search.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

struct NessunaLista : StepListPort {
    void showStepList(FrmLista&) override {}
};

struct Pannello : fixture::FinestraDiProva {
    FinestraForm2 w{form};
    NessunaLista lista;
    PannelloSviluppo pannello{form};
    Pannello() {
        ctx.ModoSviluppo = true;
        form.Form_Load();
        InstallaComandiMosse(form, w, lista);
    }
    // Types the code into the fields and builds it with "Tutto".
    bool costruisci(const ts::GaussDiagram& g) {
        pannello.txtNodo = ts::gaussText(g);
        pannello.TxtOri = ts::lettersText(g);
        return pannello.premi("CmdTutto") && d().NumIncroci > 0;
    }
};

bool haMistoOrizzontale(const Diagram& d, bool orizzontale) {
    bool c = false;
    for (char k : {'-', '+'})
        EnumeraCandidatiPonte(d, k, k == '-' ? '+' : '-', orizzontale, [&](const CandidatoPonte&) {
            c = true;
            return false;
        });
    return c;
}

// Each variant shows its candidates, and the move answered "Sel" writes the same knot into the fields
// without building it or recording a step; "Tutto" then builds it.
TEST(PannelloVarianti, TheVariantButtonsWriteTheirMoveIntoTheFields) {
    bool fatto2L = false, fattoTpon3 = false;
    for (const auto& k : ts::namedKnots()) {
        for (std::uint32_t seed = 1; seed <= 3 && !(fatto2L && fattoTpon3); ++seed) {
            Pannello s;
            const auto g = ts::diagramOf(k);
            ASSERT_TRUE(s.costruisci(ts::enlarged(g, seed, g.crossings() + 8)));
            const std::string codice = s.d().txtNodo, ori = s.d().TxtOri;
            const int incroci = s.d().NumIncroci;
            const bool clasp = !CandidatiMossaII(s.d(), TipoTMan::I).empty();
            bool misto = false;
            EnumeraCandidatiPonteMisto(s.d(), '-', '+',
                                       [&](const CandidatoPonte&) { return misto = true, false; });
            const char* tasto = !fatto2L && clasp ? "cmdTec2I" : !fattoTpon3 && misto ? "CmdTpon3" : nullptr;
            if (!tasto) continue;
            s.ui.viewerAnswers = {fixture::kApplica};
            ASSERT_TRUE(s.pannello.premi(tasto));
            EXPECT_EQ(s.ui.viewerRequests.size(), 1u);
            if (s.pannello.txtNodo == codice) continue;  // a clasp with nothing inside: the code stays
            (std::string(tasto) == "cmdTec2I" ? fatto2L : fattoTpon3) = true;
            EXPECT_TRUE(ts::sameKnot(codice, ori, s.pannello.txtNodo, s.pannello.TxtOri)) << tasto;
            EXPECT_EQ(s.d().NumIncroci, incroci);  // not built
            EXPECT_EQ(s.passo(), 0);
            ASSERT_TRUE(s.pannello.premi("CmdTutto"));
            EXPECT_EQ(s.d().NumIncroci, static_cast<int>(s.pannello.TxtOri.size()));
        }
    }
    EXPECT_TRUE(fatto2L);
    EXPECT_TRUE(fattoTpon3);
}

// "dbgval" 0 and 1: the window's horizontal search takes its first candidate without looking ahead; back
// to 0 and 0 it looks ahead again.
TEST(PannelloVarianti, TheHorizontalSearchReadsTheDbgvalValues) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        Pannello s;
        ASSERT_TRUE(s.costruisci(ts::randomBraidKnot(seed, 3, 9)));
        const Diagram& d = s.d();
        if (!CandidatiMossaI(d).empty() || !CandidatiMossaII(d).empty() || haMistoOrizzontale(d, false) ||
            !haMistoOrizzontale(d, true))
            continue;
        s.ui.inputAnswers = {std::string("0"), std::string("1")};
        ASSERT_TRUE(s.pannello.premi("Command1"));
        EXPECT_EQ(s.w.opzioni().ValoreDebug, 0);
        EXPECT_EQ(s.w.opzioni().ValoreDebug2, 1);
        const std::string codice = d.txtNodo, ori = d.TxtOri;
        s.ui.viewerAnswers = {fixture::kApplica};
        ASSERT_TRUE(s.pannello.premi("CmdTpon2"));
        EXPECT_EQ(s.w.provaSeCreata(), nullptr);
        EXPECT_NE(d.txtNodo, codice);
        EXPECT_EQ(d.TxtOri.size(), ori.size());
        EXPECT_TRUE(ts::sameKnot(codice, ori, d.txtNodo, d.TxtOri));

        s.ui.inputAnswers = {std::string("0"), std::string("0")};
        ASSERT_TRUE(s.pannello.premi("Command1"));
        EXPECT_EQ(s.w.opzioni().ValoreDebug2, 0);
        return;
    }
    GTEST_SKIP() << "no diagram needing the horizontal search";
}

}  // namespace
}  // namespace trevalon
