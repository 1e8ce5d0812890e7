#pragma once
// The flipping of corners: a corner of an arc's path whose two legs can run along the other two sides of
// their rectangle is flipped there where that removes bends.

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// `InvertiAngolo`: flips corners of the arc's path to the other side of their rectangle where that
// removes bends; (rf, cf) is the arc's end cell.
void InvertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala = false);
// `InvertiAngolo` over every arc, pass after pass, until a pass flips nothing (at most 10000 passes); the
// arc `segnalato` is shown to the developer aids. A pass tries an arc's corners from the first one whose
// cells have changed since its last try.
void InvertiAngoliTutti(Diagram& d, LayoutState& s, int segnalato);
// The same right after `ListaCelle` of the arc, whose loop removal has left the path as the point list,
// without loops and numbered by its places; with daScrivere, a list not yet written as the buffer and the
// path, which the flipping writes when it is over.
void InvertiAngoloElencato(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool daScrivere = false);

}  // namespace trevalon
