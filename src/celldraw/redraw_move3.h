#pragma once
// The redraw of the cell drawing after a move III or a horizontal move III: the moved strand (a bridge
// that passes over, or under, every crossing on its way) is taken off its old route and laid along the
// chosen route of regions, crossing the listed arcs where the main window marked the new crossings with
// the green crossing tiles ("v-a", "v-b", "v|a", "v|b", copied into `Simbolo`).
//
// The drawing is first spread out (an empty row after every row and an empty column after every column),
// so that every region of the diagram is one connected patch of empty cells; for a route that passes one
// region twice it is spread out twice, so that two pieces of the route can pass between the same two
// strands (first where the drawing's table holds it, and after a failed try on a drawing spread out once in
// any case). Each piece of the new route, from one of its crossings to the next, is then the shortest run
// with the fewest turns through the empty cells of the region it must lie in; the old route is cleared, its
// crossings become plain strands of the other strand, and the drawing is squeezed back by dropping the rows
// and columns that only repeat their neighbours. The spreading may need more room than the drawing's table:
// all this is done in a working table as large as it needs, and the result is brought back within the table's
// bounds. Every loop is bounded by the drawing; a drawing that cannot fit the table once redrawn, a route
// that finds no way, or a result that is not a closed drawing of the expected crossings is a failure, and the
// caller then applies the move through the code instead.

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "celldraw/redraw.h"
#include "model/cell_drawing.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// `F3disTxt3`: tblGen is the drawing made from d's cell table while the candidate was shown (F3GenCelDis
// with false). archiMossa: the arcs of the moved strand in walking order (`ListaArchiMossa`); the start
// crossing is the `IncrocioDa` of the first, the end crossing the `IncrocioA` of the last.
// archiAttraversati: the arcs the new route crosses, in route order; regioniMossa: the regions of the route
// (`ListaRegioniMossa`), one more than the crossed arcs.
//
// On success the moved strand runs from the start crossing to the end crossing along strand cells through
// one new crossing cell per crossed arc ("3" where the horizontal strand passes over, "4" where the
// vertical one does), the cells of its old route are empty, its old crossings are plain strands of the
// strand they crossed, no two crossing cells touch, and the drawing is drawn into the view (the new route
// in green). A drawing that fits the table when redrawn stands where it did; one that would pass the table's
// last row or column is moved up or left just enough. Refused, the drawing left as it was: arcs or regions
// out of range, a start or end crossing or a marked crossing that is not in the drawing, an old route that
// cannot be followed, a drawing too large to be spread out (the working table is bounded) or to fit the
// table once redrawn ("... is too large to be spread out for the redraw of the move."), and every failure
// of the redraw itself. The view's scroll column becomes its base column. Last, for a diagram given by its
// code, the whole drawing is tidied with shortcuts (`sistemaRidisegno`); a tidy-up that fails keeps the
// redrawn drawing untidied, one that cannot walk the drawing leaves it redrawn but untidied and fails.
Status F3disTxt3(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram& d,
                 const std::vector<int>& archiMossa, const std::vector<int>& archiAttraversati,
                 const std::vector<int>& regioniMossa);

// A new crossing of the route: the straight cell of the crossed arc where it comes, and the green crossing
// tile name that says which strand passes over there.
struct IncrocioVerde {
    PuntoDis cella;
    std::string_view nome;
};

// `F3disTxt3` with the new crossings given, one per crossed arc in route order, instead of read from the
// tile names: a route that crosses one arc twice has two of them on that arc, the first met first.
Status F3disTxt3(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram& d,
                 const std::vector<int>& archiMossa, const std::vector<int>& archiAttraversati,
                 const std::vector<int>& regioniMossa, const std::vector<IncrocioVerde>& nuovi);

// The drawing of working table `lavoro` brought back into the drawing's table tblGen (whose tile names it
// extends): cell by cell where it stands when its extent fits, else moved up and left just enough to end
// at the table's last row and column; the extent with it. A drawing taller or wider than rows and columns
// 1.. of the table is refused ("... is too large to be spread out for the redraw of the move.") and
// tblGen left as it was.
Status riportaNellaTavola(const CellDrawing& lavoro, CellDrawing& tblGen);

// The cells of a region a piece of a new route must keep off to leave lanes for the pieces of the same region
// still to come. The region is its cells (cellaRegione) inside box b; its walls are the cells of no region
// cell that touch one, corners included. They are cut in two stretches at the wall cells where the piece's
// run meets its crossings (`capi`); each piece still to come has its two such cells (`attesi`) on one
// stretch, and the piece must then pass no cell that touches that stretch: what lies between it and that
// stretch is left for the later one, at least one lane wide along every wall. Cells next to the piece's own
// ends are never kept off. A piece still to come with its ends on both stretches, or walls that the two ends
// do not cut apart, keep nothing off.
std::vector<PuntoDis> corsieDaLasciare(const LimitiDis& b, const std::function<bool(PuntoDis)>& cellaRegione,
                                       std::array<PuntoDis, 2> capi,
                                       const std::vector<std::array<PuntoDis, 2>>& attesi);

}  // namespace trevalon
