#include "connsum/join.h"

#include <algorithm>
#include <optional>
#include <queue>
#include <tuple>
#include <vector>

#include "connsum/cell_sides.h"
#include "connsum/sub_knot.h"

namespace trevalon {
namespace {

using lati::Cella;
using lati::codiceLati;
using lati::raggiunge;
using lati::vicino;

int giro(int h) {
    return ((h - 1) % 4 + 4) % 4 + 1;
}

// The box `l` clamped to the cell table: the only cells the join reads as free or writes.
class Riquadro {
  public:
    explicit Riquadro(const LimitiNodo& l)
        : r0_(std::max(0, l.RigaMin)),
          r1_(std::min(kMaxCella, l.RigaMax)),
          c0_(std::max(0, l.ColMin)),
          c1_(std::min(kMaxCella, l.ColMax)) {}
    bool vuoto() const { return r0_ > r1_ || c0_ > c1_; }
    bool dentro(Cella x) const { return x.r >= r0_ && x.r <= r1_ && x.c >= c0_ && x.c <= c1_; }
    long celle() const { return vuoto() ? 0 : long{r1_ - r0_ + 1} * (c1_ - c0_ + 1); }
    std::size_t indice(Cella x) const {
        return static_cast<std::size_t>(x.r - r0_) * static_cast<std::size_t>(c1_ - c0_ + 1) +
               static_cast<std::size_t>(x.c - c0_);
    }
    Cella cella(std::size_t i) const {
        const int larghezza = c1_ - c0_ + 1;
        const auto w = static_cast<std::size_t>(larghezza);
        return {r0_ + static_cast<int>(i / w), c0_ + static_cast<int>(i % w)};
    }
    // The first cell marked `mark`, rows outside and columns inside.
    std::optional<Cella> cerca(const CellTable& t, std::string_view mark) const {
        for (int r = r0_; r <= r1_; ++r)
            for (int c = c0_; c <= c1_; ++c)
                if (t.at(r, c).Vicini() == mark) return Cella{r, c};
        return std::nullopt;
    }

  private:
    int r0_, r1_, c0_, c1_;
};

// One walk along the obstacles from `start`, turning by t after each move; the visited cells in order
// up to the "II2" cell. Free cells are the empty ones inside the box; the start cell is free too once the
// first walk has blanked it (`startLibero`). Nothing when every heading is refused or the bound is reached.
std::optional<std::vector<Cella>> cammina(const CellTable& t, const Riquadro& box, Cella start, int h0,
                                          int turno, bool startLibero) {
    std::vector<Cella> percorso{start};
    const long limite = 4 * box.celle();
    Cella cur = start;
    int h = h0;
    for (long passi = 0; passi < limite; ++passi) {
        bool mosso = false;
        for (int k = 0; k < 4 && !mosso; ++k) {
            h = giro(h + turno);
            const Cella n = vicino(cur, h);
            if (!box.dentro(n)) continue;
            const CellaNodo& x = t.at(n.r, n.c);
            if (x.Vicini() == "II2") {
                percorso.push_back(n);
                return percorso;
            }
            const bool libero = x.Forma == 0 || (startLibero && n == start && x.Tipo != 'I');
            if (libero) {
                percorso.push_back(n);
                cur = n;
                h = Opposto(h);
                mosso = true;
            }
        }
        if (!mosso) return std::nullopt;
    }
    return std::nullopt;
}

// Loop erasure: from each kept cell the path goes on after the last visit of that cell.
std::vector<Cella> senzaAnelli(const std::vector<Cella>& p, const Riquadro& box) {
    std::vector<int> ultimo(static_cast<std::size_t>(box.celle()), -1);
    for (std::size_t i = 0; i < p.size(); ++i) ultimo[box.indice(p[i])] = static_cast<int>(i);
    std::vector<Cella> out;
    for (std::size_t i = 0; i < p.size(); i = static_cast<std::size_t>(ultimo[box.indice(p[i])]) + 1)
        out.push_back(p[i]);
    return out;
}

// Shortcuts: a cell beside an earlier cell of the path (other than the one before it) drops the cells in
// between. What is left of the path is a stack: a shortcut always drops its latest cells.
std::vector<Cella> scorciatoie(const std::vector<Cella>& p, const Riquadro& box) {
    std::vector<int> posizione(static_cast<std::size_t>(box.celle()), 0);
    std::vector<int> tenute;  // positions 1.. still on the path, ascending
    for (int i = 1; i <= static_cast<int>(p.size()); ++i) {
        const Cella x = p[static_cast<std::size_t>(i - 1)];
        posizione[box.indice(x)] = i;
        tenute.push_back(i);
        for (int h : {1, 3, 4, 2}) {
            const Cella n = vicino(x, h);
            if (!box.dentro(n)) continue;
            const int q = posizione[box.indice(n)];
            if (q == 0 || i - q <= 1) continue;
            tenute.pop_back();
            while (!tenute.empty() && tenute.back() > q) {
                posizione[box.indice(p[static_cast<std::size_t>(tenute.back() - 1)])] = 0;
                tenute.pop_back();
            }
            tenute.push_back(i);
        }
    }
    std::vector<Cella> out;
    out.reserve(tenute.size());
    for (int i : tenute) out.push_back(p[static_cast<std::size_t>(i - 1)]);
    return out;
}

// The line code of a written cell from its side neighbours: the last of the pairs up-down (1),
// left-right (2), up-left (5), up-right (6), right-down (7), down-left (8) whose two neighbours join.
int codiceDaVicini(const CellTable& t, const Riquadro& box, Cella x) {
    const int numero = t.at(x.r, x.c).Numero;
    const auto unisce = [&](int h, bool secondaRegola) {
        const Cella n = vicino(x, h);
        if (!box.dentro(n)) return false;
        const CellaNodo& v = t.at(n.r, n.c);
        if (v.Tipo == 'A' && v.Numero == numero) return true;
        return secondaRegola ? v.Numero == kArcoIncrocioAperto : v.Tipo == 'I';
    };
    static constexpr int coppie[6][3] = {{1, 3, 1}, {4, 2, 2}, {1, 4, 5}, {1, 2, 6}, {2, 3, 7}, {3, 4, 8}};
    for (bool seconda : {false, true}) {
        int codice = 0;
        for (const auto& cp : coppie)
            if (unisce(cp[0], seconda) && unisce(cp[1], seconda)) codice = cp[2];
        if (codice != 0) return codice;
    }
    return 0;
}

}  // namespace

bool CollegaEstremiIC(Diagram& d, const LimitiNodo& l) {
    const Riquadro box(l);
    if (box.vuoto()) return false;
    CellTable& t = d.TblNodo;
    const std::optional<Cella> start = box.cerca(t, "II1");
    if (!start || !box.cerca(t, "II2")) return false;

    // The start heading points at the strand the start cell belongs to: a crossing beside it, else an arc
    // cell, looked for left, right, up, down with the last found kept.
    int h0 = 0;
    for (char tipo : {'I', 'A'}) {
        for (int h : {4, 2, 1, 3}) {
            const Cella n = vicino(*start, h);
            if (box.dentro(n) && t.at(n.r, n.c).Tipo == tipo) h0 = h;
        }
        if (h0 != 0) break;
    }
    if (h0 == 0) h0 = 1;  // an end beside no strand: any heading will do

    const std::optional<std::vector<Cella>> primo = cammina(t, box, *start, h0, +1, false);
    if (!primo) return false;
    const bool startIncrocio = t.at(start->r, start->c).Tipo == 'I';
    const std::optional<std::vector<Cella>> secondo = cammina(t, box, *start, h0, -1, !startIncrocio);
    if (!secondo) return false;
    const std::vector<Cella> p1 = senzaAnelli(*primo, box);
    const std::vector<Cella> p2 = senzaAnelli(*secondo, box);
    const std::vector<Cella> percorso = scorciatoie(p1.size() < p2.size() ? p1 : p2, box);

    for (Cella x : percorso) {
        CellaNodo& c = t.at(x.r, x.c);
        if (c.Tipo == 'I') continue;
        c.Tipo = 'A';
        c.Numero = kArcoCongiunzione;
    }
    for (Cella x : percorso) {
        const int codice = codiceDaVicini(t, box, x);
        CellaNodo& c = t.at(x.r, x.c);
        c.Forma = static_cast<std::int8_t>(codice);
        c.setVicini("III");
    }
    return true;
}

namespace {

// The side of a cut end towards its own strand, other than the side `escluso`: a crossing beside it, else
// a strand cell whose line reaches it.
int latoFilo(const CellTable& t, const Riquadro& box, Cella x, int escluso) {
    for (char tipo : {'I', 'A'})
        for (int h : {4, 2, 1, 3}) {
            if (h == escluso) continue;
            const Cella n = vicino(x, h);
            if (!box.dentro(n)) continue;
            const CellaNodo& v = t.at(n.r, n.c);
            if (v.Tipo == tipo && v.Numero != kArcoCongiunzione && raggiunge(v.Forma, Opposto(h))) return h;
        }
    return 0;
}

}  // namespace

bool CollegaEstremiScavalcando(Diagram& d, const LimitiNodo& l, Scavalco passa) {
    const Riquadro box(l);
    if (box.vuoto()) return false;
    CellTable& t = d.TblNodo;
    const std::optional<Cella> start = box.cerca(t, "II1");
    const std::optional<Cella> fine = box.cerca(t, "II2");
    if (!start || !fine) return false;

    // Cheapest path over states (cell, heading it was entered with): a free cell costs 1, a strand crossed
    // costs 4, so that the summand gets as few new crossings as the way allows. A crossed strand cell is
    // left straight on, into a free cell or the far end; the start is not left into a crossing.
    constexpr int kCostoIncrocio = 4;
    const auto stato = [&](Cella x, int h) { return box.indice(x) * 5 + static_cast<std::size_t>(h); };
    const std::size_t nessuno = static_cast<std::size_t>(box.celle()) * 5;
    std::vector<int> costo(nessuno, -1);
    std::vector<std::size_t> prima(nessuno, nessuno);
    const auto libera = [&](Cella x) {
        const CellaNodo& c = t.at(x.r, x.c);
        return c.Forma == 0 && c.Tipo != 'I' && c.Vicini().empty();
    };
    // A straight strand cell of the summand across the heading h.
    const auto attraversabile = [&](Cella x, int h) {
        const CellaNodo& c = t.at(x.r, x.c);
        if (c.Tipo != 'A' || c.Numero == kArcoCongiunzione || c.Vicini().starts_with("II")) return false;
        if (c.Forma != (h == 2 || h == 4 ? 1 : 2)) return false;
        // A crossing needs a strand cell on each side of it along the strand crossed: no crossing beside.
        for (int lato : {giro(h + 1), giro(h - 1)}) {
            const Cella v = vicino(x, lato);
            if (!box.dentro(v)) return false;
            const CellaNodo& w = t.at(v.r, v.c);
            if (w.Tipo == 'I' || w.Forma == 3 || w.Forma == 4) return false;
        }
        return true;
    };
    struct Voce {
        int costo;
        std::size_t stato;
        Cella cella;
        int h;
        bool operator>(const Voce& o) const { return std::tie(costo, stato) > std::tie(o.costo, o.stato); }
    };
    std::priority_queue<Voce, std::vector<Voce>, std::greater<>> coda;
    costo[stato(*start, 0)] = 0;
    coda.push({0, stato(*start, 0), *start, 0});
    std::optional<Voce> arrivo;
    while (!coda.empty()) {
        const Voce v = coda.top();
        coda.pop();
        if (v.costo != costo[v.stato]) continue;
        if (v.cella == *fine) {
            arrivo = v;
            break;
        }
        const bool inizio = v.cella == *start;
        const bool suIncrocio = !inizio && !libera(v.cella);
        for (int nh = 1; nh <= 4; ++nh) {
            if (suIncrocio && nh != v.h) continue;
            const Cella y = vicino(v.cella, nh);
            if (!box.dentro(y)) continue;
            int passo = 0;
            if (y == *fine || libera(y))
                passo = 1;
            else if (!suIncrocio && !inizio && attraversabile(y, nh))
                passo = kCostoIncrocio;
            else
                continue;
            const std::size_t sy = stato(y, nh);
            if (costo[sy] != -1 && costo[sy] <= v.costo + passo) continue;
            costo[sy] = v.costo + passo;
            prima[sy] = v.stato;
            coda.push({v.costo + passo, sy, y, nh});
        }
    }
    if (!arrivo) return false;

    // The path's cells from the start, each with the heading it was entered with.
    std::vector<std::pair<Cella, int>> percorso;
    for (std::size_t st = arrivo->stato; st != nessuno; st = prima[st])
        percorso.emplace_back(box.cella(st / 5), static_cast<int>(st % 5));
    std::reverse(percorso.begin(), percorso.end());
    if (percorso.size() < 2) return false;

    // Written: the free cells as a strand numbered 5555 through the sides it comes from and goes to, the
    // strands crossed as crossings with the new strand over (or under) them, the two ends as strand cells
    // from their own strand to the path.
    const std::size_t ultimo = percorso.size() - 1;
    // The heading each cell is left by (the next cell's entering heading); none for the last.
    std::vector<int> uscite(percorso.size(), 0);
    for (std::size_t i = 1; i < percorso.size(); ++i) uscite[i - 1] = percorso[i].second;
    std::vector<int> codici(percorso.size(), 0);
    for (std::size_t i = 0; i < percorso.size(); ++i) {
        const Cella x = percorso[i].first;
        const int entrata = i > 0 ? Opposto(percorso[i].second) : 0;
        const int uscita = uscite[i];
        if (i == 0)
            codici[i] = codiceLati(uscita, latoFilo(t, box, x, uscita));
        else if (i == ultimo)
            codici[i] = codiceLati(entrata, latoFilo(t, box, x, entrata));
        else if (t.at(x.r, x.c).Forma != 0)
            // 3: the horizontal strand over, 4: the vertical one; the new strand runs along its heading.
            codici[i] =
                (percorso[i].second == 2 || percorso[i].second == 4) == (passa == Scavalco::Sopra) ? 3 : 4;
        else
            codici[i] = codiceLati(entrata, uscita);
        if (codici[i] == 0) return false;
    }
    for (std::size_t i = 0; i < percorso.size(); ++i) {
        CellaNodo& c = t.at(percorso[i].first.r, percorso[i].first.c);
        c.Tipo = codici[i] == 3 || codici[i] == 4 ? 'I' : 'A';
        c.Numero = kArcoCongiunzione;
        c.Forma = static_cast<std::int8_t>(codici[i]);
        c.setVicini("III");
    }
    return true;
}

}  // namespace trevalon
