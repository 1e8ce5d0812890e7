#include "model/structure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <tuple>
#include <utility>

#include "model_fixtures.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

using testing::buildStructure;
using testing::closure;
using testing::Codice;
using testing::codice;
using testing::diagramWith;
using testing::expectConsistent;

std::vector<std::string> regionCodes(const Diagram& d) {
    return std::vector<std::string>(d.CodRegione.begin() + 1, d.CodRegione.begin() + 1 + d.NumRegioni);
}

int count(const std::string& s, char c) {
    return static_cast<int>(std::count(s.begin(), s.end(), c));
}

TEST(Structure, RegionsPassagesAndFirstPaths) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    expectConsistent(*d);
    // Two triangles of alternate arcs and three bigons, in ascending text order.
    EXPECT_EQ(regionCodes(*d), (std::vector<std::string>{",001,003,005,", ",001,004,", ",002,004,006,",
                                                         ",002,005,", ",003,006,"}));
    EXPECT_EQ((std::tuple{d->archi[1].Reg1, d->archi[1].Reg2, d->gemelli[2].IndiceGemello}),
              (std::tuple{1, 2, 5}));
    // The first path found breadth-first with neighbours in ascending order.
    for (const auto& [s, v, dis, cam, reg] : std::vector<std::tuple<int, int, int, std::string, std::string>>{
             {1, 3, 2, "1,4,|", "1,2,3,|"}, {1, 2, 1, "1,|", "1,2,|"}, {2, 4, 2, "1,5,|", "2,1,4,|"}}) {
        const TestiCammino& p = d->MatRegioni.testi(s, v);
        EXPECT_EQ((std::tuple{d->MatRegioni.at(s, v).dis, p.cam, p.reg}), (std::tuple{dis, cam, reg}))
            << s << "," << v;
    }
    auto curl = buildStructure("1+1-", "V");
    EXPECT_EQ(regionCodes(*curl), (std::vector<std::string>{",001,", ",001,002,", ",002,"}));
    EXPECT_NE(curl->gemelli[1].dirad, curl->gemelli[2].dirad);
    // Faces can be longer than a hundred arcs.
    const auto code = closure(2, std::vector<int>(101, 1));
    const auto twist = buildStructure(code.gauss, code.letters);
    std::size_t longest = 0;
    for (int r = 1; r <= twist->NumRegioni; ++r) longest = std::max(longest, twist->CodRegione[r].size() / 4);
    EXPECT_EQ(longest, 101u);
}

// Diagrams with curls and kinks, long faces and random braid closures up to 250 crossings: every table
// consistent, and as many regions as an independent face count finds.
TEST(Structure, DiagramsAgreeWithAnIndependentFaceCount) {
    std::vector<testing::Codice> codes{closure(3, {1, -2, 1, -2})};
    for (const std::string t :
         {"1-1+ O", "1-1+ V", "1+1- O", "1+1- V", "1+4-4-2+3-1+2-3+ OOOO", "1+4-4-2+3-1+2-3+ OOOV",
          "1-4+4-2+3-1+2-3+ OOOV", "1-1+2-2+3-3+ OVO", "1-1-2+2+3-3+ VVO"})
        codes.push_back({t.substr(0, t.find(' ')), t.substr(t.find(' ') + 1)});
    for (const auto& [seed, strands, length] :
         std::vector<std::tuple<unsigned, int, int>>{{1u, 3, 10}, {2u, 4, 37}, {3u, 5, 120}, {4u, 6, 240}})
        codes.push_back(testing::codice(testsupport::randomBraidKnot(seed, strands, length)));
    for (unsigned seed = 1; codes.back().letters.size() != 250u; ++seed) {
        ASSERT_LT(seed, 100u);
        codes.push_back(testing::codice(testsupport::randomBraidKnot(seed, 5, 246)));
    }
    for (const auto& code : codes) {
        SCOPED_TRACE(code.gauss + " " + code.letters);
        const auto oracle = testsupport::diagramOf(code.gauss, code.letters);
        ASSERT_TRUE(testsupport::isDrawable(oracle));
        auto d = buildStructure(code.gauss, code.letters);
        expectConsistent(*d);
        EXPECT_EQ(d->NumRegioni, testsupport::faceCount(oracle));
    }
}

TEST(Structure, BaseSidesFollowTheLetterAndTurningThemKeepsTheRegions) {
    auto d = buildStructure("1-2+3-1+2-3+", "VOO");
    const Incrocio& v = d->incroci[1];
    EXPECT_EQ((std::array{v.ArcoLato[1], v.ArcoLato[2], v.ArcoLato[4]}),
              (std::array{v.ArcoEntraSotto, v.ArcoEsceSopra, v.ArcoEntraSopra}));
    EXPECT_EQ((std::tuple{v.VersoLato[3], v.IncrocioLato[3]}), (std::tuple{'U', v.SuccSotto}));
    const Incrocio& o = d->incroci[2];
    EXPECT_EQ((std::array{o.ArcoLato[1], o.ArcoLato[3]}), (std::array{o.ArcoEsceSotto, o.ArcoEntraSotto}));
    // RuotaLati: the highest side holding the arc is turned to the wanted side, order kept.
    auto c = d->incroci[2];
    RuotaLati(*d, 2, c.ArcoLato[1], 3);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d->incroci[2].ArcoLato[(2 + i) % 4 + 1], c.ArcoLato[i + 1]);
    c = d->incroci[2];
    RuotaLati(*d, 2, 999, 1);  // an arc the crossing does not hold: unchanged
    RuotaLati(*d, 2, c.ArcoLato[1], 0);
    EXPECT_EQ(d->incroci[2].ArcoLato, c.ArcoLato);
    // Sides turned on every crossing of a larger diagram: the regions rebuilt from them are the same.
    const auto code = closure(4, {1, -2, 1, -2, 3, -2, 3});
    d = buildStructure(code.gauss, code.letters);
    const auto before = regionCodes(*d);
    for (int n = 1; n <= d->NumIncroci; ++n) RuotaLati(*d, n, d->incroci[n].ArcoEntraSotto, n % 4 + 1);
    ASSERT_TRUE(Cmdgecare_Click(*d));
    EXPECT_EQ(regionCodes(*d), before);
    expectConsistent(*d);
}

TEST(Structure, StepsThatCannotBeBuiltSayWhy) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    d->incroci[2].ArcoLato[1] = 0;
    d->incroci[2].ArcoLato[3] = 0;
    EXPECT_EQ(Cmdgecare_Click(*d).error(), "The passage walk cannot go on: crossing 2 holds no arc 2");
    EXPECT_EQ(GeneraGrafoDuale(*d).error(),
              "The side tables do not close the region at side 1 of crossing 1");
    auto big = diagramWith();
    big->NumArchi = kMaxGemelli + 2;
    big->NumIncroci = big->NumArchi / 2;
    EXPECT_EQ(GeneraCodGem(*big).error(), "Too many crossings for the passage table: 251 (at most 250)");
    EXPECT_EQ(CostruisciStrutturaRicerca(*diagramWith("1-2+3-1+2+3-", "OOO")).error(),
              "Error +/- in cross 1\nError +/- in cross 3");
    EXPECT_EQ(CostruisciStrutturaRicerca(*diagramWith("1-2+3-1+2-3+", "OO")).error(),
              "error indices in file .GAU");
}

TEST(StructureForSearches, TheDistancesOfTheFullStructureWithoutPathTexts) {
    // A diagram of more than 64 regions as well: the distances are found a word of regions at a time.
    std::vector<int> lunga;
    for (int k = 0; k < 23; ++k) lunga.insert(lunga.end(), {1, -2, 3});
    for (const auto& code :
         {closure(4, {1, -2, 1, -2, 3, -2, 3}), testing::Codice{"2+3-1+2-3+1-", "OOO"}, closure(4, lunga)}) {
        SCOPED_TRACE(code.gauss);
        auto full = buildStructure(code.gauss, code.letters);
        auto d = diagramWith(code.gauss, code.letters);
        ASSERT_TRUE(CostruisciStrutturaRicerca(*d));
        // Without distances: the same regions and passages, every distance 0.
        auto senza = diagramWith(code.gauss, code.letters);
        ASSERT_TRUE(CostruisciStrutturaRicerca(*senza, false));
        EXPECT_EQ((std::tuple{regionCodes(*senza), senza->NumGemelli}),
                  (std::tuple{regionCodes(*d), d->NumGemelli}));
        EXPECT_EQ((std::tuple{d->txtNodo, regionCodes(*d), d->NumGemelli}),
                  (std::tuple{full->txtNodo, regionCodes(*full), full->NumGemelli}));
        for (int s = 1; s <= d->NumRegioni; ++s)
            for (int v = 1; v <= d->NumRegioni; ++v) {
                const CoppiaRegioni &p = d->MatRegioni.at(s, v), &q = full->MatRegioni.at(s, v);
                EXPECT_EQ((std::tuple{p.arco, p.dis}), (std::tuple{q.arco, q.dis})) << s << "," << v;
                EXPECT_EQ((std::tuple{senza->MatRegioni.at(s, v).arco, senza->MatRegioni.at(s, v).dis}),
                          (std::tuple{p.arco, 0}));
                const TestiCammino& testi = std::as_const(*d).MatRegioni.testi(s, v);
                EXPECT_TRUE(testi.cam.empty() && testi.reg.empty());
            }
    }
}

// A diagram built in tables that held another of as many regions, path texts and all, gets the tables of
// a build in fresh ones: the search builds every diagram it meets in the same tables.
TEST(StructureForSearches, TablesBuiltAgainAreThoseOfAFreshBuild) {
    const testing::Codice a = closure(4, {1, -2, 1, -2, 3, -2, 3});
    // The same diagram read from its fourth passage: other region numbers, as many regions.
    std::vector<std::string> passaggi;
    for (std::size_t k = 0, da = 0; k < a.gauss.size(); ++k)
        if (a.gauss[k] == '+' || a.gauss[k] == '-') {
            passaggi.push_back(a.gauss.substr(da, k + 1 - da));
            da = k + 1;
        }
    std::rotate(passaggi.begin(), passaggi.begin() + 3, passaggi.end());
    std::string b;
    for (const std::string& p : passaggi) b += p;
    ASSERT_NE(b, a.gauss);
    auto d = buildStructure(a.gauss, a.letters);
    auto confronta = [&](const Diagram& atteso) {
        ASSERT_EQ(d->NumRegioni, atteso.NumRegioni);
        EXPECT_EQ(regionCodes(*d), regionCodes(atteso));
        for (int s = 0; s <= d->NumRegioni; ++s)
            for (int v = 0; v <= d->NumRegioni; ++v) {
                const CoppiaRegioni &p = d->MatRegioni.at(s, v), &q = atteso.MatRegioni.at(s, v);
                const TestiCammino &tp = std::as_const(*d).MatRegioni.testi(s, v),
                                   &tq = atteso.MatRegioni.testi(s, v);
                EXPECT_EQ(std::tie(p.arco, p.dis, tp.cam, tp.reg), std::tie(q.arco, q.dis, tq.cam, tq.reg))
                    << s << "," << v;
            }
    };
    for (bool conDistanze : {true, false}) {
        d->txtNodo = b;
        ASSERT_TRUE(CostruisciStrutturaRicerca(*d, conDistanze));
        auto fresco = diagramWith(b, a.letters);
        ASSERT_TRUE(CostruisciStrutturaRicerca(*fresco, conDistanze));
        confronta(*fresco);
    }
    d->txtNodo = a.gauss;
    ScriptedUi ui;
    ASSERT_TRUE(StrutturaDaCodice(*d, ui));
    confronta(*buildStructure(a.gauss, a.letters));
}

// A distance already in a row is kept, and the search from that row's region neither reaches that region
// again nor goes on from it: the other distances are those of the graph without it. Below 64 regions and
// beyond.
TEST(StructureForSearches, DistancesAlreadyKnownAreKeptAndNotGoneOnFrom) {
    std::vector<int> lunga;
    for (int k = 0; k < 23; ++k) lunga.insert(lunga.end(), {1, -2, 3});
    for (const auto& code : {closure(4, {1, -2, 1, -2, 3, -2, 3}), closure(4, lunga)}) {
        auto d = diagramWith(code.gauss, code.letters);
        ASSERT_TRUE(CostruisciStrutturaRicerca(*d, false));
        const int n = d->NumRegioni;
        int tolta = 0;
        for (int v = 2; v <= n && tolta == 0; ++v)
            if (d->MatRegioni.at(1, v).arco != 0) tolta = v;
        ASSERT_GT(tolta, 0);
        d->MatRegioni.at(1, tolta).dis = 99;
        GeneraDistanzeRegioni(*d);
        // Breadth first from region 1 over the arcs, region `tolta` left out.
        std::vector<int> attese(static_cast<std::size_t>(n) + 1, 0);
        std::vector<int> coda{1};
        for (std::size_t h = 0; h < coda.size(); ++h)
            for (int v = 2; v <= n; ++v)
                if (v != tolta && attese[static_cast<std::size_t>(v)] == 0 &&
                    d->MatRegioni.at(coda[h], v).arco != 0) {
                    attese[static_cast<std::size_t>(v)] = attese[static_cast<std::size_t>(coda[h])] + 1;
                    coda.push_back(v);
                }
        attese[static_cast<std::size_t>(tolta)] = 99;
        for (int v = 2; v <= n; ++v)
            EXPECT_EQ(d->MatRegioni.at(1, v).dis, attese[static_cast<std::size_t>(v)]) << n << " " << v;
        auto piena = diagramWith(code.gauss, code.letters);
        ASSERT_TRUE(CostruisciStrutturaRicerca(*piena));
        for (int s = 2; s <= n; ++s)
            for (int v = 1; v <= n; ++v)
                EXPECT_EQ(d->MatRegioni.at(s, v).dis, piena->MatRegioni.at(s, v).dis);
    }
}

TEST(ShortestPaths, CompleteModeKeepsEveryShortestPathWithinTheBound) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    for (int v = 1; v <= 5; ++v) {
        d->MatRegioni.at(1, v).dis = 0;
        d->MatRegioni.testi(1, v) = {};
    }
    EXPECT_TRUE(GeneraCamminoMinimo(*d, 1, 1, true, 2, 3));
    EXPECT_EQ((std::tuple{d->MatRegioni.testi(1, 3).cam, d->MatRegioni.testi(1, 3).reg}),
              (std::tuple{"1,4,|5,2,|3,6,|", "1,2,3,|1,4,3,|1,5,3,|"}));
    EXPECT_EQ(d->MatRegioni.testi(1, 2).cam, "1,|");
    // Run again without clearing: no first reaches, further paths appended after the old ones.
    const std::string before = d->MatRegioni.testi(1, 3).cam;
    GeneraCamminoMinimo(*d, 1, 1, true, 2, 3);
    EXPECT_TRUE(d->MatRegioni.testi(1, 3).cam.starts_with(before));
}

TEST(ShortestPaths, CompleteModeIsCappedWithWholePathsOnly) {
    // A woven braid closure: a grid of square regions with very many shortest paths between far ones.
    std::vector<int> word;
    for (int row = 0; row < 42; ++row)
        for (int i = row % 2 ? 2 : 1; i <= 7; i += 2) word.push_back(row % 4 < 2 ? i : -i);
    const auto code = closure(8, word);
    auto d = buildStructure(code.gauss, code.letters);
    const auto plain = std::make_unique<Diagram>(*d);
    int start = 1, far = 1;
    for (int s = 1; s <= d->NumRegioni; ++s)
        for (int v = 1; v <= d->NumRegioni; ++v)
            if (d->MatRegioni.at(s, v).dis > d->MatRegioni.at(start, far).dis) start = s, far = v;
    for (int v = 1; v <= d->NumRegioni; ++v) {
        d->MatRegioni.at(start, v).dis = 0;
        d->MatRegioni.testi(start, v) = {};
    }
    // Uncapped, the far region has many paths; with small caps some are left out.
    auto uncapped = std::make_unique<Diagram>(*d);
    const int length = plain->MatRegioni.at(start, far).dis;
    ASSERT_TRUE(GeneraCamminoMinimo(*uncapped, start, start, true, length, far));
    const std::string& all = uncapped->MatRegioni.testi(start, far).cam;
    ASSERT_GT(count(all, '|'), 20);
    ModelSettings caps;
    caps.maxTestoCammini = all.size() / 3;
    caps.maxCodaCammini = 40;
    EXPECT_FALSE(GeneraCamminoMinimo(*d, start, start, true, length, far, caps));
    EXPECT_LT(d->MatRegioni.testi(start, far).cam.size(), all.size());
    for (int v = 1; v <= d->NumRegioni; ++v) {
        if (v == start) continue;
        SCOPED_TRACE(v);
        const auto &p = d->MatRegioni.testi(start, v), &q = plain->MatRegioni.testi(start, v);
        EXPECT_EQ(d->MatRegioni.at(start, v).dis, plain->MatRegioni.at(start, v).dis);
        EXPECT_LE(p.cam.size(), std::max(caps.maxTestoCammini, q.cam.size()));
        EXPECT_TRUE(p.cam.starts_with(q.cam) && p.reg.ends_with('|'));  // the first path is the plain one
        EXPECT_EQ((std::tuple{count(p.reg, '|'), count(p.cam, ',')}),
                  (std::tuple{count(p.cam, '|'), d->MatRegioni.at(start, v).dis * count(p.cam, '|')}));
    }
}

// Every table a build writes, as one text: the code, the counts, every crossing, arc and passage, the
// regions with the region graph, and the crossing names.
std::string tabelle(const Diagram& d) {
    std::string t = d.txtNodo + " " + d.TxtOri + " " + std::to_string(d.NumIncroci) + "/" +
                    std::to_string(d.NumArchi) + "/" + std::to_string(d.NumGemelli) + "/" +
                    std::to_string(d.NumRegioni) + "\n";
    auto n = [&t](int v) { t += std::to_string(v) + ","; };
    for (int i = 1; i <= d.NumIncroci; ++i) {
        const Incrocio& c = d.incroci[static_cast<std::size_t>(i)];
        for (int v : {c.PrecSopra, c.PrecSotto, c.SuccSopra, c.SuccSotto, c.ArcoEntraSopra, c.ArcoEntraSotto,
                      c.ArcoEsceSopra, c.ArcoEsceSotto, c.GemSopra, c.GemSotto, c.Posto, int{c.Ori}})
            n(v);
        for (int s = 1; s <= 4; ++s) {
            n(c.ArcoLato[static_cast<std::size_t>(s)]);
            n(c.IncrocioLato[static_cast<std::size_t>(s)]);
            n(c.VersoLato[static_cast<std::size_t>(s)]);
        }
        t += d.NomiIncroci[static_cast<std::size_t>(i)] + "\n";
    }
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[static_cast<std::size_t>(a)];
        for (int v : {x.IncrocioDa, int{x.SegnoDa}, x.IncrocioA, int{x.SegnoA}, x.GemelloDa, x.GemelloA,
                      x.Reg1, x.Reg2, x.Posto})
            n(v);
        t += x.Percorso + "\n";
    }
    for (int p = 1; p <= d.NumGemelli; ++p) {
        const Gemello& g = d.gemelli[static_cast<std::size_t>(p)];
        for (int v :
             {g.Padre, g.IndiceGemello, int{g.Segno}, g.dirda, g.dirad, g.gemDa, g.gemad, g.arcoda, g.arcoad})
            n(v);
        t += "\n";
    }
    for (int r = 1; r <= d.NumRegioni; ++r) t += d.CodRegione[static_cast<std::size_t>(r)] + "\n";
    for (int r = 0; r <= d.MatRegioni.size(); ++r)
        for (int v = 0; v <= d.MatRegioni.size(); ++v) {
            const CoppiaRegioni& c = d.MatRegioni.at(r, v);
            n(c.arco);
            n(c.dis);
            t += d.MatRegioni.testi(r, v).cam + ";" + d.MatRegioni.testi(r, v).reg + "\n";
        }
    return t;
}

// The steps a build took one after another before a sound code was read once for both the check and the
// tables: the reference the build is held to.
Status costruzioneAPassi(Diagram& d, CamminiRegioni cammini) {
    if (auto v = VerificaGau(d); !v) return v;
    if (auto l = Deserializza(d); !l) return l;
    AssegnaLatiTutti(d);
    if (cammini == CamminiRegioni::Testi) return Cmdgecare_Click(d);
    if (auto e = CmDConvertiGemelli_Click(d); !e) return e;
    if (auto e = GeneraGrafoDuale(d); !e) return e;
    if (cammini == CamminiRegioni::SoloDistanze) GeneraDistanzeRegioni(d);
    return {};
}

// The code read from its passage `da` on, its labels renamed by a shuffle of `seme` (none for seed 0),
// its letters with them.
Codice giratoERinominato(const Codice& c, std::size_t da, std::uint32_t seme) {
    const auto g = testsupport::diagramOf(c.gauss, c.letters);
    std::vector<int> nome(static_cast<std::size_t>(g.crossings()) + 1);
    std::iota(nome.begin(), nome.end(), 0);
    if (seme != 0) {
        std::mt19937 rng(seme);
        std::shuffle(nome.begin() + 1, nome.end(), rng);
    }
    std::vector<PassaggioGauss> passaggi;
    const auto letti = leggiPassaggiGauss(c.gauss);
    for (const auto& p : *letti) passaggi.push_back({nome[static_cast<std::size_t>(p.label)], p.sign});
    std::rotate(passaggi.begin(), passaggi.begin() + static_cast<std::ptrdiff_t>(da % passaggi.size()),
                passaggi.end());
    std::string lettere(c.letters.size(), ' ');
    for (std::size_t k = 1; k < nome.size(); ++k)
        lettere[static_cast<std::size_t>(nome[k]) - 1] = c.letters[k - 1];
    return {scriviTestoGauss(passaggi), lettere};
}

// The search builds every diagram it examines in the tables of the one before; the build reads a sound
// code once. Over braid closures, enlarged and scrambled diagrams, each read from other passages and with
// its labels renamed, built one after another into the same tables: every table the same as the steps
// one after another write (names kept from diagram to diagram included), at every depth of the build.
TEST(StructureForSearches, OneReadingBuildsTheTablesOfTheStepsOneAfterAnother) {
    std::vector<Codice> codici;
    std::vector<int> lunga;
    for (int k = 0; k < 23; ++k) lunga.insert(lunga.end(), {1, -2, 3});
    for (const Codice& c :
         {closure(2, {1, 1, 1}), closure(3, {1, -2, 1, -2}), closure(4, lunga),
          codice(testsupport::randomBraidKnot(5, 4, 30)), codice(testsupport::randomUnknot(9, 40)),
          codice(testsupport::enlarged(testsupport::braidClosure(3, {1, 2, 1, 2, 1, 2, 1, 2}), 4, 70))})
        codici.push_back(c);
    for (const auto& caso : testsupport::scrambledCases(21, 4, 20, 90))
        codici.push_back(codice(caso.diagram));
    const struct {
        CamminiRegioni cammini;
        const char* nome;
    } profondita[] = {{CamminiRegioni::SoloDistanze, "distances"},
                      {CamminiRegioni::Nessuno, "no distances"},
                      {CamminiRegioni::Testi, "path texts"}};
    for (const auto& p : profondita) {
        SCOPED_TRACE(p.nome);
        Diagram letto, aPassi;  // tables used again, as the search uses them
        ScriptedUi ui;
        for (std::size_t i = 0; i < codici.size(); ++i)
            for (const auto& [da, seme] :
                 {std::pair<std::size_t, std::uint32_t>{0, 0}, {5, 0}, {3, 17}, {8, 4}}) {
                const Codice c = giratoERinominato(codici[i], da, seme);
                SCOPED_TRACE(c.gauss);
                letto.txtNodo = aPassi.txtNodo = c.gauss;
                letto.TxtOri = aPassi.TxtOri = c.letters;
                ASSERT_TRUE(costruzioneAPassi(aPassi, p.cammini));
                if (p.cammini == CamminiRegioni::Testi)
                    ASSERT_TRUE(StrutturaDaCodice(letto, ui));
                else
                    ASSERT_TRUE(CostruisciStrutturaRicerca(letto, p.cammini == CamminiRegioni::SoloDistanze));
                ASSERT_EQ(tabelle(letto), tabelle(aPassi));
            }
    }
}

// A code the check finds a fault in, or that the tables cannot hold, fails with the message of the steps
// one after another, and leaves the code text as they leave it.
TEST(StructureForSearches, AFaultyCodeFailsAsTheStepsOneAfterAnother) {
    std::string troppi;
    for (int c = 1; c <= kMaxIncrociGauss + 1; ++c)
        troppi += std::to_string(c) + "+" + std::to_string(c) + "-";
    const Codice casi[] = {
        {"1-2+3-1+2+3-", "OOO"},      // a crossing passed twice over
        {"2+3-1+2-3+1-", "OO"},       // a letter short
        {"2+3-1+2-3+1-", "OOX"},      // a letter that is none
        {"1-2+3-1+2-3", "OOO"},       // a label without its sign
        {"1-2+0-1+2-0+", "OOO"},      // label 0
        {"1-2+x-1+2-3+", "OOO"},      // not a label
        {"", ""},                     // nothing
        {"1-2+3-1+2-3+3-", "OOO"},    // a crossing passed three times
        {"1-2+300-1+2-300+", "OOO"},  // a label beyond the crossings
        {"1-2+99999999999-1+2-3+", "OOO"},
        {troppi, std::string(static_cast<std::size_t>(kMaxIncrociGauss) + 1, 'O')},
        {"2+3-1+2-3+1-", "OOO"},    // sound, turned to crossing 1: between faults, in the same tables
        {"02+3-01+2-3+1-", "VOO"},  // labels with leading zeros are read as their numbers
        {"01-2+3-1+2-3+", "OVO"},   // at crossing 1 already, written again without the 0
    };
    Diagram letto, aPassi;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.gauss.substr(0, 40));
        letto.txtNodo = aPassi.txtNodo = c.gauss;
        letto.TxtOri = aPassi.TxtOri = c.letters;
        const Status atteso = costruzioneAPassi(aPassi, CamminiRegioni::SoloDistanze);
        const Status esito = CostruisciStrutturaRicerca(letto);
        ASSERT_EQ(static_cast<bool>(esito), static_cast<bool>(atteso));
        if (!atteso) {
            EXPECT_EQ(esito.error(), atteso.error());
        }
        EXPECT_EQ(letto.txtNodo, aPassi.txtNodo);
        if (atteso) {
            EXPECT_EQ(tabelle(letto), tabelle(aPassi));
        }
    }
}

TEST(Dumps, WrittenOnlyWithTheDebugSwitch) {
    namespace fs = std::filesystem;
    ModelSettings settings;
    settings.programFolder = fs::temp_directory_path() / "trevalon_model_dumps";
    fs::remove_all(settings.programFolder);
    fs::create_directories(settings.programFolder);
    ScriptedUi ui;
    for (bool debug : {false, true}) {
        settings.ModoDebug = debug;
        ASSERT_TRUE(StrutturaDaCodice(*diagramWith("1-2+3-1+2-3+", "OOO"), ui, settings));
        EXPECT_EQ(fs::is_empty(settings.programFolder), !debug);
        for (const char* name : {"archi.txt", "gemelli.txt", "regioni.txt", "tmpreg.txt"})
            EXPECT_EQ(fs::exists(settings.programFolder / name), debug) << name;
    }
    fs::remove_all(settings.programFolder);
}

}  // namespace
}  // namespace trevalon
