#include "celldraw/cell_drawing_check.h"

#include <algorithm>
#include <array>
#include <string>

namespace trevalon {

namespace {

constexpr std::array<int, 5> kDc = {0, 0, 1, 0, -1};
constexpr std::array<const char*, 5> kNomeLato = {"", "top", "right", "bottom", "left"};

std::string cella(int r, int c) {
    return "cell " + std::to_string(r) + "," + std::to_string(c);
}

}  // namespace

Status verificaCelDis(const CellDrawing& tblGen) {
    const LimitiDis& l = tblGen.limiti;
    // Every cell of the table: outside the used box every cell is empty. The message is made only for the
    // faulty cell.
    const UsedArea u = tblGen.usata();
    const auto qui = [](int r, int c, char k) { return cella(r, c) + " (code " + std::string(1, k) + ")"; };
    for (int r = std::max(u.r0, 0); r <= u.r1; ++r) {
        const CellaDis* riga = tblGen.riga(r);
        const CellaDis* sopra = r > 0 ? tblGen.riga(r - 1) : nullptr;
        const CellaDis* sotto = r < tblGen.lastRow() ? tblGen.riga(r + 1) : nullptr;
        for (int c = std::max(u.c0, 0); c <= u.c1; ++c) {
            const char k = riga[c].codice;
            if (k == 0 || k == '0') continue;
            if (k < '1' || k > '8')
                return fail(cella(r, c) + ": '" + std::string(1, k) + "' is not a line code.");
            if (r == 0 || c == 0)
                return fail(qui(r, c, k) + " lies in row 0 or column 0, outside the drawing.");
            if (r < l.RigaMin || r > l.RigaMax || c < l.ColMin || c > l.ColMax)
                return fail(qui(r, c, k) + " lies outside the extent, rows " + std::to_string(l.RigaMin) +
                            ".." + std::to_string(l.RigaMax) + ", columns " + std::to_string(l.ColMin) +
                            ".." + std::to_string(l.ColMax) + ".");
            for (int lato = 1; lato <= 4; ++lato) {
                if (!codiceEsce(k, lato)) continue;
                const int c2 = c + kDc[static_cast<std::size_t>(lato)];
                const CellaDis* r2 = lato == 1 ? sopra : lato == 3 ? sotto : riga;
                const int opposto = (lato + 1) % 4 + 1;
                if (!r2 || c2 < 0 || c2 > tblGen.lastCol() || !codiceEsce(r2[c2].codice, opposto))
                    return fail(qui(r, c, k) + " is not joined on its " +
                                kNomeLato[static_cast<std::size_t>(lato)] + " side.");
            }
        }
    }
    return {};
}

}  // namespace trevalon
