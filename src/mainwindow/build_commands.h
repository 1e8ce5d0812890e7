#pragma once
// The main window's build of a diagram from its Gauss code and the "draw" command that lays the same diagram
// out from another root crossing.
//
// Every build goes into fresh tables: the check, layout, routing, tidying and the structure pipeline
// (passages, regions, shortest region paths) run on a new Diagram, and only a build that succeeded
// replaces the window's diagram and is drawn into the main grid. A failed build leaves the diagram, the
// grid and the history as they were, with its message shown.

#include <memory>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "celldraw/code_knot.h"
#include "model/model_settings.h"
#include "model/tables.h"

namespace trevalon {

class Form2;
struct ContestoFinestra;
struct DocumentoNodo;
struct VistaNodo;

// The build options of the window: its modes, its zoom's cell size, its dumps' folder and its main grid.
OpzioniCostruzione opzioniCostruzione(const ContestoFinestra& f, const VistaNodo& v);

// What the model's procedures are told of the window: the debug switch, the dumps' folder and the kind of
// the window's tables (`ModoGen`, which names the dumps; a build of new tables sets the kind it builds).
ModelSettings impostazioniModello(const ContestoFinestra& f);

// The window's build of the texts from root crossing `radice` (`costruisciNodoDaCodice` with the window's
// options, layout state and ports): the window's diagram, grid and history are not touched. Outside the
// automatic run the busy pointer is on and the main grid's painting suspended while it runs; a failure says
// its message in one box ("error gauss code in file .GAU" not during a complete run).
// With `annullabile` the build is a long job the person may stop, as a search: the stop frame is shown, the
// window's events are served at every progress step, and "Cancel" ends the build there (esito Fermato, no
// message, the window as it was).
CostruzioneNuova costruisciNuovo(ContestoFinestra& f, VistaNodo& v, const std::string& txtNodo,
                                 const std::string& TxtOri, int radice, bool annullabile = false);

// `CmdScifta_Click`: the next root crossing, 1 again past the number of letters.
void CmdScifta_Click(DocumentoNodo& doc);

// The toolbar's "draw": the current step becomes of kind "A", the root crossing advances and the diagram is
// laid out again from it; the step keeps the root. A layout that fails keeps the diagram and root shown.
void ComandoDraw(Form2& f);

}  // namespace trevalon
