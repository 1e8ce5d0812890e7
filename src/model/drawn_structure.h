#pragma once
// Building the structure of a drawn diagram by walking its strand once around the knot: arcs, crossings,
// side tables, the Gauss text and the over/under letters. Two walks share one algorithm over two kinds of
// drawing: the drawn symbols of the cell table ("*" strand, "-" crossing with the horizontal strand over,
// "|" with the vertical strand over) and the line codes of the cell drawing ("1".."8"; "3" crossing with the
// horizontal strand over, "4" with the vertical strand over).
//
// Crossing 1 is the first crossing cell in row-major order; the walk leaves it downwards (side 3) and
// ends when it enters crossing 1 again on the strand it left by, that is from above (side 1). Crossings and
// arcs are numbered in the order the walk meets them; arc a runs from passage a to passage a + 1. A
// crossing's letter is "V" when its under strand leaves one quarter turn clockwise (side + 1, 4 to 1) from
// the side its over strand leaves by, else "O"; so a curl keeps its letter however it is turned.
//
// The walks do not trust the drawing: every step stays inside the table, a walk that leaves the drawing
// (a dead end, a code that does not fit the heading), that grows past the crossing limit, that closes
// before every crossing has been passed twice, that leaves a crossing cell unwalked (a second component with
// crossings), or that leaves unwalked a group of strand cells touching no walked cell (a second component
// with no crossing) stops with a message naming the row and column where it went wrong. On failure the
// diagram's tables are left half written: callers walk into a fresh Diagram and keep it only on success.

#include <functional>

#include "model/cell_drawing.h"
#include "model/model_settings.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// Most crossings a drawing may have: the same limit as a diagram given by its code.
inline constexpr int kMaxIncrociDisegno = kMaxCrossingsForMoves;

// `GeneraStrutturaDaDisegno`: walks the drawn symbols `Simbolo` of d.TblNodo. Before the call every cell's
// `Numero` is 0 and `Tipo` empty. Writes NumIncroci, NumArchi, crossings 1..NumIncroci (all but Gem, Posto,
// GemSopra, GemSotto), arcs 1..NumArchi (IncrocioDa/A, SegnoDa/A, Percorso, PuntiExtra, RigaFine, ColFine),
// NomiIncroci 1..NumIncroci ("1", "2", ...), `Tipo` ('A' or 'I') and `Numero` of every walked cell, and
// d.txtNodo and d.TxtOri. The next cell of a strand is the last free cell of the 3 by 3 block around it in
// row-major order (a crossing beside it hides the two diagonal cells next to that crossing), else the last
// crossing there; never the cell the strand came from. Only "*", "-" and "|" are drawn: cells with any
// other symbol (a blank too) and cells outside rows and columns 1..1500 count as empty. A crossing may be
// entered only from a cell beside it, not from a corner.
Status GeneraStrutturaDaDisegno(Diagram& d);

// `GeneraStrutturaDaTblGen`: walks the line codes of tblGen (rows 1..700, columns 1..2000; but only cells
// that also lie in d.TblNodo, rows and columns 1..1500, can be walked: a drawing beyond is refused). Writes
// what GeneraStrutturaDaDisegno writes, and also `Forma` of every walked cell of d.TblNodo (its line code).
// The next cell follows from the cell's code and the heading it was entered with; an empty cell, or a code
// that has no side facing the cell it was entered from, stops the walk. `tick` is called once per row of
// the scan for crossing 1.
Status GeneraStrutturaDaTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick = {});

// The work extent of the cell table of a drawn knot.
inline constexpr int kRigheDisegnato = 600;
inline constexpr int kColonneDisegnato = 1500;

// `SettaTblNodoDaTab`: `Tipo`, `Simbolo`, `Vicini`, `Numero` and `Forma` of the cells of rows
// 1..NumRighe - 1 and columns 1..NumColonne - 1 cleared.
void SettaTblNodoDaTab(Diagram& d);

// The first half of `GeneradatblGen`: the work extent of a drawn knot, the walk over the line codes of the
// cell drawing, `Forma` of every walked cell and the extent. No dumps, no passages, no regions: what a
// caller checks of the walked knot before it keeps it. d should be fresh; on failure its tables are half
// written.
Status PercorriTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick = {});

// The second half of `GeneradatblGen` on a diagram that PercorriTblGen walked: `StampaArchi` and
// `StampaIncroci`, then passages, regions and (with `cammini`) shortest region paths, which only the
// searches need, each with its dumps. Whatever `settings.ModoGen` says, the tables are of kind "I" (built
// from the cell drawing), and so are the dumps' names (archiI.txt, incrociI.txt).
Status DerivaStrutturaDisegnata(Diagram& d, const ModelSettings& settings = {}, bool cammini = true);

// Every table of d rebuilt from a cell drawing (the engine of `GeneradatblGen`): PercorriTblGen, then
// DerivaStrutturaDisegnata. d should be fresh; on failure its tables are half written.
Status StrutturaDaTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick = {},
                         bool cammini = true, const ModelSettings& settings = {});

}  // namespace trevalon
