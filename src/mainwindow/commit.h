#pragma once
// The one path by which an applied move becomes the main window's next step. The drivers hand over the
// diagram that the rewrite of the code gave; it is built once, installed, recorded and shown. (A redraw of
// the cell drawing will come in here as a second way to make the new diagram, checked against the rewrite.)

#include "moves/gauss_rewrite.h"

namespace trevalon {

class Form2;

// Makes `nuovo` the window's diagram and its next step:
// - empty texts (every crossing gone): the trivial knot is recorded and the grid cleared;
// - in the complete run: the structure is built as far as the searches need, in place, and recorded;
// - otherwise: built with its layout into fresh tables from root crossing 1, installed, drawn and recorded;
//   a build that fails records nothing, leaves the diagram shown as it was and has said why.
// In developer or batch mode only the texts change. Adds " - TRIVIAL KNOT" to the caption when fewer than
// three crossings are left and a person is watching. True when a step was recorded.
bool CommittaMossa(Form2& f, const TestoNodo& nuovo);

}  // namespace trevalon
