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
    explicit Banco(const std::string& knot) {
        EXPECT_TRUE(ApriGen(form.contesto(), form.vista(), campione(knot)));
    }
    bool committa(const std::string& gauss, const std::string& ori) {
        return CommittaMossa(form.contesto(), form.vista(), TestoNodo{gauss, ori, {}});
    }
    // Which of "draw", "Undo" and "Salva" are on.
    std::string comandi() const {
        std::string on;
        for (const char* k : {"draw", "Undo", "Salva"})
            if (ui.commandEnabled(k)) on += (on.empty() ? "" : " ") + std::string(k);
        return on;
    }
};

TEST(History, ACommittedMoveIsBuiltOnceRecordedAndUndone) {
    Banco b("Square.gau");
    const std::string codice0 = b.d().txtNodo, ori0 = b.d().TxtOri;
    const int costruzioni = b.ui.costruzioni;
    b.form.doc().PartenzaDisegno = 3;
    ASSERT_TRUE(b.committa("1+2-3+1-4+3-2+4-", "OVVO"));
    EXPECT_EQ(b.ui.costruzioni, costruzioni + 1);
    EXPECT_EQ(b.passo(), 1);
    const Stato& s = b.storia().passo(1);
    EXPECT_EQ((std::tuple{s.Codice, s.Ori, s.Tipo, s.Flag, b.form.doc().PartenzaDisegno}),
              (std::tuple{"1+2-3+1-4+3-2+4-", "OVVO", GenMode::Code, 1, 1}));
    EXPECT_EQ((std::tuple{b.d().NumIncroci, b.d().NumRegioni}), (std::tuple{4, 6}));
    EXPECT_EQ(b.ui.caption(), " Trevalon - Square - Step 1");
    EXPECT_EQ(b.comandi(), "Undo Salva");  // "draw" only at step 0
    EXPECT_TRUE(b.ui.messages.empty());

    b.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ((std::tuple{b.passo(), b.d().txtNodo, b.d().TxtOri, b.d().NumIncroci, b.d().NumRegioni}),
              (std::tuple{0, codice0, ori0, 6, 8}));
    EXPECT_EQ(b.ui.caption(), " Trevalon - Square - Step 0");
    EXPECT_EQ(b.comandi(), "draw");
    EXPECT_FALSE(b.ui.busy());
    // Undo at step 0 rebuilds step 0 however spoilt the tables are.
    b.d().NumRegioni = 0;
    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ((std::tuple{b.passo(), b.d().NumRegioni}), (std::tuple{0, 8}));
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
        {"batch mode", "1+2-3+1-4+3-2+4-", "OVVO", "", [](Banco& b) { b.form.doc().modi.ModoBatch = true; }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b("FigureEight.gau");
        if (c.prepara) c.prepara(b);
        const std::string codice = b.d().txtNodo, ori = b.d().TxtOri;
        const int passo = b.passo();
        EXPECT_FALSE(b.committa(c.gauss, c.ori));
        EXPECT_EQ(b.passo(), passo);
        ASSERT_EQ(b.ui.messages.size(), c.messaggio.empty() ? 0u : 1u);
        if (!c.messaggio.empty()) {
            EXPECT_NE(b.ui.messages.back().find(c.messaggio), std::string::npos) << b.ui.messages.back();
        }
        if (!b.form.doc().modi.ModoBatch) {  // the shown step's texts are back
            EXPECT_EQ((std::tuple{b.d().txtNodo, b.d().TxtOri}), (std::tuple{codice, ori}));
        }
        EXPECT_EQ((std::tuple{b.d().NumIncroci, b.d().NumRegioni}), (std::tuple{4, 6}));
        EXPECT_FALSE(b.ui.commandEnabled("Undo") || b.ui.busy());
        EXPECT_TRUE(b.form.vista().Gr.redraw());
    }
}

TEST(History, EmptyTextsAreTheTrivialKnotShownAsALoopAndRecorded) {
    for (bool corsa : {false, true}) {
        Banco b("FigureEight.gau");
        ASSERT_TRUE(b.committa("1-2+3-4+2-1+4-3+", "OOVV"));
        b.form.doc().modi.CorsaCompleta = corsa;
        const int costruzioni = b.ui.costruzioni;
        ASSERT_TRUE(b.committa("", ""));
        EXPECT_EQ(b.ui.costruzioni, costruzioni);  // nothing to build
        EXPECT_EQ((std::tuple{b.passo(), b.storia().passo(2).Codice, b.d().NumIncroci}),
                  (std::tuple{2, "", 0}));
        // The grid is not left blank: a closed loop of tiles, with no crossing and no label.
        EXPECT_EQ(b.celle(), (std::tuple{12, 0}));
        EXPECT_FALSE(b.ui.commandEnabled("Salva"));
        // The mark only when a person watches, and once.
        EXPECT_EQ(b.ui.caption().find("TRIVIAL KNOT") != std::string::npos, !corsa) << b.ui.caption();
        b.committa("", "");
        EXPECT_EQ(b.ui.caption().find("TRIVIAL KNOT"), b.ui.caption().rfind("TRIVIAL KNOT"));
        // Undo from it restores the knot, Save and Undo.
        b.form.doc().modi.CorsaCompleta = false;
        b.storia().NumStato = 2;
        StatoPrec(b.form.contesto(), b.form.vista());
        EXPECT_EQ((std::tuple{b.passo(), b.d().NumIncroci, b.comandi()}), (std::tuple{1, 4, "Undo Salva"}));
    }
}

TEST(History, ADrawnStepKeepsItsSnapshotAndUndoToACodeStepRebuildsFromTheCode) {
    Banco b("Trefoil.gau");
    b.form.doc().tblGen.setCodice(3, 4, "7");
    b.form.doc().tblGen.setCodice(3, 5, "2");
    b.form.doc().modi.ModoGen = GenMode::CellDrawing;
    b.form.doc().NumIncrociDis = 3;
    ASSERT_TRUE(Salvastato(b.form.contesto(), b.form.vista()));
    EXPECT_EQ((std::tuple{b.storia().passo(1).Tipo, b.storia().passo(1).TblGenSer}),
              (std::tuple{GenMode::CellDrawing, "3,4,7|3,5,2|"}));
    // The cell drawing comes back from the snapshot of the step.
    InizializzaCelDis(b.form.doc().tblGen);
    ASSERT_TRUE(DeSerializzaTblGen(b.form.contesto()));
    EXPECT_EQ((std::tuple{b.form.doc().tblGen.Codice(3, 4), b.form.doc().NumIncrociDis}),
              (std::tuple{"7", 3}));
    // A snapshot that cannot be read is said and leaves the drawing.
    b.storia().corrente().TblGenSer = "1,1,x|";
    EXPECT_FALSE(DeSerializzaTblGen(b.form.contesto()));
    EXPECT_EQ(b.form.doc().tblGen.Codice(3, 4), "7");
    ASSERT_EQ(b.ui.messages.size(), 1u);
    // Undo to a step built from the code rebuilds it from its Gauss text whatever snapshot it holds.
    b.storia().passo(0).TblGenSer = "1,1,5|";
    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ((std::tuple{b.passo(), b.form.doc().modi.ModoGen, b.d().NumRegioni}),
              (std::tuple{0, GenMode::Code, 5}));
}

TEST(BuildCommands, DrawCyclesTheRootCrossingAndKeepsItInTheStep) {
    Banco b("Trefoil.gau");
    for (int atteso : {2, 3, 1, 2}) {
        b.form.tlb1_ButtonClick("draw");
        EXPECT_EQ((std::tuple{b.form.doc().PartenzaDisegno, b.storia().passo(0).Flag, b.d().NumRegioni,
                              b.ui.panel("p1")}),
                  (std::tuple{atteso, atteso, 5, "Done"}));
    }
    EXPECT_TRUE(b.ui.messages.empty());
    // Undo at step 0 lays the diagram out again from the root the step keeps.
    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ(b.form.doc().PartenzaDisegno, 2);
}

TEST(BuildCommands, RebuildOfTheShownStep) {
    Banco b("5_2.gau");
    const std::string codice = b.d().txtNodo;
    // A faulty code: said (not in a complete run), the diagram kept, pointer and painting restored.
    for (bool corsa : {false, true}) {
        b.ui.messages.clear();
        b.form.doc().modi.CorsaCompleta = corsa;
        b.d().txtNodo = "1-2+3-1+2+3-";
        EXPECT_EQ(CmdTutto_Click(b.form.contesto(), b.form.vista()), EsitoCostruzione::Errore);
        const auto& m = b.ui.messages;
        EXPECT_EQ(std::any_of(m.begin(), m.end(),
                              [](const std::string& t) { return t.ends_with(kErroreCodiceGau); }),
                  !corsa);
        EXPECT_TRUE(!b.ui.busy() && b.form.vista().Gr.redraw());
        EXPECT_EQ(b.d().NumIncroci, 6);
    }
    b.form.doc().modi.CorsaCompleta = false;
    b.d().txtNodo = codice;
    EXPECT_EQ(CmdTutto_Click(b.form.contesto(), b.form.vista()), EsitoCostruzione::Costruito);
    // Trivial texts at step 0 switch the diagram commands off and clear the grid.
    b.ui.messages.clear();
    b.d().txtNodo = " ";
    EXPECT_EQ(CmdTutto_Click(b.form.contesto(), b.form.vista()), EsitoCostruzione::Banale);
    EXPECT_EQ(b.ui.messages, std::vector<std::string>{"Trivial knot"});
    EXPECT_FALSE(b.ui.commandEnabled("draw"));
    EXPECT_TRUE(b.form.vista().Gr.picture(3, 2).empty());
}

TEST(Highlights, SwitchedCrossingTileFollowsTheNamedSides) {
    Diagram d;
    d.incroci[1].ArcoLato = {0, 11, 12, 13, 14};
    // Sides 1-2 or 3-4 named: tile 9; any other pair, one side only, "11" without its leading "," or
    // "111" for "11": tile 10.
    for (const char* lista : {",11,12,", ",12,11,", ",14,13,"})
        EXPECT_EQ(tesseraNodoSw(d, 1, lista), 9) << lista;
    for (const char* lista : {",11,13,", ",14,11,", ",12,", "11,12,", ",111,12,"})
        EXPECT_EQ(tesseraNodoSw(d, 1, lista), 10) << lista;

    Banco b("Trefoil.gau");
    const Diagram& t = b.d();
    const Incrocio& x = t.incroci[2];
    const std::string lista = "," + std::to_string(x.ArcoLato[3]) + "," + std::to_string(x.ArcoLato[4]) + ",";
    EXPECT_EQ(DisegnaNodoSw(b.form.vista(), b.form.doc(), 2, 0, lista), 9);
    int r = 0, c = 0;
    Trasforma(t.limiti, x.Riga, x.Colonna, r, c);
    EXPECT_EQ((std::tuple{b.form.vista().Tbltt.get(r, c), b.form.vista().Gr.text(r, c),
                          b.form.vista().Gr.style(r, c).foreColor}),
              (std::tuple{TileImg(9).name, t.NomiIncroci[2], 255u}));
    b.form.doc().modi.ModoGen = GenMode::TextDrawing;
    EXPECT_EQ(DisegnaNodoSw(b.form.vista(), b.form.doc(), 2, 0, lista), 0);
}

}  // namespace
}  // namespace trevalon
