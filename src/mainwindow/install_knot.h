#pragma once
// Where a knot built below the window (`NodoCostruito`) enters a window's document: installed as its
// diagram (for a move, an undo, a layout from another root), or opened as a new document at step 0.

#include <cstdint>
#include <string>

#include "celldraw/built_knot.h"
#include "layout/layout_state.h"
#include "model/cell_drawing.h"
#include "platform/codes.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// Makes a built knot the window's diagram and draws it. A knot from a code replaces the tables, `ModoGen`
// becomes Code and the root is kept in `PartenzaDisegno`; outside the automatic run it is drawn into the
// main grid (a larger grid for a drawing larger than the usual work extent). A knot kept as a cell drawing
// brings its drawing, `ModoGen` becomes "I" and it is drawn with the drawn-knot tiles; a drawing too small
// to build is shown tile by tile, with no code and the commands off.
void installaNodo(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo);

// `GeneradatblGen`: the window's tables rebuilt from `tblGen` (the cell drawing of the step shown) and
// drawn. With fewer than three crossing cells (`NumIncrociDis`) nothing is built: the drawing is shown
// tile by tile, the code texts are emptied and the commands and "Salva" are off. False, with the message
// shown and the window unchanged, when the drawing cannot be rebuilt.
bool GeneradatblGen(ContestoFinestra& f, VistaNodo& v, CellDrawing&& tblGen);

// The fingerprint of a diagram as built from a code: its cell table over the used area, extent, arc,
// crossing, passage and region tables and texts, with the settings of the layout state it was built with.
// Never 0.
std::uint64_t improntaDiagramma(const Diagram& d, const LayoutState& s);

// The table dumps of a drawn knot that was built without the window's settings (the knot designer's
// compilation): its tables built again from its cell drawing with the window's debug switch and dumps'
// folder, into tables of their own, as opening its knot file builds them (kind "I"). Nothing at all while
// the switch is off.
void scriviDumpDisegnato(ContestoFinestra& f, const CellDrawing& tblGen);

// Opens a built knot as the window's new document, read from the file `nome` of kind `tipo`: the look of
// its kind (palette, zoom levels 3..6 at 6 for a knot from a code, 1..5 at 3 for a drawn one), installed,
// step 0 recorded (a drawn knot's with its own drawing), commands and caption of step 0. Opening a drawn
// knot asks the "Migliora" question again.
void apriPassoZero(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo, const std::string& nome,
                   KnotFileKind tipo);

}  // namespace trevalon
