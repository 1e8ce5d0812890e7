#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "form2_fixture.h"
#include "layout/cell_table_check.h"
#include "mainwindow/commit.h"
#include "mainwindow/history.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/text_drawing_files.h"
#include "model/cell_drawing_snapshot.h"
#include "model/step_history.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

using Banco = fixture::FinestraDiProva;
using fixture::campione;
using fixture::cartellaProva;
using fixture::leggi;
using fixture::scrivi;

// The same knot up to mirror image: the sample's name says the type, not the handedness.
::testing::AssertionResult tipoNodo(const Diagram& d, const std::string& nome) {
    const testsupport::NamedKnot k = testsupport::namedKnot(nome);
    const std::string specchio = [&] {
        std::string s = k.letters;
        for (char& ch : s) ch = ch == 'O' ? 'V' : 'O';
        return s;
    }();
    if (testsupport::sameKnot(k.gauss, k.letters, d.txtNodo, d.TxtOri)) return ::testing::AssertionSuccess();
    return testsupport::sameKnot(k.gauss, specchio, d.txtNodo, d.TxtOri);
}

// The main grid's cells that show a tile of the drawn-knot palette, and of any other.
std::tuple<int, int> tessereDisegno(const GridControl& g) {
    int disegno = 0, altre = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty()) continue;
            (p.palette == PaletteId::Form1b ? disegno : altre) += 1;
        }
    return {disegno, altre};
}

TEST(DrawnKnots, EveryDrawnSampleOpensWithDrawnTilesAsTheKnotItsNameSays) {
    const std::map<std::string, std::string> tipo = {{"Trefoil", "trefoil_right"}, {"FigureEight", "4_1"}};
    int aperti = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TREVALON_SOURCE_DIR) / "Knots")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".kns" && ext != ".kno") continue;
        const std::string base = entry.path().stem().string();
        SCOPED_TRACE(entry.path().filename().string());
        Banco b;
        b.ui.openAnswers.push_back(entry.path().string());
        b.form.tlb1_ButtonClick("ApriG");
        ASSERT_TRUE(b.ui.messages.empty()) << b.ui.messages.front();
        const Diagram& d = b.d();
        ASSERT_TRUE(tipo.count(base));
        EXPECT_TRUE(tipoNodo(d, tipo.at(base)));
        EXPECT_EQ((std::tuple{d.NumArchi, d.NumRegioni, static_cast<int>(d.TxtOri.size())}),
                  (std::tuple{2 * d.NumIncroci, d.NumIncroci + 2, d.NumIncroci}));
        EXPECT_EQ(testcheck::verificaTabella(d, true), "");
        // Shown with the drawn-knot tiles at the drawing zoom; step 0 keeps the code and the drawing.
        const auto [disegno, altre] = tessereDisegno(b.form.vista().Gr);
        EXPECT_GT(disegno, 4 * d.NumIncroci);
        EXPECT_EQ(altre, 0);
        EXPECT_EQ((std::tuple{b.form.doc().modi.ModoSorgente, b.form.doc().modi.ModoGen,
                              b.form.vista().zoom.LivelloZoom, b.form.vista().zoom.DimCella}),
                  (std::tuple{SourceKind::Drawing, GenMode::CellDrawing, 3, 85}));
        const Stato& s0 = b.storia().passo(0);
        EXPECT_EQ((std::tuple{b.passo(), s0.Tipo, s0.Codice, s0.Ori}),
                  (std::tuple{0, GenMode::CellDrawing, d.txtNodo, d.TxtOri}));
        EXPECT_EQ(s0.TblGenSer, serializzaCelDis(b.form.doc().tblGen));
        EXPECT_EQ(b.ui.caption(), " Trevalon - " + base + " - Step 0");
        EXPECT_TRUE(!b.ui.commandEnabled("draw") && !b.ui.commandEnabled("Undo") &&
                    !b.ui.commandEnabled("Salva"));
        ++aperti;
    }
    EXPECT_EQ(aperti, 4);
}

TEST(DrawnKnots, SavedDrawnKnotsOpenAgainAsTheSameDiagram) {
    for (const std::string nome : {"Trefoil.kno", "FigureEight.kns"}) {
        SCOPED_TRACE(nome);
        Banco b;
        ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), campione(nome)));
        const std::string codice = b.d().txtNodo, ori = b.d().TxtOri;
        const std::string disegno = serializzaCelDis(b.form.doc().tblGen);
        const fs::path salvato = cartellaProva() / ("saved_" + nome + ".kno");
        ASSERT_TRUE(SalvaDatblDis(b.form.contesto(), salvato.string()));
        EXPECT_EQ(leggi(salvato), "Object=" + disegno + "\r\n");
        Banco c;
        ASSERT_TRUE(ApriGen(c.form.contesto(), c.form.vista(), salvato.string()));
        EXPECT_EQ((std::tuple{c.d().txtNodo, c.d().TxtOri, serializzaCelDis(c.form.doc().tblGen)}),
                  (std::tuple{codice, ori, disegno}));
    }
}

TEST(DrawnKnots, UndoCrossesDrawnAndCodeStepsAndStepZeroOutlivesItsFile) {
    Banco b;
    const fs::path kns = scrivi("undo.kns", leggi(campione("FigureEight.kns")));
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), kns.string()));
    const std::string codice0 = b.d().txtNodo, disegno0 = serializzaCelDis(b.form.doc().tblGen);
    // Step 1 kept as a drawing (the same picture moved two cells to the right), step 2 from a code.
    CellDrawing spostato;
    std::string testo1;
    for (int r = 1; r < 700; ++r)
        for (int c = 1; c < 1990; ++c)
            if (!b.form.doc().tblGen.vuota(r, c))
                testo1 += std::to_string(r) + "," + std::to_string(c + 2) + "," +
                          std::string(b.form.doc().tblGen.Codice(r, c)) + "|";
    ASSERT_TRUE(deserializzaCelDis(spostato, testo1));
    ASSERT_TRUE(GeneradatblGen(b.form.contesto(), b.form.vista(), std::move(spostato)));
    ASSERT_TRUE(Salvastato(b.form.contesto(), b.form.vista()));
    ASSERT_TRUE(CommittaMossa(b.form.contesto(), b.form.vista(), TestoNodo{"1-2+3-1+2-3+", "OOO", {}}));
    ASSERT_EQ((std::tuple{b.passo(), b.form.doc().modi.ModoGen}), (std::tuple{2, GenMode::Code}));
    fs::remove(kns);

    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ((std::tuple{b.passo(), b.form.doc().modi.ModoGen, b.d().txtNodo,
                          serializzaCelDis(b.form.doc().tblGen)}),
              (std::tuple{1, GenMode::CellDrawing, codice0, testo1}));
    EXPECT_EQ(std::get<1>(tessereDisegno(b.form.vista().Gr)), 0);
    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ((std::tuple{b.passo(), b.d().txtNodo, serializzaCelDis(b.form.doc().tblGen)}),
              (std::tuple{0, codice0, disegno0}));
    EXPECT_TRUE(b.ui.messages.empty()) << b.ui.messages.front();
    EXPECT_FALSE(b.ui.commandEnabled("Undo"));
}

TEST(DrawnKnots, ADrawingWithFewerThanThreeCrossingsIsShownWithoutACode) {
    Banco b;
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), campione("Trefoil.kno")));
    // One crossing cell: a curl drawn as a cell drawing.
    CellDrawing ricciolo;
    ASSERT_TRUE(deserializzaCelDis(ricciolo,
                                   "3,3,7|3,4,2|3,5,8|4,3,1|4,5,1|5,1,7|5,2,2|5,3,4|5,4,2|5,5,5|"
                                   "6,1,1|6,3,1|7,1,6|7,2,2|7,3,5|"));
    ASSERT_TRUE(GeneradatblGen(b.form.contesto(), b.form.vista(), std::move(ricciolo)));
    EXPECT_EQ((std::tuple{b.d().txtNodo, b.d().TxtOri, b.form.doc().NumIncrociDis}), (std::tuple{"", "", 1}));
    EXPECT_GE(std::get<0>(tessereDisegno(b.form.vista().Gr)), 15);
    EXPECT_FALSE(b.ui.commandEnabled("Salva"));
}

TEST(DrawnKnots, TextDrawingsReadIntoTheGridAndSaveBack) {
    Banco b;
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), campione("Trefoil.kno")));
    const Stato passo0 = b.storia().passo(0);
    const std::string testo = "3,5\r\n  *  \r\n**-**\r\n  *  \r\n";
    ASSERT_TRUE(LeggiFile(b.form.contesto(), b.form.vista(), scrivi("cross.txt", testo).string()));
    const GridControl& g = b.form.vista().Gr;
    EXPECT_EQ((std::tuple{g.text(2, 3), g.text(1, 3), g.text(2, 1), g.text(1, 1)}),
              (std::tuple{"-", "*", "*", ""}));
    EXPECT_TRUE(g.rows() >= 500 && g.cols() >= 500 && g.rowHeight(1) == 150 && g.colWidth(1) == 150);
    // The arms of the under strand beside the crossing are marked, the over strand's are not.
    EXPECT_NE(g.style(1, 3).backColor, g.style(2, 2).backColor);
    // Reading a text drawing touches no step of the history.
    EXPECT_EQ((std::tuple{b.passo(), b.storia().passo(0).TblGenSer}), (std::tuple{0, passo0.TblGenSer}));
    const fs::path salvato = cartellaProva() / "cross_saved.txt";
    ASSERT_TRUE(SalvaFile(b.form.contesto(), b.form.vista(), salvato.string(), DrawingSource::GridText));
    EXPECT_EQ(leggi(salvato), testo);
}

}  // namespace
}  // namespace trevalon
