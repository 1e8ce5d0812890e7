#include "celldraw/redraw_move3.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_drawing_rows.h"
#include "celldraw/redraw_dumps.h"
#include "layout/palette.h"
#include "model/sides.h"

namespace trevalon {

namespace {

// The side of b that a faces (a and b beside each other), 0 otherwise.
int latoVerso(PuntoDis da, PuntoDis a) {
    for (int s = 1; s <= 4; ++s)
        if (accanto(da, s) == a) return s;
    return 0;
}

std::string cella(PuntoDis p) {
    return std::to_string(p.r) + "," + std::to_string(p.c);
}

// Work marks kept in `Marca` while the drawing is reshaped: rows and columns move, the marks move with
// their cells.
constexpr std::int32_t kMarcaInizio = 1;
constexpr std::int32_t kMarcaFine = 2;
constexpr std::int32_t kMarcaPercorso = 3;
constexpr std::int32_t kMarcaNuovoIncrocio = 100;  // + position along the route, 1..n

bool dentro(const CellDrawing& g, int r, int c) {
    return r >= 1 && c >= 1 && r <= g.lastRow() && c <= g.lastCol();
}

// The cells of the extent in rows-then-columns order, passed to f with the cell until it returns false.
template <class F>
void perOgniCella(const CellDrawing& g, F&& f) {
    const LimitiDis& l = g.limiti;
    const int c0 = std::max(l.ColMin, 1), c1 = std::min(l.ColMax, g.lastCol());
    for (int r = std::max(l.RigaMin, 1); r <= std::min(l.RigaMax, g.lastRow()); ++r) {
        const CellaDis* riga = g.riga(r);
        for (int c = c0; c <= c1; ++c)
            if (!f(PuntoDis{r, c}, riga[c])) return;
    }
}

std::optional<PuntoDis> cercaMarca(const CellDrawing& g, std::int32_t marca) {
    std::optional<PuntoDis> trovata;
    perOgniCella(g, [&](PuntoDis p, const CellaDis& x) {
        if (x.Marca == marca) trovata = p;
        return !trovata;
    });
    return trovata;
}

// The first cell of each mark 1..massimo (index 0 unused), in one scan of the extent.
std::vector<std::optional<PuntoDis>> cercaMarche(const CellDrawing& g, std::int32_t massimo) {
    std::vector<std::optional<PuntoDis>> trovate(static_cast<std::size_t>(massimo) + 1);
    perOgniCella(g, [&](PuntoDis p, const CellaDis& x) {
        const std::int32_t m = x.Marca;
        if (m >= 1 && m <= massimo && !trovate[static_cast<std::size_t>(m)])
            trovate[static_cast<std::size_t>(m)] = p;
        return true;
    });
    return trovate;
}

void azzeraMarche(CellDrawing& g) {
    const LimitiDis& l = g.limiti;
    const int c0 = std::max(l.ColMin, 1), c1 = std::min(l.ColMax, g.lastCol());
    if (c0 > c1) return;
    for (int r = std::max(l.RigaMin, 1); r <= std::min(l.RigaMax, g.lastRow()); ++r) {
        CellaDis* riga = g.riga(r, c0, c1);
        for (int c = c0; c <= c1; ++c) riga[c].Marca = 0;
    }
}

// A strand followed from a crossing cell: the strand cells in order, the crossings it goes straight
// through with the heading it had there, and the crossing where it stops.
struct Tratto {
    std::vector<PuntoDis> celle;
    std::vector<std::pair<PuntoDis, int>> incroci;
    PuntoDis fine;
    int latoFine = 0;  // the side of the last crossing that the strand enters by
};

// Follows the strand that leaves crossing cell `da` by side `lato`, straight through crossings, until it
// has passed one crossing per key of `attese` (the key of each crossing given by `chiave`), the last one
// being where it stops. Nothing when the strand breaks off, meets another crossing or runs longer than
// the drawing holds cells.
std::optional<Tratto> seguiTratto(const CellDrawing& g, PuntoDis da, int lato, const std::vector<int>& attese,
                                  const std::function<int(const CellaDis&)>& chiave) {
    if (attese.empty()) return std::nullopt;
    const LimitiDis& l = g.limiti;
    const long massimo = 2L * (l.RigaMax - l.RigaMin + 3) * (l.ColMax - l.ColMin + 3) + 8;
    Tratto t;
    int verso = lato;
    PuntoDis p = accanto(da, verso);
    for (long passi = 0; passi < massimo; ++passi) {
        if (!dentro(g, p.r, p.c)) return std::nullopt;
        const CellaDis& x = g.at(p.r, p.c);
        if (codiceIncrocio(x.codice)) {
            if (chiave(x) != attese[t.incroci.size()]) return std::nullopt;
            if (t.incroci.size() + 1 == attese.size()) {
                t.fine = p;
                t.latoFine = opposto(verso);
                return t;
            }
            t.incroci.emplace_back(p, verso);
        } else if (codiceTratto(x.codice)) {
            const int entrata = opposto(verso);
            if (!codiceEsce(x.codice, entrata)) return std::nullopt;
            int uscita = 0;
            for (int s = 1; s <= 4; ++s)
                if (s != entrata && codiceEsce(x.codice, s)) uscita = s;
            verso = uscita;
            t.celle.push_back(p);
        } else {
            return std::nullopt;
        }
        p = accanto(p, verso);
    }
    return std::nullopt;
}

// The regions of the diagram as patches of empty cells: every 4-connected patch of empty cells inside a
// box gets the region that all the arcs around it have on one side.
class Facce {
  public:
    Facce(const CellDrawing& g, int r0, int r1, int c0, int c1)
        : r0_(r0),
          c0_(c0),
          righe_(r1 - r0 + 1),
          colonne_(c1 - c0 + 1),
          faccia_(static_cast<std::size_t>(righe_) * static_cast<std::size_t>(colonne_), kLibera) {
        // Each cell of the box: -2 when it is not empty, -1 while it is an empty cell in no patch yet.
        if (r0 <= r1 && c0 <= c1) {
            // Refused, as reading it cell by cell, when the box leaves the drawing.
            if (!g.inside(r0, c0)) (void)g.at(r0, c0);
            if (!g.inside(r1, c1)) (void)g.at(r1, c1);
        }
        for (int r = r0; r <= r1; ++r) {
            const CellaDis* riga = g.riga(r);
            int* f = faccia_.data() + indice({r, c0});
            for (int c = c0; c <= c1; ++c, ++f)
                if (riga[c].codice != 0 && riga[c].codice != '0') *f = kPiena;
        }
        std::vector<PuntoDis> coda;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                if (faccia_[indice({r, c})] == kLibera) toppa(g, {r, c}, coda);
        assegna();
    }

    bool nelRiquadro(PuntoDis p) const {
        return p.r >= r0_ && p.c >= c0_ && p.r < r0_ + righe_ && p.c < c0_ + colonne_;
    }
    // The region of the empty cell p, 0 when p is not an empty cell of the box or its patch has no
    // region of its own.
    int regione(PuntoDis p) const {
        if (!nelRiquadro(p)) return 0;
        const int f = faccia_[indice(p)];
        return f < 0 ? 0 : regione_[static_cast<std::size_t>(f)];
    }
    const std::string& errore() const { return errore_; }
    // The box of the cells of region reg (empty when no patch has it).
    LimitiDis riquadro(int reg) const {
        for (std::size_t f = 0; f < regione_.size(); ++f)
            if (regione_[f] == reg) return riquadri_[f];
        return {};
    }

  private:
    struct Candidate {
        bool viste = false;
        std::array<int, 2> reg{};
        int n = 0;
        void interseca(int a, int b) {
            if (!viste) {
                viste = true;
                reg = {a, b};
                n = a == b ? 1 : 2;
                return;
            }
            std::array<int, 2> tenute{};
            int m = 0;
            for (int i = 0; i < n; ++i)
                if (reg[static_cast<std::size_t>(i)] == a || reg[static_cast<std::size_t>(i)] == b)
                    tenute[static_cast<std::size_t>(m++)] = reg[static_cast<std::size_t>(i)];
            reg = tenute;
            n = m;
        }
    };

    std::size_t indice(PuntoDis p) const {
        return static_cast<std::size_t>(p.r - r0_) * static_cast<std::size_t>(colonne_) +
               static_cast<std::size_t>(p.c - c0_);
    }

    static constexpr int kPiena = -2, kLibera = -1;

    // The patch of empty cells that holds the free cell `da`, walked in depth (neighbours up, right, down,
    // left), with its box and the regions its arcs have in common.
    void toppa(const CellDrawing& g, PuntoDis da, std::vector<PuntoDis>& coda) {
        const int f = static_cast<int>(regione_.size());
        Candidate cand;
        LimitiDis box{da.r, da.c, da.r, da.c};
        coda.assign(1, da);
        faccia_[indice(da)] = f;
        const int r1 = r0_ + righe_ - 1, c1 = c0_ + colonne_ - 1;
        while (!coda.empty()) {
            const PuntoDis p = coda.back();
            coda.pop_back();
            box = {std::max(box.RigaMax, p.r), std::max(box.ColMax, p.c), std::min(box.RigaMin, p.r),
                   std::min(box.ColMin, p.c)};
            const std::size_t i = indice(p);
            // Up, right, down, left, as accanto numbers the sides.
            const std::array<bool, 4> dentro = {p.r > r0_, p.c < c1, p.r<r1, p.c> c0_};
            const std::array<std::ptrdiff_t, 4> passo = {-static_cast<std::ptrdiff_t>(colonne_), 1,
                                                         static_cast<std::ptrdiff_t>(colonne_), -1};
            for (std::size_t s = 0; s < 4; ++s) {
                if (!dentro[s]) continue;
                int& fq = faccia_[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(i) + passo[s])];
                const PuntoDis q = accanto(p, static_cast<int>(s) + 1);
                if (fq != kPiena) {
                    if (fq == kLibera) {
                        fq = f;
                        coda.push_back(q);
                    }
                    continue;
                }
                const CellaDis& x = g.riga(q.r)[q.c];
                if (codiceTratto(x.codice) && x.Reg1 > 0) cand.interseca(x.Reg1, x.Reg2);
            }
        }
        candidate_.push_back(cand);
        regione_.push_back(0);
        riquadri_.push_back(box);
    }

    // A patch whose arcs share one region gets it; a region taken is struck from the patches that could
    // still have two (a patch inside a curl borders one arc only), until nothing changes.
    void assegna() {
        std::vector<int> presa;
        auto faccia = [&](int reg) -> int& {
            if (static_cast<std::size_t>(reg) >= presa.size())
                presa.resize(static_cast<std::size_t>(reg) + 1, -1);
            return presa[static_cast<std::size_t>(reg)];
        };
        for (bool cambiato = true; cambiato;) {
            cambiato = false;
            for (std::size_t f = 0; f < candidate_.size(); ++f) {
                Candidate& k = candidate_[f];
                if (regione_[f] != 0 || !k.viste) continue;
                if (k.n == 2) {
                    for (int i = 0; i < 2 && k.n == 2; ++i) {
                        const int reg = k.reg[static_cast<std::size_t>(i)];
                        if (faccia(reg) >= 0) {
                            k.reg = {k.reg[static_cast<std::size_t>(1 - i)], 0};
                            k.n = 1;
                        }
                    }
                }
                if (k.n != 1) continue;
                const int reg = k.reg[0];
                if (faccia(reg) >= 0) {
                    errore_ = "two patches of empty cells both lie in region " + std::to_string(reg);
                    return;
                }
                faccia(reg) = static_cast<int>(f);
                regione_[f] = reg;
                cambiato = true;
            }
        }
    }

    int r0_, c0_, righe_, colonne_;
    std::vector<int> faccia_;
    std::vector<Candidate> candidate_;
    std::vector<int> regione_;
    std::vector<LimitiDis> riquadri_;
    std::string errore_;
};

// Cells a run may not take, besides those that are not empty cells of its region.
struct Divieto {
    std::vector<PuntoDis> celle;  // sorted
    bool vietata(PuntoDis p) const {
        return std::binary_search(celle.begin(), celle.end(), p, [](PuntoDis x, PuntoDis y) {
            return std::pair{x.r, x.c} < std::pair{y.r, y.c};
        });
    }
};

// The shortest run with the fewest turns from `da` to `a` through the empty cells of region `reg`
// (`da` and `a` themselves may be any empty cells), none of them forbidden by `divieto`. The heading into
// `da` and out of `a` count for the turns. Empty when there is none.
ListaCelleDis instrada(const CellDrawing& g, const Facce& facce, int reg, PuntoDis da, int versoDa,
                       PuntoDis a, int versoA, const LimitiDis& regione, const Divieto* divieto = nullptr) {
    // The search stays inside the box of the region's cells and the two ends.
    if (regione.RigaMin > regione.RigaMax) return {};
    const int r0 = std::min({regione.RigaMin, da.r, a.r}), r1 = std::max({regione.RigaMax, da.r, a.r});
    const int c0 = std::min({regione.ColMin, da.c, a.c}), c1 = std::max({regione.ColMax, da.c, a.c});
    const int righe = r1 - r0 + 1, colonne = c1 - c0 + 1;
    const auto stato = [&](PuntoDis p, int verso) {
        return ((static_cast<std::size_t>(p.r - r0) * static_cast<std::size_t>(colonne) +
                 static_cast<std::size_t>(p.c - c0)) *
                4) +
               static_cast<std::size_t>(verso - 1);
    };
    const std::size_t n = static_cast<std::size_t>(righe) * static_cast<std::size_t>(colonne) * 4;
    constexpr int kInf = std::numeric_limits<int>::max();
    constexpr int kPasso = 2, kSvolta = 1;
    // The cost of each state and the state it is reached from, kept between searches: a state counts only
    // when it was written in this search (its stamp is this search's).
    thread_local std::vector<int> costi;
    thread_local std::vector<std::size_t> provenienze;
    thread_local std::vector<std::uint32_t> timbri;
    thread_local std::uint32_t timbro = 0;
    if (timbri.size() < n) {
        costi.resize(n);
        provenienze.resize(n);
        timbri.resize(n, 0);
    }
    // The stamp lives on between calls on this thread; after 2^32 searches it wraps and every stamp is wiped.
    // cppcheck-suppress knownConditionTrueFalse ; it reads the stamp as if it started at 0 on each call
    if (++timbro == 0) {
        std::fill(timbri.begin(), timbri.end(), 0);
        timbro = 1;
    }
    const auto costo = [&](std::size_t i) { return timbri[i] == timbro ? costi[i] : kInf; };
    const auto metti = [&](std::size_t i, int k, std::size_t origine) {
        timbri[i] = timbro;
        costi[i] = k;
        provenienze[i] = origine;
    };
    using Voce = std::tuple<int, int, int, int>;  // cost, row, column, heading
    std::priority_queue<Voce, std::vector<Voce>, std::greater<>> coda;
    metti(stato(da, versoDa), 0, n);
    coda.emplace(0, da.r, da.c, versoDa);
    const auto percorribile = [&](PuntoDis p) {
        if (p.r < r0 || p.r > r1 || p.c < c0 || p.c > c1) return false;
        if (p == a) return true;
        return g.vuota(p.r, p.c) && facce.regione(p) == reg && !(divieto && divieto->vietata(p));
    };
    int migliore = kInf;
    std::size_t fine = n;
    while (!coda.empty()) {
        const auto [k, r, c, verso] = coda.top();
        coda.pop();
        // Nothing popped from here on reaches `a` more cheaply than the best run found.
        if (k >= migliore) break;
        const PuntoDis p{r, c};
        if (k != costo(stato(p, verso))) continue;
        if (p == a) {
            const int totale = k + (verso == versoA ? 0 : kSvolta);
            if (totale < migliore) {
                migliore = totale;
                fine = stato(p, verso);
            }
            continue;
        }
        for (int s = 1; s <= 4; ++s) {
            if (s == opposto(verso)) continue;
            const PuntoDis q = accanto(p, s);
            if (!percorribile(q)) continue;
            const int nuovo = k + kPasso + (s == verso ? 0 : kSvolta);
            const std::size_t sq = stato(q, s);
            if (nuovo < costo(sq)) {
                metti(sq, nuovo, stato(p, verso));
                coda.emplace(nuovo, q.r, q.c, s);
            }
        }
    }
    ListaCelleDis percorso;
    for (std::size_t s = fine; s < n; s = provenienze[s]) {
        const std::size_t cellaIdx = s / 4;
        percorso.push_back({r0 + static_cast<int>(cellaIdx / static_cast<std::size_t>(colonne)),
                            c0 + static_cast<int>(cellaIdx % static_cast<std::size_t>(colonne))});
        if (percorso.size() > n) return {};
    }
    std::reverse(percorso.begin(), percorso.end());
    return percorso;
}

// The crossing cell of crossing `numero`, when there is exactly one.
std::optional<PuntoDis> cellaIncrocio(const CellDrawing& g, int numero) {
    std::optional<PuntoDis> trovata;
    int quante = 0;
    perOgniCella(g, [&](PuntoDis p, const CellaDis& x) {
        if (codiceIncrocio(x.codice) && x.Numero == numero) {
            trovata = p;
            ++quante;
        }
        return true;
    });
    return quante == 1 ? trovata : std::nullopt;
}

// A green crossing tile: the crossing code the new crossing gets and whether the moved strand runs
// across it horizontally. The name says which strand lies over ("-" horizontal, "|" vertical) and whether
// the green one is it ("a") or not ("b").
struct Segno {
    char codice;
    bool verdeOrizzontale;
};
std::optional<Segno> segnoVerde(std::string_view nome) {
    if (!isCellaTratt(nome)) return std::nullopt;
    const bool sopraOrizzontale = nome[1] == '-';
    const bool verdeSopra = nome[2] == 'a';
    return Segno{sopraOrizzontale ? '3' : '4', sopraOrizzontale == verdeSopra};
}

// The message of a drawing of so many rows and columns that the redraw of a move cannot hold.
Status troppoGrande(long righe, long colonne, std::string_view quando = "") {
    return fail("The cell drawing (" + std::to_string(righe) + " rows, " + std::to_string(colonne) +
                " columns" + std::string(quando) +
                ") is too large to be spread out for the redraw of the move.");
}

// The last row and column the drawing reaches once spread out `volte` times.
PuntoDis fineDiradata(const LimitiDis& l, int volte) {
    long righe = l.RigaMax - l.RigaMin + 1, colonne = l.ColMax - l.ColMin + 1;
    for (int i = 0; i < volte; ++i) {
        righe = 2 * righe + 1;
        colonne = 2 * colonne + 1;
    }
    return {static_cast<int>(l.RigaMin + righe - 1), static_cast<int>(l.ColMin + colonne - 1)};
}

// Whether the drawing, spread out `volte` times, still leaves an empty row and column round it inside g.
Status spazioPerDiradare(const CellDrawing& g, int volte) {
    const LimitiDis& l = g.limiti;
    const PuntoDis fine = fineDiradata(l, volte);
    if (l.RigaMin < 1 || l.ColMin < 1 || fine.r + 1 > g.lastRow() || fine.c + 1 > g.lastCol())
        return troppoGrande(l.RigaMax - l.RigaMin + 1, l.ColMax - l.ColMin + 1);
    return {};
}

// Inserts an empty row after every row of the extent and an empty column after every column (the last
// ones included), so that strands no longer touch and every region is one patch of empty cells.
Status diradaDisegno(CellDrawing& g) {
    const LimitiDis l = g.limiti;
    if (Status s = spazioPerDiradare(g, 1); !s) return s;
    std::vector<int> righe, colonne;
    for (int r = l.RigaMax; r >= l.RigaMin - 1; --r) righe.push_back(r);
    for (int c = l.ColMax; c >= l.ColMin - 1; --c) colonne.push_back(c);
    if (Status s = inserisciRigheDis(g, righe); !s) return s;
    return inserisciColonneDis(g, colonne);
}

// The first and the last crossing cell found (rows then columns) are pulled apart when they lie within
// two rows and two columns of each other; one crossing cell, or none, ends it at once.
Status separaPrimoUltimo(CellDrawing& g) {
    for (int giro = 0; giro < 8; ++giro) {
        std::optional<PuntoDis> primo, ultimo;
        perOgniCella(g, [&](PuntoDis p, const CellaDis& x) {
            if (codiceIncrocio(x.codice)) {
                if (!primo) primo = p;
                ultimo = p;
            }
            return true;
        });
        if (!primo || *primo == *ultimo) return {};
        const int dr = std::abs(primo->r - ultimo->r), dc = std::abs(primo->c - ultimo->c);
        Status s;
        // One above the other: a row between them; further apart: nothing to do; else a column.
        if (dc == 0 && dr < 3)
            s = F3InsRigaDis(g, std::min(primo->r, ultimo->r));
        else if (dr > 2 || dc > 2)
            return {};
        else
            s = F3InsColonnaDis(g, std::min(primo->c, ultimo->c));
        if (!s) return s;
    }
    return {};
}

// Two crossing cells side by side, if any.
std::optional<PuntoDis> incrociAccostati(const CellDrawing& g) {
    std::optional<PuntoDis> trovata;
    perOgniCella(g, [&](PuntoDis p, const CellaDis& x) {
        if (!codiceIncrocio(x.codice)) return true;
        for (int s : {2, 3}) {
            const PuntoDis q = accanto(p, s);
            if (dentro(g, q.r, q.c) && codiceIncrocio(g.at(q.r, q.c).codice)) trovata = p;
        }
        return !trovata;
    });
    return trovata;
}

// Every cell up to row rMax and column cMax drawn again, the new route in green: the drawing moved while
// it was spread out and squeezed back.
void disegnaTutto(const CellDrawing& g, VistaRidisegno& vista, int rMax, int cMax) {
    if (!vista.Gr3) return;
    const LimitiDis& l = g.limiti;
    const int r1 = std::max(l.RigaMax, rMax), c1 = std::max(l.ColMax, cMax);
    vista.Gr3->setRedraw(false);
    for (int r = 1; r <= r1; ++r)
        for (int c = 1; c <= c1; ++c) {
            // What the working table drew beyond the drawing's table goes.
            if (!g.inside(r, c)) {
                if (vista.Gr3->valid(r, c + vista.ColonnaBaseDis))
                    vista.Gr3->setPicture(r, c + vista.ColonnaBaseDis, {});
                continue;
            }
            const CellaDis& x = g.at(r, c);
            const bool nuova = x.Marca == kMarcaPercorso || x.Marca > kMarcaNuovoIncrocio;
            F3AggImg(g, vista, r, c, nuova ? ColVerde : ColNero);
            if (!g.vuota(r, c))
                vista.UltimaColonnaDis = std::max(vista.UltimaColonnaDis, c + vista.ColonnaBaseDis);
        }
    vista.Gr3->setRedraw(true);
}

}  // namespace

Status F3disTxt3(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram& d,
                 const std::vector<int>& archiMossa, const std::vector<int>& archiAttraversati,
                 const std::vector<int>& regioniMossa) {
    // The new crossings: one green tile on each crossed arc, taken in the order of the arcs.
    std::vector<IncrocioVerde> nuovi(archiAttraversati.size());
    int verdi = 0;
    perOgniCella(tblGen, [&](PuntoDis p, const CellaDis& x) {
        const std::string_view nome = tblGen.nome(x.simbolo);
        if (!isCellaTratt(nome)) return true;
        ++verdi;
        const auto it = std::find(archiAttraversati.begin(), archiAttraversati.end(), x.Numero);
        if (it != archiAttraversati.end())
            nuovi[static_cast<std::size_t>(it - archiAttraversati.begin())] = {p, nome};
        return true;
    });
    if (verdi != static_cast<int>(archiAttraversati.size()))
        return fail("The cell drawing holds " + std::to_string(verdi) + " green crossings for " +
                    std::to_string(archiAttraversati.size()) + " crossed arcs.");
    for (const IncrocioVerde& x : nuovi)
        if (x.nome.empty())
            return fail("A crossed arc of the move has no green crossing in the cell drawing.");
    return F3disTxt3(tblGen, vista, d, archiMossa, archiAttraversati, regioniMossa, nuovi);
}

namespace {

// The move III as the redraw carries it out, stage by stage: what each stage finds is kept for the next.
struct Mossa3 {
    Mossa3(CellDrawing& tblGen, VistaRidisegno& v, const Diagram& diagramma, const std::vector<int>& mossa,
           const std::vector<int>& attraversati, const std::vector<int>& regioni)
        : g(tblGen),
          vista(v),
          d(diagramma),
          archiMossa(mossa),
          archiAttraversati(attraversati),
          regioniMossa(regioni) {}

    CellDrawing& g;
    VistaRidisegno& vista;
    const Diagram& d;
    const std::vector<int>& archiMossa;
    const std::vector<int>& archiAttraversati;
    const std::vector<int>& regioniMossa;

    int inizio = 0, fine = 0;       // the start and end crossings of the moved strand
    std::vector<int> vecchi;        // crossings met along the old route: the inner ones, then the end one
    int latoInizio = 0;             // the side of the start crossing the strand leaves by
    std::vector<PuntoDis> marcati;  // the new crossings' cells
    std::vector<Segno> segni;       // and their codes
    LimitiDis estesa;               // the extent before the drawing was spread out
    PuntoDis x, y;                  // the start and end crossings after the spreading
    std::optional<Tratto> vecchio;  // the old route after the spreading
    int r0 = 0, r1 = 0, c0 = 0, c1 = 0;          // one cell round the spread drawing
    std::vector<std::array<PuntoDis, 2>> porte;  // the cells before and after each new crossing

    static int perNumero(const CellaDis& x) { return static_cast<int>(x.Numero); }
    const Arco& arco(int a) const { return d.archi[static_cast<std::size_t>(a)]; }

    Status verificaMossa() const;
    Status trovaLatoInizio();
    Status verificaNuovi(const std::vector<IncrocioVerde>& nuovi);
    Status verifica(const std::vector<IncrocioVerde>& nuovi);
    Status dirada(int volte);
    void togliVecchio();
    Status aprePorte(const Facce& facce);
    Status tracciaNuovo(const Facce& facce, bool corsie);
    Status verificaRisultato() const;
    Status ridisegna(int volte, bool ultima);
};

Status Mossa3::verifica(const std::vector<IncrocioVerde>& nuovi) {
    if (Status s = verificaMossa(); !s) return s;
    if (Status s = trovaLatoInizio(); !s) return s;
    return verificaNuovi(nuovi);
}

// The move, checked before anything changes.
Status Mossa3::verificaMossa() const {
    if (archiMossa.empty()) return fail("The move names no arc of the strand to move.");
    for (int a : archiMossa)
        if (a < 1 || a > d.NumArchi || a > kMaxArchi)
            return fail("Arc " + std::to_string(a) + " of the moved strand is not an arc of the diagram.");
    for (int a : archiAttraversati)
        if (a < 1 || a > d.NumArchi || a > kMaxArchi)
            return fail("Crossed arc " + std::to_string(a) + " is not an arc of the diagram.");
    if (regioniMossa.size() != archiAttraversati.size() + 1)
        return fail("The route of the move needs one region more than the arcs it crosses.");
    for (int r : regioniMossa)
        if (r < 1 || r > d.NumRegioni)
            return fail("Region " + std::to_string(r) + " of the route is not a region of the diagram.");
    return {};
}

// The side of the start crossing the strand leaves by: the one the diagram names first, else the one whose
// strand passes the crossings of the old route in order.
Status Mossa3::trovaLatoInizio() {
    inizio = arco(archiMossa.front()).IncrocioDa;
    fine = arco(archiMossa.back()).IncrocioA;
    for (int a : archiMossa) vecchi.push_back(arco(a).IncrocioA);
    const std::optional<PuntoDis> x0 = cellaIncrocio(g, inizio), y0 = cellaIncrocio(g, fine);
    if (!x0 || !y0 || inizio == fine)
        return fail("The start and end crossings of the moved strand are not in the cell drawing.");
    x = *x0;
    y = *y0;
    std::array<int, 4> lati = {1, 2, 3, 4};
    const int latoDiagramma = ArcoInnodo(d, inizio, archiMossa.front());
    if (latoDiagramma >= 1) std::swap(lati[0], lati[static_cast<std::size_t>(latoDiagramma - 1)]);
    for (int s : lati)
        if (seguiTratto(g, x, s, vecchi, perNumero)) {
            latoInizio = s;
            return {};
        }
    return fail("The old route of the moved strand cannot be followed in the cell drawing from crossing " +
                std::to_string(inizio) + ".");
}

// Each new crossing on a straight cell of its crossed arc, across it, each cell once.
Status Mossa3::verificaNuovi(const std::vector<IncrocioVerde>& nuovi) {
    if (nuovi.size() != archiAttraversati.size())
        return fail("The move gives " + std::to_string(nuovi.size()) + " new crossings for " +
                    std::to_string(archiAttraversati.size()) + " crossed arcs.");
    marcati.assign(nuovi.size(), PuntoDis{});
    segni.assign(nuovi.size(), Segno{});
    for (std::size_t k = 0; k < nuovi.size(); ++k) {
        const PuntoDis p = nuovi[k].cella;
        const auto segno = segnoVerde(nuovi[k].nome);
        const bool dritta = segno && dentro(g, p.r, p.c) &&
                            ((g.at(p.r, p.c).codice == '1' && segno->verdeOrizzontale) ||
                             (g.at(p.r, p.c).codice == '2' && !segno->verdeOrizzontale));
        if (!dritta || g.at(p.r, p.c).Numero != archiAttraversati[k] ||
            std::find(marcati.begin(), marcati.begin() + static_cast<std::ptrdiff_t>(k), p) !=
                marcati.begin() + static_cast<std::ptrdiff_t>(k))
            return fail("The green crossing at cell " + cella(p) +
                        " is not on a straight cell of a crossed arc.");
        marcati[k] = p;
        segni[k] = *segno;
    }
    return {};
}

// The drawing spread out `volte` times, the crossings of the move followed through the insertions by their
// marks.
Status Mossa3::dirada(int volte) {
    estesa = g.limiti;
    if (Status s = spazioPerDiradare(g, volte); !s) return s;
    azzeraMarche(g);
    g.at(x.r, x.c).Marca = kMarcaInizio;
    g.at(y.r, y.c).Marca = kMarcaFine;
    for (std::size_t k = 0; k < marcati.size(); ++k)
        g.at(marcati[k].r, marcati[k].c).Marca = kMarcaNuovoIncrocio + 1 + static_cast<std::int32_t>(k);

    for (int i = 0; i < volte; ++i)
        if (Status s = diradaDisegno(g); !s) return s;
    vista.tick();
    const LimitiDis l = g.limiti;
    r0 = l.RigaMin - 1;
    r1 = l.RigaMax + 1;
    c0 = l.ColMin - 1;
    c1 = l.ColMax + 1;
    const auto marche = cercaMarche(g, kMarcaNuovoIncrocio + static_cast<std::int32_t>(marcati.size()));
    const std::optional<PuntoDis> xm = marche[kMarcaInizio], ym = marche[kMarcaFine];
    bool persi = !xm || !ym;
    for (std::size_t k = 0; k < marcati.size(); ++k) {
        const auto& m = marche[kMarcaNuovoIncrocio + 1 + k];
        persi = persi || !m;
        if (m) marcati[k] = *m;
    }
    x = xm.value_or(PuntoDis{});
    y = ym.value_or(PuntoDis{});
    vecchio = persi ? std::nullopt : seguiTratto(g, x, latoInizio, vecchi, perNumero);
    if (!vecchio || vecchio->celle.empty() || vecchio->fine != y)
        return fail("The old route of the moved strand is lost after spreading out the cell drawing.");
    return {};
}

// The old route goes; its crossings keep the strand that passed across it.
void Mossa3::togliVecchio() {
    for (PuntoDis p : vecchio->celle) {
        CellaDis& c = g.at(p.r, p.c);
        c.codice = '0';
        c.Numero = 0;
        c.Reg1 = c.Reg2 = 0;
        g.setSimbolo(p.r, p.c, "");
    }
    for (const auto& [p, verso] : vecchio->incroci) {
        g.setCodice(p.r, p.c, verso == 1 || verso == 3 ? "2" : "1");
        g.at(p.r, p.c).Numero = 0;
        g.setSimbolo(p.r, p.c, "");
    }
}

// Each new crossing takes its code, and the cells on either side of it across the crossed arc are the
// doors of the route from one region of the move to the next.
Status Mossa3::aprePorte(const Facce& facce) {
    const std::size_t n = marcati.size();
    porte.assign(n, {});
    for (std::size_t k = 0; k < n; ++k) {
        const PuntoDis m = marcati[k];
        const int lato = segni[k].verdeOrizzontale ? 4 : 1;
        const PuntoDis p1 = accanto(m, lato), p2 = accanto(m, opposto(lato));
        const int g1 = facce.regione(p1), g2 = facce.regione(p2);
        const int prima = regioniMossa[k], dopo = regioniMossa[k + 1];
        if (g1 == prima && g2 == dopo)
            porte[k] = {p1, p2};
        else if (g2 == prima && g1 == dopo)
            porte[k] = {p2, p1};
        else
            return fail("The green crossing at cell " + cella(m) + " does not lie between regions " +
                        std::to_string(prima) + " and " + std::to_string(dopo) + ".");
        g.setCodice(m.r, m.c, std::string_view(&segni[k].codice, 1));
        g.at(m.r, m.c).Numero = 0;
        g.setSimbolo(m.r, m.c, "");
    }
    return {};
}

// The empty cells of region reg that a run from `da` can take (as instrada takes them), `da` first; the
// search stops at `a` when it is given.
std::vector<PuntoDis> raggiungibili(const CellDrawing& g, const Facce& facce, int reg, PuntoDis da,
                                    std::optional<PuntoDis> a = std::nullopt) {
    const LimitiDis b = facce.riquadro(reg);
    if (b.RigaMin > b.RigaMax) return {da};
    const int r0 = std::min(b.RigaMin, da.r) - 1, c0 = std::min(b.ColMin, da.c) - 1;
    const int r1 = std::max(b.RigaMax, da.r) + 1, c1 = std::max(b.ColMax, da.c) + 1;
    const std::size_t colonne = static_cast<std::size_t>(c1 - c0) + 1;
    std::vector<char> visto((static_cast<std::size_t>(r1 - r0) + 1) * colonne, 0);
    const auto indice = [&](PuntoDis p) {
        return static_cast<std::size_t>(p.r - r0) * colonne + static_cast<std::size_t>(p.c - c0);
    };
    std::vector<PuntoDis> out{da};
    visto[indice(da)] = 1;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (a && out[i] == *a) break;
        for (int s = 1; s <= 4; ++s) {
            const PuntoDis q = accanto(out[i], s);
            if (q.r < r0 || q.r > r1 || q.c < c0 || q.c > c1 || visto[indice(q)]) continue;
            if (!(a && q == *a) && !(g.vuota(q.r, q.c) && facce.regione(q) == reg)) continue;
            visto[indice(q)] = 1;
            out.push_back(q);
        }
    }
    return out;
}

}  // namespace

std::vector<PuntoDis> corsieDaLasciare(const LimitiDis& b, const std::function<bool(PuntoDis)>& cellaRegione,
                                       std::array<PuntoDis, 2> capi,
                                       const std::vector<std::array<PuntoDis, 2>>& attesi) {
    if (b.RigaMin > b.RigaMax || attesi.empty()) return {};
    int r0 = b.RigaMin - 2, c0 = b.ColMin - 2, r1 = b.RigaMax + 2, c1 = b.ColMax + 2;
    for (const auto& e : attesi)
        for (PuntoDis q : e) {
            r0 = std::min(r0, q.r - 1);
            r1 = std::max(r1, q.r + 1);
            c0 = std::min(c0, q.c - 1);
            c1 = std::max(c1, q.c + 1);
        }
    for (PuntoDis q : capi) {
        r0 = std::min(r0, q.r - 1);
        r1 = std::max(r1, q.r + 1);
        c0 = std::min(c0, q.c - 1);
        c1 = std::max(c1, q.c + 1);
    }
    const std::size_t colonne = static_cast<std::size_t>(c1 - c0) + 1;
    const auto dentroBox = [&](PuntoDis q) { return q.r >= r0 && q.r <= r1 && q.c >= c0 && q.c <= c1; };
    const auto indice = [&](PuntoDis q) {
        return static_cast<std::size_t>(q.r - r0) * colonne + static_cast<std::size_t>(q.c - c0);
    };
    const auto attorno = [](PuntoDis q, int i) { return PuntoDis{q.r + i / 3 - 1, q.c + i % 3 - 1}; };
    const auto muro = [&](PuntoDis q) {
        if (!dentroBox(q) || cellaRegione(q)) return false;
        for (int i = 0; i < 9; ++i)
            if (i != 4 && cellaRegione(attorno(q, i))) return true;
        return false;
    };
    const auto vicino = [](PuntoDis u, PuntoDis v) {
        return std::abs(u.r - v.r) <= 1 && std::abs(u.c - v.c) <= 1;
    };
    // The stretch of each wall cell reached so far (0 none, -1 a cut), and its cells.
    std::vector<int> tratto((static_cast<std::size_t>(r1 - r0) + 1) * colonne, 0);
    for (PuntoDis q : capi) tratto[indice(q)] = -1;
    std::vector<std::vector<PuntoDis>> tratti{{}};
    const auto stendi = [&](PuntoDis da) {
        if (!muro(da)) return 0;
        if (tratto[indice(da)] != 0) return tratto[indice(da)];
        const int t = static_cast<int>(tratti.size());
        std::vector<PuntoDis> celle{da};
        tratto[indice(da)] = t;
        for (std::size_t i = 0; i < celle.size(); ++i)
            for (int k = 0; k < 9; ++k) {
                const PuntoDis q = attorno(celle[i], k);
                if (k == 4 || !muro(q) || tratto[indice(q)] != 0) continue;
                tratto[indice(q)] = t;
                celle.push_back(q);
            }
        tratti.push_back(std::move(celle));
        return t;
    };
    // Cut apart: each end has wall cells beside it on two different stretches.
    for (PuntoDis capo : capi) {
        std::vector<int> visti;
        for (int k = 0; k < 9; ++k)
            if (const int t = stendi(attorno(capo, k)); t > 0) visti.push_back(t);
        std::sort(visti.begin(), visti.end());
        if (std::unique(visti.begin(), visti.end()) - visti.begin() < 2) return {};
    }
    std::vector<char> daLasciare(tratti.size(), 0);
    for (const auto& e : attesi) {
        const int ta = stendi(e[0]), tb = stendi(e[1]);
        if (ta > 0 && ta == tb) daLasciare[static_cast<std::size_t>(ta)] = 1;
    }
    std::vector<PuntoDis> out;
    for (std::size_t t = 1; t < tratti.size(); ++t) {
        if (!daLasciare[t]) continue;
        for (PuntoDis m : tratti[t])
            for (int k = 0; k < 9; ++k) {
                const PuntoDis q = attorno(m, k);
                if (k != 4 && cellaRegione(q) && !vicino(q, capi[0]) && !vicino(q, capi[1])) out.push_back(q);
            }
    }
    return out;
}

namespace {

// A piece of the new route: from crossing capoA, through door da into its region, to door a before crossing
// capoB.
struct Pezzo {
    PuntoDis capoA, capoB, da, a;
    int reg = 0;
    ListaCelleDis celle;          // the cells traced, in order
    std::vector<CellaDis> prima;  // and what they held before
};

// The wall cell where a piece's run meets its crossing: the door itself when it is no cell of the region (an
// end of the old route), else the crossing beside it.
PuntoDis ancora(const Facce& facce, PuntoDis porta, PuntoDis capo, int reg) {
    return facce.regione(porta) == reg ? capo : porta;
}

void ordinaDivieto(Divieto& v) {
    std::sort(v.celle.begin(), v.celle.end(), [](PuntoDis u, PuntoDis w) {
        return std::pair{u.r, u.c} < std::pair{w.r, w.c};
    });
    v.celle.erase(std::unique(v.celle.begin(), v.celle.end()), v.celle.end());
}

// The cells piece p keeps off when traced in lanes: the doors of the pieces of its region still to come,
// and those with the lanes along the walls where their doors lie (corsieDaLasciare); never p's own doors.
std::array<Divieto, 2> divietiInCorsia(const Facce& facce, const std::vector<Pezzo>& pezzi, const Pezzo& p) {
    std::vector<std::array<PuntoDis, 2>> attesi;
    std::array<Divieto, 2> out;
    for (const Pezzo& q : pezzi) {
        if (&q == &p || q.reg != p.reg || !q.celle.empty()) continue;
        attesi.push_back({ancora(facce, q.da, q.capoA, q.reg), ancora(facce, q.a, q.capoB, q.reg)});
        for (PuntoDis c : {q.da, q.a})
            if (c != p.da && c != p.a) out[0].celle.push_back(c);
    }
    out[1] = out[0];
    const auto diRegione = [&](PuntoDis q) { return facce.regione(q) == p.reg; };
    for (PuntoDis c :
         corsieDaLasciare(facce.riquadro(p.reg), diRegione,
                          {ancora(facce, p.da, p.capoA, p.reg), ancora(facce, p.a, p.capoB, p.reg)}, attesi))
        if (c != p.da && c != p.a) out[1].celle.push_back(c);
    for (Divieto& v : out) ordinaDivieto(v);
    return out;
}

// The new route, piece by piece: each from one of its crossings to the next, inside its region, entering
// and leaving every new crossing across the crossed arc. Pieces in different regions run through different
// patches of empty cells and never meet. A route that passes a region more than once has a piece there for
// each passage, and the shortest run of one piece may wall in a door of a piece still to come: it is then
// traced again kept off the cells on the walled-in side and those beside them, until every piece still to
// come in that region can go through, a few times at most. When a piece finds no way all the same, the
// pieces of its region are taken away and traced again in other orders. On the last try of a redraw
// (`corsie`), a region whose pieces find no way in any of these orders is traced once more, in the order of
// the route and then in the others, each piece kept off the doors of the pieces still to come in its region
// and off the lanes along the walls where their doors lie (corsieDaLasciare).
Status Mossa3::tracciaNuovo(const Facce& facce, bool corsie) {
    const std::size_t n = marcati.size();
    std::vector<Pezzo> pezzi(n + 1);
    for (std::size_t k = 0; k <= n; ++k) {
        Pezzo& p = pezzi[k];
        p.capoA = k == 0 ? x : marcati[k - 1];
        p.capoB = k == n ? y : marcati[k];
        p.da = k == 0 ? vecchio->celle.front() : porte[k - 1][1];
        p.a = k == n ? vecchio->celle.back() : porte[k][0];
        p.reg = regioniMossa[k];
    }
    const auto traccia = [&](Pezzo& p, const Divieto* divieto) {
        ListaCelleDis tratto = instrada(g, facce, p.reg, p.da, latoVerso(p.capoA, p.da), p.a,
                                        latoVerso(p.a, p.capoB), facce.riquadro(p.reg), divieto);
        if (tratto.empty()) return false;
        p.prima.clear();
        for (PuntoDis q : tratto) p.prima.push_back(g.at(q.r, q.c));
        for (PuntoDis q : tratto) g.at(q.r, q.c).Marca = kMarcaPercorso;
        p.celle = tratto;
        tratto.insert(tratto.begin(), p.capoA);
        tratto.push_back(p.capoB);
        F3SettaSimboliDis(g, vista, tratto, ColVerde);
        vista.tick();
        return true;
    };
    const auto togli = [&](Pezzo& p) {
        for (std::size_t i = p.celle.size(); i-- > 0;) g.at(p.celle[i].r, p.celle[i].c) = p.prima[i];
        p.celle.clear();
    };
    // A piece of the same region still to be traced whose doors no run joins any more.
    const auto chiuso = [&](const Pezzo& p) -> const Pezzo* {
        for (const Pezzo& q : pezzi) {
            if (&q == &p || q.reg != p.reg || !q.celle.empty()) continue;
            const std::vector<PuntoDis> dentro = raggiungibili(g, facce, q.reg, q.da, q.a);
            if (std::find(dentro.begin(), dentro.end(), q.a) == dentro.end()) return &q;
        }
        return nullptr;
    };
    // Piece p traced so that it walls in no door of the pieces of its region still to come.
    const auto tracciaAperto = [&](Pezzo& p) {
        if (!traccia(p, nullptr)) return false;
        constexpr int kSpinte = 8;
        Divieto divieto;
        for (int volta = 0; volta < kSpinte; ++volta) {
            const Pezzo* q = chiuso(p);
            if (!q) return true;
            // The side of q's door that p's run walled in, unless p's own ends lie there.
            std::vector<PuntoDis> lato;
            for (PuntoDis porta : {q->da, q->a}) {
                lato = raggiungibili(g, facce, q->reg, porta);
                if (std::find(lato.begin(), lato.end(), p.da) == lato.end() &&
                    std::find(lato.begin(), lato.end(), p.a) == lato.end())
                    break;
                lato.clear();
            }
            if (lato.empty()) return true;
            for (std::size_t i = 0, m = lato.size(); i < m; ++i)
                for (int s = 1; s <= 4; ++s) lato.push_back(accanto(lato[i], s));
            for (PuntoDis c : lato)
                if (c != p.da && c != p.a) divieto.celle.push_back(c);
            std::sort(divieto.celle.begin(), divieto.celle.end(), [](PuntoDis u, PuntoDis v) {
                return std::pair{u.r, u.c} < std::pair{v.r, v.c};
            });
            divieto.celle.erase(std::unique(divieto.celle.begin(), divieto.celle.end()), divieto.celle.end());
            togli(p);
            if (!traccia(p, &divieto)) return traccia(p, nullptr);
        }
        return true;
    };
    // Piece p traced off the doors of the pieces of its region still to come and off the lanes they need;
    // without the lanes when that finds no way, and then as it comes.
    const auto tracciaInCorsia = [&](Pezzo& p) {
        const std::array<Divieto, 2> divieti = divietiInCorsia(facce, pezzi, p);
        const Divieto &soloPorte = divieti[0], &corsia = divieti[1];
        return (corsia.celle.size() > soloPorte.celle.size() && traccia(p, &corsia)) ||
               traccia(p, &soloPorte) || traccia(p, nullptr);
    };
    // The pieces of region reg traced again in the orders after the one that failed, or in lanes from the
    // order of the route on; false when no order lets every one of them through.
    const auto ritraccia = [&](int reg, bool inCorsia) {
        constexpr int kOrdini = 24;
        std::vector<std::size_t> ordine;
        for (std::size_t k = 0; k <= n; ++k) {
            if (pezzi[k].reg != reg) continue;
            ordine.push_back(k);
            togli(pezzi[k]);
        }
        bool altro = inCorsia || std::next_permutation(ordine.begin(), ordine.end());
        for (int volta = 0; volta < kOrdini && altro;
             ++volta, altro = std::next_permutation(ordine.begin(), ordine.end())) {
            std::size_t fatti = 0;
            while (fatti < ordine.size() &&
                   (inCorsia ? tracciaInCorsia(pezzi[ordine[fatti]]) : tracciaAperto(pezzi[ordine[fatti]])))
                ++fatti;
            if (fatti == ordine.size()) return true;
            for (std::size_t i = fatti; i-- > 0;) togli(pezzi[ordine[i]]);
        }
        return false;
    };
    const LimitiDis estensione = g.limiti;
    for (std::size_t k = 0; k <= n; ++k) {
        Pezzo& p = pezzi[k];
        if (!p.celle.empty() || tracciaAperto(p)) continue;
        if (!ritraccia(p.reg, false) && !(corsie && ritraccia(p.reg, true)))
            return fail("No way through region " + std::to_string(p.reg) + " from cell " + cella(p.da) +
                        " to cell " + cella(p.a) + " for the moved strand.");
    }
    // The extent takes in the route.
    LimitiDis& e = g.limiti;
    e = estensione;
    for (const Pezzo& p : pezzi)
        for (PuntoDis q : p.celle)
            e = {std::max(e.RigaMax, q.r), std::max(e.ColMax, q.c), std::min(e.RigaMin, q.r),
                 std::min(e.ColMin, q.c)};
    return {};
}

// What the caller builds on: a closed drawing, no touching crossings, and the moved strand running from the
// start crossing through the new crossings, in route order, to the end crossing.
Status Mossa3::verificaRisultato() const {
    if (Status s = verificaCelDis(g); !s) return fail("The redrawn cell drawing is broken: " + s.error());
    if (const auto p = incrociAccostati(g))
        return fail("Two crossings touch at cell " + cella(*p) + " of the redrawn cell drawing.");
    std::vector<int> attese;
    attese.reserve(marcati.size() + 1);
    for (std::size_t k = 1; k <= marcati.size(); ++k)
        attese.push_back(kMarcaNuovoIncrocio + static_cast<int>(k));
    attese.push_back(kMarcaFine);
    const std::optional<PuntoDis> xDopo = cercaMarca(g, kMarcaInizio);
    if (!xDopo || !seguiTratto(g, *xDopo, latoInizio, attese,
                               [](const CellaDis& c) { return static_cast<int>(c.Marca); }))
        return fail("The moved strand does not run through its new crossings in the redrawn cell drawing.");
    return {};
}

// The redraw of the move on its drawing, spread out `volte` times: the old route taken away, the new one
// traced, the drawing squeezed back and checked. The `ultima` try of a redraw also traces in lanes the
// regions where the route finds no way otherwise.
Status Mossa3::ridisegna(int volte, bool ultima) {
    if (Status s = dirada(volte); !s) return s;
    // Regions as patches of the drawing with the old route still in place.
    const Facce facce(g, r0, r1, c0, c1);
    if (!facce.errore().empty())
        return fail("The regions of the cell drawing are not clear: " + facce.errore() + ".");
    vista.tick();
    togliVecchio();
    if (Status s = aprePorte(facce); !s) return s;
    if (Status s = tracciaNuovo(facce, ultima); !s) return s;
    int stadio = 1;
    if (vista.dump.active()) scriviCelDis(g, vista.dump, nomeCelDisStadio(stadio, vista.NumStato), true);

    // The drawing squeezed back and its crossings kept apart, each step dumped.
    for (const auto& passo3 : {F3EliminaRgheUgualiDis, F3EliminaColonneUgualiDis, F3VerificaNodiViciniColonna,
                               F3VerificaNodiViciniRiga, separaPrimoUltimo}) {
        if (Status s = passo3(g); !s) return s;
        ++stadio;
        if (vista.dump.active()) scriviCelDis(g, vista.dump, nomeCelDisStadio(stadio, vista.NumStato), true);
    }
    return verificaRisultato();
}

// The largest working table a redraw takes: 8 million cells (160 MB at most, of which the cells the spread
// drawing covers are touched).
constexpr long kCelleLavoro = 8'000'000;

// The working table of a redraw that spreads the drawing out `volte` times: the drawing's table, or larger
// where the spread drawing and a margin for the rows and columns the tidying inserts need it; the drawing
// copied into it where it stands. Refused beyond kCelleLavoro cells.
// The working table of the drawing's own size last used on this thread, emptied: the next redraw takes it
// again instead of asking the system for its pages one by one. A larger one is not kept.
std::unique_ptr<CellDrawing>& tavolaRiposta() {
    thread_local std::unique_ptr<CellDrawing> t;
    return t;
}

void riponi(std::unique_ptr<CellDrawing>& w) {
    if (!w || w->rows() != CellDrawing::kRows || w->cols() != CellDrawing::kCols) return;
    w->svuotaTutto();
    tavolaRiposta() = std::move(w);
}

Result<std::unique_ptr<CellDrawing>> tavolaDiLavoro(const CellDrawing& tblGen, int volte) {
    constexpr int kMargine = 16;
    const LimitiDis& l = tblGen.limiti;
    const PuntoDis fine = fineDiradata(l, volte);
    const long righe = std::max<long>(tblGen.rows(), fine.r + 2L + kMargine);
    const long colonne = std::max<long>(tblGen.cols(), fine.c + 2L + kMargine);
    if (righe * colonne > kCelleLavoro)
        return Failure{troppoGrande(l.RigaMax - l.RigaMin + 1, l.ColMax - l.ColMin + 1).error()};
    std::unique_ptr<CellDrawing>& riposta = tavolaRiposta();
    auto w = riposta && riposta->rows() == righe && riposta->cols() == colonne
                 ? std::move(riposta)
                 : std::make_unique<CellDrawing>(static_cast<int>(righe), static_cast<int>(colonne));
    const UsedArea u = tblGen.usata();
    w->copiaRiquadro(tblGen, u.r0, u.r1, u.c0, u.c1, 0, 0);
    w->limiti = l;
    return w;
}

}  // namespace

Status riportaNellaTavola(const CellDrawing& lavoro, CellDrawing& tblGen) {
    const LimitiDis& l = lavoro.limiti;
    const bool vuoto = l.RigaMin > l.RigaMax || l.ColMin > l.ColMax;
    const int dr = !vuoto && l.RigaMax > tblGen.lastRow() ? tblGen.lastRow() - l.RigaMax : 0;
    const int dc = !vuoto && l.ColMax > tblGen.lastCol() ? tblGen.lastCol() - l.ColMax : 0;
    if (!vuoto && (l.RigaMin < 0 || l.ColMin < 0 || l.RigaMin + dr < 1 || l.ColMin + dc < 1))
        return troppoGrande(l.RigaMax - l.RigaMin + 1, l.ColMax - l.ColMin + 1, " after the redraw");
    // What comes back: the drawing and one cell round it (beyond, the working table holds only cells the
    // redraw emptied), clipped to the table once moved.
    UsedArea box = lavoro.usata();
    if (!vuoto) box = {std::max(l.RigaMin - 1, 0), l.RigaMax + 1, std::max(l.ColMin - 1, 0), l.ColMax + 1};
    box = {std::max(box.r0, -dr), std::min(box.r1, std::min(lavoro.lastRow(), tblGen.lastRow() - dr)),
           std::max(box.c0, -dc), std::min(box.c1, std::min(lavoro.lastCol(), tblGen.lastCol() - dc))};
    // The cells of the table the drawing held before and no longer covers are emptied: all of them when
    // the drawing moves.
    const UsedArea v = tblGen.usata();
    for (int r = v.r0; r <= v.r1; ++r)
        for (int c = v.c0; c <= v.c1; ++c) {
            if (r - dr >= box.r0 && r - dr <= box.r1 && c - dc >= box.c0 && c - dc <= box.c1) continue;
            if (dr != 0 || dc != 0)
                tblGen.at(r, c) = CellaDis{};
            else if (!tblGen.vuota(r, c) || std::as_const(tblGen).at(r, c).Marca != 0)
                svuotaCellaDis(tblGen.at(r, c));
        }
    if (!box.empty()) tblGen.copiaRiquadro(lavoro, box.r0, box.r1, box.c0, box.c1, dr, dc);
    tblGen.limiti = vuoto ? l : LimitiDis{l.RigaMax + dr, l.ColMax + dc, l.RigaMin + dr, l.ColMin + dc};
    return {};
}

Status F3disTxt3(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram& d,
                 const std::vector<int>& archiMossa, const std::vector<int>& archiAttraversati,
                 const std::vector<int>& regioniMossa, const std::vector<IncrocioVerde>& nuovi) {
    // A route that passes a region twice may need two ways through one passage between two strands: the
    // drawing is then spread out twice, so that every passage is three cells wide; first only where the
    // drawing's table would hold it, then, when spreading out once was not enough, in any case.
    std::vector<int> regioni = regioniMossa;
    std::sort(regioni.begin(), regioni.end());
    const bool ripassa = std::adjacent_find(regioni.begin(), regioni.end()) != regioni.end();
    std::vector<int> piano{ripassa && spazioPerDiradare(tblGen, 2) ? 2 : 1};
    if (ripassa && piano.front() == 1) piano.push_back(2);

    Status esito;
    PuntoDis visto{0, 0};  // the last row and column a working table drew into the view
    for (int volte : piano) {
        Result<std::unique_ptr<CellDrawing>> lavoro = tavolaDiLavoro(tblGen, volte);
        if (!lavoro) return esito ? Status(Failure{lavoro.error()}) : esito;
        CellDrawing& w = **lavoro;
        struct Riponi {
            std::unique_ptr<CellDrawing>& w;
            ~Riponi() { riponi(w); }
        } dopo{*lavoro};
        Mossa3 m(w, vista, d, archiMossa, archiAttraversati, regioniMossa);
        // What the drawing cannot give is refused at once, whatever the room.
        if (Status s = m.verifica(nuovi); !s) return s;
        esito = m.ridisegna(volte, volte == piano.back());
        visto = {std::max({visto.r, m.estesa.RigaMax, m.r1}), std::max({visto.c, m.estesa.ColMax, m.c1})};
        if (!esito) continue;
        if (Status s = riportaNellaTavola(w, tblGen); !s) return s;
        break;
    }
    if (!esito) return esito;
    // The marks of the new route colour it in the view; none is left behind.
    struct Marche {
        CellDrawing& g;
        ~Marche() { azzeraMarche(g); }
    } marche{tblGen};
    disegnaTutto(tblGen, vista, visto.r, visto.c);
    vista.ColonnaScorrimento = vista.ColonnaBaseDis;
    if (vista.ModoSorgente == SourceKind::Code) {
        azzeraMarche(tblGen);
        if (Result<bool> ok = sistemaRidisegno(tblGen, vista, true); !ok) return Failure{ok.error()};
    }
    return {};
}

}  // namespace trevalon
