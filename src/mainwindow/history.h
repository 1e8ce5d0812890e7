#pragma once
// The main window's step history: `Salvastato` records the diagram shown as the next step, `StatoPrec` goes
// back one step and rebuilds it, `CmdTutto_Click` rebuilds the shown step; `SerializzaTblGen` and
// `DeSerializzaTblGen` move the cell drawing into and out of the current step's snapshot.

#include <memory>

#include "mainwindow/build_commands.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// Records the window's diagram, already built and installed, as step NumStato + 1: its texts, its kind
// (`ModoGen`; a step not built from the code keeps the cell drawing's snapshot), caption, Undo, Save and
// the diagram commands. The search frame goes away and the toolbar comes back. Refused in batch mode, and
// when the history already holds its 1001 steps (said, and the texts go back to the shown step's). True
// when the step was recorded.
bool Salvastato(ContestoFinestra& f, VistaNodo& v);

// The texts of the step shown go back into the diagram (after a step that was refused).
void ripristinaTesti(ContestoFinestra& f);

// Steps back one step (at step 0 rebuilds step 0) and rebuilds its diagram. When the rebuild fails the
// step and diagram shown stay as they were.
// `costruito`, when given, is the previous step's diagram as built from its code earlier and unchanged
// since: it is installed and drawn instead of being built again.
void StatoPrec(ContestoFinestra& f, VistaNodo& v, std::unique_ptr<Diagram> costruito = nullptr);

// `CmdTutto_Click`: rebuilds the window's diagram from its own txtNodo and TxtOri from `PartenzaDisegno`.
// Trivial texts show "Trivial knot" and step back one step (`StatoPrec`) or, at step 0, switch the diagram
// commands off and clear the grid. On success: "Done" and the diagram commands on when there are at least
// two letters.
EsitoCostruzione CmdTutto_Click(ContestoFinestra& f, VistaNodo& v);

// The cell drawing's snapshot into the current step record.
void SerializzaTblGen(ContestoFinestra& f);
// The cell drawing from the current step's snapshot; NumIncrociDis := that step's number of letters.
// A snapshot that cannot be read is reported and leaves the cell drawing as it was (false).
bool DeSerializzaTblGen(ContestoFinestra& f);

}  // namespace trevalon
