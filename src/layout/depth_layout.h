#pragma once
// The depth-first twin of the automatic layout, a developer's comparison: each crossing's unplaced
// neighbours are placed beside it one at a time, and the layout goes on from each before the next is
// placed. The side tables it writes are the planar embedding, as with the breadth-first tree.

#include "layout/layout_state.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// `GeneraDirezioni`: places crossing n at work cell (r, c), turns its sides so that arc nArc faces the
// parent (on the parent's side `Rotazione`, 0 for the root), then visits its sides clockwise from there:
// each neighbour not yet in the tree is recorded in the tree queue, placed one cell beside n (the cell
// opened with `InsRigaCol` when taken) and laid out from at once. Fails when a cell would leave the work
// grid.
Status GeneraDirezioni(Diagram& d, LayoutState& s, int n, int r, int c, int nArc, int Rotazione);

// `GeneraAlberoProfondita`: the depth-first tree from the root crossing at the centre of the work grid,
// which is cleared first with the queue counters.
Status GeneraAlberoProfondita(Diagram& d, LayoutState& s);

// `DisegnaProf`: reads the code, grows the depth-first tree, shows the work grid (`NodoIngrid`) and
// spreads it into the cell table with the spacing of the last layout, tree arcs not drawn and stray cells
// left (a developer's view of the tree). A root that is not a crossing of the diagram becomes 1. Fails,
// with the reason, when the code cannot be read or the layout cannot be made.
Status DisegnaProf(Diagram& d, LayoutState& s);

}  // namespace trevalon
