#pragma once
// The connected-sum search of the toolbar ("Find connected sum"): every pair of arcs tested, the ones that
// cut the diagram into two summands shown one by one, the chosen one split.

#include <functional>

#include "connsum/partition.h"
#include "connsum/sub_knot.h"
#include "connsum/sum_window.h"

namespace trevalon {

// How the walk over the pairs ended: every pair tried, stopped by the person ("Cancel"), or ended by an
// answer of the step viewer ("Int", "Se1" or any other answer that is not a step of the walk).
enum class FineCoppie { Finita, Fermata, Risposta };

struct EsitoCoppie {
    FineCoppie fine = FineCoppie::Finita;
    ViewerAnswer risposta = ViewerAnswer::None;
};

// The walk over the pairs of the search, on a strand of numArchi arcs (none below 6, where no two arcs are
// three apart both ways). First pass: every first arc a1 = 1..numArchi, after `fermata` (which lets the
// person press "Cancel" and says whether they did) and one `passo`, with the second arcs a1 + 3 .. a1 - 1
// in cyclic order; then the pairs the first pass set aside in `stato`, one `passo` each. `prova` tests one
// pair and returns the answer given to it: "Rip" tests it again after taking it off the shown list, "Sel"
// makes its second arc the next first arc, and every other answer but the empty one ends the walk.
EsitoCoppie percorriCoppie(int numArchi, StatoSomma& stato,
                           const std::function<ViewerAnswer(int a, int b, ModoSottonodo modo)>& prova,
                           const std::function<bool()>& fermata, const std::function<void()>& passo);

// `CmdSottoNodi_Click`: runs the search on w's diagram with the stop frame "Find connected sum ..." shown
// and the toolbar off until it ends; `dividi` splits the diagram at the pair answered "Se1" (the split
// reads `stato`). Ends with "No connected sum was found" or "No other connected sum was found" unless
// it was stopped.
void CmdSottoNodi_Click(FinestraSomma& w, StatoSomma& stato, const std::function<void()>& dividi);

}  // namespace trevalon
