#pragma once
// Highlights of a shown move candidate in the main grid: the crossing concerned is shown switched, the two
// named arcs joined through it instead of crossing there.

#include <string_view>

#include "model/tables.h"

namespace trevalon {

struct DocumentoNodo;
struct VistaNodo;

// The switched tile of crossing tmpIncr for the arcs of tmpLista (",a,b,": each number enclosed in ","):
// the sides 1..4 whose arc the list names are taken in order, the first and the last of them; 9 when they
// are sides 1 and 2 or 3 and 4 (either order), else 10.
int tesseraNodoSw(const Diagram& d, int tmpIncr, std::string_view tmpLista);

// `DisegnaNodoSw`: only for tables of kind 'A' or 'I'. The crossing cell of tmpIncr gets the switched tile's
// name in the tile-name table (and its picture with the developer switch), its label in red when the
// diagram comes from a code, and a centred picture. `arco` is not used. Returns the tile, 0 when nothing
// was drawn (another kind of tables, or no cell of that crossing).
int DisegnaNodoSw(VistaNodo& vista, const DocumentoNodo& doc, int tmpIncr, int arco,
                  std::string_view tmpLista);

}  // namespace trevalon
