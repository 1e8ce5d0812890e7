#include "mainwindow/form2.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

#include "mainwindow/toolbar.h"

namespace trevalon {

Form2::Form2(ProgramContext& context, UserInterface& userInterface) : contesto_(context, userInterface) {
    setCommand("Uscita", [this] { Uscita(); });
    setCommand("help", [this] { VisualizzaDocumentazione(); });
}

void Form2::Form_Load() {
    DocumentoNodo& doc = contesto_.doc;
    PrimaAttivazione = true;
    if (!doc.modi.ModoBatch) {
        const ProgramContext& ctx = contesto_.ctx;
        UserInterface& ui = contesto_.ui;
        vista_.zoom = Zoom{};
        doc.modi.ModoSviluppo = ctx.ModoSviluppo;
        doc.modi.ModoDebug = ctx.ModoDebug && !ctx.cartellaDump.empty();

        // The toolbar: every button takes its state at start; a command that is not built stays off.
        for (const ToolbarEntry& e : ToolbarCommands()) {
            if (e.isGap()) continue;
            ui.setCommandEnabled(std::string(e.key), e.enabledAtStart);
        }
        AbilitaBottoni(false);
        ui.setCaption("Trevalon");
        ui.setCommandEnabled("Undo", false);
        ui.setCommandEnabled("Salva", false);

        doc.diagram.NumColonne = doc.modi.ModoSorgente == SourceKind::Drawing ? 1500 : 600;
        doc.diagram.NumRighe = 600;
    }
    doc.modi.ModoGen = GenMode::Code;
}

void Form2::Form_Activate() {
    ContaTastoF9 = 0;
    if (!PrimaAttivazione) return;
    DocumentoNodo& doc = contesto_.doc;
    doc.modi.ModoAutomatico = false;
    contesto_.CartellaDialoghi = contesto_.ctx.programFolder / "Knots";
    doc.diagram.NumColonne = 600;
    doc.diagram.NumRighe = 600;
    PrimaAttivazione = false;
    InizializzaGr(vista_.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, vista_.zoom.DimCella,
                  doc.modi.ModoGen);
    if (doc.modi.ModoSviluppo) doc.PartenzaDisegno = 1;
}

bool Form2::Form_KeyDown(int keyCode, bool onlyShift) {
    constexpr int kF9 = 120;
    if (keyCode != kF9 || !onlyShift) return false;
    if (++ContaTastoF9 >= 2) {
        contesto_.ui.showMessage("Trevalon: knot diagrams simplified move by move.");
        ContaTastoF9 = 0;
    }
    return true;
}

void Form2::setCommand(std::string key, std::function<void()> command) {
    // Each key has one command: a second registration is a mistake of the program, not of the person.
    if (!commands_.emplace(key, std::move(command)).second)
        throw std::logic_error("The command \"" + key + "\" is registered twice.");
    contesto_.comandiLegati.insert(key);
}

bool Form2::hasCommand(std::string_view key) const {
    return commands_.find(key) != commands_.end();
}

bool Form2::eseguiComando(std::string_view key) {
    const auto it = commands_.find(key);
    if (it == commands_.end()) return false;
    it->second();
    return true;
}

void Form2::tlb1_ButtonClick(std::string_view key) {
    const auto known = DispatchKeys();
    if (std::find(known.begin(), known.end(), key) == known.end()) return;
    auto it = commands_.find(key);
    if (it != commands_.end()) {
        it->second();
        return;
    }
    // A button that is on but has no command says so instead of doing nothing. The window binds a command
    // to every button it shows, so no person meets this: it guards an engine used without its windows.
    if (contesto_.ui.commandEnabled(std::string(key))) {
        const ToolbarEntry* e = findToolbarEntry(key);
        const std::string what = e ? std::string(e->tooltip) : std::string(key);
        contesto_.ui.showMessage("\"" + what + "\" is not available in this version.");
    }
}

std::filesystem::path Form2::documentationPath() const {
    return contesto_.ctx.programFolder / "Documentation" / "Documentation.pdf";
}

void Form2::VisualizzaDocumentazione() {
    const std::filesystem::path path = documentationPath();
    UserInterface& ui = contesto_.ui;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ui.showMessage("Documentation not found: " + path.string());
        return;
    }
    if (!ui.openDocument(path.string()))
        ui.showMessage("The documentation could not be opened: " + path.string());
}

void Form2::Uscita() {
    contesto_.chiusuraRichiesta = true;
    if (onClose_) onClose_();
}

}  // namespace trevalon
