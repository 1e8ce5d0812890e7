#pragma once
// The main window's toolbar commands, each bound to its engine procedure.

namespace trevalon {

class Form2;
class FinestraForm2;
class StepListPort;

// "ApriG" (Load Knot), "Apri", "draw", "Undo" and "Salva".
void InstallaComandiDiagramma(Form2& f);

// The moves "m1", "m2", "m3", "m3b" and the complete run "quick", whose step list is shown through `lista`
// (which, like `w`, must outlive the window's commands).
void InstallaComandiMosse(Form2& f, FinestraForm2& w, StepListPort& lista);

}  // namespace trevalon
