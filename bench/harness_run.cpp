// trevalon-bench run: the complete automatic simplification of knot files, headless.

#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "harness_commands.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "platform/debug_dump.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

// One file: the window's engine object opens it and runs the complete run without a person. With a dumps
// folder the debug switch is on and the debug dumps go there; dumps that cannot be written are said on the
// error output and make the result 1.
int runFile(const std::string& file, bool steps, const std::string& cartellaDump) {
    ProgramContext ctx;
    ctx.ModoDebug = !cartellaDump.empty();
    ctx.cartellaDump = cartellaDump;
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    if (!ApriGen(form->contesto(), form->vista(), file)) {
        std::cout << file << "\terror\t"
                  << (ui.messages.empty() ? "the file cannot be opened" : ui.messages.back()) << '\n';
        return 1;
    }
    FinestraForm2 w(*form);
    const std::size_t messagesBefore = ui.messages.size();
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::ostringstream seconds;
    seconds << std::fixed << std::setprecision(3) << e.secondi;
    std::cout << file << '\t' << e.incrociPrima << '\t' << e.incrociDopo << '\t'
              << e.ultimoPasso - e.passoIniziale << '\t' << seconds.str() << '\t'
              << valoreGaussCode(e.codiceFinale) << '\t' << valoreIndices(e.oriFinale) << '\n';
    if (steps) {
        for (int i = 0; i <= e.ultimoPasso; ++i) {
            const Stato& s = form->doc().storia.passo(i);
            std::cout << "  step " << i << '\t' << s.Ori.size() << '\t' << valoreGaussCode(s.Codice) << '\t'
                      << valoreIndices(s.Ori) << '\n';
        }
        for (std::size_t k = messagesBefore; k < ui.messages.size(); ++k)
            std::cout << "  message\t" << ui.messages[k] << '\n';
    }
    // Dumps that could not be written fail the run: the folder asked for does not hold them.
    if (const std::string nonScritti = testoDumpNonScritti(ctx.dumpNonScritti, 0); !nonScritti.empty()) {
        std::cerr << file << ": " << nonScritti << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int comandoRun(const std::vector<std::string>& args) {
    bool steps = false;
    std::string cartellaDump;
    std::vector<std::string> files;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--steps") {
            steps = true;
        } else if (a == "--debug") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                usage = true;
                break;
            }
            cartellaDump = args[++i];
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || usage) {
        std::cerr << "usage: trevalon-bench run FILE... [--steps] [--debug DIR]\n";
        return 2;
    }
    if (!cartellaDump.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_directory(cartellaDump, ec)) {
            std::cerr << "the dumps folder " << cartellaDump << " is not a folder\n";
            return 2;
        }
    }
    int rc = 0;
    for (const std::string& f : files) rc |= runFile(f, steps, cartellaDump);
    return rc;
}

}  // namespace trevalon::bench
