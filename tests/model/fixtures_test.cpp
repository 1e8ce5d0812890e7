// Shared fixtures of the model's tests (in a *_test.cpp file so that the test folder builds it).

#include <algorithm>
#include <array>

#include "model_fixtures.h"

namespace trevalon::testing {

std::unique_ptr<Diagram> buildStructure(const std::string& gauss, const std::string& letters) {
    auto d = diagramWith(gauss, letters);
    ScriptedUi ui;
    const Status esito = StrutturaDaCodice(*d, ui);
    EXPECT_TRUE(esito) << gauss << " " << esito.error();
    return d;
}

void expectConsistent(const Diagram& d) {
    const auto count = [](const std::string& s, char c) { return std::count(s.begin(), s.end(), c); };
    const int n = d.NumIncroci;
    ASSERT_EQ((std::array{d.NumArchi, d.NumGemelli, d.NumRegioni}), (std::array{2 * n, 2 * n, n + 2}));
    for (int c = 1; c <= n; ++c) {
        std::array<int, 4> ends{};  // over-out, under-out, over-in, under-in
        for (int a = 1; a <= d.NumArchi; ++a) {
            const Arco& x = d.archi[a];
            if (x.IncrocioDa == c) ++ends[x.SegnoDa == '+' ? 0 : 1];
            if (x.IncrocioA == c) ++ends[x.SegnoA == '+' ? 2 : 3];
        }
        EXPECT_EQ(ends, (std::array{1, 1, 1, 1})) << c;
        const Incrocio& x = d.incroci[c];
        EXPECT_EQ((std::tuple{d.archi[x.ArcoEsceSopra].IncrocioDa, d.archi[x.ArcoEntraSotto].IncrocioA}),
                  (std::tuple{c, c}));
        EXPECT_EQ((std::tuple{d.gemelli[x.GemSopra].Segno, d.gemelli[x.GemSotto].Segno}),
                  (std::tuple{'+', '-'}));
    }
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[a];
        const Arco& next = d.archi[a % d.NumArchi + 1];
        EXPECT_EQ((std::tuple{x.IncrocioA, x.SegnoA}), (std::tuple{next.IncrocioDa, next.SegnoDa})) << a;
        EXPECT_EQ((std::tuple{x.GemelloDa, x.GemelloA}), (std::tuple{a, a % d.NumArchi + 1}));
        ASSERT_TRUE(x.Reg1 >= 1 && x.Reg2 >= 1) << a;
        EXPECT_NE(d.MatRegioni.at(x.Reg1, x.Reg2).arco, 0);
        EXPECT_NE(d.MatRegioni.at(x.Reg2, x.Reg1).arco, 0);
    }
    for (int i = 1; i <= d.NumGemelli; ++i) {
        const Gemello& g = d.gemelli[i];
        const Gemello& twin = d.gemelli[g.IndiceGemello];
        EXPECT_EQ((std::tuple{twin.IndiceGemello, twin.Padre}), (std::tuple{i, g.Padre}));
        EXPECT_NE(twin.Segno, g.Segno);
        EXPECT_EQ(d.gemelli[g.gemad].gemDa, i);
        const Incrocio& c = d.incroci[g.Padre];
        EXPECT_EQ((std::tuple{c.ArcoLato[g.dirad], c.VersoLato[g.dirad]}), (std::tuple{g.arcoad, 'U'}));
    }
    // Every arc is written twice over all region codes; codes ascend.
    long arcsInCodes = 0;
    for (int r = 1; r <= d.NumRegioni; ++r) {
        arcsInCodes += count(d.CodRegione[r], ',') - 1;
        EXPECT_TRUE(r == 1 || d.CodRegione[r - 1] < d.CodRegione[r]) << r;
    }
    EXPECT_EQ(arcsInCodes, 2 * d.NumArchi);
    for (int s = 1; s <= d.NumRegioni; ++s)
        for (int v = 1; v <= d.NumRegioni; ++v) {
            const CoppiaRegioni& p = d.MatRegioni.at(s, v);
            const TestiCammino& t = d.MatRegioni.testi(s, v);
            EXPECT_EQ(p.dis, d.MatRegioni.at(v, s).dis);
            if (s == v) {
                EXPECT_TRUE(p.dis == 0 && t.cam.empty());
                continue;
            }
            ASSERT_GT(p.dis, 0) << s << "," << v;
            EXPECT_EQ((std::tuple{count(t.cam, '|'), count(t.cam, ','), count(t.reg, ',')}),
                      (std::tuple{1, p.dis, p.dis + 1}));
        }
}

}  // namespace trevalon::testing
