#include "mainwindow/window_context.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

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

void ContestoFinestra::AggiornaProgressivo() {
    ++ContatoreProgresso;
    if (ContatoreProgresso > 300 || ContatoreProgresso < 1) ContatoreProgresso = 1;
    if (ContatoreProgresso % 20 != 1) return;
    ui.setPanel("p2", std::string(static_cast<std::size_t>(ContatoreProgresso), '.'));
    const std::string p1 = ui.panel("p1");
    if (p1.empty() || p1 == "Done") ui.setPanel("p1", "Wait..");
}

void ContestoFinestra::SettaDone() {
    ui.setPanel("p1", "Done");
    ui.setPanel("p2", "");
}

const TilePalette& paletteCorrente(VistaNodo& vista, const ModiFinestra& modi) {
    if (!vista.FormTessere)
        vista.FormTessere.emplace(
            modi.ModoSorgente == SourceKind::Drawing ? PaletteId::Form1b : PaletteId::Form1,
            modi.ModoSviluppo);
    return *vista.FormTessere;
}

void ContestoFinestra::AbilitaBottoni(bool tmpEnb, const Zoom& zoom) {
    if (doc.modi.ModoBatch) return;
    for (std::string_view key : DiagramCommandKeys())
        ui.setCommandEnabled(std::string(key), tmpEnb && hasCommand(key));
    if (doc.modi.ModoSorgente == SourceKind::Drawing || doc.storia.NumStato >= 1)
        ui.setCommandEnabled("draw", false);
    bottoniAbilitati = tmpEnb;
    AbilitaZoom(zoom);
}

void ContestoFinestra::AbilitaZoom(const Zoom& z) {
    if (doc.modi.ModoBatch || !bottoniAbilitati) return;
    ui.setCommandEnabled("Dimensmeno", hasCommand("Dimensmeno") && z.LivelloZoom > z.ZoomMin);
    ui.setCommandEnabled("Dimenspiu", hasCommand("Dimenspiu") && z.LivelloZoom < z.ZoomMax);
}

void ContestoFinestra::Testocaption(int tmpIstati) {
    if (doc.modi.CorsaCompleta) {
        ui.setPanel("p2", "Step " + std::to_string(doc.storia.NumStato));
        return;
    }
    // A knot with no file (built from a code typed in the developer layout) is named by its step alone.
    std::string name = "Step " + std::to_string(tmpIstati);
    if (!doc.NomeFileNodo.empty()) name = captionBaseName(doc.NomeFileNodo) + " - " + name;
    ui.setCaption(" Trevalon - " + name);
}

void CaricaFormTessere(VistaNodo& vista, const ModiFinestra& modi) {
    if (modi.ModoBatch) return;
    vista.FormTessere.reset();
    if (modi.ModoSorgente == SourceKind::Code)
        vista.FormTessere.emplace(PaletteId::Form1, modi.ModoSviluppo);
    else if (modi.ModoSorgente == SourceKind::Drawing)
        vista.FormTessere.emplace(PaletteId::Form1b, modi.ModoSviluppo);
}

}  // namespace trevalon
