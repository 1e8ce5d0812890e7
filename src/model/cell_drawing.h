#pragma once
// The cell drawing `tblGen`: rows 0..700 by columns 0..2000 of `CellaDis`, one line code per cell and the
// tile name, arc or crossing number, side marks and regions that the cell-drawing engine keeps there. It is
// the stored form of a drawn diagram. Cells are kept compact (no text object per cell): the line code is
// one character and the tile names are indices into a small table of the names met so far.
//
// A redraw that needs more room than the table while it reshapes a drawing works on a larger drawing of
// its own (a working table sized at run time) and brings the result back within the table's bounds.

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/table2d.h"  // ZeroedBlock: a block of zeroed cells mapped only where touched

namespace trevalon {

inline constexpr int kMaxRigheDis = 700;
inline constexpr int kMaxColonneDis = 2000;

// One cell of the drawing. Use the CellDrawing accessors for the texts.
struct CellaDis {
    char codice = 0;             // line code '0'..'8', a marker 'a'..'z'; 0 for the empty text
    std::uint8_t tooltip = 0;    // tile name as last drawn (index into the name table)
    std::uint8_t simbolo = 0;    // tile name (index into the name table)
    std::array<char, 5> Lati{};  // first character of the mark of each side 1..4; 0 for none; 0 unused
    std::int16_t Numero = 0;     // arc or crossing number
    std::int16_t Reg1 = 0;       // regions beside the cell's arc
    std::int16_t Reg2 = 0;
    std::int32_t Marca = 0;  // work mark of the cell-drawing engine
};
static_assert(sizeof(CellaDis) == 20, "a cell of the drawing stays 20 bytes: the drawing has 701 x 2001");

// Extent of the non-empty cells; a fresh build starts at RigaMax 0, ColMax 0, RigaMin 9999, ColMin 9999.
struct LimitiDis {
    int RigaMax = 0, ColMax = 0, RigaMin = 9999, ColMin = 9999;
};

// The box of the cells handed out for change (row r0..r1, column c0..c1); empty while r0 > r1.
struct UsedArea {
    int r0 = std::numeric_limits<int>::max(), r1 = -1, c0 = std::numeric_limits<int>::max(), c1 = -1;

    bool empty() const { return r0 > r1; }
    void take(int r, int c) {
        r0 = std::min(r0, r);
        r1 = std::max(r1, r);
        c0 = std::min(c0, c);
        c1 = std::max(c1, c);
    }
};

class CellDrawing {
  public:
    // The size of the table of a drawing: rows 0..700, columns 0..2000.
    static constexpr int kRows = kMaxRigheDis + 1;
    static constexpr int kCols = kMaxColonneDis + 1;

    // The table of a drawing, every cell empty.
    CellDrawing() : CellDrawing(kRows, kCols) {}
    // A working table of rows 0..righe - 1 and columns 0..colonne - 1 (at least one of each), every cell
    // empty; its cells cost memory only once they are written.
    CellDrawing(int righe, int colonne);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int lastRow() const { return rows_ - 1; }
    int lastCol() const { return cols_ - 1; }
    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows_ && c < cols_; }
    CellaDis& at(int r, int c) {
        CellaDis& x = cells_[indice(r, c)];
        usata_.take(r, c);
        return x;
    }
    const CellaDis& at(int r, int c) const { return cells_[indice(r, c)]; }
    // Row r for a run of changes over its columns c0..c1 (all inside the drawing; none when c0 > c1): its
    // cell (r, 0), from which those columns are reached directly. The used box takes them in at once, as
    // `at` would cell by cell.
    CellaDis* riga(int r, int c0, int c1) {
        if (c0 > c1) {
            if (r < 0 || r >= rows_) fuori(r, c0);
        } else {
            if (!inside(r, c0)) fuori(r, c0);
            if (!inside(r, c1)) fuori(r, c1);
            usata_.take(r, c0);
            usata_.take(r, c1);
        }
        return cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_);
    }
    // Row r for reading: its cell (r, 0).
    const CellaDis* riga(int r) const {
        if (r < 0 || r >= rows_) fuori(r, 0);
        return cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_);
    }
    // The box of every cell handed out for change since the drawing was made: every cell outside it is as
    // a fresh drawing holds it (every field zero), so what works on the whole table needs only this box.
    // It covers the extent `limiti` and may be larger.
    const UsedArea& usata() const { return usata_; }

    // The rows r0..r1 by columns c0..c1 of `da` (clipped to it), moved by dr rows and dc columns into this
    // drawing; every moved cell must land inside it (std::out_of_range). This drawing takes `da`'s table of
    // tile names, so the cells it keeps must name tiles of that table: it is empty, or `da` began as a copy
    // of it. The extent and the other cells are left alone.
    void copiaRiquadro(const CellDrawing& da, int r0, int r1, int c0, int c1, int dr, int dc);

    // `Codice` as text: "", one of "0".."8", or a marker "a".."z".
    std::string_view Codice(int r, int c) const;
    // Accepts what codiceValido accepts; any other text is refused (std::invalid_argument).
    void setCodice(int r, int c, std::string_view code);
    // The line codes "" and "0".."8", and the one-letter markers "a".."z" that a redraw writes into the
    // cells it is working on and turns into line codes before it ends.
    static bool codiceValido(std::string_view code);
    // Only the line codes "" and "0".."8": what snapshots and files may hold.
    static bool codiceLinea(std::string_view code);
    // A cell whose code is empty or "0".
    bool vuota(int r, int c) const {
        const char k = at(r, c).codice;
        return k == 0 || k == '0';
    }

    std::string_view Tooltip(int r, int c) const { return name(at(r, c).tooltip); }
    void setTooltip(int r, int c, std::string_view n) { at(r, c).tooltip = intern(n); }
    std::string_view Simbolo(int r, int c) const { return name(at(r, c).simbolo); }
    void setSimbolo(int r, int c, std::string_view n) { at(r, c).simbolo = intern(n); }
    // The tile name a cell's `simbolo` index stands for.
    std::string_view nome(std::uint8_t id) const { return names_[id]; }
    // Tile name n made known to the name table without writing it anywhere, so that writing it later
    // cannot fail; std::length_error when the table is full, as for setSimbolo and setTooltip. Returns
    // the index a cell's `simbolo` holds for it.
    std::uint8_t conosciNome(std::string_view n) { return intern(n); }

    LimitiDis limiti;

    // The drawing as a fresh one of its size: every cell handed out for change emptied (every field zero),
    // no used box, no extent and no tile name but the empty one. Its memory is kept, so that it can be
    // used again without asking the system for new pages.
    void svuotaTutto();

  private:
    std::string_view name(std::uint8_t id) const { return names_[id]; }
    std::uint8_t intern(std::string_view n);

    std::size_t indice(int r, int c) const {
        if (!inside(r, c)) fuori(r, c);
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c);
    }
    [[noreturn]] void fuori(int r, int c) const;

    int rows_, cols_;
    table2d_detail::ZeroedBlock<CellaDis> cells_;
    UsedArea usata_;
    std::vector<std::string> names_{std::string()};
};

// One cell emptied as a cleared drawing holds it: no code, tile name, number, regions or mark (`Tooltip`
// and the side marks are kept).
inline void svuotaCellaDis(CellaDis& x) {
    x.codice = 0;
    x.simbolo = 0;
    x.Numero = 0;
    x.Reg1 = 0;
    x.Reg2 = 0;
    x.Marca = 0;
}

// `InizializzaCelDis`: rows 1..700 and columns 1..2000 get the empty code and tile name and 0 in Numero,
// Reg1, Reg2 and Marca. Row 0, column 0, Tooltip and Lati are left as they are.
void InizializzaCelDis(CellDrawing& tblGen);

}  // namespace trevalon
