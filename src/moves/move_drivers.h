#pragma once
// The move I and move II drivers: one search, at most one applied move, at most one recorded step. They
// reach the main window through FinestraMosse, which the main window's engine object implements (and a
// fake in tests).

#include <string>

#include "model/tables.h"
#include "moves/move_search.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

// Modes of the window that a driver reads.
struct OpzioniMosse {
    bool ModoAutomatico = false;
    bool ModoSviluppo = false;
    bool ModoBatch = false;
    bool CorsaCompleta = false;
    bool PassoCombinato = false;  // the combined step of the move III driver is running
    bool nascosta = false;        // the hidden look-ahead instance (`PrimaForm` set)
};

// What the drivers need of a main window.
class FinestraMosse {
  public:
    virtual ~FinestraMosse() = default;
    virtual Diagram& diagramma() = 0;
    virtual UserInterface& ui() = 0;
    virtual OpzioniMosse opzioni() const = 0;
    // 'A' tables built from the Gauss code, 'I' from the cell drawing, anything else a text drawing.
    virtual char modoGen() const = 0;
    // Counter of the names of crossings that rewrites create; it only grows.
    virtual int& contaNuoviIncroci() = 0;
    // The shared answer and move kind, for the step viewer and the callers of the drivers.
    virtual void impostaTipoMossa(const std::string& tipo) = 0;
    virtual void impostaEsitoDialogo(const std::string& esito) = 0;

    // Rebuilds the whole diagram from diagramma().txtNodo and TxtOri; false when the build failed (the
    // window has then shown why).
    virtual bool ricostruisciDaCodice() = 0;
    // Records the current diagram as the next step (does nothing in batch mode or the hidden instance).
    virtual void registraPasso() = 0;
    // 'I': rebuilds the tables from the cell drawing that the step viewer redrew after the move.
    virtual void ricostruisciDaDisegno() = 0;
    // Any other kind: writes the cell table's symbols as a text drawing.
    virtual void scriviDisegnoTesto() = 0;
    // Redraws the whole diagram (after the candidates were passed over).
    virtual void ridisegna() = 0;
    // The move III driver's combined step: every candidate of this search was refused.
    virtual void mossaIIIRifiutata() {}

    // Draws a candidate into the main grid before it is shown; nothing by default.
    virtual void evidenziaCandidato(const CandidatoMossa&) {}
    virtual const GridControl* grigliaPrincipale() const { return nullptr; }
    // Resets the progress counter before a long piece of work.
    virtual void azzeraProgressivo() {}
    // Switches the main grid's painting back on after a move.
    virtual void riattivaPittura() {}
};

enum class EsitoDriver {
    Applicata,           // a move was applied (and recorded where the window records steps)
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

// Move II: search, apply, record, report. Diretta is true when the person asked for this move.
RisultatoDriver DoTman(FinestraMosse& w, bool Diretta);
// Move I.
RisultatoDriver DoTric(FinestraMosse& w, bool Diretta);

}  // namespace trevalon
