// Shared fixtures of the model's tests (in a *_test.cpp file so that the test folder builds it).

#include <algorithm>
#include <numeric>

#include "model_fixtures.h"

namespace trevalon::testing {

std::unique_ptr<Diagram> buildStructure(const std::string& gauss, const std::string& letters) {
    auto d = emptyDiagram();
    d->txtNodo = gauss;
    d->TxtOri = letters;
    ScriptedUi ui;
    const Status esito = StrutturaDaCodice(*d, ui);
    EXPECT_TRUE(esito) << gauss << " " << esito.error();
    return d;
}

void expectConsistent(const Diagram& d) {
    const int n = d.NumIncroci;
    ASSERT_EQ(d.NumArchi, 2 * n);
    ASSERT_EQ(d.NumGemelli, d.NumArchi);
    ASSERT_EQ(d.NumRegioni, n + 2);
    for (int c = 1; c <= n; ++c) {
        int overIn = 0, overOut = 0, underIn = 0, underOut = 0;
        for (int a = 1; a <= d.NumArchi; ++a) {
            const Arco& x = d.archi[a];
            if (x.IncrocioDa == c) (x.SegnoDa == '+' ? overOut : underOut)++;
            if (x.IncrocioA == c) (x.SegnoA == '+' ? overIn : underIn)++;
        }
        EXPECT_EQ(overIn, 1) << c;
        EXPECT_EQ(overOut, 1) << c;
        EXPECT_EQ(underIn, 1) << c;
        EXPECT_EQ(underOut, 1) << c;
        const Incrocio& x = d.incroci[c];
        EXPECT_EQ(d.archi[x.ArcoEsceSopra].IncrocioDa, c);
        EXPECT_EQ(d.archi[x.ArcoEntraSotto].IncrocioA, c);
        EXPECT_EQ(d.gemelli[x.GemSopra].Segno, '+');
        EXPECT_EQ(d.gemelli[x.GemSotto].Segno, '-');
    }
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[a];
        const Arco& next = d.archi[a % d.NumArchi + 1];
        EXPECT_EQ(x.IncrocioA, next.IncrocioDa) << a;
        EXPECT_EQ(x.SegnoA, next.SegnoDa) << a;
        EXPECT_EQ(x.GemelloDa, a);
        EXPECT_EQ(x.GemelloA, a % d.NumArchi + 1);
        ASSERT_GE(x.Reg1, 1);
        ASSERT_GE(x.Reg2, 1);
        EXPECT_NE(d.MatRegioni.at(x.Reg1, x.Reg2).arco, 0);
        EXPECT_NE(d.MatRegioni.at(x.Reg2, x.Reg1).arco, 0);
    }
    for (int i = 1; i <= d.NumGemelli; ++i) {
        const Gemello& g = d.gemelli[i];
        const Gemello& twin = d.gemelli[g.IndiceGemello];
        EXPECT_EQ(twin.IndiceGemello, i);
        EXPECT_EQ(twin.Padre, g.Padre);
        EXPECT_NE(twin.Segno, g.Segno);
        EXPECT_EQ(d.gemelli[g.gemad].gemDa, i);
        const Incrocio& c = d.incroci[g.Padre];
        EXPECT_EQ(c.ArcoLato[g.dirad], g.arcoad);
        EXPECT_EQ(c.VersoLato[g.dirad], 'U');
    }
    // Every arc is written twice over all region codes; codes ascend.
    std::size_t arcsInCodes = 0;
    for (int r = 1; r <= d.NumRegioni; ++r) {
        arcsInCodes +=
            static_cast<std::size_t>(std::count(d.CodRegione[r].begin(), d.CodRegione[r].end(), ',') - 1);
        if (r > 1) {
            EXPECT_LT(d.CodRegione[r - 1], d.CodRegione[r]);
        }
    }
    EXPECT_EQ(arcsInCodes, static_cast<std::size_t>(2 * d.NumArchi));
    for (int s = 1; s <= d.NumRegioni; ++s)
        for (int v = 1; v <= d.NumRegioni; ++v) {
            const CoppiaRegioni& p = d.MatRegioni.at(s, v);
            EXPECT_EQ(p.dis, d.MatRegioni.at(v, s).dis);
            if (s == v) {
                EXPECT_EQ(p.dis, 0);
                EXPECT_TRUE(p.cam.empty());
                continue;
            }
            ASSERT_GT(p.dis, 0) << s << "," << v;
            EXPECT_EQ(std::count(p.cam.begin(), p.cam.end(), '|'), 1);
            EXPECT_EQ(std::count(p.cam.begin(), p.cam.end(), ','), p.dis);
            EXPECT_EQ(std::count(p.reg.begin(), p.reg.end(), ','), p.dis + 1);
        }
}

}  // namespace trevalon::testing
