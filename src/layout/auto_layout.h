#pragma once
// Automatic layout of a diagram given by its code: a breadth-first tree of the crossings grown on the
// work grid from the root crossing, the side tables of every crossing (the planar embedding), and the
// spread of the work grid into the cell table with the tree arcs drawn as straight runs.

#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_state.h"
#include "model/model_settings.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// The reason a spread of the work grid gives when it does not fit the cell table.
inline constexpr std::string_view kLayoutTroppoGrande = "the layout is too large for the cell table";

// How a layout reads its code: with the layout's debug dumps on, the reader writes its own dumps (the arcs
// as read, "archi.txt", and the crossings) into the same folder.
ModelSettings letturaCodice(const LayoutState& s);

// `Disegna`: reads the code, lays the crossings out and spreads the layout into the cell table; fails,
// with the reason, when the layout cannot be made.
Status Disegna(Diagram& d, LayoutState& s);

// The spread of the laid-out work grid into the cell table with spacing s.FattoreLayout, without its
// stray arc cells (the last steps of `Disegna`).
Status StendiLayout(Diagram& d, LayoutState& s);

// `GeneraAlberoAmpiezza`: the breadth-first tree on the work grid; with s.codaDallaFine the queue is served
// from its end, last queued first.
Status GeneraAlberoAmpiezza(Diagram& d, LayoutState& s);
// `GeneraDirezioniAmpiezza`: places crossing n at work cell (r, c), turns its sides so that arc nArc
// faces the parent (on the parent's side `Rotazione`, 0 for the root) and queues its unplaced neighbours.
// False when the tree queue is full.
bool GeneraDirezioniAmpiezza(Diagram& d, LayoutState& s, int n, int r, int c, int nArc, int Rotazione);
// `InsRigaCol`: opens the occupied work cell (r, c) beside the parent cell (rp, cp). False when the shift
// would push cells off the work grid.
bool InsRigaCol(Diagram& d, LayoutState& s, int r, int c, int rp, int cp);

// The start of a layout tree from the root crossing `IncrocioRadice`: refused when the root is not a
// crossing of the diagram; otherwise the tree queue, the work grid and the placed marks emptied.
Status iniziaAlbero(Diagram& d, LayoutState& s);

// `VisCostruzione`: with daCelle the work grid is spread into the cell table (tree arcs drawn as runs
// when msg is "F"); then the extent is recomputed, over the spread alone after a spread (the table was
// cleared first), over `entro` when given (every cell outside it is known to be empty), else over the
// whole table. Does nothing in the automatic run. Fails when the spread does not fit the cell table.
Status VisCostruzione(Diagram& d, LayoutState& s, const std::string& msg, bool daCelle,
                      const LimitiNodo* entro = nullptr);
// `ClearTblNodo`: empties every field of every cell that may hold anything: the part an earlier layout
// left, the rows and columns in use and the extent.
void ClearTblNodo(Diagram& d, LayoutState& s);
// A build notes the cells it writes into s.areaSporca (see `areaNotata`).
void NotaAreaScritta(LayoutState& s, const std::vector<Punto>& celle);
// The same for one cell that lies inside the area noted already.
void NotaCellaScritta(LayoutState& s, Punto p);
// `SettaLimiti`: the extent of the non-empty cells (9999, 0, 9999, 0 when there is none).
void SettaLimiti(Diagram& d);
// The same, looking only inside `entro`: every cell outside it is known to be empty.
void SettaLimiti(Diagram& d, const LimitiNodo& entro);

// The spacing of the developer field: the text read as a number, rounded half to even (0 when it is not
// a number).
int LeggiFattore(const std::string& text);

}  // namespace trevalon
