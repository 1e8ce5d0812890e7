#pragma once
// The chosen-move record: what a move search leaves for the Gauss-code rewrites, the renderer and the
// drivers. The texts keep their exact comma forms, since the rewrites split them and the step viewer
// shows them.

#include <string>

namespace trevalon {

// Which rewrite applies a chosen move II: `M` trades the inner passages of the two stretches
// (`NuovoNodoDaMan`), `P` lays one stretch along the other (`NuovoNodoDaPonteB`). Records of other
// moves carry None.
enum class MoveIIRewrite { None, M, P };

struct MossaScelta {
    // Arcs of the strand that the move reroutes, in travel order ("5,7,9").
    std::string ListaArchiMossa;
    // Arcs that the new route crosses, each with its sign character ("12+,15-,"); "," when none.
    std::string ListaArchiAttraversati;
    // Per crossed arc: the crossing at its far end and that arc's sign there ("4+,9-,").
    std::string ListaIncrociAttraversati;
    // Regions along the new route, one more than the crossed arcs, ended by ",".
    std::string ListaRegioniMossa;
    // Start crossing of the rerouted strand's first arc and its sign ("6-").
    std::string IncrocioInizioMossa;
    MoveIIRewrite TipoCandidato = MoveIIRewrite::None;
    // While a candidate is shown: ",c1,c2,"; after an answer: the chosen candidate entries.
    std::string VoceMossa1;
    std::string VoceMossa2;
    // Written by the move III search.
    std::string RegioneInizioMossa;
    std::string RegioneFineMossa;
};

}  // namespace trevalon
