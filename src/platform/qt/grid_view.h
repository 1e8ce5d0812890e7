#pragma once
// A widget that shows a GridControl: only the exposed cells are painted, sizes come from the model in
// twips (15 twips to a pixel), texts with their alignment, colours, size and weight, pictures drawn by
// the picture painter the view is given. Scrolling moves by whole rows and columns, as `TopRow` and
// `LeftCol` do.

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <vector>

#include "platform/grid_control.h"
#include "platform/qt/picture_painter.h"

namespace trevalon {

inline constexpr int kTwipsPerPixel = 15;

// A BGR number of the grid model (255 red, 65280 green, 16711680 blue) as a colour.
QColor colorFromBgr(std::uint32_t bgr);

class GridView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Pictures are painted by `pictures`; an empty painter leaves them out.
    explicit GridView(PicturePainter pictures, QWidget* parent = nullptr);
    // A view of texts and colours only: it paints no pictures.
    explicit GridView(QWidget* parent = nullptr);

    void setPicturePainter(PicturePainter pictures);

    // The model shown; the view does not own it. nullptr shows nothing.
    void setGrid(GridControl* grid);
    GridControl* grid() const { return grid_; }

    void setGridLines(bool on);
    bool gridLines() const { return gridLines_; }

    // The first `rows` rows stay at the top while the others scroll under them (a header row).
    void setFixedRows(int rows);

    // Reads the model again at once (the view also looks for changes a few times a second).
    void refresh();

    // The cell under a point of the viewport; false outside every cell.
    bool cellAt(const QPoint& pos, int& row, int& col) const;
    // A cell's rectangle in viewport coordinates (empty when the model has no such cell).
    QRect cellRect(int row, int col) const;

  signals:
    void cellClicked(int row, int col);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void syncWithModel(bool force);
    void updateScrollBars();
    // The top of a row in viewport coordinates: fixed rows from the top, the others from the first row
    // scrolled into view, under the fixed ones.
    int rowTop(int row) const;
    int fixedHeight() const;
    // The side of a cell's tile in pixels: its shorter side in twips, rounded; the same for every cell of
    // one size, whichever of its two widths in pixels the cell has.
    int tileSide(int row, int col) const;
    // The pictures of the cells that meet `area` (pixels from the grid's origin), painted on white.
    QImage tilesIn(const QRect& area) const;
    // Places the labels of pictured cells (the crossing numbers) for the whole grid, each beside its
    // crossing where it meets no other label and hides the least of the strands around.
    void layoutLabels();
    static int pixels(long long twips) {
        return static_cast<int>((twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
    }

    // A label placed beside its crossing, in pixels from the grid's origin.
    struct PlacedLabel {
        QRect box;
        int row;
        QString text;
        QFont font;
        QColor colour;
    };

    GridControl* grid_ = nullptr;
    PicturePainter pictures_;
    QTimer poll_;
    bool gridLines_ = false;
    std::uint64_t seenRevision_ = ~std::uint64_t{0};
    bool pendingRepaint_ = false;
    bool syncing_ = false;
    // Pixel offset of the start of each row and column from the grid's origin; one more entry than
    // rows or columns, the last being the total size.
    std::vector<int> rowPos_, colPos_;
    int topRow_ = 0, leftCol_ = 0;
    int fixedRows_ = 0;
    std::vector<PlacedLabel> labels_;
    std::uint64_t labelsRevision_ = ~std::uint64_t{0};  // the model revision the labels were placed for
};

}  // namespace trevalon
