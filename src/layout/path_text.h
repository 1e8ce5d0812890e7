#pragma once
// An arc's path as text and as points. The text is a row of items "row,column,|"; while the layout works
// on the paths they are kept in memory as points instead, and written back as text when it is done.

#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_state.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// The cells named by a path text: items split at "|" (the text after the last "|" is not an item), the
// first two fields of each item read as row and column. Empty items are skipped.
std::vector<Punto> leggiVociPercorso(std::string_view text);
// The item text "row,column,|" of each point.
std::string scriviVociPercorso(const std::vector<Punto>& punti);
void aggiungiVoce(std::string& text, Punto p);
// The cells of a path text read with a check, for a path that may not have been written by the layout:
// each item must be two numbers (a third field and blanks around the numbers are allowed; a number with a
// fraction goes to the nearest whole number, halves to the even one). The piece after the last "|" is
// ignored. An item that is not two numbers is refused with a message naming it.
Result<std::vector<Punto>> leggiVociControllate(std::string_view testo);

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

}  // namespace trevalon
