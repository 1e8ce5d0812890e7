// The developer layout's panel, pressed through the engine as the Qt panel presses it, and where the
// table dumps of --debug go.

#include "mainwindow/developer_panel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "celldraw/disegno_da_codice.h"
#include "celldraw/step_viewer.h"
#include "layout/cell_marks.h"
#include "layout/path_text.h"
#include "layout/render_grid.h"
#include "mainwindow/commands.h"
#include "mainwindow/form2_fixture.h"
#include "mainwindow/grid_editor.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/text_drawing.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = trevalon::testsupport;

struct Sviluppo : fixture::FinestraDiProva {
    PannelloSviluppo pannello{form};
    Sviluppo() {
        ctx.ModoSviluppo = true;
        form.Form_Load();
    }
};

// "Tutto" builds the typed code; the relabelling scan writes other readings of the same knot into the
// fields, and each builds the same knot; the layout steps and "Rpara" run on it without losing it.
TEST(PannelloSviluppo, BuildsTheTypedCodeAndItsRelabelledReadings) {
    Sviluppo s;
    ASSERT_TRUE(s.form.doc().modi.ModoSviluppo);
    const ts::NamedKnot k = ts::namedKnot("5_2");
    s.pannello.txtNodo = k.gauss;
    s.pannello.TxtOri = k.letters;
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    ASSERT_EQ(s.d().NumIncroci, 6) << (s.ui.messages.empty() ? "" : s.ui.messages.back());
    EXPECT_EQ(s.passo(), 0);

    int cambi = 0;
    s.pannello.campiCambiati = [&cambi] { ++cambi; };
    ASSERT_TRUE(s.pannello.premi("CmdInizScifta"));
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(s.pannello.premi("Cmscifta2"));
    EXPECT_GE(cambi, 1);
    EXPECT_TRUE(ts::sameKnot(k.gauss, k.letters, s.pannello.txtNodo, s.pannello.TxtOri));
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    EXPECT_EQ(s.d().txtNodo, s.pannello.txtNodo);
    EXPECT_TRUE(ts::sameKnot(k.gauss, k.letters, s.d().txtNodo, s.d().TxtOri));

    const std::string codice = s.d().txtNodo;
    for (const char* key : {"Command2", "CmdCammino"}) EXPECT_TRUE(s.pannello.premi(key)) << key;
    // The structure pipeline again, step by step and whole: passages, regions, paths.
    s.d().NumRegioni = 0;
    ASSERT_TRUE(s.pannello.premi("CmdGrafoReg"));
    EXPECT_EQ(s.d().NumRegioni, 8);
    ASSERT_TRUE(s.pannello.premi("Cmdgecare"));
    EXPECT_EQ(s.d().NumGemelli, 12);
    EXPECT_EQ(s.d().NumRegioni, 8);
    EXPECT_EQ(s.d().txtNodo, codice);
    EXPECT_FALSE(s.d().MatRegioni.testi(1, s.d().NumRegioni).cam.empty());
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();

    EXPECT_FALSE(s.pannello.premi("nothing"));
    EXPECT_THROW(s.pannello.aggiungi({"CmdTutto", "again", [] {}}), std::logic_error);
}

// The layout of the crossings again (breadth-first and depth-first), and a region's arcs in colour: a
// region number out of range is refused with a message.
TEST(PannelloSviluppo, LaysTheCrossingsOutAgainAndShowsRegions) {
    Sviluppo s;
    const ts::NamedKnot k = ts::namedKnot("7_1");
    s.pannello.txtNodo = k.gauss;
    s.pannello.TxtOri = k.letters;
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    ASSERT_EQ(s.d().NumIncroci, 7);
    s.ui.inputAnswers = {std::string("1"), std::string("99")};
    ASSERT_TRUE(s.pannello.premi("CmdDisegnaReg"));
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    s.pannello.premi("CmdDisegnaReg");
    EXPECT_EQ(s.ui.messages.size(), 1u);
    s.ui.messages.clear();
    for (const char* key : {"CmdDisegna", "CmdDisegnaprof"}) {
        ASSERT_TRUE(s.pannello.premi(key));
        EXPECT_TRUE(s.ui.messages.empty()) << key << ": " << s.ui.messages.front();
        EXPECT_EQ(s.d().NumIncroci, 7) << key;
    }
}

// "dbg" off: the layout steps run straight through. Ticked: the cells they mark and each step of the
// construction pause in the step viewer, and the pauses stop when it is cleared again; the knot is kept.
// "Visione Numerica" shows the cell table's numbers in the main grid.
TEST(PannelloSviluppo, DbgShowsTheLayoutStepsOnlyWhileTicked) {
    Sviluppo s;
    const ts::NamedKnot k = ts::namedKnot("5_2");
    s.pannello.txtNodo = k.gauss;
    s.pannello.TxtOri = k.letters;
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    EXPECT_FALSE(s.pannello.Chdbgrad);
    ASSERT_TRUE(s.pannello.premi("CmdDisegna"));
    EXPECT_TRUE(s.ui.viewerRequests.empty());

    s.pannello.Chdbgrad = true;
    ASSERT_TRUE(s.pannello.premi("CmdDisegna"));
    const std::size_t pause = s.ui.viewerRequests.size();
    EXPECT_GE(pause, 6u);  // at least one per crossing placed
    EXPECT_EQ(s.form.vista().layout.hook, nullptr);
    EXPECT_TRUE(s.ui.viewerRequests.back().pausa);
    ASSERT_TRUE(s.pannello.premi("CmdEliminaRigheUguali"));
    EXPECT_EQ(s.ui.viewerRequests.size(), pause + 1);
    EXPECT_EQ(s.ui.viewerRequests.back().message, "Viscostruzione F");
    // The numeric view: each crossing's number, in red, and no tile.
    const GridControl& g = s.form.vista().Gr;
    int rossi = 0, immagini = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            rossi += g.style(r, c).foreColor == kColoreIncrocio && !g.text(r, c).empty();
            immagini += !g.picture(r, c).empty();
        }
    EXPECT_EQ(rossi, 6);
    EXPECT_EQ(immagini, 0);
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();

    s.pannello.Chdbgrad = false;
    ASSERT_TRUE(s.pannello.premi("CmdDisegnaprof"));
    EXPECT_EQ(s.ui.viewerRequests.size(), pause + 1);
    EXPECT_EQ(s.d().NumIncroci, 6);
    EXPECT_TRUE(ts::sameKnot(k.gauss, k.letters, s.d().txtNodo, s.d().TxtOri));
}

// "Modo2" shows the characters of the main grid with the drawn-knot tiles; the diagram's tables are not
// touched. A grid whose characters are no drawing says so.
TEST(PannelloSviluppo, Modo2ShowsTheGridCharactersAsTilesAndKeepsTheTables) {
    Sviluppo s;
    const ts::NamedKnot k = ts::namedKnot("trefoil_right");
    s.pannello.txtNodo = k.gauss;
    s.pannello.TxtOri = k.letters;
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    const std::string codice = s.d().txtNodo;
    const int archi = s.d().NumArchi;
    GridControl& g = s.form.vista().Gr;
    g.clear();
    // A small square loop of characters.
    for (int c = 3; c <= 7; ++c) {
        g.setText(3, c, "*");
        g.setText(7, c, "*");
    }
    for (int r = 4; r <= 6; ++r) {
        g.setText(r, 3, "*");
        g.setText(r, 7, "*");
    }
    ASSERT_TRUE(s.pannello.premi("Command11"));
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    EXPECT_FALSE(s.form.vista().Tbltt.get(3, 3).empty());
    EXPECT_FALSE(s.form.vista().Tbltt.get(5, 7).empty());
    EXPECT_TRUE(s.form.vista().Tbltt.get(5, 5).empty());
    EXPECT_FALSE(g.picture(3, 3).empty());
    EXPECT_TRUE(g.picture(5, 5).empty());
    EXPECT_EQ(s.d().txtNodo, codice);
    EXPECT_EQ(s.d().NumArchi, archi);
}

// A text drawing of a knot laid out from its code, three times its size.
std::string disegnoDelCodice(const ts::GaussDiagram& g) {
    fixture::Disegnato w;
    if (!w.costruisci(ts::gaussText(g), ts::lettersText(g))) return {};
    const std::vector<std::string> righe = fixture::disegnoIngrandito(*w.d);
    return testoDisegno(static_cast<int>(righe.size()), static_cast<int>(righe[0].size()), [&](int r, int c) {
        return std::string(1, righe[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)]);
    });
}

int celleArco(const Diagram& d) {
    int n = 0;
    for (int r = 0; r <= d.NumRighe; ++r)
        for (int c = 0; c <= d.NumColonne; ++c) n += d.TblNodo.at(r, c).Tipo == 'A';
    return n;
}

// "Da Disegno" walks a drawing alone: the tables stay as drawn ("D", no cell drawing), the same knot, step
// 0 its code; "gecare" gives it passages and regions; a move III shown and applied then takes the bridge's
// arcs off the drawing and records nothing, and a move II leaves the drawing as it is. An object file
// opens as "Load Knot" opens it; a Gauss-code file and a broken drawing are refused, the diagram kept.
TEST(PannelloSviluppo, DaDisegnoWalksADrawingAlone) {
    std::mt19937 rng(7);
    const ts::GaussDiagram g = ts::addBigon(ts::diagramOf("1-2+3-1+2-3+", "OOO"), rng);
    const std::string testo = disegnoDelCodice(g);
    ASSERT_FALSE(testo.empty());
    const fs::path file = fixture::scrivi("bigon.txt", testo);

    Sviluppo s;
    FinestraForm2 w{s.form};
    struct : StepListPort {
        void showStepList(FrmLista&) override {}
    } lista;
    InstallaComandiMosse(s.form, w, lista);
    s.ui.openAnswers.push_back(file.string());
    ASSERT_TRUE(s.pannello.premi("CmdDaDisegno"));
    ASSERT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    EXPECT_EQ(s.form.doc().modi.ModoGen, GenMode::TextDrawing);
    EXPECT_EQ(s.d().NumIncroci, g.crossings());
    EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.d().txtNodo, s.d().TxtOri)));
    EXPECT_EQ(s.d().NumRegioni, 0);
    EXPECT_EQ(s.passo(), 0);
    EXPECT_EQ(s.form.doc().storia.passo(0).Tipo, GenMode::Code);
    EXPECT_EQ(s.form.doc().storia.passo(0).Codice, s.d().txtNodo);
    EXPECT_GT(s.form.vista().Gr.rows(), 1);

    ASSERT_TRUE(s.pannello.premi("Cmdgecare"));
    EXPECT_EQ(s.d().NumRegioni, g.crossings() + 2);
    const int prima = celleArco(s.d());
    // The developer layout shows a move II twice: with the search's own message, then as usual.
    s.ui.viewerAnswers = {fixture::kApplica, fixture::kApplica};
    ASSERT_TRUE(s.pannello.premi("CmdTecManico"));
    EXPECT_EQ(celleArco(s.d()), prima);
    EXPECT_NE(s.ui.panel("p2").find("not applied"), std::string::npos) << s.ui.panel("p2");
    s.ui.viewerAnswers = {fixture::kApplica};
    s.ui.viewerRequests.clear();
    ASSERT_TRUE(s.pannello.premi("CmdTpon"));
    ASSERT_EQ(s.ui.viewerRequests.size(), 1u);
    EXPECT_LT(celleArco(s.d()), prima);
    EXPECT_EQ(s.passo(), 0);
    EXPECT_EQ(s.d().NumIncroci, g.crossings());

    // Refused: a Gauss-code file, a broken drawing. The walked knot stays.
    const std::string codice = s.d().txtNodo;
    s.ui.messages.clear();
    s.ui.openAnswers = {fixture::campione("Trefoil.gau"),
                        fixture::scrivi("rotto.txt", "2,3\r\n*-*\r\n* ?\r\n").string()};
    EXPECT_TRUE(s.pannello.premi("CmdDaDisegno"));
    EXPECT_TRUE(s.pannello.premi("CmdDaDisegno"));
    EXPECT_EQ(s.ui.messages.size(), 2u);
    EXPECT_EQ(s.d().txtNodo, codice);
    EXPECT_EQ(s.form.doc().modi.ModoGen, GenMode::TextDrawing);

    // An object file: built from its cell drawing, as "Load Knot" builds it.
    s.ui.openAnswers.push_back(fixture::campione("Trefoil.kno"));
    ASSERT_TRUE(s.pannello.premi("CmdDaDisegno"));
    EXPECT_EQ(s.form.doc().modi.ModoGen, GenMode::CellDrawing);
    EXPECT_EQ(s.d().NumIncroci, 3);
}

// The catalogue: read from beside the samples, entry 0 chosen at once, an entry's code and letters into the
// fields, which "Tutto" builds; a missing catalogue says why and leaves the combo box empty; batch work has
// the trefoil alone.
TEST(PannelloSviluppo, TheCatalogueFillsTheFieldsThatTuttoBuilds) {
    Sviluppo s;
    ASSERT_TRUE(s.pannello.CaricaTabellaNodiCodificati().ok());
    ASSERT_EQ(s.pannello.catalogo().size(), 13u);
    EXPECT_EQ(s.pannello.txtNodo, s.pannello.catalogo()[0].txtNodo);
    s.pannello.CmbNodi_Click(3);
    EXPECT_EQ(s.pannello.catalogo()[3].nome, "4_1");
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    EXPECT_EQ(s.d().NumIncroci, 4);
    s.pannello.CmbNodi_Click(99);
    EXPECT_EQ(s.pannello.TxtOri, s.pannello.catalogo()[3].TxtOri);

    Sviluppo altrove;
    altrove.ctx.programFolder = fixture::cartellaProva() / "no-program-here";
    const Status letto = altrove.pannello.CaricaTabellaNodiCodificati();
    EXPECT_FALSE(letto.ok());
    EXPECT_TRUE(altrove.pannello.catalogo().empty());

    altrove.form.doc().modi.ModoBatch = true;
    ASSERT_TRUE(altrove.pannello.CaricaTabellaNodiCodificati().ok());
    ASSERT_EQ(altrove.pannello.catalogo().size(), 1u);
    EXPECT_EQ(altrove.pannello.txtNodo, "1-2+3-1+2-3+");
}

// The cells of each arc in the cell table, by arc.
std::map<int, std::set<std::pair<int, int>>> celleDegliArchi(const Diagram& d) {
    std::map<int, std::set<std::pair<int, int>>> out;
    for (int r = 0; r < CellTable::kSize; ++r)
        for (int c = 0; c < CellTable::kSize; ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Tipo == 'A') out[x.Numero].insert({r, c});
        }
    return out;
}

// "ListaCelle" on every arc that has cells, as a developer reaches it: a cell of the arc clicked in the
// main grid (the inspector's click), "ListaCelle", the arc it proposes accepted. Each is listed: a pause at
// each of its cells, shown on yellow, and its path then names each of its cells once, from the one beside
// one of its crossings to the one beside the other. `elencati`: the arcs listed.
void elencaOgniArco(Sviluppo& s, EditorGriglia& editor, int& elencati) {
    const Diagram& d = s.d();
    const auto celle = celleDegliArchi(d);
    elencati = 0;
    for (int a = 1; a <= d.NumArchi; ++a) {
        SCOPED_TRACE("arc " + std::to_string(a));
        const auto it = celle.find(a);
        if (it == celle.end()) continue;
        const auto [r, c] = *it->second.begin();
        int gr = 0, gc = 0;
        Trasforma(d.limiti, r, c, gr, gc);
        editor.Gr_Click(gr, gc);
        EXPECT_EQ(s.form.vista().Gr.row(), 0);
        s.ui.calls.clear();
        s.ui.messages.clear();
        s.ui.viewerRequests.clear();
        s.ui.inputAnswers = {std::nullopt};
        ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
        // The arc clicked is the one proposed.
        ASSERT_FALSE(s.ui.calls.empty());
        EXPECT_EQ(s.ui.calls.front(), "input: ListaCelle: arco [" + std::to_string(a) + "]");
        s.ui.inputAnswers = {std::to_string(a)};
        ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
        EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
        EXPECT_GE(s.ui.viewerRequests.size(), it->second.size());
        // Its path names its cells, each once, from the cell beside its start crossing.
        const std::vector<Punto> percorso = leggiVociPercorso(d.archi[a].Percorso);
        std::set<std::pair<int, int>> nominate;
        for (const Punto& p : percorso) nominate.insert({p.r, p.c});
        EXPECT_EQ(nominate.size(), percorso.size());
        EXPECT_EQ(nominate, celleDegliArchi(d)[a]);
        ASSERT_FALSE(percorso.empty());
        // Its ends beside its two crossings (a routed path may run from the end crossing).
        const auto accanto = [](const Punto& p, const Incrocio& x) {
            return std::abs(p.r - x.Riga) + std::abs(p.c - x.Colonna) == 1;
        };
        const Incrocio& da = d.incroci[d.archi[a].IncrocioDa];
        const Incrocio& verso = d.incroci[d.archi[a].IncrocioA];
        EXPECT_TRUE((accanto(percorso.front(), da) && accanto(percorso.back(), verso)) ||
                    (accanto(percorso.front(), verso) && accanto(percorso.back(), da)));
        int gialle = 0;
        const GridControl& g = s.form.vista().Gr;
        for (int i = 0; i < g.rows(); ++i)
            for (int j = 0; j < g.cols(); ++j) gialle += g.style(i, j).backColor == kColorePunto;
        EXPECT_GE(gialle, static_cast<int>(it->second.size()));
        ++elencati;
    }
}

// "ListaCelle" lists every arc that has cells: on 6_1 chosen in the knot list and built by "Tutto" (whose
// arcs laid out along the layout's tree have their cells and no path), again after "gecare", and on a
// drawn knot opened with "Da Disegno"; the arc proposed is the one of the strand clicked in the main grid.
TEST(PannelloSviluppo, ListaCelleListsEveryArcThatHasCells) {
    {
        Sviluppo s;
        EditorGriglia editor{s.form.contesto(), s.form.vista()};
        ASSERT_TRUE(s.pannello.CaricaTabellaNodiCodificati().ok());
        int voce = -1;
        for (std::size_t i = 0; i < s.pannello.catalogo().size(); ++i)
            if (s.pannello.catalogo()[i].nome == "6_1") voce = static_cast<int>(i);
        ASSERT_GE(voce, 0);
        s.pannello.CmbNodi_Click(voce);
        ASSERT_TRUE(s.pannello.premi("CmdTutto"));
        ASSERT_EQ(s.d().NumIncroci, 7);
        const int conCelle = static_cast<int>(celleDegliArchi(s.d()).size());
        EXPECT_EQ(conCelle, s.d().NumArchi);
        // Before any click "ListaCelle" proposes arc 1, which has cells.
        s.ui.inputAnswers = {std::string("1")};
        ASSERT_TRUE(s.pannello.premi("CndVisListaCelle"));
        EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
        int elencati = 0;
        elencaOgniArco(s, editor, elencati);
        EXPECT_EQ(elencati, conCelle);
        ASSERT_TRUE(s.pannello.premi("Cmdgecare"));
        elencaOgniArco(s, editor, elencati);
        EXPECT_EQ(elencati, conCelle);
        // "Rpara" lists every path again: each keeps every cell of its arc.
        ASSERT_TRUE(s.pannello.premi("Command2"));
        const auto celle = celleDegliArchi(s.d());
        for (const auto& [a, suoe] : celle) {
            std::set<std::pair<int, int>> nominate;
            for (const Punto& p : leggiVociPercorso(s.d().archi[a].Percorso)) nominate.insert({p.r, p.c});
            EXPECT_EQ(nominate, suoe) << "arc " << a;
        }
    }
    {
        Sviluppo s;
        EditorGriglia editor{s.form.contesto(), s.form.vista()};
        s.ui.openAnswers = {(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kno").string()};
        ASSERT_TRUE(s.pannello.premi("CmdDaDisegno"));
        ASSERT_EQ(s.d().NumIncroci, 3);
        const int conCelle = static_cast<int>(celleDegliArchi(s.d()).size());
        EXPECT_GT(conCelle, 0);
        int elencati = 0;
        elencaOgniArco(s, editor, elencati);
        EXPECT_EQ(elencati, conCelle);
    }
}

// The developer layout with the window's moves, whose step viewer is the viewer's own model: the person
// presses "OK" on its developer panel.
struct SviluppoConVisore : StepListPort {
    struct Ui : fixture::UiConteggi {
        std::function<ViewerAnswer(const StepViewRequest&)> visore;
        ViewerAnswer showCandidate(const StepViewRequest& r) override {
            viewerRequests.push_back(r);
            return visore(r);
        }
    };
    ProgramContext ctx;
    Ui ui;
    Form2 form{ctx, ui};
    FinestraForm2 w{form};
    PannelloSviluppo pannello{form};
    std::vector<std::string> didascalieVisore;  // the viewer's caption as each showing closed
    SviluppoConVisore() {
        ctx.programFolder = TREVALON_SOURCE_DIR;
        ctx.ModoSviluppo = true;
        form.Form_Load();
        form.Form_Activate();
        InstallaComandiDiagramma(form);
        InstallaComandiMosse(form, w, *this);
        ui.visore = [this](const StepViewRequest& r) {
            StepViewerShared shared;
            shared.ModoSviluppo = true;
            shared.ModoSorgente = form.doc().modi.ModoSorgente;
            shared.zoom = form.vista().zoom;
            Form3Model m(r, shared, ui, ui, w.azioniVisore(r.tipoMossa));
            m.Form_Load();
            m.Form_Activate(ui.caption());
            EXPECT_TRUE(m.cmdOK_Click());
            didascalieVisore.push_back(m.caption());
            return m.EsitoDialogo();
        };
    }
    void showStepList(FrmLista&) override {}
};

// "Tpon" then "OK" in the developer layout: the move is not recorded as a step, and the caption goes on
// naming the step shown (Step 0), as the caption names the step recorded last; the viewer keeps its own
// caption.
TEST(PannelloSviluppo, AMoveAppliedWithOKLeavesTheCaptionAtTheStepShown) {
    SviluppoConVisore s;
    ASSERT_TRUE(s.pannello.CaricaTabellaNodiCodificati().ok());
    for (std::size_t i = 0; i < s.pannello.catalogo().size(); ++i)
        if (s.pannello.catalogo()[i].nome == "6_1") s.pannello.CmbNodi_Click(static_cast<int>(i));
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    ASSERT_EQ(s.form.doc().diagram.NumIncroci, 7);
    ASSERT_EQ(s.ui.caption(), " Trevalon - Step 0");
    ASSERT_TRUE(s.pannello.premi("CmdTpon"));
    ASSERT_EQ(s.ui.viewerRequests.size(), 1u);
    EXPECT_EQ(s.ui.viewerRequests[0].tipoMossa, MoveKind::III);
    EXPECT_EQ(s.form.doc().storia.NumStato, 0);
    EXPECT_EQ(s.ui.caption(), " Trevalon - Step 0");
    ASSERT_EQ(s.didascalieVisore.size(), 1u);
    EXPECT_EQ(s.didascalieVisore[0].find("Step 1"), std::string::npos) << s.didascalieVisore[0];
    // The same for "Tric" on a knot with a curl.
    const ts::GaussDiagram riccio = ts::addCurl(ts::diagramOf(ts::namedKnot("trefoil_right")), 2, true, 1);
    s.pannello.txtNodo = ts::gaussText(riccio);
    s.pannello.TxtOri = ts::lettersText(riccio);
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    ASSERT_EQ(s.form.doc().diagram.NumIncroci, 4);
    ASSERT_TRUE(s.pannello.premi("CmdTric"));
    ASSERT_EQ(s.ui.viewerRequests.size(), 2u);
    EXPECT_EQ(s.form.doc().storia.NumStato, 0);
    EXPECT_EQ(s.ui.caption(), " Trevalon - Step 0");
}

// "Ruota" saves the cell table turned by a quarter as a knot file that opens as the same knot; the diagram
// shown is not turned.
TEST(PannelloSviluppo, TheQuarterTurnIsSavedAsTheSameKnotAndLeavesTheDiagram) {
    Sviluppo s;
    const ts::NamedKnot k = ts::namedKnot("5_2");
    s.pannello.txtNodo = k.gauss;
    s.pannello.TxtOri = k.letters;
    ASSERT_TRUE(s.pannello.premi("CmdTutto"));
    const LimitiNodo prima = s.d().limiti;
    const fs::path file = fixture::cartellaProva() / "turned.txt";
    fs::remove(file);
    s.ui.saveAnswers.push_back(file.string());
    ASSERT_TRUE(s.pannello.premi("CmdRuota"));
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    EXPECT_EQ(s.d().limiti.RigaMax, prima.RigaMax);
    EXPECT_EQ(s.d().limiti.ColMax, prima.ColMax);
    s.ui.openAnswers.push_back(file.string());
    ASSERT_TRUE(s.pannello.premi("CmdDaDisegno"));
    EXPECT_TRUE(ts::sameKnot(k.gauss, k.letters, s.d().txtNodo, s.d().TxtOri));
}

// "Grf1" cuts the character drawing through the viewer's last clicks only inside the range "aum" found:
// with no click inside it, it says so and the grid stays as it was.
TEST(PannelloSviluppo, TheDiagonalShiftNeedsTheEnlargedDrawingAndTwoClicksInIt) {
    Sviluppo s;
    GridControl& g = s.form.vista().Gr;
    for (int c = 3; c <= 8; ++c) g.setText(5, c, "*");
    s.pannello.premi("Command10");
    EXPECT_EQ(s.ui.messages.size(), 1u);
    ASSERT_TRUE(s.pannello.premi("Command8"));
    EXPECT_EQ(g.text(5, 3), "*");
    s.form.vista().RigaClick = 40;
    s.form.vista().ColClick = 40;
    s.ui.messages.clear();
    s.pannello.premi("Command10");
    EXPECT_EQ(s.ui.messages.size(), 1u);
    for (int c = 3; c <= 8; ++c) EXPECT_EQ(g.text(5, c), "*");
}

// "Grf1" with its corners clicked in the main grid: the drawing is cut along the falling diagonal through
// the last cell clicked and stays the same knot (or, when the cut would break it, is left as it was).
TEST(PannelloSviluppo, TheDiagonalShiftTakesItsCornersFromMainGridClicks) {
    const ts::NamedKnot k = ts::namedKnot("trefoil_left");
    fixture::Disegnato w;
    ASSERT_TRUE(w.costruisci(k.gauss, k.letters));
    const std::vector<std::string> righe = fixture::disegnoIngrandito(*w.d);
    Sviluppo s;
    EditorGriglia editor(s.form.contesto(), s.form.vista());
    GridControl& g = s.form.vista().Gr;
    g.setRows(std::max(g.rows(), 120));
    g.setCols(std::max(g.cols(), 120));
    for (std::size_t i = 0; i < righe.size(); ++i)
        for (std::size_t j = 0; j < righe[i].size(); ++j)
            if (righe[i][j] != ' ')
                g.setText(static_cast<int>(i) + 5, static_cast<int>(j) + 5, std::string(1, righe[i][j]));
    const auto nodo = [&g] {
        const std::string testo =
            testoDisegno(g.rows() - 1, g.cols() - 1, [&g](int r, int c) { return g.text(r, c); });
        const Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
        if (!disegno) return std::pair<std::string, std::string>{};
        const Result<NodoCostruito> n = costruisciDaDisegno(*disegno, TilePalette{PaletteId::Form1, false});
        return n ? std::pair{n->diagram->txtNodo, n->diagram->TxtOri} : std::pair<std::string, std::string>{};
    };
    ASSERT_FALSE(nodo().first.empty());
    ASSERT_TRUE(s.pannello.premi("Command8"));
    const int mr = 5 + static_cast<int>(righe.size()) / 2, mc = 5 + static_cast<int>(righe[0].size()) / 2;
    editor.Gr_Click(mr - 1, mc - 1);
    editor.Gr_Click(mr, mc);
    EXPECT_EQ((std::tuple{s.form.vista().RigaClick, s.form.vista().ColClick, s.form.vista().RigaClickPrec,
                          s.form.vista().ColClickPrec}),
              (std::tuple{mr, mc, mr - 1, mc - 1}));
    s.ui.messages.clear();
    std::vector<std::string> testiPrima;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) testiPrima.push_back(g.text(r, c));
    ASSERT_TRUE(s.pannello.premi("Command10"));
    std::vector<std::string> testiDopo;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) testiDopo.push_back(g.text(r, c));
    EXPECT_TRUE(testiDopo != testiPrima || !s.ui.messages.empty());
    const auto [codice, lettere] = nodo();
    ASSERT_FALSE(codice.empty());
    EXPECT_TRUE(ts::sameKnot(k.gauss, k.letters, codice, lettere));
}

// The layout steps need a knot laid out from its code: on a drawn knot, and with no knot, they say so and
// change nothing; a faulty typed code shows the code's message and keeps the knot shown.
TEST(PannelloSviluppo, StepsRefuseWhatTheyCannotWorkOn) {
    Sviluppo s;
    s.pannello.premi("CmdBordi");
    ASSERT_EQ(s.ui.messages.size(), 1u);
    s.ui.openAnswers.push_back(fixture::campione("Trefoil.kno"));
    ASSERT_TRUE(s.pannello.premi("CmdDaDisegno"));
    ASSERT_EQ(s.d().NumIncroci, 3);
    for (const char* key : {"CmdBordi", "CmdDisegnaArchi", "CmDvisCostr", "Command2"}) {
        s.ui.messages.clear();
        s.pannello.premi(key);
        EXPECT_EQ(s.ui.messages.size(), 1u) << key;
        EXPECT_EQ(s.d().NumIncroci, 3) << key;
    }
    // A drawn knot is rebuilt from its cell drawing.
    s.ui.messages.clear();
    s.pannello.premi("CmdRovescia");
    EXPECT_TRUE(s.ui.messages.empty());
    EXPECT_EQ(s.d().NumIncroci, 3);

    s.pannello.txtNodo = "1-2+3-1+2-";
    s.pannello.TxtOri = "OOO";
    s.ui.messages.clear();
    s.pannello.premi("CmdTutto");
    EXPECT_FALSE(s.ui.messages.empty());
    EXPECT_EQ(s.d().NumIncroci, 3);
    s.ui.messages.clear();
    s.pannello.premi("Cmscifta2");  // not started
    EXPECT_EQ(s.ui.messages.size(), 1u);
}

// "dbgval": two 16-bit numbers; the number at the front of the answer, 0 for none, a number out of range
// refused with nothing stored.
TEST(PannelloSviluppo, DebugValuesAreSixteenBitNumbers) {
    EXPECT_EQ(valoreDebugDaTesto("12"), 12);
    EXPECT_EQ(valoreDebugDaTesto(" -7abc"), -7);
    EXPECT_EQ(valoreDebugDaTesto("abc"), 0);
    EXPECT_EQ(valoreDebugDaTesto("32767"), 32767);
    EXPECT_EQ(valoreDebugDaTesto("-32768"), -32768);
    EXPECT_EQ(valoreDebugDaTesto("32768"), std::nullopt);
    EXPECT_EQ(valoreDebugDaTesto("99999999999999999999"), std::nullopt);

    Sviluppo s;
    s.ui.inputAnswers = {std::string("40"), std::string("x")};
    s.pannello.premi("Command1");
    EXPECT_EQ(s.form.doc().modi.ValoreDebug, 40);
    EXPECT_EQ(s.form.doc().modi.ValoreDebug2, 0);
    s.ui.inputAnswers = {std::string("70000")};
    s.pannello.premi("Command1");
    EXPECT_EQ(s.form.doc().modi.ValoreDebug, 40);
    EXPECT_EQ(s.ui.messages.size(), 1u);
}

// With --debug the dumps are written into the chosen folder and never beside the program; without a
// folder nothing is written.
TEST(PannelloSviluppo, DumpsGoIntoTheirOwnFolderOnly) {
    const fs::path programma = fixture::cartellaProva() / "program";
    const fs::path dump = fixture::cartellaProva() / "dumps";
    fs::remove_all(programma);
    fs::remove_all(dump);
    fs::create_directories(programma);
    fs::create_directories(dump);
    for (bool conCartella : {false, true}) {
        fixture::FinestraDiProva w;
        w.ctx.programFolder = programma;
        w.ctx.ModoDebug = true;
        if (conCartella) w.ctx.cartellaDump = dump;
        w.form.Form_Load();
        EXPECT_EQ(w.form.doc().modi.ModoDebug, conCartella);
        ASSERT_TRUE(ApriGau(w.form.contesto(), w.form.vista(), fixture::campione("Trefoil.gau")));
    }
    EXPECT_TRUE(fs::is_empty(programma));
    EXPECT_FALSE(fs::is_empty(dump));
}

}  // namespace
}  // namespace trevalon
