#pragma once
// Automatic layout of a diagram given by its code: a breadth-first tree of the crossings grown on the
// work grid from the root crossing, the side tables of every crossing (the planar embedding), and the
// spread of the work grid into the cell table with the tree arcs drawn as straight runs.

#include <string>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// `Disegna`: reads the code, lays the crossings out and spreads the layout into the cell table. Sets
// d.ErroreCostruzione (with the reason in *why when given) when the layout cannot be made.
void Disegna(Diagram& d, LayoutState& s, std::string* why = nullptr);

// The spread of the laid-out work grid into the cell table with spacing s.FattoreLayout, without its
// stray arc cells (the last steps of `Disegna`).
void StendiLayout(Diagram& d, LayoutState& s, std::string* why = nullptr);

// `GeneraAlberoAmpiezza`: the breadth-first tree on the work grid.
void GeneraAlberoAmpiezza(Diagram& d, LayoutState& s, std::string* why = nullptr);
// `GeneraDirezioniAmpiezza`: places crossing n at work cell (r, c), turns its sides so that arc nArc
// faces the parent (on the parent's side `Rotazione`, 0 for the root) and queues its unplaced neighbours.
void GeneraDirezioniAmpiezza(Diagram& d, LayoutState& s, int n, int r, int c, int nArc, int Rotazione);
// `InsRigaCol`: opens the occupied work cell (r, c) beside the parent cell (rp, cp). False (and the build
// error set) when the shift would push cells off the work grid.
bool InsRigaCol(Diagram& d, LayoutState& s, int r, int c, int rp, int cp);

// `VisCostruzione`: with daCelle the work grid is spread into the cell table (tree arcs drawn as runs
// when msg is "F"); then the extent is recomputed. Does nothing in the automatic run.
void VisCostruzione(Diagram& d, LayoutState& s, const std::string& msg, bool daCelle,
                    std::string* why = nullptr);
// `ClearTblNodo`: empties every field of every cell that may hold anything: the part an earlier layout
// left, the rows and columns in use and the extent.
void ClearTblNodo(Diagram& d, LayoutState& s);
// `SettaLimiti`: the extent of the non-empty cells (9999, 0, 9999, 0 when there is none).
void SettaLimiti(Diagram& d);

// The spacing of the developer field: the text read as a number, rounded half to even (0 when it is not
// a number).
int LeggiFattore(const std::string& text);

}  // namespace trevalon
