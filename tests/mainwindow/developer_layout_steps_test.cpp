// The developer panel's steps of the cell lists, the quarter turn, the grid moves, the root crossing and the
// layout tree, and a drawn knot moved in the developer layout, pressed through the engine.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "celldraw/built_knot.h"
#include "drawn_curl_fixture.h"
#include "form2_fixture.h"
#include "layout/cell_lists.h"
#include "layout/cell_marks.h"
#include "layout/grid_view.h"
#include "layout/render_grid.h"
#include "mainwindow/commands.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/move_window.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "model/step_history.h"
#include "moves/move_drivers.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = testsupport;

struct NessunaLista : StepListPort {
    void showStepList(FrmLista&) override {}
};

// The developer layout's window with its move commands and its panel.
struct Sviluppo : fixture::FinestraDiProva {
    FinestraForm2 w{form};
    NessunaLista lista;
    PannelloSviluppo pannello{form};
    Sviluppo() {
        ctx.ModoSviluppo = true;
        form.Form_Load();
        InstallaComandiMosse(form, w, lista);
    }
    void costruisci(const std::string& nodo) {
        const ts::NamedKnot k = ts::namedKnot(nodo);
        pannello.txtNodo = k.gauss;
        pannello.TxtOri = k.letters;
        ASSERT_TRUE(pannello.premi("CmdTutto"));
        ASSERT_EQ(d().TxtOri, k.letters);
    }
};

// "ListaCelle" asks for the arc, proposing the one under the grid's current cell, and lists it again: each
// of its cells is shown on yellow with its number and the step viewer pauses at it; the arc keeps its
// cells. A number that is no arc, an arc without cells and a cancelled box list nothing.
TEST(PassiSviluppo, ListaCelleListsTheAskedArcPausingAtEachCell) {
    Sviluppo s;
    s.costruisci("7_1");
    Diagram& d = s.d();
    int arco = 0;
    for (int a = 1; a <= d.NumArchi && arco == 0; ++a)
        if (d.archi[a].Percorso.size() > 20) arco = a;
    ASSERT_GT(arco, 0);
    const std::string percorso = d.archi[arco].Percorso;
    // The person clicked a cell of the arc in the grid.
    const std::vector<Punto> celle = leggiVociPercorso(percorso);
    int gr = 0, gc = 0;
    Trasforma(d.limiti, celle[1].r, celle[1].c, gr, gc);
    s.form.vista.Gr.setRow(gr);
    s.form.vista.Gr.setCol(gc);
    s.ui.inputAnswers = {std::to_string(arco)};
    s.ui.viewerAnswers.clear();
    ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
    EXPECT_NE(std::find(s.ui.calls.begin(), s.ui.calls.end(),
                        "input: ListaCelle: arco [" + std::to_string(arco) + "]"),
              s.ui.calls.end());
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    // A pause per listed cell, as the list is read and again as its loops are removed.
    const std::size_t pause = s.ui.viewerRequests.size();
    EXPECT_GE(pause, celle.size() - 1);
    for (const StepViewRequest& r : s.ui.viewerRequests) EXPECT_TRUE(r.pausa);
    EXPECT_EQ(s.form.vista.layout.hook, nullptr);
    EXPECT_EQ(d.archi[arco].Percorso, percorso);
    Trasforma(d.limiti, celle.back().r, celle.back().c, gr, gc);
    EXPECT_EQ(s.form.vista.Gr.style(gr, gc).backColor, kColorePunto);
    EXPECT_FALSE(s.form.vista.Gr.text(gr, gc).empty());

    // Refused: no arc 0, none beyond the table, no number; a cancelled box does nothing.
    for (const char* voce : {"0", "9999", "x"}) {
        s.ui.inputAnswers = {std::string(voce)};
        s.ui.messages.clear();
        ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
        EXPECT_EQ(s.ui.messages.size(), 1u) << voce;
    }
    s.ui.messages.clear();
    s.ui.inputAnswers = {std::nullopt};
    ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
    EXPECT_TRUE(s.ui.messages.empty());
    EXPECT_EQ(s.ui.viewerRequests.size(), pause);
}

// "Ruota" writes the character picture of the turned table into the dumps folder and says where; the
// diagram shown is not turned. Without a folder it says so, and the knot file is still offered.
TEST(PassiSviluppo, RuotaWritesItsPictureIntoTheDumpsFolder) {
    Sviluppo s;
    const fs::path cartella = fixture::cartellaProva() / "dumps_ruota";
    fs::remove_all(cartella);
    s.ctx.cartellaDump = cartella;
    s.costruisci("5_2");
    const std::string codice = s.d().txtNodo;
    int celle = 0;
    for (int r = 0; r <= kMaxCella; ++r)
        for (int c = 0; c <= kMaxCella; ++c) celle += s.d().TblNodo.at(r, c).Forma != 0;
    ASSERT_TRUE(s.pannello.premi("CmdRuota"));
    const std::string immagine = fixture::leggi(cartella / "ruota.txt");
    EXPECT_EQ(s.ui.panel("p2"), "The turned picture was written: " + (cartella / "ruota.txt").string());
    int righe = 0, segni = 0;
    std::size_t primaPiena = 0;
    for (std::size_t i = 0; i < immagine.size(); ++i) {
        if (immagine[i] == '\n') {
            ++righe;
            continue;
        }
        if (immagine[i] == '\r' || immagine[i] == ' ') continue;
        ++segni;
        if (!primaPiena) primaPiena = static_cast<std::size_t>(righe) + 1;
    }
    EXPECT_EQ(righe, 1500);
    EXPECT_EQ(segni, celle);
    EXPECT_EQ(primaPiena, 1u);  // moved back to the top
    EXPECT_EQ(s.d().txtNodo, codice);
    // The knot file of the turned table is offered after it (and not saved here).
    EXPECT_EQ(s.ui.calls.back().rfind("save: ", 0), 0u) << s.ui.calls.back();

    s.ctx.cartellaDump.clear();
    ASSERT_TRUE(s.pannello.premi("CmdRuota"));
    EXPECT_EQ(s.ui.panel("p2").rfind("ruota.txt not written", 0), 0u) << s.ui.panel("p2");
    fs::remove_all(cartella);
}

// The four grid moves: by whole cells as far as 1000 twips go, one cell at least, never before the first
// row or column nor beyond the last.
TEST(PassiSviluppo, GridMovesScrollByAThousandTwips) {
    struct Caso {
        int dim;  // cell size, twips
        VersoSpostamento verso;
        int riga, col;  // TopRow, LeftCol after one move from (10, 10)
    };
    for (const Caso& k :
         {Caso{320, VersoSpostamento::Su, 13, 10}, Caso{320, VersoSpostamento::Giu, 7, 10},
          Caso{320, VersoSpostamento::Sinistra, 10, 13}, Caso{320, VersoSpostamento::Destra, 10, 7},
          Caso{52, VersoSpostamento::Su, 29, 10}, Caso{1200, VersoSpostamento::Giu, 9, 10},
          Caso{1000, VersoSpostamento::Destra, 10, 9}}) {
        GridControl g;
        InizializzaGr(g, 40, 40, k.dim, GenMode::Code);
        g.setTopRow(10);
        g.setLeftCol(10);
        EXPECT_TRUE(SpostaGriglia(g, k.verso));
        EXPECT_EQ(g.topRow(), k.riga) << k.dim;
        EXPECT_EQ(g.leftCol(), k.col) << k.dim;
    }
    GridControl g;
    InizializzaGr(g, 5, 5, 320, GenMode::Code);
    g.setTopRow(1);
    EXPECT_FALSE(SpostaGriglia(g, VersoSpostamento::Giu));
    EXPECT_TRUE(SpostaGriglia(g, VersoSpostamento::Su));
    EXPECT_TRUE(SpostaGriglia(g, VersoSpostamento::Su));
    EXPECT_EQ(g.topRow(), 5);
    EXPECT_FALSE(SpostaGriglia(g, VersoSpostamento::Su));

    // On the panel, each button moves the main grid.
    Sviluppo s;
    s.costruisci("trefoil_right");
    GridControl& Gr = s.form.vista.Gr;
    Gr.setTopRow(20);
    Gr.setLeftCol(20);
    for (const char* key : {"Command3", "Command4", "Command5", "Command6"})
        ASSERT_TRUE(s.pannello.premi(key));
    EXPECT_EQ((std::pair{Gr.topRow(), Gr.leftCol()}), (std::pair{20, 20}));
    ASSERT_TRUE(s.pannello.premi("Command3"));
    EXPECT_GT(Gr.topRow(), 20);
}

// "Scifta 1" moves only the root crossing on, 1 after the last, and shows it; "Radice" lays out from the
// next one. The layout names each crossing it places in the caption; "Vis Nodo" shows its tree as numbers.
TEST(PassiSviluppo, SciftaAdvancesTheRootAloneAndVisNodoShowsTheTree) {
    Sviluppo s;
    s.ui.messages.clear();
    ASSERT_TRUE(s.pannello.premi("CmdVisNodo"));
    EXPECT_EQ(s.ui.messages.size(), 1u);  // no layout yet
    s.costruisci("trefoil_right");
    EXPECT_EQ(s.pannello.didascalia("CmdScifta"), "Scifta 1");
    const std::string codice = s.d().txtNodo;
    std::string radici;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(s.pannello.premi("CmdScifta"));
        radici += s.pannello.didascalia("CmdScifta");
    }
    EXPECT_EQ(radici, "2312");
    EXPECT_EQ(s.d().txtNodo, codice);
    EXPECT_EQ(s.form.doc.storia.corrente().Flag, 1);  // nothing laid out again
    ASSERT_TRUE(s.pannello.premi("CmdRadice"));
    EXPECT_EQ(s.pannello.didascalia("CmdScifta"), "3");
    EXPECT_EQ(s.form.doc.storia.corrente().Flag, 3);

    s.costruisci("7_1");
    ASSERT_TRUE(s.pannello.premi("CmdDisegna"));
    const std::string didascalia = s.ui.caption();
    ASSERT_EQ(didascalia.rfind("GeneraDirezioniAmpiezza ", 0), 0u) << didascalia;
    const int ultimo = std::stoi(didascalia.substr(24));
    EXPECT_GE(ultimo, 1);
    EXPECT_LE(ultimo, 7);
    ASSERT_TRUE(s.pannello.premi("CmdVisNodo"));
    const GridControl& g = s.form.vista.Gr;
    int numeri = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            numeri += g.style(r, c).foreColor == kColoreIncrocio && !g.text(r, c).empty();
    EXPECT_EQ(numeri, 7);
}

// A knot kept as a cell drawing, moved in the developer layout: rebuilt from its redrawn drawing, not only
// given the new code, and no step recorded.
TEST(PassiSviluppo, ADrawnKnotIsRebuiltFromItsRedrawnDrawing) {
    const ts::GaussDiagram trifoglio = ts::diagramOf(ts::namedKnot("trefoil_right"));
    const fs::path file = fixture::cartellaProva() / "sviluppo_ricciolo.kno";
    ASSERT_TRUE(fixture::scriviTrifoglioDisegnatoConRiccio(file));
    Sviluppo s;
    ASSERT_TRUE(ApriGen(s.form, file.string()));
    ASSERT_EQ(s.form.doc.modi.ModoGen, GenMode::CellDrawing);
    ASSERT_EQ(s.d().NumIncroci, 4);
    const std::string prima = serializzaCelDis(s.form.doc.tblGen);
    // The developer layout shows a move I twice: as found, and with its developer's message.
    s.ui.viewerAnswers = {ViewerAnswer::Sel, ViewerAnswer::Sel};
    DoTric(s.w, true);
    EXPECT_EQ(s.d().NumIncroci, 3);
    EXPECT_EQ(contaIncrociDis(s.form.doc.tblGen), 3);
    EXPECT_NE(serializzaCelDis(s.form.doc.tblGen), prima);
    EXPECT_EQ(s.form.doc.modi.ModoGen, GenMode::CellDrawing);
    EXPECT_TRUE(ts::sameKnot(trifoglio, ts::diagramOf(s.d().txtNodo, s.d().TxtOri)));
    EXPECT_EQ(s.form.doc.storia.NumStato, 0);
    fs::remove(file);
}

}  // namespace
}  // namespace trevalon
