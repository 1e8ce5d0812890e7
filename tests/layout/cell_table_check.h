#pragma once
// A validity check of a routed cell table: every crossing once, with its four stubs carrying the right
// arcs; each arc's cells one 4-connected chain from the stub where it leaves its start crossing to the stub
// where it reaches its end crossing, every cell joined on exactly two sides; every path item a cell of its
// own arc; every drawn arc cell with a line code.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "layout/path_text.h"
#include "model/tables.h"

namespace trevalon::testcheck {

// The first column from c on whose cell has a kind, or n (the row's cells lie one after the other). Left out
// of the fuzzers' coverage: the check reads every cell of the table and would otherwise cost a fuzzed layout
// many times what the layout costs.
#if defined(__clang__)
__attribute__((no_sanitize("coverage"), noinline))
#endif
inline int
prossimaCellaUsata(const CellaNodo* riga, int c, int n) {
    while (c < n && riga[c].Tipo == 0) ++c;
    return c;
}

inline std::string verificaTabella(const Diagram& d, bool controllaForma) {
    using Cella = std::pair<int, int>;
    std::ostringstream err;
    auto vicina = [](Cella p, int s) {
        static constexpr int kDr[5] = {0, -1, 0, 1, 0}, kDc[5] = {0, 0, 1, 0, -1};
        return Cella{p.first + kDr[s], p.second + kDc[s]};
    };
    auto at = [&](Cella p) -> const CellaNodo& {
        static const CellaNodo vuota{};
        return CellTable::inside(p.first, p.second) ? d.TblNodo.at(p.first, p.second) : vuota;
    };
    auto di = [&](Cella p, int a) { return at(p).Tipo == 'A' && at(p).Numero == a; };
    std::map<int, Cella> posto;
    std::map<int, std::vector<Cella>> celle;
    for (int r = 0; r <= kMaxCella; ++r)
        for (int c = 0; (c = prossimaCellaUsata(&d.TblNodo.at(r, 0), c, kMaxCella + 1)) <= kMaxCella; ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Tipo == 'I' && !posto.emplace(x.Numero, Cella{r, c}).second)
                err << "crossing " << x.Numero << " twice; ";
            else if (x.Tipo == 'A' && (x.Numero < 1 || x.Numero > d.NumArchi))
                err << "arc cell of arc " << x.Numero << "; ";
            else if (x.Tipo == 'A')
                celle[x.Numero].push_back({r, c});
            else if (x.Tipo != 0 && x.Tipo != 'I')
                err << "cell of kind " << x.Tipo << "; ";
        }
    std::vector<bool> usato(d.NumIncroci + 1, false);
    for (int a = 1; a <= d.NumArchi; ++a) usato[d.archi[a].IncrocioDa] = usato[d.archi[a].IncrocioA] = true;
    for (int k = 1; k <= d.NumIncroci; ++k)
        if (usato[k] && !posto.count(k))
            err << "crossing " << k << " missing; ";
        else if (usato[k])
            for (int s = 1; s <= 4; ++s)
                if (!di(vicina(posto[k], s), d.incroci[k].ArcoLato[s]))
                    err << "crossing " << k << " side " << s << " stub wrong; ";
    if (!err.str().empty()) return err.str();
    auto stubDi = [&](int k, int a, char verso) {
        for (int s = 1; s <= 4; ++s)
            if (d.incroci[k].ArcoLato[s] == a && d.incroci[k].VersoLato[s] == verso)
                return vicina(posto[k], s);
        return Cella{-1, -1};
    };
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[a];
        const Cella inizio = stubDi(arc.IncrocioDa, a, 'U'), fine = stubDi(arc.IncrocioA, a, 'E');
        if (inizio.first < 0 || fine.first < 0) {
            err << "arc " << a << " has no stub; ";
            continue;
        }
        const auto& lista = celle[a];
        for (const Cella& p : lista) {
            int uniti = 0;
            for (int s = 1; s <= 4; ++s) uniti += at(vicina(p, s)).Tipo == 'I' || di(vicina(p, s), a);
            if (uniti != 2) {
                err << "arc " << a << " cell " << p.first << "," << p.second << " joined on " << uniti
                    << " sides; ";
                break;
            }
            if (controllaForma && at(p).Forma == 0) err << "arc " << a << " cell without code; ";
        }
        // Walk the chain from its start stub.
        Cella prev = posto[arc.IncrocioDa], cur = inizio;
        std::size_t passi = 1;
        for (Cella next{}; cur != fine && passi <= lista.size(); prev = cur, cur = next, ++passi) {
            next = {-1, -1};
            for (int s = 1; s <= 4; ++s)
                if (vicina(cur, s) != prev && di(vicina(cur, s), a)) next = vicina(cur, s);
            if (next.first < 0) break;
        }
        if (cur != fine)
            err << "arc " << a << " does not reach its end stub; ";
        else if (passi != lista.size())
            err << "arc " << a << " has " << lista.size() << " cells, chain of " << passi << "; ";
        for (const Punto& p : leggiVociPercorso(arc.Percorso))
            if (!di({p.r, p.c}, a)) {
                err << "arc " << a << " path item " << p.r << "," << p.c << " not its cell; ";
                break;
            }
    }
    return err.str();
}

}  // namespace trevalon::testcheck
