#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "form2_fixture.h"
#include "layout/palette.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/highlights.h"
#include "mainwindow/history.h"
#include "mainwindow/open_knot.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

struct Banco : fixture::FinestraDiProva {
    void apri(const std::string& knot) {
        ASSERT_TRUE(ApriGen(form, (fs::path(TREVALON_SOURCE_DIR) / "Knots" / knot).string()));
    }
    void mossa(const std::string& gauss, const std::string& ori) {
        form.diagram.txtNodo = gauss;
        form.diagram.TxtOri = ori;
    }
};

std::unique_ptr<Banco> nuovoBanco() {
    return std::make_unique<Banco>();
}

TEST(History, UndoAtStepZeroRebuildsStepZero) {
    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    const std::string codice = b->form.diagram.txtNodo;
    b->form.diagram.NumRegioni = 0;  // spoilt: the undo must rebuild
    StatoPrec(b->form);
    EXPECT_EQ(b->form.NumStato, 0);
    EXPECT_EQ(b->form.diagram.txtNodo, codice);
    EXPECT_EQ(b->form.diagram.NumRegioni, 5);
    EXPECT_FALSE(b->ui.commandEnabled("Undo"));
    EXPECT_TRUE(b->ui.commandEnabled("draw"));
    EXPECT_EQ(b->ui.caption(), " Trevalon - Trefoil - Step 0");
}

TEST(History, PushThenUndoRestoresTextsCaptionAndCommands) {
    auto b = nuovoBanco();
    b->apri("Square.gau");
    const std::string codice0 = b->form.diagram.txtNodo, ori0 = b->form.diagram.TxtOri;
    b->form.PartenzaDisegno = 3;
    b->mossa("1+2-3+1-4+3-2+4-", "OVVO");
    ASSERT_TRUE(Salvastato(b->form));
    EXPECT_EQ(b->form.NumStato, 1);
    EXPECT_EQ(b->form.tblStati[1].Codice, "1+2-3+1-4+3-2+4-");
    EXPECT_EQ(b->form.tblStati[1].Ori, "OVVO");
    EXPECT_EQ(b->form.tblStati[1].Tipo, "A");
    EXPECT_EQ(b->form.tblStati[1].Flag, 1);
    EXPECT_EQ(b->form.PartenzaDisegno, 1);
    EXPECT_EQ(b->form.diagram.NumIncroci, 4);
    EXPECT_EQ(b->form.diagram.NumRegioni, 6);
    EXPECT_EQ(b->ui.caption(), " Trevalon - Square - Step 1");
    EXPECT_TRUE(b->ui.commandEnabled("Undo"));
    EXPECT_TRUE(b->ui.commandEnabled("Salva"));
    EXPECT_FALSE(b->ui.commandEnabled("draw"));  // from step 1 on

    b->form.tlb1_ButtonClick("Undo");
    EXPECT_EQ(b->form.NumStato, 0);
    EXPECT_EQ(b->form.diagram.txtNodo, codice0);
    EXPECT_EQ(b->form.diagram.TxtOri, ori0);
    EXPECT_EQ(b->form.diagram.NumIncroci, 6);
    EXPECT_EQ(b->form.diagram.NumRegioni, 8);
    EXPECT_EQ(b->ui.caption(), " Trevalon - Square - Step 0");
    EXPECT_FALSE(b->ui.commandEnabled("Undo"));
    EXPECT_FALSE(b->ui.commandEnabled("Salva"));
    EXPECT_TRUE(b->ui.commandEnabled("draw"));
    EXPECT_FALSE(b->ui.busy());
}

TEST(History, AFailedOrTrivialPushRecordsNothingAndTheStepStaysShown) {
    auto b = nuovoBanco();
    b->apri("FigureEight.gau");
    const std::string codice = b->form.diagram.txtNodo;
    for (const auto& [gauss, ori, messaggio] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"1-2+3-1+2+3-", "OOO", "error gauss code in file .GAU"},
             {"1-2+3-1+2-3+", "OO", "error gauss code in file .GAU"},
             {"", "", "Trivial knot"}}) {
        b->ui.messages.clear();
        b->mossa(gauss, ori);
        EXPECT_FALSE(Salvastato(b->form));
        EXPECT_EQ(b->form.NumStato, 0);
        ASSERT_FALSE(b->ui.messages.empty());
        EXPECT_EQ(b->ui.messages.back(), messaggio);
        EXPECT_EQ(b->form.diagram.txtNodo, codice);  // the shown step's texts are back
        EXPECT_EQ(b->form.diagram.NumIncroci, 4);
        EXPECT_EQ(b->form.diagram.NumRegioni, 6);
        EXPECT_FALSE(b->ui.commandEnabled("Undo"));
        EXPECT_FALSE(b->ui.busy());
        EXPECT_TRUE(b->form.Gr.redraw());
    }
}

TEST(History, APushBeyondTheLastStepIsRefused) {
    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    b->form.NumStato = kMaxStati;
    b->form.tblStati[kMaxStati] = b->form.tblStati[0];
    b->mossa("1+2-3+1-4+3-2+4-", "OVVO");
    EXPECT_FALSE(Salvastato(b->form));
    EXPECT_EQ(b->form.NumStato, kMaxStati);
    ASSERT_EQ(b->ui.messages.size(), 1u);
    EXPECT_NE(b->ui.messages[0].find("history is full"), std::string::npos);
    EXPECT_EQ(b->form.diagram.TxtOri, "OOO");
    EXPECT_EQ(b->form.tblStati.size(), static_cast<std::size_t>(kMaxStati) + 1);
}

TEST(History, PushOfADrawnStepKeepsItsSnapshotAndBatchModeRecordsNothing) {
    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    b->form.tblGen.setCodice(3, 4, "7");
    b->form.tblGen.setCodice(3, 5, "2");
    b->form.ModoGen = 'I';
    b->form.NumIncrociDis = 3;
    ASSERT_TRUE(Salvastato(b->form));
    EXPECT_EQ(b->form.tblStati[1].Tipo, "I");
    EXPECT_EQ(b->form.tblStati[1].TblGenSer, "3,4,7|3,5,2|");
    EXPECT_TRUE(b->ui.commandEnabled("Salva"));
    // The cell drawing comes back from the snapshot of the step.
    InizializzaCelDis(b->form.tblGen);
    ASSERT_TRUE(DeSerializzaTblGen(b->form));
    EXPECT_EQ(b->form.tblGen.Codice(3, 4), "7");
    EXPECT_EQ(b->form.NumIncrociDis, 3);
    // Undo to a step built from the code rebuilds it from its Gauss text whatever snapshot it holds.
    b->form.tblStati[0].TblGenSer = "1,1,5|";
    StatoPrec(b->form);
    EXPECT_EQ(b->form.NumStato, 0);
    EXPECT_EQ(b->form.ModoGen, 'A');
    EXPECT_EQ(b->form.diagram.NumRegioni, 5);

    b->ctx.ModoBatch = true;
    b->mossa("1+2-3+1-4+3-2+4-", "OVVO");
    EXPECT_FALSE(Salvastato(b->form));
    EXPECT_EQ(b->form.NumStato, 0);
}

TEST(History, AHiddenInstanceRecordsButTouchesNoCommand) {
    ProgramContext ctx;
    ScriptedUi ui;
    Form2 prova(ctx, ui, "Form2");
    prova.Form_Load();
    prova.diagram.txtNodo = "1-2+3-1+2-3+";
    prova.diagram.TxtOri = "OOO";
    ASSERT_TRUE(Salvastato(prova));
    EXPECT_EQ(prova.NumStato, 1);
    EXPECT_FALSE(ui.commandEnabled("Undo"));
    EXPECT_EQ(ui.caption(), "Trevalon");  // as its start left it
}

TEST(BuildCommands, DrawCyclesTheRootCrossingAndKeepsItInTheStep) {
    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    for (int atteso : {2, 3, 1, 2}) {
        b->form.tlb1_ButtonClick("draw");
        EXPECT_EQ(b->form.PartenzaDisegno, atteso);
        EXPECT_EQ(b->form.tblStati[0].Flag, atteso);
        EXPECT_EQ(b->form.tblStati[0].Tipo, "A");
        EXPECT_EQ(b->form.diagram.NumRegioni, 5);
        EXPECT_EQ(b->ui.panel("p1"), "Done");
    }
    EXPECT_TRUE(b->ui.messages.empty());
    // Undo at step 0 lays the diagram out again from the root the step keeps.
    StatoPrec(b->form);
    EXPECT_EQ(b->form.PartenzaDisegno, 2);
}

TEST(BuildCommands, BuildErrorsRestorePointerAndPaintingAndKeepTheDiagram) {
    auto b = nuovoBanco();
    b->apri("5_2.gau");
    const std::string codice = b->form.diagram.txtNodo;
    b->form.diagram.txtNodo = "1-2+3-1+2+3-";
    EXPECT_EQ(CmdTutto_Click(b->form), EsitoCostruzione::Errore);
    EXPECT_EQ(b->ui.messages.back(), "error gauss code in file .GAU");
    EXPECT_FALSE(b->ui.busy());
    EXPECT_TRUE(b->form.Gr.redraw());
    EXPECT_EQ(b->form.diagram.NumIncroci, 6);
    // During a complete run a faulty code is reported by the flag only.
    b->ui.messages.clear();
    b->ctx.CorsaCompleta = true;
    EXPECT_EQ(CmdTutto_Click(b->form), EsitoCostruzione::Errore);
    for (const std::string& m : b->ui.messages) EXPECT_NE(m, "error gauss code in file .GAU");
    b->ctx.CorsaCompleta = false;
    b->form.diagram.txtNodo = codice;
    EXPECT_EQ(CmdTutto_Click(b->form), EsitoCostruzione::Costruito);
}

TEST(BuildCommands, TrivialTextsAtStepZeroSwitchTheCommandsOff) {
    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    b->mossa(" ", "OOO");
    EXPECT_EQ(CmdTutto_Click(b->form), EsitoCostruzione::Banale);
    ASSERT_EQ(b->ui.messages.size(), 1u);
    EXPECT_EQ(b->ui.messages[0], "Trivial knot");
    EXPECT_FALSE(b->ui.commandEnabled("draw"));
    EXPECT_TRUE(b->form.Gr.picture(3, 2).empty());
}

TEST(Highlights, SwitchedCrossingTileFollowsTheNamedSides) {
    Diagram d;
    d.incroci[1].ArcoLato = {0, 11, 12, 13, 14};
    EXPECT_EQ(tesseraNodoSw(d, 1, ",11,12,"), 9);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",12,11,"), 9);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",14,13,"), 9);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",11,13,"), 10);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",12,13,"), 10);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",14,11,"), 10);
    EXPECT_EQ(tesseraNodoSw(d, 1, ",12,"), 10);      // one side only
    EXPECT_EQ(tesseraNodoSw(d, 1, "11,12,"), 10);    // 11 lacks its leading ","
    EXPECT_EQ(tesseraNodoSw(d, 1, ",111,12,"), 10);  // 111 is not 11

    auto b = nuovoBanco();
    b->apri("Trefoil.gau");
    const Diagram& t = b->form.diagram;
    const Incrocio& x = t.incroci[2];
    const std::string lista = "," + std::to_string(x.ArcoLato[3]) + "," + std::to_string(x.ArcoLato[4]) + ",";
    EXPECT_EQ(DisegnaNodoSw(b->form, 2, 0, lista), 9);
    int r = 0, c = 0;
    Trasforma(t.limiti, x.Riga, x.Colonna, r, c);
    EXPECT_EQ(b->form.Tbltt.get(r, c), TileImg(9).name);
    EXPECT_EQ(b->form.Gr.text(r, c), t.NomiIncroci[2]);
    EXPECT_EQ(b->form.Gr.style(r, c).foreColor, 255u);
    EXPECT_EQ(b->form.Gr.style(r, c).alignment, CellAlign::RightBottom);
    b->form.ModoGen = 'D';
    EXPECT_EQ(DisegnaNodoSw(b->form, 2, 0, lista), 0);
}

}  // namespace
}  // namespace trevalon
