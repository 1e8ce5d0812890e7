#pragma once
// A cell list of the cell drawing: the cells of an arc's course in order, the points of the arc's path.
// Its text form is the path text of the layout (layout/path_text.h), read with a check since a course may
// come from a file; the redraws work on the list itself, and on the sides of its cells.

#include <string_view>
#include <vector>

#include "layout/layout_state.h"
#include "layout/path_text.h"
#include "model/sides.h"
#include "platform/result.h"

namespace trevalon {

using PuntoDis = Punto;
using ListaCelleDis = std::vector<PuntoDis>;

// Sides and headings of a cell: 1 up, 2 right, 3 down, 4 left. The side across from `lato`, and the cell
// beside p on side `lato`.
inline int opposto(int lato) {
    return latoOpposto(lato);
}
inline PuntoDis accanto(PuntoDis p, int lato) {
    constexpr int kDr[5] = {0, -1, 0, 1, 0};
    constexpr int kDc[5] = {0, 0, 1, 0, -1};
    return {p.r + kDr[lato], p.c + kDc[lato]};
}

// The cells of a course's text, checked (`leggiVociControllate`).
inline Result<ListaCelleDis> leggiListaDis(std::string_view testo) {
    return leggiVociControllate(testo);
}

}  // namespace trevalon
