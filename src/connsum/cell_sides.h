#pragma once
// The arc numbers the split into summands and the join of their cut ends write into cells, and the sides of
// a cell of the cell table (1 up, 2 right, 3 down, 4 left) as they walk them: the neighbour on a side, the
// sides a line code reaches, and the line code of a strand through two sides.

#include <utility>

namespace trevalon {

// Arc number of a crossing cell turned into a strand cell, and of the cells of a joining path.
inline constexpr int kArcoIncrocioAperto = 6666;
inline constexpr int kArcoCongiunzione = 5555;

}  // namespace trevalon

namespace trevalon::lati {

struct Cella {
    int r = 0, c = 0;
    bool operator==(const Cella&) const = default;
};

// The neighbour of x on side `lato`.
inline Cella vicino(Cella x, int lato) {
    switch (lato) {
        case 1:
            return {x.r - 1, x.c};
        case 2:
            return {x.r, x.c + 1};
        case 3:
            return {x.r + 1, x.c};
        default:
            return {x.r, x.c - 1};
    }
}

// Whether line code `forma` reaches side `lato` of its cell (a crossing reaches all four).
inline bool raggiunge(int forma, int lato) {
    switch (forma) {
        case 1:
            return lato == 1 || lato == 3;
        case 2:
            return lato == 2 || lato == 4;
        case 3:
        case 4:
            return true;
        case 5:
            return lato == 1 || lato == 4;
        case 6:
            return lato == 1 || lato == 2;
        case 7:
            return lato == 2 || lato == 3;
        case 8:
            return lato == 3 || lato == 4;
        default:
            return false;
    }
}

// The line code of a strand through sides a and b; 0 for two sides no line code joins.
inline int codiceLati(int a, int b) {
    if (a > b) std::swap(a, b);
    if (a == 1 && b == 3) return 1;
    if (a == 2 && b == 4) return 2;
    if (a == 1 && b == 4) return 5;
    if (a == 1 && b == 2) return 6;
    if (a == 2 && b == 3) return 7;
    if (a == 3 && b == 4) return 8;
    return 0;
}

}  // namespace trevalon::lati
