#include "mainwindow/window_context.h"

#include <string>

namespace trevalon {

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

}  // namespace trevalon
