#pragma once
// What the procedures below a main window's commands are handed instead of the window: its knot document
// (the diagram, its history and the modes), the stop request of its searches, the program's shared context
// and the ports. The window owns it beside its view (`VistaNodo`), which the procedures that draw are handed
// as well.

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "layout/palette.h"
#include "mainwindow/document.h"
#include "mainwindow/program_context.h"
#include "platform/ports.h"

namespace trevalon {

struct ContestoFinestra {
    ContestoFinestra(ProgramContext& programma, UserInterface& ports) : ctx(programma), ui(ports) {}
    ContestoFinestra(const ContestoFinestra&) = delete;
    ContestoFinestra& operator=(const ContestoFinestra&) = delete;

    ProgramContext& ctx;
    UserInterface& ui;
    DocumentoNodo doc;
    StopRequest RichiestaStop;               // "Cancel" of the stop frame pressed, or the window closing
    std::filesystem::path CartellaDialoghi;  // start folder of the file dialogs
    int ContatoreProgresso = 0;
    // The window is to close: a search that asks for the stop request is stopped at once.
    bool chiusuraRichiesta = false;
    bool bottoniAbilitati = false;  // what the last `AbilitaBottoni` asked of the diagram commands
    // The keys the window has bound to a command; a diagram command without one stays off.
    std::set<std::string, std::less<>> comandiLegati;

    bool hasCommand(std::string_view key) const { return comandiLegati.find(key) != comandiLegati.end(); }
    // `AbilitaBottoni`: the diagram commands that have a command on or off ("draw" off for a drawn knot and
    // after step 0), then the zoom buttons for the view's `zoom`. Nothing in batch work.
    void AbilitaBottoni(bool tmpEnb, const Zoom& zoom);
    // "Zoom out" and "Zoom in", while the diagram commands are on, each only short of its end of the zoom's
    // range: a button that can do nothing is off.
    void AbilitaZoom(const Zoom& zoom);
    // `Testocaption`: the caption names the knot's file and the step (in the complete run, "p2" the step).
    void Testocaption(int tmpIstati);

    // `AggiornaProgressivo`: one progress step; every 20th shows a row of dots in "p2" and "Wait.." in an
    // idle "p1".
    void AggiornaProgressivo();
    // `SettaDone`: "Done" in "p1", "p2" emptied.
    void SettaDone();
};

// The tile palette of a view's diagrams (of the kind the modes name), loaded on first use.
const TilePalette& paletteCorrente(VistaNodo& vista, const ModiFinestra& modi);
// `CaricaFormTessere`: the tile palette of the current source kind loaded into the view (not in batch work).
void CaricaFormTessere(VistaNodo& vista, const ModiFinestra& modi);

// The file name of a knot path with its knot extensions removed, as the caption shows it; accepts "/"
// and "\" as folder separators.
std::string captionBaseName(std::string_view path);

}  // namespace trevalon
