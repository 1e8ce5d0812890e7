#pragma once
// The tile renderer of the cell table: every used cell becomes one palette tile in a display grid, its
// tile name goes into the tile-name table, its line code into `Forma` and each drawn crossing's cell into
// the crossing table. Draws the whole diagram, one arc in a colour, or one crossing marker on an arc.

#include <string>
#include <string_view>
#include <vector>

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

// `DisegnoGrafico`: tables from a code or from the cell drawing draw with `DisegnoGraficoA`, a text drawing
// with `DisegnoGraficoD` (the renderer of drawn diagrams).
void DisegnoGrafico(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                    std::string_view ab, int NonFare);
// `DisegnoGraficoA`: arco 0 draws every used cell (SoloTratto plays no part then); otherwise arc `arco`
// and the crossings it touches, or with SoloTratto one crossing marker on a straight stretch of it.
void DisegnoGraficoA(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare);
// `DisegnoGraficoZ`: the stored line codes as a second copy right of the drawing, grey for cells marked
// "II", green on yellow for "ZZ".
void DisegnoGraficoZ(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare);
// `DisegnoGraficoSotto`: the sub-knot of the arcs in lista1 (",a,b,") in black, the cut arcs primo and
// ultimo in grey and the rest in red; delta not 0 places it right of the drawing.
void DisegnoGraficoSotto(Diagram& d, RenderState& st, RenderTarget t, std::string_view lista1,
                         std::string_view lista2, int primo, int ultimo, int delta);

// A move III candidate as the search shows it, over the diagram already drawn in black: the arcs of the
// moved strand in red (without its two end crossings), the marker at the start crossing, and one crossing
// marker across each arc it crosses, with the sign `ab2`. The tile names it leaves are what the redraw
// after the move reads. False, with nothing more drawn, at an arc number outside the diagram.
bool DisegnaCandidatoPonte(Diagram& d, RenderState& st, const RenderTarget& t,
                           const std::vector<int>& archiPonte, const std::vector<int>& archiAttraversati,
                           char ab2);

// The line code of an arc cell from its joined neighbours (a crossing, or a cell of the same arc); the
// last matching test wins; 0 when none matches.
int CodiceLinea(const Diagram& d, int i, int j);
// The black crossing tile of crossing k: 3 for "O", 4 for "V", exchanged when both strands leave towards
// sides 1 and 4 or towards sides 2 and 3.
int TesseraIncrocio(const Diagram& d, int k);

}  // namespace trevalon
