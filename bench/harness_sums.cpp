// trevalon-bench sums: knot files split into their prime summands by the connected-sum search, headless.

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "harness_commands.h"
#include "harness_files.h"
#include "mainwindow/form2.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/prime_summands.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

std::string riga(std::string s) {
    for (char& ch : s)
        if (ch == '\n' || ch == '\t' || ch == '\r') ch = ' ';
    return s;
}

int sommeFile(const std::string& file) {
    ProgramContext ctx;
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    if (!ApriGen(*form, file)) {
        std::cout << file << "\terror\t"
                  << riga(ui.messages.empty() ? "the file cannot be opened" : ui.messages.back()) << '\n';
        return 1;
    }
    const int incroci = form->doc.diagram.NumIncroci;
    const auto t0 = std::chrono::steady_clock::now();
    const Result<AddendiPrimi> primi = addendiPrimi(*form);
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!primi) {
        std::cout << file << "\terror\t" << riga(primi.error()) << '\n';
        return 1;
    }
    std::ostringstream out;
    out << file << '\t' << incroci << '\t' << primi->primi.size() << '\t' << std::fixed
        << std::setprecision(3) << secondi;
    for (const AddendoPrimo& p : primi->primi)
        out << '\t' << valoreGaussCode(p.txtNodo) << '\t' << valoreIndices(p.TxtOri);
    out << "\tunknot pieces: " << primi->banali << '\t'
        << (primi->corsaPrima ? "searched after the complete run" : "searched as given");
    std::cout << out.str() << '\n';
    return 0;
}

}  // namespace

int comandoSums(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench sums FILE...\n";
        return 2;
    }
    int rc = 0;
    for (const auto& file : fileDaArgomenti(args)) rc |= sommeFile(file.string());
    return rc;
}

}  // namespace trevalon::bench
