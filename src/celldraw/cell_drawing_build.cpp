#include "celldraw/cell_drawing_build.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace trevalon {

namespace {

std::string cellaTesto(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

// The box of the cell table that is copied, clipped to the table.
struct Riquadro {
    int r0, r1, c0, c1;
    bool vuoto() const { return r0 > r1 || c0 > c1; }
};

Riquadro riquadroDi(const LimitiNodo& l) {
    return {std::max(0, l.RigaMin), std::min(kMaxCella, l.RigaMax), std::max(0, l.ColMin),
            std::min(kMaxCella, l.ColMax)};
}

// Every cell of the box lands inside the drawing and every arc and crossing number is one of its tables.
Status verifica(const Diagram& d, const Riquadro& b, int dr, int dc) {
    if (b.vuoto()) return {};
    const int rMax = b.r1 + dr, cMax = b.c1 + dc;
    if (b.r0 + dr < 0 || b.c0 + dc < 0 || rMax > kMaxRigheDis || cMax > kMaxColonneDis)
        return fail("The cell drawing cannot hold the diagram: its box of " +
                    std::to_string(b.r1 - b.r0 + 1) + " rows and " + std::to_string(b.c1 - b.c0 + 1) +
                    " columns would reach row " + std::to_string(rMax) + ", column " + std::to_string(cMax) +
                    " (the drawing ends at row " + std::to_string(kMaxRigheDis) + ", column " +
                    std::to_string(kMaxColonneDis) + ").");
    for (int i = b.r0; i <= b.r1; ++i)
        for (int j = b.c0; j <= b.c1; ++j) {
            const CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo == 'A' && (x.Numero < 1 || x.Numero > kMaxArchi || x.Forma < 0 || x.Forma > 8))
                return fail("The cell drawing cannot be made: the arc cell " + cellaTesto(i, j) +
                            " holds arc " + std::to_string(x.Numero) + " with line code " +
                            std::to_string(x.Forma) + ".");
            if (x.Tipo == 'I' && (x.Numero < 1 || x.Numero > kMaxIncroci))
                return fail("The cell drawing cannot be made: the crossing cell " + cellaTesto(i, j) +
                            " holds crossing " + std::to_string(x.Numero) + ".");
        }
    return {};
}

// "3" for the letter "O" (horizontal strand over), "4" for any other, exchanged when both strands leave
// towards sides 1 and 4 or towards sides 2 and 3.
char codiceIncrocio(const Incrocio& k) {
    int code = k.Ori == 'O' ? 3 : 4;
    if ((k.VersoLato[1] == 'U' && k.VersoLato[4] == 'U') || (k.VersoLato[2] == 'U' && k.VersoLato[3] == 'U'))
        code = 7 - code;
    return static_cast<char>('0' + code);
}

}  // namespace

Status F3GenCelDis(CellDrawing& tblGen, const Diagram& d, const TileNameTable& Tbltt,
                   bool DaF3SistemaGrafica) {
    const Riquadro b = riquadroDi(d.limiti);
    const int dr = DaF3SistemaGrafica ? 0 : OffsetRiga - d.limiti.RigaMin;
    const int dc = DaF3SistemaGrafica ? 0 : OffsetCol - d.limiti.ColMin;
    if (Status ok = verifica(d, b, dr, dc); !ok) return ok;

    LimitiDis& lim = tblGen.limiti;
    lim = LimitiDis{};
    InizializzaCelDis(tblGen);
    if (b.vuoto()) return {};
    // The index of the last tile name met: a run of cells with one name looks it up once.
    std::string ultimoNome;
    std::uint8_t ultimoId = 0;
    bool noto = false;
    const auto idNome = [&](std::string_view n) {
        if (!noto || n != ultimoNome) {
            ultimoId = tblGen.conosciNome(n);
            ultimoNome.assign(n);
            noto = true;
        }
        return ultimoId;
    };
    for (int i = b.r0; i <= b.r1; ++i)
        for (int j = b.c0; j <= b.c1; ++j) {
            const int r = i + dr, c = j + dc;
            // The side marks are cleared where the cell stands in the cell table, not where it lands (a
            // cell without marks is not touched).
            if (tblGen.inside(i, j)) {
                const std::array<char, 5>& lati = std::as_const(tblGen).at(i, j).Lati;
                if (std::any_of(lati.begin() + 1, lati.end(), [](char k) { return k != 0; }))
                    std::fill(tblGen.at(i, j).Lati.begin() + 1, tblGen.at(i, j).Lati.end(), char{0});
            }
            const CellaNodo& x = d.TblNodo.at(i, j);
            CellaDis& y = tblGen.at(r, c);
            y.Numero = 0;
            y.Reg1 = 0;
            y.Reg2 = 0;
            y.Marca = 0;
            if (x.Tipo != 'A' && x.Tipo != 'I') {
                y.codice = 0;
                y.simbolo = 0;  // the empty name
                continue;
            }
            const std::uint8_t nome = idNome(Tbltt.get(r, c));
            if (x.Tipo == 'A') {
                const Arco& a = d.archi[static_cast<std::size_t>(x.Numero)];
                y.codice = static_cast<char>('0' + x.Forma);
                y.Reg1 = static_cast<std::int16_t>(a.Reg1);
                y.Reg2 = static_cast<std::int16_t>(a.Reg2);
            } else {
                y.codice = codiceIncrocio(d.incroci[static_cast<std::size_t>(x.Numero)]);
            }
            y.Numero = static_cast<std::int16_t>(x.Numero);
            y.simbolo = nome;
            y.tooltip = nome;
            lim.RigaMax = std::max(lim.RigaMax, r);
            lim.RigaMin = std::min(lim.RigaMin, r);
            lim.ColMax = std::max(lim.ColMax, c);
            lim.ColMin = std::min(lim.ColMin, c);
        }
    return {};
}

bool isCellaTratt(std::string_view tmps) {
    return tmps == "v-b" || tmps == "v-a" || tmps == "v|a" || tmps == "v|b";
}

}  // namespace trevalon
