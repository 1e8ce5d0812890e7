#pragma once
// The prime summands of the knot a window shows, without a person: the diagram split at every connected
// sum the search can prove, each piece simplified by the complete run, a piece that comes down to the
// trivial knot left out, and a piece that came down to fewer crossings searched again.

#include <string>
#include <vector>

#include "connsum/decompose.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

struct ProgramContext;

struct AddendiPrimi {
    std::vector<AddendoPrimo> primi;  // knotted summands no sum was found in, as far as moves reduce them
    int banali = 0;         // pieces split off that the complete run brings down to the trivial knot
    int divisioni = 0;      // pairs split
    int nonChiudibili = 0;  // pairs passed over because a summand of theirs could not be closed
    // The diagram as given had no sum the search could prove: the complete run simplified it first.
    bool corsaPrima = false;
};

// The summands of the knot `nodo` (a window's diagram at its current step, from a code or a drawing, or one
// built without a window). The pieces the complete run simplifies are opened in windows of their own that
// share the program context `ctx`; the others are only built. The search puts `nodo` back as it was. Fails
// when a piece does not open again as a knot.
Result<AddendiPrimi> addendiPrimi(ProgramContext& ctx, Diagram& nodo);

}  // namespace trevalon
