#pragma once
// A main window's engine object with the scripted user interface, started as the program starts it,
// with the diagram commands installed. The interface counts the builds of a diagram with its layout: each
// announces itself on panel "p1".

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include <unistd.h>

#include "mainwindow/commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/program_context.h"
#include "platform/codes.h"
#include "platform/headless_ui.h"

namespace trevalon::fixture {

struct UiConteggi : ScriptedUi {
    int costruzioni = 0;
    std::string p1AlMessaggio;  // what the status said while the last message was shown
    void setPanel(const std::string& key, const std::string& text) override {
        if (key == "p1" && text == "Generation knot") ++costruzioni;
        ScriptedUi::setPanel(key, text);
    }
    void showMessage(const std::string& text) override {
        p1AlMessaggio = panel("p1");
        ScriptedUi::showMessage(text);
    }
};

// The step viewer's answers as the scripted interface takes them.
using Risposte = decltype(ScriptedUi::viewerAnswers);
inline constexpr ViewerAnswer kApplica = ViewerAnswer::Sel;
inline constexpr ViewerAnswer kPassa = ViewerAnswer::None;
inline constexpr ViewerAnswer kFerma = ViewerAnswer::Int;

// `passate` candidates passed over, then the next applied.
inline Risposte passaPoiApplica(std::size_t passate) {
    Risposte r(passate, kPassa);
    r.push_back(kApplica);
    return r;
}

inline std::string campione(const std::string& nome) {
    return (std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / nome).string();
}

// A file of this test process's own folder, written with `testo`.
inline std::filesystem::path cartellaProva() {
    const auto dir = std::filesystem::temp_directory_path() / ("trevalon_mw_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}
inline std::filesystem::path scrivi(const std::string& nome, const std::string& testo) {
    const auto p = cartellaProva() / nome;
    std::ofstream(p, std::ios::binary) << testo;
    return p;
}

// A file's bytes as they stand.
inline std::string leggi(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct FinestraDiProva {
    ProgramContext ctx;
    UiConteggi ui;
    Form2 form{ctx, ui};
    FinestraDiProva() {
        ctx.programFolder = TREVALON_SOURCE_DIR;
        form.Form_Load();
        form.Form_Activate();
        InstallaComandiDiagramma(form);
    }
    Diagram& d() { return form.doc().diagram; }
    // The main grid's cells that show a tile, and those that show a text.
    std::tuple<int, int> celle() const {
        const GridControl& g = form.vista().Gr;
        int tessere = 0, testi = 0;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c)
                tessere += !g.picture(r, c).empty(), testi += !g.text(r, c).empty();
        return {tessere, testi};
    }
    StoriaPassi& storia() { return form.doc().storia; }
    int passo() const { return form.doc().storia.NumStato; }
};

}  // namespace trevalon::fixture
