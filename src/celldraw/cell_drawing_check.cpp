#include "celldraw/cell_drawing_check.h"

#include <algorithm>
#include <array>
#include <string>

namespace trevalon {

namespace {

constexpr std::array<int, 5> kDr = {0, -1, 0, 1, 0};
constexpr std::array<int, 5> kDc = {0, 0, 1, 0, -1};
constexpr std::array<const char*, 5> kNomeLato = {"", "top", "right", "bottom", "left"};

std::string cella(int r, int c) {
    return "cell " + std::to_string(r) + "," + std::to_string(c);
}

}  // namespace

bool codiceEsce(char codice, int lato) {
    // Bit s - 1 set: the code leaves by side s.
    static constexpr std::array<unsigned, 9> kLati = {0,      0b0101, 0b1010, 0b1111, 0b1111,
                                                      0b1001, 0b0011, 0b0110, 0b1100};
    if (codice < '1' || codice > '8' || lato < 1 || lato > 4) return false;
    return (kLati[static_cast<std::size_t>(codice - '0')] >> (lato - 1) & 1u) != 0;
}

Status verificaCelDis(const CellDrawing& tblGen) {
    const LimitiDis& l = tblGen.limiti;
    // Every cell of the table: outside the used box every cell is empty.
    const UsedArea u = tblGen.usata();
    for (int r = std::max(u.r0, 0); r <= u.r1; ++r)
        for (int c = std::max(u.c0, 0); c <= u.c1; ++c) {
            const char k = tblGen.at(r, c).codice;
            if (k == 0 || k == '0') continue;
            if (k < '1' || k > '8')
                return fail(cella(r, c) + ": '" + std::string(1, k) + "' is not a line code.");
            const std::string qui = cella(r, c) + " (code " + std::string(1, k) + ")";
            if (r == 0 || c == 0) return fail(qui + " lies in row 0 or column 0, outside the drawing.");
            if (r < l.RigaMin || r > l.RigaMax || c < l.ColMin || c > l.ColMax)
                return fail(qui + " lies outside the extent, rows " + std::to_string(l.RigaMin) + ".." +
                            std::to_string(l.RigaMax) + ", columns " + std::to_string(l.ColMin) + ".." +
                            std::to_string(l.ColMax) + ".");
            for (int lato = 1; lato <= 4; ++lato) {
                if (!codiceEsce(k, lato)) continue;
                const int r2 = r + kDr[static_cast<std::size_t>(lato)];
                const int c2 = c + kDc[static_cast<std::size_t>(lato)];
                const int opposto = (lato + 1) % 4 + 1;
                if (!tblGen.inside(r2, c2) || !codiceEsce(tblGen.at(r2, c2).codice, opposto))
                    return fail(qui + " is not joined on its " + kNomeLato[static_cast<std::size_t>(lato)] +
                                " side.");
            }
        }
    return {};
}

}  // namespace trevalon
