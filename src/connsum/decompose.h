#pragma once
// A knot split into its prime summands without a person: the connected-sum search splits the diagram at
// the first sum it finds, each summand is opened again from its knot file's text and split in turn, until
// no sum is left.

#include <string>
#include <vector>

#include "connsum/partition.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// One summand no sum was found in: its Gauss text and over/under letters.
struct AddendoPrimo {
    std::string txtNodo;
    std::string TxtOri;
};

// The prime summands of d (whose cell table must be drawn), in the order the splits give them; d itself when
// no sum is found. A summand of fewer than three crossings is a drawing of the trivial knot and is left out.
// Fails when a summand could not be closed or does not open again as a knot. d's tables are as they were when
// it returns.
Result<std::vector<AddendoPrimo>> scomponiInPrimi(Diagram& d);

// The crossings of summand s of the pair answered on in `stato`: those whose two passages both lie between
// the cut arcs (s = 1), or both outside them (s = 2). A cut that meets the diagram in two points leaves no
// crossing to neither: the two counts make the diagram's crossings.
int incrociDellaParte(const Diagram& d, const StatoSomma& stato, int s);

}  // namespace trevalon
