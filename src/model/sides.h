#pragma once
// The side tables of a crossing (ArcoLato, IncrocioLato, VersoLato for sides 1 top, 2 right, 3 bottom,
// 4 left): the base assignment from the crossing's letter and its rotation. The side tables are the
// planar embedding of the diagram: the region walk runs over them.

#include <array>

#include "model/tables.h"

namespace trevalon {

// Base assignment of crossing n: the over strand horizontal, entering at side 4 and leaving at side 2; the
// under strand enters at side 1 and leaves at side 3 when the letter Ori is "V", else enters at side 3 and
// leaves at side 1.
void AssegnaLatiBase(Diagram& d, int n);

// Turns the three side tables of crossing n together, keeping their clockwise order, so that arc nArc comes
// to side rot (1..4). rot 0 leaves them as they are; so does an arc that no side of n holds.
void RuotaLati(Diagram& d, int n, int nArc, int rot);

// Base assignment for every crossing 1..NumIncroci.
void AssegnaLatiTutti(Diagram& d);

// `ArcoInnodo`: the side 1..4 of crossing tmpIncr that holds arc tmpArco, the higher side when it holds
// it twice (a curl); -1 when either is 0, the crossing is beyond the table or no side holds the arc.
int ArcoInnodo(const Diagram& d, int tmpIncr, int tmpArco);

// The side of a cell across from side `lato` (1 up, 2 right, 3 down, 4 left).
inline int latoOpposto(int lato) {
    return (lato + 1) % 4 + 1;
}

// The two sides a strand's line code (`Forma`: 1 "28", 2 "46", 5 "24", 6 "26", 7 "68", 8 "48") joins;
// {0, 0} for any other code.
inline std::array<int, 2> latiDellaForma(int forma) {
    static constexpr std::array<std::array<int, 2>, 9> kLati{
        {{0, 0}, {1, 3}, {2, 4}, {0, 0}, {0, 0}, {1, 4}, {1, 2}, {2, 3}, {3, 4}}};
    return forma >= 0 && forma <= 8 ? kLati[static_cast<std::size_t>(forma)] : std::array<int, 2>{0, 0};
}

}  // namespace trevalon
