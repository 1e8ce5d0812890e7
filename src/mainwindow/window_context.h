#pragma once
// What the procedures below a main window's commands are handed instead of the window: its knot document
// (the diagram, its history and the modes), the stop request of its searches, the program's shared context
// and the ports. The window owns it beside its view (`VistaNodo`), which the procedures that draw are handed
// as well.

#include <filesystem>

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

    // `AggiornaProgressivo`: one progress step; every 20th shows a row of dots in "p2" and "Wait.." in an
    // idle "p1".
    void AggiornaProgressivo();
    // `SettaDone`: "Done" in "p1", "p2" emptied.
    void SettaDone();
};

// The tile palette of a view's diagrams (of the kind the modes name), loaded on first use.
const TilePalette& paletteCorrente(VistaNodo& vista, const ModiFinestra& modi);

}  // namespace trevalon
