#include "mainwindow/form2.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

#include "mainwindow/toolbar.h"

namespace trevalon {

namespace {

constexpr std::array<std::string_view, 4> kKnotExtensions = {".txt", ".kno", ".kns", ".gau"};

char lower(char ch) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

// Removes every occurrence of `what` from `text`, ignoring case, in one left-to-right pass.
std::string removeIgnoringCase(std::string_view text, std::string_view what) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool match = i + what.size() <= text.size() &&
                           std::equal(what.begin(), what.end(), text.begin() + static_cast<std::ptrdiff_t>(i),
                                      [](char a, char b) { return lower(a) == lower(b); });
        if (match) {
            i += what.size();
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

}  // namespace

std::string captionBaseName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    for (std::string_view ext : kKnotExtensions) name = removeIgnoringCase(name, ext);
    return name;
}

Form2::Form2(ProgramContext& context, UserInterface& userInterface) : contesto(context, userInterface) {
    commands_["Uscita"] = [this] { Uscita(); };
    commands_["help"] = [this] { VisualizzaDocumentazione(); };
}

void Form2::Form_Load() {
    PrimaAttivazione = true;
    if (!doc.modi.ModoBatch) {
        vista.zoom = Zoom{};
        ContaRotazioni = 0;
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
    doc.modi.ModoAutomatico = false;
    CartellaDialoghi = ctx.programFolder / "Knots";
    doc.diagram.NumColonne = 600;
    doc.diagram.NumRighe = 600;
    PrimaAttivazione = false;
    InizializzaGr(vista.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, vista.zoom.DimCella,
                  doc.modi.ModoGen);
    if (doc.modi.ModoSviluppo) doc.PartenzaDisegno = 1;
}

bool Form2::Form_KeyDown(int keyCode, bool onlyShift) {
    constexpr int kF9 = 120;
    if (keyCode != kF9 || !onlyShift) return false;
    if (++ContaTastoF9 >= 2) {
        ui.showMessage("Trevalon: knot diagrams simplified move by move.");
        ContaTastoF9 = 0;
    }
    return true;
}

void Form2::setCommand(std::string key, std::function<void()> command) {
    // Each key has one command: a second registration is a mistake of the program, not of the person.
    if (!commands_.emplace(key, std::move(command)).second)
        throw std::logic_error("The command \"" + key + "\" is registered twice.");
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
    if (ui.commandEnabled(std::string(key))) {
        const ToolbarEntry* e = findToolbarEntry(key);
        const std::string what = e ? std::string(e->tooltip) : std::string(key);
        ui.showMessage("\"" + what + "\" is not available in this version.");
    }
}

void Form2::AbilitaBottoni(bool tmpEnb) {
    if (doc.modi.ModoBatch) return;
    for (std::string_view key : DiagramCommandKeys())
        ui.setCommandEnabled(std::string(key), tmpEnb && hasCommand(key));
    if (doc.modi.ModoSorgente == SourceKind::Drawing || doc.storia.NumStato >= 1)
        ui.setCommandEnabled("draw", false);
    bottoniAbilitati = tmpEnb;
    AbilitaZoom();
}

void Form2::AbilitaZoom() {
    if (doc.modi.ModoBatch || !bottoniAbilitati) return;
    const Zoom& z = vista.zoom;
    ui.setCommandEnabled("Dimensmeno", hasCommand("Dimensmeno") && z.LivelloZoom > z.ZoomMin);
    ui.setCommandEnabled("Dimenspiu", hasCommand("Dimenspiu") && z.LivelloZoom < z.ZoomMax);
}

void Form2::Testocaption(int tmpIstati) {
    if (doc.modi.CorsaCompleta) {
        ui.setPanel("p2", "Step " + std::to_string(doc.storia.NumStato));
        return;
    }
    // A knot with no file (built from a code typed in the developer layout) is named by its step alone.
    std::string name = "Step " + std::to_string(tmpIstati);
    if (!doc.NomeFileNodo.empty()) name = captionBaseName(doc.NomeFileNodo) + " - " + name;
    ui.setCaption(" Trevalon - " + name);
}

std::filesystem::path Form2::documentationPath() const {
    return ctx.programFolder / "Documentation" / "Documentation.pdf";
}

void Form2::VisualizzaDocumentazione() {
    const std::filesystem::path path = documentationPath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ui.showMessage("Documentation not found: " + path.string());
        return;
    }
    if (!ui.openDocument(path.string()))
        ui.showMessage("The documentation could not be opened: " + path.string());
}

void Form2::CaricaFormTessere() {
    if (doc.modi.ModoBatch) return;
    vista.FormTessere.reset();
    if (doc.modi.ModoSorgente == SourceKind::Code)
        vista.FormTessere.emplace(PaletteId::Form1, doc.modi.ModoSviluppo);
    else if (doc.modi.ModoSorgente == SourceKind::Drawing)
        vista.FormTessere.emplace(PaletteId::Form1b, doc.modi.ModoSviluppo);
}

void Form2::Uscita() {
    contesto.chiusuraRichiesta = true;
    if (onClose) onClose();
}

}  // namespace trevalon
