#pragma once
// Drawn knots: a knot that exists as a drawing on the cell grid (a knot source of the knot designer, a text
// drawing, or a cell drawing stored in a knot file of the "Object=" kind) is read, its structure walked out
// of the drawing itself, and shown with the drawn-knot tiles. Also the rebuild of every table from the cell
// drawing (`GeneradatblGen`), which "Undo" uses for steps kept as a drawing, and the main window's text
// drawings (`LeggiFile`, `SalvaFile`).
//
// Every build goes into fresh tables: only a drawing that walked, and whose structure could be derived,
// replaces the window's diagram; a failure leaves the diagram, the grid, the history and every file as they
// were, and says why.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "layout/palette.h"
#include "model/cell_drawing.h"
#include "model/drawn_structure.h"
#include "model/tables.h"
#include "model/text_drawing.h"
#include "moves/gauss_rewrite.h"
#include "platform/codes.h"
#include "platform/result.h"

namespace trevalon {

class Form2;

// `GeneradatblGen`: the window's tables rebuilt from `tblGen` (the cell drawing of the step shown) and
// drawn. With fewer than three crossing cells (`NumIncrociDis`) nothing is built: the drawing is shown
// tile by tile, the code texts are emptied and the commands and "Salva" are off. False, with the message
// shown and the window unchanged, when the drawing cannot be rebuilt.
bool GeneradatblGen(Form2& f, CellDrawing&& tblGen);

// `LeggiFile`: a text drawing (header line, then one row per line) into the window's drawing and its main
// grid, one bold symbol per cell on the palette's colours, the cells beside each crossing marked as the
// under strand; the grid grows to the whole drawing, at least 500 rows and columns of 150 twips. An empty
// name asks with the "TXT" dialog.
// False, with the message shown and nothing changed, for a file that is not a drawing.
bool LeggiFile(Form2& f, const std::string& tmpFile);
// What `LeggiFile` does with the drawing once it is read: a drawing already in memory goes into the window's
// drawing and its main grid the same way.
void MostraDisegnoTesto(Form2& f, DisegnoTesto disegno);

// `SalvaFile`: the text drawing of the main grid's texts ("G"), of the cell table's symbols ("T") or of the
// tile names ("S"). An empty name asks with the "TXT" dialog. The file is replaced only by a complete write.
bool SalvaFile(Form2& f, const std::string& tmpFile, DrawingSource Fonte);
// The text drawing `SalvaFile` writes for the source.
std::string testoDellaFonte(const Form2& f, DrawingSource Fonte);

}  // namespace trevalon
