#include "layout/drawn_renderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout/palette.h"

namespace trevalon {
namespace {

// A drawn cell's neighbours fold to the shape of its strand ("28" up-down, "46" left-right), which with the
// colour letter is the key of its tile; an old shape or tile name elsewhere is cleared.
TEST(DrawnRenderer, ShapeKeyAndNameOfADrawnCell) {
    struct Caso {
        std::vector<std::string> righe;
        int colore;
        std::string forma, nome;
    };
    const std::vector<Caso> casi = {
        {{" * ", " * ", " * "}, ColNero, "28", "n*"},  {{" * ", " * ", "***"}, ColNero, "28", "n*"},
        {{"*  ", "***", "*  "}, ColNero, "46", "n*"},  {{" * ", "** ", "   "}, ColNero, "24", "n5"},
        {{"   ", " **", " * "}, ColVerde, "68", "v7"}, {{" * ", "*|*", " * "}, ColArancio, "V", "r|"},
        {{"***", " * ", "  *"}, ColNero, "123", ""},  // no strand: no key, and as much as the cell holds
        {{" * ", " * ", " * "}, 7, "28", ""},         // a colour base without a letter
    };
    for (const Caso& k : casi) {
        auto d = std::make_unique<Diagram>();
        d->NumRighe = d->NumColonne = 30;
        GridControl griglia;
        TileNameTable tbltt;
        const TilePalette palette(PaletteId::Form1b, false);
        tbltt.set(20, 20, "n*");
        d->TblNodo.at(7, 7).setVicini("46");
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) d->TblNodo.at(4 + r, 4 + c).Simbolo = k.righe[r][c];
        DisegnaModo2(*d, {griglia, tbltt, palette, nullptr}, k.colore, false);
        const std::string riga = k.righe[0] + "/" + k.righe[1] + "/" + k.righe[2];
        EXPECT_EQ(d->TblNodo.at(5, 5).Vicini(), k.forma) << riga;
        EXPECT_EQ(tbltt.get(5, 5), k.nome) << riga;
        EXPECT_EQ(tbltt.get(20, 20), "") << riga;
        EXPECT_EQ(d->TblNodo.at(7, 7).Vicini(), "") << riga;
    }
}

TEST(DrawnRenderer, CellsAtTheEdgeOfTheTableReadNothingBeyond) {
    auto d = std::make_unique<Diagram>();
    for (int r : {4, 5, 6, kMaxCella - 1, kMaxCella}) d->TblNodo.at(r, kMaxCella).Simbolo = '*';
    EXPECT_EQ(formaCellaDisegnata(*d, kMaxCella, kMaxCella), "2");
    d->NumRighe = d->NumColonne = kMaxCella + 1;
    GridControl g;
    TileNameTable tbltt;
    const TilePalette p(PaletteId::Form1b, false);
    DisegnaModo2(*d, {g, tbltt, p, nullptr}, ColNero, false);
    EXPECT_EQ(tbltt.get(5, kMaxCella), "n*");
    EXPECT_EQ(d->TblNodo.at(kMaxCella, kMaxCella).Vicini(), "2");

    // Arc numbers beyond the table trace nothing; a marker on a one-cell path stays on that cell.
    const auto prima = g.revision();
    for (int arco : {0, -1, kMaxArchi + 1})
        TracciaArcoDaDisegno(*d, {g, tbltt, p, nullptr}, arco, ColRosso, false, "", 0);
    EXPECT_EQ(g.revision(), prima);
    d->archi[1].Percorso = "10,10,|";
    d->TblNodo.at(10, 10).setVicini("46");
    TracciaArcoDaDisegno(*d, {g, tbltt, p, nullptr}, 1, ColNero, true, "+", 0);
    EXPECT_EQ(tbltt.get(10, 10), "v+");
}

}  // namespace
}  // namespace trevalon
