#pragma once
// The quarter turn of the cell table, a developer's test of the rotation: the diagram laid out in the cell
// table is turned clockwise and moved back to the top-left corner. Only the cell table changes; the
// crossing, arc and path tables keep their old places, so they no longer match the turned table.

#include <string>

#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// The line code of a cell after a clockwise quarter turn: 1 and 2 swap, 3 and 4 swap, the corners go
// 5 -> 6 -> 7 -> 8 -> 5; 0 and anything else stay.
int formaRuotata(int forma);

// `RuotaTabNodo`: turned cell (r, c) := the whole record at (1500 - c, r), its line code turned; then the
// first row holding a line code and the smallest column holding one become row 1 and column 1. Refused,
// with the table untouched, when a used cell lies in row 1500 (a turn would drop it) or in row 0 or
// column 0 (no part of a diagram belongs there).
Status RuotaTabNodo(Diagram& d);

// The character picture of the turned table (`ruota.txt`): 1500 lines, line r holding for columns
// 1..1500 the line code of cell (r, c), a blank for 0; every line ended by CR LF.
std::string immagineRuota(const Diagram& d);

// The "RUO" text of the turned table: "Object=" followed by "r,c,Forma|" for every cell with a line code,
// over rows and columns 1 up to the last row and the last column that hold one.
std::string testoOggettoRuotato(const Diagram& d);

// `ProvaRuotaNodo`: `RuotaTabNodo`, then the "RUO" text, which the caller saves with the save dialog of
// that kind. The table is untouched when the turn is refused.
Result<std::string> ProvaRuotaNodo(Diagram& d);

}  // namespace trevalon
