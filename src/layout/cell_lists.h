#pragma once
// The cells of an arc known twice, as cells of the cell table and as its path text: listing a path into
// the point list and stamping its cells, loop removal, the path rebuilt from the list, straightening of
// humps and flipping of corners.

#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

// The cells named by a path text: items split at "|" (the text after the last "|" is not an item), the
// first two fields of each item read as row and column. Empty items are skipped.
std::vector<Punto> leggiVociPercorso(std::string_view text);
// The item text "row,column,|" of each point.
std::string scriviVociPercorso(const std::vector<Punto>& punti);
void aggiungiVoce(std::string& text, Punto p);

// The points of the arc's path (from memory while the paths are kept there, else read from the text),
// and the path written from points. A path in memory that a straightening has left holes in is closed
// first, and its cells given their places.
const std::vector<Punto>& puntiPercorso(Diagram& d, LayoutState& s, int arco);
void scriviPercorso(Diagram& d, LayoutState& s, int arco, const std::vector<Punto>& punti);
// Paths kept in memory from now on, and written back as text.
void tieniPercorsiInMemoria(LayoutState& s);
void scriviPercorsiInSospeso(Diagram& d, LayoutState& s);
// The same, except that the kept paths are dropped: every path of the diagram is left empty.
void scartaPercorsiInSospeso(Diagram& d, LayoutState& s);
// The same, except that the kept paths stay kept, as points, for the tidying (`percorsiPerAssestare`):
// their places are given, and each one that is not written as text is marked to be written at the end.
void consegnaPercorsiInSospeso(Diagram& d, LayoutState& s);
// Paths kept in memory from now on: those handed on by `consegnaPercorsiInSospeso` are taken as they are
// (as if read back from the text it did not write), otherwise as `tieniPercorsiInMemoria`.
void riprendiPercorsiInMemoria(LayoutState& s);
// The places (`Posizione`) of the kept paths whose renumbering a straightening left for later.
void numeraInSospeso(Diagram& d, LayoutState& s);

// `ListaCelle`: lists `PuntiExtra` followed by `Percorso` of the arc (its first piece is not an item),
// stamps the listed cells as the arc's cells (never a crossing or another arc's cell) and removes loops.
void ListaCelle(Diagram& d, LayoutState& s, int arco, bool chiedi = false);
// The same from the items already read (those of `PuntiExtra`, then those of `Percorso`).
void ListaCelle(Diagram& d, LayoutState& s, int arco, const std::vector<Punto>& voci, bool chiedi = false);
// `RiparaArchi`: two passes of `ListaCelle` over every arc whose path is not empty.
void RiparaArchi(Diagram& d, LayoutState& s);

// `VerificaListacelle`: the point list from the path, keeping the cells that still are the arc's.
void VerificaListacelle(Diagram& d, LayoutState& s, int arco);
// `SplittaListacelle`: the point list from the whole path; free listed cells become the arc's cells.
void SplittaListacelle(Diagram& d, LayoutState& s, int arco);
// `ComponiListaCelle`: the path (and the buffer) rebuilt from the point list, with `Posizione`.
void ComponiListaCelle(Diagram& d, LayoutState& s, int arco);
// `PuntiDaEl`: removes loops from the point list (a point that comes back to, or next to, a cell listed
// earlier drops the points between), clears the dropped cells and rebuilds the path.
void PuntiDaEl(Diagram& d, LayoutState& s, int arco, bool chiedi = false);

// `RaddrizzaGobbe`: straightens the humps of every arc over the given rows and columns.
void RaddrizzaGobbe(Diagram& d, LayoutState& s, int arco, int minR, int maxR, int minC, int maxC);
// Between these two, the passes of `RaddrizzaGobbe` over one area remember each line's scan and skip
// what the last pass has left unchanged; they straighten as passes that scan everything do.
void iniziaRaddrizzature(LayoutState& s);
void fineRaddrizzature(Diagram& d, LayoutState& s);
// `RaddrizzaRigCol`: straightens the humps of one line: row rc when dr is 0, else column rc.
void RaddrizzaRigCol(Diagram& d, LayoutState& s, int minR, int maxR, int minC, int maxC, int rc, int dr,
                     int dc);
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
// `VerificaRettangoloVuoto`: every cell of the rectangle is free for the arc.
bool VerificaRettangoloVuoto(const Diagram& d, int arco, int r1, int c1, int r2, int c2);

}  // namespace trevalon
