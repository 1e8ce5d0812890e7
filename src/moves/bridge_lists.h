#pragma once
// The comma lists of the chosen-move record ("5,6,7" for a bridge, "12,15," for crossed arcs, "3,8,9,"
// for regions): split, read as numbers and written back.

#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// Every item between the commas, the empty ones included ("1,,2," gives "1", "", "2", "").
std::vector<std::string> dividiVirgole(std::string_view lista);

// The leading whole number of every non-empty item ("12+" reads as 12; an item without digits as 0).
std::vector<int> numeriLista(std::string_view lista);

// The numbers joined by ","; with `chiusa` every number is followed by "," ("3,8,9,").
std::string testoLista(const std::vector<int>& numeri, bool chiusa);

}  // namespace trevalon
