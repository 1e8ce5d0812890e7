#pragma once
// The print preview's page (`FrmReport`): the picture tiles of a diagram grid laid out as a one-page
// document under a line of text (`DuplicaGrid2` for the main grid, `DuplicaGrid3` for the step viewer's),
// and the step viewer's report of the step it shows (`Form3.Generareport`).

#include <string>

#include "platform/grid_control.h"
#include "platform/page_document.h"

namespace trevalon {

// Size in twips of every copied cell on the page.
inline constexpr int kCellaReport = 75;

// Lays the tiles of `S` from column `Dacol` on (column 0 and row 0 are the grid's fixed headers and never
// copied) out on an A4 page under `Frase`: margins 0, 0, 20, 20, font size 12, the tile area as wide as
// the page less 10 twips and five sixths of its printable height, holding whole cells only, so that a
// wider or taller diagram is cut at the page's edge. `Dacol` is a copy: nothing of the caller moves.
PageDocument DuplicaGrid(const GridControl& S, int Dacol, const std::string& Frase,
                         const TextMeasure& measure);
inline PageDocument DuplicaGrid2(const GridControl& Gr, int Dacol, const std::string& Frase,
                                 const TextMeasure& measure) {
    return DuplicaGrid(Gr, Dacol, Frase, measure);
}
inline PageDocument DuplicaGrid3(const GridControl& Gr3, int Dacol, const std::string& Frase,
                                 const TextMeasure& measure) {
    return DuplicaGrid(Gr3, Dacol, Frase, measure);
}

// The text and first column of the step viewer's report: its caption with every " move" read as
// " Corvane-algorithm-move"; when " Found" stands after the caption's first character, the search time
// follows on a second line and the page starts at column 1 (the copy of the main grid), otherwise at the
// cell drawing's column `ColonnaBaseDis`.
struct TestoReport {
    std::string Frase;
    int Dacol = 1;
};
TestoReport testoReportVisore(const std::string& caption, int ColonnaBaseDis, double secondiRicerca);

// `Form3.Generareport`: the page of the step the viewer shows, from its grid `Gr3`, its caption, the column
// where its cell drawing starts and the seconds of the search.
PageDocument Generareport(const GridControl& Gr3, const std::string& caption, int ColonnaBaseDis,
                          double secondiRicerca, const TextMeasure& measure);

}  // namespace trevalon
