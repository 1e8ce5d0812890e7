#pragma once
// The redraw of the cell drawing after a move, and what every redraw uses: the view it draws into (the
// step viewer's grid, where the cell drawing's column c stands at column c + ColonnaBaseDis, right of the
// copy of the main grid's picture), one cell drawn, the whole drawing drawn, the line codes along a path
// recomputed from the path itself, and the corner test.

#include <functional>
#include <string>

#include "celldraw/cell_list.h"
#include "layout/palette.h"
#include "model/cell_drawing.h"
#include "platform/codes.h"
#include "platform/grid_control.h"
#include "platform/result.h"

namespace trevalon {

// Where a redraw draws and the columns it keeps. Every field may stay empty: with no grid nothing is
// drawn (the headless runs and tests), with no progress nothing ticks.
struct VistaRidisegno {
    GridControl* Gr3 = nullptr;  // the step viewer's grid
    const TilePalette* palette = nullptr;
    int ColonnaBaseDis = 0;      // grid column of the drawing's column 0
    int UltimaColonnaDis = 0;    // last grid column that received a tile of the drawing
    int ColonnaScorrimento = 0;  // grid column the viewer scrolls to after a redraw
    SourceKind ModoSorgente = SourceKind::Code;
    std::function<void()> progresso;  // `F3AggiornaProgressivo`

    void tick() const {
        if (progresso) progresso();
    }
};

// `F3AggImg`: cell (r, c) of the drawing into the view: the `Img` tile of its line code plus the colour base
// `tmpColore` (ColNero, ColVerde, ColGrigio ...), centred; an empty or "0" code, or a marker, removes the
// picture. Cells outside the drawing or the grid are skipped.
void F3AggImg(const CellDrawing& tblGen, VistaRidisegno& vista, int r, int c, int tmpColore);

// `F3DisegnaCelDis`: the view copies the main grid's pictures (its ColonnaBaseDis then stands two columns
// right of the last of them), every row and column `dimCella` twips, and draws every cell of the drawing's
// extent in black; UltimaColonnaDis is the last grid column drawn (0 for an empty drawing).
void F3DisegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, const GridControl& Gr, int dimCella);

// `F3SettaSimboliDis`: the inner cells of `tmpList` (every cell but the first and the last, which are the
// end crossings) get the line code that joins them to the cells before and after them in the list, and are
// drawn in `tmpColore`. A cell whose neighbours in the list are not beside it keeps its code.
void F3SettaSimboliDis(CellDrawing& tblGen, VistaRidisegno& vista, const ListaCelleDis& tmpList,
                       int tmpColore);

// `F3InAngolo`: cell (r1, c2) or cell (r2, c1) is a crossing cell ("3" or "4"); cells outside the drawing
// are not.
bool F3InAngolo(const CellDrawing& tblGen, int r1, int c1, int r2, int c2);

// `F3PulisciCelDis`: every cell's code, number, tile name, regions and mark cleared (`Tooltip` and the side
// marks kept), and the extent emptied.
void F3PulisciCelDis(CellDrawing& tblGen);

}  // namespace trevalon
