#pragma once
// A region shown in the main grid for the developer: the arcs that bound it, or the arcs crossed by the
// shortest path between two regions, drawn in colour over the diagram already drawn.

#include <string_view>
#include <vector>

#include "layout/render_grid.h"
#include "model/tables.h"
#include "platform/ports.h"
#include "platform/result.h"

namespace trevalon {

// The arcs `DisegnaRegione` draws for its answer: one region number gives the arcs of its code
// (`CodRegione`), two numbers ("a,b") the arcs of the shortest path between them (`MatRegioni` `cam`);
// an empty entry counts as 0. Refused with a message when a number is not a region 1..NumRegioni, when the
// entry is not one or two numbers, or when the diagram has no regions.
Result<std::vector<int>> archiRegione(const Diagram& d, std::string_view risposta);

// `DisegnaRegione`: asks for the region numbers in an input box titled "Regioni" and draws each arc of
// `archiRegione` with `DisegnoGrafico` in `colore`. A cancelled box draws nothing; a refused entry is shown
// through the message port and draws nothing. The arcs drawn, or why none was.
Result<std::vector<int>> DisegnaRegione(Diagram& d, RenderState& st, const RenderTarget& t, MessagePort& ui,
                                        int colore = ColRosso);

}  // namespace trevalon
