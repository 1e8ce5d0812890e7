#pragma once
// Line codes along the arcs of a drawn diagram. A drawn strand may step diagonally from one cell to the
// next, a cell drawing cannot: every diagonal step gets a corner cell, the neighbour pairs (`Vicini`) on
// both sides of the step are corrected and each cell's line code (`Forma`) follows from its pair:
// "28" 1, "46" 2, "24" 5, "26" 6, "68" 7, "48" 8.

#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// `SettaSimboliArco`: rewrites the path of arc `arco` ("r,c|" items, a trailing "," in an item allowed)
// with a corner cell in every diagonal step, and sets `Vicini` and `Forma` of its cells. A step that is
// neither straight nor a diagonal with matching pairs keeps its first cell. A corner that would fall on a
// cell in use (Tipo not empty) or outside the table is refused with a message naming the cells, and
// nothing is written.
Status SettaSimboliArco(Diagram& d, int arco);

// `SettaSimboliDaFile`: `SettaSimboliArco` for every arc 1..NumArchi; every arc is checked before any is
// written, so a refused arc leaves the diagram as it was.
Status SettaSimboliDaFile(Diagram& d);

}  // namespace trevalon
