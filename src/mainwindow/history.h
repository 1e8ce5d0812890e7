#pragma once
// The main window's step history: `Salvastato` records the current diagram as the next step, `StatoPrec`
// goes back one step and rebuilds it; `SerializzaTblGen` and `DeSerializzaTblGen` move the cell drawing
// into and out of the current step's snapshot.

namespace trevalon {

class Form2;

// Records the current diagram as step NumStato + 1. A diagram of kind 'A' is built from the window's
// txtNodo and TxtOri first (into fresh tables): when that build fails, or the texts are trivial, or the
// history already holds its 1001 steps, nothing is recorded, the texts go back to the shown step's and the
// shown step stays. Does nothing in batch mode. True when the step was recorded.
bool Salvastato(Form2& f);

// Steps back one step (at step 0 rebuilds step 0) and rebuilds its diagram. When the rebuild fails the
// step and diagram shown stay as they were.
void StatoPrec(Form2& f);

// The cell drawing's snapshot into the current step record.
void SerializzaTblGen(Form2& f);
// The cell drawing from the current step's snapshot; NumIncrociDis := that step's number of letters.
// A snapshot that cannot be read is reported and leaves the cell drawing as it was (false).
bool DeSerializzaTblGen(Form2& f);

}  // namespace trevalon
