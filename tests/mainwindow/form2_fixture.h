#pragma once
// A main window's engine object with the scripted user interface, started as the program starts it,
// with the diagram commands installed. The interface counts the builds of a diagram with its layout: each
// announces itself on panel "p1".

#include <filesystem>
#include <string>

#include "mainwindow/commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/program_context.h"
#include "platform/codes.h"
#include "platform/headless_ui.h"

namespace trevalon::fixture {

struct UiConteggi : ScriptedUi {
    int costruzioni = 0;
    void setPanel(const std::string& key, const std::string& text) override {
        if (key == "p1" && text == "Generation knot") ++costruzioni;
        ScriptedUi::setPanel(key, text);
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
    Diagram& d() { return form.doc.diagram; }
    StoriaPassi& storia() { return form.doc.storia; }
    int passo() const { return form.doc.storia.NumStato; }
};

}  // namespace trevalon::fixture
