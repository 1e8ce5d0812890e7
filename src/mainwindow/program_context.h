#pragma once
// What the windows of one run of the program share: where the program lives and the step viewer's
// "Migliora" confirmation. Each main window's knot document and view, with its look (tile palette and
// zoom), are its own (document.h).

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/debug_dump.h"

namespace trevalon {

// What "--debug" writes, every dump by its file name, as the helps of the program and of trevalon-bench
// say it: the tables of every diagram built, named by the kind of tables (`ModoGen`: "A" from the code,
// "I" rebuilt from the cell drawing, "D" walked over a knot source's symbols), the work lists
// of the searches and rewrites, a routing that fails, and the step viewer's redraws.
inline constexpr std::string_view kDumpTabelle =
    "the tables of every diagram built (archi.txt, the arcs as the Gauss code is read; archiA.txt and "
    "incrociA.txt for a knot built from its code, archiI.txt and incrociI.txt for a knot rebuilt from its "
    "cell drawing (a drawn knot opened, a move redrawn, an undo), archiD.txt and incrociD.txt for the walk "
    "over the symbols of a knot source; gemelli.txt, regioni.txt, tmpreg.txt, tmpreg00.txt, tmpreg01.txt)";
inline constexpr std::string_view kDumpRicerche =
    "the work lists of the move searches (coppie.txt, ng.txt and ngt2.txt for moves I and II; pontiA.txt, "
    "pontiP.txt and ponteok.txt for move III) and of the rewrites of the code (posricalc.txt)";
inline constexpr std::string_view kDumpInstradamento = "a routing that fails (errbordo.txt, errbordo.xlsx)";
inline constexpr std::string_view kDumpVisore =
    "the redraws of the cell drawing in the step viewer (celdis.txt, celdis2.txt, "
    "celdis_<stage>_<step>_.txt). The developer panel's \"Ruota\" writes ruota.txt there too.";

// The whole list, as "--debug" of the program writes it.
inline std::string dumpDelDebug() {
    return std::string(kDumpTabelle) + ", " + std::string(kDumpRicerche) + ", " +
           std::string(kDumpInstradamento) + " and " + std::string(kDumpVisore);
}

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
