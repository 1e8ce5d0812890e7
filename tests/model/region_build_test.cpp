// The regions and the region graph a build writes, held to plain references: every corner's face read on
// its own (GeneraPerimetro), the distinct faces in ascending text order, a breadth-first search with a
// queue; and, on side tables damaged on purpose, the build that writes the dumps of every corner's face.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <queue>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model_fixtures.h"

namespace trevalon {
namespace {

using testing::Codice;
using testing::codice;
using testing::diagramWith;

// The arcs of a face code (",001,004,").
std::vector<int> archiDelCodice(const std::string& codice) {
    std::vector<int> archi;
    for (std::size_t i = 1; i + 3 <= codice.size(); i += 4) archi.push_back(std::stoi(codice.substr(i, 3)));
    return archi;
}

// The regions, the two regions beside every arc and the region graph, from every corner's face alone.
struct Riferimento {
    std::vector<std::string> codici;
    std::vector<std::pair<int, int>> accanto;  // Reg1, Reg2 per arc
    std::vector<std::vector<int>> arco, dis;
};

Riferimento riferimento(const Diagram& d) {
    std::set<std::string> facce;
    for (int c = 1; c <= d.NumIncroci; ++c)
        for (int lato = 1; lato <= 4; ++lato) facce.insert(GeneraPerimetro(d, c, lato));
    Riferimento r;
    r.codici.assign(facce.begin(), facce.end());
    const int n = static_cast<int>(r.codici.size());
    r.accanto.assign(static_cast<std::size_t>(d.NumArchi) + 1, {0, 0});
    for (int g = 1; g <= n; ++g)
        for (int a : archiDelCodice(r.codici[static_cast<std::size_t>(g) - 1])) {
            auto& [r1, r2] = r.accanto[static_cast<std::size_t>(a)];
            (r1 == 0 ? r1 : r2) = g;
        }
    const auto lato = static_cast<std::size_t>(n) + 1;
    r.arco.assign(lato, std::vector<int>(lato, 0));
    for (int a = 1; a <= d.NumArchi; ++a) {
        const auto [r1, r2] = r.accanto[static_cast<std::size_t>(a)];
        r.arco[static_cast<std::size_t>(r1)][static_cast<std::size_t>(r2)] = a;
        r.arco[static_cast<std::size_t>(r2)][static_cast<std::size_t>(r1)] = a;
    }
    r.dis.assign(lato, std::vector<int>(lato, 0));
    for (int s = 1; s <= n; ++s) {
        std::vector<int>& riga = r.dis[static_cast<std::size_t>(s)];
        std::queue<int> coda;
        coda.push(s);
        while (!coda.empty()) {
            const int u = coda.front();
            coda.pop();
            for (int v = 1; v <= n; ++v)
                if (v != s && v != u && riga[static_cast<std::size_t>(v)] == 0 &&
                    r.arco[static_cast<std::size_t>(u)][static_cast<std::size_t>(v)] != 0) {
                    riga[static_cast<std::size_t>(v)] = riga[static_cast<std::size_t>(u)] + 1;
                    coda.push(v);
                }
        }
    }
    return r;
}

std::vector<Codice> diagrammiDiProva() {
    std::vector<Codice> codici;
    for (const std::string t : {"1-1+ O", "1+1- V", "1+4-4-2+3-1+2-3+ OOOV", "1-1+2-2+3-3+ OVO"})
        codici.push_back({t.substr(0, t.find(' ')), t.substr(t.find(' ') + 1)});
    std::vector<int> lunga;
    for (int k = 0; k < 23; ++k) lunga.insert(lunga.end(), {1, -2, 3});
    std::vector<int> toro;
    for (int k = 0; k < 20; ++k) toro.insert(toro.end(), {1, 2});
    for (const auto& g :
         {testsupport::braidClosure(2, {1, 1, 1}), testsupport::braidClosure(4, lunga),
          testsupport::braidClosure(3, toro), testsupport::randomBraidKnot(3, 5, 120),
          testsupport::randomBraidKnot(8, 7, 200), testsupport::randomUnknot(9, 40),
          testsupport::enlarged(testsupport::braidClosure(3, {1, 2, 1, 2, 1, 2, 1, 2}), 4, 70)})
        codici.push_back(codice(g));
    for (const auto& caso : testsupport::scrambledCases(33, 6, 15, 120))
        codici.push_back(codice(caso.diagram));
    return codici;
}

// Every build that writes the regions, in tables used again from diagram to diagram as the search uses
// them, writes those of the plain reference: the regions' codes, the two regions beside every arc, and
// the region graph's arcs and distances where the build writes them.
TEST(RegionBuild, TheRegionsAndTheGraphOfEveryCornersFaceReadAlone) {
    const struct {
        const char* nome;
        bool distanze;
        bool testi;
    } builds[] = {{"search build", true, false},
                  {"search build, no distances", false, false},
                  {"full structure", true, true}};
    const std::vector<Codice> codici = diagrammiDiProva();
    for (const auto& b : builds) {
        SCOPED_TRACE(b.nome);
        auto d = diagramWith();
        ScriptedUi ui;
        for (const Codice& c : codici) {
            SCOPED_TRACE(c.gauss.substr(0, 60));
            d->txtNodo = c.gauss;
            d->TxtOri = c.letters;
            ASSERT_TRUE(b.testi ? StrutturaDaCodice(*d, ui) : CostruisciStrutturaRicerca(*d, b.distanze));
            const Riferimento r = riferimento(*d);
            ASSERT_EQ(d->NumRegioni, static_cast<int>(r.codici.size()));
            EXPECT_EQ(std::vector<std::string>(d->CodRegione.begin() + 1,
                                               d->CodRegione.begin() + 1 + d->NumRegioni),
                      r.codici);
            for (int a = 1; a <= d->NumArchi; ++a)
                ASSERT_EQ(std::make_pair(d->archi[static_cast<std::size_t>(a)].Reg1,
                                         d->archi[static_cast<std::size_t>(a)].Reg2),
                          r.accanto[static_cast<std::size_t>(a)])
                    << "arc " << a;
            ASSERT_EQ(d->MatRegioni.size(), d->NumRegioni);
            for (int s = 0; s <= d->NumRegioni; ++s)
                for (int v = 0; v <= d->NumRegioni; ++v) {
                    const CoppiaRegioni& e = d->MatRegioni.at(s, v);
                    const int dis =
                        b.distanze ? r.dis[static_cast<std::size_t>(s)][static_cast<std::size_t>(v)] : 0;
                    ASSERT_EQ(
                        std::make_pair(e.arco, e.dis),
                        std::make_pair(r.arco[static_cast<std::size_t>(s)][static_cast<std::size_t>(v)], dis))
                        << s << "," << v;
                }
        }
    }
}

// Side tables damaged in one way or another: the regions are built, or refused with the same message, as
// the build that walks every corner and writes the dumps builds or refuses them.
TEST(RegionBuild, DamagedSideTablesAsTheBuildWithTheDumps) {
    namespace fs = std::filesystem;
    ModelSettings conDump;
    conDump.ModoDebug = true;
    conDump.programFolder = fs::temp_directory_path() / "trevalon_region_build_dumps";
    fs::create_directories(conDump.programFolder);
    enum class Danno { ArcoAltrove, ArcoFuori, LatiScambiati, VicinoAltro, VicinoFuori, ArcoDoppio };
    const struct {
        Danno danno;
        const char* nome;
    } danni[] = {{Danno::ArcoAltrove, "a side holds another arc"},
                 {Danno::ArcoFuori, "a side holds an arc outside the table"},
                 {Danno::LatiScambiati, "two sides of a crossing swapped"},
                 {Danno::VicinoAltro, "a side leads to another crossing"},
                 {Danno::VicinoFuori, "a side leads outside the crossings"},
                 {Danno::ArcoDoppio, "an arc held by a third side"}};
    const std::vector<Codice> codici = diagrammiDiProva();
    std::mt19937 rng(42);
    int costruiti = 0, rifiutati = 0;
    for (const auto& dn : danni) {
        SCOPED_TRACE(dn.nome);
        for (const Codice& c : codici) {
            SCOPED_TRACE(c.gauss.substr(0, 60));
            auto d = testing::buildStructure(c.gauss, c.letters);
            const int n = d->NumIncroci;
            auto caso = [&rng](int da, int a) { return std::uniform_int_distribution<int>(da, a)(rng); };
            for (int volta = 0; volta < 1 + caso(0, 2); ++volta) {
                Incrocio& x = d->incroci[static_cast<std::size_t>(caso(1, n))];
                const auto lato = static_cast<std::size_t>(caso(1, 4));
                switch (dn.danno) {
                    case Danno::ArcoAltrove:
                        x.ArcoLato[lato] = caso(1, d->NumArchi);
                        break;
                    case Danno::ArcoFuori:
                        x.ArcoLato[lato] = caso(0, 1) ? 0 : d->NumArchi + 1;
                        break;
                    case Danno::LatiScambiati:
                        std::swap(x.ArcoLato[lato], x.ArcoLato[lato % 4 + 1]);
                        break;
                    case Danno::VicinoAltro:
                        x.IncrocioLato[lato] = caso(1, n);
                        break;
                    case Danno::VicinoFuori:
                        x.IncrocioLato[lato] = caso(0, 1) ? 0 : n + 1;
                        break;
                    case Danno::ArcoDoppio:
                        x.ArcoLato[lato] = d->incroci[static_cast<std::size_t>(caso(1, n))].ArcoLato[1];
                        break;
                }
            }
            auto atteso = std::make_unique<Diagram>(*d);
            const Status esito = GeneraGrafoDuale(*d);
            const Status esitoAtteso = GeneraGrafoDuale(*atteso, conDump);
            ASSERT_EQ(static_cast<bool>(esito), static_cast<bool>(esitoAtteso));
            if (!esitoAtteso) {
                EXPECT_EQ(esito.error(), esitoAtteso.error());
                ++rifiutati;
                continue;
            }
            ++costruiti;
            ASSERT_EQ(d->NumRegioni, atteso->NumRegioni);
            for (int r = 1; r <= d->NumRegioni; ++r)
                EXPECT_EQ(d->CodRegione[static_cast<std::size_t>(r)],
                          atteso->CodRegione[static_cast<std::size_t>(r)]);
            for (int a = 1; a <= d->NumArchi; ++a) {
                const Arco &p = d->archi[static_cast<std::size_t>(a)],
                           &q = atteso->archi[static_cast<std::size_t>(a)];
                EXPECT_EQ(std::make_pair(p.Reg1, p.Reg2), std::make_pair(q.Reg1, q.Reg2)) << "arc " << a;
            }
        }
    }
    // Both ways out are taken.
    EXPECT_GT(costruiti, 5);
    EXPECT_GT(rifiutati, 5);
    fs::remove_all(conDump.programFolder);
}

}  // namespace
}  // namespace trevalon
