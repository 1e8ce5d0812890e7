#pragma once
// What the straightening of an area (`LayoutState::raddrizzatura`) is told of the cells that change while
// it runs: every change of a cell's kind or arc inside the area updates the bits of its filled cells and
// the changed stretch of its row and column, so that a later pass scans only what has changed.

#include "layout/layout_state.h"

namespace trevalon {

// A cell at (r, c) has changed its kind or arc, and is now filled or empty: the straightening takes note
// of it for its row and column, and sets or clears their bits of the cell.
void notaCambiata(LayoutState& s, int r, int c, bool piena);
// The same, the cell read for whether it is filled.
void notaCambiata(LayoutState& s, int r, int c);
// The same for the cells of row (or column) `linea` from place `da` to place `a`, all now filled (or all
// now empty, with `piena` false).
void notaFila(LayoutState& s, bool riga, int linea, int da, int a, bool piena = true);

}  // namespace trevalon
