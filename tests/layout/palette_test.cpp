#include "layout/palette.h"

#include <gtest/gtest.h>

#include "layout/render_grid.h"

namespace trevalon {
namespace {

TEST(Palette, EveryKeyTileIsFoundByItsKeyAndDrawnFromIt) {
    for (const auto& [palette, copies] :
         std::vector<std::pair<TilePalette, int>>{{TilePalette(PaletteId::Form1, false), 18},
                                                  {TilePalette(PaletteId::Form1b, false), 72},
                                                  {TilePalette(PaletteId::Form1, true), 72}}) {
        ASSERT_EQ(palette.diagCount(), copies);
        for (int i = 0; i < palette.diagCount(); ++i) {
            EXPECT_EQ(palette.diagByKey(palette.diag(i).key), i) << palette.diag(i).key;
            EXPECT_TRUE(diagShapeOf(palette.diag(i).key).valid) << palette.diag(i).key;
        }
    }
    EXPECT_EQ(TilePalette(PaletteId::Form1, false).diagByKey("V48"), -1);
}

TEST(Palette, EditorAlphabetReadsBack) {
    for (int i = 0; i <= 30; ++i) EXPECT_EQ(letNum(NumLet(i)), i);
    EXPECT_EQ(letNum("J"), 0);
}

TEST(RenderGrid, TileNamesOutsideTheTableAreIgnored) {
    auto t = std::make_unique<TileNameTable>();
    t->set(1510, 1510, "v|b");
    t->set(1511, 0, "lost");
    t->set(0, -1, "lost");
    EXPECT_EQ(t->get(1510, 1510), "v|b");
    EXPECT_EQ(t->get(1511, 0), "");
    EXPECT_EQ(t->get(4, 2), "");
    t->reset();
    EXPECT_EQ(t->get(1510, 1510), "");
}

}  // namespace
}  // namespace trevalon
