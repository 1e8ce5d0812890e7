#pragma once
// The redraw of the cell drawing after a move: the dispatcher that carries out a move of each kind on the
// drawing (`F3SavDis_click`'s engine) and the whole redraw of a move on the diagram shown, checked.

#include <memory>
#include <vector>

#include "celldraw/redraw.h"
#include "model/cell_drawing.h"
#include "model/tables.h"
#include "platform/codes.h"
#include "platform/result.h"

namespace trevalon {

// The move III (or horizontal move III) shown on diagram d: the arcs of the moved strand in walking order,
// the arcs its new route crosses and the route's regions, as the candidate that was highlighted.
struct MossaPonteDis {
    const Diagram* d = nullptr;
    std::vector<int> archiMossa, archiAttraversati, regioniMossa;
};

// The engine of `F3SavDis_click`: the redraw of the drawing for a move of kind `tipoMossa` (moves I and
// II, and move III with its route in `ponte`; a kind without a redraw, or a move III without its route, is
// refused), and the count of crossing cells (`NumIncrociDis`) afterwards. The extent never passes the
// table: a redraw that would is refused. `d`, the diagram shown, lets a move II lay one stretch along the
// other (`F3disTxt2`).
Result<int> F3SavDis(CellDrawing& tblGen, VistaRidisegno& vista, MoveKind tipoMossa,
                     const MossaPonteDis* ponte = nullptr, const Diagram* d = nullptr);

// The whole redraw of a move on the diagram shown: the cell drawing made from d's cell table with the
// candidate's tile names `Tbltt` (`F3GenCelDis` with its box moved to the drawing's corner), redrawn for
// the move (`F3SavDis`, with `ponte` for a move III), then checked (`verificaCelDis`): only line codes,
// every strand and crossing joined on the sides its code names. Any failure is returned with its reason and
// no drawing. With a view grid and the main grid `Gr`, the view first shows the main grid's picture and the
// drawing before the move beside it (`F3DisegnaCelDis`), every cell `dimCella` twips.
Result<std::unique_ptr<CellDrawing>> ridisegnaCelDis(const Diagram& d, const TileNameTable& Tbltt,
                                                     MoveKind tipoMossa, VistaRidisegno& vista,
                                                     const GridControl* Gr = nullptr, int dimCella = 0,
                                                     const MossaPonteDis* ponte = nullptr);

}  // namespace trevalon
