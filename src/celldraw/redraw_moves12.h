#pragma once
// The redraws of the cell drawing after a move I (a curl taken away) and after a move II (two crossings of
// a bigon taken away). Both work on the drawing made from the cell table while the candidate was shown:
// every cell's tile name `Simbolo` says how the main grid drew it ("r..." red, "v..." green, "n..." black;
// "n/", "n\" and "nE" mark the crossings the move takes away, drawn as a strand passing diagonally).
//
// Every loop is bounded by the drawing's extent and every insertion by the table: a drawing that would pass
// the table, or a reroute that does not settle, is a failed redraw, reported and never half applied as a
// success (the caller then applies the move through its code).

#include "celldraw/redraw.h"

namespace trevalon {

// `F3disTxt1`: the red crossings of the curl with the strand that stays become plain strands of that
// strand ("r-" becomes "1", "r|" becomes "2", black, tile name "n*"; a red crossing with red cells on all
// four sides lies inside the curl and goes with it); the curl's own crossing becomes the corner that faces
// away from its red neighbours; every other red cell is emptied. Then, for a diagram given by its code, the
// tidy-up (`F3SistemaGrafica` without shortcuts), and last the rows and columns that only repeat their
// neighbour are squeezed out.
Status F3disTxt1(CellDrawing& tblGen, VistaRidisegno& vista);

// `F3disTxt2`: first the diagonal cells are moved apart (rows or columns inserted until the first and the
// last found lie more than two rows or columns apart; fewer than two end this at once); then each diagonal
// step beside a coloured cell is replaced by a step through the corner cell D beside it: a free D becomes
// the corner (taking the number of the cell above or below it plus 1000), a D on the same strand as one of
// the two cells makes that cell redundant, and a D that holds anything else (another strand, a crossing,
// a bridge between two crossings) is left alone. The crossing cell itself is emptied. Then, for a diagram
// given by its code, the tidy-up with shortcuts, and the redundant rows and columns are squeezed out.
//
// With the diagram shown, d, a pair whose two stretches cross different numbers of strands is redrawn as
// its rewrite makes it: the two crossings stay, the stretch that crosses more strands loses its crossings
// and is laid along the other one, crossing each strand that crosses the other stretch the same way (over
// or under) as that strand crosses it (the route is drawn as after a move III, `F3disTxt3`). A pair that
// cannot be laid that way is refused with the reason.
Status F3disTxt2(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram* d = nullptr);

}  // namespace trevalon
