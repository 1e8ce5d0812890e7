// The developer panel's variants of the moves, and its "dbgval" values handed to the window's searches.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "form2_fixture.h"
#include "mainwindow/commands.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/move_adapter.h"
#include "moves/developer_variants.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
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
}

// With the debug switch on, the mixed search writes the strands it lists and the one it shows, as the
// ordinary move III search does.
TEST(PannelloVarianti, Tpon3WritesItsDumps) {
    const fs::path dir = fixture::cartellaProva() / "dumps_tpon3";
    fs::remove_all(dir);
    fs::create_directories(dir);
    bool mostrato = false;
    for (int seed = 1; seed <= 12 && !mostrato; ++seed) {
        Pannello s(ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), seed, 14));
        s.ctx.ModoDebug = true;
        s.ctx.cartellaDump = dir;
        s.form.doc().modi.ModoDebug = true;
        s.ui.viewerAnswers = {fixture::kFerma};
        ASSERT_TRUE(s.pannello.premi("CmdTpon3"));
        mostrato = !s.ui.viewerRequests.empty();
    }
    ASSERT_TRUE(mostrato);
    // Every strand of the list: "arc/from-to" and four blanks per arc; the one shown: "arc-from-to" lines.
    std::ifstream ponti(dir / "pontiA.txt");
    std::string riga;
    int righe = 0;
    while (std::getline(ponti, riga)) {
        ++righe;
        EXPECT_TRUE(riga.ends_with("    ") && riga.find('/') != std::string::npos) << riga;
    }
    EXPECT_GT(righe, 0);
    std::ifstream ok(dir / "ponteok.txt");
    ASSERT_TRUE(std::getline(ok, riga));
    EXPECT_EQ(std::count(riga.begin(), riga.end(), '-'), 2) << riga;
    fs::remove_all(dir);
    // The window hands the "dbgval" values to its searches.
    Pannello s(ts::diagramOf(ts::namedKnot("5_2")));
    s.ui.inputAnswers = {std::string("-3"), std::string("1")};
    ASSERT_TRUE(s.pannello.premi("Command1"));
    EXPECT_EQ(s.w.opzioni().ValoreDebug, -3);
    EXPECT_EQ(s.w.opzioni().ValoreDebug2, 1);
}

}  // namespace
}  // namespace trevalon
