#pragma once
// A validity check of a routed cell table: every crossing once, with its four stubs carrying the right
// arcs; each arc's cells one 4-connected chain from the stub where it leaves its start crossing to the stub
// where it reaches its end crossing, every cell joined on exactly two sides; every path item a cell of its
// own arc; every drawn arc cell with a line code.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "layout/cell_lists.h"
#include "model/tables.h"

namespace trevalon::testcheck {

inline std::string verificaTabella(const Diagram& d, bool controllaForma) {
    std::ostringstream err;
    auto at = [&](int r, int c) -> const CellaNodo& {
        static const CellaNodo vuota{};
        return CellTable::inside(r, c) ? d.TblNodo.at(r, c) : vuota;
    };
    static constexpr int kDr[5] = {0, -1, 0, 1, 0}, kDc[5] = {0, 0, 1, 0, -1};
    std::map<int, std::pair<int, int>> posto;
    std::map<int, std::vector<std::pair<int, int>>> celle;
    for (int r = 0; r <= kMaxCella; ++r)
        for (int c = 0; c <= kMaxCella; ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Tipo == 'I') {
                if (posto.count(x.Numero)) err << "crossing " << x.Numero << " twice; ";
                posto[x.Numero] = {r, c};
            } else if (x.Tipo == 'A') {
                if (x.Numero < 1 || x.Numero > d.NumArchi) err << "arc cell of arc " << x.Numero << "; ";
                celle[x.Numero].push_back({r, c});
            } else if (x.Tipo != 0) {
                err << "cell of kind " << x.Tipo << "; ";
            }
        }
    std::vector<bool> usato(d.NumIncroci + 1, false);
    for (int a = 1; a <= d.NumArchi; ++a) usato[d.archi[a].IncrocioDa] = usato[d.archi[a].IncrocioA] = true;
    for (int k = 1; k <= d.NumIncroci; ++k) {
        if (!usato[k]) continue;
        auto it = posto.find(k);
        if (it == posto.end()) {
            err << "crossing " << k << " missing; ";
            continue;
        }
        for (int s = 1; s <= 4; ++s) {
            const CellaNodo& stub = at(it->second.first + kDr[s], it->second.second + kDc[s]);
            if (stub.Tipo != 'A' || stub.Numero != d.incroci[k].ArcoLato[s])
                err << "crossing " << k << " side " << s << " stub wrong; ";
        }
    }
    if (!err.str().empty()) return err.str();
    auto stubDi = [&](int k, int a, char verso) -> std::pair<int, int> {
        for (int s = 1; s <= 4; ++s)
            if (d.incroci[k].ArcoLato[s] == a && d.incroci[k].VersoLato[s] == verso)
                return {posto[k].first + kDr[s], posto[k].second + kDc[s]};
        return {-1, -1};
    };
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[a];
        const auto inizio = stubDi(arc.IncrocioDa, a, 'U'), fine = stubDi(arc.IncrocioA, a, 'E');
        if (inizio.first < 0 || fine.first < 0) {
            err << "arc " << a << " has no stub; ";
            continue;
        }
        const auto& lista = celle[a];
        for (const auto& [r, c] : lista) {
            int uniti = 0;
            for (int s = 1; s <= 4; ++s) {
                const CellaNodo& v = at(r + kDr[s], c + kDc[s]);
                if (v.Tipo == 'I' || (v.Tipo == 'A' && v.Numero == a)) ++uniti;
            }
            if (uniti != 2) {
                err << "arc " << a << " cell " << r << "," << c << " joined on " << uniti << " sides; ";
                break;
            }
            if (controllaForma && d.TblNodo.at(r, c).Forma == 0) err << "arc " << a << " cell without code; ";
        }
        // Walk the chain from its start stub.
        std::pair<int, int> prev = posto[arc.IncrocioDa], cur = inizio;
        std::size_t passi = 1;
        while (cur != fine && passi <= lista.size()) {
            std::pair<int, int> next{-1, -1};
            for (int s = 1; s <= 4; ++s) {
                const std::pair<int, int> q{cur.first + kDr[s], cur.second + kDc[s]};
                const CellaNodo& v = at(q.first, q.second);
                if (q != prev && v.Tipo == 'A' && v.Numero == a) next = q;
            }
            if (next.first < 0) break;
            prev = cur;
            cur = next;
            ++passi;
        }
        if (cur != fine)
            err << "arc " << a << " does not reach its end stub; ";
        else if (passi != lista.size())
            err << "arc " << a << " has " << lista.size() << " cells, chain of " << passi << "; ";
        for (const Punto& p : leggiVociPercorso(arc.Percorso)) {
            const CellaNodo& v = at(p.r, p.c);
            if (v.Tipo != 'A' || v.Numero != a) {
                err << "arc " << a << " path item " << p.r << "," << p.c << " not its cell; ";
                break;
            }
        }
    }
    return err.str();
}

}  // namespace trevalon::testcheck
