#include "layout/palette.h"

#include <gtest/gtest.h>

#include "layout/render_grid.h"

namespace trevalon {
namespace {

TEST(Palette, NamesOfTheImgTiles) {
    EXPECT_EQ(TileImg(0).name, "nb");
    EXPECT_EQ(TileImg(3).name, "");  // the black crossing with the horizontal strand over has no name
    EXPECT_TRUE(TileImg(3).exists);
    EXPECT_EQ(TileImg(4).name, "n|");
    EXPECT_EQ(TileImg(10).name, "n\\");
    EXPECT_EQ(TileImg(23).name, "v-");
    EXPECT_EQ(TileImg(43).name, "r-");
    EXPECT_EQ(TileImg(62).name, "v-b");
    EXPECT_EQ(TileImg(112).name, "v-b");
    EXPECT_EQ(TileImg(64).name, "v|b");
    EXPECT_EQ(TileImg(114).name, "v|b");
    EXPECT_EQ(TileImg(72).name, "r|b");
    EXPECT_EQ(TileImg(74).name, "r-b");
    EXPECT_EQ(TileImg(83).name, "nE");
    EXPECT_TRUE(TileImg(95).exists);
    EXPECT_EQ(TileImg(95).name, "");
    // No crossing tiles in orange or grey, no coloured tile for code 0.
    for (int missing : {20, 40, 93, 94, 103, 104, 11, 31, 65, 115, -1})
        EXPECT_FALSE(TileImg(missing).exists) << missing;
}

TEST(Palette, DiagKeysAndCopies) {
    TilePalette f1(PaletteId::Form1, false);
    TilePalette f1b(PaletteId::Form1b, false);
    TilePalette f1dev(PaletteId::Form1, true);
    EXPECT_EQ(f1.diagCount(), 18);
    EXPECT_EQ(f1b.diagCount(), 72);
    EXPECT_EQ(f1dev.diagCount(), 72);
    EXPECT_EQ(f1b.diag(18).key, "V16");
    EXPECT_EQ(f1b.diag(18).name, "v*");
    EXPECT_EQ(f1b.diag(32).key, "VO");
    EXPECT_EQ(f1b.diag(32).name, "v-");
    EXPECT_EQ(f1b.diag(54).key, "G16");
    EXPECT_EQ(f1b.diag(54).name, "g*");
    EXPECT_EQ(f1b.diag(71).key, "G37");
    EXPECT_EQ(f1b.diag(71).name, "g*");
    EXPECT_EQ(f1.diagByKey("N48"), 10);
    EXPECT_EQ(f1.diagByKey("V48"), -1);
    // Every key tile can be drawn from its key.
    for (int i = 0; i < f1b.diagCount(); ++i)
        EXPECT_TRUE(diagShapeOf(f1b.diag(i).key).valid) << f1b.diag(i).key;
}

TEST(Palette, EditorAlphabet) {
    EXPECT_EQ(NumLet(0), "0");
    EXPECT_EQ(NumLet(30), "Z");
    EXPECT_EQ(letNum("J"), 0);
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(letNum(NumLet(i)), i);
}

TEST(RenderGrid, InizializzaGrSizesAndTransforms) {
    GridControl g;
    InizializzaGr(g, 600, 1500, 320, 'D');
    EXPECT_EQ(g.rows(), 601);
    EXPECT_EQ(g.cols(), 1501);
    EXPECT_EQ(g.colWidth(1), 52);  // drawn knots ignore the zoom
    EXPECT_EQ(g.rowHeight(0), 0);
    InizializzaGr(g, 600, 600, 320, 'A');
    EXPECT_EQ(g.colWidth(600), 320);
    EXPECT_EQ(g.colWidth(0), 0);

    LimitiNodo lim{40, 90, 17, 80};
    int r2 = 0, c2 = 0, r3 = 0, c3 = 0;
    Trasforma(lim, 40, 17, r2, c2);
    EXPECT_EQ(r2, 3);
    EXPECT_EQ(c2, 2);
    Trasforma(lim, 55, 61, r2, c2);
    TrasformaInv(lim, r2, c2, r3, c3);
    EXPECT_EQ(r3, 55);
    EXPECT_EQ(c3, 61);
}

TEST(RenderGrid, TileNamesAndSides) {
    TileNameTable t;
    t.set(1510, 1510, "v|b");
    t.set(3, 2, "n*");
    t.set(1511, 0, "lost");
    EXPECT_EQ(t.get(1510, 1510), "v|b");
    EXPECT_EQ(t.get(3, 2), "n*");
    EXPECT_EQ(t.get(4, 2), "");
    t.reset();
    EXPECT_EQ(t.get(3, 2), "");

    Diagram d;
    d.incroci[1].ArcoLato = {0, 5, 7, 7, 6};  // a curl: arc 7 at sides 2 and 3
    EXPECT_EQ(ArcoInnodo(d, 1, 7), 3);
    EXPECT_EQ(ArcoInnodo(d, 1, 5), 1);
    EXPECT_EQ(ArcoInnodo(d, 1, 9), -1);
    EXPECT_EQ(ArcoInnodo(d, 0, 7), -1);
    EXPECT_EQ(ArcoInnodo(d, 1, 0), -1);
}

}  // namespace
}  // namespace trevalon
