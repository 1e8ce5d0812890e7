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

// A drawn knot built into fresh tables.
struct NodoDisegnato {
    std::unique_ptr<Diagram> diagram;  // null for a cell drawing too small to be built
    std::unique_ptr<CellDrawing> tblGen;
    int NumIncrociDis = 0;  // crossing cells of the cell drawing
    // For a redrawn drawing too small to build: the code and letters of the move that gave it.
    std::optional<TestoNodo> testo;
};

// `NumIncrociDis`: the crossing cells (codes "3" and "4") of a cell drawing.
int contaIncrociDis(const CellDrawing& tblGen);

// A knot source or text drawing into fresh tables: its symbols walked (`GeneraStrutturaDaDisegno`, after
// `DisegnaModo2` classified every drawn cell with the drawn-knot palette), the diagonal steps given corner
// cells and line codes, the cell drawing made from the cell table, and every table rebuilt from that.
Result<NodoDisegnato> costruisciDaDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                          const std::function<void()>& tick = {});

// A cell drawing's snapshot text into fresh tables. A drawing without any crossing cell is the trivial knot:
// read, but not built.
Result<NodoDisegnato> costruisciDaSnapshot(const std::string& snapshot,
                                           const std::function<void()>& tick = {});

// A drawn knot file of kind `tipo` (Object: the "Object=" line; Source: a knot source or text drawing), its
// whole text, into fresh tables.
Result<NodoDisegnato> costruisciNodoDisegnato(std::string_view testo, KnotFileKind tipo,
                                              const TilePalette& palette,
                                              const std::function<void()>& tick = {});

// `SettaTblNodoDagrd`: the drawn symbols of the cell table from a drawing (rows 1..NumRighe - 1, columns
// 1..NumColonne - 1); `Tipo`, `Vicini` and `Numero` cleared.
void SettaTblNodoDagrd(Diagram& d, const DisegnoTesto& disegno);

// `ApriDis`: opens the drawn knot `nome` whose text and kind the caller has read. Step 0 of kind "I" holds
// the knot's Gauss code, letters and cell drawing; the window shows it with the drawn-knot tiles at the
// drawing zoom. False, with the message shown and nothing changed, when the file cannot be built.
bool ApriDis(Form2& f, const std::string& nome, std::string_view testo, KnotFileKind tipo);

// `GeneradatblGen`: the window's tables rebuilt from `tblGen` (the cell drawing of the step shown) and
// drawn. With fewer than three crossing cells (`NumIncrociDis`) nothing is built: the drawing is shown
// tile by tile, the code texts are emptied and the commands and "Salva" are off. False, with the message
// shown and the window unchanged, when the drawing cannot be rebuilt.
bool GeneradatblGen(Form2& f, CellDrawing&& tblGen);

// A drawn diagram already built (its cell drawing and its tables) made the window's and drawn with the
// drawn-knot tiles; `ModoGen` becomes "I".
void installaNodoDisegnato(Form2& f, NodoDisegnato&& nodo);

// `LeggiFile`: a text drawing (header line, then one row per line) into the window's drawing and its main
// grid, one bold symbol per cell on the palette's colours, the cells beside each crossing marked as the
// under strand; at least 500 rows and columns of 150 twips. An empty name asks with the "TXT" dialog.
// False, with the message shown and nothing changed, for a file that is not a drawing.
bool LeggiFile(Form2& f, const std::string& tmpFile);

// `SalvaFile`: the text drawing of the main grid's texts ("G"), of the cell table's symbols ("T") or of the
// tile names ("S"). An empty name asks with the "TXT" dialog. The file is replaced only by a complete write.
bool SalvaFile(Form2& f, const std::string& tmpFile, DrawingSource Fonte);

}  // namespace trevalon
