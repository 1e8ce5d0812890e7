#pragma once
// The main window's build of a diagram from its Gauss code, the full redraw (`CmdGrafica_Click`) and the
// "draw" command that lays the same diagram out from another root crossing.
//
// Every build goes into fresh tables: the check, layout, routing, tidying and the structure pipeline
// (passages, regions, shortest region paths) run on a new Diagram, and only a build that succeeded
// replaces the window's diagram and is drawn into the main grid. A failed build leaves the diagram, the
// grid and the history as they were, with its message shown.

#include <memory>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "model/model_settings.h"
#include "model/tables.h"

namespace trevalon {

class Form2;

enum class EsitoCostruzione {
    Costruito,  // built, drawn and its structure derived
    Banale,     // empty Gauss text or letters: the trivial knot (nothing built, no message yet)
    Errore,     // the build failed; its message has been shown
    Fermato,    // the person stopped the build
};

// A build from a code: what became of it and, when built, the knot (from a code, with the root crossing the
// layout started from).
struct CostruzioneNuova {
    EsitoCostruzione esito = EsitoCostruzione::Errore;
    NodoCostruito nodo;
};

// Builds the texts into fresh tables from root crossing `radice` (reset to 1 when it is 0 or beyond the
// letters, and in the automatic run), then derives passages, regions and shortest paths. The window's
// diagram, grid and history are not touched. Crossing i is labelled "i": the labels shown are the crossing
// numbers of the diagram shown, as its Gauss code names them.
// Shows "error gauss code in file .GAU" (not during a complete run) or "error indices in file .GAU" on
// failure. The busy pointer and the main grid's painting are restored on every exit.
// With `annullabile` the build is a long job the person may stop, as a search: the stop frame is shown, the
// window's events are served at every progress step, and "Cancel" ends the build there (esito Fermato, no
// message, the window as it was).
CostruzioneNuova costruisciNuovo(Form2& f, const std::string& txtNodo, const std::string& TxtOri, int radice,
                                 bool annullabile = false);

// What the model's procedures are told of the window: the debug switch and the dumps' folder.
ModelSettings impostazioniModello(const Form2& f);

// `CmdGrafica_Click`: the tile-name table emptied and the whole diagram drawn into the main grid in black.
void CmdGrafica_Click(Form2& f);

// The trivial knot as the main grid shows it: a plain loop, drawn over a cleared grid.
void DisegnaNodoBanale(Form2& f);

// `CmdScifta_Click`: the next root crossing, 1 again past the number of letters.
void CmdScifta_Click(Form2& f);

// The toolbar's "draw": the current step becomes of kind "A", the root crossing advances and the diagram is
// laid out again from it; the step keeps the root. A layout that fails keeps the diagram and root shown.
void ComandoDraw(Form2& f);

}  // namespace trevalon
