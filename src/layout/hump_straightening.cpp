#include "layout/hump_straightening.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <vector>

#include "layout/cell_access.h"
#include "layout/cell_lists.h"
#include "layout/path_text.h"
#include "layout/straightening_notes.h"

namespace trevalon {

namespace {

// The cells strictly between a and b on their row, column or diagonal become arc n's cells, written in
// order from `out` on.
void tracciaDiritto(Diagram& d, LayoutState& s, Punto a, Punto b, int n, Punto* out) {
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    const bool fila = (dr == 0) != (dc == 0);  // along a row or column: noted at once
    for (Punto t{a.r + dr, a.c + dc}; !(t == b); t = {t.r + dr, t.c + dc}) {
        CellaNodo& x = d.TblNodo.at(t.r, t.c);
        x.Tipo = 'A';
        x.Numero = n;
        if (!fila) notaCambiata(s, t.r, t.c, true);
        *out++ = t;
    }
    if (fila && dr == 0)
        notaFila(s, true, a.r, std::min(a.c, b.c) + 1, std::max(a.c, b.c) - 1);
    else if (fila)
        notaFila(s, false, a.c, std::min(a.r, b.r) + 1, std::max(a.r, b.r) - 1);
}

// One line of the straightening's area as its bits and cells.
class LineaArea {
  public:
    LineaArea(const Diagram& d, const LayoutState::Raddrizzatura& z, bool riga, int rc)
        : d_(d),
          riga_(riga),
          rc_(rc),
          first_(riga ? z.c0 : z.r0),
          last_(riga ? z.c1 : z.r1),
          parole_(riga ? z.paroleRiga : z.paroleColonna) {
        const auto i = static_cast<std::size_t>(riga ? rc - z.r0 : rc - z.c0);
        piene_ = (riga ? z.pieneRighe.data() : z.pieneColonne.data()) + i * static_cast<std::size_t>(parole_);
        // The line's cells, read in place: the cell table stores its rows one after another in one block.
        // A line that leaves the table reads the empty cell beyond it, as `cella` does.
        const bool dentro = riga ? CellTable::inside(rc, first_) && CellTable::inside(rc, last_)
                                 : CellTable::inside(first_, rc) && CellTable::inside(last_, rc);
        inizio_ = dentro ? &d.TblNodo.at(riga ? rc : first_, riga ? first_ : rc) : nullptr;
        passo_ = riga ? 1 : CellTable::kSize;
    }
    int first() const { return first_; }
    int last() const { return last_; }
    Punto punto(int t) const { return riga_ ? Punto{rc_, t} : Punto{t, rc_}; }
    const CellaNodo& cella(int t) const {
        if (inizio_) return inizio_[(t - first_) * passo_];
        const Punto p = punto(t);
        return trevalon::cella(d_, p.r, p.c);
    }
    // The first place from t on whose cell is filled (or empty, with `piena` false); past the end for none.
    int prossima(int t, bool piena = true) const {
        if (t > last_) return last_ + 1;
        const auto j = static_cast<std::size_t>(t - first_);
        std::size_t w = j / 64;
        const std::uint64_t tutte = piena ? 0 : ~std::uint64_t{0};
        std::uint64_t bits = (piene_[w] ^ tutte) & (~std::uint64_t{0} << (j % 64));
        while (bits == 0) {
            if (++w >= static_cast<std::size_t>(parole_)) return last_ + 1;
            bits = piene_[w] ^ tutte;
        }
        return std::min(last_ + 1, first_ + static_cast<int>(w * 64 + std::countr_zero(bits)));
    }
    // The last place before t whose cell is filled; before the line's start for none.
    int precedente(int t) const {
        if (t <= first_) return first_ - 1;
        const auto j = static_cast<std::size_t>(t - first_);
        std::size_t w = j / 64;
        std::uint64_t bits = j % 64 ? piene_[w] & ((std::uint64_t{1} << (j % 64)) - 1) : 0;
        while (bits == 0) {
            if (w == 0) return first_ - 1;
            bits = piene_[--w];
        }
        return first_ + static_cast<int>(w * 64 + 63 - static_cast<std::size_t>(std::countl_zero(bits)));
    }

  private:
    const Diagram& d_;
    bool riga_;
    int rc_, first_, last_, parole_;
    const std::uint64_t* piene_;
    const CellaNodo* inizio_;
    std::ptrdiff_t passo_;
};

// Whether a cell of arc n lies beside the cells strictly between a and b, on either side. Along a row or
// column of the straightening's area whose lines beside it are the area's too, only their filled cells
// are read.
bool accantoDiritto(const Diagram& d, const LayoutState& s, int n, Punto a, Punto b) {
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    const LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (z.attiva && (dr == 0) != (dc == 0)) {
        const bool riga = dr == 0;
        const int linea = riga ? a.r : a.c, da = (riga ? std::min(a.c, b.c) : std::min(a.r, b.r)) + 1,
                  a_ = (riga ? std::max(a.c, b.c) : std::max(a.r, b.r)) - 1;
        if (linea - 1 >= (riga ? z.r0 : z.c0) && linea + 1 <= (riga ? z.r1 : z.c1) &&
            da >= (riga ? z.c0 : z.r0) && a_ <= (riga ? z.c1 : z.r1)) {
            for (const int lato : {linea - 1, linea + 1}) {
                const LineaArea accanto(d, z, riga, lato);
                for (int t = accanto.prossima(da); t <= a_; t = accanto.prossima(t + 1))
                    if (accanto.cella(t).Tipo == 'A' && accanto.cella(t).Numero == n) return true;
            }
            return false;
        }
    }
    for (Punto t{a.r + dr, a.c + dc}; !(t == b); t = {t.r + dr, t.c + dc})
        if (cellaDellArco(d, n, t.r + dc, t.c + dr) || cellaDellArco(d, n, t.r - dc, t.c - dr)) return true;
    return false;
}

// The straightening of a hump of an arc whose path is clean (see `percorsoPulito`): the path's cells are
// all the arc's already, so listing it stamps nothing, and rebuilding it keeps every point and renumbers
// only from the hump on. Gives what the straightening below gives; the path stays clean unless the
// straight run passes beside the arc, when the loops go as below.
bool raddrizzaPulita(Diagram& d, LayoutState& s, int n, Punto p, Punto q) {
    std::vector<Punto>& percorso = s.percorsiMemoria[n];
    // A cell of a clean path holds its place in it: a straightening leaves holes where it shortens the path
    // rather than moving the places after them. Only a straight run longer than its hump moves them on; a
    // cell whose place has moved is looked for (a clean path names it once).
    const auto trova = [&](Punto t) {
        const int i = d.TblNodo.at(t.r, t.c).Posizione - 1;
        const int fine = static_cast<int>(percorso.size());
        if (i >= 0 && i < fine && percorso[static_cast<std::size_t>(i)] == t) return i;
        return static_cast<int>(std::find(percorso.begin(), percorso.end(), t) - percorso.begin());
    };
    // The path without its holes, as the list being cleaned.
    const auto elenca = [&] {
        s.punti.clear();
        std::copy_if(percorso.begin(), percorso.end(), std::back_inserter(s.punti),
                     [](const Punto& x) { return !buco(x); });
    };
    const int i1 = trova(p), i2 = trova(q), fine = static_cast<int>(percorso.size());
    if (i1 == fine || i2 == fine) {
        elenca();
        return false;
    }
    const int lo = std::min(i1, i2), hi = std::max(i1, i2);
    const Punto a = percorso[lo], b = percorso[hi];
    // The straight run takes the hump's places, in place; the places it leaves become holes.
    const int diritto = std::max(std::abs(b.r - a.r), std::abs(b.c - a.c)) - 1, gobba = hi - lo - 1;
    // A stretch of holes is passed at once: its first place holds its length. The straightening takes
    // note of the emptied cells a run along a row or column at a time.
    Punto primo{-1, 0}, ultimo{-1, 0};
    const auto nota = [&] {
        if (primo == ultimo)
            notaCambiata(s, primo.r, primo.c, false);
        else if (primo.r == ultimo.r)
            notaFila(s, true, primo.r, std::min(primo.c, ultimo.c), std::max(primo.c, ultimo.c), false);
        else
            notaFila(s, false, primo.c, std::min(primo.r, ultimo.r), std::max(primo.r, ultimo.r), false);
    };
    for (int k = lo + 1; k < hi;) {
        Punto& t = percorso[static_cast<std::size_t>(k)];
        if (buco(t)) {
            k += t.c;
            continue;
        }
        CellaNodo& x = d.TblNodo.at(t.r, t.c);
        svuota(x);
        x.Posizione = 0;
        // t goes on the run when it lies next to its last cell, along the run's line.
        const bool segue = !buco(ultimo) && std::abs(t.r - ultimo.r) + std::abs(t.c - ultimo.c) == 1 &&
                           (primo == ultimo || (ultimo.r == primo.r ? t.r == primo.r : t.c == primo.c));
        if (!segue) {
            if (!buco(primo)) nota();
            primo = t;
        }
        ultimo = t;
        t = Punto{-1, 1};
        ++k;
    }
    if (!buco(primo)) nota();
    if (const int buchi = gobba - diritto; buchi > 0)
        percorso[static_cast<std::size_t>(hi - buchi)] = Punto{-1, buchi};
    if (diritto > gobba)
        percorso.insert(percorso.begin() + hi, static_cast<std::size_t>(diritto - gobba), Punto{});
    tracciaDiritto(d, s, a, b, n, percorso.data() + lo + 1);
    // The run's cells hold their places at once, so that a later straightening finds them; the places
    // after a longer run wait for the end.
    for (int k = lo + 1; k <= lo + diritto; ++k)
        d.TblNodo.at(percorso[static_cast<std::size_t>(k)].r, percorso[static_cast<std::size_t>(k)].c)
            .Posizione = k + 1;
    s.TracciatoCambiato = true;
    if (accantoDiritto(d, s, n, a, b)) {
        elenca();
        cancellaAnelli(d, s, n, false);
        ComponiListaCelle(d, s, n);
        segnaPulito(s, n);
        return true;
    }
    // The path was changed in place; its places from the hump on are closed and numbered later.
    s.percorsoCambiato[n] = 1;
    s.numeratoFino[n] = std::min(s.numeratoFino[n], lo + 1);
    return true;
}

// Straightens the hump of arc n between the cells p and q of one line, both of its path. False when
// either end is not on the path: the hump is then left alone.
bool raddrizzaGobba(Diagram& d, LayoutState& s, int n, Punto p, Punto q) {
    if (s.percorsiInMemoria && s.percorsoPulito[n]) return raddrizzaPulita(d, s, n, p, q);
    SplittaListacelle(d, s, n);
    int i1 = -1, i2 = -1;
    for (int i = 0; i < static_cast<int>(s.punti.size()); ++i) {
        if (s.punti[i] == p) i1 = i;
        if (s.punti[i] == q) i2 = i;
    }
    if (i1 < 0 || i2 < 0) return false;
    const int lo = std::min(i1, i2), hi = std::max(i1, i2);
    const Punto a = s.punti[lo], b = s.punti[hi];
    for (int k = lo + 1; k < hi; ++k)
        if (cellaDellArco(d, n, s.punti[k].r, s.punti[k].c)) {
            CellaNodo& x = d.TblNodo.at(s.punti[k].r, s.punti[k].c);
            svuota(x);
            x.Posizione = 0;
            notaCambiata(s, s.punti[k].r, s.punti[k].c, false);
        }
    std::vector<Punto> nuovi(s.punti.begin(), s.punti.begin() + lo + 1);
    nuovi.resize(nuovi.size() +
                 static_cast<std::size_t>(std::max(std::abs(b.r - a.r), std::abs(b.c - a.c)) - 1));
    tracciaDiritto(d, s, a, b, n, nuovi.data() + lo + 1);
    nuovi.insert(nuovi.end(), s.punti.begin() + hi, s.punti.end());
    s.punti = std::move(nuovi);
    // The straight run may pass beside another stretch of the same arc: loops it closes go.
    if (accantoDiritto(d, s, n, a, b)) cancellaAnelli(d, s, n, false);
    ComponiListaCelle(d, s, n);
    segnaPulito(s, n);
    s.TracciatoCambiato = true;
    return true;
}

// No straightening under way; the buffers are kept for the next one.
void chiudiRaddrizzatura(LayoutState::Raddrizzatura& z) {
    z.attiva = false;
    z.tavola = nullptr;
    z.r0 = z.c0 = 0;
    z.r1 = z.c1 = -1;
}

// The straightening over rows r0..r1 and columns c0..c1 begins: every line is to be scanned where the
// scan can straighten something, that is where an arc's cell follows empty cells after a cell of the same
// arc, found for every row and column in one pass over the area, which also sets the bits of the filled
// cells. The other lines would be scanned without a change, and stay so until a cell of theirs changes.
void iniziaRaddrizzatura(const Diagram& d, LayoutState& s, int r0, int r1, int c0, int c1) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    z.attiva = true;
    z.tavola = &d.TblNodo;
    z.r0 = r0;
    z.r1 = r1;
    z.c0 = c0;
    z.c1 = c1;
    // The lines of the area (none when it is empty).
    const std::size_t nr = r1 >= r0 ? static_cast<std::size_t>(r1) - static_cast<std::size_t>(r0) + 1 : 0;
    const std::size_t nc = c1 >= c0 ? static_cast<std::size_t>(c1) - static_cast<std::size_t>(c0) + 1 : 0;
    z.paroleRiga = static_cast<int>((nc + 63) / 64);
    z.paroleColonna = static_cast<int>((nr + 63) / 64);
    z.pieneRighe.assign(nr * static_cast<std::size_t>(z.paroleRiga), 0);
    z.pieneColonne.assign(nc * static_cast<std::size_t>(z.paroleColonna), 0);
    z.righe.assign(nr, {c1 + 1, -1, c1 + 1, -1, c1 + 1, -1});
    z.colonne.assign(nc, {r1 + 1, -1, r1 + 1, -1, r1 + 1, -1});
    // Per column, and for the row under way: the last crossing's or arc's number (-1 for a crossing or
    // none), whether an empty cell has come since, and the last filled place (empty cells are not read).
    struct Scansione {
        int ultimo = -1;
        bool vuote = false;
        int piena = 0;
        // The filled cell x at place t: whether it ends a hump.
        bool passo(const CellaNodo& x, int t) {
            vuote = vuote || t > piena + 1;
            piena = t;
            bool gobba = false;
            if (x.Tipo == 'A') {
                gobba = x.Numero == ultimo && vuote;
                ultimo = x.Numero;
                vuote = false;
            } else if (x.Tipo == 'I') {
                ultimo = -1;
                vuote = false;
            }
            return gobba;
        }
    };
    std::vector<Scansione> perColonna(nc, Scansione{-1, false, r0 - 1});
    for (int r = r0; r <= r1; ++r) {
        const auto i = static_cast<std::size_t>(r - r0);
        std::uint64_t* bitRiga = &z.pieneRighe[i * static_cast<std::size_t>(z.paroleRiga)];
        LayoutState::LineaRaddrizzata& riga = z.righe[i];
        Scansione perRiga{-1, false, c0 - 1};
        const bool dentro = CellTable::inside(r, c0) && CellTable::inside(r, c1);
        const CellaNodo* celle = dentro ? &d.TblNodo.at(r, c0) : nullptr;
        for (int c = c0; c <= c1; ++c) {
            const auto j = static_cast<std::size_t>(c - c0);
            const CellaNodo& x = celle ? celle[j] : cella(d, r, c);
            if (x.Tipo == 0) continue;
            bitRiga[j / 64] |= std::uint64_t{1} << (j % 64);
            z.pieneColonne[j * static_cast<std::size_t>(z.paroleColonna) + i / 64] |= std::uint64_t{1}
                                                                                      << (i % 64);
            if (perRiga.passo(x, c)) {
                riga.da = std::min(riga.da, c);
                riga.fine = c;
            }
            if (perColonna[j].passo(x, r)) {
                LayoutState::LineaRaddrizzata& colonna = z.colonne[j];
                colonna.da = std::min(colonna.da, r);
                colonna.fine = r;
            }
        }
    }
}

// The scan of a line before a place: the last crossing or arc cell before it (none: `ultimo` -1 and
// `posto` before the line), the last arc cell, and whether an empty cell lies between the last crossing
// or arc cell and the place.
struct Stato {
    int ultimo = -1;
    bool vuote = false;
    int posto = 0;
    Punto ultimaCella;
};

// The scan's state after reading places from..to, all filled, with state st before them: cells of another
// kind than an arc's or a crossing's pass as they are, and the state is the last crossing or arc cell's.
// The places are read from the end back.
void leggiPiene(const LineaArea& linea, int from, int to, Stato& st) {
    int u = to;
    for (; u >= from; --u) {
        const CellaNodo& x = linea.cella(u);
        if (x.Tipo != 'A' && x.Tipo != 'I') continue;
        st.ultimo = x.Tipo == 'A' ? x.Numero : -1;
        st.vuote = false;
        st.posto = u;
        break;
    }
    for (; u >= from; --u)
        if (linea.cella(u).Tipo == 'A') {
            st.ultimaCella = linea.punto(u);
            break;
        }
}

// The scan's state before place t, from the filled cells before it.
Stato statoPrima(const LineaArea& linea, int t) {
    Stato st;
    st.posto = linea.first() - 1;
    // Back to the last crossing or arc cell, and on to the last arc cell.
    int dopo = t;
    for (int u = linea.precedente(t); u >= linea.first(); u = linea.precedente(u)) {
        const CellaNodo& x = linea.cella(u);
        const bool vuoteDopo = dopo - u > 1;
        dopo = u;
        if (st.posto < linea.first()) {
            st.vuote = st.vuote || vuoteDopo;
            if (x.Tipo != 'A' && x.Tipo != 'I') continue;
            st.ultimo = x.Tipo == 'A' ? x.Numero : -1;
            st.posto = u;
        }
        if (x.Tipo == 'A') {
            st.ultimaCella = linea.punto(u);
            return st;
        }
    }
    if (st.posto < linea.first()) st.vuote = st.vuote || dopo > linea.first();
    return st;
}

// Scans row (or column) rc of the area, straightening every hump it meets, as a scan from the line's
// start does, and again from the start after each straightening. What it skips is what such a scan would
// meet unchanged. A hump ends at the first arc cell after empty cells: where a filled place follows an
// empty one, or where cells of other kinds follow; along filled places the scan reads only the last.
// When the line was last scanned to its end, every hump the scan could meet was tried and failed; since,
// humps can have come only where a cell has changed, between the last filled cell before it and itself.
// So a scan begins at the first changed place or failed try, and ends once past the last failed try with
// its last crossing or arc cell past every change; after a straightening it begins again at the first
// place changed since the scan began (or the hump, or a failed try), since before that it would meet
// what it met.
void scansionaLinea(Diagram& d, LayoutState& s, bool riga, int rc) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    LayoutState::LineaRaddrizzata& l =
        riga ? z.righe[static_cast<std::size_t>(rc - z.r0)] : z.colonne[static_cast<std::size_t>(rc - z.c0)];
    const LineaArea linea(d, z, riga, rc);
    const int first = linea.first(), last = linea.last();
    int inizio = std::max(first, std::min(l.da, l.tentato));
    if (inizio > last) return;
    bool ancora = true;
    int giri = 0;
    while (ancora && giri++ < 100000) {
        ancora = false;
        l.cambio = last + 1;
        l.cambioFine = -1;
        Stato st = statoPrima(linea, inizio);
        int prima = inizio - 1;  // the last place read
        for (int t = linea.prossima(inizio); t <= last;) {
            // Past the last failed try, with the last crossing or arc cell past every change: no hump is
            // left.
            if (t > l.tentatoFine && st.posto > l.fine) break;
            const CellaNodo& x = linea.cella(t);
            st.vuote = st.vuote || t > prima + 1;
            prima = t;
            if (x.Tipo == 'A') {
                if (x.Numero != st.ultimo) {
                    st.ultimo = x.Numero;
                } else if (st.vuote) {
                    if (raddrizzaGobba(d, s, x.Numero, st.ultimaCella, linea.punto(t))) {
                        ancora = true;
                        inizio = std::max(first, std::min({l.cambio, t, l.tentato}));
                        break;
                    }
                    l.tentato = std::min(l.tentato, t);
                    l.tentatoFine = std::max(l.tentatoFine, t);
                }
                st.vuote = false;
                st.posto = t;
                st.ultimaCella = linea.punto(t);
            } else if (x.Tipo == 'I') {
                st.ultimo = -1;
                st.vuote = false;
                st.posto = t;
            } else {
                t = linea.prossima(t + 1);  // another kind: the scan passes it as it is
                continue;
            }
            // The filled places that follow hold no hump: the scan goes on from their last.
            const int fine = linea.prossima(t + 1, false) - 1;
            if (fine > t) {
                leggiPiene(linea, t + 1, fine, st);
                prima = fine;
            }
            t = linea.prossima(fine + 1);
        }
        // Scanned to its end: what a try that failed has changed since the scan began again, behind it
        // too, waits for the next scan.
        if (!ancora) {
            l.da = l.cambio;
            l.fine = l.cambioFine;
        }
    }
}

}  // namespace

void RaddrizzaRigCol(Diagram& d, LayoutState& s, int minR, int maxR, int minC, int maxC, int rc, int dr,
                     int dc) {
    (void)dc;
    if (maxR < minR || maxC < minC) return;
    const bool riga = dr == 0;
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    const bool propria = !(z.attiva && z.r0 == minR && z.r1 == maxR && z.c0 == minC && z.c1 == maxC);
    if (propria) {
        iniziaRaddrizzatura(d, s, minR, maxR, minC, maxC);
        // Scanned whole, as asked.
        if (riga ? rc >= minR && rc <= maxR : rc >= minC && rc <= maxC) {
            LayoutState::LineaRaddrizzata& l = riga ? z.righe[static_cast<std::size_t>(rc - minR)]
                                                    : z.colonne[static_cast<std::size_t>(rc - minC)];
            l.da = riga ? minC : minR;
            l.fine = riga ? maxC : maxR;
        }
    }
    if (riga ? rc >= minR && rc <= maxR : rc >= minC && rc <= maxC) scansionaLinea(d, s, riga, rc);
    if (propria) {
        chiudiRaddrizzatura(z);
        numeraInSospeso(d, s);
    }
}

void RaddrizzaGobbe(Diagram& d, LayoutState& s, int arco, int minR, int maxR, int minC, int maxC) {
    (void)arco;
    if (!s.settings.ChKrAD || maxR < minR || maxC < minC) return;
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    const bool propria = !z.attiva;
    if (!z.attiva || z.r0 != minR || z.r1 != maxR || z.c0 != minC || z.c1 != maxC)
        iniziaRaddrizzatura(d, s, minR, maxR, minC, maxC);
    for (int r = minR; r <= maxR; ++r) scansionaLinea(d, s, true, r);
    for (int c = minC; c <= maxC; ++c) scansionaLinea(d, s, false, c);
    if (propria) {
        chiudiRaddrizzatura(z);
        numeraInSospeso(d, s);
    }
}

void iniziaRaddrizzature(LayoutState& s) {
    chiudiRaddrizzatura(s.raddrizzatura);
    s.raddrizzatura.attiva = true;
    s.raddrizzatura.r1 = s.raddrizzatura.c1 = -2;  // no area yet: the first pass sets it
}

void fineRaddrizzature(Diagram& d, LayoutState& s) {
    chiudiRaddrizzatura(s.raddrizzatura);
    numeraInSospeso(d, s);
}

}  // namespace trevalon
