#pragma once
// The developer variants of the move searches, reached from the developer panel only:
// - technique "2L": the move II search whose two stretches meet their crossings on different sides (a
//   clasp), carried out by laying one stretch along the other;
// - the mixed move III search, whose strands are listed by a walk from every passage instead of by the
//   over/under runs;
// - the developer settings of the horizontal search: the catalogue expansion (children filed without
//   look-ahead) and the two "dbgval" values.
// With every setting off the ordinary searches never come here.

#include <optional>
#include <vector>

#include "moves/bridge_driver.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves/move_drivers.h"

namespace trevalon {

// cmdTec2I_Click: the "2L" search (TMan with TipoTMan::I); a candidate answered "Sel" is rewritten as a
// move II of kind P and handed to the window as a move of kind "2L". Nothing is reported when nothing is
// found; a rewrite that fails says so and changes nothing.
RisultatoDriver cmdTec2I_Click(FinestraMosse& w);

// The mixed list of strands: from every passage i a walk i, i+1, ... that stops before the first crossing
// met again; every prefix i..j with an end-region pairing (arc i, arc j) closer than its j - i passed
// crossings is listed, unless the crossing after j is one the walk has met (start and end crossings
// differ from every crossing passed). `visita` gets each as its passages (= arcs) and returns false to stop.
void ListaPontiMisti(const Diagram& d, const std::function<bool(const std::vector<int>&)>& visita);

// ValidaMisto: a strand of the mixed list may be rerouted as a bridge of the kind (ab1, ab2) only when it
// really is one: it leaves its start crossing on the ab1 side (the rewrite puts the new crossings after that
// passage) and passes every crossing inside on the ab2 side. A strand that passes under something cannot be
// laid over the diagram without changing the knot.
bool ValidaMisto(const Diagram& d, const std::vector<int>& tratto, char ab1, char ab2);

// The move III candidates of the mixed list, in its order: for each valid strand the first route of the
// first end-region pairing (by distance, ties in pairing order) closer than its crossing count that has
// one crossing none of the strand's own arcs.
EsitoEnumerazionePonti EnumeraCandidatiPonteMisto(const Diagram& d, char ab1, char ab2,
                                                  const std::function<bool(const CandidatoPonte&)>& visita,
                                                  const LimitiPonte& limiti = {});

// Tponte with the mixed list, for move III: every candidate is shown in the step viewer (taken at once in
// the automatic run) until the answer "Sel" or "Int".
EsitoPonte TponteMisto(const Diagram& d, char ab1, char ab2, ContestoPonte& ctx);

// CmdTpon3_Click: the mixed move III search over over-bridges; the candidate answered "Sel" is applied and
// handed to the window, "Int" redraws. An empty search reports nothing.
RisultatoPonte CmdTpon3_Click(FinestraPonte& w, const StatoPonte& s);

// The developer settings of the horizontal search's tree step, for a candidate that has passed the step's
// own tests (not along its bridge, no stop request). With SoloGenerazione the candidate's diagram is filed
// when the tree does not hold it yet, and never taken. With ValoreDebug 1 the tree is cut back to its root
// and one record of a fixed test code, and the candidate is taken when the tree holds its diagram; with
// ValoreDebug2 1 every candidate is taken. nullopt when none of them is set: the ordinary step goes on.
// The window hands it to the driver as `OpzioniMosse::camminoSviluppo`.
std::optional<bool> ValidaCamminoSviluppo(FinestraPonte& w, RiscritturaPonte& riscrittura,
                                          const CandidatoPonte& c);

// The fixed test code that ValoreDebug 1 files in the tree.
inline constexpr const char* kCodiceProvaDebug = "1+2+3+4-5+6+7-8-2-9+10+11-8+3-4+5-9-1-11+7+6-10-";

}  // namespace trevalon
