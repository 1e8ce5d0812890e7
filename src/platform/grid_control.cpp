#include "platform/grid_control.h"

#include <algorithm>

namespace trevalon {

namespace {
const std::string kEmpty;
}

void GridControl::resize(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == rows_ && cols == cols_) return;
    std::vector<Cell> cells(static_cast<std::size_t>(rows) * cols);
    std::unordered_map<std::size_t, std::string> texts;
    const int keepRows = std::min(rows, rows_);
    const int keepCols = std::min(cols, cols_);
    for (int r = 0; r < keepRows; ++r)
        std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(at(r, 0)), keepCols,
                    cells.begin() + static_cast<std::ptrdiff_t>(r) * cols);
    for (auto& [key, value] : texts_) {
        const int r = static_cast<int>(key / cols_);
        const int c = static_cast<int>(key % cols_);
        if (r < rows && c < cols) texts.emplace(static_cast<std::size_t>(r) * cols + c, std::move(value));
    }
    cells_ = std::move(cells);
    texts_ = std::move(texts);
    rowHeights_.resize(rows, kDefaultSize);
    colWidths_.resize(cols, kDefaultSize);
    rows_ = rows;
    cols_ = cols;
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    col_ = std::min(col_, std::max(cols_ - 1, 0));
    touch();
}

void GridControl::setRows(int rows) {
    resize(rows, cols_);
}
void GridControl::setCols(int cols) {
    resize(rows_, cols);
}

int GridControl::rowHeight(int row) const {
    return row >= 0 && row < rows_ ? rowHeights_[row] : 0;
}
int GridControl::colWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidths_[col] : 0;
}

void GridControl::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    rowHeights_[row] = std::max(twips, 0);
    touch();
}

void GridControl::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    colWidths_[col] = std::max(twips, 0);
    touch();
}

void GridControl::setAllRowHeights(int twips) {
    std::fill(rowHeights_.begin(), rowHeights_.end(), std::max(twips, 0));
    touch();
}

void GridControl::setAllColWidths(int twips) {
    std::fill(colWidths_.begin(), colWidths_.end(), std::max(twips, 0));
    touch();
}

const std::string& GridControl::text(int row, int col) const {
    if (!valid(row, col)) return kEmpty;
    auto it = texts_.find(at(row, col));
    return it == texts_.end() ? kEmpty : it->second;
}

void GridControl::setText(int row, int col, std::string text) {
    if (!valid(row, col)) return;
    if (text.empty())
        texts_.erase(at(row, col));
    else
        texts_[at(row, col)] = std::move(text);
    touch();
}

PictureRef GridControl::picture(int row, int col) const {
    return valid(row, col) ? cells_[at(row, col)].picture : PictureRef{};
}

void GridControl::setPicture(int row, int col, PictureRef picture) {
    if (!valid(row, col)) return;
    cells_[at(row, col)].picture = picture;
    touch();
}

CellStyle GridControl::style(int row, int col) const {
    return valid(row, col) ? styles_[cells_[at(row, col)].style] : CellStyle{};
}

std::uint16_t GridControl::intern(const CellStyle& s) {
    for (std::size_t i = 0; i < styles_.size(); ++i)
        if (styles_[i] == s) return static_cast<std::uint16_t>(i);
    if (styles_.size() >= 0xFFFF) return 0;  // more distinct styles than cells can tell apart: fall back
    styles_.push_back(s);
    return static_cast<std::uint16_t>(styles_.size() - 1);
}

void GridControl::setStyle(int row, int col, const CellStyle& style) {
    if (!valid(row, col)) return;
    cells_[at(row, col)].style = intern(style);
    touch();
}

void GridControl::setBackColor(int row, int col, std::uint32_t bgr) {
    CellStyle s = style(row, col);
    s.backColor = bgr;
    setStyle(row, col, s);
}

void GridControl::setForeColor(int row, int col, std::uint32_t bgr) {
    CellStyle s = style(row, col);
    s.foreColor = bgr;
    setStyle(row, col, s);
}

void GridControl::setAlignment(int row, int col, CellAlign a) {
    CellStyle s = style(row, col);
    s.alignment = a;
    setStyle(row, col, s);
}

void GridControl::setPictureAlignment(int row, int col, CellAlign a) {
    CellStyle s = style(row, col);
    s.pictureAlignment = a;
    setStyle(row, col, s);
}

void GridControl::setFontSize(int row, int col, int size) {
    CellStyle s = style(row, col);
    s.fontSize = static_cast<std::uint8_t>(std::clamp(size, 1, 255));
    setStyle(row, col, s);
}

void GridControl::setBold(int row, int col, bool bold) {
    CellStyle s = style(row, col);
    s.bold = bold;
    setStyle(row, col, s);
}

void GridControl::clear() {
    std::fill(cells_.begin(), cells_.end(), Cell{});
    texts_.clear();
    styles_.assign(1, CellStyle{});
    touch();
}

void GridControl::setRedraw(bool on) {
    redraw_ = on;
    touch();
}

namespace {

// The first scrolled index (from 1) for one direction: `first` .. `last` of sizes `size(i)` into a view of
// `view` twips whose first scrolled index is now `current`.
template <typename Size>
int primoVisibile(int current, int first, int last, int count, int view, Size size) {
    first = std::clamp(first, 1, std::max(count - 1, 1));
    last = std::clamp(last, first, std::max(count - 1, 1));
    const auto fitsFrom = [&](int start, int end) {
        long long used = 0;
        for (int i = start; i <= end; ++i) used += size(i);
        return used <= view;
    };
    // Already in view: the area starts at or after the first shown index and ends within the view.
    current = std::max(current, 1);
    if (first >= current && fitsFrom(current, last)) return current;
    if (!fitsFrom(first, last)) return std::max(first - 1, 1);
    // Centred: as many twips before the area as after it, whole cells only.
    long long spare = view;
    for (int i = first; i <= last; ++i) spare -= size(i);
    long long before = spare / 2;
    int start = first;
    while (start > 1 && size(start - 1) <= before) {
        before -= size(start - 1);
        --start;
    }
    return start;
}

// The first scrolled index (from 1) that shows first..last whole and in the middle of a view of `view`
// twips when they fit, else the middle of `focus0`..`focus1` in the middle of the view.
template <typename Size>
int primoCentrato(int first, int last, int focus0, int focus1, int count, long long view, Size size) {
    const int ultimo = std::max(count - 1, 1);
    const auto somma = [&](int a, int b) {
        long long used = 0;
        for (int i = a; i <= b; ++i) used += size(i);
        return used;
    };
    if (first >= 1 && last >= first && somma(first, std::min(last, ultimo)) <= view) {
        focus0 = first;
        focus1 = std::min(last, ultimo);
    }
    focus0 = std::clamp(focus0, 1, ultimo);
    focus1 = std::clamp(focus1, focus0, ultimo);
    // Twips from the first scrolled index to the focus's middle, less half the view: where the view starts.
    long long inizio = somma(1, focus0 - 1) + somma(focus0, focus1) / 2 - view / 2;
    int start = 1;
    while (start < ultimo && size(start) <= inizio) {
        inizio -= size(start);
        ++start;
    }
    return start;
}

}  // namespace

void centraArea(GridControl& g, const GridArea& whole, const GridArea& focus, int viewWidth, int viewHeight) {
    if (focus.empty() || g.rows() < 2 || g.cols() < 2 || viewWidth <= 0 || viewHeight <= 0) return;
    const bool intero = !whole.empty();
    const int top = primoCentrato(intero ? whole.r0 : 0, intero ? whole.r1 : -1, focus.r0, focus.r1, g.rows(),
                                  viewHeight, [&g](int r) { return g.rowHeight(r); });
    const int left = primoCentrato(intero ? whole.c0 : 0, intero ? whole.c1 : -1, focus.c0, focus.c1,
                                   g.cols(), viewWidth, [&g](int c) { return g.colWidth(c); });
    if (top != g.topRow()) g.setTopRow(top);
    if (left != g.leftCol()) g.setLeftCol(left);
}

void mostraArea(GridControl& g, const GridArea& area, int viewWidth, int viewHeight) {
    if (area.empty() || g.rows() < 2 || g.cols() < 2) return;
    const int top = primoVisibile(g.topRow(), area.r0, area.r1, g.rows(), std::max(viewHeight, 0),
                                  [&g](int r) { return g.rowHeight(r); });
    const int left = primoVisibile(g.leftCol(), area.c0, area.c1, g.cols(), std::max(viewWidth, 0),
                                   [&g](int c) { return g.colWidth(c); });
    if (top != g.topRow()) g.setTopRow(top);
    if (left != g.leftCol()) g.setLeftCol(left);
}

}  // namespace trevalon
