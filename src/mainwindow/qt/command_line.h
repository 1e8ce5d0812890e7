#pragma once
// The program's command-line options: the developer layout and the table dumps, and where the dumps go.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <string>

#include "mainwindow/program_context.h"

namespace trevalon {

// What "--debug" writes, as its help says it: every dump by its file name.
inline constexpr const char* kDumpDelDebug =
    "the tables of every diagram built (archi.txt, the arcs as the Gauss code is read; archiA.txt, "
    "incrociA.txt, gemelli.txt, regioni.txt, tmpreg.txt, tmpreg00.txt, tmpreg01.txt), the work lists of "
    "the move searches (coppie.txt, ng.txt and ngt2.txt for moves I and II; pontiA.txt, pontiP.txt and "
    "ponteok.txt for move III) and of the rewrites of the code (posricalc.txt), a routing that fails "
    "(errbordo.txt, errbordo.xlsx) and the redraws of the cell drawing in the step viewer (celdis.txt, "
    "celdis2.txt, celdis_<stage>_<step>_.txt). The developer panel's \"Ruota\" writes ruota.txt there too.";

class OpzioniAvvio {
  public:
    // The options, with the dumps' folder of `ctx` named in the help text.
    explicit OpzioniAvvio(const ProgramContext& ctx);
    QCommandLineParser& parser() { return parser_; }
    // The choices read by the parser into the context: `ModoSviluppo`, and `ModoDebug` when its folder
    // exists or can be made. Otherwise the dumps stay off, and the text returned says why (empty when all
    // the choices were taken).
    std::string applica(ProgramContext& ctx) const;

  private:
    QCommandLineParser parser_;
    QCommandLineOption developer_;
    QCommandLineOption debug_;
};

}  // namespace trevalon
