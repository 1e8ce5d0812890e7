#include "model/drawn_structure.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/dumps.h"
#include "model/sides.h"
#include "model/structure.h"
#include "model/table_records.h"

namespace trevalon {

namespace {

struct Cell {
    int r = 0;
    int c = 0;
    bool operator==(const Cell&) const = default;
};

// What a cell of a drawing holds.
enum class Kind { Empty, Strand, CrossingH, CrossingV };  // H: horizontal strand over; V: vertical over

bool isCrossing(Kind k) {
    return k == Kind::CrossingH || k == Kind::CrossingV;
}

// One step from side s (1 top, 2 right, 3 bottom, 4 left).
constexpr std::array<int, 5> kStepRow{0, -1, 0, 1, 0};
constexpr std::array<int, 5> kStepCol{0, 0, 1, 0, -1};

Cell beside(Cell x, int side) {
    return {x.r + kStepRow[static_cast<std::size_t>(side)], x.c + kStepCol[static_cast<std::size_t>(side)]};
}

int opposite(int side) {
    return side > 2 ? side - 2 : side + 2;
}

// Rows and columns of the cell table that a walk may number.
bool inCellTable(Cell x) {
    return x.r >= 1 && x.c >= 1 && x.r <= kMaxCella && x.c <= kMaxCella;
}

// The strand passes over at side `side` of a crossing: the vertical strand (sides 1, 3) of a vertical-over
// crossing, the horizontal one (sides 2, 4) of a horizontal-over crossing.
bool overAt(Kind k, int side) {
    return (k == Kind::CrossingV) == (side % 2 == 1);
}

Failure failAt(const std::string& what, Cell x) {
    return fail("The drawing cannot be walked: " + what + " at row " + std::to_string(x.r) + ", column " +
                std::to_string(x.c) + ".");
}

Failure failWhole(const std::string& what) {
    return fail("The drawing cannot be walked: " + what + ".");
}

// The drawn symbols of the cell table.
class SymbolDrawing {
  public:
    explicit SymbolDrawing(const CellTable& t) : t_(t) {}

    Kind kind(Cell x) const {
        if (!inCellTable(x)) return Kind::Empty;
        switch (t_.at(x.r, x.c).Simbolo) {
            case '*':
                return Kind::Strand;
            case '-':
                return Kind::CrossingH;
            case '|':
                return Kind::CrossingV;
            default:
                return Kind::Empty;
        }
    }

    Result<Cell> firstCrossing() const {
        for (int r = 1; r <= kMaxCella; ++r)
            for (int c = 1; c <= kMaxCella; ++c)
                if (isCrossing(kind({r, c}))) return Cell{r, c};
        return failWhole("it has no crossing");
    }

    // The last free cell of the 3 by 3 block around cur in row-major order, else the last crossing there. A
    // crossing beside cur hides the two diagonal cells next to it; the cell the strand came from is never
    // taken again.
    Result<Cell> next(Cell prev, Cell cur) const {
        std::array<Kind, 10> k{};
        std::array<Cell, 10> at{};
        for (int p = 1; p <= 9; ++p) {
            const auto i = static_cast<std::size_t>(p);
            at[i] = {cur.r + (p - 1) / 3 - 1, cur.c + (p - 1) % 3 - 1};
            k[i] = kind(at[i]);
        }
        std::array<bool, 10> hidden{};
        hidden[5] = true;
        const auto hide = [&](std::size_t by, std::size_t a, std::size_t b) {
            if (isCrossing(k[by])) hidden[a] = hidden[b] = true;
        };
        hide(2, 1, 3);
        hide(8, 7, 9);
        hide(4, 1, 7);
        hide(6, 3, 9);
        for (std::size_t p = 9; p >= 1; --p)
            if (!hidden[p] && k[p] != Kind::Empty && !(at[p] == prev) && t_.at(at[p].r, at[p].c).Numero == 0)
                return at[p];
        for (std::size_t p = 9; p >= 1; --p)
            if (!hidden[p] && isCrossing(k[p]) && !(at[p] == prev)) return at[p];
        return failAt("the strand ends", cur);
    }

    void walked(Cell, Diagram&) const {}

    // Every crossing symbol of the table belongs to a numbered crossing.
    Status allCrossingsWalked() const {
        for (int r = 1; r <= kMaxCella; ++r)
            for (int c = 1; c <= kMaxCella; ++c)
                if (isCrossing(kind({r, c})) && t_.at(r, c).Numero == 0)
                    return failAt("a second strand has a crossing", {r, c});
        return {};
    }

  private:
    const CellTable& t_;
};

// The line codes of the cell drawing.
class CodeDrawing {
  public:
    CodeDrawing(const CellDrawing& g, const std::function<void()>& tick) : g_(g), tick_(tick) {}

    static bool inDrawing(Cell x) {
        return x.r >= 1 && x.c >= 1 && x.r <= kMaxRigheDis && x.c <= kMaxColonneDis;
    }

    Kind kind(Cell x) const {
        if (!inDrawing(x)) return Kind::Empty;
        switch (g_.at(x.r, x.c).codice) {
            case '1':
            case '2':
            case '5':
            case '6':
            case '7':
            case '8':
                return Kind::Strand;
            case '3':
                return Kind::CrossingH;
            case '4':
                return Kind::CrossingV;
            default:
                return Kind::Empty;
        }
    }

    // Outside the drawing's used box every cell is empty.
    Result<Cell> firstCrossing() const {
        const UsedArea& u = g_.usata();
        for (int r = 1; r <= kMaxRigheDis; ++r) {
            if (tick_) tick_();
            if (r < u.r0 || r > u.r1) continue;
            for (int c = std::max(u.c0, 1); c <= u.c1; ++c) {
                if (!isCrossing(kind({r, c}))) continue;
                if (!inCellTable({r, c})) return failAt("the drawing goes beyond the cell table", {r, c});
                return Cell{r, c};
            }
        }
        return failWhole("it has no crossing");
    }

    // The strand entered cur from prev; it leaves by the other side of cur's line code.
    Result<Cell> next(Cell prev, Cell cur) const {
        const int from = cur.r != prev.r ? (prev.r < cur.r ? 1 : 3) : (prev.c < cur.c ? 4 : 2);
        const std::array<int, 2> s = latiDellaForma(g_.at(cur.r, cur.c).codice - '0');
        if (s[0] != from && s[1] != from) return failAt("the line code does not fit the strand", cur);
        const Cell nx = beside(cur, s[0] == from ? s[1] : s[0]);
        if (kind(nx) == Kind::Empty) return failAt("the strand ends", cur);
        return nx;
    }

    void walked(Cell x, Diagram& d) const {
        d.TblNodo.at(x.r, x.c).Forma = static_cast<std::int8_t>(g_.at(x.r, x.c).codice - '0');
    }

    Status allCrossingsWalked(const Diagram& d) const {
        const UsedArea& u = g_.usata();
        for (int r = std::max(u.r0, 1); r <= u.r1; ++r)
            for (int c = std::max(u.c0, 1); c <= u.c1; ++c) {
                if (!isCrossing(kind({r, c}))) continue;
                if (!inCellTable({r, c})) return failAt("the drawing goes beyond the cell table", {r, c});
                if (d.TblNodo.at(r, c).Numero == 0) return failAt("a second strand has a crossing", {r, c});
            }
        return {};
    }

  private:
    const CellDrawing& g_;
    const std::function<void()>& tick_;
};

// The rows r0..r1 and columns c0..c1 of a drawing; outside them every cell is empty.
struct Riquadro {
    int r0 = 1, c0 = 1, r1 = 0, c1 = 0;
    bool dentro(Cell x) const { return x.r >= r0 && x.c >= c0 && x.r <= r1 && x.c <= c1; }
};

// A second strand with no crossing: drawn cells the walk never reached, none of which touches (among the
// eight cells around each, from cell to cell) a walked one. Cells the walk stepped past beside its own cells,
// as the corner of a diagonal step, belong to the knot. Looked for inside the box, in row-major order; the
// failure names the first cell of the first such strand.
template <class Drawing>
Status noStrandWithoutCrossing(const Drawing& drawing, const Diagram& d, const Riquadro& box) {
    const auto walked = [&](Cell x) { return inCellTable(x) && d.TblNodo.at(x.r, x.c).Tipo != 0; };
    std::vector<char> seen;
    const auto cols = static_cast<std::size_t>(box.c1) - static_cast<std::size_t>(box.c0) + 1;
    const auto index = [&](Cell x) {
        return static_cast<std::size_t>(x.r - box.r0) * cols + static_cast<std::size_t>(x.c - box.c0);
    };
    std::vector<Cell> group;
    for (int r = box.r0; r <= box.r1; ++r)
        for (int c = box.c0; c <= box.c1; ++c) {
            const Cell start{r, c};
            if (drawing.kind(start) == Kind::Empty || walked(start)) continue;
            if (seen.empty()) seen.assign(static_cast<std::size_t>(box.r1 - box.r0 + 1) * cols, 0);
            if (seen[index(start)]) continue;
            // The group of drawn cells that touch this one; it is the knot's when a walked cell is in it.
            bool ofTheKnot = false;
            group.assign(1, start);
            seen[index(start)] = 1;
            for (std::size_t k = 0; k < group.size(); ++k) {
                const Cell x = group[k];
                ofTheKnot = ofTheKnot || walked(x);
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dc = -1; dc <= 1; ++dc) {
                        const Cell y{x.r + dr, x.c + dc};
                        if (!box.dentro(y) || seen[index(y)]) continue;
                        if (drawing.kind(y) == Kind::Empty) continue;
                        seen[index(y)] = 1;
                        group.push_back(y);
                    }
            }
            if (!ofTheKnot) return failAt("a second strand with no crossing", start);
        }
    return {};
}

// "r,c|" after the path text, without a text of its own per number.
void aggiungiCella(std::string& percorso, Cell x) {
    char testo[2 * 12 + 2];
    char* fine = std::to_chars(testo, testo + 12, x.r).ptr;
    *fine++ = ',';
    fine = std::to_chars(fine, fine + 12, x.c).ptr;
    *fine++ = '|';
    percorso.append(testo, fine);
}

// Marks cell x of the cell table as walked: a cell of arc n (tipo 'A') or of crossing n (tipo 'I').
void mark(Diagram& d, Cell x, char tipo, int n) {
    CellaNodo& cell = d.TblNodo.at(x.r, x.c);
    cell.Tipo = tipo;
    cell.Numero = n;
}

// The walk shared by both drawings, stage by stage: it leaves a crossing on a new arc, walks the arc's
// strand cells up to the next crossing, and arrives there, until it comes back into crossing 1 the way it
// first left it; then every crossing must have been passed twice, and the letters are read off the sides.
template <class Drawing>
class StrandWalk {
  public:
    StrandWalk(Diagram& d, const Drawing& drawing) : d_(d), drawing_(drawing) {}

    // Numbers crossings and arcs in travel order and writes the side tables, round from crossing 1.
    Status walk() {
        d_.NumIncroci = 0;
        d_.NumArchi = 0;
        const Result<Cell> start = drawing_.firstCrossing();
        if (!start) return Failure{start.error()};
        newCrossing(*start);
        int x = 1;     // crossing the strand leaves
        int side = 3;  // side it leaves by
        for (;;) {
            const Result<Leaving> out = leave(x, side);
            if (!out) return Failure{out.error()};
            const Result<Stretch> stretch = walkArc(*out);
            if (!stretch) return Failure{stretch.error()};
            const Result<Entry> in = arrive(*out, *stretch);
            if (!in) return Failure{in.error()};
            // The strand that left crossing 1 downwards comes back into it from above: the knot is closed.
            if (in->crossing == 1 && in->side == 1) return {};
            x = in->crossing;
            side = opposite(in->side);
        }
    }

    // Every crossing passed twice, once over and once under: all four sides taken.
    Status everyCrossingPassedTwice() const {
        for (int i = 1; i <= d_.NumIncroci; ++i)
            for (int s = 1; s <= 4; ++s)
                if (d_.incroci[static_cast<std::size_t>(i)].VersoLato[static_cast<std::size_t>(s)] == 0)
                    return failAt("the strand passes the crossing only once",
                                  crossingCell_[static_cast<std::size_t>(i)]);
        return {};
    }

    // The letters, names and texts of the walked knot. The letter: "V" when the under strand leaves a
    // quarter turn clockwise from where the over strand leaves.
    void writeTexts() {
        std::string letters;
        for (int i = 1; i <= d_.NumIncroci; ++i) {
            Incrocio& c = d_.incroci[static_cast<std::size_t>(i)];
            int overSide = 0;
            int underSide = 0;
            for (int s = 1; s <= 4; ++s) {
                const auto k = static_cast<std::size_t>(s);
                if (c.VersoLato[k] != 'U') continue;
                if (c.ArcoLato[k] == c.ArcoEsceSopra) overSide = s;
                if (c.ArcoLato[k] == c.ArcoEsceSotto) underSide = s;
            }
            c.Ori = underSide == overSide % 4 + 1 ? 'V' : 'O';
            letters += c.Ori;
            d_.NomiIncroci[static_cast<std::size_t>(i)] = std::to_string(i);
        }
        d_.txtNodo = gauss_;
        d_.TxtOri = letters;
    }

  private:
    // An arc just begun: its number, the crossing it leaves (number and cell), the side it leaves by and
    // whether it leaves on the over strand.
    struct Leaving {
        int arc = 0;
        int crossing = 0;
        Cell cell;
        int side = 0;
        bool over = false;
    };
    // The arc's last strand cell and the crossing cell after it.
    struct Stretch {
        Cell last;
        Cell next;
    };
    // The crossing arrived at, and the side it is entered by.
    struct Entry {
        int crossing = 0;
        int side = 0;
    };

    int newCrossing(Cell y) {
        const int n = ++d_.NumIncroci;
        inizializzaIncr(d_, n);
        mark(d_, y, 'I', n);
        drawing_.walked(y, d_);
        d_.incroci[static_cast<std::size_t>(n)].Riga = y.r;
        d_.incroci[static_cast<std::size_t>(n)].Colonna = y.c;
        crossingCell_.push_back(y);
        return n;
    }

    // A new arc leaves crossing x at `side`.
    Result<Leaving> leave(int x, int side) {
        if (d_.NumArchi >= kMaxArchi)
            return failWhole("it has more than " + std::to_string(kMaxArchi) + " arcs");
        const int a = ++d_.NumArchi;
        InizializzaArco(d_, a);
        const Cell xCell = crossingCell_[static_cast<std::size_t>(x)];
        const Kind xKind = drawing_.kind(xCell);
        Incrocio& from = d_.incroci[static_cast<std::size_t>(x)];
        if (from.VersoLato[static_cast<std::size_t>(side)] != 0)
            return failAt("the strand passes one side of the crossing twice", xCell);
        const bool overOut = overAt(xKind, side);
        (overOut ? from.ArcoEsceSopra : from.ArcoEsceSotto) = a;
        from.ArcoLato[static_cast<std::size_t>(side)] = a;
        from.VersoLato[static_cast<std::size_t>(side)] = 'U';
        Arco& arc = d_.archi[static_cast<std::size_t>(a)];
        arc.IncrocioDa = x;
        arc.SegnoDa = overOut ? '+' : '-';
        arc.PuntiExtra = std::to_string(xCell.r) + "," + std::to_string(xCell.c);
        gauss_ += std::to_string(x);
        return Leaving{a, x, xCell, side, overOut};
    }

    // Walks the strand cells of the arc up to the next crossing.
    Result<Stretch> walkArc(const Leaving& out) {
        Arco& arc = d_.archi[static_cast<std::size_t>(out.arc)];
        Cell prev = out.cell;
        Cell cur = beside(out.cell, out.side);
        if (drawing_.kind(cur) != Kind::Strand) return failAt("the strand ends", out.cell);
        for (;;) {
            if (!inCellTable(cur)) return failAt("the strand leaves the cell table", cur);
            // Every step numbers a cell not numbered before, so a sound walk cannot take more steps.
            if (--stepsLeft_ < 0) return failAt("the strand does not close", cur);
            if (d_.TblNodo.at(cur.r, cur.c).Tipo != 0) return failAt("the strand runs into itself", cur);
            mark(d_, cur, 'A', out.arc);
            drawing_.walked(cur, d_);
            aggiungiCella(arc.Percorso, cur);
            const Result<Cell> step = drawing_.next(prev, cur);
            if (!step) return Failure{step.error()};
            if (isCrossing(drawing_.kind(*step))) return Stretch{cur, *step};
            prev = cur;
            cur = *step;
        }
    }

    // Arrives at the crossing cell after the arc's last strand cell, numbering the crossing when it is new.
    Result<Entry> arrive(const Leaving& out, const Stretch& stretch) {
        const Cell cur = stretch.last, nx = stretch.next;
        if (std::abs(nx.r - cur.r) + std::abs(nx.c - cur.c) != 1)
            return failAt("the strand meets a crossing from a corner", nx);
        if (!inCellTable(nx)) return failAt("the strand leaves the cell table", nx);
        const Kind yKind = drawing_.kind(nx);
        int y = d_.TblNodo.at(nx.r, nx.c).Numero;
        if (y == 0) {
            if (d_.NumIncroci >= kMaxIncrociDisegno)
                return failWhole("it has more than " + std::to_string(kMaxIncrociDisegno) + " crossings");
            y = newCrossing(nx);
        }
        const int e = cur.r != nx.r ? (cur.r < nx.r ? 1 : 3) : (cur.c < nx.c ? 4 : 2);
        Incrocio& to = d_.incroci[static_cast<std::size_t>(y)];
        if (to.VersoLato[static_cast<std::size_t>(e)] != 0)
            return failAt("the strand passes one side of the crossing twice", nx);
        Arco& arc = d_.archi[static_cast<std::size_t>(out.arc)];
        arc.IncrocioA = y;
        arc.RigaFine = cur.r;
        arc.ColFine = cur.c;
        const int c0 = out.crossing;
        const bool overIn = overAt(yKind, e);
        if (overIn) {
            to.PrecSopra = c0;
            to.ArcoEntraSopra = out.arc;
        } else {
            to.PrecSotto = c0;
            to.ArcoEntraSotto = out.arc;
        }
        gauss_ += overIn ? '+' : '-';
        to.ArcoLato[static_cast<std::size_t>(e)] = out.arc;
        to.IncrocioLato[static_cast<std::size_t>(e)] = c0;
        to.VersoLato[static_cast<std::size_t>(e)] = 'E';
        Incrocio& left = d_.incroci[static_cast<std::size_t>(c0)];
        left.IncrocioLato[static_cast<std::size_t>(out.side)] = y;
        (out.over ? left.SuccSopra : left.SuccSotto) = y;
        arc.SegnoA = overIn ? '+' : '-';
        return Entry{y, e};
    }

    Diagram& d_;
    const Drawing& drawing_;
    std::vector<Cell> crossingCell_{Cell{}};  // by crossing number; index 0 unused
    std::string gauss_;
    long long stepsLeft_ = static_cast<long long>(CellTable::kSize) * CellTable::kSize;
};

// The walk of either drawing; `finalCheck` looks for crossing cells the walk did not reach.
template <class Drawing, class FinalCheck>
Status walkStrand(Diagram& d, const Drawing& drawing, const FinalCheck& finalCheck) {
    StrandWalk<Drawing> walk(d, drawing);
    if (Status s = walk.walk(); !s) return s;
    if (Status s = walk.everyCrossingPassedTwice(); !s) return s;
    if (Status s = finalCheck(); !s) return s;
    walk.writeTexts();
    return {};
}

}  // namespace

Status GeneraStrutturaDaDisegno(Diagram& d) {
    const SymbolDrawing drawing(d.TblNodo);
    return walkStrand(d, drawing, [&]() -> Status {
        if (Status s = drawing.allCrossingsWalked(); !s) return s;
        return noStrandWithoutCrossing(drawing, d, Riquadro{1, 1, kMaxCella, kMaxCella});
    });
}

Status GeneraStrutturaDaTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick) {
    const CodeDrawing drawing(tblGen, tick);
    return walkStrand(d, drawing, [&]() -> Status {
        if (Status s = drawing.allCrossingsWalked(d); !s) return s;
        // Only the drawing's used box holds drawn cells.
        const UsedArea& u = tblGen.usata();
        if (u.empty()) return {};
        return noStrandWithoutCrossing(
            drawing, d,
            Riquadro{std::max(u.r0, 1), std::max(u.c0, 1), std::min(u.r1, kMaxRigheDis),
                     std::min(u.c1, kMaxColonneDis)});
    });
}

void SettaTblNodoDaTab(Diagram& d) {
    // A fresh table is empty already.
    if (d.TblNodo.intatta()) return;
    for (int r = 1; r < d.NumRighe && r < CellTable::kSize; ++r)
        for (int c = 1; c < d.NumColonne && c < CellTable::kSize; ++c) {
            CellaNodo& cella = d.TblNodo.at(r, c);
            cella.Tipo = 0;
            cella.Simbolo = 0;
            cella.setVicini("");
            cella.Numero = 0;
            cella.Forma = 0;
        }
}

Status PercorriTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick) {
    d.NumRighe = kRigheDisegnato;
    d.NumColonne = kColonneDisegnato;
    // In a fresh table the walked cells are the only ones, and they lie in the drawing's used box.
    const bool fresca = d.TblNodo.intatta();
    SettaTblNodoDaTab(d);
    if (Status walked = GeneraStrutturaDaTblGen(d, tblGen, tick); !walked) return walked;
    // The extent of the walked cells; their line codes are those of the drawing.
    LimitiNodo l;
    l.RigaMin = 9999;
    l.RigaMax = 0;
    l.ColMin = 9999;
    l.ColMax = 0;
    const int righe = std::min(CellDrawing::kRows, CellTable::kSize);
    const int colonne = std::min(CellDrawing::kCols, CellTable::kSize);
    const UsedArea u = fresca ? tblGen.usata() : UsedArea{0, righe - 1, 0, colonne - 1};
    for (int r = std::max(u.r0, 1); r < righe && r <= u.r1; ++r)
        for (int c = std::max(u.c0, 1); c < colonne && c <= u.c1; ++c) {
            CellaNodo& cella = d.TblNodo.at(r, c);
            if (cella.Tipo != 'A' && cella.Tipo != 'I') continue;
            const char k = tblGen.at(r, c).codice;
            cella.Forma = static_cast<std::int8_t>(k >= '0' && k <= '8' ? k - '0' : 0);
            l.RigaMin = std::min(l.RigaMin, r);
            l.RigaMax = std::max(l.RigaMax, r);
            l.ColMin = std::min(l.ColMin, c);
            l.ColMax = std::max(l.ColMax, c);
        }
    d.limiti = l;
    return {};
}

Status DerivaStrutturaDisegnata(Diagram& d, const ModelSettings& settings, bool cammini) {
    // `GeneradatblGen` sets `ModoGen` "I" before anything is built: every dump of the rebuild says so.
    const ModelSettings s = conModoGen(settings, GenMode::CellDrawing);
    // The walk's dumps (StampaIncroci's letters are the walk's own already).
    StampaArchi(d, s);
    StampaIncroci(d, s);
    Status esito = cammini ? Cmdgecare_Click(d, s) : CmDConvertiGemelli_Click(d, s);
    if (esito && !cammini) esito = CmdGrafoReg_Click(d, s);
    if (!esito) return fail("The structure of the drawing cannot be derived: " + esito.error());
    return {};
}

Status StrutturaDaTblGen(Diagram& d, const CellDrawing& tblGen, const std::function<void()>& tick,
                         bool cammini, const ModelSettings& settings) {
    if (Status walked = PercorriTblGen(d, tblGen, tick); !walked) return walked;
    return DerivaStrutturaDisegnata(d, settings, cammini);
}

}  // namespace trevalon
