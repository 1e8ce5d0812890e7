#pragma once
// The debug dumps of a routing pass that routed nothing: the arcs still waiting on the border and the main
// grid as a spreadsheet, so that the failed picture can be studied cell by cell.

#include <string>

#include "platform/debug_dump.h"
#include "platform/grid_control.h"

namespace trevalon {

// "errbordo.txt": one line, the arc of every border point left, each followed by "," (arcsLeft as it
// stands); "errbordo.xlsx": the main grid, when one is given. Nothing while the dump folder is off.
void scriviErroreBordo(const DumpFolder& dump, const std::string& arcsLeft,
                       const GridControl* grigliaPrincipale);

}  // namespace trevalon
