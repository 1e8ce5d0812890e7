#include "layout/render_grid.h"

#include <algorithm>
#include <stdexcept>

namespace trevalon {

void InizializzaGr(GridControl& griglia, int numRighe, int numColonne, int dimCella, GenMode modoGen) {
    griglia.setRedraw(false);
    griglia.setRows(1);
    griglia.setRows(numRighe + 1);
    griglia.setCols(numColonne + 1);
    const int size = modoGen == GenMode::TextDrawing ? 52 : dimCella;
    griglia.setAllColWidths(size);
    griglia.setAllRowHeights(size);
    griglia.setColWidth(0, 0);
    griglia.setRowHeight(0, 0);
    griglia.setRow(0);
    griglia.setRedraw(true);
}

void ClearGr(GridControl& griglia, int numRighe, int numColonne, int dimCella, GenMode modoGen) {
    griglia.setRows(1);
    griglia.setCols(1);
    griglia.clear();
    InizializzaGr(griglia, numRighe, numColonne, dimCella, modoGen);
}

void Trasforma(const LimitiNodo& limiti, int r, int c, int& r2, int& c2) {
    r2 = r - limiti.RigaMin + OffsetRiga;
    c2 = c - limiti.ColMin + OffsetCol;
}

void TrasformaInv(const LimitiNodo& limiti, int r, int c, int& r2, int& c2) {
    r2 = limiti.RigaMin + r - OffsetRiga;
    c2 = limiti.ColMin + c - OffsetCol;
}

void TileNameTable::set(int r, int c, std::string_view name) {
    if (!inside(r, c)) return;
    std::size_t id = 0;
    while (id < names_.size() && names_[id] != name) ++id;
    if (id == names_.size()) {
        if (names_.size() > 255) throw std::length_error("too many distinct tile names");
        names_.emplace_back(name);
    }
    cells_.at(r, c) = static_cast<std::uint8_t>(id);
    rMin_ = std::min(rMin_, r);
    rMax_ = std::max(rMax_, r);
    cMin_ = std::min(cMin_, c);
    cMax_ = std::max(cMax_, c);
}

std::string_view TileNameTable::get(int r, int c) const {
    if (!inside(r, c)) return {};
    return names_[cells_.at(r, c)];
}

void SettaFreccie(int tmpDir, int& dr, int& dc) {
    switch (tmpDir) {
        case 1:
            dr = -1;
            dc = 0;
            break;
        case 2:
            dr = 0;
            dc = 1;
            break;
        case 3:
            dr = 1;
            dc = 0;
            break;
        case 4:
            dr = 0;
            dc = -1;
            break;
        default:
            break;
    }
}

void Zoom::cambia(std::string_view piuMeno) {
    const int ultimo = static_cast<int>(TabDimCella.size()) - 1;
    const int minimo = std::clamp(ZoomMin, 1, ultimo);
    const int massimo = std::clamp(ZoomMax, minimo, ultimo);
    if (piuMeno == "-")
        LivelloZoom = std::max(minimo, LivelloZoom - 1);
    else if (piuMeno == "+")
        LivelloZoom = std::min(massimo, LivelloZoom + 1);
    LivelloZoom = std::clamp(LivelloZoom, 1, ultimo);
    DimCella = TabDimCella[static_cast<std::size_t>(LivelloZoom)];
}

void Zoom::imposta(int minimo, int massimo, int livello) {
    ZoomMin = minimo;
    ZoomMax = massimo;
    LivelloZoom = livello;
    cambia("");
}

}  // namespace trevalon
