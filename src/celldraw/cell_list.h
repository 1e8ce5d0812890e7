#pragma once
// A cell list of the cell drawing: the cells of an arc's course in order. Its text form is the one arcs
// keep their paths in, items of row, ",", column and "|" ("3,4|3,5|"); the redraws work on the list itself.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace trevalon {

struct PuntoDis {
    int r = 0;
    int c = 0;
    friend bool operator==(const PuntoDis&, const PuntoDis&) = default;
};

using ListaCelleDis = std::vector<PuntoDis>;

// "r,c|" for every cell, in order.
std::string testoListaDis(const ListaCelleDis& lista);

// The cells of a text of "r,c|" items (a third field and blanks around the numbers are allowed; a number
// with a fraction goes to the nearest whole number, halves to the even one). The piece after the last
// "|" is ignored. An item that is not two numbers is refused with a message naming it.
Result<ListaCelleDis> leggiListaDis(std::string_view testo);

}  // namespace trevalon
