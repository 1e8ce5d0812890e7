#pragma once
// The border walk around the laid-out diagram and the routing of the arcs that the layout tree left as
// two end cells: along an L of two straight legs where both are free, else following the border.

#include <string>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// `PercorriBordo`: lists, clockwise, every arc end cell that touches the outer border of the drawing.
void PercorriBordo(Diagram& d, LayoutState& s, std::string* why = nullptr);
// `DisegnaArchi`: routes, pass after pass, every pair of end cells of one arc that follow each other in
// the border list. Sets d.ErroreCostruzione when a pass routes nothing or a route fails.
void DisegnaArchi(Diagram& d, LayoutState& s, std::string* why = nullptr);
// `TracciaPercorso`: routes the arc of the border points p1 (the earlier) and p2.
void TracciaPercorso(Diagram& d, LayoutState& s, const PuntoBordo& p1, const PuntoBordo& p2,
                     std::string* why = nullptr);
// `ListaPunti`: one straight leg appended to the buffer; false at the first cell not free for the arc.
bool ListaPunti(Diagram& d, LayoutState& s, int arco, int r1, int c1, int r2, int c2);
// `ListaPuntiBordo`: the route from the end cell (r1, c1), whose crossing is at (ri, ci), to the end
// cell (rf, cf), keeping the drawing on its right.
void ListaPuntiBordo(Diagram& d, LayoutState& s, int arco, int r1, int c1, int rf, int cf, int ri, int ci,
                     std::string* why = nullptr);
// `PuntiPercorso`: the buffer's cells become the arc's cells.
void PuntiPercorso(Diagram& d, LayoutState& s, int arco);

}  // namespace trevalon
