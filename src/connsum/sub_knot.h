#pragma once
// The sub-knot test: whether two arcs of the diagram cut it into the two summands of a connected sum, and
// when they do, the pair shown in the main grid and the step viewer. And the side arithmetic of a crossing
// that the test, the split and the join share.

#include "connsum/partition.h"
#include "connsum/sum_window.h"
#include "platform/codes.h"

namespace trevalon {

// `Opposto`: the opposite side (1 <-> 3, 2 <-> 4).
int Opposto(int lato);
// `Ades`: the next side anticlockwise (4 -> 3 -> 2 -> 1 -> 4).
int Ades(int lato);
// `Asin`: the next side clockwise (1 -> 2 -> 3 -> 4 -> 1).
int Asin(int lato);

// The two passes of the search: "a" sets aside a pair whose two records have different boundaries, "b"
// shows it.
enum class ModoSottonodo { A, B };

// `TSotto`: tests the pair (daArco, adArco) of w's diagram; when it cuts off a summand, draws it, shows it
// in the step viewer and returns the person's answer (and sets `IndicePartizione` and the record's
// `Molteplicita` when the answer is not empty). Returns ViewerAnswer::None when nothing was shown, or the
// viewer was closed without an answer. A pair the test cannot walk (a walk that does not come back within
// its bound, an arc not held by a crossing) is rejected silently.
ViewerAnswer TSotto(FinestraSomma& w, StatoSomma& stato, int daArco, int adArco, ModoSottonodo TsModo);

}  // namespace trevalon
