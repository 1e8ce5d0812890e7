#pragma once
// A move on a diagram that is only drawn (walked from its drawing, with no cell drawing and no code
// layout): its arcs are taken off the cell table, so the drawing shows where the move acts.

#include <string_view>

#include "model/tables.h"

namespace trevalon {

// `EliminaArchi`: every "-" and "+" of the list dropped, then for each arc number of it (split at ",") the
// cells of the arc's path lose their kind, neighbours, symbol and number (line code and position stay).
// Items that are not an arc of the diagram, and path items outside the cell table, are passed over.
// Returns the cells cleared.
int EliminaArchi(Diagram& d, std::string_view tmpLista);

}  // namespace trevalon
