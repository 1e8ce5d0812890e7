#pragma once
// Joining the cut ends of a summand: a new strand traced through the empty cells of the cell table from
// the cell marked "II1" to the cell marked "II2".

#include "model/tables.h"

namespace trevalon {

// `CollegaEstremiIC`: two walks along the obstacles (one keeping them on either hand) from "II1" to
// "II2" inside the box `l` (cells outside it are obstacles), the shorter one with its loops and detours
// taken out written as arc cells numbered 5555 and marked "III". False, with nothing written, when there
// is no "II1" or "II2" inside the box or no walk reaches "II2" within its bound.
bool CollegaEstremiIC(Diagram& d, const LimitiNodo& l);

// The cut ends joined when no way between them stays off the summand's strands: the cheapest path from
// "II1" to "II2" inside the box `l`, through empty cells and straight across straight strand cells, each
// strand crossed becoming a crossing with the new strand over it (as few as the way allows). A strand laid
// over everything it meets closes the open strand into the knot it ties, whatever the strand crosses. The
// path is written as in CollegaEstremiIC (5555, "III"). False, with nothing written, when no path exists.
bool CollegaEstremiSopra(Diagram& d, const LimitiNodo& l);

}  // namespace trevalon
