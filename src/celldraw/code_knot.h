#pragma once
// A knot built from its Gauss code below the window: the texts laid out from a root crossing into fresh
// tables and a throwaway grid, then its structure derived (passages, regions, shortest region paths). The
// window only shows what comes of it: the busy pointer, the stop frame and the message box stay there.

#include <filesystem>
#include <string>

#include "celldraw/built_knot.h"
#include "layout/layout_state.h"
#include "model/model_settings.h"
#include "platform/codes.h"
#include "platform/debug_dump.h"
#include "platform/ports.h"

namespace trevalon {

// What a build from a code reads of the window that asks for it: its modes and the cell size of its zoom.
struct OpzioniCostruzione {
    bool ModoAutomatico = false;  // no person: root crossing 1, no grid drawn, nothing shown
    bool CorsaCompleta = false;   // a complete run: a faulty code is not said again
    bool ModoDebug = false;       // table dumps into `cartellaDump`
    bool ModoSviluppo = false;    // the developer layout's palette and layout settings
    SourceKind ModoSorgente = SourceKind::Code;
    int DimCella = 320;  // the cell size the throwaway grid is drawn at
    std::filesystem::path cartellaDump;
    DumpNonScritti* nonScritti = nullptr;  // where dumps that cannot be written are counted; may be null
    const GridControl* grigliaPrincipale = nullptr;  // the grid the developer layout's marks refer to
};

enum class EsitoCostruzione {
    Costruito,  // built and its structure derived
    Banale,     // empty Gauss text or letters: the trivial knot (nothing built, no message)
    Errore,     // the build failed; `messaggio` says why
    Fermato,    // the person stopped the build
};

// A build from a code: what became of it, when built the knot (from a code, with the root crossing the layout
// started from), and for a failure the one message to show (the faults of the code and the failure).
struct CostruzioneNuova {
    EsitoCostruzione esito = EsitoCostruzione::Errore;
    NodoCostruito nodo;
    std::string messaggio;
};

// Empty Gauss text or letters, blanks aside: the trivial knot, which is not built.
bool codiceBanale(const std::string& txtNodo, const std::string& TxtOri);

// What the model's procedures are told by a build with these options: the debug switch and the dumps' folder.
ModelSettings impostazioniModello(const OpzioniCostruzione& o, StatusPort* status);

// The layout state's switches as a build with these options wants them (also for a diagram built earlier
// that is installed again).
void preparaLayout(LayoutState& s, const OpzioniCostruzione& o, StatusPort* status);

// Builds the texts into fresh tables from root crossing `radice` (reset to 1 when it is 0 or beyond the
// letters, and in the automatic run), then derives passages, regions and shortest paths. Crossing i is
// labelled "i". The layout state `s` keeps the layout for the next build; a stopped build leaves it empty
// but for its settings and root. Questions of the build go to `ports`; every progress step calls `progresso`
// (may be empty). With `stop` the build may be stopped: `ports` serves the window's events at every progress
// step and a request made then ends the build (Fermato; the request is cleared).
CostruzioneNuova costruisciNodoDaCodice(const std::string& txtNodo, const std::string& TxtOri, int radice,
                                        const OpzioniCostruzione& o, LayoutState& s, UserInterface& ports,
                                        StopRequest* stop = nullptr,
                                        const std::function<void()>& progresso = {});

}  // namespace trevalon
