#pragma once
// The move I and move II drivers: one search, at most one applied move, at most one recorded step. They
// reach the main window through FinestraMosse, which the main window's engine object implements (and a
// fake in tests).

#include <functional>
#include <optional>
#include <string>

#include "model/tables.h"
#include "moves/gauss_rewrite.h"
#include "moves/move_search.h"
#include "platform/codes.h"
#include "platform/debug_dump.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

class FinestraPonte;
class RiscritturaPonte;
struct CandidatoPonte;

// Modes of the window that a driver reads.
struct OpzioniMosse {
    bool ModoAutomatico = false;
    bool ModoSviluppo = false;
    bool ModoBatch = false;
    bool CorsaCompleta = false;
    bool PassoCombinato = false;  // the combined step of the move III driver is running
    bool nascosta = false;        // the look-ahead instance of the horizontal search
    // Developer settings of the horizontal search (developer_variants.h); off in normal use.
    bool SoloGenerazione = false;
    int ValoreDebug = 0;
    int ValoreDebug2 = 0;
    // The developer settings' check of a candidate of the horizontal search's tree step
    // (`ValidaCamminoSviluppo`), asked before the step's own work: nullopt lets that go on. Empty: none.
    std::function<std::optional<bool>(FinestraPonte&, RiscritturaPonte&, const CandidatoPonte&)>
        camminoSviluppo;
    // The debug dumps of the searches and rewrites; null while the debug switch is off.
    const DumpFolder* dump = nullptr;
};

// What the drivers need of a main window.
class FinestraMosse {
  public:
    virtual ~FinestraMosse() = default;
    virtual Diagram& diagramma() = 0;
    virtual UserInterface& ui() = 0;
    virtual OpzioniMosse opzioni() const = 0;
    // Counter of the names of crossings that rewrites create; it only grows.
    virtual int contaNuoviIncroci() const = 0;
    // The counter moved on past the n crossings a rewrite has just created.
    virtual void aggiungiNuoviIncroci(int n) = 0;

    // The one way an applied move reaches the window: the diagram the rewrite of the code gave (empty texts
    // when every crossing is gone). The window makes it its diagram, builds it, records it as the next step
    // and shows it, as far as the window does each of these. False when the step was not recorded (the
    // window has then said why).
    virtual bool committaMossa(MoveKind tipo, const TestoNodo& nuovo) = 0;
    // Redraws the whole diagram (after the candidates were passed over).
    virtual void ridisegna() = 0;
    // The move III driver's combined step: every candidate of this search was refused.
    virtual void mossaIIIRifiutata() {}

    // Draws a candidate into the main grid before it is shown; nothing by default.
    virtual void evidenziaCandidato(const CandidatoMossa&) {}
    virtual const GridControl* grigliaPrincipale() const { return nullptr; }
    // Resets the progress counter before a long piece of work.
    virtual void azzeraProgressivo() {}
};

enum class EsitoDriver {
    Applicata,           // a move was applied and handed to the window
    NessunCandidato,     // the search found nothing
    NessunAltro,         // every candidate shown was passed over
    Interrotta,          // "Int", or another answer that applies nothing
    RiscritturaFallita,  // the chosen move could not be written into the code: nothing changed
    Intrattabile,        // the diagram is beyond the searches
};

struct RisultatoDriver {
    EsitoDriver esito = EsitoDriver::NessunCandidato;
    EsitoRicerca ricerca;
};

// Message of a rewrite that failed: the diagram stays as it was.
inline constexpr const char* kMessaggioRiscritturaFallita =
    "The move could not be applied: the diagram is unchanged";
// Message of a diagram beyond the passage table.
inline constexpr const char* kMessaggioTroppiIncroci = "The moves work on diagrams of at most 250 crossings";

// The context of a window's move I and II searches: its interface and modes, its main grid, the debug
// dumps, and the window's highlighting of each candidate.
ContestoRicerca contestoRicerca(FinestraMosse& w);

// Move II: search, apply, record, report. Diretta is true when the person asked for this move.
RisultatoDriver DoTman(FinestraMosse& w, bool Diretta);
// Move I.
RisultatoDriver DoTric(FinestraMosse& w, bool Diretta);

}  // namespace trevalon
