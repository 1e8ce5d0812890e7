#include "model/structure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/dumps.h"
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
    EXPECT_EQ(d->gemelli[1].gemDa, 6);
    EXPECT_EQ(d->gemelli[6].gemad, 1);
    // Distances 1 or 2; the first path found breadth-first with neighbours in ascending order.
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 5; ++v)
            if (s != v) {
                EXPECT_TRUE(d->MatRegioni.at(s, v).dis == 1 || d->MatRegioni.at(s, v).dis == 2);
            }
    EXPECT_EQ(d->MatRegioni.at(1, 3).dis, 2);
    EXPECT_EQ(d->MatRegioni.at(1, 3).cam, "1,4,|");
    EXPECT_EQ(d->MatRegioni.at(1, 3).reg, "1,2,3,|");
    EXPECT_EQ(d->MatRegioni.at(1, 2).cam, "1,|");
    EXPECT_EQ(d->MatRegioni.at(1, 2).reg, "1,2,|");
    EXPECT_EQ(d->MatRegioni.at(2, 4).cam, "1,5,|");
    EXPECT_EQ(d->MatRegioni.at(2, 4).reg, "2,1,4,|");
}

TEST(Structure, FigureEightRegionsAndDistances) {
    const auto code = closure({1, -2, 1, -2});
    ASSERT_TRUE(testsupport::isDrawable(code.gauss, code.letters));
    auto d = buildStructure(code.gauss, code.letters);
    expectConsistent(*d);
    EXPECT_EQ(d->NumRegioni, 6);
    int farthest = 0;
    for (int s = 1; s <= 6; ++s)
        for (int v = 1; v <= 6; ++v) farthest = std::max(farthest, d->MatRegioni.at(s, v).dis);
    EXPECT_GE(farthest, 2);
    EXPECT_LE(farthest, 3);
}

TEST(Structure, CurlInEachOrientationHasThreeRegions) {
    for (const std::string gauss : {"1-1+", "1+1-"})
        for (const std::string letter : {"O", "V"}) {
            SCOPED_TRACE(gauss + letter);
            auto d = buildStructure(gauss, letter);
            expectConsistent(*d);
            EXPECT_EQ(regionCodes(*d), (std::vector<std::string>{",001,", ",001,002,", ",002,"}));
            // The passage leaves by the side where the arc goes out, not the first side holding it.
            EXPECT_EQ(d->incroci[1].VersoLato[d->gemelli[1].dirad], 'U');
            EXPECT_EQ(d->incroci[1].VersoLato[d->gemelli[2].dirad], 'U');
            EXPECT_NE(d->gemelli[1].dirad, d->gemelli[2].dirad);
        }
}

TEST(Structure, KinkedTrefoilAndCurlsAgreeWithAnIndependentFaceCount) {
    // The trefoil with a curl on its first arc, each way round, and a chain of curls.
    for (const auto& [gauss, letters] :
         std::vector<std::pair<std::string, std::string>>{{"1+4-4-2+3-1+2-3+", "OOOO"},
                                                          {"1+4-4-2+3-1+2-3+", "OOOV"},
                                                          {"1-4+4-2+3-1+2-3+", "OOOV"},
                                                          {"1-1+2-2+3-3+", "OVO"},
                                                          {"1-1-2+2+3-3+", "VVO"}}) {
        SCOPED_TRACE(gauss + " " + letters);
        ASSERT_TRUE(testsupport::isDrawable(gauss, letters));
        auto d = buildStructure(gauss, letters);
        expectConsistent(*d);
    }
}

TEST(Structure, LongTwistHasFacesLongerThanAHundredArcs) {
    const auto code = closure(std::vector<int>(101, 1));
    auto d = buildStructure(code.gauss, code.letters);
    expectConsistent(*d);
    int longest = 0;
    for (int r = 1; r <= d->NumRegioni; ++r)
        longest = std::max<int>(longest, static_cast<int>(d->CodRegione[r].size() / 4));
    EXPECT_EQ(longest, 101);
}

TEST(Structure, RandomBraidClosuresUpTo250Crossings) {
    for (const auto& [length, strands, seed] :
         std::vector<std::tuple<int, int, unsigned>>{{10, 3, 1u}, {37, 4, 2u}, {120, 5, 3u}, {245, 6, 4u}}) {
        const auto code = closure(testing::knotWord(length, strands, seed));
        SCOPED_TRACE(code.gauss);
        ASSERT_LE(code.letters.size(), 250u);
        const auto oracle = testsupport::diagramOf(code.gauss, code.letters);
        ASSERT_TRUE(testsupport::isDrawable(oracle));
        auto d = buildStructure(code.gauss, code.letters);
        expectConsistent(*d);
        EXPECT_EQ(d->NumRegioni, testsupport::faceCount(oracle));
    }
    std::vector<int> word;
    for (int length = 250; word.size() != 250u; --length) word = testing::knotWord(length, 5, 9u);
    const auto full = closure(word);
    auto d = buildStructure(full.gauss, full.letters);
    EXPECT_EQ(d->NumIncroci, 250);
    expectConsistent(*d);
}

TEST(Structure, RotatingSidesKeepsRegions) {
    const auto code = closure({1, -2, 1, -2, 3, -2, 3});
    auto d = buildStructure(code.gauss, code.letters);
    const auto before = regionCodes(*d);
    for (int n = 1; n <= d->NumIncroci; ++n) RuotaLati(*d, n, d->incroci[n].ArcoEntraSotto, n % 4 + 1);
    for (int n = 1; n <= d->NumIncroci; ++n)
        EXPECT_EQ(d->incroci[n].ArcoLato[n % 4 + 1], d->incroci[n].ArcoEntraSotto);
    ASSERT_TRUE(Cmdgecare_Click(*d).ok);
    EXPECT_EQ(regionCodes(*d), before);
    expectConsistent(*d);
}

TEST(Structure, BaseSidesFollowTheLetter) {
    auto d = buildStructure("1-2+3-1+2-3+", "VOO");
    const Incrocio& v = d->incroci[1];
    EXPECT_EQ(v.ArcoLato[2], v.ArcoEsceSopra);
    EXPECT_EQ(v.ArcoLato[4], v.ArcoEntraSopra);
    EXPECT_EQ(v.ArcoLato[1], v.ArcoEntraSotto);
    EXPECT_EQ(v.VersoLato[3], 'U');
    EXPECT_EQ(v.IncrocioLato[3], v.SuccSotto);
    const Incrocio& o = d->incroci[2];
    EXPECT_EQ(o.ArcoLato[3], o.ArcoEntraSotto);
    EXPECT_EQ(o.ArcoLato[1], o.ArcoEsceSotto);
    // RuotaLati: the highest side holding the arc is turned to the wanted side, order kept.
    auto c = d->incroci[2];
    RuotaLati(*d, 2, c.ArcoLato[1], 3);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d->incroci[2].ArcoLato[(2 + i) % 4 + 1], c.ArcoLato[i + 1]);
    c = d->incroci[2];
    RuotaLati(*d, 2, 999, 1);  // an arc the crossing does not hold: unchanged
    RuotaLati(*d, 2, c.ArcoLato[1], 0);
    EXPECT_EQ(d->incroci[2].ArcoLato, c.ArcoLato);
}

TEST(Structure, BrokenSideTablesAreReportedNotWalked) {
    auto d = buildStructure("1-2+3-1+2-3+", "OOO");
    d->incroci[2].ArcoLato[1] = 0;
    d->incroci[2].ArcoLato[3] = 0;
    d->ErroreCostruzione = false;
    const auto esito = Cmdgecare_Click(*d);
    EXPECT_FALSE(esito.ok);
    EXPECT_TRUE(d->ErroreCostruzione);
    EXPECT_FALSE(esito.messaggio.empty());
}

TEST(Structure, PassageTableLimit) {
    auto d = testing::emptyDiagram();
    d->NumArchi = kMaxGemelli + 2;
    d->NumIncroci = d->NumArchi / 2;
    const auto esito = GeneraCodGem(*d);
    EXPECT_FALSE(esito.ok);
    EXPECT_EQ(esito.messaggio, "Too many crossings for the passage table: 251 (at most 250)");
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
    const auto code = closure(word);
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
    for (int v = 1; v <= d->NumRegioni; ++v) {
        auto& p = d->MatRegioni.at(start, v);
        p.dis = 0;
        p.cam.clear();
        p.reg.clear();
    }
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
    d->TxtOri = "OO";
    ModelSettings quiet;
    quiet.programFolder = folder;
    Deserializza(*d, quiet);
    AssegnaLatiTutti(*d);
    ASSERT_TRUE(Cmdgecare_Click(*d, quiet).ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(d->incroci[3].Ori, 0);  // the letters text is one short

    ModelSettings debug = quiet;
    debug.ModoDebug = true;
    d->TxtOri = "OOO";
    Deserializza(*d, debug);
    AssegnaLatiTutti(*d);
    ASSERT_TRUE(Cmdgecare_Click(*d, debug).ok);
    for (const char* name : {"archi.txt", "archiA.txt", "incrociA.txt", "gemelli.txt", "regioni.txt",
                             "tmpreg00.txt", "tmpreg01.txt", "tmpreg.txt"})
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    std::ifstream archi(folder / "archi.txt");
    std::string line;
    std::getline(archi, line);
    EXPECT_EQ(line, "1 1+ 2-");
    EXPECT_EQ(rigaArco(*d, 1), "1 1+/2- gem>1-2 r1>1 r2>2");
    EXPECT_EQ(rigaGemello(*d, 1).substr(0, 19), "1 Padre>1+ dirda>3 ");
    const auto regions = righeRegioni(*d);
    EXPECT_EQ(regions[0], " ");
    EXPECT_EQ(regions[1], "\t01,02 arco>001 dis>001 cam>1, reg>1,2,  CODICI:,001,003,005,-,001,004,");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace trevalon
