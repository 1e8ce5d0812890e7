#include "platform/grid_control.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(GridControl, ResizeKeepsCellsInsideAndDropsOthers) {
    GridControl g;
    g.setRows(10);
    g.setCols(10);
    g.setText(2, 3, "a");
    g.setText(8, 8, "far");
    g.setPicture(2, 3, {PaletteId::Form1, PictureSet::Img, 4});
    g.setBackColor(2, 3, 255);
    g.setRowHeight(2, 320);

    g.setRows(5);
    g.setCols(6);
    EXPECT_EQ(g.text(2, 3), "a");
    EXPECT_EQ(g.picture(2, 3).index, 4);
    EXPECT_EQ(g.style(2, 3).backColor, 255u);
    EXPECT_EQ(g.rowHeight(2), 320);

    // Growing again does not bring back what was dropped.
    g.setRows(10);
    g.setCols(10);
    EXPECT_EQ(g.text(8, 8), "");
    EXPECT_TRUE(g.picture(8, 8).empty());

    // Rows := 1 then back drops everything but row 0.
    g.setRows(1);
    g.setRows(10);
    EXPECT_EQ(g.text(2, 3), "");
}

TEST(GridControl, ClearDropsContentsButKeepsSizes) {
    GridControl g;
    g.setRows(601);
    g.setCols(1501);
    g.setAllColWidths(85);
    g.setText(600, 1500, "x");
    g.setPicture(600, 1500, {PaletteId::Form1b, PictureSet::ImgDiag, 3});
    g.setBold(1, 1, true);
    g.clear();
    EXPECT_EQ(g.rows(), 601);
    EXPECT_EQ(g.cols(), 1501);
    EXPECT_EQ(g.colWidth(1500), 85);
    EXPECT_EQ(g.text(600, 1500), "");
    EXPECT_TRUE(g.picture(600, 1500).empty());
    EXPECT_FALSE(g.style(1, 1).bold);
}

TEST(GridControl, OutsideAccessIsHarmless) {
    GridControl g;
    g.setRows(3);
    g.setCols(3);
    g.setText(5, 5, "lost");
    g.setPicture(-1, 0, {PaletteId::Form1, PictureSet::Img, 1});
    EXPECT_EQ(g.text(5, 5), "");
    EXPECT_TRUE(g.picture(-1, 0).empty());
    EXPECT_EQ(g.rowHeight(7), 0);
}

TEST(GridControl, StylesAreIndependentPerCell) {
    GridControl g;
    g.setRows(3);
    g.setCols(3);
    g.setBackColor(1, 1, 65535);
    g.setForeColor(1, 1, 255);
    g.setBackColor(1, 2, 255);
    EXPECT_EQ(g.style(1, 1).backColor, 65535u);
    EXPECT_EQ(g.style(1, 1).foreColor, 255u);
    EXPECT_EQ(g.style(1, 2).backColor, 255u);
    EXPECT_EQ(g.style(1, 2).foreColor, 0u);
    EXPECT_EQ(g.style(2, 2).backColor, 16777215u);
}

// What the person must see is scrolled into a view of 10 by 5 cells of 100 twips.
TEST(GridControl, AnAreaIsScrolledIntoViewOnlyWhenItIsOutOfIt) {
    GridControl g;
    g.setRows(200);
    g.setCols(300);
    g.setAllRowHeights(100);
    g.setAllColWidths(100);
    g.setTopRow(1);
    g.setLeftCol(1);
    mostraArea(g, GridArea{2, 3, 4, 8}, 1000, 500);  // already in view: left as it is
    EXPECT_EQ((std::pair{g.topRow(), g.leftCol()}), (std::pair{1, 1}));
    mostraArea(g, GridArea{100, 200, 102, 205}, 1000, 500);  // fits: centred
    EXPECT_EQ((std::pair{g.topRow(), g.leftCol()}), (std::pair{99, 198}));
    mostraArea(g, GridArea{50, 20, 90, 60}, 1000, 500);  // larger than the view: from a cell before it
    EXPECT_EQ((std::pair{g.topRow(), g.leftCol()}), (std::pair{49, 19}));
    mostraArea(g, GridArea{1, 1, 1, 1}, 0, 0);  // a view of unknown size shows the area's corner
    EXPECT_EQ((std::pair{g.topRow(), g.leftCol()}), (std::pair{1, 1}));
    mostraArea(g, GridArea{150, 290, 170, 299}, 1000, 500);  // near the end: the view does not pass it
    EXPECT_LE(g.leftCol(), 290);
    EXPECT_LE(g.topRow(), 150);
    const auto prima = std::pair{g.topRow(), g.leftCol()};
    mostraArea(g, GridArea{}, 1000, 500);  // nothing to show
    EXPECT_EQ((std::pair{g.topRow(), g.leftCol()}), prima);
}

}  // namespace
}  // namespace trevalon
