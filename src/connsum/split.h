#pragma once
// The split of a diagram at a chosen connected sum into its two summands: each kept alone on the cell
// table, closed by joining its cut ends, shown and saved on request as a knot file; the whole diagram put
// back at the end.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "connsum/partition.h"
#include "connsum/sum_window.h"
#include "model/tables.h"

namespace trevalon {

// `CodpartizioneNew`: 0 for a cut arc, 1 for an arc of ArchiTratto (summand 1), 2 for any other arc.
int CodpartizioneNew(const StatoSomma& stato, int n);

// For each crossing of d (index 0 unused), how many of its two passages lie on summand s of the pair
// answered on: between the cut arcs (s = 1), or outside them (s = 2). Empty when no pair was answered on.
std::vector<int> passaggiNellaParte(const Diagram& d, const StatoSomma& stato, int s);
// The crossings summand s passes twice: its own.
int incrociDellaParte(const Diagram& d, const StatoSomma& stato, int s);

// What became of one summand.
struct Addendo {
    bool chiuso = false;  // its two cut ends could be joined into one closed strand
    std::string testo;    // the knot file of the summand ("Object=" and its cells), empty when not closed
};

// The two summands built one after the other on d's cell table (the split's whole work, without showing
// anything). `mentre` is called for s = 1 and s = 2 while the cell table holds summand s, before the next
// one is built. When it returns, d's cell table and box are exactly as they were.
std::array<Addendo, 2> costruisciAddendi(Diagram& d, const StatoSomma& stato,
                                         const std::function<void(int s, const Addendo&)>& mentre = {});

// `GeneraIndipendentSections`: costruisciAddendi with each summand drawn (`disegnaAddendo`), shown in the
// step viewer as the first or second diagram of the connected sum and saved on "Save"; a summand that could
// not be closed is shown as such and cannot be saved.
void GeneraIndipendentSections(FinestraSomma& w, const StatoSomma& stato);

// `SalvaIndipendentComponent`'s text: "Object=" followed by "r,c,Forma|" for every cell of the cell table
// inside the box `l` (rows outside, columns inside) whose Forma is not 0.
std::string testoAddendo(const Diagram& d, const LimitiNodo& l);

}  // namespace trevalon
