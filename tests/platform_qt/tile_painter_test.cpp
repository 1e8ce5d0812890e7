#include "platform/qt/tile_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

constexpr int kZoomTwips[] = {52, 75, 85, 120, 200, 320};

QImage blank(int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage tile(PaletteId palette, PictureSet set, int index, int size) {
    QImage img = blank(size);
    QPainter p(&img);
    TilePainter painter;
    painter.paint(p, QRect(0, 0, size, size), PictureRef{palette, set, static_cast<std::int16_t>(index)});
    return img;
}

int inkPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white)) ++n;
    return n;
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

class TilePainterTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
};

TEST_F(TilePainterTest, EveryTileOfBothPalettesHasInkAtEveryZoom) {
    for (PaletteId palette : {PaletteId::Form1, PaletteId::Form1b}) {
        for (int twips : kZoomTwips) {
            const int px = std::max(3, twips / kTwipsPerPixel);
            for (int i = 1; i < kImgCount; ++i) {
                if (!TileImg(i).exists) continue;
                EXPECT_GT(inkPixels(tile(palette, PictureSet::Img, i, px)), 0) << "Img " << i << " at " << px;
            }
            for (int i = 0; i < 120; ++i) {
                if (!ImgdExists(i)) continue;
                EXPECT_GT(inkPixels(tile(palette, PictureSet::Imgd, i, px)), 0) << "Imgd " << i;
            }
            // The key tiles of drawn diagrams are drawn from their keys, never left blank.
            for (int e = 0; e < 72; ++e)
                EXPECT_GT(inkPixels(tile(palette, PictureSet::ImgDiag, e, px)), 0) << "imgDiag " << e;
        }
    }
}

TEST_F(TilePainterTest, CrossingsBreakTheUnderStrandOnlyInTheThickPalette) {
    const int s = 21;  // 320 twips
    const QImage thick = tile(PaletteId::Form1, PictureSet::Img, 3, s);
    EXPECT_TRUE(near(thick.pixelColor(s / 2, s / 2), Qt::black));      // the over strand
    EXPECT_TRUE(near(thick.pixelColor(s / 2, 1), Qt::black));          // the under strand near the edge
    EXPECT_TRUE(near(thick.pixelColor(s / 2, s / 2 - 4), Qt::white));  // its gap above the over strand
    EXPECT_TRUE(near(thick.pixelColor(s / 2, s / 2 + 5), Qt::white));  // and below
    const QImage thin = tile(PaletteId::Form1b, PictureSet::Img, 3, s);
    EXPECT_TRUE(near(thin.pixelColor(s / 2, 1), Qt::white));
    EXPECT_TRUE(near(thin.pixelColor(1, s / 2), Qt::black));
    // Vertical over strand of tile 4.
    const QImage four = tile(PaletteId::Form1, PictureSet::Img, 4, s);
    EXPECT_TRUE(near(four.pixelColor(s / 2, 1), Qt::black));
    EXPECT_TRUE(near(four.pixelColor(1, s / 2), Qt::black));
    EXPECT_TRUE(near(four.pixelColor(s / 2 - 4, s / 2), Qt::white));
}

TEST_F(TilePainterTest, PartlyColouredCrossingsAndMarkers) {
    const int s = 21;
    const QColor green = tileColor(TileColour::Green), red = tileColor(TileColour::Red);
    const QImage overGreen = tile(PaletteId::Form1, PictureSet::Img, 61, s);  // horizontal over green
    EXPECT_TRUE(near(overGreen.pixelColor(1, s / 2), green));
    EXPECT_TRUE(near(overGreen.pixelColor(s / 2, 1), Qt::black));
    const QImage underGreen = tile(PaletteId::Form1, PictureSet::Img, 62, s);
    EXPECT_TRUE(near(underGreen.pixelColor(1, s / 2), Qt::black));
    EXPECT_TRUE(near(underGreen.pixelColor(s / 2, 1), green));
    // In the thin palette a coloured under strand stays visible.
    EXPECT_TRUE(near(tile(PaletteId::Form1b, PictureSet::Img, 112, s).pixelColor(s / 2, 1), green));
    const QImage redUnder = tile(PaletteId::Form1, PictureSet::Img, 74, s);  // as 64: vertical over black
    EXPECT_TRUE(near(redUnder.pixelColor(s / 2, 1), Qt::black));
    EXPECT_TRUE(near(redUnder.pixelColor(1, s / 2), red));
    const QImage marked = tile(PaletteId::Form1, PictureSet::Img, 84, s);
    EXPECT_TRUE(near(marked.pixelColor(s / 2, s / 2), tileColor(TileColour::Orange)));
    EXPECT_TRUE(near(tile(PaletteId::Form1, PictureSet::Img, 105, s).pixelColor(s / 2 - 1, 1),
                     tileColor(TileColour::Grey)));
}

TEST_F(TilePainterTest, CornersJoinTheMiddlesOfTheirSides) {
    const int s = 21;
    // Tile 7 joins right and bottom: ink at the middle of those sides, none at the others.
    const QImage rb = tile(PaletteId::Form1, PictureSet::Img, 7, s);
    EXPECT_TRUE(near(rb.pixelColor(s - 1, s / 2), Qt::black));
    EXPECT_TRUE(near(rb.pixelColor(s / 2, s - 1), Qt::black));
    EXPECT_TRUE(near(rb.pixelColor(0, s / 2), Qt::white));
    EXPECT_TRUE(near(rb.pixelColor(s / 2, 0), Qt::white));
    // Tile 9: top to right and left to bottom; the centre stays clear.
    const QImage dbl = tile(PaletteId::Form1, PictureSet::Img, 9, s);
    EXPECT_TRUE(near(dbl.pixelColor(s / 2, 0), Qt::black));
    EXPECT_TRUE(near(dbl.pixelColor(0, s / 2), Qt::black));
    EXPECT_TRUE(near(dbl.pixelColor(s / 2, s / 2), Qt::white));
    // A key tile with a diagonal neighbour reaches the cell's corner: "N19" from top-left to bottom-right.
    const QImage diag = tile(PaletteId::Form1b, PictureSet::ImgDiag, 16, s);
    EXPECT_TRUE(near(diag.pixelColor(1, 1), Qt::black));
    EXPECT_TRUE(near(diag.pixelColor(s - 2, s - 2), Qt::black));
    EXPECT_TRUE(near(diag.pixelColor(s - 2, 1), Qt::white));
    // Its grey copy "G19" (element 70).
    EXPECT_TRUE(near(tile(PaletteId::Form1b, PictureSet::ImgDiag, 70, s).pixelColor(s / 2, s / 2),
                     tileColor(TileColour::Grey)));
}

TEST_F(TilePainterTest, BgrNumbersBecomeColours) {
    EXPECT_EQ(colorFromBgr(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromBgr(65535), QColor(255, 255, 0));
    EXPECT_EQ(colorFromBgr(0xFF0000), QColor(0, 0, 255));
}

// Writes every tile at two sizes to a PNG named by TREVALON_TILE_SHEET, for looking at by eye.
TEST_F(TilePainterTest, TileSheetOnRequest) {
    const char* out = std::getenv("TREVALON_TILE_SHEET");
    if (!out) GTEST_SKIP() << "set TREVALON_TILE_SHEET to write the sheet";
    const int big = 42, cols = 20;
    QImage sheet(cols * (big + 4), 18 * (big + 4), QImage::Format_RGB32);
    sheet.fill(QColor(230, 230, 230));
    QPainter p(&sheet);
    TilePainter painter;
    int slot = 0;
    auto put = [&](PaletteId pal, PictureSet set, int i, int size) {
        const QRect r((slot % cols) * (big + 4) + 2, (slot / cols) * (big + 4) + 2, size, size);
        p.fillRect(r, Qt::white);
        painter.paint(p, r, PictureRef{pal, set, static_cast<std::int16_t>(i)});
        ++slot;
    };
    for (PaletteId pal : {PaletteId::Form1, PaletteId::Form1b}) {
        for (int size : {big, 21}) {
            for (int i = 0; i < kImgCount; ++i)
                if (TileImg(i).exists) put(pal, PictureSet::Img, i, size);
            slot = (slot + cols - 1) / cols * cols;
        }
    }
    for (int i = 0; i < 120; ++i)
        if (ImgdExists(i)) put(PaletteId::Form1, PictureSet::Imgd, i, big);
    slot = (slot + cols - 1) / cols * cols;
    for (int e = 0; e < 72; ++e) put(PaletteId::Form1b, PictureSet::ImgDiag, e, big);
    p.end();
    EXPECT_TRUE(sheet.save(out));
}

class GridViewTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
};

TEST_F(GridViewTest, PaintsTilesColoursAndScrolls) {
    GridControl grid;
    grid.setRows(4);
    grid.setCols(4);
    grid.setAllRowHeights(300);  // 20 pixels
    grid.setAllColWidths(300);
    grid.setBackColor(0, 0, 255);  // red, as BGR
    grid.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 2});
    GridView view;
    view.resize(200, 200);
    view.setGrid(&grid);
    view.show();
    QImage img = view.viewport()->grab().toImage();
    EXPECT_TRUE(near(img.pixelColor(10, 10), QColor(255, 0, 0)));
    EXPECT_TRUE(near(img.pixelColor(30, 30), Qt::black));    // horizontal strand through the centre
    EXPECT_TRUE(near(img.pixelColor(30, 22), Qt::white));    // above it
    EXPECT_TRUE(near(img.pixelColor(100, 100), Qt::white));  // beyond the grid

    int row = -1, col = -1;
    ASSERT_TRUE(view.cellAt(QPoint(45, 25), row, col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 2);
    EXPECT_FALSE(view.cellAt(QPoint(150, 10), row, col));

    // A click makes the cell current and tells which one it was.
    int clickedRow = -1, clickedCol = -1;
    QObject::connect(&view, &GridView::cellClicked, [&](int r, int c) {
        clickedRow = r;
        clickedCol = c;
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(65, 45), QPointF(65, 45), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &press);
    EXPECT_EQ(clickedRow, 2);
    EXPECT_EQ(clickedCol, 3);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 3);

    // TopRow and LeftCol set by the engine scroll a view too small for the whole grid.
    view.resize(60, 60);
    grid.setTopRow(1);
    grid.setLeftCol(1);
    view.refresh();
    img = view.viewport()->grab().toImage();
    EXPECT_TRUE(near(img.pixelColor(10, 10), Qt::black));
    // Row and column 0 of size 0 take no room.
    grid.setTopRow(0);
    grid.setLeftCol(0);
    grid.setRowHeight(0, 0);
    grid.setColWidth(0, 0);
    view.refresh();
    img = view.viewport()->grab().toImage();
    EXPECT_TRUE(near(img.pixelColor(10, 10), Qt::black));
}

TEST_F(GridViewTest, PaintsTextsInTheirColour) {
    GridControl grid;
    grid.setRows(2);
    grid.setCols(2);
    grid.setAllRowHeights(600);
    grid.setAllColWidths(600);
    grid.setText(0, 0, "XX");
    grid.setForeColor(0, 0, 255);
    grid.setFontSize(0, 0, 14);
    grid.setBold(0, 0, true);
    grid.setAlignment(0, 0, CellAlign::CenterCenter);
    GridView view;
    view.resize(120, 120);
    view.setGrid(&grid);
    const QImage img = view.viewport()->grab().toImage();
    int redInk = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (near(img.pixelColor(x, y), QColor(255, 0, 0))) ++redInk;
    EXPECT_GT(redInk, 10);
}

}  // namespace
}  // namespace trevalon
