// trevalon-bench redraw: the redraw of the cell drawing after each candidate move of knot files, timed.

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <iterator>
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

// One file: opened by the window's engine object, then every candidate of each kind tried from it. With
// `ognuno` each candidate tried gets a line of its own before the kind's line.
int ridisegnaFile(const std::string& file, bool ognuno, const std::string& soloTipo) {
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
        if (!soloTipo.empty() && soloTipo != k.nome) continue;
        const std::vector<CandidatoRidisegno> candidati =
            candidatiRidisegno(form->doc().diagram, k.tipo, k.orizzontale);
        int riusciti = 0, ricaduti = 0;
        double millisecondi = 0;
        for (std::size_t i = 0; i < candidati.size(); ++i) {
            const ProvaRidisegno p = provaRidisegno(w, candidati[i]);
            if (p.esito == ProvaRidisegno::Esito::NonTentato) continue;
            const bool riuscito = p.esito == ProvaRidisegno::Esito::Riuscito;
            (riuscito ? riusciti : ricaduti) += 1;
            millisecondi += p.millisecondi;
            if (ognuno)
                std::cout << file << '\t' << k.nome << '\t' << i << '\t'
                          << (riuscito ? "redrawn" : "fell back") << '\t' << std::hex << std::setw(16)
                          << std::setfill('0') << p.impronta << std::dec << std::setfill(' ') << '\t'
                          << p.motivo << '\n';
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
    std::vector<std::string> files;
    bool ognuno = false;
    std::string soloTipo;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--each")
            ognuno = true;
        else if (args[i] == "--kind" && i + 1 < args.size())
            soloTipo = args[++i];
        else
            files.push_back(args[i]);
    }
    if (files.empty() ||
        (!soloTipo.empty() && std::none_of(std::begin(kTipi), std::end(kTipi),
                                           [&](const TipoProva& k) { return soloTipo == k.nome; }))) {
        std::cerr
            << "usage: trevalon-bench redraw [--each] [--kind I|II|III|\"horizontal III\"] FILE|FOLDER...\n";
        return 2;
    }
    int rc = 0;
    for (const auto& file : fileDaArgomenti(files)) rc |= ridisegnaFile(file.string(), ognuno, soloTipo);
    return rc;
}

}  // namespace trevalon::bench
