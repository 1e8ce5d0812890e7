#pragma once
// The one path by which an applied move becomes the main window's next step. The drivers hand over the
// diagram that the rewrite of the code gave; it is built once, installed, recorded and shown. A move
// carried out on the cell drawing comes in here too, once it has been checked against the rewrite.

#include <functional>
#include <memory>

#include "celldraw/built_knot.h"
#include "moves/gauss_rewrite.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// Makes `nuovo` the window's diagram and its next step:
// - empty texts (every crossing gone): the trivial knot is recorded and the grid cleared;
// - in the complete run: the structure is built as far as the searches need, in place, and recorded;
// - otherwise: built with its layout into fresh tables from root crossing 1, installed, drawn and recorded;
//   a build that fails records nothing, leaves the diagram shown as it was and has said why.
// In developer or batch mode only the texts change. Adds " - TRIVIAL KNOT" to the caption when fewer than
// three crossings are left and a person is watching. True when a step was recorded.
bool CommittaMossa(ContestoFinestra& f, VistaNodo& v, const TestoNodo& nuovo);

// Makes a redrawn diagram that controllaRidisegno accepted the window's diagram and its next step, kept
// as a cell drawing ("I"): installed, drawn with the drawn-knot tiles and recorded with its snapshot, so
// that "Undo" and "Salva" come back to this picture. A full history refuses the step before anything
// changes. True when the step was recorded. In the developer layout the drawing is installed and drawn
// alone: no step is recorded.
bool CommittaMossaDisegnata(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo);

}  // namespace trevalon
