#pragma once
// The main window's toolbar commands, each bound to its engine procedure.

namespace trevalon {

class Form2;
class FinestraForm2;
class StepListPort;
class BoxPort;
class FinestraSommaForm2;

// "ApriG" (Load Knot), "Apri", "draw", "Undo", "Salva" and the zoom, "Dimensmeno" and "Dimenspiu".
void InstallaComandiDiagramma(Form2& f);

// The boxes "Immagine" (the picture beside the knot file), "propr" (the diagram's properties) and "info",
// shown through `caselle` (which must outlive the window's commands); "Load Knot" then closes the picture
// and property boxes when another knot opens.
void InstallaComandiCaselle(Form2& f, BoxPort& caselle);

// The moves "m1", "m2", "m3", "m3b" and the complete run "quick", whose step list is shown through `lista`
// (which, like `w`, must outlive the window's commands).
void InstallaComandiMosse(Form2& f, FinestraForm2& w, StepListPort& lista);

// "compcon" (Find connected sum) through `w`, which must outlive the window's commands.
void InstallaComandiSomma(Form2& f, FinestraSommaForm2& w);

}  // namespace trevalon
