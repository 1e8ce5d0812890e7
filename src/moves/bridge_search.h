#pragma once
// The move III search. A bridge is a maximal stretch of the strand that passes over (or under)
// consecutive crossings; since it lies above (or below) everything it meets, it can be laid along any
// other route through the regions of the diagram, crossing every arc on that route on the same side.
// Move III lays it along a route that crosses fewer arcs than the bridge has crossings; horizontal move
// III along a route of the same length. The search lists the bridges of one kind, pairs their end regions
// by region-graph distance, enumerates the shortest routes between them and hands each sound candidate on.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/tables.h"
#include "moves/chosen_move.h"
#include "platform/debug_dump.h"
#include "platform/ports.h"

namespace trevalon {

// One candidate: the bridge, the route and everything the rewrite, the viewer and the horizontal search
// need of it.
struct CandidatoPonte {
    // ListaArchiMossa (the bridge "i,...,j"), ListaArchiAttraversati ("a,b," or "" when none),
    // ListaRegioniMossa ("rA,...,rB,"), RegioneInizioMossa, RegioneFineMossa.
    MossaScelta mossa;
    char ab1 = '-';  // '-' over-bridge (an under passage, then over passages), '+' under-bridge
    char ab2 = '+';
    bool orizzontale = false;
    int incrociPonte = 0;    // c: the crossings the bridge passes
    int indicePercorso = 0;  // index of the route among the listed routes of its end-region pair (Mossa)
    std::vector<int> archiPonte;
    std::vector<int> archiAttraversati;
    std::vector<int> regioni;
    // The region sequences along both sides of the bridge (ListaRegioniPonte) and the same reversed, as
    // texts (left empty by a search without texts) and as numbers.
    std::string Rg1, Rg1inv, Rg2, Rg2inv;
    std::vector<int> latoPonte1, latoPonte2;
    // The route runs along one side of the bridge itself (same region sequence, either direction).
    bool lungoIlPonte() const;
    // The step viewer's text: each bridge arc, an empty line, each crossed arc, as arc-label-label lines.
    std::string messaggio;
};

// Caps of the route enumeration, where shortest routes can be exponentially many.
struct LimitiPonte {
    int maxPercorsiOrizzontali = 64;  // routes listed per end-region pair in horizontal mode
    long maxPassiPercorsi = 100000;   // route-extension steps per end-region pair
};

struct EsitoEnumerazionePonti {
    bool tabellaNonValida = false;  // the tables are not a built diagram within the search's limits
    bool troncato = false;          // some route list was cut at a cap (the routes listed are whole)
    bool fermato = false;           // the visitor asked to stop
    int ponti = 0;                  // bridges listed
};

// Bridge test (tmpVerlistaponti): no two arcs of the bridge start at the same crossing and no two end at
// the same crossing, so a bridge that passes its own first or last crossing again is refused.
bool tmpVerlistaponti(const Diagram& d, const std::vector<int>& archiPonte);

// The bridges of one kind in ascending order of their start passage, each as its passages i, i+1, .., j
// (which are also its arcs).
std::vector<std::vector<int>> ListaPonti(const Diagram& d, char ab1, char ab2);

// ListaRegioniPonte: the region sequences along both sides of a bridge, "r,r,...,".
void ListaRegioniPonte(const Diagram& d, const std::vector<int>& ponte, std::string& Rg1, std::string& Rg1inv,
                       std::string& Rg2, std::string& Rg2inv);

// Visits the candidates of one bridge kind in search order (bridges by start passage, then end-region
// pairings, then routes). Move III: for each sound bridge the first route, crossing none of the bridge's
// own arcs, of the first end-region pairing in order of distance (ties in pairing order) that is closer
// than the bridge's crossing count and has one. Horizontal: every such route of every pairing whose
// distance equals the crossing count, up to the caps. The visitor returns false to stop. Without
// conMessaggio the viewer's text (messaggio) is left empty, for a search that shows nothing; without
// conTesti the move's texts (mossa) and Rg1..Rg2inv are left empty too, for a search that reads only the
// numbers (archiPonte, archiAttraversati, regioni).
// `cedi` is called once per bridge, per end-region pairing and every 1024 route steps, so that a window
// can serve its events. With senzaLungoIlPonte the routes that run along the bridge itself
// (CandidatoPonte::lungoIlPonte) are counted among the routes but not visited.
EsitoEnumerazionePonti EnumeraCandidatiPonte(const Diagram& d, char ab1, char ab2, bool orizzontale,
                                             const std::function<bool(const CandidatoPonte&)>& visita,
                                             const LimitiPonte& limiti = {}, bool conMessaggio = true,
                                             const std::function<void()>& cedi = {}, bool conTesti = true,
                                             bool senzaLungoIlPonte = false);

// EnumeraCandidatiPonte for over-bridges ('-', '+') and then under-bridges ('+', '-'), with the tables of
// the diagram made once for both; ends at the first kind whose visitor asked to stop.
EsitoEnumerazionePonti EnumeraCandidatiPonteDueTipi(const Diagram& d, bool orizzontale,
                                                    const std::function<bool(const CandidatoPonte&)>& visita,
                                                    const LimitiPonte& limiti, bool conMessaggio,
                                                    const std::function<void()>& cedi, bool conTesti,
                                                    bool senzaLungoIlPonte);

// What Tponte needs of its window and of the horizontal search.
struct ContestoPonte {
    explicit ContestoPonte(UserInterface& u) : ui(u) {}
    UserInterface& ui;
    bool ModoAutomatico = false;
    bool finestraPrincipale = true;  // false in the look-ahead instance
    // Draws a candidate into the main grid before it is shown; not called in the automatic run.
    std::function<void(const CandidatoPonte&)> evidenzia;
    const GridControl* mainGrid = nullptr;
    // The stop request of the search frame; hiding the frame clears it (may be null).
    StopRequest* RichiestaStop = nullptr;
    // Horizontal mode with no candidate chosen: the tree step (ValidaCammino), called with each valid
    // candidate and its ordinal (0 in the look-ahead instance); true takes the candidate.
    std::function<bool(const CandidatoPonte&, std::int64_t ordinale)> validaCammino;
    // Running ordinal of the valid horizontal candidates, and the one to take (-1 none). 64 bits: a
    // diagram can have far more horizontal candidates than a 16-bit counter holds.
    std::int64_t ContaOrizzontali = 0;
    std::int64_t CandidatoScelto = -1;
    LimitiPonte limiti;
    const DumpFolder* dump = nullptr;  // the search's debug dumps; null while the debug switch is off
};

struct EsitoPonte {
    ViewerAnswer EsitoDialogo = ViewerAnswer::None;  // answer for the last candidate shown
    int NumCandidati = 0;
    MossaScelta mossa;         // the last candidate shown (the chosen one when the answer is "Sel")
    CandidatoPonte candidato;  // the same, whole
    std::optional<BridgeKind> TipoPonte;  // once a candidate has been shown
    bool tabellaNonValida = false;
    bool troncato = false;
    double TempoInizioRicerca = 0, TempoFineRicerca = 0, TempoFineDisegno = 0, TempoInizioPonte = 0;
};

// A candidate found: highlighted in the main window, counted and kept in `r` as the last one shown, then
// shown in the step viewer for its answer (`primaDelVisore` just before), or taken at once ("Sel") in
// the automatic run.
void MostraCandidatoPonte(const CandidatoPonte& cand, BridgeKind tipo, ContestoPonte& ctx, EsitoPonte& r,
                          const std::function<void()>& primaDelVisore = {});

// Tponte for the normal search: move III or horizontal move III. Every accepted candidate is shown in the
// step viewer (in the automatic run taken at once, "Sel"); the search ends at the first answer "Sel" or
// "Int".
EsitoPonte Tponte(const Diagram& d, char ab1, char ab2, BridgeKind minUg, ContestoPonte& ctx);

}  // namespace trevalon
