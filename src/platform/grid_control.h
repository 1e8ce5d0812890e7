#pragma once
// A plain model of a display grid: what the renderers and editors write, what the Qt grid widget paints.
// Sizes are in twips (1440 to the inch); colours keep the BGR numbers of the original platform
// (255 red, 65535 yellow, 16777215 white). Storage is compact: one picture reference and one interned
// style index per cell, texts kept sparsely, so a 601 x 1501 grid costs a few megabytes.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace trevalon {

// Which picture a cell shows: a tile of a palette window, by picture set and index.
enum class PaletteId : std::uint8_t { None = 0, Form1 = 1, Form1b = 2 };
enum class PictureSet : std::uint8_t { Img = 0, Imgd = 1, ImgDiag = 2 };

struct PictureRef {
    PaletteId palette = PaletteId::None;
    PictureSet set = PictureSet::Img;
    std::int16_t index = 0;

    bool empty() const { return palette == PaletteId::None; }
    friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

// Alignment codes of the grid control: 0..8 = left/centre/right x top/centre/bottom, 9 general.
enum class CellAlign : std::uint8_t {
    LeftTop = 0,
    LeftCenter = 1,
    LeftBottom = 2,
    CenterTop = 3,
    CenterCenter = 4,
    CenterBottom = 5,
    RightTop = 6,
    RightCenter = 7,
    RightBottom = 8,
    General = 9
};

struct CellStyle {
    std::uint32_t backColor = 16777215;  // white (BGR)
    std::uint32_t foreColor = 0;         // black
    CellAlign alignment = CellAlign::General;
    CellAlign pictureAlignment = CellAlign::LeftTop;
    std::uint8_t fontSize = 8;
    bool bold = false;
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// A rectangle of cells: rows r0..r1 and columns c0..c1; empty when either range is.
struct GridArea {
    int r0 = 0, c0 = 0, r1 = -1, c1 = -1;
    bool empty() const { return r1 < r0 || c1 < c0; }
    friend bool operator==(const GridArea&, const GridArea&) = default;
};

class GridControl {
  public:
    static constexpr int kDefaultSize = 240;  // twips

    GridControl() {
        setRows(1);
        setCols(1);
    }

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // Resizing keeps the cells that stay inside the grid and drops the others, as the grid control did.
    void setRows(int rows);
    void setCols(int cols);

    int rowHeight(int row) const;
    int colWidth(int col) const;
    void setRowHeight(int row, int twips);
    void setColWidth(int col, int twips);
    void setAllRowHeights(int twips);
    void setAllColWidths(int twips);

    bool valid(int row, int col) const { return row >= 0 && col >= 0 && row < rows_ && col < cols_; }

    // Cell contents; reading outside the grid gives the empty cell, writing outside is ignored.
    const std::string& text(int row, int col) const;
    void setText(int row, int col, std::string text);
    PictureRef picture(int row, int col) const;
    void setPicture(int row, int col, PictureRef picture);
    CellStyle style(int row, int col) const;
    void setStyle(int row, int col, const CellStyle& style);
    void setBackColor(int row, int col, std::uint32_t bgr);
    void setForeColor(int row, int col, std::uint32_t bgr);
    void setAlignment(int row, int col, CellAlign a);
    void setPictureAlignment(int row, int col, CellAlign a);
    void setFontSize(int row, int col, int size);
    void setBold(int row, int col, bool bold);

    // Drops every text, picture and style; keeps the counts and sizes.
    void clear();

    // Painting: while Redraw is off the view does not repaint; turning it on asks for one repaint.
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);

    int topRow() const { return topRow_; }
    int leftCol() const { return leftCol_; }
    void setTopRow(int row) {
        topRow_ = row;
        ++revision_;
    }
    void setLeftCol(int col) {
        leftCol_ = col;
        ++revision_;
    }
    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int row) { row_ = row; }
    void setCol(int col) { col_ = col; }

    // Grows by one on every change, so a view can tell whether it must repaint.
    std::uint64_t revision() const { return revision_; }

  private:
    struct Cell {
        PictureRef picture;
        std::uint16_t style = 0;
    };
    std::size_t at(int row, int col) const { return static_cast<std::size_t>(row) * cols_ + col; }
    std::uint16_t intern(const CellStyle& s);
    void resize(int rows, int cols);
    void touch() { ++revision_; }

    int rows_ = 0;
    int cols_ = 0;
    std::vector<Cell> cells_;
    std::vector<int> rowHeights_;
    std::vector<int> colWidths_;
    std::unordered_map<std::size_t, std::string> texts_;
    std::vector<CellStyle> styles_{CellStyle{}};
    bool redraw_ = true;
    int topRow_ = 0, leftCol_ = 0, row_ = 0, col_ = 0;
    std::uint64_t revision_ = 0;
};

// Scrolls the grid (TopRow, LeftCol) so that `area` is in a view of `viewWidth` by `viewHeight` twips
// showing the grid from its first scrolled row and column (row 0 and column 0 stay fixed). An area already
// in view leaves the scroll as it is; one that fits is centred; a larger one starts a cell from the view's
// top left corner. A view of unknown size (0) counts as showing one cell. An empty area changes nothing.
void mostraArea(GridControl& g, const GridArea& area, int viewWidth, int viewHeight);

// Scrolls the grid so that a view of `viewWidth` by `viewHeight` twips shows `whole` in the middle when it
// fits, else has the middle of `focus` in its middle (as near as the grid's start allows), in each
// direction on its own. Unlike `mostraArea` it scrolls even when the area is already in view: after a zoom
// the same place stands in the middle again. An empty `whole` counts as not fitting; an empty `focus` (or
// a view of unknown size) changes nothing.
void centraArea(GridControl& g, const GridArea& whole, const GridArea& focus, int viewWidth, int viewHeight);

}  // namespace trevalon
