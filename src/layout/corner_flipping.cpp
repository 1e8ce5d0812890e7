#include "layout/corner_flipping.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/cell_lists.h"
#include "layout/developer_hook.h"
#include "layout/path_text.h"

namespace trevalon {

namespace {

// A box of cells, rows r0..r1 by columns c0..c1; empty when r0 > r1.
struct Riquadro {
    int r0 = 0, r1 = -1, c0 = 0, c1 = -1;
    bool tocca(const Riquadro& x) const { return r0 <= x.r1 && r1 >= x.r0 && c0 <= x.c1 && c1 >= x.c0; }
    void unisci(const Riquadro& x) {
        if (x.r0 > x.r1) return;
        if (r0 > r1) {
            *this = x;
            return;
        }
        r0 = std::min(r0, x.r0);
        r1 = std::max(r1, x.r1);
        c0 = std::min(c0, x.c0);
        c1 = std::max(c1, x.c1);
    }
};

// A corner tried that could not flip: its place, the last point it read and a box of the cells it read.
struct Lettura {
    int posto = 0, ultimoPunto = 0;
    Riquadro letto;
};

// The tries at one arc's corners, pass after pass: what the last try left, to begin the next one where a
// change since may have made a corner flip. The changes of every arc's tries, in order, are shared.
struct RipresaAngoli {
    bool valida = false;  // `letture` holds every corner of the path that reads cells, as the last try ended
    std::vector<Lettura> letture;
    std::size_t visti = 0;  // the changes made before the last try ended
    std::vector<Riquadro>* cambiati = nullptr;
};

// The first place from which a try at the corners recorded in r may flip one: that of the first corner
// whose read cells a change since has touched; past the path's end (n) for none.
int primoToccato(const RipresaAngoli& r, int n) {
    Riquadro tutto;
    for (const Lettura& l : r.letture) tutto.unisci(l.letto);
    std::vector<Riquadro> vicini;
    for (std::size_t k = r.visti; k < r.cambiati->size(); ++k)
        if (tutto.tocca((*r.cambiati)[k])) vicini.push_back((*r.cambiati)[k]);
    if (vicini.empty()) return n;
    for (const Lettura& l : r.letture)
        for (const Riquadro& t : vicini)
            if (l.letto.tocca(t)) return l.posto;
    return n;
}

// The leg of the corner at place i of the point list, towards the places before it (verso -1) or after it
// (+1), heading (dr, dc): how far the path runs straight from the corner through cells of the arc (all
// its points are, when puntiDellArco).
int gamba(const Diagram& d, const LayoutState& s, int arco, int i, int verso, int dr, int dc,
          bool puntiDellArco) {
    const Punto c = s.punti[i];
    const int n = static_cast<int>(s.punti.size());
    int l = 0;
    for (int k = i + verso; k >= 0 && k < n; k += verso) {
        const Punto t{c.r + (l + 1) * dr, c.c + (l + 1) * dc};
        if (!(s.punti[k] == t) || (!puntiDellArco && !cellaDellArco(d, arco, t.r, t.c))) break;
        ++l;
    }
    return l;
}

// Whether the points at places primo..ultimo lie beside no cell of the arc but their neighbours in the
// point list.
bool gambeIsolate(const Diagram& d, const LayoutState& s, int arco, int primo, int ultimo) {
    const int n = static_cast<int>(s.punti.size());
    for (int k = primo; k <= ultimo; ++k)
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{s.punti[k].r + dr, s.punti[k].c + dc};
            if (!cellaDellArco(d, arco, q.r, q.c) || (k > 0 && q == s.punti[k - 1]) ||
                (k + 1 < n && q == s.punti[k + 1]))
                continue;
            return false;
        }
    return true;
}

// A corner of the point list, at place i, and what a flip of it reads and writes: its legs (how far the
// path runs straight from it) towards the places before and after it, l1 and l2, with headings (d1r,
// d1c) and (d2r, d2c); the legs' far ends a and b; the rectangle's fourth corner c2; and x and z, the
// cells beyond the new legs' ends, which must be crossings or the arc's.
struct Angolo {
    int i = 0;
    int l1 = 0, l2 = 0;
    int d1r = 0, d1c = 0, d2r = 0, d2c = 0;
    Punto c, a, b, c2, x, z;
    // The rectangle of c and c2, which holds both the old legs and the new ones.
    Riquadro rettangolo() const {
        return {std::min(c.r, c2.r), std::max(c.r, c2.r), std::min(c.c, c2.c), std::max(c.c, c2.c)};
    }
};

// The flipping of one arc's corners, pass after pass, until a pass flips none.
//
// After a flip whose loops went, the path has none: its points are distinct cells of the arc, numbered
// by their places, and each lies beside no other point but its neighbours in the path. The path is then
// s.punti, and a later flip whose new legs keep that is a flip whose loop removal would keep every point:
// its points are kept as they are and only the new legs numbered. A path just listed is such a path
// already.
//
// The corners before `da_` were tried since the last flip that kept the path's points, or before it,
// and none can flip: for those that read cells, the last point they read and the box of those cells are
// in `letture_`. A flip that changes neither the points nor the cells one of them read leaves it as it
// was, so the next try begins at the first corner it may have changed. A try over the passes of the
// tidying begins where the last one left its corners: the path has not changed since, and the corners
// before the first whose read cells another arc has changed since cannot flip.
class InversioneAngoli {
  public:
    InversioneAngoli(Diagram& d, LayoutState& s, int arco, Punto fine, bool segnala, bool appenaElencato,
                     bool daScrivere, RipresaAngoli* ripresa)
        : d_(d),
          s_(s),
          arco_(arco),
          fine_(fine),
          mostra_(segnala && s.hook),
          ripresa_(mostra_ ? nullptr : ripresa),
          letture_(ripresa_ ? ripresa_->letture : proprie_),
          riprende_(ripresa_ && ripresa_->valida),
          senzaAnelli_(appenaElencato),
          daScrivere_(daScrivere) {
        if (ripresa_) ripresa_->valida = false;
    }

    void esegui() {
        bool finito = false;
        for (int giri = 0; giri < 100000; ++giri) {
            const bool ripresa = riprende_ && giri == 0;
            if (!senzaAnelli_ || mostra_) elencaPercorso(ripresa);
            const int n = static_cast<int>(s_.punti.size());
            if (ripresa) riprendi(n);
            if (!giraUnAngolo(n)) {
                finito = true;
                break;
            }
        }
        concludi(finito);
    }

  private:
    // The point list read from the path again, every corner to be tried (unless the try resumes the last
    // one, whose readings stand).
    void elencaPercorso(bool tieniLetture) {
        da_ = 1;
        if (!tieniLetture) letture_.clear();
        s_.punti.clear();
        for (const Punto& p : puntiPercorso(d_, s_, arco_)) {
            if (!s_.punti.empty() && s_.punti.back() == p) continue;
            s_.punti.push_back(p);
            if (mostra_) s_.hook->marcaCella(d_, p.r, p.c, "L");
        }
    }

    // The try begins at the first corner of the last one that a change since may have made flip.
    void riprendi(int n) {
        da_ = std::max(1, primoToccato(*ripresa_, n));
        while (!letture_.empty() && letture_.back().posto >= da_) letture_.pop_back();
    }

    // Tries the corners from `da_` on and flips the first that can flip; false when none can.
    bool giraUnAngolo(int n) {
        // Without loops every point is a cell of the arc: the legs need not read the table.
        const bool puntiDellArco = senzaAnelli_ && !mostra_;
        for (int i = da_; i + 1 < n; ++i) {
            const std::optional<Angolo> angolo = leggiAngolo(i, puntiDellArco);
            if (!angolo || !girabile(*angolo)) continue;
            gira(*angolo);
            s_.TracciatoCambiato = true;
            return true;
        }
        return false;
    }

    // The corner at place i with its legs, noted among the readings; none where the path does not turn
    // there by single steps.
    std::optional<Angolo> leggiAngolo(int i, bool puntiDellArco) {
        const Punto prev = s_.punti[i - 1], c = s_.punti[i], next = s_.punti[i + 1];
        if ((prev.r == c.r && c.r == next.r) || (prev.c == c.c && c.c == next.c)) return std::nullopt;
        Angolo g;
        g.i = i;
        g.c = c;
        g.d1r = prev.r - c.r;
        g.d1c = prev.c - c.c;
        g.d2r = next.r - c.r;
        g.d2c = next.c - c.c;
        if (std::abs(g.d1r) + std::abs(g.d1c) != 1 || std::abs(g.d2r) + std::abs(g.d2c) != 1)
            return std::nullopt;
        // The legs: as far as the path runs straight from the corner.
        g.l1 = gamba(d_, s_, arco_, i, -1, g.d1r, g.d1c, puntiDellArco);
        g.l2 = gamba(d_, s_, arco_, i, +1, g.d2r, g.d2c, puntiDellArco);
        g.a = {c.r + g.l1 * g.d1r, c.c + g.l1 * g.d1c};
        g.b = {c.r + g.l2 * g.d2r, c.c + g.l2 * g.d2c};
        g.c2 = g.d1r != 0 ? Punto{g.a.r, g.b.c} : Punto{g.b.r, g.a.c};
        g.x = {g.a.r - g.d2r, g.a.c - g.d2c};
        g.z = {g.b.r - g.d1r, g.b.c - g.d1c};
        // Read: the legs and one cell beyond each, x, z and the rectangle of c and c2, all within the box
        // of these.
        Lettura l{i, i + g.l2 + 1, {c.r, c.r, c.c, c.c}};
        for (const Punto t :
             {Punto{g.a.r + g.d1r, g.a.c + g.d1c}, Punto{g.b.r + g.d2r, g.b.c + g.d2c}, g.x, g.z, g.c2})
            l.letto.unisci({t.r, t.r, t.c, t.c});
        letture_.push_back(l);
        return g;
    }

    // Whether the corner can flip: both legs long, the new legs' far sides closed by a crossing, the arc
    // or the arc's end, and the rectangle free for the arc.
    bool girabile(const Angolo& g) const {
        if (g.l1 == 0 || g.l2 == 0) return false;
        const bool ok1 = tipoDi(d_, g.x.r, g.x.c) == 'I' || cellaDellArco(d_, arco_, g.x.r, g.x.c) ||
                         Punto{g.b.r + g.d1r, g.b.c + g.d1c} == fine_;
        const bool ok2 = tipoDi(d_, g.z.r, g.z.c) == 'I' || cellaDellArco(d_, arco_, g.z.r, g.z.c) ||
                         Punto{g.a.r + g.d2r, g.a.c + g.d2c} == fine_;
        return ok1 && ok2 && VerificaRettangoloVuoto(d_, arco_, g.c.r, g.c.c, g.c2.r, g.c2.c);
    }

    // The flip: the old legs go and the new ones come within the rectangle of c and c2; then the path
    // either keeps its points or loses the loops the new legs close.
    void gira(const Angolo& g) {
        const Riquadro rettangolo = g.rettangolo();
        if (ripresa_) ripresa_->cambiati->push_back(rettangolo);
        for (int k = g.i - g.l1; k <= g.i + g.l2; ++k) {
            CellaNodo& y = d_.TblNodo.at(s_.punti[k].r, s_.punti[k].c);
            svuota(y);
            y.Posizione = 0;
            if (mostra_) s_.hook->marcaCella(d_, s_.punti[k].r, s_.punti[k].c, "E");
        }
        if (scriviGambe(g))
            tieniPunti(g, rettangolo);
        else
            togliAnelli();
    }

    // The new legs take the old legs' places: the path keeps its length. Whether the path stays without
    // loops: no new leg's cell was the arc's already, and none lies beside the arc but its neighbours.
    bool scriviGambe(const Angolo& g) {
        int nuovo = g.i - g.l1;
        bool restaSenzaAnelli = senzaAnelli_ && !mostra_;
        auto scrivi = [&](Punto t, const char* segno) {
            CellaNodo& y = d_.TblNodo.at(t.r, t.c);
            if (y.Tipo == 'A' && y.Numero == arco_) restaSenzaAnelli = false;  // a cell the path holds
            y.Tipo = 'A';
            y.Numero = arco_;
            NotaCellaScritta(s_, t);
            s_.punti[static_cast<std::size_t>(nuovo++)] = t;
            if (mostra_) s_.hook->marcaCella(d_, t.r, t.c, segno);
        };
        for (int k = 0; k <= g.l2; ++k) scrivi({g.a.r + k * g.d2r, g.a.c + k * g.d2c}, "N");
        for (int k = 1; k <= g.l1; ++k) scrivi({g.c2.r - k * g.d1r, g.c2.c - k * g.d1c}, "P");
        return restaSenzaAnelli && gambeIsolate(d_, s_, arco_, g.i - g.l1, g.i + g.l2);
    }

    // A flip that kept the path without loops: the new legs numbered, and the next try begun at the first
    // corner the flip may have changed.
    void tieniPunti(const Angolo& g, const Riquadro& rettangolo) {
        const int primo = g.i - g.l1, ultimo = g.i + g.l2;  // the new legs' places
        for (int k = primo; k <= ultimo; ++k) d_.TblNodo.at(s_.punti[k].r, s_.punti[k].c).Posizione = k + 1;
        // Written as the buffer and the path once the flips are over: until then only the point list is
        // read.
        daScrivere_ = true;
        // The points from the old legs on and the cells of the rectangle of c and c2 have changed; the
        // path keeps its length.
        da_ = std::max(1, primo - 1);
        for (const Lettura& l : letture_)
            if (l.posto < da_ && (l.ultimoPunto >= primo || l.letto.tocca(rettangolo))) {
                da_ = l.posto;
                break;
            }
        while (!letture_.empty() && letture_.back().posto >= da_) letture_.pop_back();
    }

    // The new legs may run beside another stretch of the same arc: loops they close go, with cells of the
    // points listed, and every corner is tried again.
    void togliAnelli() {
        if (ripresa_) {
            Riquadro lista;
            for (const Punto& p : s_.punti) lista.unisci({p.r, p.r, p.c, p.c});
            ripresa_->cambiati->push_back(lista);
        }
        cancellaAnelli(d_, s_, arco_, false);
        ComponiListaCelle(d_, s_, arco_);
        daScrivere_ = false;
        senzaAnelli_ = true;
        da_ = 1;
        letture_.clear();
    }

    // What the next try resumes from, and the list written as the path when it was left unwritten.
    void concludi(bool finito) {
        if (ripresa_) {
            ripresa_->valida = finito;
            ripresa_->visti = ripresa_->cambiati->size();
        }
        if (daScrivere_) {
            s_.BufferPunti = s_.punti;
            scriviPercorso(d_, s_, arco_, s_.BufferPunti);
        }
    }

    Diagram& d_;
    LayoutState& s_;
    const int arco_;
    const Punto fine_;  // the arc's end cell
    const bool mostra_;
    RipresaAngoli* const ripresa_;
    std::vector<Lettura> proprie_;  // the readings of a try that resumes nothing
    std::vector<Lettura>& letture_;
    const bool riprende_;
    bool senzaAnelli_;
    bool daScrivere_;
    int da_ = 1;
};

void invertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala, bool appenaElencato,
                   bool daScrivere = false, RipresaAngoli* ripresa = nullptr) {
    if (!arcoValido(arco)) return;
    InversioneAngoli(d, s, arco, Punto{rf, cf}, segnala, appenaElencato, daScrivere, ripresa).esegui();
}

}  // namespace

void InvertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala) {
    invertiAngolo(d, s, arco, rf, cf, segnala, false);
}

void InvertiAngoliTutti(Diagram& d, LayoutState& s, int segnalato) {
    std::vector<Riquadro> cambiati;
    std::vector<RipresaAngoli> riprese(static_cast<std::size_t>(std::max(0, d.NumArchi)) + 1);
    for (RipresaAngoli& r : riprese) r.cambiati = &cambiati;
    for (int giri = 0; giri < 10000; ++giri) {
        s.TracciatoCambiato = false;
        for (int i = 1; i <= d.NumArchi; ++i)
            invertiAngolo(d, s, i, d.archi[i].RigaFine, d.archi[i].ColFine, i == segnalato, false, false,
                          &riprese[static_cast<std::size_t>(i)]);
        if (!s.TracciatoCambiato) break;
    }
}

void InvertiAngoloElencato(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool daScrivere) {
    invertiAngolo(d, s, arco, rf, cf, false, true, daScrivere);
}

}  // namespace trevalon
