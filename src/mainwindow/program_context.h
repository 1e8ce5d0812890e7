#pragma once
// What the windows of one run of the program share: where the program lives and the step viewer's
// "Migliora" confirmation. Each main window's knot document and view, with its look (tile palette and
// zoom), are its own (document.h).

#include <filesystem>

#include "platform/debug_dump.h"

namespace trevalon {

struct ProgramContext {
    // The folder of the program's executable; "Knots" and "Documentation" are read from beside it.
    std::filesystem::path programFolder;

    // Chosen when the program starts: the developer layout (`--developer`) and the table dumps
    // (`--debug`), which are written into `cartellaDump`, never beside the program.
    bool ModoSviluppo = false;
    bool ModoDebug = false;
    std::filesystem::path cartellaDump;
    DumpNonScritti dumpNonScritti;  // the dumps of this run that could not be written

    int ConfermaMigliora = 0;
};

}  // namespace trevalon
