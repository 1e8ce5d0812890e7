// trevalon-bench sums: knot files split into their prime summands by the connected-sum search, headless.

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "celldraw/built_knot.h"
#include "connsum/search.h"
#include "connsum/split.h"
#include "harness_commands.h"
#include "harness_files.h"
#include "mainwindow/form2.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

// No person: the first connected sum found is split; the summands are only looked at.
class PrimaSomma : public AutomaticUi {
  public:
    ViewerAnswer showCandidate(const StepViewRequest& r) override {
        return r.tipoAzione == ViewerAction::Move ? ViewerAnswer::Se1 : ViewerAnswer::None;
    }
};

// A diagram can be split no deeper than it has crossings: each summand has at least three.
constexpr int kProfonditaMassima = kMaxIncroci / 3;

// Splits d at the first connected sum found and each summand again, until no sum is left; the Gauss codes
// of the prime summands in the order of the split. The reason when a summand could not be closed or built.
Status scomponi(Diagram& d, std::vector<std::pair<std::string, std::string>>& primi, int profondita) {
    if (profondita > kProfonditaMassima) return fail("too many summands");
    PrimaSomma ui;
    FinestraSommaSenzaVista w(d, ui);
    StatoSomma stato;
    std::array<Addendo, 2> addendi;
    bool diviso = false;
    CmdSottoNodi_Click(w, stato, [&] {
        addendi = costruisciAddendi(d, stato);
        diviso = true;
    });
    if (!diviso) {
        primi.emplace_back(d.txtNodo, d.TxtOri);
        return {};
    }
    for (const Addendo& a : addendi) {
        if (!a.chiuso) return fail("summand could not be closed");
        constexpr std::string_view chiave = "Object=";
        Result<NodoCostruito> n =
            costruisciDaSnapshot(a.testo.substr(std::min(a.testo.size(), chiave.size())));
        if (!n) return fail("a summand does not open as a knot: " + n.error());
        if (!n->diagram) return fail("a summand is the trivial knot");
        if (Status s = scomponi(*n->diagram, primi, profondita + 1); !s) return s;
    }
    return {};
}

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
    Diagram& d = form->doc.diagram;
    const int incroci = d.NumIncroci;
    std::vector<std::pair<std::string, std::string>> primi;
    const auto t0 = std::chrono::steady_clock::now();
    const Status s = scomponi(d, primi, 0);
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!s) {
        std::cout << file << "\terror\t" << riga(s.error()) << '\n';
        return 1;
    }
    std::ostringstream out;
    out << file << '\t' << incroci << '\t' << primi.size() << '\t' << std::fixed << std::setprecision(3)
        << secondi;
    for (const auto& [codice, ori] : primi)
        out << '\t' << valoreGaussCode(codice) << '\t' << valoreIndices(ori);
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
