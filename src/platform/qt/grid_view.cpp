#include "platform/qt/grid_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
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
        grid_->setTopRow(topRow_);
        grid_->setLeftCol(leftCol_);
        seenRevision_ = grid_->revision();
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

    // Labels of pictured cells (the crossing numbers) are painted over every tile, beside the crossing.
    struct Label {
        QRect cell;
        int row, col;
    };
    std::vector<Label> labels;

    const CellStyle plain{};
    auto paintRow = [&](int r, bool cellsToo) {
        const int y = rowTop(r);
        const int h = rowPos_[static_cast<std::size_t>(r) + 1] - rowPos_[static_cast<std::size_t>(r)];
        if (h <= 0) return;
        for (int c = std::max(0, cFirst - 2); c <= cLast; ++c) {
            const int x = colPos_[static_cast<std::size_t>(c)] - x0;
            const int w = colPos_[static_cast<std::size_t>(c) + 1] - colPos_[static_cast<std::size_t>(c)];
            if (w <= 0) continue;
            const QRect cell(x, y, w, h);
            const PictureRef picture = grid_->picture(r, c);
            const std::string& text = grid_->text(r, c);
            if (!picture.empty() && !text.empty()) labels.push_back({cell, r, c});
            if (!cellsToo || c < cFirst) continue;
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
    };
    // Rows just above the exposed ones may have labels that reach into it.
    for (int r = std::max(fixedRows_, rFirst - 2); r < std::max(rFirst, fixedRows_); ++r) paintRow(r, false);
    for (int r : rows) paintRow(r, true);
    for (const Label& l : labels)
        paintLabel(p, l.cell, grid_->text(l.row, l.col), grid_->style(l.row, l.col));
}

void GridView::paintLabel(QPainter& p, const QRect& cell, const std::string& text, const CellStyle& style) {
    // Beside the crossing, below and right of both strands, so that it never hides a strand or the gap
    // of the strand passing under; at any size a font that can be read, on a light ground.
    const int side = std::min(cell.width(), cell.height());
    const int band = std::max(1, side * 3 / 22);  // half a strand, and a little room
    QFont font = p.font();
    font.setPixelSize(std::clamp(side * 2 / 5, 8, 12));
    font.setBold(style.bold);
    const QString label = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    const QRect box(cell.center().x() + band + 1, cell.center().y() + band + 1,
                    metrics.horizontalAdvance(label) + 2, metrics.height());
    p.fillRect(box, QColor(255, 255, 255, 200));
    p.setFont(font);
    p.setPen(colorFromBgr(style.foreColor));
    p.drawText(box, Qt::AlignCenter, label);
}

}  // namespace trevalon
