// trevalon-bench redraw: the redraw of the cell drawing after each candidate move of knot files, timed.

#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "harness_commands.h"
#include "harness_files.h"
#include "mainwindow/commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/redraw_candidates.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

struct TipoProva {
    const char* nome;
    MoveKind tipo;
    bool orizzontale;
};
constexpr TipoProva kTipi[] = {{"I", MoveKind::I, false},
                               {"II", MoveKind::II, false},
                               {"III", MoveKind::III, false},
                               {"horizontal III", MoveKind::III, true}};

// One file: opened by the window's engine object, then every candidate of each kind tried from it.
int ridisegnaFile(const std::string& file) {
    ProgramContext ctx;
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    InstallaComandiDiagramma(*form);
    if (!ApriGen(form->contesto(), form->vista(), file)) {
        std::string perche = ui.messages.empty() ? "the file cannot be opened" : ui.messages.back();
        for (char& ch : perche)
            if (ch == '\n' || ch == '\t') ch = ' ';
        std::cout << file << "\terror\t" << perche << '\n';
        return 1;
    }
    FinestraForm2 w(*form);
    for (const TipoProva& k : kTipi) {
        const std::vector<CandidatoRidisegno> candidati =
            candidatiRidisegno(form->doc().diagram, k.tipo, k.orizzontale);
        int riusciti = 0, ricaduti = 0;
        double millisecondi = 0;
        for (const CandidatoRidisegno& c : candidati) {
            const ProvaRidisegno p = provaRidisegno(w, c);
            if (p.esito == ProvaRidisegno::Esito::NonTentato) continue;
            (p.esito == ProvaRidisegno::Esito::Riuscito ? riusciti : ricaduti) += 1;
            millisecondi += p.millisecondi;
        }
        const int tentati = riusciti + ricaduti;
        std::ostringstream media;
        media << std::fixed << std::setprecision(1) << (tentati ? millisecondi / tentati : 0.0);
        std::cout << file << '\t' << k.nome << '\t' << candidati.size() << '\t' << riusciti << '\t'
                  << ricaduti << '\t' << media.str() << '\n';
    }
    return 0;
}

}  // namespace

int comandoRedraw(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench redraw FILE|FOLDER...\n";
        return 2;
    }
    int rc = 0;
    for (const auto& file : fileDaArgomenti(args)) rc |= ridisegnaFile(file.string());
    return rc;
}

}  // namespace trevalon::bench
