#pragma once
// Reading and writing cells of the cell table the way the layout code needs it: a neighbour beyond the
// table reads as an empty cell, and "free for an arc" is an empty cell or a cell of that arc.

#include "model/tables.h"

namespace trevalon {

inline constexpr CellaNodo kCellaVuota{};

inline const CellaNodo& cella(const Diagram& d, int r, int c) {
    return CellTable::inside(r, c) ? d.TblNodo.at(r, c) : kCellaVuota;
}
inline char tipoDi(const Diagram& d, int r, int c) {
    return cella(d, r, c).Tipo;
}

// A cell of the table (not its border ring) whose Tipo is empty, or "A" of arc `arco`.
inline bool liberaPerArco(const Diagram& d, int arco, int r, int c) {
    if (r < 1 || c < 1 || r >= kMaxCella || c >= kMaxCella) return false;
    const CellaNodo& x = d.TblNodo.at(r, c);
    return x.Tipo == 0 || (x.Tipo == 'A' && x.Numero == arco);
}
inline bool cellaDellArco(const Diagram& d, int arco, int r, int c) {
    const CellaNodo& x = cella(d, r, c);
    return x.Tipo == 'A' && x.Numero == arco;
}
inline void svuota(CellaNodo& x) {
    x.Tipo = 0;
    x.Numero = 0;
}

// Heading 1..4 to its step.
inline void passoDi(int dir, int& dr, int& dc) {
    static constexpr int kDr[5] = {0, -1, 0, 1, 0};
    static constexpr int kDc[5] = {0, 0, 1, 0, -1};
    dr = kDr[dir];
    dc = kDc[dir];
}
inline int giraDestra(int d) {
    return d % 4 + 1;
}
inline int giraSinistra(int d) {
    return d == 1 ? 4 : d - 1;
}
inline int ruota(int d, int k) {
    return ((d - 1 + k) % 4 + 4) % 4 + 1;
}

}  // namespace trevalon
