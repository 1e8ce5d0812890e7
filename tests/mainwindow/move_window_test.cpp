#include "mainwindow/move_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

#include "form2_fixture.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "moves/bridge_search.h"
#include "moves/move_search.h"
#include "platform/headless_ui.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = testsupport;

// Keeps the rows of the step list the complete run shows.
struct ListaCatturata : StepListPort {
    int mostrata = 0;
    std::vector<std::vector<std::string>> righe;
    std::string caption, p2;
    void showStepList(FrmLista& l) override {
        ++mostrata;
        righe.clear();
        for (int r = 1; r <= l.rowCount(); ++r)
            righe.push_back({l.GrLis.text(r, 0), l.GrLis.text(r, 1), l.GrLis.text(r, 2), l.GrLis.text(r, 3)});
        caption = l.caption;
        p2 = l.p2;
    }
};

fs::path scrivi(const std::string& nome, const std::string& codice, const std::string& ori) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_moves_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path p = dir / nome;
    std::ofstream(p, std::ios::binary) << testoFileGaussCode(codice, ori);
    return p;
}

struct Banco : fixture::FinestraDiProva {
    FinestraForm2 w{form};
    ListaCatturata lista;
    Banco() { InstallaComandiMosse(form, w, lista); }
    bool apri(const std::string& codice, const std::string& ori) {
        return ApriGau(form, scrivi("k.gau", codice, ori).string());
    }
    bool apri(const ts::GaussDiagram& g) { return apri(ts::gaussText(g), ts::lettersText(g)); }
    int incroci() const { return static_cast<int>(form.diagram.TxtOri.size()); }
};

TEST(MoveWindow, MoveCommandsWalkTheirCandidatesByTheAnswers) {
    // Two curls on the trefoil: "" passes the first over, "Sel" applies the second.
    auto g = ts::addCurl(ts::addCurl(ts::diagramOf("1-2+3-1+2-3+", "OOO"), 0, true, 1), 3, false, -1);
    {
        Banco b;
        ASSERT_TRUE(b.apri(g));
        ASSERT_EQ(b.incroci(), 5);
        EXPECT_TRUE(b.ui.commandEnabled("m1"));
        EXPECT_TRUE(b.ui.commandEnabled("quick"));
        b.ui.viewerAnswers = {"", "Sel"};
        b.form.tlb1_ButtonClick("m1");
        EXPECT_EQ(b.ui.viewerRequests.size(), 2u);
        EXPECT_EQ(b.ctx.TipoMossa, "1");
        EXPECT_EQ(b.form.NumStato, 1);
        EXPECT_EQ(b.incroci(), 4);
        EXPECT_TRUE(ts::sameKnot("1-2+3-1+2-3+", "OOO", b.form.diagram.txtNodo, b.form.diagram.TxtOri));
        EXPECT_TRUE(b.ui.commandEnabled("Undo"));
        // "Int" stops at once; passing every candidate over says so; nothing is recorded.
        b.ui.viewerAnswers = {"Int"};
        b.form.tlb1_ButtonClick("m1");
        EXPECT_EQ(b.form.NumStato, 1);
        b.ui.viewerAnswers = {"", ""};
        b.form.tlb1_ButtonClick("m1");
        EXPECT_EQ(b.form.NumStato, 1);
        ASSERT_FALSE(b.ui.messages.empty());
        EXPECT_EQ(b.ui.messages.back(), "No other move I was found");
        b.form.tlb1_ButtonClick("Undo");
        EXPECT_EQ(b.incroci(), 5);
    }
    // Move II and move III commands on a bigon: each shows its own kind and applies the chosen one.
    std::mt19937 rng(7);
    auto bigon = ts::addBigon(ts::diagramOf("1-2+3-1+2-3+", "OOO"), rng);
    for (const char* key : {"m2", "m3"}) {
        Banco b;
        ASSERT_TRUE(b.apri(bigon));
        b.ui.viewerAnswers = {"Sel"};
        b.form.tlb1_ButtonClick(key);
        ASSERT_FALSE(b.ui.viewerRequests.empty()) << key;
        EXPECT_EQ(b.ui.viewerRequests.front().tipoMossa, key == std::string("m2") ? "2" : "3");
        EXPECT_EQ(b.form.NumStato, 1) << key;
        EXPECT_EQ(b.incroci(), 3) << key;
        EXPECT_TRUE(ts::sameKnot(bigon, ts::diagramOf(b.form.diagram.txtNodo, b.form.diagram.TxtOri)));
    }
    // A reduced diagram: the commands say that nothing was found.
    Banco t;
    ASSERT_TRUE(t.apri("1-2+3-1+2-3+", "OOO"));
    t.form.tlb1_ButtonClick("m2");
    ASSERT_FALSE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.messages.back(), "No move II was found");
    t.form.tlb1_ButtonClick("m3");
    EXPECT_EQ(t.ui.messages.back(), "No move III was found");
    EXPECT_EQ(t.form.NumStato, 0);
}

TEST(MoveWindow, CombinedStepTakesMoveOneThenThreeThenTwo) {
    std::mt19937 rng(11);
    auto bigon = ts::addBigon(ts::diagramOf("1-2+3-1+2-3+", "OOO"), rng);
    auto curl = ts::addCurl(bigon, 0, true, 1);
    Banco b;
    ASSERT_TRUE(b.apri(curl));
    b.ui.viewerAnswers = {"Sel"};
    b.form.tlb1_ButtonClick("m3b");
    ASSERT_EQ(b.ui.viewerRequests.size(), 1u);
    EXPECT_EQ(b.ui.viewerRequests[0].tipoMossa, "1");
    EXPECT_EQ(b.incroci(), ts::lettersText(bigon).size());
    // No curl left: a move III comes before any move II.
    b.ui.viewerRequests.clear();
    b.ui.viewerAnswers = {"Sel"};
    b.form.tlb1_ButtonClick("m3b");
    ASSERT_EQ(b.ui.viewerRequests.size(), 1u);
    EXPECT_EQ(b.ui.viewerRequests[0].tipoMossa, "3");
    EXPECT_EQ(b.form.NumStato, 2);
    EXPECT_EQ(b.incroci(), 3);

    // Every move III passed over: the combined step goes on to move II and applies it.
    Banco c;
    ASSERT_TRUE(c.apri(bigon));
    int terzi = 0;
    for (char k : {'-', '+'})
        EnumeraCandidatiPonte(c.form.diagram, k, k == '-' ? '+' : '-', false, [&](const CandidatoPonte&) {
            ++terzi;
            return true;
        });
    ASSERT_GT(terzi, 0);
    ASSERT_FALSE(CandidatiMossaII(c.form.diagram).empty());
    c.ui.viewerAnswers.assign(static_cast<std::size_t>(terzi), "");
    c.ui.viewerAnswers.push_back("Sel");
    c.form.tlb1_ButtonClick("m3b");
    ASSERT_FALSE(c.ui.viewerRequests.empty());
    EXPECT_EQ(c.ui.viewerRequests.back().tipoMossa, "2");
    EXPECT_EQ(c.form.NumStato, 1);
    EXPECT_EQ(c.incroci(), 3);
    EXPECT_TRUE(ts::sameKnot(bigon, ts::diagramOf(c.form.diagram.txtNodo, c.form.diagram.TxtOri)));
}

TEST(MoveWindow, CompleteRunUntiesGeneratedUnknotsAndListsEveryStep) {
    for (int n : {20, 50, 100}) {
        Banco b;
        ASSERT_TRUE(b.apri(ts::randomUnknot(static_cast<std::uint32_t>(n), n)));
        const std::string codice0 = b.form.diagram.txtNodo;
        const int prima = b.incroci();
        b.form.tlb1_ButtonClick("quick");
        ASSERT_EQ(b.lista.mostrata, 1);
        const int ultimo = static_cast<int>(b.lista.righe.size()) - 1;
        ASSERT_GT(ultimo, 0);
        // The last step is below three crossings; every row is its step of the history.
        EXPECT_LT(b.form.tblStati[static_cast<std::size_t>(ultimo)].Ori.size(), 3u) << n;
        for (int i = 0; i <= ultimo; ++i) {
            const Stato& s = b.form.tblStati[static_cast<std::size_t>(i)];
            const auto& r = b.lista.righe[static_cast<std::size_t>(i)];
            EXPECT_EQ(r[0], std::to_string(i));
            EXPECT_EQ(r[1], std::to_string(s.Ori.size()));
            EXPECT_EQ(r[2], valoreGaussCode(s.Codice));
            EXPECT_EQ(r[3], valoreIndices(s.Ori));
        }
        EXPECT_EQ(b.lista.p2.rfind("Time processing sec: ", 0), 0u);
        // Back at the start step, with its diagram and commands.
        EXPECT_EQ(b.form.NumStato, 0);
        EXPECT_EQ(b.form.diagram.txtNodo, codice0);
        EXPECT_EQ(b.incroci(), prima);
        EXPECT_FALSE(b.form.CorsaCompleta);
        EXPECT_FALSE(b.form.ModoAutomatico);
        EXPECT_FALSE(b.ui.commandEnabled("Undo"));
        EXPECT_TRUE(b.ui.commandEnabled("quick"));
        EXPECT_TRUE(b.ui.messages.empty()) << b.ui.messages.front();
        EXPECT_TRUE(b.ui.viewerRequests.empty());
    }
}

TEST(MoveWindow, CompleteRunKeepsTheKnotAtEveryStep) {
    for (const char* name : {"trefoil_right", "5_2", "4_1"}) {
        const auto base = ts::diagramOf(ts::namedKnot(name));
        const auto g = ts::enlarged(base, 3, 25);
        Banco b;
        ASSERT_TRUE(b.apri(g));
        ListaCatturata& l = b.lista;
        b.form.tlb1_ButtonClick("quick");
        ASSERT_EQ(l.mostrata, 1);
        ASSERT_GT(l.righe.size(), 1u) << name;
        for (std::size_t i = 1; i < l.righe.size(); ++i) {
            const Stato& s = b.form.tblStati[i];
            ASSERT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori))) << name << " step " << i;
        }
        EXPECT_GE(std::stoi(l.righe.back()[1]), 3) << name;
    }
    // The trefoil runs no step: one row, and the window stays at step 0.
    Banco t;
    ASSERT_TRUE(t.apri("1-2+3-1+2-3+", "OOO"));
    t.form.tlb1_ButtonClick("quick");
    ASSERT_EQ(t.lista.righe.size(), 1u);
    EXPECT_EQ(t.lista.righe[0][1], "3");
    EXPECT_EQ(t.form.NumStato, 0);
    EXPECT_EQ(t.incroci(), 3);
}

TEST(MoveWindow, CompleteRunFromALaterStepReturnsThereWithUndoAndSave) {
    Banco b;
    ASSERT_TRUE(b.apri(ts::randomUnknot(5, 30)));
    b.ui.viewerAnswers = {"Sel"};
    b.form.tlb1_ButtonClick("m3b");
    ASSERT_EQ(b.form.NumStato, 1);
    const std::string codice1 = b.form.diagram.txtNodo;
    b.form.tlb1_ButtonClick("quick");
    EXPECT_EQ(b.lista.righe[1][2], valoreGaussCode(codice1));
    EXPECT_EQ(b.form.NumStato, 1);
    EXPECT_EQ(b.form.diagram.txtNodo, codice1);
    EXPECT_TRUE(b.ui.commandEnabled("Undo"));
    EXPECT_TRUE(b.ui.commandEnabled("Salva"));

    // At the history's bound the run stops cleanly and says why.
    Banco h;
    ASSERT_TRUE(h.apri(ts::randomUnknot(6, 30)));
    h.form.tblStati[kMaxStati - 2] = h.form.tblStati[0];
    h.form.NumStato = kMaxStati - 2;
    h.form.tlb1_ButtonClick("quick");
    ASSERT_EQ(h.lista.righe.size(), static_cast<std::size_t>(kMaxStati) + 1);
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_NE(h.ui.messages.back().find("step history is full"), std::string::npos);
    EXPECT_EQ(h.form.NumStato, kMaxStati - 2);
    EXPECT_TRUE(h.ui.commandEnabled("Undo"));
}

TEST(MoveWindow, CancelDuringTheHorizontalSearchGivesNoMove) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        auto g = ts::randomBraidKnot(seed, 3, 9);
        Banco b;
        if (!b.apri(g)) continue;
        const Diagram& d = b.form.diagram;
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
        const std::string nome1 = d.NomiIncroci[1];
        b.ui.onYield = [&] { b.ctx.RichiestaStop = 1; };
        b.form.tlb1_ButtonClick("m3b");
        EXPECT_EQ(b.form.diagram.txtNodo, prima);
        EXPECT_EQ(b.form.diagram.NomiIncroci[1], nome1);
        EXPECT_EQ(b.form.NumStato, 0);
        EXPECT_EQ(b.ctx.RichiestaStop, 0);
        EXPECT_FALSE(b.ui.commandEnabled("Undo"));
        // Without the stop the search goes on through the look-ahead instance, made once, hidden and kept;
        // it leaves the visible diagram's names and the shared flags alone.
        b.ui.onYield = nullptr;
        b.form.tlb1_ButtonClick("m3b");
        FinestraForm2* prova = b.w.provaSeCreata();
        ASSERT_NE(prova, nullptr);
        EXPECT_TRUE(prova->form().isHiddenInstance());
        EXPECT_FALSE(b.ctx.ProvaDaCreare);
        EXPECT_FALSE(b.ctx.ModoAutomatico);
        EXPECT_FALSE(b.ctx.ModoBatch);
        EXPECT_EQ(&b.w.prova(), prova);
        EXPECT_LE(b.form.NumStato, 1);
        if (b.form.NumStato == 0) {
            EXPECT_EQ(b.form.diagram.NomiIncroci[1], nome1);
        }
        return;
    }
    GTEST_SKIP() << "no diagram needing the horizontal search";
}

}  // namespace
}  // namespace trevalon
