#include "layout/layout_state.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace trevalon {

void WorkGrid::grow(int r, int c) {
    rMin_ = std::min(rMin_, r);
    rMax_ = std::max(rMax_, r);
    cMin_ = std::min(cMin_, c);
    cMax_ = std::max(cMax_, c);
}

void WorkGrid::set(int r, int c, char tipo, int numero) {
    if (!inside(r, c)) throw std::out_of_range("work cell outside the work grid");
    std::uint16_t v = 0;
    if (tipo == 'I' || tipo == 'A') {
        if (numero < 0 || numero >= kArcBit) throw std::out_of_range("number too large for the work grid");
        v = static_cast<std::uint16_t>(numero) | (tipo == 'A' ? kArcBit : 0);
        // An arc cell needs a number to be told from an empty cell.
        if (v == 0) v = kArcBit;
    }
    cells_.at(r, c) = v;
    if (v != 0) grow(r, c);
}

void WorkGrid::clearTouched() {
    if (anyTouched()) cells_.fill(rMin_, rMax_, cMin_, cMax_, 0);
    rMin_ = cMin_ = kSize;
    rMax_ = cMax_ = -1;
}

void WorkGrid::shiftColumns(int c0, int c1, int dc) {
    if (!anyTouched() || c0 > c1) return;
    if (c0 + dc < 0 || c1 + dc >= kSize) throw std::out_of_range("column shift outside the work grid");
    for (int r = rMin_; r <= rMax_; ++r) {
        std::uint16_t* row = cells_.row(r);
        std::memmove(row + c0 + dc, row + c0, sizeof(std::uint16_t) * static_cast<std::size_t>(c1 - c0 + 1));
    }
    cMin_ = std::min(cMin_, c0 + dc);
    cMax_ = std::max(cMax_, c1 + dc);
}

void WorkGrid::shiftRows(int r0, int r1, int dr) {
    if (!anyTouched() || r0 > r1) return;
    if (r0 + dr < 0 || r1 + dr >= kSize) throw std::out_of_range("row shift outside the work grid");
    const std::size_t width = static_cast<std::size_t>(cMax_ - cMin_) + 1;
    auto copyRow = [&](int from, int to) {
        std::memmove(cells_.row(to) + cMin_, cells_.row(from) + cMin_, sizeof(std::uint16_t) * width);
    };
    if (dr < 0)
        for (int r = r0; r <= r1; ++r) copyRow(r, r + dr);
    else
        for (int r = r1; r >= r0; --r) copyRow(r, r + dr);
    rMin_ = std::min(rMin_, r0 + dr);
    rMax_ = std::max(rMax_, r1 + dr);
}

void LayoutState::tick() const {
    if (ModoAutomatico) return;
    if (progresso) progresso();
    if (fermato && fermato()) throw LayoutFermato{};
}

TavoleLayout TogliTavole(Diagram& d, LayoutState& s) {
    return TavoleLayout{std::move(d.TblNodo),
                        std::move(d.MatRegioni),
                        std::move(s.TblNodoAlbero),
                        std::move(s.marcheRaggiungibile),
                        std::move(s.celleTenute),
                        std::move(s.indiceCella),
                        std::move(s.raddrizzatura),
                        std::move(s.celleScritte),
                        s.areaSporca,
                        s.areaEsatta,
                        s.celleScritteTutte};
}

void RimettiTavole(Diagram& d, LayoutState& s, TavoleLayout& t) {
    d.TblNodo = std::move(t.celle);
    d.MatRegioni = std::move(t.regioni);
    s.TblNodoAlbero = std::move(t.albero);
    s.marcheRaggiungibile = std::move(t.marche);
    s.celleTenute = std::move(t.tenute);
    s.indiceCella = std::move(t.indice);
    s.raddrizzatura = std::move(t.raddrizzatura);
    s.celleScritte = std::move(t.scritte);
    s.areaSporca = t.areaSporca;
    s.areaEsatta = t.areaEsatta;
    s.celleScritteTutte = t.scritteTutte;
}

TavoleLayout TavoleVuote(const LayoutState& s) {
    Diagram d;
    LayoutState vuoto;
    TavoleLayout t = TogliTavole(d, vuoto);
    t.areaSporca = LimitiNodo{kMaxCella, -1, kMaxCella, -1};
    t.areaEsatta = s.areaNotata;
    t.scritteTutte = s.celleScritteTutte;
    return t;
}

}  // namespace trevalon
