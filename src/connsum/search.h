#pragma once
// The connected-sum search of the toolbar ("Find connected sum"): every pair of arcs tested, the ones that
// cut the diagram into two summands shown one by one, the chosen one split.

#include <functional>

#include "connsum/partition.h"
#include "connsum/sum_window.h"

namespace trevalon {

// `CmdSottoNodi_Click`: runs the search on w's diagram with the stop frame "Find connected sum ..." shown
// and the toolbar off until it ends; `dividi` splits the diagram at the pair answered "Se1" (the split
// reads `stato`). Ends with "No connected sum was found" or "No other connected sum was found" unless
// it was stopped.
void CmdSottoNodi_Click(FinestraSomma& w, StatoSomma& stato, const std::function<void()>& dividi);

}  // namespace trevalon
