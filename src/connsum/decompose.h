#pragma once
// A knot split into its prime summands without a person: the connected-sum search splits the diagram at
// the first sum it finds, each summand is opened again from its knot file's text and split in turn, until
// no sum is left.

#include <string>
#include <vector>

#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// One summand no sum was found in: its Gauss text and over/under letters.
struct AddendoPrimo {
    std::string txtNodo;
    std::string TxtOri;
};

// What a split of a diagram into summands came to.
struct Scomposizione {
    // The summands no sum was found in, in the order the splits give them; d itself when no sum is found.
    // A summand of fewer than three crossings is a drawing of the trivial knot and is left out.
    std::vector<AddendoPrimo> primi;
    int divisioni = 0;      // pairs split
    int nonChiudibili = 0;  // pairs passed over because a summand of theirs could not be closed
};

// The prime summands of d (whose cell table must be drawn). A pair whose summands cannot both be closed in
// a way that keeps the knot is passed over and the search goes on to the next one. Fails when a summand
// does not open again as a knot. d's tables are as they were when it returns.
Result<Scomposizione> scomponiInPrimi(Diagram& d);

}  // namespace trevalon
