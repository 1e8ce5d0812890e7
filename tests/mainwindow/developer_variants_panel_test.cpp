// The developer panel's variants of the moves, and its "dbgval" values handed to the window's searches.

#include <gtest/gtest.h>

#include "form2_fixture.h"
#include "mainwindow/commands.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/move_window.h"
#include "moves/developer_variants.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

struct Pannello : fixture::FinestraDiProva, StepListPort {
    FinestraForm2 w{form};
    PannelloSviluppo pannello{form};
    Pannello(const ts::GaussDiagram& g) {
        ctx.ModoSviluppo = true;
        form.Form_Load();
        InstallaComandiMosse(form, w, *this);
        pannello.txtNodo = ts::gaussText(g);
        pannello.TxtOri = ts::lettersText(g);
        pannello.premi("CmdTutto");
    }
    void showStepList(FrmLista&) override {}
};

// "2L" and "Tpon3" show their candidates; the move answered "Sel" writes the same knot into the fields,
// unbuilt and unrecorded, for "Tutto".
TEST(PannelloVarianti, TheVariantButtonsWriteTheirMoveIntoTheFields) {
    int fatti = 0;
    for (const char* tasto : {"cmdTec2I", "CmdTpon3"})
        for (int seed = 1; seed <= 12; ++seed) {
            Pannello s(ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), seed, 14));
            const std::string codice = s.d().txtNodo, ori = s.d().TxtOri;
            s.ui.viewerAnswers = {fixture::kApplica};
            ASSERT_TRUE(s.pannello.premi(tasto));
            if (s.pannello.txtNodo == codice) continue;  // nothing found, or a clasp with nothing inside
            EXPECT_EQ(s.ui.viewerRequests.size(), 1u);
            EXPECT_TRUE(ts::sameKnot(codice, ori, s.pannello.txtNodo, s.pannello.TxtOri)) << tasto;
            EXPECT_EQ(s.d().NumIncroci, static_cast<int>(ori.size()));
            EXPECT_EQ(s.passo(), 0);
            ++fatti;
            break;
        }
    EXPECT_EQ(fatti, 2);
    // The window hands the "dbgval" values to its searches.
    Pannello s(ts::diagramOf(ts::namedKnot("5_2")));
    s.ui.inputAnswers = {std::string("-3"), std::string("1")};
    ASSERT_TRUE(s.pannello.premi("Command1"));
    EXPECT_EQ(s.w.opzioni().ValoreDebug, -3);
    EXPECT_EQ(s.w.opzioni().ValoreDebug2, 1);
}

}  // namespace
}  // namespace trevalon
