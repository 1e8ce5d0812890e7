#pragma once
// Tidying the routed cell table: humps straightened, corners flipped, isolated cells removed, cell lists
// rebuilt, and every row (column) that merely repeats the one before it deleted.

#include <string>
#include <string_view>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// `Assesta`: the whole tidying.
void Assesta(Diagram& d, LayoutState& s);
// `EliminaRigheUgualiN` / `EliminaColonneUgualiN`: delete repeated rows / columns over the whole table;
// the items of every path move with their cells, those of a deleted line to the line it merged into.
// Given an area outside which every cell is empty, only the area is visited, and it becomes the area
// the kept lines fill.
void EliminaRigheUgualiN(Diagram& d, LimitiNodo* area = nullptr);
void EliminaColonneUgualiN(Diagram& d, LimitiNodo* area = nullptr);

// The path text with the row (or column) of each item renamed through `mappa` (indexed by the old value;
// values outside it are kept). Each item keeps its own form ("12,7|" or "12,7,|").
std::string rinominaVoci(std::string_view text, const std::vector<int>& mappa, bool righe);

}  // namespace trevalon
