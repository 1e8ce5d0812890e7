#include "model/cell_drawing.h"

#include <algorithm>

namespace trevalon {

namespace {
constexpr std::string_view kCodici = "012345678";
constexpr std::string_view kMarcatori = "abcdefghijklmnopqrstuvwxyz";

bool marcatore(char k) {
    return k >= 'a' && k <= 'z';
}
}  // namespace

CellDrawing::CellDrawing(int righe, int colonne)
    : rows_(righe),
      cols_(colonne),
      cells_(righe > 0 && colonne > 0 ? static_cast<std::size_t>(righe) * static_cast<std::size_t>(colonne)
                                      : 0) {
    if (righe < 1 || colonne < 1)
        throw std::out_of_range("a cell drawing of " + std::to_string(righe) + " rows and " +
                                std::to_string(colonne) + " columns");
}

void CellDrawing::fuori(int r, int c) const {
    throw std::out_of_range("cell " + std::to_string(r) + "," + std::to_string(c) +
                            " is outside the cell drawing");
}

void CellDrawing::copiaRiquadro(const CellDrawing& da, int r0, int r1, int c0, int c1, int dr, int dc) {
    r0 = std::max(r0, 0);
    c0 = std::max(c0, 0);
    r1 = std::min(r1, da.lastRow());
    c1 = std::min(c1, da.lastCol());
    if (r0 > r1 || c0 > c1) return;
    if (!inside(r0 + dr, c0 + dc)) fuori(r0 + dr, c0 + dc);
    if (!inside(r1 + dr, c1 + dc)) fuori(r1 + dr, c1 + dc);
    names_ = da.names_;
    const std::size_t n = static_cast<std::size_t>(c1 - c0) + 1;
    for (int r = r0; r <= r1; ++r) std::copy_n(&da.at(r, c0), n, &at(r + dr, c0 + dc));
    usata_.take(r0 + dr, c0 + dc);
    usata_.take(r1 + dr, c1 + dc);
}

void CellDrawing::svuotaTutto() {
    for (int r = std::max(usata_.r0, 0); r <= usata_.r1; ++r) {
        CellaDis* riga = cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_);
        std::fill(riga + usata_.c0, riga + usata_.c1 + 1, CellaDis{});
    }
    usata_ = UsedArea{};
    names_.assign(1, std::string());
    limiti = LimitiDis{};
}

std::string_view CellDrawing::Codice(int r, int c) const {
    const char k = at(r, c).codice;
    if (k == 0) return {};
    if (marcatore(k)) return kMarcatori.substr(static_cast<std::size_t>(k - 'a'), 1);
    return kCodici.substr(static_cast<std::size_t>(k - '0'), 1);
}

bool CellDrawing::codiceLinea(std::string_view code) {
    return code.empty() || (code.size() == 1 && code[0] >= '0' && code[0] <= '8');
}

bool CellDrawing::codiceValido(std::string_view code) {
    return codiceLinea(code) || (code.size() == 1 && marcatore(code[0]));
}

void CellDrawing::setCodice(int r, int c, std::string_view code) {
    if (!codiceValido(code))
        throw std::invalid_argument("not a code of the cell drawing: " + std::string(code));
    at(r, c).codice = code.empty() ? '\0' : code[0];
}

std::uint8_t CellDrawing::intern(std::string_view n) {
    std::size_t id = 0;
    while (id < names_.size() && names_[id] != n) ++id;
    if (id == names_.size()) {
        if (names_.size() > 255) throw std::length_error("too many distinct tile names in the cell drawing");
        names_.emplace_back(n);
    }
    return static_cast<std::uint8_t>(id);
}

void InizializzaCelDis(CellDrawing& tblGen) {
    // Outside the used box every cell is already empty.
    const UsedArea u = tblGen.usata();
    const int c0 = std::max(u.c0, 1);
    if (c0 > u.c1) return;
    for (int r = std::max(u.r0, 1); r <= u.r1; ++r) {
        CellaDis* riga = tblGen.riga(r, c0, u.c1);
        for (int c = c0; c <= u.c1; ++c) svuotaCellaDis(riga[c]);
    }
}

}  // namespace trevalon
