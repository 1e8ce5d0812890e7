#pragma once
// Tidying of an arc's course in the cell drawing. A redraw writes the cells of the course under a marker
// code ("y", "t", "z": letters, not line codes) and then straightens the list: loops that come back next
// to themselves are cut off, gaps of empty cells between two marked cells on one row or one column are
// filled, and a stretch of the course can be replaced by an L-shaped run through empty cells. Every
// procedure keeps the first and the last cell of the list, where the arc meets its crossings.

#include <string_view>

#include "celldraw/cell_list.h"
#include "model/cell_drawing.h"
#include "platform/result.h"

namespace trevalon {

// The box of the cells of a list: RigaMax 0, ColMax 0, RigaMin 9999, ColMin 9999 for an empty list.
using LimitiLista = LimitiDis;

LimitiLista limitiLista(const ListaCelleDis& lista);

// Cuts loops out of the course. Each cell in turn gets `tmpsimb2`; when two or more of the cell itself
// and its four side neighbours hold `tmpSimb`, the one met latest in the list wins and every cell strictly
// between is emptied and dropped from the list. Returns the box of the list handed back. Refused,
// changing nothing: a cell outside the drawing, a code the drawing cannot hold, an empty `tmpSimb`.
Result<LimitiLista> F3Pulisci3Dis(CellDrawing& tblGen, ListaCelleDis& tmpLst, std::string_view tmpSimb,
                                  std::string_view tmpsimb2);

// Along rows ("R") or along columns ("C").
enum class RigCol : char { R = 'R', C = 'C' };

// Fills gaps: inside the box of the list, two cells holding `tmpSimb` on one row (or column) with only
// empty cells between get those cells marked too, and the list is spliced so that it runs straight from
// the one to the other; the cells of the stretch it no longer takes are emptied. Returns the box of the
// list handed back. The box scanned is that of the list's cells. Refused, changing nothing: a cell
// outside the drawing, a marker that is empty or not a code the drawing can hold.
Result<LimitiLista> F3Raddrizza3Dis(CellDrawing& tblGen, ListaCelleDis& tmpLst, std::string_view tmpSimb,
                                    RigCol rigCol);

// The list with one stretch replaced by an L-shaped run of empty cells (`F3VerificapercorsoRetto`):
// the earliest start i (at most 80) and, for it, the farthest end j (at least i + 3, at most 80 items
// before the end) win. The run never meets a cell the list keeps: such a cell would itself have been an
// earlier start or a farther end with a free run. Empty when there is no run.
ListaCelleDis F3Migliorapercorso(const CellDrawing& tblGen, const ListaCelleDis& tmps);

// The L-shaped run of empty cells from (wr1, wc1) to (wr2, wc2), vertical leg first, else horizontal leg
// first; both ends included. Empty when neither shape is free or a cell lies outside the drawing.
ListaCelleDis F3VerificapercorsoRetto(const CellDrawing& tblGen, int wr1, int wc1, int wr2, int wc2);

}  // namespace trevalon
