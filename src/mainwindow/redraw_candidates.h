#pragma once
// Trying the redraw of the cell drawing on the candidates of a move, one after the other, from the same
// diagram: each candidate is highlighted in the main grid as the window's search shows it, and redrawn,
// checked, walked into a fresh diagram and compared with the rewrite of its code, as "Applica" and the
// commit of the move do it. Nothing is recorded and the diagram is left as it was. The benchmarks and the
// bench harness time it; the tests compare what the window records with these rewrites.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "moves/bridge_search.h"
#include "moves/gauss_rewrite.h"
#include "moves/move_search.h"
#include "platform/codes.h"

namespace trevalon {

class FinestraForm2;

// One candidate of a move I or II (`mossa`), or of a move III or horizontal move III (`ponte`).
struct CandidatoRidisegno {
    MoveKind tipo = MoveKind::None;
    CandidatoMossa mossa;
    CandidatoPonte ponte;
};

// The bridge candidates of d in the order the window's search shows them: over-bridges, then
// under-bridges; with `orizzontale` those of the horizontal move III.
std::vector<CandidatoPonte> candidatiPonte(const Diagram& d, bool orizzontale);

// Every candidate of a move of kind `tipo` (I, II or III; `orizzontale` for the horizontal move III) on d,
// in the order the window's search shows them. None on a diagram beyond the searches.
std::vector<CandidatoRidisegno> candidatiRidisegno(const Diagram& d, MoveKind tipo, bool orizzontale);

// The code the drivers write for candidate c applied to d (`conta` numbers the crossings a move II or III
// makes, as the window's counter); nothing when the rewrite fails. Every crossing gone gives empty texts.
std::optional<TestoNodo> riscritturaCandidato(const Diagram& d, const CandidatoRidisegno& c, int& conta);

// What became of one candidate.
struct ProvaRidisegno {
    enum class Esito {
        NonTentato,  // not redrawn by the window: its rewrite fails or (move II) adds crossings
        Riuscito,    // redrawn, checked and the same diagram as the rewrite
        Ricaduto,    // the redraw failed or did not match: the window applies the move through its code
    };
    Esito esito = Esito::NonTentato;
    double millisecondi = 0;  // redraw, check, walk and comparison
    std::string motivo;       // why it fell back
    // The redrawn drawing, when it was checked: a digest of its extent and of each cell's line code, number
    // and tile name, so that two builds can be compared for the same redraws.
    std::uint64_t impronta = 0;
};

// Candidate c highlighted in w's main grid and redrawn from w's diagram, which is left as it was.
ProvaRidisegno provaRidisegno(FinestraForm2& w, const CandidatoRidisegno& c);

}  // namespace trevalon
