#pragma once
// The renderer of drawn diagrams (kind "D"): a diagram read from drawn symbols is shown one symbol per
// cell, with no offset, cell (r, c) of the cell table being display cell (r, c). Each drawn cell is
// classified by the shape of the strand through it, which names its key tile of the palette; the under
// strand beside each crossing is opened. Also the painting of a cell drawing as tiles.

#include <functional>
#include <string_view>

#include "layout/render_grid.h"
#include "model/cell_drawing.h"
#include "model/tables.h"
#include "platform/grid_control.h"

namespace trevalon {

// The shape text of a drawn cell of the cell table: "O" for "-", "V" for "|"; for any other symbol the
// ascending positions 1..9 around the cell (1 2 3 above, 4 left, 6 right, 7 8 9 below) whose neighbour is
// not blank, with "2789" and "1238" folded to "28" and "3469" and "1467" to "46". Neighbours outside the
// table count as blank. Empty for an empty cell.
std::string formaCellaDisegnata(const Diagram& d, int r, int c);

// `DisegnaModo2`: every drawn cell of rows 1..NumRighe - 1 and columns 1..NumColonne - 1 gets its shape text
// in `Vicini` (a shape of more than three positions is not a strand of a drawn knot and is kept as its
// first three) and, in the tile-name table, the name of the palette's key tile for colour base `Colore`
// and that shape (unchanged when no key tile matches); an empty cell gets an empty name and `Vicini`. With
// `modoSviluppo` the cells are painted white and the gaps opened. `tick` once per row.
void DisegnaModo2(Diagram& d, RenderTarget t, int Colore, bool modoSviluppo,
                  const std::function<void()>& tick = {});

// `DisegnaInterruzioni`: the pictures above and below every "-" and left and right of every "|" are
// removed (the under strand passes beneath). Cells beyond the grid are skipped.
void DisegnaInterruzioni(const Diagram& d, GridControl& griglia);

// `TracciaArcoDaDisegno`: paints arc `arco` of a drawn diagram in the colour base `Colore` (orange with the
// green tiles), with the crossing cells it passes over unless `NonFare` names that crossing or is -2; or,
// with `SoloTratto`, a marker three cells long across the middle of a straight run of five of its cells
// (painted only for sign `ab` "+"). An arc number outside the table draws nothing.
void TracciaArcoDaDisegno(Diagram& d, RenderTarget t, int arco, int Colore, bool SoloTratto,
                          std::string_view ab, int NonFare);

// `SettaDimXDis`: every row and column of the grid (row 0 and column 0 aside) 52 twips, the grid's
// background picture removed.
void SettaDimXDis(GridControl& griglia);

// `DisegnoGraficoD`: arco 0 sizes the grid (`SettaDimXDis`) and classifies the whole drawing
// (`DisegnaModo2`); any other arc is traced (`TracciaArcoDaDisegno`) and the gaps opened
// (`DisegnaInterruzioni`).
void DisegnoGraficoD(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare);

// `DisegnaDaimgCelDis`: every display cell of rows 1..numRighe - 1 and columns 1..numColonne - 1 loses its
// text and shows the palette's `Img` tile of the cell drawing's line code there (none for an empty code).
// `tick` once per row.
void DisegnaDaimgCelDis(const CellDrawing& tblGen, GridControl& griglia, const TilePalette& palette,
                        int numRighe, int numColonne, const std::function<void()>& tick = {});

}  // namespace trevalon
