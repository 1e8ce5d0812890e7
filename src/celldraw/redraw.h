#pragma once
// The redraw of the cell drawing after a move, and what every redraw uses: the view it draws into (the
// step viewer's grid, where the cell drawing's column c stands at column c + ColonnaBaseDis, right of the
// copy of the main grid's picture), one cell drawn, the whole drawing drawn, the line codes along a path
// recomputed from the path itself, and the corner test.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "celldraw/cell_list.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "model/cell_drawing.h"
#include "model/tables.h"
#include "platform/codes.h"
#include "platform/debug_dump.h"
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
    // The view shows the tile just drawn at grid cell (r, c) at once: a diagram from a code lets the person
    // watch its coloured tiles appear (`F3AggImg`'s animation).
    std::function<void(int r, int c)> mostraTessera;
    int DimCella = 0;      // the view's cell size in twips
    int ContaTessere = 0;  // coloured tiles drawn since the viewer was activated
    // The drawing's debug dumps, named by the step the move starts from; none while debug is off.
    DumpFolder dump;
    int NumStato = 0;

    void tick() const {
        if (progresso) progresso();
    }
};

// The picture copy of the main grid into the viewer's grid (`F3Command5_click`): same row and column
// counts, every size `dimCella`, row 0 and column 0 hidden, the pictures with their alignment. Returns
// `ColonnaBaseDis`, two columns right of the last picture (2 for a grid without pictures).
int copiaImmaginiGriglia(const GridControl& gr, GridControl& gr3, int dimCella);

// `F3AggImg`: cell (r, c) of the drawing into the view: the `Img` tile of its line code plus the colour base
// `tmpColore` (ColNero, ColVerde, ColGrigio ...), centred; an empty or "0" code, or a marker, removes the
// picture. Cells outside the drawing or the grid are skipped.
void F3AggImg(const CellDrawing& tblGen, VistaRidisegno& vista, int r, int c, int tmpColore);

// `F3VisCelDis`: the drawing as text in the view, each cell of its extent at its own column (its code and
// the first letters of its four side marks, "." for none) and at column c + ColonnaBaseDis (its tile name),
// every row and column `dimCella` twips.
void F3VisCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, int dimCella);

// `F3DisegnaCelDis`: the view copies the main grid's pictures (its ColonnaBaseDis then stands two columns
// right of the last of them), every row and column `dimCella` twips, and draws every cell of the drawing's
// extent in black; UltimaColonnaDis is the last grid column drawn (0 for an empty drawing). The debug dump
// "celdis.txt" holds the drawing as it is drawn.
void F3DisegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, const GridControl& Gr, int dimCella);

// `F3SettaSimboliDis`: the inner cells of `tmpList` (every cell but the first and the last, which are the
// end crossings) get the line code that joins them to the cells before and after them in the list, and are
// drawn in `tmpColore`. A cell whose neighbours in the list are not beside it keeps its code.
void F3SettaSimboliDis(CellDrawing& tblGen, VistaRidisegno& vista, const ListaCelleDis& tmpList,
                       int tmpColore);

// `F3InAngolo`: cell (r1, c2) or cell (r2, c1) is a crossing cell ("3" or "4"); cells outside the drawing
// are not.
bool F3InAngolo(const CellDrawing& tblGen, int r1, int c1, int r2, int c2);

// Every cell of the drawing's extent drawn in black at its column, without the copy of the main grid (the
// redraws draw the drawing again this way after they have moved it).
void disegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista);

// Every crossing of the drawing is seen as one: no strand passes through a cell diagonally beside it, so
// that its four arms leave it on their own.
bool incrociDistinti(const CellDrawing& tblGen);

// Sets apart the crossings a tidy-up left crowded (`incrociDistinti` false): rows and columns are inserted
// until no strand passes diagonally beside a crossing and no two crossings touch, and the drawing is drawn
// again where it stands in the view. Refused when the table has no room left.
Status separaIncroci(CellDrawing& tblGen, VistaRidisegno& vista);

// `NumIncrociDis`: the crossing cells ("3", "4") of the drawing's extent.
int contaIncrociCelDis(const CellDrawing& tblGen);

// `F3SistemaGrafica`: with more than two crossing cells the drawing is walked into a fresh diagram and made
// again from that diagram's cell table, each cell where it stood; then every arc's course is tidied (loops
// cut off, gaps on one row or column filled; with `ConF3Migliorapercorso` first one stretch replaced by an
// L-shaped run through empty cells, unless the run would pass diagonally beside a crossing) and its line
// codes recomputed from the course. The new drawing is drawn right of the last one, behind an arrow. A
// drawing that cannot be walked is refused with the walk's message and left as it was. A course that cannot
// be tidied, or that its tidy-up leaves broken (a cell still holding a marker), is refused too, and the
// drawing is made again from its walk untidied: the same line codes in the same cells as before the call.
Status F3SistemaGrafica(CellDrawing& tblGen, VistaRidisegno& vista, bool ConF3Migliorapercorso);

// The step viewer's "Migliora": the drawing tidied with shortcuts, always as a new drawing right of the last
// one drawn, behind an arrow; every drawing already in the view stays as it is. With more than two crossing
// cells this is `F3SistemaGrafica` with `ConF3Migliorapercorso`, refused as it refuses. A drawing of two
// crossing cells or fewer, which `F3SistemaGrafica` leaves where it stands, is walked and tidied too when it
// can be walked, and otherwise drawn there as it is.
Status miglioraCelDis(CellDrawing& tblGen, VistaRidisegno& vista);

// The tidy-up that ends the redraw of a diagram given by its code: `F3SistemaGrafica`, with a failed
// tidy-up of a course taken as the drawing kept untidied (false), since that drawing is still the one the
// move gives. Only a drawing that cannot be walked is a failure.
Result<bool> sistemaRidisegno(CellDrawing& tblGen, VistaRidisegno& vista, bool ConF3Migliorapercorso);

// `F3PulisciCelDis`: every cell's code, number, tile name, regions and mark cleared (`Tooltip` and the side
// marks kept), and the extent emptied.
void F3PulisciCelDis(CellDrawing& tblGen);

}  // namespace trevalon
