#include "layout/qt/tile_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <set>
#include <utility>

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

// Pixels of tiles at 320 twips (21 pixels, m the middle): strands, the gaps of under strands (thick palette
// only), coloured strands of crossings, markers, corners and the diagonals of key tiles.
TEST_F(TilePainterTest, EachTileHasItsInkWhereItsDescriptionSays) {
    constexpr int s = 21, m = s / 2;
    const QColor k = Qt::black, w = Qt::white, green = tileColor(TileColour::Green),
                 red = tileColor(TileColour::Red), orange = tileColor(TileColour::Orange),
                 grey = tileColor(TileColour::Grey);
    constexpr auto F1 = PaletteId::Form1, F1b = PaletteId::Form1b;
    constexpr auto Img = PictureSet::Img, Diag = PictureSet::ImgDiag;
    struct Pixel {
        PaletteId palette;
        PictureSet set;
        int index, x, y;
        QColor colour;
    };
    for (const auto& [palette, set, index, x, y, colour] : std::vector<Pixel>{
             {F1, Img, 3, m, m, k},      // the over strand of a crossing
             {F1, Img, 3, m, 1, k},      // its under strand near the edge
             {F1, Img, 3, m, m - 4, w},  // the under strand's gap above the over strand
             {F1, Img, 3, m, m + 5, w},  // and below
             {F1b, Img, 3, m, 1, w},     // the thin palette shows only the over strand
             {F1b, Img, 3, 1, m, k},
             {F1, Img, 4, m, 1, k},  // tile 4: vertical over strand
             {F1, Img, 4, 1, m, k},
             {F1, Img, 4, m - 4, m, w},
             {F1, Img, 61, 1, m, green},  // horizontal over strand green
             {F1, Img, 61, m, 1, k},
             {F1, Img, 62, 1, m, k},  // under strand green
             {F1, Img, 62, m, 1, green},
             {F1b, Img, 112, m, 1, green},  // a coloured under strand stays visible in the thin palette
             {F1, Img, 74, m, 1, k},        // as 64: vertical over strand black, the under strand red
             {F1, Img, 74, 1, m, red},
             {F1, Img, 84, m, m, orange},  // the marker square
             {F1, Img, 105, m - 1, 1, grey},
             {F1, Img, 7, s - 1, m, k},  // tile 7 joins the middles of the right and bottom sides
             {F1, Img, 7, m, s - 1, k},
             {F1, Img, 7, 0, m, w},
             {F1, Img, 7, m, 0, w},
             {F1, Img, 9, m, 0, k},  // tile 9: top to right and left to bottom, the centre clear
             {F1, Img, 9, 0, m, k},
             {F1, Img, 9, m, m, w},
             {F1b, Diag, 16, 1, 1, k},  // "N19" reaches the corners, top-left to bottom-right
             {F1b, Diag, 16, s - 2, s - 2, k},
             {F1b, Diag, 16, s - 2, 1, w},
             {F1b, Diag, 70, m, m, grey},  // its grey copy "G19"
         })
        EXPECT_TRUE(near(tile(palette, set, index, s).pixelColor(x, y), colour))
            << "tile " << index << " of set " << static_cast<int>(set) << " at " << x << "," << y;
}

TEST_F(TilePainterTest, AGridViewGivenThePainterShowsTheTiles) {
    GridControl grid;
    grid.setRows(2);
    grid.setCols(2);
    grid.setAllRowHeights(300);  // 20 pixels
    grid.setAllColWidths(300);
    grid.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 2});
    GridView view(tilePicturePainter());
    view.resize(100, 100);
    view.setGrid(&grid);
    const QImage img = view.viewport()->grab().toImage();
    EXPECT_TRUE(near(img.pixelColor(30, 30), Qt::black));  // horizontal strand through the centre
    EXPECT_TRUE(near(img.pixelColor(30, 22), Qt::white));  // above it
}

// A straight run of strand tiles shown by a grid view. Cells of one size alternate between two widths in
// pixels (85 twips are 5 or 6 pixels, 200 are 13 or 14), yet every pixel column of a horizontal run (row of
// a vertical one) has the same dark pixels: one thickness at one height, no beads.
TEST_F(TilePainterTest, AStraightRunKeepsOneThicknessAcrossItsCellsAtEveryZoom) {
    constexpr int kRun = 12;
    struct Strand {
        PaletteId palette;
        PictureSet set;
    };
    for (int twips : kZoomTwips)
        for (const auto& [palette, set] :
             {Strand{PaletteId::Form1, PictureSet::Img}, Strand{PaletteId::Form1b, PictureSet::Img},
              Strand{PaletteId::Form1, PictureSet::Imgd}})
            for (bool across : {true, false}) {
                SCOPED_TRACE(::testing::Message()
                             << twips << " twips, palette " << static_cast<int>(palette) << " set "
                             << static_cast<int>(set) << (across ? " across" : " down"));
                GridControl grid;
                grid.setRows(across ? 3 : kRun + 2);
                grid.setCols(across ? kRun + 2 : 3);
                grid.setAllRowHeights(twips);
                grid.setAllColWidths(twips);
                for (int k = 1; k <= kRun; ++k)
                    grid.setPicture(across ? 1 : k, across ? k : 1,
                                    PictureRef{palette, set, static_cast<std::int16_t>(across ? 2 : 1)});
                GridView view(tilePicturePainter());
                view.resize(400, 400);
                view.setGrid(&grid);
                const QImage img = view.viewport()->grab().toImage();
                const QRect run =
                    view.cellRect(1, 1).united(view.cellRect(across ? 1 : kRun, across ? kRun : 1));
                ASSERT_LT(run.right(), img.width());
                ASSERT_LT(run.bottom(), img.height());
                // Per pixel along the run: how many dark pixels across it, and where the first one is.
                std::set<std::pair<int, int>> profiles;
                for (int along = across ? run.left() : run.top();
                     along <= (across ? run.right() : run.bottom()); ++along) {
                    int dark = 0, first = -1;
                    for (int at = across ? run.top() : run.left();
                         at <= (across ? run.bottom() : run.right()); ++at) {
                        if (qGray(across ? img.pixel(along, at) : img.pixel(at, along)) >= 128) continue;
                        if (dark++ == 0) first = at;
                    }
                    profiles.insert({dark, first});
                }
                ASSERT_EQ(profiles.size(), 1u);
                EXPECT_GT(profiles.begin()->first, 0);
            }
}

}  // namespace
}  // namespace trevalon
