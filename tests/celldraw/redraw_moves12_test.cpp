#include "celldraw/redraw_moves12.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_check.h"
#include "celldraw/redraw_driver.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"

namespace trevalon {
namespace {

// A drawing from lines of cells separated by blanks, the first line at row r0, the first cell at column
// c0: "." an empty cell, else the line code followed by the tile name the main grid showed there ("7n7",
// "4n\", "2r*", "3" for a black crossing without a name).
std::unique_ptr<CellDrawing> disegno(const std::vector<std::string>& righe, int r0 = 1, int c0 = 1) {
    auto g = std::make_unique<CellDrawing>();
    for (std::size_t i = 0; i < righe.size(); ++i) {
        std::istringstream in(righe[i]);
        std::string cella;
        for (int c = c0; in >> cella; ++c) {
            if (cella == ".") continue;
            const int r = r0 + static_cast<int>(i);
            g->setCodice(r, c, cella.substr(0, 1));
            g->setSimbolo(r, c, cella.substr(1));
            LimitiDis& l = g->limiti;
            l.RigaMin = std::min(l.RigaMin, r);
            l.RigaMax = std::max(l.RigaMax, r);
            l.ColMin = std::min(l.ColMin, c);
            l.ColMax = std::max(l.ColMax, c);
        }
    }
    return g;
}

bool senzaColore(const CellDrawing& g) {
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c) {
            if (g.vuota(r, c)) continue;
            const std::string_view n = g.Simbolo(r, c);
            if (n.find('r') != std::string_view::npos) return false;
        }
    return true;
}

// A bigon between the crossings "n\" (row 9, column 6) and "n/" (row 9, column 9) of a diagram of five
// crossings, drawn as the main grid showed the candidate: one stretch green, the other red.
const std::vector<std::string> kBigon = {". . 7n7 2n* 2n* 8n8 . . . . .",              //
                                         ". 7n7 3 2n* 2n* 4n| 8n8 . . . .",            //
                                         ". 1n* 1n* . . 1n* 1n* . . . .",              //
                                         ". 1n* 1n* . 7n7 3 5n5 . . . .",              //
                                         ". 1n* 1n* . 1n* 1n* . . . . .",              //
                                         ". 1n* 1n* . 1n* 1n* . . 7n7 2n* 8n8",        //
                                         ". 1n* 1n* . 6n6 4n\\ 2v* 2v* 4n/ 8n8 1n*",   //
                                         ". 1n* 1n* . . 6r6 2r* 2r* 5r5 1n* 1n*",      //
                                         ". 1n* 6n6 2n* 2n* 2n* 2n* 2n* 2n* 5n5 1n*",  //
                                         ". 6n6 2n* 2n* 2n* 2n* 2n* 2n* 2n* 2n* 5n5"};

// The curl's crossing becomes the corner facing away from its red neighbours (the last test that holds
// wins); a green cell is neither changed nor emptied; red crossings become plain strands of the strand
// that stays.
TEST(RedrawMoves12, MoveOneTurnsTheCurlIntoACorner) {
    struct Caso {
        std::vector<std::string> righe;
        int r, c;
        const char* codice;
    };
    const std::vector<Caso> casi = {
        {{". 1r* .", "2r* 4nE 2r*", ". 1r* ."}, 2, 2, "5"},
        {{". 1r* .", "2r* 4n/ 2n*", ". 1n* ."}, 2, 2, "7"},
        {{". 1v* .", "2n* 3r-a 2n*", ". 1v* ."}, 2, 2, "1"},
        {{". 1n* .", "2v* 3r|b 2v*", ". 1n* ."}, 2, 2, "2"},
        {{". 1n* .", "2n* 4v|a 2r*", ". 1n* ."}, 2, 2, "4"},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.righe[1 % k.righe.size()]);
        auto g = disegno(k.righe);
        VistaRidisegno vista;
        vista.ModoSorgente = SourceKind::Drawing;
        ASSERT_TRUE(F3disTxt1(*g, vista));
        EXPECT_EQ(g->Codice(k.r, k.c), k.codice);
        EXPECT_TRUE(senzaColore(*g) || g->Simbolo(k.r, k.c).front() == 'v');
    }
}

// A curl taken from an unknot drawn with two curls leaves one crossing: the redraw of a diagram from its
// code skips the tidy-up (it walks only drawings of three crossings or more) and leaves a closed drawing.
TEST(RedrawMoves12, MoveOneCanLeaveASingleCrossing) {
    auto g = disegno({". . . . . 7r7 8r8",          //
                      ". 7n7 2n* 2n* 2n* 4nE 5r5",  //
                      ". 1n* . . . 1n* .",          //
                      ". 1n* . . . 1n* .",          //
                      "7n7 3 2n* 2n* 2n* 5n5 .",    //
                      "6n6 5n5 . . . . ."});
    ASSERT_TRUE(verificaCelDis(*g));
    VistaRidisegno vista;
    ASSERT_EQ(vista.ModoSorgente, SourceKind::Code);
    const Result<int> n = F3SavDis(*g, vista, MoveKind::I);
    ASSERT_TRUE(n) << n.error();
    EXPECT_EQ(*n, 1);
    EXPECT_TRUE(verificaCelDis(*g)) << verificaCelDis(*g).error();
    EXPECT_TRUE(senzaColore(*g));
}

// The tidy-up that ends a redraw walks the drawing first: a drawing it cannot walk (here two closed
// strands) is refused and left cell for cell as it was, never half tidied.
TEST(RedrawMoves12, ATidyUpThatCannotWalkTheDrawingLeavesItAsItWas) {
    auto g = disegno({". . . . . 7n7 8n8 . . . . 7n7 8n8",          //
                      ". 7n7 2n* 2n* 2n* 4 5n5 . . 7n7 2n* 3 5n5",  //
                      ". 1n* . . . 1n* . . . 1n* . 1n* .",          //
                      ". 1n* . . . 1n* . . . 6n6 2n* 5n5 .",        //
                      "7n7 3 2n* 2n* 2n* 5n5 . . . . . . .",        //
                      "6n6 5n5 . . . . . . . . . . ."});
    ASSERT_TRUE(verificaCelDis(*g));
    const std::string prima = serializzaCelDis(*g);
    VistaRidisegno vista;
    for (bool migliora : {false, true}) {
        EXPECT_FALSE(F3SistemaGrafica(*g, vista, migliora));
        EXPECT_FALSE(sistemaRidisegno(*g, vista, migliora));
        EXPECT_EQ(serializzaCelDis(*g), prima);
    }
}

// A single crossing taken away ends the separation at once; two too close to each other at the table's
// last column cannot be separated: the redraw fails with a reason instead of writing past the table.
TEST(RedrawMoves12, MoveTwoIsBoundedByTheTable) {
    std::vector<std::string> uno = kBigon;
    uno[6].replace(uno[6].find("4n/"), 3, "4n|");
    auto g = disegno(uno, 3, 1);
    VistaRidisegno vista;
    vista.ModoSorgente = SourceKind::Drawing;
    const Result<int> n = F3SavDis(*g, vista, MoveKind::II);
    ASSERT_TRUE(n) << n.error();
    EXPECT_EQ(*n, 4);
    EXPECT_TRUE(verificaCelDis(*g));

    auto bordo = disegno({"7n7 2n* 2n* 8n8", "3n/ 2v* 3n/ 1n*", "6n6 2n* 2n* 5n5"}, 5, kMaxColonneDis - 3);
    const Result<int> pieno = F3SavDis(*bordo, vista, MoveKind::II);
    ASSERT_FALSE(pieno);
    EXPECT_NE(pieno.error().find("column"), std::string::npos) << pieno.error();

    auto h = disegno(kBigon, 3, 1);
    EXPECT_FALSE(F3SavDis(*h, vista, MoveKind::III));
}

// The views of a drawing in the viewer's grid: the developer's text view (code and side marks at the
// cell, the tile name at the drawing's column), and a diagram from a code showing its coloured tiles as they
// are drawn, one in three on small cells and every one on large ones.
TEST(RedrawMoves12, TheTextViewAndTheColouredTilesShownAsTheyAreDrawn) {
    auto g = disegno(kBigon, 3, 2);
    g->at(9, 7).Lati = {0, 'A', 0, 'B', 0};
    GridControl gr3;
    VistaRidisegno vista;
    vista.Gr3 = &gr3;
    vista.ColonnaBaseDis = 20;
    F3VisCelDis(*g, vista, 85);
    EXPECT_EQ(gr3.text(9, 7), "4 A.B.");
    EXPECT_EQ(gr3.text(9, 27), "n\\");
    EXPECT_EQ(gr3.text(5, 5), " ....");  // an empty cell of the extent
    EXPECT_EQ(gr3.colWidth(5), 85);
    EXPECT_EQ(gr3.rowHeight(0), 0);

    const TilePalette palette(PaletteId::Form1, false);
    vista.palette = &palette;
    std::vector<std::pair<int, int>> mostrate;
    vista.mostraTessera = [&](int r, int c) { mostrate.emplace_back(r, c); };
    for (const auto& [dim, sorgente, attese] :
         {std::tuple{85, SourceKind::Code, 2}, std::tuple{320, SourceKind::Code, 5},
          std::tuple{320, SourceKind::Drawing, 0}}) {
        mostrate.clear();
        vista.DimCella = dim;
        vista.ModoSorgente = sorgente;
        vista.ContaTessere = 0;
        for (int c = 2; c <= 7; ++c) F3AggImg(*g, vista, 12, c, ColVerde);  // five tiles and an empty cell
        F3AggImg(*g, vista, 12, 3, ColNero);  // black tiles are never shown on their own
        EXPECT_EQ(static_cast<int>(mostrate.size()), attese) << dim;
    }
    EXPECT_EQ(mostrate.size(), 0u);
}

// "Migliora" on a drawing of two crossings or fewer, which `F3SistemaGrafica` leaves where it stands (a
// loop, a curl, two curls): the tidied drawing stands right of the last one drawn, behind an arrow, with
// the drawing's crossings; every picture already in the view stays as it was.
TEST(RedrawMoves12, MiglioraOnADrawingOfFewCrossingsAddsItRightOfTheLast) {
    const std::vector<std::pair<std::vector<std::string>, int>> casi = {
        {{"7 2 8", "1 . 1", "6 2 5"}, 0},
        {{"7 2 8 . .", "1 . 1 . .", "6 2 4 2 8", ". . 1 . 1", ". . 6 2 5"}, 1},
        {{"7 2 8 . 7 2 8", "1 . 1 . 1 . 1", "6 2 4 2 3 2 5", ". . 1 . 1 . .", ". . 6 2 5 . ."}, 2},
    };
    const TilePalette palette(PaletteId::Form1b, false);
    for (const auto& [righe, incroci] : casi) {
        SCOPED_TRACE(incroci);
        auto g = disegno(righe, 2, 1);
        ASSERT_TRUE(verificaCelDis(*g));
        ASSERT_EQ(contaIncrociCelDis(*g), incroci);
        GridControl gr3;
        gr3.setRows(12);
        gr3.setCols(14);
        VistaRidisegno vista;
        vista.Gr3 = &gr3;
        vista.palette = &palette;
        vista.ModoSorgente = SourceKind::Drawing;
        vista.ColonnaBaseDis = 4;
        // The candidate (a picture left of the drawing) and the approved drawing.
        gr3.setPicture(3, 1, palette.img(1));
        disegnaCelDis(*g, vista);
        const int ultima = vista.UltimaColonnaDis;
        ASSERT_GT(ultima, vista.ColonnaBaseDis);
        std::vector<PictureRef> prima;
        for (int r = 0; r < gr3.rows(); ++r)
            for (int c = 0; c <= ultima; ++c) prima.push_back(gr3.picture(r, c));

        ASSERT_TRUE(miglioraCelDis(*g, vista));
        EXPECT_EQ(vista.ColonnaBaseDis, ultima + 2);
        EXPECT_EQ(gr3.text((g->limiti.RigaMin + g->limiti.RigaMax) / 2, ultima + 1), "->");
        std::vector<PictureRef> dopo;
        for (int r = 0; r < gr3.rows(); ++r)
            for (int c = 0; c <= ultima; ++c) dopo.push_back(gr3.picture(r, c));
        EXPECT_EQ(dopo, prima);
        // The tidied drawing: each of its cells drawn right of the arrow.
        EXPECT_TRUE(verificaCelDis(*g)) << verificaCelDis(*g).error();
        EXPECT_EQ(contaIncrociCelDis(*g), incroci);
        int celle = 0, immagini = 0;
        for (int r = 0; r < gr3.rows(); ++r)
            for (int c = ultima + 1; c < gr3.cols(); ++c) immagini += !gr3.picture(r, c).empty();
        const LimitiDis& l = g->limiti;
        for (int r = l.RigaMin; r <= l.RigaMax; ++r)
            for (int c = l.ColMin; c <= l.ColMax; ++c) celle += g->at(r, c).codice > '0';
        EXPECT_EQ(immagini, celle);
        EXPECT_GT(immagini, 0);
    }
}

}  // namespace
}  // namespace trevalon
