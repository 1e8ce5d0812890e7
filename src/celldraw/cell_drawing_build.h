#pragma once
// The cell drawing made from the cell table: one line code per cell (the arc cells' `Forma`, "3" or "4"
// for a crossing by its letter and the sides its strands leave by), with the arc or crossing number, the
// regions beside the arc and the tile name drawn there.

#include <string_view>

#include "layout/render_grid.h"
#include "model/cell_drawing.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// `F3GenCelDis`: fills tblGen from the cells of d.TblNodo inside d.limiti. With `DaF3SistemaGrafica` false
// the box is moved so that its top-left cell lands at row OffsetRiga, column OffsetCol; with true every cell
// keeps its row and column. tblGen's rows 1..700 and columns 1..2000 are cleared first and its extent
// (`limiti`) is that of the cells written. A box that would not fit the cell drawing is refused before
// anything is written, with a message giving its size.
Status F3GenCelDis(CellDrawing& tblGen, const Diagram& d, const TileNameTable& Tbltt,
                   bool DaF3SistemaGrafica);

// `isCellaTratt`: one of the green crossing tiles "v-b", "v-a", "v|a", "v|b" (case-sensitive).
bool isCellaTratt(std::string_view tmps);

}  // namespace trevalon
