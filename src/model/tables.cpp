#include "model/tables.h"

#include <algorithm>

namespace trevalon {

void CellTable::clear(int r0, int r1, int c0, int c1) {
    r0 = std::max(r0, 0);
    c0 = std::max(c0, 0);
    r1 = std::min(r1, kSize - 1);
    c1 = std::min(c1, kSize - 1);
    if (r0 > r1 || c0 > c1) return;
    for (int r = r0; r <= r1; ++r) {
        auto first = cells_.begin() + static_cast<std::ptrdiff_t>(r) * kSize;
        std::fill(first + c0, first + c1 + 1, CellaNodo{});
    }
}

}  // namespace trevalon
