#pragma once
// The program's command-line options: the developer layout and the table dumps, and where the dumps go.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <string>

#include "mainwindow/program_context.h"

namespace trevalon {

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
