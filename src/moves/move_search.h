#pragma once
// The move I and move II searches. Each works on the passage table (`gemelli`) and the arc table of a
// built diagram and produces its candidates in a fixed order; `TMan` and `TRic` walk them, show each to
// the person through the step viewer (or take the first in the automatic run) and leave the chosen move.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tables.h"
#include "moves/chosen_move.h"
#include "platform/debug_dump.h"
#include "platform/ports.h"

namespace trevalon {

// "N": the ordinary move II; "I": the developer technique, whose partner passages have the other sign.
enum class TipoTMan { N, I };

// Which part of a candidate an arc belongs to; the window chooses how each part is highlighted.
enum class HighlightRole {
    FirstStretch,   // move II: the stretch of the first entry; move I: the loop
    SecondStretch,  // move II: the stretch of the second entry
};

// One arc of a candidate to highlight: its part and renderer code (-4: the first arc of a stretch,
// -3: an inner arc, whose crossings get the highlighted tiles).
struct ArcoEvidenziato {
    int arco = 0;
    HighlightRole ruolo = HighlightRole::FirstStretch;
    int codice = 0;
};

// One accepted candidate with everything a window needs to show it and the record it leaves if chosen.
struct CandidatoMossa {
    MossaScelta mossa;            // VoceMossa1/VoceMossa2 hold the candidate entries
    std::string voceEvidenziata;  // ",c1,c2,": the crossings the renderer highlights while it is shown
    std::string Lista;            // ",a,b,...,": the arcs drawn
    std::vector<ArcoEvidenziato> archi;
    int incrocioPrimo = 0;  // crossing and arc at which the candidate's drawing starts
    int arcoPrimo = 0;
    int incrocioSecondo = 0;  // move II: the other crossing and the other stretch's first arc
    int arcoSecondo = 0;
    int nA = 0;  // inner passages of the two stretches (move I: of the loop)
    int nB = 0;
    std::string messaggioSviluppo;  // "TMan 5-3  3-5" / "Tric 4-4  4-4"
};

// Visits the accepted candidates in the search order; the visitor returns false to stop. Returns false
// (visiting nothing) when the passage table is beyond what the searches handle.
// With a dump folder (the debug switch on) the work lists are dumped as the search goes: "coppie.txt" the
// sorted entries, and for each pair (move I: each loop) whose stretches were walked "ng.txt" its inner
// passages sorted and, move II only, "ngt2.txt" the same in walking order.
bool EnumeraCandidatiMossaII(const Diagram& d, TipoTMan tipo,
                             const std::function<bool(const CandidatoMossa&)>& visita,
                             const DumpFolder* dump = nullptr);
bool EnumeraCandidatiMossaI(const Diagram& d, const std::function<bool(const CandidatoMossa&)>& visita,
                            const DumpFolder* dump = nullptr);

// All accepted candidates, in order.
std::vector<CandidatoMossa> CandidatiMossaII(const Diagram& d, TipoTMan tipo = TipoTMan::N);
std::vector<CandidatoMossa> CandidatiMossaI(const Diagram& d);

// True when the passage table of d can be searched: at most kMaxGemelli passages and consistent links.
bool TabellaPassaggiValida(const Diagram& d);

// The passages of a diagram as the move I and II searches read them, by themselves: for each passage
// p = 1..n (index 0 unused) its crossing, the other passage through that crossing, its own sign ('+' over)
// and the side by which it leaves its crossing (2 on the over strand; on the under strand 3 at a crossing
// "V", 1 at a crossing "O"). Whether a diagram has a move I or II at all can be asked of it without
// building the diagram's other tables.
struct TabellaPassaggi {
    int numIncroci = 0;
    std::vector<int> padre, gemello, dirad;
    std::vector<char> segno;
    int numGemelli() const { return padre.empty() ? 0 : static_cast<int>(padre.size()) - 1; }
};

// The table of the diagram built from a Gauss text and its letters, numbered as the build numbers it
// (from the first passage at crossing 1). False for a text the build's check refuses (the table is then
// not to be read); a text it accepts may still fail later steps of the build.
bool TabellaDaCodice(std::string_view txtNodo, std::string_view txtOri, TabellaPassaggi& t);
// The same table from the code's passages in travel order, each as 2 * (steps forward to the other passage
// of its crossing) + 1 for an over passage, 0 for an under one, its labels numbered by first appearance:
// the table TabellaDaCodice makes of that code's text, without writing it. The passages must pair off
// (each the other's partner); false, as there, for a code the build's check refuses.
bool TabellaDaPassi(const std::vector<int>& passi, std::string_view txtOri, TabellaPassaggi& t);
// The table of a built diagram.
void TabellaDaDiagramma(const Diagram& d, TabellaPassaggi& t);

// Whether the move I search (the move II search of that kind) of a diagram with that passage table would
// find a candidate: the same walks and tests, without making the candidates.
bool EsisteMossaI(const TabellaPassaggi& t);
bool EsisteMossaII(const TabellaPassaggi& t, TipoTMan tipo = TipoTMan::N);
// EsisteMossaI(t) || EsisteMossaII(t), the two sharing their preparation.
bool EsisteMossaIoII(const TabellaPassaggi& t);

// What a search needs of its window.
struct ContestoRicerca {
    explicit ContestoRicerca(UserInterface& u) : ui(u) {}
    UserInterface& ui;
    bool ModoAutomatico = false;
    bool ModoSviluppo = false;
    // Draws a candidate into the main grid before it is shown; not called in the automatic run.
    std::function<void(const CandidatoMossa&)> evidenzia;
    const GridControl* mainGrid = nullptr;
    const DumpFolder* dump = nullptr;  // the search's debug dumps; null while the debug switch is off
};

// What a search leaves: the answer, the candidates shown, the chosen-move record and the timings.
struct EsitoRicerca {
    ViewerAnswer EsitoDialogo = ViewerAnswer::None;
    int NumCandidati = 0;
    MossaScelta mossa;
    double TempoInizioRicerca = 0, TempoFineRicerca = 0, TempoFineDisegno = 0;
    bool tabellaNonValida = false;  // the diagram is beyond the passage-based searches
};

// Move II search: walks the candidates and stops at the first answer other than None.
EsitoRicerca TMan(const Diagram& d, TipoTMan tipo, ContestoRicerca& ctx);
// Move I search.
EsitoRicerca TRic(const Diagram& d, ContestoRicerca& ctx);

// End-of-work status line: "p1" := "Done", "p2" := "", unless in the automatic run.
void SettaDone(StatusPort& status, bool modoAutomatico);

}  // namespace trevalon
