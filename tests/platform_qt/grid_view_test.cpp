#include "platform/qt/grid_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <cmath>
#include <cstdlib>

#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

// Pictures painted as a black bar across the middle of the cell, the picture's index its height.
void barPainter(QPainter& p, const QRect& cell, PictureRef ref, int) {
    p.fillRect(cell.left(), cell.center().y() - ref.index / 2, cell.width(), ref.index, Qt::black);
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
    grid.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 4});
    GridView view(barPainter);
    view.resize(200, 200);
    view.setGrid(&grid);
    view.show();
    QImage img = view.viewport()->grab().toImage();
    EXPECT_TRUE(near(img.pixelColor(10, 10), QColor(255, 0, 0)));
    EXPECT_TRUE(near(img.pixelColor(30, 30), Qt::black));    // the picture's bar through the centre
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
    GridView view(PicturePainter{});
    view.resize(120, 120);
    view.setGrid(&grid);
    const QImage img = view.viewport()->grab().toImage();
    int redInk = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (near(img.pixelColor(x, y), QColor(255, 0, 0))) ++redInk;
    EXPECT_GT(redInk, 10);
}

TEST_F(GridViewTest, PicturesGoThroughTheGivenPainter) {
    GridControl grid;
    grid.setRows(2);
    grid.setCols(2);
    grid.setAllRowHeights(300);
    grid.setAllColWidths(300);
    grid.setPicture(0, 0, PictureRef{PaletteId::Form1, PictureSet::Img, 4});
    GridView view(PicturePainter{});
    view.resize(100, 100);
    view.setGrid(&grid);
    EXPECT_TRUE(near(view.viewport()->grab().toImage().pixelColor(10, 10), Qt::white));  // no painter
    int calls = 0;
    view.setPicturePainter([&](QPainter& p, const QRect& cell, PictureRef ref, int side) {
        ++calls;
        barPainter(p, cell, ref, side);
    });
    EXPECT_TRUE(near(view.viewport()->grab().toImage().pixelColor(10, 10), Qt::black));
    EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace trevalon

namespace trevalon {
namespace {

// A crossing as the tiles draw it: a bar across and a bar down the middle of the cell.
void crossPainter(QPainter& p, const QRect& cell, PictureRef, int) {
    const int band = std::max(1, std::min(cell.width(), cell.height()) * 3 / 22);
    p.fillRect(cell.left(), cell.center().y() - band / 2, cell.width(), band, Qt::black);
    p.fillRect(cell.center().x() - band / 2, cell.top(), band, cell.height(), Qt::black);
}

TEST(GridViewLabels, CrossingNumbersAreReadableAtEveryZoomAndNeverCoverTheStrands) {
    testing::testApp();
    for (int twips : {52, 75, 85, 120, 200, 320}) {
        SCOPED_TRACE(twips);
        GridControl grid;
        grid.setRows(8);
        grid.setCols(8);
        grid.setAllRowHeights(twips);
        grid.setAllColWidths(twips);
        grid.setPicture(3, 3, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
        grid.setText(3, 3, "100");
        grid.setForeColor(3, 3, 255);  // red
        grid.setAlignment(3, 3, CellAlign::RightBottom);
        GridView view(crossPainter);
        view.resize(300, 300);
        view.setGrid(&grid);
        view.show();
        const QImage img = view.viewport()->grab().toImage();
        const QRect cell = view.cellRect(3, 3);
        int red = 0, redOnStrands = 0;
        const int band = std::max(1, std::min(cell.width(), cell.height()) * 3 / 22);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() < 150 || c.green() > 100) continue;
                ++red;
                const bool onBar =
                    (std::abs(y - cell.center().y()) <= band && x >= cell.left() && x <= cell.right()) ||
                    (std::abs(x - cell.center().x()) <= band && y >= cell.top() && y <= cell.bottom());
                redOnStrands += onBar;
            }
        // A three-digit number in a font of at least 8 pixels has far more than 20 red pixels.
        EXPECT_GT(red, 20);
        EXPECT_EQ(redOnStrands, 0);
    }
}

// The box round the pixels of `image` close to `colour`; empty when there are none.
QRect inkOf(const QImage& image, const QColor& colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixelColor(x, y), colour)) box |= QRect(x, y, 1, 1);
    return box;
}

// Crossings two cells apart across, down and diagonally, as in the tight loops of a knot from a code. At
// every zoom each number is shown, clear of every other ("19" beside "18" never reads "1918") and nearer
// its own crossing than any other, so that it cannot be taken for another's.
TEST(GridViewLabels, NeighbouringCrossingNumbersNeverRunIntoEachOther) {
    testing::testApp();
    struct Label {
        int row, col;
        const char* text;
        std::uint32_t bgr;
    };
    const Label labels[] = {
        {6, 6, "19", 255}, {6, 8, "18", 16711680}, {8, 6, "20", 65280}, {8, 8, "100", 16711935}};
    for (int twips : {52, 75, 85, 120, 200, 320}) {
        SCOPED_TRACE(twips);
        GridControl grid;
        grid.setRows(14);
        grid.setCols(14);
        grid.setAllRowHeights(twips);
        grid.setAllColWidths(twips);
        for (const Label& l : labels) {
            grid.setPicture(l.row, l.col, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
            grid.setText(l.row, l.col, l.text);
            grid.setForeColor(l.row, l.col, l.bgr);
            grid.setBold(l.row, l.col, true);
        }
        GridView view(crossPainter);
        view.resize(300, 300);
        view.setGrid(&grid);
        view.show();
        const QImage img = view.viewport()->grab().toImage();
        std::vector<QRect> shown;
        for (const Label& l : labels) {
            const QRect ink = inkOf(img, colorFromBgr(l.bgr));
            if (ink.isEmpty()) continue;
            shown.push_back(ink);
            // Read as the number of the crossing it is nearest to.
            auto distance = [&](const Label& to) {
                const QPointF d = QRectF(ink).center() - QRectF(view.cellRect(to.row, to.col)).center();
                return std::hypot(d.x(), d.y());
            };
            for (const Label& other : labels) {
                if (&other == &l) continue;
                EXPECT_LT(distance(l), distance(other)) << l.text << " nearer " << other.text;
            }
        }
        for (std::size_t a = 0; a < shown.size(); ++a)
            for (std::size_t b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(shown[a].adjusted(-1, -1, 1, 1).intersects(shown[b])) << a << " meets " << b;
        EXPECT_EQ(shown.size(), 4u);
    }
}

// Beside its crossing, a number goes where it hides no strand of the tiles around.
TEST(GridViewLabels, ANumberGoesWhereItHidesNoStrand) {
    testing::testApp();
    GridControl grid;
    grid.setRows(8);
    grid.setCols(8);
    grid.setAllRowHeights(320);
    grid.setAllColWidths(320);
    grid.setPicture(3, 3, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
    grid.setText(3, 3, "12");
    grid.setForeColor(3, 3, 255);
    // Dark tiles below the crossing and right of it, down to the bottom right: the room above and right
    // is the only clear one.
    for (auto [r, c] : {std::pair{4, 2}, {4, 3}, {4, 4}, {3, 2}})
        grid.setPicture(r, c, PictureRef{PaletteId::Form1, PictureSet::Img, 1});
    GridView view([](QPainter& p, const QRect& cell, PictureRef ref, int side) {
        if (ref.index == 1)
            p.fillRect(cell, Qt::black);
        else
            crossPainter(p, cell, ref, side);
    });
    view.resize(300, 300);
    view.setGrid(&grid);
    view.show();
    const QImage img = view.viewport()->grab().toImage();
    const QRect cell = view.cellRect(3, 3);
    const QRect ink = inkOf(img, Qt::red);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.bottom(), cell.center().y());
    EXPECT_GT(ink.left(), cell.center().x());
}

TEST(GridViewHeader, AFixedRowStaysAtTheTopWhileTheOthersScroll) {
    testing::testApp();
    GridControl grid;
    grid.setRows(200);
    grid.setCols(2);
    grid.setAllRowHeights(300);  // 20 pixels
    grid.setAllColWidths(1500);
    grid.setText(0, 0, "Step");
    for (int r = 1; r < 200; ++r) grid.setText(r, 0, std::to_string(r));
    GridView view;
    view.resize(300, 200);
    view.setFixedRows(1);
    view.setGrid(&grid);
    view.show();
    grid.setTopRow(150);
    view.refresh();
    // The header row is where it was; the first scrolled row is right under it, and nothing in between.
    EXPECT_EQ(view.cellRect(0, 0).top(), 0);
    EXPECT_EQ(view.cellRect(150, 0).top(), view.cellRect(0, 0).bottom() + 1);
    EXPECT_TRUE(view.cellRect(149, 0).isEmpty());
    int row = -1, col = -1;
    ASSERT_TRUE(view.cellAt(QPoint(5, 5), row, col));
    EXPECT_EQ(row, 0);
    ASSERT_TRUE(view.cellAt(QPoint(5, 25), row, col));
    EXPECT_EQ(row, 150);
}

}  // namespace
}  // namespace trevalon
