#include "mainwindow/toolbar.h"

namespace trevalon {

namespace {

constexpr ToolbarEntry button(std::string_view key, std::string_view image, std::string_view tip,
                              bool enabled = false, bool visible = true) {
    return ToolbarEntry{key, image, tip, 0, visible, enabled};
}

constexpr ToolbarEntry gap(std::string_view key, int twips) {
    return ToolbarEntry{key, {}, {}, twips, true, false};
}

constexpr std::array<ToolbarEntry, kToolbarEntries> kToolbar = {{
    button("ApriG", "Apri", "Load Knot", true),
    button("Salva", "Salva", "Save"),
    gap("s0", 600),
    button("draw", "draw", "Draw other diagram from Gauss code"),
    button("Dimensmeno", "lentemeno", "Zoom out"),
    button("Dimenspiu", "lentepiu", "Zoom in"),
    gap("s1", 600),
    button("Undo", "Undo", "Undo move"),
    gap("s2", 600),
    button("m3b", "m3b", "Find moves "),
    gap("s3", 600),
    button("m1", "m1", "Find moves I"),
    button("m2", "m2", "Find moves II"),
    button("m3", "m3", "Find moves III"),
    gap("s5", 600),
    button("compcon", "compcon", "Find connected sum"),
    gap("s4", 600),
    button("quick", "quick", "Quick simplification"),
    gap("s6", 600),
    button("propr", "propr", "Show Gauss code"),
    button("Immagine", "imgcar", "Show image"),
    gap("s33", 300),
    button("Servizi", "Servizi", "Knot designer", true),
    gap("s34", 300),
    button("help", "PDF", "Documentation", true),
    gap("s35", 100),
    button("info", "info", "Info", true),
    gap("s36", 300),
    button("Uscita", "Uscita", "Exit", true),
    button("Stampa", "Stampa", "print", true, false),
}};

constexpr std::array<std::string_view, 21> kDispatch = {
    "ApriG",  "Apri",     "Dadis", "draw",  "Dimensmeno", "Dimenspiu", "m1",
    "m2",     "m3",       "m3b",   "quick", "Undo",       "compcon",   "Servizi",
    "Uscita", "Immagine", "propr", "Salva", "help",       "info",      "Stampa"};

constexpr std::array<std::string_view, 11> kDiagramCommands = {
    "draw", "Dimenspiu", "Dimensmeno", "m1", "m2", "m3", "m3b", "quick", "compcon", "Immagine", "propr"};

}  // namespace

std::span<const ToolbarEntry, kToolbarEntries> ToolbarCommands() {
    return kToolbar;
}

const ToolbarEntry* findToolbarEntry(std::string_view key) {
    for (const ToolbarEntry& e : kToolbar)
        if (e.key == key) return &e;
    return nullptr;
}

std::span<const std::string_view> DispatchKeys() {
    return kDispatch;
}

std::span<const std::string_view> DiagramCommandKeys() {
    return kDiagramCommands;
}

}  // namespace trevalon
