#pragma once
// Preparing a display grid for the tile renderers, the offsets between the cell table and the display,
// the per-cell tile-name table, and the heading steps.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/palette.h"
#include "model/tables.h"
#include "platform/codes.h"
#include "platform/grid_control.h"
#include "platform/ports.h"
#include "platform/table2d.h"

namespace trevalon {

// Display offsets after `Centratura`: the top-left corner of the used box lands at display cell (3, 2).
inline constexpr int OffsetRiga = 3;
inline constexpr int OffsetCol = 2;

// Painting off; rows 0..numRighe, columns 0..numColonne; row 0 and column 0 of size 0; every other row
// and column `dimCella` twips for diagrams of kind "A" or "I" (modoGen), else 52; painting on.
void InizializzaGr(GridControl& griglia, int numRighe, int numColonne, int dimCella, GenMode modoGen);
// Drops every cell, picture and text, then `InizializzaGr`.
void ClearGr(GridControl& griglia, int numRighe, int numColonne, int dimCella, GenMode modoGen);

// Cell table to display cell, and back.
void Trasforma(const LimitiNodo& limiti, int r, int c, int& r2, int& c2);
void TrasformaInv(const LimitiNodo& limiti, int r, int c, int& r2, int& c2);

// `Tbltt`: the tile name drawn at each display cell (rows and columns 0..1510). Names come from a
// small fixed set, so each cell holds an index into the names met so far.
class TileNameTable {
  public:
    static constexpr int kSize = 1511;

    // `InizializzaTbltt`: every entry empty. Only the box of the entries written since the last reset is
    // visited: a fresh table costs nothing to empty.
    void reset() {
        cells_.fill(rMin_, rMax_, cMin_, cMax_, 0);
        rMin_ = cMin_ = kSize;
        rMax_ = cMax_ = -1;
    }
    static bool inside(int r, int c) { return r >= 0 && c >= 0 && r < kSize && c < kSize; }
    // Writing outside the table is ignored; reading outside gives the empty name.
    void set(int r, int c, std::string_view name);
    std::string_view get(int r, int c) const;

  private:
    Table2D<std::uint8_t, kSize, kSize> cells_{"tile-name table"};
    std::vector<std::string> names_{std::string()};
    int rMin_ = kSize, rMax_ = -1, cMin_ = kSize, cMax_ = -1;  // the box written since the last reset
};

// Heading 1..4 to a row and column step; any other heading leaves dr and dc unchanged.
void SettaFreccie(int tmpDir, int& dr, int& dc);

// The zoom of a view: the cell size in twips of each level 1..6, the range of levels of the kind of diagram
// shown (3..6 for a diagram from a code, 1..5 for a drawn one) and the level shown.
struct Zoom {
    std::array<int, 7> TabDimCella{0, 52, 75, 85, 120, 200, 320};
    int ZoomMin = 3;
    int ZoomMax = 6;
    int LivelloZoom = 6;
    int DimCella = 320;

    // `RicalcolaDimensioni`'s step: one level down ("-") or up ("+") within the range, any other text
    // none; the limits and the level are kept inside the table, whatever state they were left in. Then
    // DimCella is the level's size.
    void cambia(std::string_view piuMeno);
    // The range and the level of a kind of diagram, with the level's size.
    void imposta(int minimo, int massimo, int livello);
};

// The main window's fields that the renderer reads, and the marker place it keeps.
struct RenderState {
    GenMode ModoGen = GenMode::Code;
    SourceKind ModoSorgente = SourceKind::Code;  // from a code: crossing labels are written
    int DimCella = 320;                          // cell size in twips
    std::string VoceMossa1;                      // ",k,j," crossings of a shown move II candidate
    int RigaSegno = 0, ColSegno = 0;
    bool ChkNumArc = false;  // arc numbers on arc cells
    bool ChhKdop = false;    // the second picture set
};

// What a drawing writes into.
struct RenderTarget {
    GridControl& griglia;
    TileNameTable& tbltt;
    const TilePalette& palette;
    StatusPort* status = nullptr;  // "p1" := "Drawing"; may be null
};

}  // namespace trevalon
