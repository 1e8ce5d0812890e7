#pragma once
// The border walk around the laid-out diagram and the routing of the arcs that the layout tree left as
// two end cells: along an L of two straight legs where both are free, else following the border.

#include <string>

#include "layout/layout_state.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// `PercorriBordo`: lists, clockwise, every arc end cell that touches the outer border of the drawing.
// Fails when the border cannot be walked (an empty table, a drawing at the table's edge).
Status PercorriBordo(const Diagram& d, LayoutState& s);
// `DisegnaArchi`: routes, pass after pass, every pair of end cells of one arc that follow each other in
// the border list. Fails when a pass routes nothing or a route fails.
Status DisegnaArchi(Diagram& d, LayoutState& s);
// `TracciaPercorso`: routes the arc of the border points p1 (the earlier) and p2.
Status TracciaPercorso(Diagram& d, LayoutState& s, const PuntoBordo& p1, const PuntoBordo& p2);
// `ListaPunti`: one straight leg appended to the buffer; false at the first cell not free for the arc.
bool ListaPunti(const Diagram& d, LayoutState& s, int arco, int r1, int c1, int r2, int c2);
// `ListaPuntiBordo`: the route from the end cell (r1, c1), whose crossing is at (ri, ci), to the end
// cell (rf, cf), keeping the drawing on its right. Fails, with the buffer emptied when the route cannot
// leave its start or comes back to it, when the end cannot be reached.
Status ListaPuntiBordo(Diagram& d, LayoutState& s, int arco, int r1, int c1, int rf, int cf, int ri, int ci);
// `PuntiPercorso`: the buffer's cells become the arc's cells.
void PuntiPercorso(Diagram& d, const LayoutState& s, int arco);

}  // namespace trevalon
