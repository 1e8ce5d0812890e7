#pragma once
// The cells of an arc known twice, as cells of the cell table and as its path: listing a path into the
// point list and stamping its cells, loop removal, and the path rebuilt from the list.

#include <vector>

#include "layout/layout_state.h"
#include "layout/path_text.h"
#include "model/tables.h"

namespace trevalon {

// `ListaCelle`: lists `PuntiExtra` followed by `Percorso` of the arc (its first piece is not an item),
// stamps the listed cells as the arc's cells (never a crossing or another arc's cell) and removes loops.
void ListaCelle(Diagram& d, LayoutState& s, int arco, bool chiedi = false);
// The same from the items already read (those of `PuntiExtra`, then those of `Percorso`).
void ListaCelle(Diagram& d, LayoutState& s, int arco, const std::vector<Punto>& voci, bool chiedi = false);
// The cells of arc `arco` in the cell table in the order of its course, from the cell beside its start
// crossing (on the side the arc leaves it by) to the cell before its end crossing, each step following the
// line code (`Forma`) of the cell reached. An arc laid out along the layout's tree has its cells but no path:
// this is its list. Empty for an arc with no cell beside its start crossing; the walk stops at a cell whose
// line code does not go on from the side it was entered by, and never passes a cell twice.
std::vector<Punto> celleDelCorso(const Diagram& d, int arco);
// `RiparaArchi`: two passes of `ListaCelle` over every arc whose path is not empty.
void RiparaArchi(Diagram& d, LayoutState& s);

// `VerificaListacelle`: the point list from the path, keeping the cells that still are the arc's.
void VerificaListacelle(Diagram& d, LayoutState& s, int arco);
// `SplittaListacelle`: the point list from the whole path; free listed cells become the arc's cells.
void SplittaListacelle(Diagram& d, LayoutState& s, int arco);
// `ComponiListaCelle`: the path (and the buffer) rebuilt from the point list, with `Posizione`.
void ComponiListaCelle(Diagram& d, LayoutState& s, int arco);
// `PuntiDaEl`: removes loops from the point list (a point that comes back to, or next to, a cell listed
// earlier drops the points between), clears the dropped cells and rebuilds the path.
void PuntiDaEl(Diagram& d, LayoutState& s, int arco, bool chiedi = false);
// `VerificaRettangoloVuoto`: every cell of the rectangle is free for the arc.
bool VerificaRettangoloVuoto(const Diagram& d, int arco, int r1, int c1, int r2, int c2);

// What the straightening and the corner flipping share of the lists.
// An arc number the tables hold.
bool arcoValido(int arco);
// Loop erasure of the point list of an arc whose listed cells are stamped: a point that comes back to a
// cell listed earlier drops everything after that cell; a point next to a cell listed before its
// predecessor drops the cells between. Dropped cells are cleared; the kept ones are numbered.
void cancellaAnelli(Diagram& d, LayoutState& s, int arco, bool chiedi);
// Whether the path just rebuilt from the point list (`ComponiListaCelle`) names distinct cells and kept
// every point, so that each is a cell of the arc numbered by its place: noted for a path kept in memory.
void segnaPulito(LayoutState& s, int arco);

}  // namespace trevalon
