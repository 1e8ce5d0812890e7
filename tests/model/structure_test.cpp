#include "model/structure.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model_fixtures.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

using testing::buildStructure;
using testing::closure;
using testing::expectConsistent;

std::vector<std::string> regionCodes(const Diagram& d) {
    return std::vector<std::string>(d.CodRegione.begin() + 1, d.CodRegione.begin() + 1 + d.NumRegioni);
}

TEST(Structure, TrefoilRegionsPassagesAndPaths) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    expectConsistent(*d);
    // Two triangles of alternate arcs and three bigons, in ascending text order.
    EXPECT_EQ(regionCodes(*d), (std::vector<std::string>{",001,003,005,", ",001,004,", ",002,004,006,",
                                                         ",002,005,", ",003,006,"}));
    EXPECT_EQ(d->archi[1].Reg1, 1);
    EXPECT_EQ(d->archi[1].Reg2, 2);
    EXPECT_EQ(d->MatRegioni.at(1, 2).arco, 1);
    EXPECT_EQ(d->MatRegioni.at(1, 3).arco, 0);
    // Passages alternate over and under; twins are 1-4, 2-5, 3-6.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(d->gemelli[i].Segno, i % 2 ? '+' : '-');
        EXPECT_EQ(d->gemelli[i].IndiceGemello, (i + 2) % 6 + 1);
    }
    // The first path found breadth-first with neighbours in ascending order.
    for (const auto& [s, v, dis, cam, reg] : std::vector<std::tuple<int, int, int, std::string, std::string>>{
             {1, 3, 2, "1,4,|", "1,2,3,|"}, {1, 2, 1, "1,|", "1,2,|"}, {2, 4, 2, "1,5,|", "2,1,4,|"}}) {
        const CoppiaRegioni& p = d->MatRegioni.at(s, v);
        EXPECT_EQ((std::tuple{p.dis, p.cam, p.reg}), (std::tuple{dis, cam, reg})) << s << "," << v;
    }
}

// Diagrams with curls and kinks, long faces and random braid closures up to 250 crossings: every table
// consistent, and as many regions as an independent face count finds.
TEST(Structure, DiagramsAgreeWithAnIndependentFaceCount) {
    std::vector<testing::Codice> codes{
        closure(3, {1, -2, 1, -2}),
        closure(2, std::vector<int>(101, 1)),
        {"1-1+", "O"},
        {"1-1+", "V"},
        {"1+1-", "O"},
        {"1+1-", "V"},
        {"1+4-4-2+3-1+2-3+", "OOOO"},
        {"1+4-4-2+3-1+2-3+", "OOOV"},
        {"1-4+4-2+3-1+2-3+", "OOOV"},
        {"1-1+2-2+3-3+", "OVO"},
        {"1-1-2+2+3-3+", "VVO"},
    };
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

TEST(Structure, ACurlHasThreeRegionsAndFacesCanBeLongerThanAHundredArcs) {
    auto curl = buildStructure("1+1-", "V");
    EXPECT_EQ(regionCodes(*curl), (std::vector<std::string>{",001,", ",001,002,", ",002,"}));
    EXPECT_NE(curl->gemelli[1].dirad, curl->gemelli[2].dirad);
    const auto code = closure(2, std::vector<int>(101, 1));
    const auto twist = buildStructure(code.gauss, code.letters);
    int longest = 0;
    for (int r = 1; r <= twist->NumRegioni; ++r)
        longest = std::max<int>(longest, static_cast<int>(twist->CodRegione[r].size() / 4));
    EXPECT_EQ(longest, 101);
}

TEST(Structure, RotatingSidesKeepsRegions) {
    const auto code = closure(4, {1, -2, 1, -2, 3, -2, 3});
    auto d = buildStructure(code.gauss, code.letters);
    const auto before = regionCodes(*d);
    for (int n = 1; n <= d->NumIncroci; ++n) RuotaLati(*d, n, d->incroci[n].ArcoEntraSotto, n % 4 + 1);
    for (int n = 1; n <= d->NumIncroci; ++n)
        EXPECT_EQ(d->incroci[n].ArcoLato[n % 4 + 1], d->incroci[n].ArcoEntraSotto);
    ASSERT_TRUE(Cmdgecare_Click(*d));
    EXPECT_EQ(regionCodes(*d), before);
    expectConsistent(*d);
}

TEST(Structure, BaseSidesFollowTheLetter) {
    auto d = buildStructure("1-2+3-1+2-3+", "VOO");
    const Incrocio& v = d->incroci[1];
    EXPECT_EQ((std::array{v.ArcoLato[1], v.ArcoLato[2], v.ArcoLato[4]}),
              (std::array{v.ArcoEntraSotto, v.ArcoEsceSopra, v.ArcoEntraSopra}));
    EXPECT_EQ(v.VersoLato[3], 'U');
    EXPECT_EQ(v.IncrocioLato[3], v.SuccSotto);
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
}

TEST(Structure, StepsThatCannotBeBuiltSayWhy) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    d->incroci[2].ArcoLato[1] = 0;
    d->incroci[2].ArcoLato[3] = 0;
    EXPECT_EQ(Cmdgecare_Click(*d).error(), "The passage walk cannot go on: crossing 2 holds no arc 2");
    EXPECT_EQ(GeneraGrafoDuale(*d).error(),
              "The side tables do not close the region at side 1 of crossing 1");
    auto big = testing::emptyDiagram();
    big->NumArchi = kMaxGemelli + 2;
    big->NumIncroci = big->NumArchi / 2;
    EXPECT_EQ(GeneraCodGem(*big).error(), "Too many crossings for the passage table: 251 (at most 250)");
}

TEST(StructureForSearches, TheDistancesOfTheFullStructureWithoutPathTexts) {
    for (const auto& code : {closure(4, {1, -2, 1, -2, 3, -2, 3}), testing::Codice{"2+3-1+2-3+1-", "OOO"}}) {
        SCOPED_TRACE(code.gauss);
        auto full = buildStructure(code.gauss, code.letters);
        auto d = testing::emptyDiagram();
        d->txtNodo = code.gauss;
        d->TxtOri = code.letters;
        ASSERT_TRUE(CostruisciStrutturaRicerca(*d));
        EXPECT_EQ(d->txtNodo, full->txtNodo);
        EXPECT_EQ(regionCodes(*d), regionCodes(*full));
        EXPECT_EQ(d->NumGemelli, full->NumGemelli);
        for (int s = 1; s <= d->NumRegioni; ++s)
            for (int v = 1; v <= d->NumRegioni; ++v) {
                const CoppiaRegioni &p = d->MatRegioni.at(s, v), &q = full->MatRegioni.at(s, v);
                EXPECT_EQ((std::tuple{p.arco, p.dis}), (std::tuple{q.arco, q.dis})) << s << "," << v;
                EXPECT_TRUE(p.cam.empty() && p.reg.empty());
            }
    }
}

TEST(StructureForSearches, AFaultyCodeFailsWithItsFaultLines) {
    auto d = testing::emptyDiagram();
    d->txtNodo = "1-2+3-1+2+3-";
    d->TxtOri = "OOO";
    EXPECT_EQ(CostruisciStrutturaRicerca(*d).error(), "Error +/- in cross 1\nError +/- in cross 3");
    d->txtNodo = "1-2+3-1+2-3+";
    d->TxtOri = "OO";
    EXPECT_EQ(CostruisciStrutturaRicerca(*d).error(), "error indices in file .GAU");
}

TEST(ShortestPaths, CompleteModeKeepsEveryShortestPathWithinTheBound) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    for (int v = 1; v <= 5; ++v) d->MatRegioni.at(1, v) = {d->MatRegioni.at(1, v).arco, 0, "", ""};
    EXPECT_TRUE(GeneraCamminoMinimo(*d, 1, 1, true, 2, 3));
    EXPECT_EQ(d->MatRegioni.at(1, 3).cam, "1,4,|5,2,|3,6,|");
    EXPECT_EQ(d->MatRegioni.at(1, 3).reg, "1,2,3,|1,4,3,|1,5,3,|");
    EXPECT_EQ(d->MatRegioni.at(1, 2).cam, "1,|");
    // Run again without clearing: no first reaches, further paths appended after the old ones.
    const std::string before = d->MatRegioni.at(1, 3).cam;
    GeneraCamminoMinimo(*d, 1, 1, true, 2, 3);
    EXPECT_EQ(d->MatRegioni.at(1, 3).cam.substr(0, before.size()), before);
}

TEST(ShortestPaths, CompleteModeIsCappedWithWholePathsOnly) {
    // A woven braid closure (odd generators, then even ones, 42 rows on 8 strands) has a grid of square
    // regions with very many shortest paths between far regions.
    std::vector<int> word;
    for (int row = 0; row < 42; ++row)
        for (int i = row % 2 ? 2 : 1; i <= 7; i += 2) word.push_back(row % 4 < 2 ? i : -i);
    const auto code = closure(8, word);
    ASSERT_TRUE(testsupport::isDrawable(code.gauss, code.letters));
    auto d = buildStructure(code.gauss, code.letters);
    expectConsistent(*d);
    const auto plainCopy = std::make_unique<Diagram>(*d);
    const Diagram& plain = *plainCopy;
    int start = 1, far = 1;
    for (int s = 1; s <= d->NumRegioni; ++s)
        for (int v = 1; v <= d->NumRegioni; ++v)
            if (d->MatRegioni.at(s, v).dis > d->MatRegioni.at(start, far).dis) {
                start = s;
                far = v;
            }
    for (int v = 1; v <= d->NumRegioni; ++v)
        d->MatRegioni.at(start, v) = {d->MatRegioni.at(start, v).arco, 0, "", ""};
    // Uncapped, the far region has many paths; with small caps some are left out.
    auto uncapped = std::make_unique<Diagram>(*d);
    const int length = plain.MatRegioni.at(start, far).dis;
    ASSERT_TRUE(GeneraCamminoMinimo(*uncapped, start, start, true, length, far));
    const auto& all = uncapped->MatRegioni.at(start, far);
    ASSERT_GT(std::count(all.cam.begin(), all.cam.end(), '|'), 20);
    ModelSettings caps;
    caps.maxTestoCammini = all.cam.size() / 3;
    caps.maxCodaCammini = 40;
    EXPECT_FALSE(GeneraCamminoMinimo(*d, start, start, true, length, far, caps));
    EXPECT_LT(d->MatRegioni.at(start, far).cam.size(), all.cam.size());
    for (int v = 1; v <= d->NumRegioni; ++v) {
        if (v == start) continue;
        const auto& p = d->MatRegioni.at(start, v);
        const auto& q = plain.MatRegioni.at(start, v);
        SCOPED_TRACE(v);
        EXPECT_EQ(p.dis, q.dis);
        EXPECT_LE(p.cam.size(), std::max(caps.maxTestoCammini, q.cam.size()));
        EXPECT_LE(p.reg.size(), std::max(caps.maxTestoCammini, q.reg.size()));
        ASSERT_FALSE(p.cam.empty());
        EXPECT_EQ(p.cam.back(), '|');
        EXPECT_EQ(p.reg.back(), '|');
        EXPECT_EQ(p.cam.substr(0, q.cam.size()), q.cam);  // the first path is the plain one
        EXPECT_EQ(std::count(p.cam.begin(), p.cam.end(), '|'), std::count(p.reg.begin(), p.reg.end(), '|'));
        EXPECT_EQ(std::count(p.cam.begin(), p.cam.end(), ','),
                  p.dis * std::count(p.cam.begin(), p.cam.end(), '|'));
    }
}

TEST(Dumps, WrittenOnlyWithTheDebugSwitch) {
    const auto folder = std::filesystem::temp_directory_path() / "trevalon_model_dumps";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto d = testing::emptyDiagram();
    d->txtNodo = "1-2+3-1+2-3+";
    d->TxtOri = "OOO";
    ModelSettings settings;
    settings.programFolder = folder;
    ScriptedUi ui;
    ASSERT_TRUE(StrutturaDaCodice(*d, ui, settings));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    settings.ModoDebug = true;
    ASSERT_TRUE(StrutturaDaCodice(*d, ui, settings));
    for (const char* name : {"archi.txt", "archiA.txt", "incrociA.txt", "gemelli.txt", "regioni.txt",
                             "tmpreg00.txt", "tmpreg01.txt", "tmpreg.txt"})
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace trevalon
