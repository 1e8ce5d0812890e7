#include "connsum/join.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "connsum/split.h"
#include "connsum/sub_knot.h"

namespace trevalon {
namespace {

struct Cella {
    int r = 0, c = 0;
    bool operator==(const Cella&) const = default;
};

// Row and column step of a heading (1 up, 2 right, 3 down, 4 left).
Cella vicino(Cella x, int h) {
    switch (h) {
        case 1:
            return {x.r - 1, x.c};
        case 2:
            return {x.r, x.c + 1};
        case 3:
            return {x.r + 1, x.c};
        default:
            return {x.r, x.c - 1};
    }
}

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

}  // namespace trevalon
