#include "mainwindow/grid_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form2_fixture.h"
#include "mainwindow/drawn_knots.h"
#include "mainwindow/open_knot.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRosso = 255, kVerde = 65280, kBianco = 16777215, kGiallo = 65535;

using Celle = std::vector<std::pair<int, int>>;

// A main window in the developer layout with its grid editor, drawing mode on.
struct Editor {
    fixture::FinestraDiProva b;
    EditorGriglia e{b.form};
    GridControl& Gr = b.form.vista.Gr;

    explicit Editor(bool disegno = true) {
        b.form.doc.modi.ModoSviluppo = true;
        if (disegno) e.mnuAtDis();
    }
    void simbolo(const EtichettaPalette& l, bool singolo) {
        e.scegliEtichetta(l);
        e.palette.ChkSingolo = singolo;
    }
    std::tuple<std::string, std::uint32_t> cella(int r, int c) const {
        return {Gr.text(r, c), Gr.style(r, c).backColor};
    }
    Celle log() const {
        Celle v;
        for (const VoceLog& x : e.LogCelle().voci()) v.emplace_back(x.riga, x.colonna);
        return v;
    }
};

TEST(GridEditor, DrawingModeGivesASquareGridAndTheMenuItsMarks) {
    Editor ed(false);
    ed.Gr.setText(3, 3, "x");
    EXPECT_FALSE(ed.e.menu.vociAbilitate);
    ed.e.MnuAsterisco();  // outside drawing mode: nothing
    EXPECT_EQ(ed.b.ui.caption(), "Trevalon");

    ed.e.mnuAtDis();
    EXPECT_EQ(
        (std::tuple{ed.Gr.rows(), ed.Gr.cols(), ed.Gr.rowHeight(1), ed.Gr.colWidth(499), ed.Gr.text(3, 3)}),
        (std::tuple{500, 500, 150, 150, ""}));
    EXPECT_EQ((std::tuple{ed.e.menu.AtDis, ed.e.menu.Asterisco, ed.e.menu.vociAbilitate, ed.b.ui.caption()}),
              (std::tuple{true, true, true, "Manuale *"}));
    ed.e.mnuSpazio();
    EXPECT_EQ((std::tuple{ed.e.menu.Asterisco, ed.e.menu.Spazio, ed.b.ui.caption()}),
              (std::tuple{false, true, "Manuale (spazio)"}));
    // "Spazio" changes only the marks: a trace still writes the current symbol.
    ed.simbolo(ed.e.palette.LblX, true);
    ed.e.Gr_Click(4, 4);
    EXPECT_EQ(ed.cella(4, 4), (std::tuple{"*", kRosso}));

    // "_" writes into the right-clicked cell on white, with no arms and no log item.
    ASSERT_TRUE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 8, 8));
    ed.e.MnuOriz();
    EXPECT_EQ((std::tuple{ed.cella(8, 8), ed.Gr.text(7, 8), ed.e.SaltaClick, ed.e.mnuRowCol()}),
              (std::tuple{std::tuple{"-", kBianco}, "", false, "8 8"}));

    // Off: the grid of the diagram again, the caption emptied, the items off.
    ed.e.mnuAtDis();
    EXPECT_EQ((std::tuple{ed.Gr.rows(), ed.Gr.text(4, 4), ed.b.ui.caption(), ed.e.menu.vociAbilitate}),
              (std::tuple{601, "", "", false}));
    ed.e.MnuOriz();  // disabled again
    EXPECT_EQ(ed.Gr.text(8, 8), "");
}

TEST(GridEditor, ASingleCrossingGetsItsArmsAndTheUnderStrandsMarks) {
    for (const bool orizzontale : {true, false}) {
        SCOPED_TRACE(orizzontale ? "-" : "|");
        Editor ed;
        ed.simbolo(orizzontale ? ed.e.palette.lblOri : ed.e.palette.Lblvert, true);
        ed.e.Gr_Click(10, 10);
        EXPECT_EQ(ed.log(), (Celle{{10, 10}, {9, 10}, {11, 10}, {10, 11}, {10, 9}}));
        EXPECT_EQ(ed.cella(10, 10), (std::tuple{orizzontale ? "-" : "|", kRosso}));
        const std::uint32_t verticali = orizzontale ? kVerde : kRosso;
        const std::uint32_t orizzontali = orizzontale ? kRosso : kVerde;
        EXPECT_EQ((std::vector{ed.cella(9, 10), ed.cella(11, 10), ed.cella(10, 11), ed.cella(10, 9)}),
                  (std::vector<std::tuple<std::string, std::uint32_t>>{
                      {"*", verticali}, {"*", verticali}, {"*", orizzontali}, {"*", orizzontali}}));
    }
}

TEST(GridEditor, RunsFollowARowOrAColumnBetweenTwoClicks) {
    Editor ed;
    ed.simbolo(ed.e.palette.LblX, false);
    ed.e.Gr_Click(5, 3);
    EXPECT_EQ(ed.cella(5, 3), (std::tuple{"", kGiallo}));
    EXPECT_TRUE(ed.log().empty());
    ed.e.Gr_Click(5, 8);
    for (int c = 3; c <= 8; ++c) EXPECT_EQ(ed.cella(5, c), (std::tuple{"*", kRosso})) << c;
    EXPECT_EQ((std::tuple{ed.Gr.text(5, 2), ed.Gr.text(5, 9), ed.log().size()}), (std::tuple{"", "", 6u}));

    // Backwards, the same run; a click off the start's row and column waits, and no diagonal is traced.
    ed.e.Gr_Click(8, 8);
    ed.e.Gr_Click(8, 3);
    EXPECT_EQ(ed.Gr.text(8, 3), "*");
    ed.e.Gr_Click(10, 3);
    ed.e.Gr_Click(12, 9);
    ed.e.Gr_Click(12, 5);
    EXPECT_EQ(
        (std::tuple{ed.Gr.text(12, 9), ed.Gr.text(11, 4), ed.e.traccia().StatoTraccia, ed.log().size()}),
        (std::tuple{"", "", 1, 0u}));
    ed.e.Gr_Click(14, 3);
    for (int r = 10; r <= 14; ++r) EXPECT_EQ(ed.Gr.text(r, 3), "*") << r;

    // A row of crossings gets no arms; the same symbol along a column gets them at every cell.
    ed.simbolo(ed.e.palette.lblOri, false);
    ed.e.Gr_Click(20, 10);
    ed.e.Gr_Click(20, 12);
    EXPECT_EQ((std::tuple{ed.Gr.text(20, 11), ed.Gr.text(19, 11), ed.Gr.text(21, 11)}),
              (std::tuple{"-", "", ""}));
    // Two clicks on one cell: the cell and its arms.
    ed.e.Gr_Click(30, 30);
    ed.e.Gr_Click(30, 30);
    EXPECT_EQ((std::tuple{ed.cella(30, 30), ed.cella(29, 30), ed.cella(30, 31)}),
              (std::tuple{std::tuple{"-", kRosso}, std::tuple{"*", kVerde}, std::tuple{"*", kRosso}}));
}

// Each cell's up arm overwrites the run cell above it, and the next run cell overwrites its down arm.
TEST(GridEditor, AColumnRunOfCrossingsEndsAsTheArmsLeaveIt) {
    Editor ed;
    ed.simbolo(ed.e.palette.lblOri, false);
    ed.e.Gr_Click(5, 3);
    ed.e.Gr_Click(7, 3);
    for (int r = 4; r <= 6; ++r) EXPECT_EQ(ed.cella(r, 3), (std::tuple{"*", kVerde})) << r;
    EXPECT_EQ((std::tuple{ed.cella(7, 3), ed.cella(8, 3)}),
              (std::tuple{std::tuple{"-", kRosso}, std::tuple{"*", kVerde}}));
    for (int r = 5; r <= 7; ++r)
        for (int c : {2, 4}) EXPECT_EQ(ed.cella(r, c), (std::tuple{"*", kRosso})) << r << "," << c;
}

TEST(GridEditor, TheRightButtonMovesTheStartAndItsClickIsSwallowed) {
    Editor ed;
    ed.simbolo(ed.e.palette.LblX, false);
    ed.e.Gr_Click(5, 3);
    EXPECT_FALSE(ed.e.Gr_MouseDown(PulsanteMouse::Sinistro, 9, 9));
    EXPECT_FALSE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 0, 9));
    ASSERT_TRUE(ed.e.Gr_MouseDown(PulsanteMouse::Destro, 9, 9));
    ed.e.Gr_Click(9, 9);  // the press's own click
    EXPECT_EQ(ed.Gr.text(9, 9), "");
    ed.e.Gr_Click(9, 12);
    for (int c = 9; c <= 12; ++c) EXPECT_EQ(ed.Gr.text(9, c), "*") << c;
    EXPECT_EQ(ed.cella(5, 3), (std::tuple{"", kGiallo}));

    // "Annnulla" drops a pending start: the next click starts again.
    ed.e.Gr_Click(20, 3);
    ed.e.CmDAnnulla_Click();
    ed.e.Gr_Click(20, 8);
    EXPECT_EQ((std::tuple{ed.Gr.text(20, 5), ed.e.traccia().StatoTraccia}), (std::tuple{"", 1}));

    // Outside the developer layout a click only drops the current cell and the right button does nothing.
    Editor ord(false);
    ord.b.form.doc.modi.ModoSviluppo = false;
    ord.Gr.setRow(4);
    ord.Gr.setCol(4);
    const std::string prima = ord.b.ui.caption();
    EXPECT_FALSE(ord.e.Gr_MouseDown(PulsanteMouse::Destro, 4, 4));
    ord.e.Gr_Click(4, 4);
    EXPECT_EQ((std::tuple{ord.Gr.row(), ord.Gr.col(), ord.b.ui.caption(), ord.e.SaltaClick}),
              (std::tuple{0, 0, prima, false}));
}

TEST(GridEditor, UndoGivesEachCellItsPreviousTextAndColour) {
    Editor ed;
    // A strand along row 10 and the start of a run left yellow at (12, 10).
    ed.simbolo(ed.e.palette.LblX, false);
    ed.e.Gr_Click(10, 5);
    ed.e.Gr_Click(10, 15);
    ed.e.Gr_Click(12, 10);
    // A column of crossings from the yellow start over the strand: its arms overwrite the strand's cells.
    ed.simbolo(ed.e.palette.Lblvert, false);
    ed.e.Gr_Click(9, 10);
    ASSERT_EQ(ed.cella(12, 10), (std::tuple{"|", kRosso}));
    ASSERT_EQ(ed.cella(10, 9), (std::tuple{"*", kVerde}));
    ed.e.Command9_Click();
    for (int c = 5; c <= 15; ++c) EXPECT_EQ(ed.cella(10, c), (std::tuple{"*", kRosso})) << c;
    EXPECT_EQ((std::tuple{ed.cella(9, 10), ed.cella(12, 10), ed.cella(13, 10), ed.cella(11, 11)}),
              (std::tuple{std::tuple{"", kBianco}, std::tuple{"", kBianco}, std::tuple{"", kBianco},
                          std::tuple{"", kBianco}}));
    // A first click logs nothing: "Undo" right after it changes nothing.
    ed.simbolo(ed.e.palette.LblX, false);
    ed.e.Gr_Click(30, 30);
    ed.e.Command9_Click();
    EXPECT_EQ(ed.cella(10, 10), (std::tuple{"*", kRosso}));
}

TEST(GridEditor, ArmsThatWouldLeaveTheDrawingAreLeftOut) {
    Editor ed;
    ed.simbolo(ed.e.palette.lblOri, true);
    ed.e.Gr_Click(1, 1);
    EXPECT_EQ(ed.log(), (Celle{{1, 1}, {2, 1}, {1, 2}}));
    EXPECT_EQ((std::tuple{ed.Gr.text(0, 1), ed.Gr.text(1, 0)}), (std::tuple{"", ""}));
    ed.e.Gr_Click(499, 499);
    EXPECT_EQ(ed.log(), (Celle{{499, 499}, {498, 499}, {499, 498}}));
    // A column run along the last column, and clicks on row 0 or outside the grid, trace nothing beyond it.
    ed.e.palette.ChkSingolo = false;
    ed.e.Gr_Click(497, 499);
    ed.e.Gr_Click(499, 499);
    EXPECT_EQ(ed.Gr.cols(), 500);
    ed.e.Gr_Click(0, 5);
    ed.e.Gr_Click(600, 5);
    EXPECT_EQ((std::tuple{ed.Gr.text(0, 5), ed.e.traccia().StatoTraccia}), (std::tuple{"", 0}));
    ed.e.Command9_Click();
    EXPECT_EQ(ed.cella(499, 499), (std::tuple{"-", kRosso}));
}

// "Clear" after a knot file of the "Object=" kind: the drawing goes through a text drawing in memory, so
// step 0 stays the knot's and nothing is written beside the program.
TEST(GridEditor, ClearRereadsTheGridAndTouchesNoStepAndNoFile) {
    Editor ed(false);
    const fs::path cartella = fixture::cartellaProva() / "programma";
    fs::create_directories(cartella);
    ed.b.ctx.programFolder = cartella;
    ASSERT_TRUE(ApriGen(ed.b.form, fixture::campione("Trefoil.kno")));
    ASSERT_EQ(ed.b.form.doc.TipoFileKno, KnotFileKind::Object);
    const Stato passo0 = ed.b.storia().passo(0);
    ed.e.mnuAtDis();
    ed.simbolo(ed.e.palette.lblOri, true);
    ed.e.Gr_Click(5, 5);
    ed.simbolo(ed.e.palette.LblX, false);
    ed.e.Gr_Click(20, 20);  // a start left yellow
    ed.e.CmdClear_Click();
    EXPECT_TRUE(ed.b.ui.messages.empty());
    EXPECT_EQ((std::tuple{ed.cella(5, 5), ed.cella(4, 5), ed.cella(5, 4), ed.cella(20, 20)}),
              (std::tuple{std::tuple{"-", kRosso}, std::tuple{"*", kVerde}, std::tuple{"*", kRosso},
                          std::tuple{"", kBianco}}));
    EXPECT_TRUE(ed.e.palette.ChkSingolo);
    EXPECT_EQ((std::tuple{ed.b.passo(), ed.b.storia().passo(0).TblGenSer, ed.b.storia().passo(0).Ori}),
              (std::tuple{0, passo0.TblGenSer, passo0.Ori}));
    EXPECT_TRUE(fs::is_empty(cartella));
    // A symbol beyond what a text drawing holds is refused and the grid stays as it was.
    ed.Gr.setRows(700);
    ed.Gr.setText(650, 3, "*");
    ed.e.CmdClear_Click();
    ASSERT_EQ(ed.b.ui.messages.size(), 1u);
    EXPECT_EQ((std::tuple{ed.Gr.rows(), ed.Gr.text(650, 3), ed.Gr.text(5, 5)}), (std::tuple{700, "*", "-"}));
    fs::remove_all(cartella);
}

TEST(GridEditor, OutsideDrawingModeAClickShowsTheCellTableInTheCaption) {
    Editor ed(false);
    Diagram& d = ed.b.d();
    d.limiti = LimitiNodo{10, 20, 30, 40};
    CellaNodo& x = d.TblNodo.at(10 + 4 - OffsetRiga, 30 + 6 - OffsetCol);
    x.Tipo = 'I';
    x.Numero = 7;
    x.Forma = 3;
    ed.e.Gr_Click(4, 6);
    const std::string misura = std::to_string(ed.Gr.rowHeight(4)) + " " + std::to_string(ed.Gr.colWidth(6));
    EXPECT_EQ(ed.b.ui.caption(), "4 6   11 34 >I<7  segno>3 rwh>" + misura);
    ed.b.ui.setCaption("kept");
    d.limiti = LimitiNodo{};
    ed.e.Gr_Click(1, 1);  // before the cell table's first row
    EXPECT_EQ(ed.b.ui.caption(), "kept");
}

// The rectilinear closure of three equal crossings of two strands, traced with runs and single cells.
TEST(GridEditor, ATracedTrefoilSavedAsATextDrawingOpensAsATrefoil) {
    Editor ed;
    EditorGriglia& e = ed.e;
    const auto corsa = [&](int r1, int c1, int r2, int c2) {
        ed.simbolo(e.palette.LblX, false);
        e.Gr_Click(r1, c1);
        e.Gr_Click(r2, c2);
    };
    const auto singola = [&](const EtichettaPalette& l, int r, int c) {
        ed.simbolo(l, true);
        e.Gr_Click(r, c);
    };
    // The two strands run along rows 4 and 7; each crossing takes the upper one down across the lower.
    // Strands turn by diagonal steps, and the arms of a crossing run straight.
    corsa(1, 3, 1, 33);
    corsa(13, 3, 13, 33);
    for (const int c : {2, 34}) {
        corsa(2, c, 3, c);
        corsa(8, c, 12, c);
    }
    corsa(4, 3, 4, 5);
    corsa(7, 3, 7, 8);
    for (const int x : {6, 15, 24}) {
        if (x > 6) {
            corsa(4, x - 4, 4, x - 1);
            corsa(7, x - 2, 7, x + 2);
        }
        for (auto [r, c] : {std::pair{5, x}, {9, x}, {6, x + 3}, {5, x + 4}, {9, x + 5}, {8, x + 6}})
            singola(e.palette.LblX, r, c);
        corsa(10, x + 1, 10, x + 4);
        singola(e.palette.Lblvert, 7, x);
    }
    corsa(4, 29, 4, 33);
    corsa(7, 31, 7, 33);
    const fs::path file = fixture::cartellaProva() / "editor_trefoil.txt";
    ed.b.ui.saveAnswers.push_back(file.string());
    e.MnuSalva();
    ASSERT_TRUE(fs::exists(file));
    ASSERT_TRUE(ApriGen(ed.b.form, file.string())) << ed.b.ui.messages.back();
    const Diagram& d = ed.b.d();
    EXPECT_EQ(d.NumIncroci, 3);
    EXPECT_TRUE(testsupport::sameKnot("1-2+3-1+2-3+", "OOO", d.txtNodo, d.TxtOri) ||
                testsupport::sameKnot("1-2+3-1+2-3+", "VVV", d.txtNodo, d.TxtOri))
        << d.txtNodo << " " << d.TxtOri;
    fs::remove(file);
}

}  // namespace
}  // namespace trevalon
