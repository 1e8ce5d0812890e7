#pragma once
// Reshaping the cell drawing in place: one code over a cell list, an empty column or row inserted with the
// strands that cross it bridged, touching crossings pulled apart, and columns or rows that only repeat
// their neighbour squeezed out. Each works on the extent `limiti` and leaves it the box of the drawing.
//
// The extent is trusted to cover every non-empty cell (verificaCelDis checks that). What would pass the
// table is refused with a message before anything is changed.

#include <string_view>
#include <vector>

#include "celldraw/cell_list.h"
#include "model/cell_drawing.h"
#include "platform/result.h"

namespace trevalon {

// `F3SettaDis`: `Codice` := tmpSimb in every cell of tmpLst; tmpSimb "-" writes "0" and `Numero` 0
// instead (tile names are kept). The extent takes in every cell given a line code or a marker. A code that
// is not "", "0".."8", a one-letter marker "a".."z" (or "-"), or a cell outside rows 1..700 and columns
// 1..2000, is refused.
Status F3SettaDis(CellDrawing& tblGen, const ListaCelleDis& tmpLst, std::string_view tmpSimb);

// `F3InsColonnaDis`: inserts an empty column after column c (0 <= c < 2000); every column after c moves one
// to the right. Where the cell left of the new column leaves by its right side, the new cell is "2", with
// the tile name of its right neighbour (else its left one) and "z" after it, and the arc number and regions
// of the one of them that is a strand cell (right first; 0 when both are crossings). Refused when the
// drawing would pass column 2000.
Status F3InsColonnaDis(CellDrawing& tblGen, int c);

// `F3InsRigaDis`: the same with rows: an empty row after row r (0 <= r < 700), bridged by "1" below every
// cell that leaves by its bottom side. Refused when the drawing would pass row 700.
Status F3InsRigaDis(CellDrawing& tblGen, int r);

// An empty row after each row of `dopo`, and an empty column after each column of `dopo`, given from the
// last: the drawing as F3InsRigaDis (F3InsColonnaDis) for each of them in turn leaves it, the same failure
// where one of them fails, but with every line moved once.
Status inserisciRigheDis(CellDrawing& tblGen, const std::vector<int>& dopo);
Status inserisciColonneDis(CellDrawing& tblGen, const std::vector<int>& dopo);

// `F3VerificaNodiViciniRiga`: inserts a row between every two crossing cells that touch vertically.
// Refused (nothing changed) when the rows needed would pass row 700.
Status F3VerificaNodiViciniRiga(CellDrawing& tblGen);

// `F3VerificaNodiViciniColonna`: inserts a column between every two crossing cells that touch
// horizontally. Refused (nothing changed) when the columns needed would pass column 2000.
Status F3VerificaNodiViciniColonna(CellDrawing& tblGen);

// `F3EliminaColonneUgualiDis`: drops every column of the extent that repeats its right neighbour in every
// row of the extent (a plain "2" after a corner "6" or "7" or before a corner "5" or "8", and an empty cell
// beside a "1", count as repeating). The columns after it move left; the freed columns at the right end are
// emptied. A "0" met while testing becomes "".
Status F3EliminaColonneUgualiDis(CellDrawing& tblGen);

// `F3EliminaRgheUgualiDis`: drops every row of the extent that repeats the row below it (a "1" under a
// corner "7" or "8" or over a corner "5" or "6", and an empty cell above or below a "2", count as
// repeating), the same way.
Status F3EliminaRgheUgualiDis(CellDrawing& tblGen);

}  // namespace trevalon
