#pragma once
// The main window's text drawings: a text drawing file read into the window's drawing and shown in its main
// grid, one symbol per cell (`LeggiFile`), and the main grid's texts, the cell table's symbols or the tile
// names written as a text drawing file (`SalvaFile`). A file is replaced only by a complete write; a drawing
// that cannot be read leaves the window as it was, and says why.

#include <string>

#include "model/text_drawing.h"
#include "platform/codes.h"

namespace trevalon {

struct ContestoFinestra;
struct DocumentoNodo;
struct VistaNodo;

// `LeggiFile`: a text drawing (header line, then one row per line) into the window's drawing and its main
// grid, one bold symbol per cell on the palette's colours, the cells beside each crossing marked as the
// under strand; the grid grows to the whole drawing, at least 500 rows and columns of 150 twips. An empty
// name asks with the "TXT" dialog.
// False, with the message shown and nothing changed, for a file that is not a drawing.
bool LeggiFile(ContestoFinestra& f, VistaNodo& vista, const std::string& tmpFile);
// What `LeggiFile` does with the drawing once it is read: a drawing already in memory goes into the window's
// drawing and its main grid the same way.
void MostraDisegnoTesto(ContestoFinestra& f, VistaNodo& vista, DisegnoTesto disegno);

// `SalvaFile`: the text drawing of the main grid's texts ("G"), of the cell table's symbols ("T") or of the
// tile names ("S"). An empty name asks with the "TXT" dialog. The file is replaced only by a complete write.
bool SalvaFile(ContestoFinestra& f, const VistaNodo& vista, const std::string& tmpFile, DrawingSource Fonte);
// The text drawing `SalvaFile` writes for the source.
std::string testoDellaFonte(const DocumentoNodo& doc, const VistaNodo& vista, DrawingSource Fonte);

}  // namespace trevalon
