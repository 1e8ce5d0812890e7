#include "model/quarter_turn.h"

#include <algorithm>
#include <vector>

namespace trevalon {

namespace {

constexpr int kUltima = kMaxCella;  // 1500

bool vuota(const CellaNodo& x) {
    return x.Tipo == 0 && x.Forma == 0 && x.Simbolo == 0 && x.viciniText[0] == 0 && x.Numero == 0 &&
           x.Posizione == 0;
}

// The line code of a cell as a number.
int codice(const CellaNodo& x) {
    return x.Forma;
}

struct CellaSpostata {
    int r = 0, c = 0;
    CellaNodo cella;
};

}  // namespace

int formaRuotata(int forma) {
    switch (forma) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 3:
            return 4;
        case 4:
            return 3;
        case 5:
            return 6;
        case 6:
            return 7;
        case 7:
            return 8;
        case 8:
            return 5;
        default:
            return forma;
    }
}

Status RuotaTabNodo(Diagram& d) {
    const CellTable& t = d.TblNodo;
    // The used cells with their turned places; the table is only written once every cell is known to fit.
    std::vector<CellaSpostata> ruotate;
    for (int r = 0; r <= kUltima; ++r)
        for (int c = 0; c <= kUltima; ++c) {
            const CellaNodo& x = t.at(r, c);
            if (vuota(x)) continue;
            if (r == 0 || c == 0)
                return fail("The cell table holds a cell in row 0 or column 0: it cannot be turned.");
            if (r == kUltima)
                return fail("The cell table reaches its last row (" + std::to_string(kUltima) +
                            "): the turn would lose it.");
            CellaSpostata s{c, kUltima - r, x};
            s.cella.Forma = static_cast<std::int8_t>(formaRuotata(x.Forma));
            ruotate.push_back(s);
        }
    // The first row holding a line code, and the smallest column of such a cell.
    int primaRiga = 0, primaColonna = 9999;
    for (const CellaSpostata& s : ruotate) {
        if (s.cella.Forma == 0) continue;
        if (primaRiga == 0 || s.r < primaRiga) primaRiga = s.r;
        primaColonna = std::min(primaColonna, s.c);
    }
    d.TblNodo.clear(1, kUltima, 1, kUltima);
    if (primaRiga == 0) return {};
    for (const CellaSpostata& s : ruotate) {
        if (s.r < primaRiga || s.c < primaColonna) continue;
        d.TblNodo.at(s.r - primaRiga + 1, s.c - primaColonna + 1) = s.cella;
    }
    return {};
}

std::string immagineRuota(const Diagram& d) {
    std::string out;
    out.reserve(static_cast<std::size_t>(kUltima) * (kUltima + 2));
    for (int r = 1; r <= kUltima; ++r) {
        for (int c = 1; c <= kUltima; ++c) {
            const int forma = codice(d.TblNodo.at(r, c));
            out += forma == 0 ? ' ' : static_cast<char>('0' + forma % 10);
        }
        out += "\r\n";
    }
    return out;
}

std::string testoOggettoRuotato(const Diagram& d) {
    int ultimaRiga = 0, ultimaColonna = 0;
    for (int r = 1; r <= kUltima; ++r)
        for (int c = 1; c <= kUltima; ++c)
            if (codice(d.TblNodo.at(r, c)) != 0) {
                ultimaRiga = r;
                ultimaColonna = std::max(ultimaColonna, c);
            }
    std::string out = "Object=";
    for (int r = 1; r <= ultimaRiga; ++r)
        for (int c = 1; c <= ultimaColonna; ++c) {
            const int forma = codice(d.TblNodo.at(r, c));
            if (forma != 0)
                out += std::to_string(r) + "," + std::to_string(c) + "," + std::to_string(forma) + "|";
        }
    return out;
}

Result<std::string> ProvaRuotaNodo(Diagram& d) {
    if (Status s = RuotaTabNodo(d); !s) return fail(s.error());
    return testoOggettoRuotato(d);
}

}  // namespace trevalon
