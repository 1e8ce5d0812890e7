// The step history of the main window: the commit path of applied moves, Undo, the "draw" command and the
// rebuild of the shown step.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "form2_fixture.h"
#include "layout/palette.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/commit.h"
#include "mainwindow/highlights.h"
#include "mainwindow/history.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"

namespace trevalon {
namespace {

using fixture::campione;

struct Banco : fixture::FinestraDiProva {
    explicit Banco(const std::string& knot) { EXPECT_TRUE(ApriGen(form, campione(knot))); }
    bool committa(const std::string& gauss, const std::string& ori) {
        return CommittaMossa(form, TestoNodo{gauss, ori, {}});
    }
};

TEST(History, ACommittedMoveIsBuiltOnceRecordedAndUndone) {
    Banco b("Square.gau");
    const std::string codice0 = b.d().txtNodo, ori0 = b.d().TxtOri;
    const int costruzioni = b.ui.costruzioni;
    b.form.doc.PartenzaDisegno = 3;
    ASSERT_TRUE(b.committa("1+2-3+1-4+3-2+4-", "OVVO"));
    EXPECT_EQ(b.ui.costruzioni, costruzioni + 1);
    EXPECT_EQ(b.passo(), 1);
    const Stato& s = b.storia().passo(1);
    EXPECT_EQ(s.Codice, "1+2-3+1-4+3-2+4-");
    EXPECT_EQ(s.Ori, "OVVO");
    EXPECT_EQ(s.Tipo, GenMode::Code);
    EXPECT_EQ(s.Flag, 1);
    EXPECT_EQ(b.form.doc.PartenzaDisegno, 1);
    EXPECT_EQ(b.d().NumIncroci, 4);
    EXPECT_EQ(b.d().NumRegioni, 6);
    EXPECT_EQ(b.ui.caption(), " Trevalon - Square - Step 1");
    EXPECT_TRUE(b.ui.commandEnabled("Undo"));
    EXPECT_TRUE(b.ui.commandEnabled("Salva"));
    EXPECT_FALSE(b.ui.commandEnabled("draw"));  // from step 1 on
    EXPECT_TRUE(b.ui.messages.empty());

    b.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ(b.passo(), 0);
    EXPECT_EQ(b.d().txtNodo, codice0);
    EXPECT_EQ(b.d().TxtOri, ori0);
    EXPECT_EQ(b.d().NumIncroci, 6);
    EXPECT_EQ(b.d().NumRegioni, 8);
    EXPECT_EQ(b.ui.caption(), " Trevalon - Square - Step 0");
    EXPECT_FALSE(b.ui.commandEnabled("Undo"));
    EXPECT_FALSE(b.ui.commandEnabled("Salva"));
    EXPECT_TRUE(b.ui.commandEnabled("draw"));
    EXPECT_FALSE(b.ui.busy());
    // Undo at step 0 rebuilds step 0 however spoilt the tables are.
    b.d().NumRegioni = 0;
    StatoPrec(b.form);
    EXPECT_EQ(b.passo(), 0);
    EXPECT_EQ(b.d().NumRegioni, 8);
}

TEST(History, ARefusedCommitRecordsNothingAndLeavesTheShownStep) {
    struct Caso {
        const char* nome;
        std::string gauss, ori, messaggio;
        std::function<void(Banco&)> prepara;
    };
    const std::vector<Caso> casi = {
        {"faulty code", "1-2+3-1+2+3-", "OOO", "error gauss code in file .GAU", {}},
        {"letters short", "1-2+3-1+2-3+", "OO", "error gauss code in file .GAU", {}},
        {"history full", "1+2-3+1-4+3-2+4-", "OVVO", "The step history is full",
         [](Banco& b) {
             b.storia().passo(kMaxStati) = b.storia().passo(0);
             b.storia().NumStato = kMaxStati;
         }},
        {"batch mode", "1+2-3+1-4+3-2+4-", "OVVO", "", [](Banco& b) { b.form.doc.modi.ModoBatch = true; }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b("FigureEight.gau");
        if (c.prepara) c.prepara(b);
        const std::string codice = b.d().txtNodo, ori = b.d().TxtOri;
        const int passo = b.passo();
        EXPECT_FALSE(b.committa(c.gauss, c.ori));
        EXPECT_EQ(b.passo(), passo);
        if (c.messaggio.empty()) {
            EXPECT_TRUE(b.ui.messages.empty());
        } else {
            ASSERT_EQ(b.ui.messages.size(), 1u);
            EXPECT_NE(b.ui.messages.back().find(c.messaggio), std::string::npos) << b.ui.messages.back();
        }
        if (!b.form.doc.modi.ModoBatch) {
            EXPECT_EQ(b.d().txtNodo, codice);  // the shown step's texts are back
            EXPECT_EQ(b.d().TxtOri, ori);
        }
        EXPECT_EQ(b.d().NumIncroci, 4);
        EXPECT_EQ(b.d().NumRegioni, 6);
        EXPECT_FALSE(b.ui.commandEnabled("Undo"));
        EXPECT_FALSE(b.ui.busy());
        EXPECT_TRUE(b.form.vista.Gr.redraw());
    }
}

TEST(History, EmptyTextsAreTheTrivialKnotAndAreRecorded) {
    for (bool corsa : {false, true}) {
        Banco b("FigureEight.gau");
        b.form.doc.modi.CorsaCompleta = corsa;
        const int costruzioni = b.ui.costruzioni;
        ASSERT_TRUE(b.committa("", ""));
        EXPECT_EQ(b.ui.costruzioni, costruzioni);  // nothing to build
        EXPECT_EQ(b.passo(), 1);
        EXPECT_EQ(b.storia().passo(1).Codice, "");
        EXPECT_EQ(b.d().NumIncroci, 0);
        // The mark only when a person watches, and once.
        EXPECT_EQ(b.ui.caption().find("TRIVIAL KNOT") != std::string::npos, !corsa) << b.ui.caption();
        b.committa("", "");
        EXPECT_EQ(b.ui.caption().find("TRIVIAL KNOT"), b.ui.caption().rfind("TRIVIAL KNOT"));
        b.form.doc.modi.CorsaCompleta = false;
        b.storia().NumStato = 1;
        StatoPrec(b.form);
        EXPECT_EQ(b.passo(), 0);
        EXPECT_EQ(b.d().NumIncroci, 4);
    }
}

TEST(History, TheTrivialKnotShowsALoopAndUndoFromItRestoresSaveAndUndo) {
    Banco b("FigureEight.gau");
    const Diagram figura = b.d();
    ASSERT_TRUE(b.committa(figura.txtNodo, figura.TxtOri));
    ASSERT_TRUE(b.committa("", ""));
    EXPECT_FALSE(b.ui.commandEnabled("Salva"));
    // The grid is not left blank: a closed loop of tiles, with no crossing and no label.
    const GridControl& g = b.form.vista.Gr;
    int tessere = 0, testi = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            tessere += !g.picture(r, c).empty();
            testi += !g.text(r, c).empty();
        }
    EXPECT_EQ(tessere, 12);
    EXPECT_EQ(testi, 0);
    b.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ(b.passo(), 1);
    EXPECT_TRUE(b.ui.commandEnabled("Undo"));
    EXPECT_TRUE(b.ui.commandEnabled("Salva"));
}

TEST(History, ADrawnStepKeepsItsSnapshotAndUndoToACodeStepRebuildsFromTheCode) {
    Banco b("Trefoil.gau");
    b.form.doc.tblGen.setCodice(3, 4, "7");
    b.form.doc.tblGen.setCodice(3, 5, "2");
    b.form.doc.modi.ModoGen = GenMode::CellDrawing;
    b.form.doc.NumIncrociDis = 3;
    ASSERT_TRUE(Salvastato(b.form));
    EXPECT_EQ(b.storia().passo(1).Tipo, GenMode::CellDrawing);
    EXPECT_EQ(b.storia().passo(1).TblGenSer, "3,4,7|3,5,2|");
    // The cell drawing comes back from the snapshot of the step.
    InizializzaCelDis(b.form.doc.tblGen);
    ASSERT_TRUE(DeSerializzaTblGen(b.form));
    EXPECT_EQ(b.form.doc.tblGen.Codice(3, 4), "7");
    EXPECT_EQ(b.form.doc.NumIncrociDis, 3);
    // A snapshot that cannot be read is said and leaves the drawing.
    b.storia().corrente().TblGenSer = "1,1,x|";
    EXPECT_FALSE(DeSerializzaTblGen(b.form));
    EXPECT_EQ(b.form.doc.tblGen.Codice(3, 4), "7");
    ASSERT_EQ(b.ui.messages.size(), 1u);
    // Undo to a step built from the code rebuilds it from its Gauss text whatever snapshot it holds.
    b.storia().passo(0).TblGenSer = "1,1,5|";
    StatoPrec(b.form);
    EXPECT_EQ(b.passo(), 0);
    EXPECT_EQ(b.form.doc.modi.ModoGen, GenMode::Code);
    EXPECT_EQ(b.d().NumRegioni, 5);
}

TEST(BuildCommands, DrawCyclesTheRootCrossingAndKeepsItInTheStep) {
    Banco b("Trefoil.gau");
    for (int atteso : {2, 3, 1, 2}) {
        b.form.tlb1_ButtonClick("draw");
        EXPECT_EQ(b.form.doc.PartenzaDisegno, atteso);
        EXPECT_EQ(b.storia().passo(0).Flag, atteso);
        EXPECT_EQ(b.d().NumRegioni, 5);
        EXPECT_EQ(b.ui.panel("p1"), "Done");
    }
    EXPECT_TRUE(b.ui.messages.empty());
    // Undo at step 0 lays the diagram out again from the root the step keeps.
    StatoPrec(b.form);
    EXPECT_EQ(b.form.doc.PartenzaDisegno, 2);
}

TEST(BuildCommands, RebuildOfTheShownStep) {
    Banco b("5_2.gau");
    const std::string codice = b.d().txtNodo;
    // A faulty code: said (not in a complete run), the diagram kept, pointer and painting restored.
    for (bool corsa : {false, true}) {
        b.ui.messages.clear();
        b.form.doc.modi.CorsaCompleta = corsa;
        b.d().txtNodo = "1-2+3-1+2+3-";
        EXPECT_EQ(CmdTutto_Click(b.form), EsitoCostruzione::Errore);
        const auto& m = b.ui.messages;
        EXPECT_EQ(std::any_of(m.begin(), m.end(),
                              [](const std::string& t) { return t.ends_with(kErroreCodiceGau); }),
                  !corsa);
        EXPECT_FALSE(b.ui.busy());
        EXPECT_TRUE(b.form.vista.Gr.redraw());
        EXPECT_EQ(b.d().NumIncroci, 6);
    }
    b.form.doc.modi.CorsaCompleta = false;
    b.d().txtNodo = codice;
    EXPECT_EQ(CmdTutto_Click(b.form), EsitoCostruzione::Costruito);
    // Trivial texts at step 0 switch the diagram commands off and clear the grid.
    b.ui.messages.clear();
    b.d().txtNodo = " ";
    EXPECT_EQ(CmdTutto_Click(b.form), EsitoCostruzione::Banale);
    EXPECT_EQ(b.ui.messages, std::vector<std::string>{"Trivial knot"});
    EXPECT_FALSE(b.ui.commandEnabled("draw"));
    EXPECT_TRUE(b.form.vista.Gr.picture(3, 2).empty());
}

TEST(Highlights, SwitchedCrossingTileFollowsTheNamedSides) {
    Diagram d;
    d.incroci[1].ArcoLato = {0, 11, 12, 13, 14};
    for (const auto& [lista, tessera] : std::vector<std::pair<const char*, int>>{
             {",11,12,", 9},
             {",12,11,", 9},
             {",14,13,", 9},
             {",11,13,", 10},
             {",14,11,", 10},
             {",12,", 10},      // one side only
             {"11,12,", 10},    // 11 lacks its leading ","
             {",111,12,", 10},  // 111 is not 11
         })
        EXPECT_EQ(tesseraNodoSw(d, 1, lista), tessera) << lista;

    Banco b("Trefoil.gau");
    const Diagram& t = b.d();
    const Incrocio& x = t.incroci[2];
    const std::string lista = "," + std::to_string(x.ArcoLato[3]) + "," + std::to_string(x.ArcoLato[4]) + ",";
    EXPECT_EQ(DisegnaNodoSw(b.form, 2, 0, lista), 9);
    int r = 0, c = 0;
    Trasforma(t.limiti, x.Riga, x.Colonna, r, c);
    EXPECT_EQ(b.form.vista.Tbltt.get(r, c), TileImg(9).name);
    EXPECT_EQ(b.form.vista.Gr.text(r, c), t.NomiIncroci[2]);
    EXPECT_EQ(b.form.vista.Gr.style(r, c).foreColor, 255u);
    b.form.doc.modi.ModoGen = GenMode::TextDrawing;
    EXPECT_EQ(DisegnaNodoSw(b.form, 2, 0, lista), 0);
}

}  // namespace
}  // namespace trevalon
