#pragma once
// The records of the step history (`tblStati`). A step not built from its code keeps the snapshot text of
// its cell drawing (model/cell_drawing_snapshot.h).

#include <string>
#include <vector>

#include "platform/codes.h"

namespace trevalon {

// Steps 0..1000; a push beyond the last one is refused.
inline constexpr int kMaxStati = 1000;

struct Stato {
    std::string Codice;            // Gauss text of the step
    std::string Ori;               // over/under letters of the step
    int Flag = 0;                  // root crossing the step is drawn from
    GenMode Tipo = GenMode::Code;  // built from the Gauss text, or from the cell drawing
    std::string TblGenSer;  // snapshot of the cell drawing; kept only for steps not built from the code
};

// The step history of a window: steps 0..NumStato lead to the diagram shown; records beyond NumStato are
// what a complete run left after returning to its start step.
struct StoriaPassi {
    std::vector<Stato> tblStati = std::vector<Stato>(kMaxStati + 1);
    int NumStato = 0;

    bool valido(int n) const { return n >= 0 && n <= kMaxStati; }
    // No further step can be recorded.
    bool piena() const { return NumStato < 0 || NumStato >= kMaxStati; }
    Stato& passo(int n) { return tblStati.at(static_cast<std::size_t>(n)); }
    const Stato& passo(int n) const { return tblStati.at(static_cast<std::size_t>(n)); }
    Stato& corrente() { return passo(NumStato); }
    // Every record empty, step 0 shown.
    void azzera() {
        tblStati.assign(static_cast<std::size_t>(kMaxStati) + 1, Stato{});
        NumStato = 0;
    }
};

}  // namespace trevalon
