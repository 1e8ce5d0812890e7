#include "layout/diagonal_shift.h"

#include "layout/palette.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace trevalon {

namespace {

bool eSimbolo(char s) {
    return s == '*' || s == '-' || s == '|';
}
bool eIncrocio(char s) {
    return s == '-' || s == '|';
}

struct Cella {
    int r = 0, c = 0;
    Cella operator+(const Cella& o) const { return {r + o.r, c + o.c}; }
    Cella operator-(const Cella& o) const { return {r - o.r, c - o.c}; }
    bool operator==(const Cella&) const = default;
};

// The shape of a strand cell as the drawn-knot reader sees it (`formaCellaDisegnata`): the positions 1..9
// around it (1 2 3 above, 4 left, 6 right, 7 8 9 below) that hold a symbol, a crossing's arm folded to a
// straight line. `simbolo` reads a cell.
template <class Simbolo>
std::string forma(const Simbolo& simbolo, Cella x) {
    std::string f;
    for (int pos = 1; pos <= 9; ++pos) {
        if (pos == 5) continue;
        if (eSimbolo(simbolo(x + Cella{(pos - 1) / 3 - 1, (pos - 1) % 3 - 1})))
            f += static_cast<char>('0' + pos);
    }
    if (f == "2789" || f == "1238") return "28";
    if (f == "3469" || f == "1467") return "46";
    return f;
}

// The shapes a strand cell of a drawing may take: those the drawn-knot palette has a key tile for.
class FormeAmmesse {
  public:
    FormeAmmesse() : palette_(PaletteId::Form1b, false) {}
    bool ammessa(const std::string& f) const { return palette_.diagByKey("N" + f) >= 0; }

  private:
    TilePalette palette_;
};

char simboloGriglia(const GridControl& g, Cella x) {
    const std::string& t = g.text(x.r, x.c);
    return t.empty() || !eSimbolo(t[0]) ? ' ' : t[0];
}

// The symbols of a box of the grid, read once; anything outside the box, or any other text, is empty.
class Disegno {
  public:
    Disegno(const GridControl& g, int r0, int c0, int r1, int c1)
        : r0_(r0),
          c0_(c0),
          righe_(r1 - r0 + 1),
          colonne_(c1 - c0 + 1),
          celle_(static_cast<std::size_t>(righe_) * static_cast<std::size_t>(colonne_), ' ') {
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const std::string& t = g.text(r, c);
                if (!t.empty() && eSimbolo(t[0])) celle_[indice(r, c)] = t[0];
            }
    }
    char at(Cella x) const {
        const int r = x.r - r0_, c = x.c - c0_;
        if (r < 0 || c < 0 || r >= righe_ || c >= colonne_) return ' ';
        return celle_[indice(x.r, x.c)];
    }

    // A strand step between two neighbouring cells: side by side, or corner to corner between strand cells
    // when neither cell beside both holds a symbol.
    bool legati(Cella x, Cella y) const {
        const char a = at(x), b = at(y);
        if (!eSimbolo(a) || !eSimbolo(b)) return false;
        const int dr = std::abs(y.r - x.r), dc = std::abs(y.c - x.c);
        if (dr + dc == 1) return true;
        if (dr != 1 || dc != 1 || eIncrocio(a) || eIncrocio(b)) return false;
        return !eSimbolo(at({x.r, y.c})) && !eSimbolo(at({y.r, x.c}));
    }
    std::string forma(Cella x) const {
        return trevalon::forma([this](Cella y) { return at(y); }, x);
    }
    int legami(Cella x) const {
        int n = 0;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if ((dr != 0 || dc != 0) && legati(x, x + Cella{dr, dc})) ++n;
        return n;
    }

  private:
    std::size_t indice(int r, int c) const {
        return static_cast<std::size_t>(r - r0_) * static_cast<std::size_t>(colonne_) +
               static_cast<std::size_t>(c - c0_);
    }
    int r0_, c0_, righe_, colonne_;
    std::vector<char> celle_;
};

// How the cut divides the drawing: which side of the line a cell lies on, and where each side moves.
struct Taglio {
    bool discendente = false;
    int linea = 0;  // c - r of the falling line, r + c of the rising one

    // The side that moves right (falling line) or down and right (rising line): on and past the line.
    bool oltre(Cella x) const { return discendente ? x.c - x.r >= linea : x.r + x.c >= linea; }
    Cella spostamento(Cella x) const {
        if (oltre(x)) return discendente ? Cella{0, 1} : Cella{1, 1};
        return discendente ? Cella{1, 0} : Cella{0, 0};
    }
};

// A link the line cuts: its cell before the line and its cell past it, both where the shift puts them, and
// the step between them before the shift.
struct LegameTagliato {
    Cella u, v, passo;
    bool incrocioU = false, incrocioV = false;
    // The gap cells, in order, that join the strand again from cell `da` to cell `a` (after the shift).
    std::vector<Cella> ponte;
    Cella da, a;
    // A crossing's side pulled straight: its arm cell leaves (`tolto` before the shift, `toltoDopo` after)
    // and two straight gap cells join the crossing to the cell after the arm.
    bool tirato = false;
    Cella tolto, toltoDopo;
};

// Where the repairs join a cut link. A crossing's side cut next to the crossing is pulled straight when
// its arm cell is a strand cell whose other link stays on the arm's side of the line: the crossing then
// keeps a straight arm two cells long, as the reader needs.
LegameTagliato legameTagliato(const Disegno& prima, const Taglio& t, Cella x, Cella y) {
    LegameTagliato l{x + t.spostamento(x),
                     y + t.spostamento(y),
                     y - x,
                     eIncrocio(prima.at(x)),
                     eIncrocio(prima.at(y)),
                     {},
                     {},
                     {},
                     false,
                     {},
                     {}};
    l.da = l.u;
    l.a = l.v;
    if (l.incrocioU == l.incrocioV) return l;
    const Cella braccio = l.incrocioU ? y : x, incrocio = l.incrocioU ? x : y;
    if (prima.at(braccio) != '*' || prima.legami(braccio) != 2) return l;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            const Cella w = braccio + Cella{dr, dc};
            if (w == braccio || w == incrocio || !prima.legati(braccio, w) || t.oltre(w) != t.oltre(braccio))
                continue;
            l.tirato = true;
            l.tolto = braccio;
            l.toltoDopo = braccio + t.spostamento(braccio);
            if (l.incrocioU) {
                l.ponte = {l.u + l.passo, l.u + l.passo + l.passo};
                l.a = w + t.spostamento(w);
            } else {
                l.ponte = {l.v - l.passo - l.passo, l.v - l.passo};
                l.da = w + t.spostamento(w);
            }
        }
    return l;
}

bool dentro(const EstensioneDisegno& e, int r, int c) {
    return r >= e.RigaDaGr && r <= e.RigaAGr && c >= e.ColDaGr && c <= e.ColAGr;
}

void sposta(GridControl& g, int r, int c, int r2, int c2) {
    std::string t = g.text(r, c);
    g.setText(r, c, "");
    g.setText(r2, c2, std::move(t));
}

// `Sciftaasbd`: every cell of the range on or below the rising line r + c = s moves one row down and one
// column right, from the last row up and the last column back, so that no cell is read after it was
// overwritten.
void Sciftaasbd(GridControl& g, const EstensioneDisegno& e, const Taglio& t) {
    for (int r = e.RigaAGr; r >= e.RigaDaGr; --r)
        for (int c = e.ColAGr; c >= e.ColDaGr && t.oltre({r, c}); --c) sposta(g, r, c, r + 1, c + 1);
}

// `Sciftaadbs`: every cell of the range on or right of the falling line moves one column right, then every
// cell left of it one row down, from the last row up.
void Sciftaadbs(GridControl& g, const EstensioneDisegno& e, const Taglio& t) {
    for (int r = e.RigaAGr; r >= e.RigaDaGr; --r)
        for (int c = e.ColAGr; c >= e.ColDaGr && t.oltre({r, c}); --c) sposta(g, r, c, r, c + 1);
    for (int r = e.RigaAGr; r >= e.RigaDaGr; --r)
        for (int c = e.ColDaGr; c <= e.ColAGr && !t.oltre({r, c}); ++c) sposta(g, r, c, r + 1, c);
}

// A strand cell written into the gap; false when the cell is taken (two cut links would share it).
bool ponte(GridControl& g, Cella x) {
    if (!g.text(x.r, x.c).empty()) return false;
    g.setText(x.r, x.c, "*");
    return true;
}

// `RiparaIncrss`: a cut side of a crossing is joined straight on from the crossing, so that the crossing
// keeps its four sides: pulled straight over two gap cells in place of its arm cell where it can be,
// else one gap cell; between two crossings the strand takes one straight cell from each.
bool RiparaIncrss(GridControl& g, std::vector<LegameTagliato>& tagliati) {
    for (const LegameTagliato& l : tagliati)
        if (l.tirato) g.setText(l.toltoDopo.r, l.toltoDopo.c, "");
    bool ok = true;
    for (LegameTagliato& l : tagliati) {
        if (!l.incrocioU && !l.incrocioV) continue;
        if (!l.tirato) {
            if (l.incrocioU) l.ponte.push_back(l.u + l.passo);
            if (l.incrocioV) l.ponte.push_back(l.v - l.passo);
        }
        for (const Cella& x : l.ponte) ok = ponte(g, x) && ok;
    }
    return ok;
}

// A strand cell at x leaves x and every symbol around it with a shape the drawn-knot reader knows.
bool formeBuone(const GridControl& g, Cella x, const FormeAmmesse& forme) {
    const auto simbolo = [&g](Cella y) { return simboloGriglia(g, y); };
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            const Cella y = x + Cella{dr, dc};
            if (simbolo(y) == '*' && !forme.ammessa(forma(simbolo, y))) return false;
        }
    return true;
}

// `RiparaArcss`: a cut strand is joined by one gap cell that meets one end side by side and the other
// corner to corner: straight on from its end before the line, or else straight on into its moved end,
// whichever leaves every strand cell around it a shape of a drawing.
bool RiparaArcss(GridControl& g, std::vector<LegameTagliato>& tagliati, const FormeAmmesse& forme) {
    bool ok = true;
    for (LegameTagliato& l : tagliati) {
        if (l.incrocioU || l.incrocioV) continue;
        const Cella avanti = l.u + l.passo, indietro = l.v - l.passo;
        Cella scelta = avanti;
        if (!(indietro == avanti) && g.text(indietro.r, indietro.c).empty()) {
            // Tried in place, then taken back: the first that fits is written below.
            for (const Cella& x : {avanti, indietro}) {
                if (!g.text(x.r, x.c).empty()) continue;
                g.setText(x.r, x.c, "*");
                const bool buona = formeBuone(g, x, forme);
                g.setText(x.r, x.c, "");
                if (buona) {
                    scelta = x;
                    break;
                }
            }
        }
        l.ponte.push_back(scelta);
        ok = ponte(g, scelta) && ok;
    }
    return ok;
}

// The repaired drawing keeps every link: each cell moved with its symbol and as many links as before,
// each crossing four, each gap cell two, every cut link joined again through its gap cells, and no other
// symbol anywhere.
bool linksKept(const Disegno& prima, const EstensioneDisegno& e, const Disegno& dopo, const Taglio& t,
               const std::vector<LegameTagliato>& tagliati, const FormeAmmesse& forme) {
    std::vector<Cella> tolti;
    for (const LegameTagliato& l : tagliati)
        if (l.tirato) tolti.push_back(l.tolto);
    int simboliPrima = 0;
    for (int r = e.RigaDaGr; r <= e.RigaAGr; ++r)
        for (int c = e.ColDaGr; c <= e.ColAGr; ++c) {
            const Cella x{r, c};
            const char s = prima.at(x);
            if (!eSimbolo(s)) continue;
            ++simboliPrima;
            if (std::find(tolti.begin(), tolti.end(), x) != tolti.end()) continue;
            const Cella y = x + t.spostamento(x);
            if (dopo.at(y) != s || dopo.legami(y) != prima.legami(x)) return false;
            if (eIncrocio(s) && dopo.legami(y) != 4) return false;
            // A strand cell the reader could read still can.
            if (s == '*' && forme.ammessa(prima.forma(x)) && !forme.ammessa(dopo.forma(y))) return false;
        }
    int ponti = 0;
    for (const LegameTagliato& l : tagliati) {
        Cella da = l.da;
        for (const Cella& x : l.ponte) {
            if (dopo.at(x) != '*' || dopo.legami(x) != 2 || !dopo.legati(da, x) ||
                !forme.ammessa(dopo.forma(x)))
                return false;
            da = x;
            ++ponti;
        }
        if (!dopo.legati(da, l.a)) return false;
    }
    int simboliDopo = 0;
    for (int r = e.RigaDaGr; r <= e.RigaAGr + 1; ++r)
        for (int c = e.ColDaGr; c <= e.ColAGr + 1; ++c)
            if (eSimbolo(dopo.at({r, c}))) ++simboliDopo;
    return simboliDopo == simboliPrima - static_cast<int>(tolti.size()) + ponti;
}

}  // namespace

bool lineaDiscendente(const AngoliSpostamento& a) {
    return a.AngoloRiga1 - a.AngoloRiga2 == a.AngoloCol1 - a.AngoloCol2;
}

Status Sciftadiag(GridControl& Gr, EstensioneDisegno& range, const AngoliSpostamento& angoli,
                  MessagePort* ui) {
    const auto rifiuta = [ui](const std::string& msg) -> Status {
        if (ui) ui->showMessage(msg);
        return fail(msg);
    };
    const EstensioneDisegno e = range;
    if (e.vuota() || e.RigaDaGr < 1 || e.ColDaGr < 1 || e.RigaAGr >= Gr.rows() || e.ColAGr >= Gr.cols())
        return rifiuta("There is no drawing in the grid to shift: show it enlarged (\"aum\") first.");
    if (!dentro(e, angoli.AngoloRiga1, angoli.AngoloCol1) ||
        !dentro(e, angoli.AngoloRiga2, angoli.AngoloCol2))
        return rifiuta(
            "Click two cells of the drawing in the step viewer first: the cut runs through the last one, "
            "along the diagonal that the two clicks choose.");
    if (e.RigaAGr + 1 >= Gr.rows() || e.ColAGr + 1 >= Gr.cols())
        return rifiuta("The drawing reaches the edge of the grid: there is no room to shift it.");

    const Taglio t{lineaDiscendente(angoli), lineaDiscendente(angoli)
                                                 ? angoli.AngoloCol1 - angoli.AngoloRiga1
                                                 : angoli.AngoloRiga1 + angoli.AngoloCol1};
    const Disegno prima(Gr, e.RigaDaGr, e.ColDaGr, e.RigaAGr, e.ColAGr);

    // The links the line cuts, seen from their cell before the line.
    std::vector<LegameTagliato> tagliati;
    for (int r = e.RigaDaGr; r <= e.RigaAGr; ++r)
        for (int c = e.ColDaGr; c <= e.ColAGr; ++c) {
            const Cella x{r, c};
            if (t.oltre(x) || !eSimbolo(prima.at(x))) continue;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const Cella y = x + Cella{dr, dc};
                    if (!dentro(e, y.r, y.c) || !t.oltre(y) || !prima.legati(x, y)) continue;
                    tagliati.push_back(legameTagliato(prima, t, x, y));
                }
        }

    // Every cell the shift and the repairs may write, kept to put the grid back.
    std::vector<std::string> salvati;
    for (int r = e.RigaDaGr; r <= e.RigaAGr + 1; ++r)
        for (int c = e.ColDaGr; c <= e.ColAGr + 1; ++c) salvati.push_back(Gr.text(r, c));

    Gr.setRedraw(false);
    if (t.discendente)
        Sciftaadbs(Gr, e, t);
    else
        Sciftaasbd(Gr, e, t);
    const bool incroci = RiparaIncrss(Gr, tagliati);
    const FormeAmmesse forme;
    const bool archi = RiparaArcss(Gr, tagliati, forme);
    const Disegno dopo(Gr, e.RigaDaGr, e.ColDaGr, e.RigaAGr + 1, e.ColAGr + 1);
    if (!incroci || !archi || !linksKept(prima, e, dopo, t, tagliati, forme)) {
        std::size_t i = 0;
        for (int r = e.RigaDaGr; r <= e.RigaAGr + 1; ++r)
            for (int c = e.ColDaGr; c <= e.ColAGr + 1; ++c) Gr.setText(r, c, std::move(salvati[i++]));
        Gr.setRedraw(true);
        return rifiuta(
            "Strands lie too close to the cut to be joined again across it: the drawing is as it was. "
            "Choose another cell.");
    }
    range.RigaAGr = e.RigaAGr + 1;
    range.ColAGr = e.ColAGr + 1;
    Gr.setRedraw(true);
    return {};
}

}  // namespace trevalon
