#pragma once
// "Quick simplification": the complete automatic run. It repeats the combined simplification step without
// any dialog until no move is found or fewer than three crossings remain, lists every step of the history
// with the elapsed time, and brings the window back to the diagram it started from.

#include <string>

namespace trevalon {

class Form2;
class FinestraForm2;
class FrmLista;
class StepListPort;

// Why a complete run ended.
enum class FineCorsa {
    Banale,          // fewer than three crossings
    NessunaMossa,    // the combined step found no move (or its search was stopped)
    StoriaPiena,     // the history holds its last step
    SenzaProgresso,  // a step changed nothing or could not be recorded
};

struct EsitoCorsa {
    FineCorsa fine = FineCorsa::NessunaMossa;
    int passoIniziale = 0;  // the step shown when the run started, and shown again at its end
    int ultimoPasso = 0;    // the last step of the run: the history holds steps 0..ultimoPasso
    int incrociPrima = 0;
    int incrociDopo = 0;
    std::string codiceFinale;  // the diagram the run reached
    std::string oriFinale;
    double secondi = 0;    // elapsed, on a steady clock
    bool fermata = false;  // the person stopped it
    std::string limite;    // the limit that ended the last search without a move, when one did
};

// The history's steps 0..ultimoPasso as rows of the step list, with its caption and time panel.
void RiempiLista(FrmLista& lista, const Form2& f, int ultimoPasso, double secondi);

// `AzioneCompleta`: the complete run on the window's current diagram. The step list is shown through
// `lista` when given. The window returns to the start step, with Undo and Save as that step wants them.
EsitoCorsa AzioneCompleta(Form2& f, FinestraForm2& w, StepListPort* lista);

}  // namespace trevalon
