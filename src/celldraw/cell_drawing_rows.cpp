#include "celldraw/cell_drawing_rows.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_check.h"
#include "platform/text.h"

namespace trevalon {

namespace {

bool vuoto(char k) {
    return k == 0 || k == '0';
}

// The extent holds no cell.
bool senzaCelle(const LimitiDis& l) {
    return l.RigaMin > l.RigaMax || l.ColMin > l.ColMax;
}

void prendi(LimitiDis& l, int r, int c) {
    if (senzaCelle(l)) l = {r, c, r, c};
    l.RigaMin = std::min(l.RigaMin, r);
    l.RigaMax = std::max(l.RigaMax, r);
    l.ColMin = std::min(l.ColMin, c);
    l.ColMax = std::max(l.ColMax, c);
}

Status estensioneNellaTavola(const LimitiDis& l) {
    if (senzaCelle(l)) return {};
    if (l.RigaMin < 0 || l.ColMin < 0 || l.RigaMax > kMaxRigheDis || l.ColMax > kMaxColonneDis)
        return fail("The extent of the cell drawing (rows " + std::to_string(l.RigaMin) + ".." +
                    std::to_string(l.RigaMax) + ", columns " + std::to_string(l.ColMin) + ".." +
                    std::to_string(l.ColMax) + ") lies outside the drawing.");
    return {};
}

// The drawing seen along one direction: lines are columns (index a = column, b = row) or rows (a = row,
// b = column). One implementation serves each procedure and its twin.
struct Asse {
    bool righe;

    const char* nome() const { return righe ? "row" : "column"; }
    int maxLungo() const { return righe ? kMaxRigheDis : kMaxColonneDis; }
    int maxTraverso() const { return righe ? kMaxColonneDis : kMaxRigheDis; }
    int latoDopo() const { return righe ? 3 : 2; }    // the side facing the next line
    int latoPrima() const { return righe ? 1 : 4; }   // the side facing the previous line
    char lungo() const { return righe ? '1' : '2'; }  // the strand code that crosses the lines
    CellaDis& cella(CellDrawing& g, int a, int b) const { return righe ? g.at(a, b) : g.at(b, a); }
    int& minA(LimitiDis& l) const { return righe ? l.RigaMin : l.ColMin; }
    int& maxA(LimitiDis& l) const { return righe ? l.RigaMax : l.ColMax; }
    int& minB(LimitiDis& l) const { return righe ? l.ColMin : l.RigaMin; }
    int& maxB(LimitiDis& l) const { return righe ? l.ColMax : l.RigaMax; }

    // Line a := line da, in every row (column) of the drawing.
    void copia(CellDrawing& g, int da, int a) const {
        for (int b = 1; b <= maxTraverso(); ++b) cella(g, a, b) = cella(g, da, b);
    }
};

// The tile name n made known to the drawing's name table without changing any cell, so that writing it
// later cannot fail halfway through a change.
Status conosciNome(CellDrawing& g, const std::string& n) {
    CellaDis& x = g.at(0, 0);
    const std::uint8_t prima = x.simbolo;
    try {
        g.setSimbolo(0, 0, n);
    } catch (const std::length_error&) {
        return fail("The cell drawing has too many different tile names to add \"" + n + "\".");
    }
    x.simbolo = prima;
    return {};
}

struct Ponte {
    int b;
    std::string simbolo;
    std::int16_t numero, reg1, reg2;
};

Status inserisci(CellDrawing& g, const Asse& asse, int n) {
    if (Status s = estensioneNellaTavola(g.limiti); !s) return s;
    if (n < 0 || n >= asse.maxLungo())
        return fail("No " + std::string(asse.nome()) + " can be inserted after " + asse.nome() + " " +
                    std::to_string(n) + ": the cell drawing has " + std::to_string(asse.maxLungo()) + ".");
    LimitiDis& l = g.limiti;
    const bool sposta = !senzaCelle(l) && n < asse.maxA(l);
    if (sposta && asse.maxA(l) + 1 > asse.maxLungo())
        return fail("The cell drawing is full: a " + std::string(asse.nome()) + " inserted after " +
                    std::to_string(n) + " would push it past " + asse.nome() + " " +
                    std::to_string(asse.maxLungo()) + ".");

    // The bridges, read before anything moves: the cell before the new line leaves towards it.
    std::vector<Ponte> ponti;
    for (int b = 1; b <= asse.maxTraverso(); ++b) {
        const CellaDis& prima = asse.cella(g, n, b);
        if (!codiceEsce(prima.codice, asse.latoDopo())) continue;
        const CellaDis& dopo = asse.cella(g, n + 1, b);
        const bool dopoDonatore = !vuoto(dopo.codice) && !codiceIncrocio(dopo.codice);
        const int rNome = asse.righe ? (dopoDonatore ? n + 1 : n) : b;
        const int cNome = asse.righe ? b : (dopoDonatore ? n + 1 : n);
        Ponte p{b, std::string(g.Simbolo(rNome, cNome)) + "z", 0, 0, 0};
        // The arc number comes from a strand cell only: a crossing's number is no arc's.
        const CellaDis* numero = codiceTratto(dopo.codice)    ? &dopo
                                 : codiceTratto(prima.codice) ? &prima
                                                              : nullptr;
        if (numero) {
            p.numero = numero->Numero;
            p.reg1 = numero->Reg1;
            p.reg2 = numero->Reg2;
        }
        if (Status s = conosciNome(g, p.simbolo); !s) return s;
        ponti.push_back(std::move(p));
    }

    if (sposta) {
        for (int a = asse.maxA(l); a > n; --a) asse.copia(g, a, a + 1);
        if (n < asse.minA(l)) ++asse.minA(l);
        ++asse.maxA(l);
    }
    for (int b = 1; b <= asse.maxTraverso(); ++b) {
        CellaDis& x = asse.cella(g, n + 1, b);
        x.codice = '0';
        x.simbolo = 0;
        x.Numero = 0;
        x.Reg1 = 0;
        x.Reg2 = 0;
        x.Marca = 0;
    }
    for (const Ponte& p : ponti) {
        const int r = asse.righe ? n + 1 : p.b;
        const int c = asse.righe ? p.b : n + 1;
        CellaDis& x = g.at(r, c);
        x.codice = asse.lungo();
        g.setSimbolo(r, c, p.simbolo);
        x.Numero = p.numero;
        x.Reg1 = p.reg1;
        x.Reg2 = p.reg2;
        prendi(l, r, c);
    }
    return {};
}

// Inserts a line after every line whose crossing cells touch a crossing cell of the next line.
Status separaIncroci(CellDrawing& g, const Asse& asse) {
    if (Status s = estensioneNellaTavola(g.limiti); !s) return s;
    LimitiDis& l = g.limiti;
    if (senzaCelle(l)) return {};
    std::vector<int> dopo;
    for (int a = std::max(asse.minA(l), 1); a < asse.maxA(l); ++a)
        for (int b = std::max(asse.minB(l), 1); b <= asse.maxB(l); ++b)
            if (codiceIncrocio(asse.cella(g, a, b).codice) &&
                codiceIncrocio(asse.cella(g, a + 1, b).codice)) {
                dopo.push_back(a);
                break;
            }
    if (asse.maxA(l) + static_cast<int>(dopo.size()) > asse.maxLungo())
        return fail("The cell drawing is full: separating its touching crossings needs " +
                    std::to_string(dopo.size()) + " more " + asse.nome() + "s than it has.");
    // From the last, so that the lines still to be separated keep their index. A new line holds only
    // strand cells and empty ones, so it touches no crossing and no further pair appears.
    for (auto it = dopo.rbegin(); it != dopo.rend(); ++it)
        if (Status s = inserisci(g, asse, *it); !s) return s;
    return {};
}

// Whether line a may go: in every row (column) of the extent it holds the code of the next line, or a
// plain strand that only lengthens a corner's leg, or an empty cell beside a strand along the lines.
bool ripete(CellDrawing& g, const Asse& asse, int a) {
    LimitiDis& l = g.limiti;
    for (int b = std::max(asse.minB(l), 1); b <= asse.maxB(l); ++b) {
        CellaDis& qui = asse.cella(g, a, b);
        if (qui.codice == '0') qui.codice = 0;
        char seguente = 0;
        if (a + 1 <= asse.maxLungo()) {
            CellaDis& x = asse.cella(g, a + 1, b);
            if (x.codice == '0') x.codice = 0;
            seguente = x.codice;
        }
        const char precedente = asse.cella(g, a - 1, b).codice;
        const char k = qui.codice;
        if (k == seguente) continue;
        const bool gamba =
            k == asse.lungo() && ((codiceEsce(precedente, asse.latoDopo()) &&
                                   !codiceEsce(precedente, asse.latoPrima()) && codiceTratto(precedente)) ||
                                  (codiceEsce(seguente, asse.latoPrima()) &&
                                   !codiceEsce(seguente, asse.latoDopo()) && codiceTratto(seguente)));
        const char traverso = asse.righe ? '2' : '1';
        const bool accanto = k == 0 && (precedente == traverso || seguente == traverso);
        if (!gamba && !accanto) return false;
    }
    return true;
}

Status eliminaUguali(CellDrawing& g, const Asse& asse) {
    if (Status s = estensioneNellaTavola(g.limiti); !s) return s;
    LimitiDis& l = g.limiti;
    if (senzaCelle(l)) return {};
    const int primo = std::max(asse.minA(l), 1);
    const int ultimo = asse.maxA(l);
    std::vector<char> toglie(static_cast<std::size_t>(ultimo + 1), 0);
    for (int a = primo; a <= ultimo; ++a) toglie[static_cast<std::size_t>(a)] = ripete(g, asse, a);

    int meta = primo - 1;
    for (int a = primo; a <= ultimo; ++a) {
        if (toglie[static_cast<std::size_t>(a)]) continue;
        if (++meta < a) asse.copia(g, a, meta);
    }
    for (int a = meta + 1; a <= ultimo; ++a)
        for (int b = 1; b <= asse.maxTraverso(); ++b) svuotaCellaDis(asse.cella(g, a, b));
    if (meta < primo)
        l = LimitiDis{};
    else
        asse.maxA(l) = meta;
    return {};
}

constexpr Asse kColonne{false};
constexpr Asse kRighe{true};

}  // namespace

Status F3SettaDis(CellDrawing& tblGen, const ListaCelleDis& tmpLst, std::string_view tmpSimb) {
    const bool svuota = tmpSimb == "-";
    if (!svuota && !CellDrawing::codiceValido(tmpSimb))
        return fail(citazione(tmpSimb) + " is not a line code of the cell drawing.");
    for (const PuntoDis& p : tmpLst)
        if (p.r < 1 || p.r > kMaxRigheDis || p.c < 1 || p.c > kMaxColonneDis)
            return fail("The cell " + std::to_string(p.r) + "," + std::to_string(p.c) +
                        " lies outside the cell drawing.");
    for (const PuntoDis& p : tmpLst) {
        if (svuota) {
            tblGen.setCodice(p.r, p.c, "0");
            tblGen.at(p.r, p.c).Numero = 0;
            continue;
        }
        tblGen.setCodice(p.r, p.c, tmpSimb);
        if (!vuoto(tblGen.at(p.r, p.c).codice)) prendi(tblGen.limiti, p.r, p.c);
    }
    return {};
}

Status F3InsColonnaDis(CellDrawing& tblGen, int c) {
    return inserisci(tblGen, kColonne, c);
}
Status F3InsRigaDis(CellDrawing& tblGen, int r) {
    return inserisci(tblGen, kRighe, r);
}
Status F3VerificaNodiViciniRiga(CellDrawing& tblGen) {
    return separaIncroci(tblGen, kRighe);
}
Status F3VerificaNodiViciniColonna(CellDrawing& tblGen) {
    return separaIncroci(tblGen, kColonne);
}
Status F3EliminaColonneUgualiDis(CellDrawing& tblGen) {
    return eliminaUguali(tblGen, kColonne);
}
Status F3EliminaRgheUgualiDis(CellDrawing& tblGen) {
    return eliminaUguali(tblGen, kRighe);
}

}  // namespace trevalon
