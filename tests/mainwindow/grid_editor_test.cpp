#include "mainwindow/grid_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form2_fixture.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "model/text_drawing.h"
#include "platform/safe_file.h"
#include "support/knot_invariants.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

using Cella = std::tuple<std::string, std::uint32_t>;
Cella rosso(std::string t) {
    return {std::move(t), 255};
}
Cella verde(std::string t) {
    return {std::move(t), 65280};
}
const Cella kVuota{"", 16777215};

// A main window in the developer layout with its grid editor, drawing mode on.
struct Editor {
    fixture::FinestraDiProva b;
    EditorGriglia e{b.form.contesto(), b.form.vista()};
    GridControl& Gr = b.form.vista().Gr;

    explicit Editor(bool disegno = true) {
        b.form.doc().modi.ModoSviluppo = true;
        if (disegno) e.mnuAtDis();
    }
    // Clicks with a symbol of the palette, one cell per click or in runs.
    void clic(const EtichettaPalette& l, bool singolo, std::initializer_list<std::pair<int, int>> celle) {
        e.scegliEtichetta(l);
        e.palette.ChkSingolo = singolo;
        for (auto [r, c] : celle) e.Gr_Click(r, c);
    }
    Cella cella(int r, int c) const { return {Gr.text(r, c), Gr.style(r, c).backColor}; }
    std::vector<std::pair<int, int>> log() const {
        std::vector<std::pair<int, int>> v;
        for (const VoceLog& x : e.LogCelle().voci()) v.emplace_back(x.riga, x.colonna);
        return v;
    }
};

TEST(GridEditor, DrawingModeAndThePopupsItems) {
    Editor ed(false);
    ed.Gr.setText(3, 3, "*");
    ed.e.MnuAsterisco();  // only in drawing mode
    EXPECT_EQ(ed.b.ui.caption(), "Trevalon");
    ed.e.mnuAtDis();
    EXPECT_EQ((std::tuple{ed.Gr.rows(), ed.Gr.colWidth(499), ed.Gr.text(3, 3), ed.b.ui.caption()}),
              (std::tuple{500, 150, "", "Manuale *"}));
    // "Spazio" changes the caption only: a trace still writes the current symbol.
    ed.e.mnuSpazio();
    ed.clic(ed.e.palette.LblX, true, {{4, 4}});
    EXPECT_EQ((std::tuple{ed.b.ui.caption(), ed.cella(4, 4)}), (std::tuple{"Manuale (spazio)", rosso("*")}));
    // "_" writes into the right-clicked cell on white, with no arms and no log item.
    ASSERT_TRUE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 8, 8));
    ed.e.MnuOriz();
    EXPECT_EQ((std::tuple{ed.Gr.text(8, 8), ed.Gr.text(7, 8), ed.e.SaltaClick, ed.log().size()}),
              (std::tuple{"-", "", false, 1u}));
    ed.e.mnuAtDis();
    EXPECT_EQ((std::tuple{ed.Gr.rows(), ed.Gr.text(4, 4), ed.b.ui.caption()}), (std::tuple{601, "", ""}));
}

TEST(GridEditor, ASingleCrossingGetsItsArmsAndTheUnderStrandsMarks) {
    for (const bool orizzontale : {true, false}) {
        Editor ed;
        ed.clic(orizzontale ? ed.e.palette.lblOri : ed.e.palette.Lblvert, true, {{10, 10}});
        EXPECT_EQ(ed.log(), (decltype(ed.log()){{10, 10}, {9, 10}, {11, 10}, {10, 11}, {10, 9}}));
        const Cella v = orizzontale ? verde("*") : rosso("*"), o = orizzontale ? rosso("*") : verde("*");
        EXPECT_EQ((std::vector{ed.cella(10, 10), ed.cella(9, 10), ed.cella(11, 10), ed.cella(10, 11),
                               ed.cella(10, 9)}),
                  (std::vector{rosso(orizzontale ? "-" : "|"), v, v, o, o}));
    }
}

TEST(GridEditor, RunsAlongRowsAndColumnsBetweenTwoClicks) {
    Editor ed;
    ed.clic(ed.e.palette.LblX, false, {{5, 8}});
    EXPECT_EQ(ed.cella(5, 8), (Cella{"", 65535}));
    ed.clic(ed.e.palette.LblX, false, {{5, 3}});
    for (int c = 3; c <= 8; ++c) EXPECT_EQ(ed.cella(5, c), rosso("*")) << c;
    // No diagonal: the start waits for an aligned click.
    ed.clic(ed.e.palette.LblX, false, {{10, 3}, {12, 5}, {14, 3}});
    EXPECT_EQ((std::tuple{ed.Gr.text(11, 4), ed.Gr.text(12, 3), ed.Gr.text(14, 3)}),
              (std::tuple{"", "*", "*"}));
    // Crossings along a row get no arms; two clicks on one cell give it both runs and its arms.
    ed.clic(ed.e.palette.lblOri, false, {{20, 10}, {20, 12}, {30, 30}, {30, 30}});
    EXPECT_EQ((std::tuple{ed.Gr.text(20, 11), ed.Gr.text(19, 11), ed.cella(29, 30)}),
              (std::tuple{"-", "", verde("*")}));
    // A column of crossings: each up arm overwrites the cell above, the next cell its down arm.
    ed.clic(ed.e.palette.lblOri, false, {{40, 3}, {42, 3}});
    EXPECT_EQ(
        (std::vector{ed.cella(39, 3), ed.cella(40, 3), ed.cella(41, 3), ed.cella(42, 3), ed.cella(43, 3)}),
        (std::vector{verde("*"), verde("*"), verde("*"), rosso("-"), verde("*")}));
    for (int r = 40; r <= 42; ++r)
        EXPECT_EQ((std::tuple{ed.cella(r, 2), ed.cella(r, 4)}), (std::tuple{rosso("*"), rosso("*")}));
}

TEST(GridEditor, TheRightButtonMovesTheStartAndSwallowsTheNextClick) {
    Editor ed;
    ed.clic(ed.e.palette.LblX, false, {{5, 3}});
    EXPECT_FALSE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 0, 9));
    ASSERT_TRUE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 9, 9));
    ed.clic(ed.e.palette.LblX, false, {{9, 12}, {9, 12}});
    EXPECT_EQ((std::tuple{ed.Gr.text(9, 9), ed.Gr.text(9, 12), ed.cella(5, 3)}),
              (std::tuple{"*", "*", Cella{"", 65535}}));
    // "Annnulla" drops a pending start.
    ed.clic(ed.e.palette.LblX, false, {{20, 3}});
    ed.e.CmDAnnulla_Click();
    ed.clic(ed.e.palette.LblX, false, {{20, 8}});
    EXPECT_EQ(ed.Gr.text(20, 5), "");
    // Outside the developer layout a click only drops the current cell; the right button does nothing.
    ed.b.form.doc().modi.ModoSviluppo = false;
    EXPECT_FALSE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 4, 4));
    ed.Gr.setCol(4);
    ed.e.Gr_Click(30, 30);
    EXPECT_EQ((std::tuple{ed.Gr.col(), ed.Gr.text(30, 30)}), (std::tuple{0, ""}));
}

TEST(GridEditor, UndoGivesEachCellItsPreviousTextAndColour) {
    Editor ed;
    // A strand along row 10, a start left yellow at (12, 10), then a column of crossings from it over the
    // strand, whose arms overwrite the strand's cells.
    ed.clic(ed.e.palette.LblX, false, {{10, 5}, {10, 15}, {12, 10}});
    ed.clic(ed.e.palette.Lblvert, false, {{9, 10}});
    ASSERT_EQ(ed.cella(10, 9), verde("*"));
    ed.e.Command9_Click();
    for (int c = 5; c <= 15; ++c) EXPECT_EQ(ed.cella(10, c), rosso("*")) << c;
    EXPECT_EQ((std::vector{ed.cella(9, 10), ed.cella(12, 10), ed.cella(13, 10), ed.cella(11, 11)}),
              (std::vector{kVuota, kVuota, kVuota, kVuota}));
}

TEST(GridEditor, ArmsThatWouldLeaveTheDrawingAreLeftOut) {
    Editor ed;
    ed.clic(ed.e.palette.lblOri, true, {{1, 1}});
    EXPECT_EQ(ed.log(), (decltype(ed.log()){{1, 1}, {2, 1}, {1, 2}}));
    ed.clic(ed.e.palette.lblOri, false, {{497, 499}, {499, 499}, {0, 5}});
    EXPECT_EQ((std::tuple{ed.Gr.cols(), ed.Gr.text(0, 1), ed.Gr.text(0, 5), ed.log().size()}),
              (std::tuple{500, "", "", 11u}));
}

// "Clear" after a knot file of the "Object=" kind goes through a text drawing in memory: step 0 stays the
// knot's, nothing is written beside the program, and a drawing too large for a text drawing is refused.
TEST(GridEditor, ClearRereadsTheGridAndTouchesNoStepAndNoFile) {
    Editor ed(false);
    const fs::path cartella = fixture::cartellaProva() / "programma";
    fs::create_directories(cartella);
    ed.b.ctx.programFolder = cartella;
    ASSERT_TRUE(ApriGen(ed.b.form.contesto(), ed.b.form.vista(), fixture::campione("Trefoil.kno")));
    const Stato passo0 = ed.b.storia().passo(0);
    ed.e.mnuAtDis();
    ed.clic(ed.e.palette.lblOri, true, {{5, 5}});
    ed.clic(ed.e.palette.LblX, false, {{20, 20}});
    ed.e.CmdClear_Click();
    EXPECT_EQ((std::vector{ed.cella(5, 5), ed.cella(4, 5), ed.cella(5, 4), ed.cella(20, 20)}),
              (std::vector{rosso("-"), verde("*"), rosso("*"), kVuota}));
    EXPECT_EQ((std::tuple{ed.b.passo(), ed.b.storia().passo(0).TblGenSer, fs::is_empty(cartella)}),
              (std::tuple{0, passo0.TblGenSer, true}));
    ed.Gr.setRows(700);
    ed.Gr.setText(650, 3, "*");
    ed.e.CmdClear_Click();
    EXPECT_EQ((std::tuple{ed.b.ui.messages.size(), ed.Gr.rows(), ed.Gr.text(5, 5)}),
              (std::tuple{1u, 700, "-"}));
    fs::remove_all(cartella);
}

TEST(GridEditor, OutsideDrawingModeAClickShowsTheCellTableInTheCaption) {
    Editor ed(false);
    Diagram& d = ed.b.d();
    d.limiti = LimitiNodo{10, 20, 30, 40};
    CellaNodo& x = d.TblNodo.at(11, 34);  // under display cell (4, 6)
    x.Tipo = 'I';
    x.Numero = 7;
    x.Forma = 3;
    ed.e.Gr_Click(4, 6);
    EXPECT_EQ(ed.b.ui.caption(), "4 6   11 34 >I<7  segno>3 rwh>" + std::to_string(ed.Gr.rowHeight(4)) + " " +
                                     std::to_string(ed.Gr.colWidth(6)));
}

// Two strands along rows 4 and 7, closed around; at each of three crossings the upper one goes down across
// the lower. Strands turn by diagonal steps, and a crossing's arms run straight.
TEST(GridEditor, ATracedTrefoilSavedAsATextDrawingOpensAsATrefoil) {
    Editor ed;
    const EtichettaPalette& x = ed.e.palette.LblX;
    ed.clic(x, false, {{1, 3}, {1, 33}, {13, 3}, {13, 33}, {4, 3}, {4, 5}, {7, 3}, {7, 8}, {4, 29}, {4, 33}});
    ed.clic(x, false, {{7, 31}, {7, 33}});
    for (const int c : {2, 34}) ed.clic(x, false, {{2, c}, {3, c}, {8, c}, {12, c}});
    for (const int k : {6, 15, 24}) {
        if (k > 6) ed.clic(x, false, {{4, k - 4}, {4, k - 1}, {7, k - 2}, {7, k + 2}});
        ed.clic(x, false, {{10, k + 1}, {10, k + 4}});
        ed.clic(x, true, {{5, k}, {9, k}, {6, k + 3}, {5, k + 4}, {9, k + 5}, {8, k + 6}});
        ed.clic(ed.e.palette.Lblvert, true, {{7, k}});
    }
    const fs::path file = fixture::cartellaProva() / "editor_trefoil.txt";
    ed.b.ui.saveAnswers.push_back(file.string());
    ed.e.MnuSalva();
    ASSERT_TRUE(ApriGen(ed.b.form.contesto(), ed.b.form.vista(), file.string())) << ed.b.ui.messages.back();
    const Diagram& d = ed.b.d();
    EXPECT_TRUE(testsupport::sameKnot("1-2+3-1+2-3+", "OOO", d.txtNodo, d.TxtOri) ||
                testsupport::sameKnot("1-2+3-1+2-3+", "VVV", d.txtNodo, d.TxtOri))
        << d.txtNodo << " " << d.TxtOri;
    fs::remove(file);
}

// The trefoil of the samples drawn far to the right of the editor's 500 columns (columns 581 to 613 and
// beyond), as the drawing's text and its rows.
std::vector<std::string> trefoilLontano(int spostamento) {
    std::ifstream in(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kns", std::ios::binary);
    std::stringstream testo;
    testo << in.rdbuf();
    const Result<DisegnoTesto> d = leggiDisegnoTesto(testo.str());
    EXPECT_TRUE(d.ok());
    std::vector<std::string> righe;
    for (const std::string& r : d->righe())
        righe.push_back(std::string(static_cast<std::size_t>(spostamento), ' ') + r);
    return righe;
}

TEST(GridEditor, ADrawingWiderThanTheGridIsOpenedAndSavedWhole) {
    Editor ed;
    const std::vector<std::string> righe = trefoilLontano(580);
    const DisegnoTesto atteso(righe);
    ASSERT_GT(atteso.numColonne(), EditorGriglia::kCelleDisegno);
    const fs::path file = fixture::cartellaProva() / "editor_far_trefoil.txt";
    const fs::path salvato = fixture::cartellaProva() / "editor_far_trefoil_saved.txt";
    ASSERT_TRUE(replaceFileContents(
        file, testoDisegno(atteso.numRighe(), atteso.numColonne(),
                           [&](int r, int c) { return std::string(1, atteso.simbolo(r, c)); })));
    // Opened again and again: the grid holds the whole drawing and keeps its size.
    for (int volta = 0; volta < 5; ++volta) {
        ed.b.ui.openAnswers.push_back(file.string());
        ed.e.mnuApri();
        ASSERT_EQ((std::tuple{ed.Gr.rows(), ed.Gr.cols()}),
                  (std::tuple{EditorGriglia::kCelleDisegno, atteso.numColonne() + 1}))
            << "open " << volta;
    }
    for (int r = 1; r <= atteso.numRighe(); ++r)
        for (int c = 1; c <= atteso.numColonne(); ++c)
            ASSERT_EQ(ed.Gr.text(r, c),
                      atteso.simbolo(r, c) == ' ' ? "" : std::string(1, atteso.simbolo(r, c)))
                << r << "," << c;
    // "Salva" writes the whole drawing, which opens as the trefoil it is.
    ed.b.ui.saveAnswers.push_back(salvato.string());
    ed.e.MnuSalva();
    std::string testo;
    ASSERT_TRUE(leggiTestoFile(salvato.string(), testo));
    const Result<DisegnoTesto> riletto = leggiDisegnoTesto(testo);
    ASSERT_TRUE(riletto.ok());
    EXPECT_EQ(riletto->righe(), atteso.righe());
    ASSERT_TRUE(ApriGen(ed.b.form.contesto(), ed.b.form.vista(), salvato.string()))
        << ed.b.ui.messages.back();
    EXPECT_TRUE(testsupport::sameKnot("1-2+3-1+2-3+", "OOO", ed.b.d().txtNodo, ed.b.d().TxtOri) ||
                testsupport::sameKnot("1-2+3-1+2-3+", "VVV", ed.b.d().txtNodo, ed.b.d().TxtOri));
    fs::remove(file);
    fs::remove(salvato);
}

// A text drawing its owner made read-only, chosen in the save dialog (after "already exists, replace?") by
// an ordinary user: it is not replaced, and one message says it is read-only.
TEST(GridEditor, AReadOnlyFileIsNotReplacedBySalva) {
    Editor ed;
    ed.clic(ed.e.palette.LblX, false, {{2, 2}, {2, 9}});
    const fs::path cartella = fixture::cartellaProva() / "editor_read_only";
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    const fs::path file = cartella / "drawing.txt";
    std::ofstream(file, std::ios::binary) << "protected";
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const testsupport::EsitoUtenteComune e = testsupport::comeUtenteComune({cartella, file}, [&] {
        ed.b.ui.messages.clear();
        ed.b.ui.saveAnswers.push_back(file.string());
        ed.e.MnuSalva();
        std::string detto;
        for (const std::string& m : ed.b.ui.messages) detto += m + "\n";
        return detto;
    });
    ASSERT_EQ(e.errore, "");
    EXPECT_EQ(e.risposta, "The file could not be written: " + file.string() + ": it is read-only\n");
    EXPECT_EQ(fixture::leggi(file), "protected");
    fs::remove_all(cartella);
}

}  // namespace
}  // namespace trevalon
