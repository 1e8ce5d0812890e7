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

// Which way a joining strand passes the strands it has to cross.
enum class Scavalco { Sopra, Sotto };

// The cut ends joined when no way between them stays off the summand's strands: the cheapest path from
// "II1" to "II2" inside the box `l`, through empty cells and straight across straight strand cells, each
// strand crossed becoming a crossing with the new strand over it (`Scavalco::Sopra`) or under it (as few
// as the way allows). A strand that lies over everything it meets closes an open strand into the knot the
// strand ties with its ends joined high above it, wherever it runs; one that lies under everything, with
// its ends joined far below. The path is written as in CollegaEstremiIC (5555, "III"). False, with nothing
// written, when no path exists.
bool CollegaEstremiScavalcando(Diagram& d, const LimitiNodo& l, Scavalco passa);

}  // namespace trevalon
