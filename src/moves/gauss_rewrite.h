#pragma once
// Gauss-code rewrites after a chosen move: from the Gauss text, the over/under letters and the crossing
// names of the diagram before the move to those after it. Each rewrite is a pure function of its inputs;
// the texts are the program's own forms (label then the sign of the next passage, the sign of passage 1
// last; one letter per crossing). A rewrite that cannot apply its move returns nothing, and the caller
// keeps its texts (the failure the drivers report).

#include <optional>
#include <string>
#include <vector>

#include "model/tables.h"
#include "moves/chosen_move.h"

namespace trevalon {

// The code of a diagram: Gauss text, letters and crossing names (index 0 unused, entry i the name of
// crossing i).
struct TestoNodo {
    std::string txtNodo;
    std::string TxtOri;
    std::vector<std::string> NomiIncroci;
};

// The code as the diagram holds it.
TestoNodo TestoDi(const Diagram& d);
// The other way: a rewritten code into the diagram's texts and crossing names (names beyond the new code's
// are left as they were); the tables are not touched.
void ScriviTesto(Diagram& d, const TestoNodo& t);

// Marker of a failed rewrite, as the drivers read it.
inline constexpr int kRiscritturaFallita = -50;

// Move II of kind "M": both stretches' inner passages trade places next to the other strand (in reverse
// order, with their letters swapped, when the stretches run opposite ways) and the two crossings of the
// pair disappear. Reads VoceMossa1 and VoceMossa2. The new crossings are numbered by first appearance;
// names follow their crossings, and names above the new count keep their old values.
// chiavi, when given, receives the sort keys of the rewrite, one per passage in sorted order: the position
// in six digits, ",", the passage's sign and label, "," ("000000,+5," for a dropped passage), the lines of
// the debug dump "posricalc.txt". It is left as it was when the rewrite fails.
std::optional<TestoNodo> NuovoNodoDaMan(const TestoNodo& prima, const MossaScelta& mossa,
                                        std::vector<std::string>* chiavi = nullptr);

// Move I: the curl's crossing and every crossing met inside the curl disappear (both passages). Reads
// VoceMossa1. Removing every crossing gives the empty text: the trivial knot without crossings.
std::optional<TestoNodo> NuovoNodoDaRic(const TestoNodo& prima, const MossaScelta& mossa,
                                        std::vector<std::string>* chiavi = nullptr);

// Move II of kind "P": the strand ListaArchiMossa loses its inner crossings and is laid along the other
// strand, crossing every arc of ListaArchiAttraversati with a new crossing (named by the grown counter
// contaNuoviIncroci). A crossed strand keeps at its new crossing the sign and direction it has at the other
// strand, so a new crossing repeats that crossing's letter (swapped when the stretches run opposite ways).
// Reads the arc ends of the diagram before the move (d.archi) to place each new passage on its arc.
std::optional<TestoNodo> NuovoNodoDaPonteB(const TestoNodo& prima, const MossaScelta& mossa, const Diagram& d,
                                           int& contaNuoviIncroci);

}  // namespace trevalon
