#pragma once
// The comma lists of a move III ("5,6,7" for a bridge, "12,15," for crossed arcs, "3,8,9," for regions):
// read as numbers and written back.

#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// The leading whole number of every non-empty item ("12+" reads as 12; an item without digits as 0).
std::vector<int> numeriLista(std::string_view lista);

// The numbers joined by ","; with `chiusa` every number is followed by "," ("3,8,9,").
std::string testoLista(const std::vector<int>& numeri, bool chiusa);

}  // namespace trevalon
