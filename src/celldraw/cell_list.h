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

// Sides and headings of a cell: 1 up, 2 right, 3 down, 4 left. The side across from `lato`, and the cell
// beside p on side `lato`.
inline int opposto(int lato) {
    return (lato + 1) % 4 + 1;
}
inline PuntoDis accanto(PuntoDis p, int lato) {
    constexpr int kDr[5] = {0, -1, 0, 1, 0};
    constexpr int kDc[5] = {0, 0, 1, 0, -1};
    return {p.r + kDr[lato], p.c + kDc[lato]};
}

// "r,c|" for every cell, in order.
std::string testoListaDis(const ListaCelleDis& lista);

// The cells of a text of "r,c|" items (a third field and blanks around the numbers are allowed; a number
// with a fraction goes to the nearest whole number, halves to the even one). The piece after the last
// "|" is ignored. An item that is not two numbers is refused with a message naming it.
Result<ListaCelleDis> leggiListaDis(std::string_view testo);

}  // namespace trevalon
