#include "platform/qt/grid_view.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace trevalon {

namespace {

Qt::Alignment qtAlignment(CellAlign a, bool numeric) {
    switch (a) {
        case CellAlign::LeftTop:
            return Qt::AlignLeft | Qt::AlignTop;
        case CellAlign::LeftCenter:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case CellAlign::LeftBottom:
            return Qt::AlignLeft | Qt::AlignBottom;
        case CellAlign::CenterTop:
            return Qt::AlignHCenter | Qt::AlignTop;
        case CellAlign::CenterCenter:
            return Qt::AlignCenter;
        case CellAlign::CenterBottom:
            return Qt::AlignHCenter | Qt::AlignBottom;
        case CellAlign::RightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case CellAlign::RightCenter:
            return Qt::AlignRight | Qt::AlignVCenter;
        case CellAlign::RightBottom:
            return Qt::AlignRight | Qt::AlignBottom;
        case CellAlign::General:
            break;
    }
    // General: texts to the left, numbers to the right, both centred vertically.
    return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

bool looksNumeric(const std::string& text) {
    if (text.empty()) return false;
    bool digit = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!((c == '-' || c == '+') && i == 0) && c != '.' && c != ',')
            return false;
    }
    return digit;
}

// Index of the row or column holding pixel `pos` (offset from the grid's origin), or the count.
int indexAt(const std::vector<int>& positions, int pos) {
    if (positions.size() < 2) return 0;
    auto it = std::upper_bound(positions.begin(), positions.end() - 1, pos);
    return static_cast<int>(it - positions.begin()) - 1;
}

// Rectangles by the squares of the grid they meet, to find those near a given one.
class BoxIndex {
  public:
    void add(const QRect& box, std::size_t id) {
        forSquares(box, [&](long long key) { squares_[key].push_back({box, id}); });
    }
    // Calls `visit(rectangle, id)` for the rectangles in the squares that `area` meets, some more than once.
    template <class F>
    void visitNear(const QRect& area, F&& visit) const {
        forSquares(area, [&](long long key) {
            auto it = squares_.find(key);
            if (it == squares_.end()) return;
            for (const auto& [box, id] : it->second) visit(box, id);
        });
    }
    bool meets(const QRect& area) const {
        bool found = false;
        visitNear(area, [&](const QRect& box, std::size_t) { found = found || box.intersects(area); });
        return found;
    }

  private:
    static constexpr int kSquare = 32;
    template <class F>
    static void forSquares(const QRect& r, F&& visit) {
        for (int sy = std::max(0, r.top()) / kSquare; sy <= std::max(0, r.bottom()) / kSquare; ++sy)
            for (int sx = std::max(0, r.left()) / kSquare; sx <= std::max(0, r.right()) / kSquare; ++sx)
                visit((static_cast<long long>(sy) << 32) | static_cast<unsigned>(sx));
    }
    std::unordered_map<long long, std::vector<std::pair<QRect, std::size_t>>> squares_;
};

}  // namespace

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

GridView::GridView(QWidget* parent) : GridView(PicturePainter{}, parent) {}

GridView::GridView(PicturePainter pictures, QWidget* parent)
    : QAbstractScrollArea(parent), pictures_(std::move(pictures)) {
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    poll_.setInterval(40);
    connect(&poll_, &QTimer::timeout, this, [this] { syncWithModel(false); });
    poll_.start();
}

void GridView::setPicturePainter(PicturePainter pictures) {
    pictures_ = std::move(pictures);
    viewport()->update();
}

void GridView::setGrid(GridControl* grid) {
    grid_ = grid;
    labelsRevision_ = ~std::uint64_t{0};
    syncWithModel(true);
}

void GridView::setFixedRows(int rows) {
    fixedRows_ = std::max(0, rows);
    updateScrollBars();
    viewport()->update();
}

int GridView::fixedHeight() const {
    const int fixed = std::min(fixedRows_, static_cast<int>(rowPos_.size()) - 1);
    return fixed > 0 ? rowPos_[static_cast<std::size_t>(fixed)] : 0;
}

int GridView::rowTop(int row) const {
    if (row < fixedRows_) return rowPos_[static_cast<std::size_t>(row)];
    return rowPos_[static_cast<std::size_t>(row)] - rowPos_[static_cast<std::size_t>(topRow_)] +
           fixedHeight();
}

void GridView::setGridLines(bool on) {
    gridLines_ = on;
    viewport()->update();
}

void GridView::refresh() {
    syncWithModel(false);
}

void GridView::syncWithModel(bool force) {
    if (!grid_) {
        rowPos_.assign(1, 0);
        colPos_.assign(1, 0);
        updateScrollBars();
        viewport()->update();
        return;
    }
    if (!force && grid_->revision() == seenRevision_) {
        if (pendingRepaint_ && grid_->redraw()) {
            pendingRepaint_ = false;
            viewport()->update();
        }
        return;
    }
    seenRevision_ = grid_->revision();
    labelsRevision_ = ~std::uint64_t{0};  // placed for cells that may have moved
    rowPos_.resize(static_cast<std::size_t>(grid_->rows()) + 1);
    colPos_.resize(static_cast<std::size_t>(grid_->cols()) + 1);
    long long sum = 0;
    rowPos_[0] = 0;
    for (int r = 0; r < grid_->rows(); ++r) {
        sum += grid_->rowHeight(r);
        rowPos_[static_cast<std::size_t>(r) + 1] = pixels(sum);
    }
    sum = 0;
    colPos_[0] = 0;
    for (int c = 0; c < grid_->cols(); ++c) {
        sum += grid_->colWidth(c);
        colPos_[static_cast<std::size_t>(c) + 1] = pixels(sum);
    }
    updateScrollBars();
    if (grid_->redraw()) {
        pendingRepaint_ = false;
        viewport()->update();
    } else {
        pendingRepaint_ = true;
    }
}

void GridView::updateScrollBars() {
    syncing_ = true;
    const int rows = static_cast<int>(rowPos_.size()) - 1;
    const int cols = static_cast<int>(colPos_.size()) - 1;
    // The last scroll position still fills the view with cells where it can.
    auto lastStart = [](const std::vector<int>& pos, int count, int extent) {
        int i = count;
        while (i > 0 && pos.back() - pos[static_cast<std::size_t>(i) - 1] <= extent) --i;
        return std::min(i, std::max(count - 1, 0));
    };
    const int fixed = std::min(fixedRows_, std::max(rows - 1, 0));
    const int maxTop = std::max(fixed, lastStart(rowPos_, rows, viewport()->height() - fixedHeight()));
    const int maxLeft = lastStart(colPos_, cols, viewport()->width());
    verticalScrollBar()->setRange(fixed, maxTop);
    horizontalScrollBar()->setRange(0, maxLeft);
    verticalScrollBar()->setPageStep(
        std::max(1, rows > 0 ? viewport()->height() / std::max(1, rowPos_.back() / rows) : 1));
    horizontalScrollBar()->setPageStep(
        std::max(1, cols > 0 ? viewport()->width() / std::max(1, colPos_.back() / cols) : 1));
    if (grid_) {
        topRow_ = std::clamp(grid_->topRow(), fixed, maxTop);
        leftCol_ = std::clamp(grid_->leftCol(), 0, maxLeft);
    } else {
        topRow_ = fixed;
        leftCol_ = 0;
    }
    verticalScrollBar()->setValue(topRow_);
    horizontalScrollBar()->setValue(leftCol_);
    syncing_ = false;
}

void GridView::scrollContentsBy(int, int) {
    if (syncing_) return;
    topRow_ = verticalScrollBar()->value();
    leftCol_ = horizontalScrollBar()->value();
    if (grid_) {
        // Scrolling moves no cell of the grid: labels placed before stay where they are.
        const bool labelsPlaced = labelsRevision_ == grid_->revision();
        grid_->setTopRow(topRow_);
        grid_->setLeftCol(leftCol_);
        seenRevision_ = grid_->revision();
        if (labelsPlaced) labelsRevision_ = seenRevision_;
    }
    viewport()->update();
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

QRect GridView::cellRect(int row, int col) const {
    if (!grid_ || row < 0 || col < 0 || row + 1 >= static_cast<int>(rowPos_.size()) ||
        col + 1 >= static_cast<int>(colPos_.size()))
        return {};
    if (row >= fixedRows_ && row < topRow_) return {};  // scrolled out of view above
    const int x0 = colPos_[static_cast<std::size_t>(leftCol_)];
    const int x = colPos_[static_cast<std::size_t>(col)] - x0;
    return QRect(x, rowTop(row),
                 colPos_[static_cast<std::size_t>(col) + 1] - colPos_[static_cast<std::size_t>(col)],
                 rowPos_[static_cast<std::size_t>(row) + 1] - rowPos_[static_cast<std::size_t>(row)]);
}

bool GridView::cellAt(const QPoint& pos, int& row, int& col) const {
    if (!grid_ || rowPos_.size() < 2 || colPos_.size() < 2) return false;
    if (pos.x() < 0 || pos.y() < 0) return false;
    const int x = pos.x() + colPos_[static_cast<std::size_t>(leftCol_)];
    const int fixedH = fixedHeight();
    const int y = pos.y() < fixedH ? pos.y() : pos.y() - fixedH + rowPos_[static_cast<std::size_t>(topRow_)];
    if (x >= colPos_.back() || y >= rowPos_.back()) return false;
    row = indexAt(rowPos_, y);
    col = indexAt(colPos_, x);
    return row >= 0 && col >= 0 && row < grid_->rows() && col < grid_->cols();
}

void GridView::mousePressEvent(QMouseEvent* event) {
    int row = 0, col = 0;
    if (cellAt(event->position().toPoint(), row, col)) {
        grid_->setRow(row);
        grid_->setCol(col);
        emit cellClicked(row, col);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

int GridView::tileSide(int row, int col) const {
    return pixels(std::min(grid_->rowHeight(row), grid_->colWidth(col)));
}

void GridView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect exposed = event->rect();
    p.fillRect(exposed, Qt::white);
    if (!grid_ || rowPos_.size() < 2 || colPos_.size() < 2) return;

    const int x0 = colPos_[static_cast<std::size_t>(leftCol_)];
    const int fixedH = fixedHeight();
    const int y0 = rowPos_[static_cast<std::size_t>(topRow_)] - fixedH;
    // Only the rows and columns that meet the exposed rectangle: the fixed rows, then the scrolled ones.
    std::vector<int> rows;
    for (int r = 0; r < std::min(fixedRows_, grid_->rows()); ++r) rows.push_back(r);
    const int rFirst = std::max(indexAt(rowPos_, std::max(exposed.top(), fixedH) + y0), topRow_);
    const int rLast = std::min(indexAt(rowPos_, exposed.bottom() + y0), grid_->rows() - 1);
    for (int r = std::max(rFirst, fixedRows_); r <= rLast; ++r) rows.push_back(r);
    const int cFirst = std::max(indexAt(colPos_, exposed.left() + x0), leftCol_);
    const int cLast = std::min(indexAt(colPos_, exposed.right() + x0), grid_->cols() - 1);

    const CellStyle plain{};
    for (int r : rows) {
        const int y = rowTop(r);
        const int h = rowPos_[static_cast<std::size_t>(r) + 1] - rowPos_[static_cast<std::size_t>(r)];
        if (h <= 0) continue;
        for (int c = cFirst; c <= cLast; ++c) {
            const int x = colPos_[static_cast<std::size_t>(c)] - x0;
            const int w = colPos_[static_cast<std::size_t>(c) + 1] - colPos_[static_cast<std::size_t>(c)];
            if (w <= 0) continue;
            const QRect cell(x, y, w, h);
            const PictureRef picture = grid_->picture(r, c);
            const std::string& text = grid_->text(r, c);
            const CellStyle style = grid_->style(r, c);
            if (style.backColor != plain.backColor) p.fillRect(cell, colorFromBgr(style.backColor));
            if (!picture.empty() && pictures_) pictures_(p, cell, picture, tileSide(r, c));
            if (!text.empty() && picture.empty()) {
                QFont font = p.font();
                font.setPointSize(std::max<int>(1, style.fontSize));
                font.setBold(style.bold);
                p.setFont(font);
                p.setPen(colorFromBgr(style.foreColor));
                p.drawText(cell.adjusted(1, 0, -1, 0),
                           static_cast<int>(qtAlignment(style.alignment, looksNumeric(text))),
                           QString::fromStdString(text));
            }
            if (gridLines_) {
                p.setPen(QColor(192, 192, 192));
                p.drawLine(cell.topRight(), cell.bottomRight());
                p.drawLine(cell.bottomLeft(), cell.bottomRight());
            }
        }
    }

    // Labels of pictured cells (the crossing numbers) go over every tile, and may reach into the cells
    // around theirs.
    if (labelsRevision_ != grid_->revision()) layoutLabels();
    for (const PlacedLabel& l : labels_) {
        const int dy = rowTop(l.row) - rowPos_[static_cast<std::size_t>(l.row)];
        const QRect box = l.box.translated(-x0, dy);
        if (!box.intersects(exposed)) continue;
        p.fillRect(box, QColor(255, 255, 255, 200));
        p.setFont(l.font);
        p.setPen(l.colour);
        p.drawText(box, Qt::AlignCenter, l.text);
    }
}

QImage GridView::tilesIn(const QRect& area) const {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!pictures_) return image;
    QPainter p(&image);
    p.translate(-area.topLeft());
    // Only the cells the positions know of: the model may have grown since they were taken.
    const int rows = std::min(grid_->rows(), static_cast<int>(rowPos_.size()) - 1);
    const int cols = std::min(grid_->cols(), static_cast<int>(colPos_.size()) - 1);
    const int rLast = std::min(indexAt(rowPos_, area.bottom()), rows - 1);
    const int cLast = std::min(indexAt(colPos_, area.right()), cols - 1);
    for (int r = indexAt(rowPos_, area.top()); r <= rLast; ++r)
        for (int c = indexAt(colPos_, area.left()); c <= cLast; ++c) {
            const PictureRef picture = grid_->picture(r, c);
            if (picture.empty()) continue;
            const QRect cell(colPos_[static_cast<std::size_t>(c)], rowPos_[static_cast<std::size_t>(r)],
                             colPos_[static_cast<std::size_t>(c) + 1] - colPos_[static_cast<std::size_t>(c)],
                             rowPos_[static_cast<std::size_t>(r) + 1] - rowPos_[static_cast<std::size_t>(r)]);
            pictures_(p, cell, picture, tileSide(r, c));
        }
    return image;
}

void GridView::layoutLabels() {
    labels_.clear();
    labelsRevision_ = grid_->revision();
    const int rows = std::min(grid_->rows(), static_cast<int>(rowPos_.size()) - 1);
    const int cols = std::min(grid_->cols(), static_cast<int>(colPos_.size()) - 1);
    // Every label with the four places beside its crossing, clear of both strands and of the gap of the
    // strand passing under: below and right first, then above and right, below and left, above and left.
    // At any size a font that can be read, on a light ground.
    struct Pending {
        PlacedLabel label;
        QRect centre;  // the crossing's middle pixel
        std::array<QRect, 4> places;
    };
    std::vector<Pending> pending;
    BoxIndex crossings;  // the centre of every labelled cell
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (grid_->picture(r, c).empty()) continue;
            const std::string& text = grid_->text(r, c);
            if (text.empty()) continue;
            const QRect cell(colPos_[static_cast<std::size_t>(c)], rowPos_[static_cast<std::size_t>(r)],
                             colPos_[static_cast<std::size_t>(c) + 1] - colPos_[static_cast<std::size_t>(c)],
                             rowPos_[static_cast<std::size_t>(r) + 1] - rowPos_[static_cast<std::size_t>(r)]);
            if (cell.isEmpty()) continue;
            const CellStyle style = grid_->style(r, c);
            const int side = tileSide(r, c);
            const int band = std::max(1, side * 3 / 22);  // half a strand, and a little room
            Pending p{
                {{}, r, QString::fromStdString(text), viewport()->font(), colorFromBgr(style.foreColor)},
                {},
                {}};
            p.label.font.setPixelSize(std::clamp(side * 2 / 5, 8, 12));
            p.label.font.setBold(style.bold);
            const QFontMetrics metrics(p.label.font);
            const QSize size(metrics.horizontalAdvance(p.label.text) + 2, metrics.height());
            const QPoint centre = cell.center();
            const int right = centre.x() + band + 1, left = centre.x() - band - 1 - size.width();
            const int below = centre.y() + band + 1, above = centre.y() - band - 1 - size.height();
            p.places = {QRect(QPoint(right, below), size), QRect(QPoint(right, above), size),
                        QRect(QPoint(left, below), size), QRect(QPoint(left, above), size)};
            p.centre = QRect(centre, QSize(1, 1));
            crossings.add(p.centre, pending.size());
            pending.push_back(std::move(p));
        }
    }
    // Each label takes a place that meets no label placed before it (two numbers must never read as one);
    // of those, one nearer its own crossing than any other (else it would be read as the other's), and
    // then the one that hides the least of the strands around. A label with no room near its crossing is
    // left out: the next zoom level has room for it.
    auto nearerAnother = [&](const QRect& box, std::size_t own) {
        const QPointF middle = QRectF(box).center();
        auto distance = [&](const QRect& centre) { return QLineF(middle, QRectF(centre).center()).length(); };
        const double reach = distance(pending[own].centre);
        const int r = static_cast<int>(reach) + 1;
        bool nearer = false;
        crossings.visitNear(QRect(middle.toPoint() - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1)),
                            [&](const QRect& centre, std::size_t id) {
                                nearer = nearer || (id != own && distance(centre) <= reach);
                            });
        return nearer;
    };
    BoxIndex placed;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        Pending& p = pending[i];
        std::vector<QRect> free;
        QRect around;
        for (const QRect& box : p.places) {
            if (box.left() < 0 || box.top() < 0) continue;
            if (placed.meets(box.adjusted(-3, -1, 3, 1))) continue;  // a letter's width apart
            free.push_back(box);
            around |= box;
        }
        if (free.empty()) continue;
        const QImage tiles = tilesIn(around);
        long best = -1;
        for (const QRect& box : free) {
            long ink = 0;
            for (int y = box.top(); y <= box.bottom(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(tiles.constScanLine(y - around.top()));
                for (int x = box.left(); x <= box.right(); ++x) ink += qGray(line[x - around.left()]) < 224;
            }
            // A number read as another crossing's misleads more than any amount of hidden strand.
            const long cost = (nearerAnother(box, i) ? 1L << 40 : 0) + ink;
            if (best < 0 || cost < best) {
                best = cost;
                p.label.box = box;
            }
            if (cost == 0) break;
        }
        placed.add(p.label.box, labels_.size());
        labels_.push_back(std::move(p.label));
    }
}

}  // namespace trevalon
