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
    for (int r = std::max(u.r0, 1); r <= u.r1; ++r)
        for (int c = std::max(u.c0, 1); c <= u.c1; ++c) svuotaCellaDis(tblGen.at(r, c));
}

}  // namespace trevalon
