#pragma once
// The program's command-line options: the developer layout and the table dumps, and where the dumps go.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>
#include <string>

#include "mainwindow/program_context.h"

namespace trevalon {

// The arguments (the program's name first) without the options that Qt's own windows take (-platform NAME,
// -style NAME, -reverse, ..., also with two dashes or NAME after "="), as the window's application leaves
// them out: what remains is the program's own.
QStringList senzaOpzioniDiQt(const QStringList& argomenti);

// What the program answers without opening a window: the text, where it goes, and the exit code.
struct RispostaAvvio {
    int codice = 0;
    bool errore = false;  // on the error stream, else on the standard output
    std::string testo;
};

class OpzioniAvvio {
  public:
    // The options, with the dumps' folder of `ctx` named in the help text.
    explicit OpzioniAvvio(const ProgramContext& ctx);
    QCommandLineParser& parser() { return parser_; }
    // Reads the arguments (the program's name first) leaving out Qt's own (senzaOpzioniDiQt), before any
    // display is opened. Answered here: "--help" (the help, 0), "--version" (the name and version, 0), an
    // unknown option or a value given to an option that takes none (the parser's reason and where the help
    // is, on the error stream, 2). Nothing when the window is to open. "--help-all" (the help with Qt's
    // options) is printed by Qt's parser, which ends the program with 0.
    std::optional<RispostaAvvio> leggi(const QStringList& argomenti);
    // The choices read by the parser into the context: `ModoSviluppo`, and `ModoDebug` when its folder
    // exists or can be made. Otherwise the dumps stay off, and the text returned says why (empty when all
    // the choices were taken).
    std::string applica(ProgramContext& ctx) const;

  private:
    QCommandLineParser parser_;
    QCommandLineOption developer_;
    QCommandLineOption debug_;
    QCommandLineOption version_;
};

}  // namespace trevalon
