// The bridge candidates as the search lists them, against a plain listing: every bridge by walking the
// passages' signs, every pairing of its end regions, every shortest route by trying every region in turn,
// on braid closures, scrambled diagrams and the diagrams the horizontal search reaches from torus closures.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/structure.h"
#include "moves/bridge_lists.h"
#include "moves/bridge_rewrite.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

// One visited candidate as a comparable line: kind, crossings, route number, bridge, crossed arcs, regions
// and the bridge's sides.
std::string riga(char ab1, int c, int indice, const std::vector<int>& ponte, const std::vector<int>& archi,
                 const std::vector<int>& regioni, const std::vector<int>& lato1,
                 const std::vector<int>& lato2) {
    std::string t = std::string(1, ab1) + std::to_string(c) + "#" + std::to_string(indice);
    for (const auto* v : {&ponte, &archi, &regioni, &lato1, &lato2}) t += " " + testoLista(*v, true);
    return t;
}

// Every route of `lunghezza` steps from rA to rB crossing none of the bridge's arcs, each step one nearer
// rB by its distance row, regions tried in ascending order, up to `massimo` routes and `passi` steps (every
// step into a region one nearer counts, whether a route follows or not).
std::vector<std::vector<int>> percorsi(const Diagram& d, const std::vector<int>& ponte, int rA, int rB,
                                       int lunghezza, std::size_t massimo, long passi) {
    std::vector<std::vector<int>> out;
    std::vector<int> cammino{rA};
    bool fermo = false;
    auto dist = [&](int v) { return v == rB ? 0 : d.MatRegioni.at(rB, v).dis; };
    std::function<void(int, int)> vai = [&](int u, int resto) {
        if (resto == 0) {
            if (u == rB) out.push_back(cammino);
            fermo = out.size() >= massimo;
            return;
        }
        for (int v = 1; v <= d.NumRegioni && !fermo; ++v) {
            const int a = d.MatRegioni.at(u, v).arco;
            if (v == u || a < 1 || a > d.NumArchi || std::count(ponte.begin(), ponte.end(), a) > 0) continue;
            if (dist(v) != resto - 1 || (resto > 1 && v == rB)) continue;
            if (--passi < 0) {
                fermo = true;
                return;
            }
            cammino.push_back(v);
            vai(v, resto - 1);
            cammino.pop_back();
        }
    };
    vai(rA, lunghezza);
    return out;
}

// The plain listing of both kinds, over-bridges first.
std::vector<std::string> riferimento(const Diagram& d, bool orizzontale, bool senzaLungo, int massimo,
                                     long passi = LimitiPonte{}.maxPassiPercorsi) {
    std::vector<std::string> out;
    const int n = d.NumGemelli;
    auto segno = [&](int p) { return d.gemelli[ix(p)].Segno; };
    auto succ = [n](int p) { return p == n ? 1 : p + 1; };
    for (char ab1 : {'-', '+'}) {
        const char ab2 = ab1 == '-' ? '+' : '-';
        for (int i = 1; i <= n; ++i) {
            if (segno(i) != ab1 || segno(succ(i)) != ab2) continue;
            std::vector<int> ponte{i};
            for (int j = succ(i); j != i && !(segno(ponte.back()) == ab2 && segno(j) == ab1); j = succ(j))
                ponte.push_back(j);
            std::set<int> da, a;  // no two arcs start, nor end, at the same crossing
            bool sano = true;
            for (int x : ponte)
                sano = sano && da.insert(d.archi[ix(x)].IncrocioDa).second &&
                       a.insert(d.archi[ix(x)].IncrocioA).second;
            if (!sano) continue;
            const int c = static_cast<int>(ponte.size()) - 1;
            std::string Rg1, Rg1inv, Rg2, Rg2inv;
            ListaRegioniPonte(d, ponte, Rg1, Rg1inv, Rg2, Rg2inv);
            const std::vector<int> lato1 = numeriLista(Rg1), lato2 = numeriLista(Rg2);
            const std::vector<int> lato1inv = numeriLista(Rg1inv), lato2inv = numeriLista(Rg2inv);
            const Arco& f = d.archi[ix(ponte.front())];
            const Arco& l = d.archi[ix(ponte.back())];
            struct Coppia {
                int rA, rB, dis;
            };
            std::vector<Coppia> coppie;
            for (int rA : {f.Reg1, f.Reg2})
                for (int rB : {l.Reg1, l.Reg2}) {
                    const int dis = rA == rB ? 0 : d.MatRegioni.at(rA, rB).dis;
                    if (orizzontale ? dis == c : dis < c) coppie.push_back({rA, rB, dis});
                }
            std::stable_sort(coppie.begin(), coppie.end(),
                             [](const Coppia& x, const Coppia& y) { return x.dis < y.dis; });
            bool preso = false;
            for (const Coppia& p : coppie) {
                const auto lista =
                    percorsi(d, ponte, p.rA, p.rB, p.dis, orizzontale ? ix(massimo) : 1, passi);
                for (std::size_t k = 0; k < lista.size(); ++k) {
                    const std::vector<int>& r = lista[k];
                    if (senzaLungo && (r == lato1 || r == lato2 || r == lato1inv || r == lato2inv)) continue;
                    std::vector<int> archi;
                    for (std::size_t s = 0; s + 1 < r.size(); ++s)
                        archi.push_back(d.MatRegioni.at(r[s], r[s + 1]).arco);
                    out.push_back(riga(ab1, c, static_cast<int>(k), ponte, archi, r, lato1, lato2));
                    preso = !orizzontale;
                }
                if (preso) break;
            }
        }
    }
    return out;
}

std::unique_ptr<Diagram> perRicerca(const ts::GaussDiagram& g) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = ts::gaussText(g);
    d->TxtOri = ts::lettersText(g);
    return CostruisciStrutturaRicerca(*d) ? std::move(d) : nullptr;
}

// The diagrams compared: built as the window builds them and as the search builds its records.
std::vector<std::unique_ptr<Diagram>> diagrammi() {
    std::vector<std::unique_ptr<Diagram>> out;
    for (const auto& [strands, lunghezza, seme] :
         {std::tuple{3, 12, 1u}, {4, 20, 2u}, {5, 30, 3u}, {6, 40, 4u}, {3, 30, 5u}, {4, 45, 6u}}) {
        out.push_back(costruisci(ts::randomBraidKnot(seme, strands, lunghezza)));
        out.push_back(perRicerca(ts::randomBraidKnot(seme + 100, strands, lunghezza)));
    }
    for (const auto& caso : ts::scrambledCases(11, 4, 20, 60)) out.push_back(perRicerca(caso.diagram));
    // Region graphs too large to be read row by row for the last step of a route.
    for (const auto& [strands, lunghezza, seme] : {std::tuple{5, 80, 8u}, {7, 110, 9u}}) {
        out.push_back(perRicerca(ts::randomBraidKnot(seme, strands, lunghezza)));
        if (out.back()) {
            EXPECT_GT(out.back()->NumRegioni, 64);
        }
    }
    for (const auto& caso : ts::scrambledCases(12, 1, 80, 90)) out.push_back(perRicerca(caso.diagram));
    for (std::uint32_t seme : {2u, 9u}) out.push_back(costruisci(ts::randomUnknot(seme, 30)));
    // Torus closures and some of the diagrams their horizontal moves reach, as the search meets them.
    for (const auto& [strands, potenza] : {std::pair{3, 8}, {4, 5}, {5, 4}}) {
        ts::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        auto d = perRicerca(ts::braidClosure(strands, parola));
        if (!d) continue;
        RiscritturaPonte r(*d);
        PassaggiRiscritti p;
        int raggiunti = 0;
        for (char ab1 : {'-', '+'})
            for (const CandidatoPonte& c : candidatiPonte(*d, ab1, true)) {
                if (raggiunti >= 4 ||
                    !r.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p).ok() || p.nodoBanale)
                    continue;
                const NuovoNodo e = r.nodo(p, 0, -1);
                auto figlio = std::make_unique<Diagram>();
                figlio->txtNodo = e.txtNodo;
                figlio->TxtOri = e.TxtOri;
                if (CostruisciStrutturaRicerca(*figlio)) out.push_back(std::move(figlio)), ++raggiunti;
            }
        out.push_back(std::move(d));
    }
    return out;
}

// The search's listing, both kinds at once and each kind in turn, visits exactly the candidates of the
// plain listing in its order, for move III and horizontal, with or without the routes along the bridge
// and with a tight route cap; also where the distances leave a region unreached.
TEST(BridgeCandidates, TheListingIsThePlainListingInOrder) {
    auto tutti = diagrammi();
    // Region graphs whose rows leave regions unreached (distance 0): no route may end there.
    // Rows of the upper half of the regions left so: a route's last step into them may be tried from
    // regions of lower numbers first.
    for (const int lunghezza : {24, 90}) {
        tutti.push_back(costruisci(ts::randomBraidKnot(7, 4, lunghezza)));
        Diagram& d = *tutti.back();
        for (int v = 2; v <= d.NumRegioni; ++v) d.MatRegioni.at(2, v).dis = 0;
        for (int r = d.NumRegioni / 2; r <= d.NumRegioni; ++r)
            for (int v = 1; v <= d.NumRegioni; ++v) d.MatRegioni.at(r, v).dis = 0;
    }
    const struct {
        bool orizzontale, senzaLungo;
        int massimo;
        long passi;
    } modi[] = {{true, true, 64, 100000},  {true, false, 64, 100000}, {true, true, 2, 100000},
                {true, true, 64, 4},       {true, false, 64, 9},      {false, false, 64, 100000},
                {false, true, 64, 100000}, {false, true, 64, 2}};
    std::size_t visti = 0, ponti = 0;
    for (std::size_t i = 0; i < tutti.size(); ++i) {
        ASSERT_NE(tutti[i], nullptr) << i;
        const Diagram& d = *tutti[i];
        for (const auto& m : modi) {
            SCOPED_TRACE(std::to_string(i) + (m.orizzontale ? " horizontal" : " move III") +
                         (m.senzaLungo ? " off the bridge" : "") + " caps " + std::to_string(m.massimo) +
                         ", " + std::to_string(m.passi));
            const auto attesi = riferimento(d, m.orizzontale, m.senzaLungo, m.massimo, m.passi);
            LimitiPonte limiti;
            limiti.maxPercorsiOrizzontali = m.massimo;
            limiti.maxPassiPercorsi = m.passi;
            char tipo = '-';
            std::vector<std::string> insieme, inTurno;
            auto tieni = [&](std::vector<std::string>& lista) {
                return [&lista, &tipo](const CandidatoPonte& c) {
                    EXPECT_EQ(c.ab1, tipo);
                    lista.push_back(riga(c.ab1, c.incrociPonte, c.indicePercorso, c.archiPonte,
                                         c.archiAttraversati, c.regioni, c.latoPonte1, c.latoPonte2));
                    return true;
                };
            };
            int pontiInTurno = 0;
            for (char ab1 : {'-', '+'}) {
                tipo = ab1;
                pontiInTurno += EnumeraCandidatiPonte(d, ab1, ab1 == '-' ? '+' : '-', m.orizzontale,
                                                      tieni(inTurno), limiti, false, {}, false, m.senzaLungo)
                                    .ponti;
            }
            // Over-bridges are visited first; the kind is checked on the first candidate of each.
            tipo = '-';
            bool sotto = false;
            const auto e = EnumeraCandidatiPonteDueTipi(
                d, m.orizzontale,
                [&](const CandidatoPonte& c) {
                    if (c.ab1 == '+' && !sotto) sotto = true, tipo = '+';
                    return tieni(insieme)(c);
                },
                limiti, false, {}, false, m.senzaLungo);
            EXPECT_EQ(insieme, attesi);
            EXPECT_EQ(inTurno, attesi);
            EXPECT_EQ(e.ponti, pontiInTurno);
            visti += attesi.size();
            ponti += static_cast<std::size_t>(e.ponti);
        }
    }
    EXPECT_GT(visti, 3000U);  // the cases list candidates of every kind
    EXPECT_GT(ponti, 1000U);
}

// A visitor that stops the listing ends it at once, in either kind; the texts, when asked for, are those of
// the numbers visited.
TEST(BridgeCandidates, AStopEndsTheListingAndTheTextsAreThoseOfTheNumbers) {
    auto d = perRicerca(ts::randomBraidKnot(21, 5, 40));
    ASSERT_TRUE(d);
    const auto attesi = riferimento(*d, true, true, 64);
    ASSERT_GT(attesi.size(), 6U);
    for (std::size_t fermata : {std::size_t{0}, std::size_t{3}, attesi.size() - 1}) {
        SCOPED_TRACE(fermata);
        std::vector<std::string> visti;
        const auto e = EnumeraCandidatiPonteDueTipi(
            *d, true,
            [&](const CandidatoPonte& c) {
                EXPECT_EQ(c.mossa.ListaRegioniMossa, testoLista(c.regioni, true));
                EXPECT_EQ(c.mossa.ListaArchiAttraversati, testoLista(c.archiAttraversati, true));
                EXPECT_EQ(c.mossa.ListaArchiMossa, testoLista(c.archiPonte, false));
                visti.push_back(riga(c.ab1, c.incrociPonte, c.indicePercorso, c.archiPonte,
                                     c.archiAttraversati, c.regioni, c.latoPonte1, c.latoPonte2));
                return visti.size() <= fermata;
            },
            {}, false, {}, true, true);
        EXPECT_TRUE(e.fermato);
        EXPECT_EQ(visti,
                  std::vector<std::string>(attesi.begin(), attesi.begin() + static_cast<long>(fermata) + 1));
    }
}

// A table that is not a built diagram's (an arc beside no region, or running from no crossing, a passage
// of no side) is refused by both listings before any candidate is visited.
TEST(BridgeCandidates, TablesNotOfABuiltDiagramAreRefusedBeforeAnyVisit) {
    const struct {
        const char* nome;
        std::function<void(Diagram&)> guasta;
    } guasti[] = {
        {"arc beside region 0", [](Diagram& d) { d.archi[3].Reg2 = 0; }},
        {"arc beside a region too many", [](Diagram& d) { d.archi[d.NumArchi].Reg1 = d.NumRegioni + 1; }},
        {"arc from crossing 0", [](Diagram& d) { d.archi[2].IncrocioDa = 0; }},
        {"arc to a crossing too many", [](Diagram& d) { d.archi[5].IncrocioA = d.NumIncroci + 1; }},
        {"passage of no side", [](Diagram& d) { d.gemelli[4].Segno = '?'; }},
        {"no regions", [](Diagram& d) { d.NumRegioni = 0; }},
    };
    for (const auto& g : guasti) {
        SCOPED_TRACE(g.nome);
        auto d = perRicerca(ts::randomBraidKnot(31, 4, 20));
        ASSERT_TRUE(d);
        g.guasta(*d);
        int visti = 0;
        auto conta = [&visti](const CandidatoPonte&) { return ++visti, true; };
        EXPECT_TRUE(
            EnumeraCandidatiPonteDueTipi(*d, true, conta, {}, false, {}, false, true).tabellaNonValida);
        EXPECT_TRUE(EnumeraCandidatiPonte(*d, '-', '+', true, conta).tabellaNonValida);
        EXPECT_EQ(visti, 0);
    }
}

}  // namespace
}  // namespace trevalon
