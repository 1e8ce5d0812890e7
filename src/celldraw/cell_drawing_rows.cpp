#include "celldraw/cell_drawing_rows.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>
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

Status estensioneNellaTavola(const CellDrawing& g) {
    const LimitiDis& l = g.limiti;
    if (senzaCelle(l)) return {};
    if (l.RigaMin < 0 || l.ColMin < 0 || l.RigaMax > g.lastRow() || l.ColMax > g.lastCol())
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
    int maxLungo(const CellDrawing& g) const { return righe ? g.lastRow() : g.lastCol(); }
    int latoDopo() const { return righe ? 3 : 2; }    // the side facing the next line
    int latoPrima() const { return righe ? 1 : 4; }   // the side facing the previous line
    char lungo() const { return righe ? '1' : '2'; }  // the strand code that crosses the lines
    // cppcheck-suppress constParameter ; the result is written through, into g
    CellaDis& cella(CellDrawing& g, int a, int b) const { return righe ? g.at(a, b) : g.at(b, a); }
    const CellaDis& cella(const CellDrawing& g, int a, int b) const {
        return righe ? g.at(a, b) : g.at(b, a);
    }
    // cppcheck-suppress constParameter ; the result is written through, into l
    int& minA(LimitiDis& l) const { return righe ? l.RigaMin : l.ColMin; }
    // cppcheck-suppress constParameter ; the result is written through, into l
    int& maxA(LimitiDis& l) const { return righe ? l.RigaMax : l.ColMax; }
    // cppcheck-suppress constParameter ; the result is written through, into l
    int& minB(LimitiDis& l) const { return righe ? l.ColMin : l.RigaMin; }
    // cppcheck-suppress constParameter ; the result is written through, into l
    int& maxB(LimitiDis& l) const { return righe ? l.ColMax : l.RigaMax; }

    // The cells across the lines (from 1) where a line may hold anything: outside the drawing's used box
    // every cell is empty, so moving or emptying a line there changes nothing.
    std::pair<int, int> traverso(const CellDrawing& g) const {
        const UsedArea& u = g.usata();
        return righe ? std::pair{std::max(u.c0, 1), u.c1} : std::pair{std::max(u.r0, 1), u.r1};
    }

    // For each pair (a, da) of `linee` in turn: line a := line da, over the cells across b.first..b.second.
    // Row by row, so that each copy runs along a row of the table.
    void sposta(CellDrawing& g, const std::vector<std::pair<int, int>>& linee, std::pair<int, int> b) const {
        if (linee.empty() || b.first > b.second) return;
        if (righe) {
            for (const auto& [a, da] : linee) {
                CellaDis* verso = g.riga(a, b.first, b.second);
                const CellaDis* origine = g.riga(da, b.first, b.second);
                std::copy(origine + b.first, origine + b.second + 1, verso + b.first);
            }
            return;
        }
        int primo = linee.front().first, ultimo = primo;
        for (const auto& [a, da] : linee) {
            primo = std::min({primo, a, da});
            ultimo = std::max({ultimo, a, da});
        }
        for (int k = b.first; k <= b.second; ++k) {
            CellaDis* riga = g.riga(k, primo, ultimo);
            for (const auto& [a, da] : linee) riga[a] = riga[da];
        }
    }
};

// The tile name n made known to the drawing's name table without changing any cell, so that writing it
// later cannot fail halfway through a change.
Status conosciNome(CellDrawing& g, const std::string& n, int& id) {
    try {
        id = g.conosciNome(n);
    } catch (const std::length_error&) {
        return fail("The cell drawing has too many different tile names to add \"" + n + "\".");
    }
    return {};
}

struct Ponte {
    int b;
    std::uint8_t simbolo;  // index of the tile name in the drawing's name table
    std::int16_t numero, reg1, reg2;
};

// The index of the bridge name of each tile name (the name and "z"), made known to the drawing the first
// time it is asked for; -1 while not asked.
struct NomiPonte {
    std::array<int, 256> id;
    NomiPonte() { id.fill(-1); }
};

// The bridges of a line inserted after line n: where the cell of line n leaves towards the next line, the
// new cell is a strand across it with the tile name (and "z") of the next line's cell when that is a strand
// cell, else of line n's, and the arc number and regions of whichever of them is a strand cell (the next
// line's first). Each name is made known to the drawing before anything moves.
// The bridge at b of the line inserted between cells `prima` and `dopo`, when `prima` leaves towards `dopo`
// (by side `lato`); its tile name is still the index of the donor's own name.
bool ponteDi(const CellaDis& prima, const CellaDis& dopo, int b, int lato, Ponte& p) {
    if (!codiceEsce(prima.codice, lato)) return false;
    const bool dopoDonatore = !vuoto(dopo.codice) && !codiceIncrocio(dopo.codice);
    p = Ponte{b, (dopoDonatore ? dopo : prima).simbolo, 0, 0, 0};
    // The arc number comes from a strand cell only: a crossing's number is no arc's.
    const CellaDis* numero = codiceTratto(dopo.codice)    ? &dopo
                             : codiceTratto(prima.codice) ? &prima
                                                          : nullptr;
    if (numero) {
        p.numero = numero->Numero;
        p.reg1 = numero->Reg1;
        p.reg2 = numero->Reg2;
    }
    return true;
}

// Each bridge's tile name, in order, made known to the drawing and given its index.
Status nominaPonti(CellDrawing& g, std::vector<Ponte>& ponti, NomiPonte& nomi) {
    for (Ponte& p : ponti) {
        int& nome = nomi.id[p.simbolo];
        if (nome < 0)
            if (Status s = conosciNome(g, std::string(g.nome(p.simbolo)) + "z", nome); !s) return s;
        p.simbolo = static_cast<std::uint8_t>(nome);
    }
    return {};
}

Status leggiPonti(CellDrawing& g, const Asse& asse, int n, std::pair<int, int> traverso,
                  std::vector<Ponte>& ponti, NomiPonte& nomi) {
    const CellDrawing& cg = g;
    Ponte p{};
    for (int b = traverso.first; b <= traverso.second; ++b)
        if (ponteDi(asse.cella(cg, n, b), asse.cella(cg, n + 1, b), b, asse.latoDopo(), p))
            ponti.push_back(p);
    return nominaPonti(g, ponti, nomi);
}

// leggiPonti for every column of `linee` at once, reading the drawing row by row.
Status leggiPontiColonne(CellDrawing& g, const std::vector<int>& linee, std::pair<int, int> traverso,
                         std::vector<std::vector<Ponte>>& ponti, NomiPonte& nomi) {
    const CellDrawing& cg = g;
    Ponte p{};
    for (int b = traverso.first; b <= traverso.second; ++b) {
        const CellaDis* riga = cg.riga(b);
        for (std::size_t k = 0; k < linee.size(); ++k) {
            const int n = linee[k];
            if (ponteDi(riga[n], riga[n + 1], b, 2, p)) ponti[k].push_back(p);
        }
    }
    for (std::vector<Ponte>& x : ponti)
        if (Status s = nominaPonti(g, x, nomi); !s) return s;
    return {};
}

// The cell of a new line as an insertion leaves it: empty, with the code "0".
void lineaNuova(CellaDis& x) {
    x.codice = '0';
    x.simbolo = 0;
    x.Numero = 0;
    x.Reg1 = 0;
    x.Reg2 = 0;
    x.Marca = 0;
}

// The bridge cells of the new line at `linea`.
void scriviPonti(CellDrawing& g, const Asse& asse, int linea, const std::vector<Ponte>& ponti) {
    for (const Ponte& p : ponti) {
        const int r = asse.righe ? linea : p.b;
        const int c = asse.righe ? p.b : linea;
        CellaDis& x = g.at(r, c);
        x.codice = asse.lungo();
        x.simbolo = p.simbolo;
        x.Numero = p.numero;
        x.Reg1 = p.reg1;
        x.Reg2 = p.reg2;
    }
}

Status inserisci(CellDrawing& g, const Asse& asse, int n) {
    if (Status s = estensioneNellaTavola(g); !s) return s;
    if (n < 0 || n >= asse.maxLungo(g))
        return fail("No " + std::string(asse.nome()) + " can be inserted after " + asse.nome() + " " +
                    std::to_string(n) + ": the cell drawing has " + std::to_string(asse.maxLungo(g)) + ".");
    LimitiDis& l = g.limiti;
    const bool sposta = !senzaCelle(l) && n < asse.maxA(l);
    if (sposta && asse.maxA(l) + 1 > asse.maxLungo(g))
        return fail("The cell drawing is full: a " + std::string(asse.nome()) + " inserted after " +
                    std::to_string(n) + " would push it past " + asse.nome() + " " +
                    std::to_string(asse.maxLungo(g)) + ".");

    const std::pair<int, int> traverso = asse.traverso(g);
    std::vector<Ponte> ponti;
    NomiPonte nomi;
    if (Status s = leggiPonti(g, asse, n, traverso, ponti, nomi); !s) return s;

    if (sposta) {
        std::vector<std::pair<int, int>> linee;
        for (int a = asse.maxA(l); a > n; --a) linee.emplace_back(a + 1, a);
        asse.sposta(g, linee, traverso);
        if (n < asse.minA(l)) ++asse.minA(l);
        ++asse.maxA(l);
    }
    for (int b = traverso.first; b <= traverso.second; ++b) lineaNuova(asse.cella(g, n + 1, b));
    scriviPonti(g, asse, n + 1, ponti);
    for (const Ponte& p : ponti) prendi(l, asse.righe ? n + 1 : p.b, asse.righe ? p.b : n + 1);
    return {};
}

// An empty line after each line of `dopo` (from the last), as inserisci one after the other would leave
// the drawing, but moving every line once. Insertions after the last line of the extent move nothing and
// are made one by one first; then, when every line left lies within the extent (or just before it) and in
// decreasing order, and the drawing has room for them all, all are made in one pass; otherwise one by one.
// A tile name that does not fit the name table also sends the rest one by one: they then fail where they
// would have failed alone.
Status inserisciTutte(CellDrawing& g, const Asse& asse, const std::vector<int>& dopo) {
    LimitiDis& l = g.limiti;
    std::size_t primo = 0;
    for (; primo < dopo.size() && !senzaCelle(l) && dopo[primo] >= asse.maxA(l); ++primo)
        if (Status s = inserisci(g, asse, dopo[primo]); !s) return s;
    const auto unaAllaVolta = [&]() -> Status {
        for (std::size_t k = primo; k < dopo.size(); ++k)
            if (Status s = inserisci(g, asse, dopo[k]); !s) return s;
        return {};
    };
    const std::vector<int> linee(dopo.begin() + static_cast<std::ptrdiff_t>(primo), dopo.end());
    if (linee.empty()) return {};
    if (!estensioneNellaTavola(g) || senzaCelle(l)) return unaAllaVolta();
    const int minA = asse.minA(l), maxA = asse.maxA(l);
    const int m = static_cast<int>(linee.size());
    for (std::size_t k = 0; k < linee.size(); ++k)
        if (linee[k] < std::max(minA - 1, 0) || linee[k] >= maxA || (k > 0 && linee[k] >= linee[k - 1]))
            return unaAllaVolta();
    if (maxA + m > asse.maxLungo(g)) return unaAllaVolta();

    // Every insertion reads line n and line n + 1 as they were: the ones before moved only lines after them.
    const std::pair<int, int> traverso = asse.traverso(g);
    std::vector<std::vector<Ponte>> ponti(linee.size());
    NomiPonte nomi;
    if (!asse.righe) {
        if (Status s = leggiPontiColonne(g, linee, traverso, ponti, nomi); !s) return unaAllaVolta();
    } else {
        for (std::size_t k = 0; k < linee.size(); ++k)
            if (Status s = leggiPonti(g, asse, linee[k], traverso, ponti[k], nomi); !s) return unaAllaVolta();
    }

    // Where each line ends: line a of the drawing moves by the insertions before it; the line inserted
    // after line n stands right after n's new place. From the first line that moves, upwards.
    const int basso = linee.back() + 1;
    struct Posto {
        int da;     // the line of the drawing that lands here
        int nuova;  // or -1; the insertion whose new line this is
    };
    std::vector<Posto> posti;
    posti.reserve(static_cast<std::size_t>(std::max(maxA + m - basso, 0)) + 1);
    for (int a = basso - 1, k = m - 1; a <= maxA; ++a) {
        if (a >= basso) posti.push_back({a, -1});
        if (k >= 0 && linee[static_cast<std::size_t>(k)] == a) posti.push_back({a + 1, k--});
    }
    // From the top line down, so that no line is read after it was written: a new line keeps, as the
    // insertion leaves it, what it does not clear of the line that was after its line n.
    const int alto = basso + static_cast<int>(posti.size()) - 1;
    if (asse.righe) {
        for (int i = static_cast<int>(posti.size()) - 1; i >= 0; --i) {
            const Posto& p = posti[static_cast<std::size_t>(i)];
            const int linea = basso + i;
            CellaDis* verso = g.riga(linea, traverso.first, traverso.second);
            const CellaDis* da = std::as_const(g).riga(p.da);
            if (p.da != linea)
                std::copy(da + traverso.first, da + traverso.second + 1, verso + traverso.first);
            if (p.nuova >= 0)
                for (int b = traverso.first; b <= traverso.second; ++b) lineaNuova(verso[b]);
        }
    } else if (!posti.empty()) {
        // Along a row the lines that land in a run, each moved by as many columns as the one before, move as
        // one block; a new line alone. Every line is read before anything is written over it.
        struct Blocco {
            int primo, ultimo;  // the places basso + primo .. basso + ultimo
            int da;             // where the first of them comes from
            bool nuova;
        };
        std::vector<Blocco> blocchi;
        for (int i = static_cast<int>(posti.size()) - 1; i >= 0; --i) {
            const Posto& p = posti[static_cast<std::size_t>(i)];
            const bool nuova = p.nuova >= 0;
            if (!nuova && !blocchi.empty() && !blocchi.back().nuova && blocchi.back().primo == i + 1 &&
                blocchi.back().da - p.da == 1) {
                blocchi.back().primo = i;
                blocchi.back().da = p.da;
                continue;
            }
            blocchi.push_back({i, i, p.da, nuova});
        }
        for (int b = traverso.first; b <= traverso.second; ++b) {
            CellaDis* riga = g.riga(b, basso, alto);
            for (const Blocco& k : blocchi) {
                CellaDis* verso = riga + basso + k.primo;
                if (k.da != basso + k.primo)
                    std::copy_backward(riga + k.da, riga + k.da + (k.ultimo - k.primo) + 1,
                                       verso + (k.ultimo - k.primo) + 1);
                if (k.nuova) lineaNuova(*verso);
            }
        }
    }
    // The bridges at their lines' new places, and the extent as the insertions one by one change it.
    for (std::size_t i = 0; i < posti.size(); ++i)
        if (posti[i].nuova >= 0)
            scriviPonti(g, asse, basso + static_cast<int>(i),
                        ponti[static_cast<std::size_t>(posti[i].nuova)]);
    for (std::size_t k = 0; k < linee.size(); ++k) {
        const int n = linee[k];
        if (n < asse.minA(l)) ++asse.minA(l);
        ++asse.maxA(l);
        for (const Ponte& p : ponti[k]) prendi(l, asse.righe ? n + 1 : p.b, asse.righe ? p.b : n + 1);
    }
    return {};
}

// Inserts a line after every line whose crossing cells touch a crossing cell of the next line.
Status separaIncroci(CellDrawing& g, const Asse& asse) {
    if (Status s = estensioneNellaTavola(g); !s) return s;
    LimitiDis& l = g.limiti;
    if (senzaCelle(l)) return {};
    // Each line a is read along b up to its first crossing touching one of line a + 1, the cell of line
    // a + 1 only beside a crossing. The cells read are handed out for change as reading them one by one did:
    // their box runs from (a0, b0) to the last line and the last b read.
    const int a0 = std::max(asse.minA(l), 1), a1 = asse.maxA(l) - 1;
    const int b0 = std::max(asse.minB(l), 1), b1 = asse.maxB(l);
    std::vector<int> dopo;
    if (a0 <= a1 && b0 <= b1) {
        const CellDrawing& cg = g;
        int ultimaLinea = a1, ultimoB = b0;
        if (asse.righe) {
            for (int a = a0; a <= a1; ++a) {
                const CellaDis* qui = cg.riga(a);
                const CellaDis* sotto = cg.riga(a + 1);
                int b = b0;
                for (; b <= b1; ++b) {
                    if (!codiceIncrocio(qui[b].codice)) continue;
                    ultimaLinea = std::max(ultimaLinea, a + 1);
                    if (codiceIncrocio(sotto[b].codice)) break;
                }
                if (b <= b1) dopo.push_back(a);
                ultimoB = std::max(ultimoB, std::min(b, b1));
            }
            g.at(a0, b0);
            g.at(ultimaLinea, ultimoB);
        } else {
            // Lines are columns: read row by row, each column until its first touching pair.
            std::vector<char> trovata(static_cast<std::size_t>(a1 - a0 + 1), 0);
            int aperte = a1 - a0 + 1;
            for (int b = b0; b <= b1 && aperte > 0; ++b) {
                const CellaDis* riga = cg.riga(b);
                ultimoB = b;
                for (int a = a0; a <= a1; ++a) {
                    char& t = trovata[static_cast<std::size_t>(a - a0)];
                    if (t || !codiceIncrocio(riga[a].codice)) continue;
                    ultimaLinea = std::max(ultimaLinea, a + 1);
                    if (!codiceIncrocio(riga[a + 1].codice)) continue;
                    t = 1;
                    --aperte;
                }
            }
            for (int a = a0; a <= a1; ++a)
                if (trovata[static_cast<std::size_t>(a - a0)]) dopo.push_back(a);
            g.at(b0, a0);
            g.at(ultimoB, ultimaLinea);
        }
    }
    if (asse.maxA(l) + static_cast<int>(dopo.size()) > asse.maxLungo(g))
        return fail("The cell drawing is full: separating its touching crossings needs " +
                    std::to_string(dopo.size()) + " more " + asse.nome() + "s than it has.");
    // From the last, so that the lines still to be separated keep their index. A new line holds only
    // strand cells and empty ones, so it touches no crossing and no further pair appears.
    return inserisciTutte(g, asse, std::vector<int>(dopo.rbegin(), dopo.rend()));
}

// Whether cell k (of the line tested) may go with the line: `seguente` is the cell of the next line,
// `precedente` that of the line before, both across the same b. A "0" counts as empty.
bool cellaRipete(const Asse& asse, char k, char seguente, char precedente) {
    if (k == seguente) return true;
    const bool gamba =
        k == asse.lungo() && ((codiceEsce(precedente, asse.latoDopo()) &&
                               !codiceEsce(precedente, asse.latoPrima()) && codiceTratto(precedente)) ||
                              (codiceEsce(seguente, asse.latoPrima()) &&
                               !codiceEsce(seguente, asse.latoDopo()) && codiceTratto(seguente)));
    const char traverso = asse.righe ? '2' : '1';
    const bool accanto = k == 0 && (precedente == traverso || seguente == traverso);
    return gamba || accanto;
}

// A "0" read while testing becomes "" (the cell is handed out for change only then).
char azzeraZero(CellDrawing& g, int r, int c, const CellaDis& x) {
    if (x.codice == '0') g.at(r, c).codice = 0;
    return x.codice;
}

// For every line a of the extent from `primo` to `ultimo`: whether it may go (ripete). Every line a is
// read along b up to its first cell that does not repeat, and the "0"s of lines a and a + 1 read become "".
std::vector<char> lineeRipetute(CellDrawing& g, const Asse& asse, int primo, int ultimo) {
    const LimitiDis& l = g.limiti;
    std::vector<char> toglie(static_cast<std::size_t>(ultimo + 1), 0);
    const int b0 = std::max(asse.righe ? l.ColMin : l.RigaMin, 1);
    const int b1 = asse.righe ? l.ColMax : l.RigaMax;
    const int ultimaLinea = asse.maxLungo(g);
    const CellDrawing& cg = g;
    if (asse.righe) {
        for (int a = primo; a <= ultimo; ++a) {
            const CellaDis* qui = cg.riga(a);
            const CellaDis* sotto = a + 1 <= ultimaLinea ? cg.riga(a + 1) : nullptr;
            const CellaDis* sopra = cg.riga(a - 1);
            bool ripete = true;
            for (int b = b0; b <= b1 && ripete; ++b) {
                const char k = azzeraZero(g, a, b, qui[b]);
                const char seguente = sotto ? azzeraZero(g, a + 1, b, sotto[b]) : char{0};
                ripete = cellaRipete(asse, k, seguente, sopra[b].codice);
            }
            toglie[static_cast<std::size_t>(a)] = static_cast<char>(ripete);
        }
        return toglie;
    }
    // Lines are columns: read row by row, each column until its first cell that does not repeat. A "0"
    // before a line is the same as "" to the test, so the order in which they become "" does not matter.
    for (int a = primo; a <= ultimo; ++a) toglie[static_cast<std::size_t>(a)] = 1;
    int aperte = ultimo - primo + 1;
    for (int b = b0; b <= b1 && aperte > 0; ++b) {
        const CellaDis* riga = cg.riga(b);
        for (int a = primo; a <= ultimo; ++a) {
            char& t = toglie[static_cast<std::size_t>(a)];
            if (!t) continue;
            const char k = azzeraZero(g, b, a, riga[a]);
            const char seguente = a + 1 <= ultimaLinea ? azzeraZero(g, b, a + 1, riga[a + 1]) : char{0};
            if (cellaRipete(asse, k, seguente, riga[a - 1].codice)) continue;
            t = 0;
            --aperte;
        }
    }
    return toglie;
}

Status eliminaUguali(CellDrawing& g, const Asse& asse) {
    if (Status s = estensioneNellaTavola(g); !s) return s;
    LimitiDis& l = g.limiti;
    if (senzaCelle(l)) return {};
    const int primo = std::max(asse.minA(l), 1);
    const int ultimo = asse.maxA(l);
    const std::vector<char> toglie = lineeRipetute(g, asse, primo, ultimo);

    const std::pair<int, int> traverso = asse.traverso(g);
    std::vector<std::pair<int, int>> linee;
    int meta = primo - 1;
    for (int a = primo; a <= ultimo; ++a) {
        if (toglie[static_cast<std::size_t>(a)]) continue;
        if (++meta < a) linee.emplace_back(meta, a);
    }
    asse.sposta(g, linee, traverso);
    if (meta + 1 <= ultimo && traverso.first <= traverso.second) {
        if (asse.righe) {
            for (int a = meta + 1; a <= ultimo; ++a) {
                CellaDis* riga = g.riga(a, traverso.first, traverso.second);
                for (int b = traverso.first; b <= traverso.second; ++b) svuotaCellaDis(riga[b]);
            }
        } else {
            for (int b = traverso.first; b <= traverso.second; ++b) {
                CellaDis* riga = g.riga(b, meta + 1, ultimo);
                for (int a = meta + 1; a <= ultimo; ++a) svuotaCellaDis(riga[a]);
            }
        }
    }
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
        if (p.r < 1 || p.r > tblGen.lastRow() || p.c < 1 || p.c > tblGen.lastCol())
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
Status inserisciRigheDis(CellDrawing& tblGen, const std::vector<int>& dopo) {
    return inserisciTutte(tblGen, kRighe, dopo);
}
Status inserisciColonneDis(CellDrawing& tblGen, const std::vector<int>& dopo) {
    return inserisciTutte(tblGen, kColonne, dopo);
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
