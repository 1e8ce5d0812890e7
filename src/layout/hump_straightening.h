#pragma once
// The straightening of humps: where an arc leaves a row or column and comes back to it further on with
// only empty cells between, the stretch between is laid straight along the line.

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// `RaddrizzaGobbe`: straightens the humps of every arc over the given rows and columns.
void RaddrizzaGobbe(Diagram& d, LayoutState& s, int arco, int minR, int maxR, int minC, int maxC);
// Between these two, the passes of `RaddrizzaGobbe` over one area remember each line's scan and skip
// what the last pass has left unchanged; they straighten as passes that scan everything do.
void iniziaRaddrizzature(LayoutState& s);
void fineRaddrizzature(Diagram& d, LayoutState& s);
// `RaddrizzaRigCol`: straightens the humps of one line: row rc when dr is 0, else column rc.
void RaddrizzaRigCol(Diagram& d, LayoutState& s, int minR, int maxR, int minC, int maxC, int rc, int dr,
                     int dc);

}  // namespace trevalon
