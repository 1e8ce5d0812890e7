#include "celldraw/straightening.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace trevalon {

namespace {

Status controllaLista(const CellDrawing& tblGen, const ListaCelleDis& lista) {
    for (const PuntoDis& p : lista)
        if (!tblGen.inside(p.r, p.c))
            return fail("the cell " + std::to_string(p.r) + "," + std::to_string(p.c) +
                        " of the course lies outside the cell drawing");
    return {};
}

Status controllaCodice(std::string_view code) {
    if (!CellDrawing::codiceValido(code))
        return fail(citazione(code) + " is not a code the cell drawing can hold");
    return {};
}

// The marker the course's cells hold now: a code the drawing can hold that is not an empty one.
Status controllaMarca(std::string_view code) {
    if (Status s = controllaCodice(code); !s) return s;
    if (code.empty() || code == "0") return fail("the marker of the course must not be an empty code");
    return {};
}

bool contiene(const ListaCelleDis& lista, const PuntoDis& p) {
    return std::find(lista.begin(), lista.end(), p) != lista.end();
}

// Splices the straight segment between the cells `da` and `a` into the list: from the first item naming
// either of them to the next item naming the other, the items between are dropped (their cells emptied)
// and the segment, oriented along the list, takes their place. False, changing nothing, when the list
// does not name both cells in that way.
bool innesta(CellDrawing& tblGen, ListaCelleDis& lista, const PuntoDis& da, const PuntoDis& a,
             ListaCelleDis segmento, std::string_view tmpSimb) {
    const auto primo =
        std::find_if(lista.begin(), lista.end(), [&](const PuntoDis& p) { return p == da || p == a; });
    if (primo == lista.end()) return false;
    const bool rovescia = *primo == a;
    const auto secondo = std::find(primo + 1, lista.end(), rovescia ? da : a);
    if (secondo == lista.end()) return false;
    if (rovescia) std::reverse(segmento.begin(), segmento.end());

    ListaCelleDis nuova(lista.begin(), primo + 1);
    nuova.insert(nuova.end(), segmento.begin(), segmento.end());
    nuova.insert(nuova.end(), secondo, lista.end());
    for (auto it = primo + 1; it != secondo; ++it)
        if (!contiene(nuova, *it)) tblGen.setCodice(it->r, it->c, {});
    for (const PuntoDis& p : segmento) tblGen.setCodice(p.r, p.c, tmpSimb);
    lista = std::move(nuova);
    return true;
}

// The cells of one leg from `da` to `a`, along a row or a column, appended to `run`, the first cell left
// out when `primaEsclusa`. False at the first cell that is outside the drawing or not empty.
// With a null `run` the leg is only tested.
bool gamba(const CellDrawing& tblGen, PuntoDis da, PuntoDis a, bool primaEsclusa, ListaCelleDis* run) {
    const int dr = a.r > da.r ? 1 : (a.r < da.r ? -1 : 0);
    const int dc = a.c > da.c ? 1 : (a.c < da.c ? -1 : 0);
    PuntoDis p = da;
    if (primaEsclusa) {
        if (p == a) return true;
        p = {p.r + dr, p.c + dc};
    }
    while (true) {
        if (!tblGen.inside(p.r, p.c) || !tblGen.vuota(p.r, p.c)) return false;
        if (run) run->push_back(p);
        if (p == a) return true;
        p = {p.r + dr, p.c + dc};
    }
}

}  // namespace

LimitiLista limitiLista(const ListaCelleDis& lista) {
    LimitiLista l;
    for (const PuntoDis& p : lista) {
        l.RigaMax = std::max(l.RigaMax, p.r);
        l.ColMax = std::max(l.ColMax, p.c);
        l.RigaMin = std::min(l.RigaMin, p.r);
        l.ColMin = std::min(l.ColMin, p.c);
    }
    return l;
}

Result<LimitiLista> F3Pulisci3Dis(CellDrawing& tblGen, ListaCelleDis& tmpLst, std::string_view tmpSimb,
                                  std::string_view tmpsimb2) {
    if (Status s = controllaLista(tblGen, tmpLst); !s) return fail(s.error());
    if (Status s = controllaMarca(tmpSimb); !s) return fail(s.error());
    if (Status s = controllaCodice(tmpsimb2); !s) return fail(s.error());

    static constexpr std::array<PuntoDis, 5> kIntorno{{{-1, 0}, {0, -1}, {0, 0}, {0, 1}, {1, 0}}};
    const char marca = tmpSimb.front();  // a one-letter code, checked above
    const std::size_t n = tmpLst.size();
    std::vector<bool> tolta(n, false);
    std::vector<PuntoDis> notate;
    for (std::size_t k = 0; k < n; ++k) {
        if (tolta[k]) continue;
        const PuntoDis p = tmpLst[k];
        tblGen.setCodice(p.r, p.c, tmpsimb2);
        notate.clear();
        for (const PuntoDis& d : kIntorno) {
            const PuntoDis q{p.r + d.r, p.c + d.c};
            if (tblGen.inside(q.r, q.c) && tblGen.at(q.r, q.c).codice == marca) notate.push_back(q);
        }
        if (notate.size() < 2) continue;

        // The noted cell met latest in the rest of the list closes the loop.
        std::size_t vincitore = k;
        for (const PuntoDis& q : notate)
            for (std::size_t i = n - 1; i > vincitore; --i)
                if (!tolta[i] && tmpLst[i] == q) {
                    vincitore = i;
                    break;
                }
        for (std::size_t i = k + 1; i < vincitore; ++i) {
            if (tolta[i]) continue;
            tblGen.setCodice(tmpLst[i].r, tmpLst[i].c, {});
            tolta[i] = true;
        }
    }

    ListaCelleDis nuova;
    for (std::size_t k = 0; k < n; ++k)
        if (!tolta[k]) nuova.push_back(tmpLst[k]);
    tmpLst = std::move(nuova);
    return limitiLista(tmpLst);
}

Result<LimitiLista> F3Raddrizza3Dis(CellDrawing& tblGen, ListaCelleDis& tmpLst, std::string_view tmpSimb,
                                    RigCol rigCol) {
    if (Status s = controllaLista(tblGen, tmpLst); !s) return fail(s.error());
    if (Status s = controllaMarca(tmpSimb); !s) return fail(s.error());

    const LimitiLista box = limitiLista(tmpLst);
    const char marca = tmpSimb.front();  // a one-letter code, checked above
    const bool perRighe = rigCol == RigCol::R;
    // Lines are rows (or columns); positions run along a line, inside the box of the list.
    const int posMax = perRighe ? box.ColMax : box.RigaMax;
    auto cella = [perRighe](int linea, int pos) {
        return perRighe ? PuntoDis{linea, pos} : PuntoDis{pos, linea};
    };

    // The box is scanned line by line, position by position, for cells holding the marker. A segment is
    // spliced in only between two cells of the list (innesta), so only the list's cells need visiting: they
    // are taken in the order of the scan, and taken again after each splice, which changes the list. The
    // cells a splice marks on its line lie before the next cell that holds the marker, and start nothing.
    std::vector<std::pair<int, int>> celle;  // (line, position) of the list's cells, in scan order
    const auto raccogli = [&] {
        celle.clear();
        for (const PuntoDis& p : tmpLst) celle.emplace_back(perRighe ? p.r : p.c, perRighe ? p.c : p.r);
        std::sort(celle.begin(), celle.end());
        celle.erase(std::unique(celle.begin(), celle.end()), celle.end());
    };
    raccogli();
    for (std::size_t i = 0; i < celle.size();) {
        const auto [linea, pos] = celle[i++];
        const PuntoDis da = cella(linea, pos);
        if (std::as_const(tblGen).at(da.r, da.c).codice != marca) continue;
        ListaCelleDis segmento;
        int fine = -1;
        for (int p2 = pos + 1; p2 <= posMax; ++p2) {
            const PuntoDis q = cella(linea, p2);
            if (tblGen.vuota(q.r, q.c)) {
                segmento.push_back(q);
            } else {
                if (std::as_const(tblGen).at(q.r, q.c).codice == marca) fine = p2;
                break;
            }
        }
        if (fine < 0 || segmento.empty()) continue;
        if (!innesta(tblGen, tmpLst, da, cella(linea, fine), std::move(segmento), tmpSimb)) continue;
        raccogli();
        i = static_cast<std::size_t>(std::upper_bound(celle.begin(), celle.end(), std::pair{linea, pos}) -
                                     celle.begin());
    }
    return limitiLista(tmpLst);
}

namespace {

// How far the empty cells reach from cell p in each heading 1..4 (up, right, down, left), found only as far
// as it is asked for: whether p and the d cells after it that way are inside the drawing and empty.
class Portata {
  public:
    Portata(const CellDrawing& tblGen, PuntoDis p)
        : g_(tblGen), p_(p), vuota_(tblGen.inside(p.r, p.c) && tblGen.vuota(p.r, p.c)) {}

    // Whether the cells from p to d cells away along a row (lungoColonna false) or a column are all empty;
    // d = 0 asks for p alone.
    bool fino(int d, bool lungoColonna) {
        if (!vuota_) return false;
        if (d == 0) return true;
        const std::size_t s = lungoColonna ? (d < 0 ? 1 : 3) : (d < 0 ? 4 : 2);
        static constexpr std::array<int, 5> kDr = {0, -1, 0, 1, 0}, kDc = {0, 0, 1, 0, -1};
        const int voluti = std::abs(d);
        int& n = vuote_[s];
        while (n < voluti && !chiusa_[s]) {
            const PuntoDis q{p_.r + kDr[s] * (n + 1), p_.c + kDc[s] * (n + 1)};
            if (g_.inside(q.r, q.c) && g_.vuota(q.r, q.c))
                ++n;
            else
                chiusa_[s] = true;
        }
        return n >= voluti;
    }

  private:
    const CellDrawing& g_;
    PuntoDis p_;
    bool vuota_;
    std::array<int, 5> vuote_{};    // empty cells found after p each way
    std::array<bool, 5> chiusa_{};  // and the cell after them is not empty
};

// Whether F3VerificapercorsoRetto finds a run from da to a, from how far the empty cells reach around both:
// a leg from da to the corner (da included), then one from the corner to a (the corner left out).
bool rettoPossibile(Portata& pDa, Portata& pA, PuntoDis da, PuntoDis a) {
    const int dr = a.r - da.r, dc = a.c - da.c;
    // The corner in da's column, then the one in da's row.
    const bool verticale = pDa.fino(dr, true) && (dc == 0 || pA.fino(-dc + (dc > 0 ? 1 : -1), false));
    const bool orizzontale = pDa.fino(dc, false) && (dr == 0 || pA.fino(-dr + (dr > 0 ? 1 : -1), true));
    return verticale || orizzontale;
}

}  // namespace

ListaCelleDis F3Migliorapercorso(const CellDrawing& tblGen, const ListaCelleDis& tmps) {
    constexpr int kFinestra = 80;
    const int u = static_cast<int>(tmps.size());
    // The reach of the empty cells around the last cells of the list, each measured once.
    std::vector<std::optional<Portata>> portate(static_cast<std::size_t>(std::max(u, 0)));
    const auto portata = [&](int k) -> Portata& {
        auto& x = portate[static_cast<std::size_t>(k)];
        if (!x) x.emplace(tblGen, tmps[static_cast<std::size_t>(k)]);
        return *x;
    };
    for (int i = 0; i <= u - 1 && i <= kFinestra; ++i) {
        const PuntoDis da = tmps[static_cast<std::size_t>(i)];
        for (int j = u - 1; j >= i + 3 && u - j <= kFinestra; --j) {
            const PuntoDis a = tmps[static_cast<std::size_t>(j)];
            if (!rettoPossibile(portata(i), portata(j), da, a)) continue;
            const ListaCelleDis run = F3VerificapercorsoRetto(tblGen, da.r, da.c, a.r, a.c);
            if (run.empty()) continue;
            ListaCelleDis out(tmps.begin(), tmps.begin() + i);
            out.insert(out.end(), run.begin(), run.end());
            out.insert(out.end(), tmps.begin() + j + 1, tmps.end());
            return out;
        }
    }
    return {};
}

ListaCelleDis F3VerificapercorsoRetto(const CellDrawing& tblGen, int wr1, int wc1, int wr2, int wc2) {
    const PuntoDis da{wr1, wc1};
    const PuntoDis a{wr2, wc2};
    for (const PuntoDis angolo : {PuntoDis{wr2, wc1}, PuntoDis{wr1, wc2}}) {
        // Tested first, the cells gathered only for a run that goes through.
        if (!gamba(tblGen, da, angolo, false, nullptr) || !gamba(tblGen, angolo, a, true, nullptr)) continue;
        ListaCelleDis run;
        gamba(tblGen, da, angolo, false, &run);
        gamba(tblGen, angolo, a, true, &run);
        return run;
    }
    return {};
}

}  // namespace trevalon
