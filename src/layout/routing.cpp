#include "layout/routing.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/cell_lists.h"
#include "layout/corner_flipping.h"
#include "layout/developer_hook.h"
#include "layout/path_text.h"
#include "layout/routing_dump.h"

namespace trevalon {

namespace {

// The headings a border walk on heading h tries, in turn: a right turn, straight on, a left turn, back.
constexpr int kTentativi[5][4] = {{}, {2, 1, 4, 3}, {3, 2, 1, 4}, {4, 3, 2, 1}, {1, 4, 3, 2}};
// A step on heading h as a distance between cells of the cell table, stored row after row.
constexpr std::ptrdiff_t kScostamento[5] = {0, -CellTable::kSize, 1, CellTable::kSize, -1};

// The heading a border walk on heading h takes from a cell whose free neighbours are the bits of m (bit
// k - 1 for heading k): the first of kTentativi[h] that is free, 0 when none is.
constexpr auto kScelta = [] {
    std::array<std::array<int, 16>, 5> t{};
    for (int h = 1; h <= 4; ++h)
        for (unsigned m = 0; m < 16; ++m)
            for (const int nd : kTentativi[h])
                if ((m >> (nd - 1)) & 1u) {
                    t[h][m] = nd;
                    break;
                }
    return t;
}();

// The characters of a number as text.
std::size_t cifre(int v) {
    if (v >= 0 && v < 10000) return 1u + (v >= 10) + (v >= 100) + (v >= 1000);  // every cell of the table
    std::size_t n = v < 0 ? 2 : 1;
    for (unsigned x = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v); x >= 10; x /= 10) ++n;
    return n;
}

std::size_t lunghezzaVoce(Punto p) {
    return cifre(p.r) + cifre(p.c) + 3;
}

// Whether cell b can be reached from cell a through cells free for the arc (a itself need not be free);
// true without looking when no one will read the reason it is asked for.
// Both are flooded from in turn, a run of free cells along a row at a time (each run is marked whole, so
// a run's first cell tells whether a side has it), so the answer costs about the smaller of their two
// areas: a route shut in a small pocket is answered without flooding the space around the drawing.
bool raggiungibile(const Diagram& d, LayoutState& s, int arco, Punto a, Punto b) {
    if (a == b || !s.motiviCompleti) return true;
    if (!liberaPerArco(d, arco, b.r, b.c)) return false;
    auto& marca = s.marcheRaggiungibile;
    auto libera = [&](int r, int c) { return liberaPerArco(d, arco, r, c); };
    struct Tratto {
        int r, c0, c1;
    };
    std::vector<Tratto> segnati;
    std::vector<Punto> semi[2];
    // From a not free, its free neighbours.
    if (libera(a.r, a.c)) {
        semi[0].push_back(a);
    } else {
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            if (libera(a.r + dr, a.c + dc)) semi[0].push_back({a.r + dr, a.c + dc});
        }
    }
    semi[1].push_back(b);
    bool trovato = false, finito = false;
    while (!trovato && !finito) {
        for (int lato = 0; lato < 2 && !trovato && !finito; ++lato) {
            std::vector<Punto>& f = semi[lato];
            if (f.empty()) {
                finito = true;  // one side is a pocket that the other does not reach
                break;
            }
            const Punto p = f.back();
            f.pop_back();
            const std::uint8_t mia = static_cast<std::uint8_t>(lato + 1);
            if (const std::uint8_t m = marca.at(p.r, p.c); m != 0) {
                trovato = m != mia;
                continue;
            }
            // The run of p, unmarked as p is.
            int c0 = p.c;
            int c1 = c0;
            while (libera(p.r, c0 - 1)) --c0;
            while (libera(p.r, c1 + 1)) ++c1;
            std::fill(&marca.at(p.r, c0), &marca.at(p.r, c1) + 1, mia);
            segnati.push_back({p.r, c0, c1});
            // One seed for each run of the rows above and below that touches it.
            for (const int r : {p.r - 1, p.r + 1})
                for (int c = c0; c <= c1 && !trovato; ++c) {
                    if (!libera(r, c)) continue;
                    const std::uint8_t m = marca.at(r, c);
                    if (m == 0)
                        f.push_back({r, c});
                    else
                        trovato = m != mia;
                    while (c + 1 <= c1 && libera(r, c + 1)) ++c;
                }
        }
    }
    for (const Tratto& t : segnati) std::fill(&marca.at(t.r, t.c0), &marca.at(t.r, t.c1) + 1, 0);
    return trovato;
}

// Whether a border route has its loops removed as it is walked (`PercorsoSenzaAnelli`): a path kept in
// memory, which no developer aid looks at, outside the tidying.
bool senzaAnelliInCammino(const LayoutState& s) {
    return s.percorsiInMemoria && !s.hook && !s.raddrizzatura.attiva;
}

// The loop removal of `ListaCelle` done while a border route is walked, for a route whose path is kept in
// memory: the cells are given in the order `ListaCelle` lists them (the two extra cells, then the walk),
// and what is left after the last one is what listing them, stamping them and removing loops leaves. A
// walk drops few of its cells this way, so the table is written once, for the cells kept, instead of
// stamping every listed cell and reading them all again.
class PercorsoSenzaAnelli {
  public:
    // The point list, which the route replaces, lends its room.
    PercorsoSenzaAnelli(Diagram& d, LayoutState& s, int arco) : d_(d), s_(s), arco_(arco) {
        tenuti_.swap(s_.punti);
        tenuti_.clear();
    }
    PercorsoSenzaAnelli(const PercorsoSenzaAnelli&) = delete;
    PercorsoSenzaAnelli& operator=(const PercorsoSenzaAnelli&) = delete;
    ~PercorsoSenzaAnelli() {
        // Every kept cell lies in the table (`aggiungi` keeps no other), so clearing the marks throws
        // nothing; a destructor lets nothing out all the same.
        try {
            for (const Punto& p : tenuti_) segna(p, false);
        } catch (...) {
        }
    }

    // The next listed cell; libera when it is known to be free for the arc, and then muri holds the bits
    // (bit h - 1 for heading h) of neighbours known not to be free.
    void aggiungi(Punto p, bool libera, unsigned muri = 0) {
        if (!CellTable::inside(p.r, p.c)) return;
        if (haUltimo_ && p == ultimo_) return;  // `ListaCelle` lists a cell once where it repeats
        ultimo_ = p;
        haUltimo_ = true;
        if (!libera && !diventaDellArco(p)) return;
        if (tenuta(p)) {
            tronca(posto(p) + 1);
            return;
        }
        // The earliest place kept beside p. The cell the walk comes from is the last kept, which never
        // counts. Off the table's border ring, a cell not free for the arc is not the arc's either, and so
        // never kept.
        if (!(p.r >= 2 && p.c >= 2 && p.r <= kMaxCella - 2 && p.c <= kMaxCella - 2)) {
            muri = 0;
        } else if (!tenuti_.empty() && (accantoTenute(p) & ~muri & ~versoDi(p, tenuti_.back())) == 0) {
            // No kept cell beside p but the last: nothing to drop (most steps of a walk).
            tenuti_.push_back(p);
            segna(p, true);
            return;
        }
        std::size_t minimo = tenuti_.size();
        for (int dir = 1; dir <= 4 && !tenuti_.empty(); ++dir) {
            if (muri & (1u << (dir - 1))) continue;
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (CellTable::inside(q.r, q.c) && !(q == tenuti_.back()) && tenuta(q))
                minimo = std::min(minimo, posto(q));
        }
        if (minimo + 1 < tenuti_.size()) tronca(minimo + 1);
        tenuti_.push_back(p);
        segna(p, true);
    }

    // The cells kept become the arc's, numbered by their places, and those dropped are emptied; the cells
    // are noted as written, and the kept ones become the point list (the corner flipping writes it as the
    // buffer and the arc's path).
    void chiudi(const Punto (&extra)[2]) {
        for (const Punto& p : tolti_)
            if (!tenuta(p) && diventaDellArco(p)) {
                CellaNodo& x = d_.TblNodo.at(p.r, p.c);
                svuota(x);
                x.Posizione = 0;
            }
        for (std::size_t i = 0; i < tenuti_.size(); ++i) {
            const Punto p = tenuti_[i];
            segna(p, false);
            CellaNodo& x = d_.TblNodo.at(p.r, p.c);
            x.Tipo = 'A';
            x.Numero = arco_;
            x.Posizione = static_cast<int>(i) + 1;
        }
        // Every cell listed is kept or dropped: noted, they are the cells a listing would have noted.
        tolti_.insert(tolti_.end(), std::begin(extra), std::end(extra));
        NotaAreaScritta(s_, tolti_);
        NotaAreaScritta(s_, tenuti_);
        s_.punti = std::move(tenuti_);
        tenuti_.clear();
        s_.tick();
    }

  private:
    // A listed cell that the listing stamps, or that is the arc's already.
    bool diventaDellArco(Punto p) const {
        return liberaPerArco(d_, arco_, p.r, p.c) || cellaDellArco(d_, arco_, p.r, p.c);
    }
    void tronca(std::size_t n) {
        while (tenuti_.size() > n) {
            const Punto p = tenuti_.back();
            segna(p, false);
            tolti_.push_back(p);
            tenuti_.pop_back();
        }
    }
    // The kept cells are marked in a table of one bit a cell, small enough to stay in the cache; a kept
    // cell's place is looked for from the end. A walk meets a kept cell other than the one it comes from
    // only where it drops the cells after it, so that look costs about the cells dropped.
    bool tenuta(Punto p) const { return (s_.celleTenute.at(p.r, p.c / 64) >> (p.c % 64)) & 1u; }
    // The kept cells beside p, bit h - 1 for heading h; p is two cells or more from the table's edge.
    unsigned accantoTenute(Punto p) const {
        return static_cast<unsigned>(tenuta({p.r - 1, p.c})) |
               static_cast<unsigned>(tenuta({p.r, p.c + 1})) << 1 |
               static_cast<unsigned>(tenuta({p.r + 1, p.c})) << 2 |
               static_cast<unsigned>(tenuta({p.r, p.c - 1})) << 3;
    }
    // The bit of the heading from p to q when q is beside p, else 0.
    static unsigned versoDi(Punto p, Punto q) {
        const int dr = q.r - p.r, dc = q.c - p.c;
        if (dc == 0 && (dr == -1 || dr == 1)) return dr < 0 ? 1u : 4u;
        if (dr == 0 && (dc == -1 || dc == 1)) return dc > 0 ? 2u : 8u;
        return 0u;
    }
    void segna(Punto p, bool tenuta) {
        std::uint64_t& parola = s_.celleTenute.at(p.r, p.c / 64);
        const std::uint64_t bit = std::uint64_t{1} << (p.c % 64);
        parola = tenuta ? parola | bit : parola & ~bit;
    }
    std::size_t posto(Punto p) const {
        std::size_t i = tenuti_.size();
        while (!(tenuti_[i - 1] == p)) --i;
        return i - 1;
    }

    Diagram& d_;
    LayoutState& s_;
    const int arco_;
    std::vector<Punto> tenuti_, tolti_;
    Punto ultimo_;
    bool haUltimo_ = false;
};

}  // namespace

Status PercorriBordo(const Diagram& d, LayoutState& s) {
    s.PuntiBordo.clear();
    s.BufferPunti.clear();
    s.bufferChars = 0;
    s.strettoiaRighe.clear();
    s.strettoiaColonne.clear();
    const CellTable& tavola = d.TblNodo;  // read only
    const int rmin = d.limiti.RigaMin;
    if (rmin < 1 || rmin > kMaxCella) {
        return fail("the cell table is empty: there is no border to walk");
    }
    int c0 = 0;
    for (int c = 1; c <= kMaxCella && c0 == 0; ++c)
        if (tavola.at(rmin, c).Tipo != 0) c0 = c;
    const Punto start{rmin - 1, c0 - 1};
    if (c0 == 0 || start.r < 0 || start.c < 0) {
        return fail("the drawing touches the edge of the cell table");
    }
    auto fuori = [](Punto p) { return p.r < 0 || p.c < 0 || p.r > kMaxCella || p.c > kMaxCella; };
    Punto p = start;
    int dir = 2;
    const long maxPassi = 4L * CellTable::kSize * CellTable::kSize;
    for (long passo = 0;; ++passo) {
        if (passo > maxPassi) {
            return fail("the border walk does not come back to its start");
        }
        int dr = 0, dc = 0;
        passoDi(dir, dr, dc);
        p = {p.r + dr, p.c + dc};
        if (p == start) return {};
        int rr = 0, rc = 0;
        passoDi(giraDestra(dir), rr, rc);
        const Punto vicino{p.r + rr, p.c + rc}, lontano{p.r + 2 * rr, p.c + 2 * rc};
        if (fuori(p) || fuori(vicino) || fuori(lontano)) {
            return fail("the border walk leaves the cell table");
        }
        const CellaNodo& v = tavola.at(vicino.r, vicino.c);
        const CellaNodo& l = tavola.at(lontano.r, lontano.c);
        if (v.Tipo == 'A' && l.Tipo == 'I')
            s.PuntiBordo.push_back({vicino.r, vicino.c, lontano.r, lontano.c, v.Numero, l.Numero});
        // Two cells from the table's edge, every neighbour is inside: read by its distance in the table.
        if (p.r >= 2 && p.c >= 2 && p.r <= kMaxCella - 2 && p.c <= kMaxCella - 2) {
            const CellaNodo* qui = &tavola.at(p.r, p.c);
            int scelta = 0;
            for (const int nd : kTentativi[dir])
                if (qui[kScostamento[nd]].Tipo == 0) {
                    scelta = nd;
                    break;
                }
            if (scelta == 0) return fail("the border walk is shut in");
            dir = scelta;
            continue;
        }
        bool trovato = false;
        for (int k : {1, 0, -1, -2}) {
            const int nd = ruota(dir, k);
            passoDi(nd, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (fuori(q)) {
                return fail("the border walk leaves the cell table");
            }
            if (tavola.at(q.r, q.c).Tipo == 0) {
                dir = nd;
                trovato = true;
                break;
            }
        }
        if (!trovato) {
            return fail("the border walk is shut in");
        }
    }
}

namespace {

// The pairs of DisegnaArchi routed; the paths kept as points meanwhile unless a developer aid may look at
// them as text.
Status disegnaCoppie(Diagram& d, LayoutState& s) {
    while (!s.PuntiBordo.empty()) {
        auto& pb = s.PuntiBordo;
        for (std::size_t k = 1; k < pb.size(); ++k) {
            if (pb[k].NumeroArco == -1 || pb[k].NumeroArco != pb[k - 1].NumeroArco) continue;
            if (auto percorso = TracciaPercorso(d, s, pb[k - 1], pb[k]); !percorso) return percorso;
            if (s.hook) s.hook->visCostruzione(d, s, std::to_string(pb[k].NumeroArco) + " ", false);
            pb[k - 1].NumeroArco = -1;
            pb[k].NumeroArco = -1;
        }
        std::vector<PuntoBordo> rimasti;
        for (const PuntoBordo& p : pb)
            if (p.NumeroArco != -1) rimasti.push_back(p);
        if (rimasti.size() == pb.size()) {
            std::string arcs;
            for (const PuntoBordo& p : rimasti) arcs += std::to_string(p.NumeroArco) + ",";
            if (s.dump.active()) scriviErroreBordo(s.dump, arcs, s.grigliaPrincipale);
            return fail("no two end cells of one arc follow each other on the border: " + arcs);
        }
        pb = std::move(rimasti);
    }
    return {};
}

}  // namespace

Status DisegnaArchi(Diagram& d, LayoutState& s) {
    if (s.hook || s.percorsiInMemoria) return disegnaCoppie(d, s);
    tieniPercorsiInMemoria(s);
    try {
        Status fatto = disegnaCoppie(d, s);
        if (fatto && s.percorsiPerAssestare)
            consegnaPercorsiInSospeso(d, s);
        else if (fatto || s.percorsiDiFallimento)
            scriviPercorsiInSospeso(d, s);
        else
            scartaPercorsiInSospeso(d, s);
        return fatto;
    } catch (...) {
        scriviPercorsiInSospeso(d, s);
        throw;
    }
}

Status TracciaPercorso(Diagram& d, LayoutState& s, const PuntoBordo& p1, const PuntoBordo& p2) {
    const int a = p1.NumeroArco;
    const int r1 = p1.RigaArco, c1 = p1.ColArco, r2 = p2.RigaArco, c2 = p2.ColArco;
    auto provaL = [&](bool orizzontalePrima) {
        s.BufferPunti.clear();
        s.bufferChars = 0;
        if (orizzontalePrima)
            return ListaPunti(d, s, a, r1, c1, r1, c2) && ListaPunti(d, s, a, r1, c2, r2, c2);
        return ListaPunti(d, s, a, r1, c1, r2, c1) && ListaPunti(d, s, a, r2, c1, r2, c2);
    };
    const bool laterale = r1 == p1.RigaInc;
    if (provaL(laterale) || provaL(!laterale)) {
        NotaAreaScritta(s, s.BufferPunti);
    } else if (auto bordo = ListaPuntiBordo(d, s, a, r1, c1, r2, c2, p1.RigaInc, p1.ColInc); !bordo) {
        return bordo;
    } else if (senzaAnelliInCammino(s)) {
        // Every cell of a border route whose loops went as it was walked is the arc's already.
        s.tick();
        return {};
    }
    // A border route has noted its cells already: those it walked, and those its corners flipped to.
    PuntiPercorso(d, s, a);
    return {};
}

bool ListaPunti(const Diagram& d, LayoutState& s, int arco, int r1, int c1, int r2, int c2) {
    int dir = 3;
    if (r1 == r2) dir = c1 > c2 ? 4 : 2;
    if (c1 == c2) dir = r1 > r2 ? 1 : 3;
    if (r1 != r2 && c1 != c2) return false;
    int dr = 0, dc = 0;
    passoDi(dir, dr, dc);
    for (Punto p{r1, c1};; p = {p.r + dr, p.c + dc}) {
        if (!liberaPerArco(d, arco, p.r, p.c)) return false;
        s.BufferPunti.push_back(p);
        s.bufferChars += lunghezzaVoce(p) - 1;
        if (p == Punto{r2, c2}) return true;
    }
}

Status ListaPuntiBordo(Diagram& d, LayoutState& s, int arco, int r1, int c1, int rf, int cf, int ri, int ci) {
    s.tick();
    int d0 = 1;
    if (r1 == ri) d0 = c1 > ci ? 2 : 4;
    if (c1 == ci) d0 = r1 > ri ? 3 : 1;
    s.BufferPunti.clear();
    s.bufferChars = 0;
    Punto p{r1, c1};
    int dir = d0;
    const Punto fine{rf, cf};
    bool inStrettoia = false;
    // The crossing's stub and the cell beyond it, listed before the route.
    int dr0 = 0, dc0 = 0;
    passoDi(d0, dr0, dc0);
    const Punto extra[2] = {{ri + dr0, ci + dc0}, {ri + 2 * dr0, ci + 2 * dc0}};
    // A path kept in memory has its loops removed as the route is walked; a developer aid may look at the
    // whole walk.
    std::optional<PercorsoSenzaAnelli> senzaAnelli;
    if (senzaAnelliInCammino(s)) {
        senzaAnelli.emplace(d, s, arco);
        senzaAnelli->aggiungi(extra[0], false);
        senzaAnelli->aggiungi(extra[1], false);
    }
    // The neighbours of q free for the arc (liberaPerArco), bit h - 1 for heading h; away from the table's
    // border ring, read from q's place in the table without bounds checks. Each cell of the walk is read
    // once: the cells its next step chooses among are the ones that told whether it is a narrow passage.
    const CellTable& tavola = d.TblNodo;
    auto libera = [arco](const CellaNodo& x) { return x.Tipo == 0 || (x.Tipo == 'A' && x.Numero == arco); };
    auto viciniLiberi = [&](Punto q) {
        if (q.r > 1 && q.c > 1 && q.r < kMaxCella - 1 && q.c < kMaxCella - 1) {
            const CellaNodo* x = &tavola.at(q.r, q.c);
            return static_cast<unsigned>(libera(x[kScostamento[1]])) |
                   static_cast<unsigned>(libera(x[kScostamento[2]])) << 1 |
                   static_cast<unsigned>(libera(x[kScostamento[3]])) << 2 |
                   static_cast<unsigned>(libera(x[kScostamento[4]])) << 3;
        }
        unsigned m = 0;
        for (int nd = 1; nd <= 4; ++nd) {
            int dr = 0, dc = 0;
            passoDi(nd, dr, dc);
            if (liberaPerArco(d, arco, q.r + dr, q.c + dc)) m |= 1u << (nd - 1);
        }
        return m;
    };
    // The walk is a function of its cell and heading, so a walk that meets a cell and heading again goes
    // round the same circuit for ever, and never reaches its end. Found by comparing with the place kept
    // at each power of two of steps: by then the circuit has been walked whole at least once, so every
    // passage it fills has been noted, and walking on to the length limit would only note them again.
    Punto tenuto = p;
    int direzioneTenuta = dir;
    long passiDaTenuto = 0, prossimaTenuta = 1;
    unsigned liberi = viciniLiberi(p);
    while (!(p == fine)) {
        const int scelta = kScelta[dir][liberi];
        if (scelta == 0) {
            s.BufferPunti.clear();
            s.bufferChars = 0;
            return fail("the route of arc " + std::to_string(arco) + " cannot leave its start cell");
        }
        int dr = 0, dc = 0;
        passoDi(scelta, dr, dc);
        p = {p.r + dr, p.c + dc};
        liberi = viciniLiberi(p);
        // A passage one cell wide, walled on both sides: this route fills it. Noted where it is entered.
        const int destra = giraDestra(scelta), sinistra = giraSinistra(scelta);
        const bool destraLibera = (liberi >> (destra - 1)) & 1u,
                   sinistraLibera = (liberi >> (sinistra - 1)) & 1u;
        const bool stretto = !destraLibera && !sinistraLibera;
        if (stretto && !inStrettoia) {
            if (dr != 0)
                s.strettoiaColonne.push_back(p.c);
            else
                s.strettoiaRighe.push_back(p.r);
        }
        inStrettoia = stretto;
        if (senzaAnelli)
            senzaAnelli->aggiungi(p, true, ~liberi & 0xFu);
        else
            s.BufferPunti.push_back(p);
        s.bufferChars += lunghezzaVoce(p);
        const bool inTondo =
            p == tenuto && scelta == direzioneTenuta && !(p == Punto{r1, c1} && scelta == d0);
        if (++passiDaTenuto == prossimaTenuta) {
            tenuto = p;
            direzioneTenuta = scelta;
            passiDaTenuto = 0;
            prossimaTenuta *= 2;
        }
        if (s.bufferChars > s.maxCaratteriPercorso || inTondo) {
            // Shut in, or only a walk that follows every wall on its way to an end that can be reached.
            const std::string perche = raggiungibile(d, s, arco, p, fine)
                                           ? ""
                                           : ": routes laid before it have shut its other end in";
            return fail("the route of arc " + std::to_string(arco) + " is too long" + perche);
        }
        dir = scelta;
        // Back on the start cell with the start heading: the walk goes round for ever.
        if (p == Punto{r1, c1} && dir == d0) {
            s.BufferPunti.clear();
            s.bufferChars = 0;
            return fail("the other end of arc " + std::to_string(arco) + " cannot be reached");
        }
    }
    Arco& a = d.archi[arco];
    // While the paths are kept as points, the listing below writes this one there.
    if (!s.percorsiInMemoria) a.Percorso = scriviVociPercorso(s.BufferPunti);
    a.PuntiExtra = "|" + std::to_string(extra[0].r) + "," + std::to_string(extra[0].c) + ",|" +
                   std::to_string(extra[1].r) + "," + std::to_string(extra[1].c) + ",|";
    if (senzaAnelli) {
        senzaAnelli->chiudi(extra);
    } else {
        std::vector<Punto> voci{extra[0], extra[1]};
        voci.insert(voci.end(), s.BufferPunti.begin(), s.BufferPunti.end());
        NotaAreaScritta(s, voci);
        ListaCelle(d, s, arco, voci, false);
    }
    InvertiAngoloElencato(d, s, arco, rf, cf, senzaAnelli.has_value());
    a.RigaFine = rf;
    a.ColFine = cf;
    return {};
}

void PuntiPercorso(Diagram& d, const LayoutState& s, int arco) {
    s.tick();
    for (const Punto& p : s.BufferPunti)
        if (liberaPerArco(d, arco, p.r, p.c)) {
            CellaNodo& x = d.TblNodo.at(p.r, p.c);
            x.Tipo = 'A';
            x.Numero = arco;
        }
}

}  // namespace trevalon
