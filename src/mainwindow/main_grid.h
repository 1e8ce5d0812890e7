#pragma once
// The window's diagram drawn into its main grid: the whole diagram in black (`CmdGrafica_Click`) and the
// trivial knot's plain loop.

namespace trevalon {

struct ContestoFinestra;
struct DocumentoNodo;
struct VistaNodo;

// `CmdGrafica_Click`: the tile-name table emptied and the whole diagram drawn into the main grid in black.
void CmdGrafica_Click(ContestoFinestra& f, VistaNodo& v);

// The trivial knot as the main grid shows it: a plain loop, drawn over a cleared grid.
void DisegnaNodoBanale(VistaNodo& v, const DocumentoNodo& doc);

}  // namespace trevalon
