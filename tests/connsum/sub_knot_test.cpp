// The sub-knot test on sums, prime knots, curls and damaged tables, mostly through whole searches.

#include "connsum/sub_knot.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "celldraw/disegno_da_codice.h"
#include "connsum_fixture.h"
#include "support/knot_invariants.h"

namespace trevalon::connsumtest {
namespace {

ts::GaussDiagram nodo(const std::string& nome) {
    return ts::diagramOf(ts::namedKnot(nome));
}

// The arcs strictly inside one of the two pieces cut at arcs a and b.
std::vector<int> archiTra(int a, int b, int n) {
    std::vector<int> v;
    for (int k = a % n + 1; k != b; k = k % n + 1) v.push_back(k);
    return v;
}

TEST(SottoNodo, SumsShowEveryJunctionWithTheArcsOfOneSideAndNothingFarFromOne) {
    const auto t = nodo("trefoil_right"), f = nodo("4_1"), k52 = nodo("5_2"), k71 = nodo("7_1");
    struct Caso {
        ts::GaussDiagram g;
        std::size_t giunzioni;  // pairs of arcs that cut the code into two pieces sharing no crossing
    };
    const std::vector<Caso> casi = {
        {ts::connectedSum(t, t), 1},
        {ts::connectedSum(t, f, 1, 4), 1},
        {ts::connectedSum(f, k52, 5, 2), 1},
        {ts::connectedSum(k71, t, 3, 0), 1},
        {ts::connectedSum(ts::connectedSum(t, f, 1, 4), k52, 3, 2), 2},
        // Two curls: the pairs around each loop cut it off too, but are too close to be tested.
        {ts::addCurl(ts::addCurl(ts::connectedSum(t, f), 2, true, 1), 12, false, -1), 3},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(ts::gaussText(c.g));
        auto d = strutturaDi(c.g);
        ASSERT_TRUE(d);
        Ricerca r(*d);
        r.esegui();
        const int n = d->NumArchi;
        const auto separanti = coppieSeparanti(c.g);
        EXPECT_EQ(separanti.size(), c.giunzioni);
        for (const auto& [a, b] : separanti) {
            if (distanza(a, b, n) < 3) continue;
            EXPECT_TRUE(r.mostrate().count({a, b})) << a << "," << b;
            for (const Partizione& p : r.w->evidenziati) {
                if (std::minmax(p.Arco1, p.Arco2) != std::minmax(a, b)) continue;
                EXPECT_TRUE(p.ArchiTratto == archiTra(a, b, n) || p.ArchiTratto == archiTra(b, a, n));
            }
        }
        for (const auto& [a, b] : r.mostrate()) EXPECT_TRUE(vicinoASeparante(c.g, a, b)) << a << "," << b;
        EXPECT_EQ(r.ui.messages, std::vector<std::string>{"No other connected sum was found"});
    }
}

// The layout turns the side tables of most crossings; the walks turn with them.
TEST(SottoNodo, ALaidOutSumShowsThePairsOfItsBareStructure) {
    const auto g = ts::connectedSum(nodo("4_1"), nodo("5_2"), 5, 2);
    fixture::Disegnato disegno;
    ASSERT_TRUE(disegno.costruisci(ts::gaussText(g), ts::lettersText(g)));
    auto d = strutturaDi(g);
    ASSERT_TRUE(d);
    Ricerca disegnata(*disegno.d), nuda(*d);
    disegnata.esegui();
    nuda.esegui();
    EXPECT_TRUE(disegnata.mostrate().count({8, 20}));
    EXPECT_EQ(disegnata.mostrate(), nuda.mostrate());
}

TEST(SottoNodo, PrimeKnotsShowNothing) {
    std::vector<ts::GaussDiagram> primi;
    for (const auto& k : ts::namedKnots())
        if (k.primeAlternating) primi.push_back(ts::diagramOf(k));
    // Generated braid knots in which no pair of arcs cuts off a piece, not even one that a strand passes
    // wholly over (seeds of the next test that show nothing).
    primi.push_back(ts::randomBraidKnot(4, 4, 18));
    primi.push_back(ts::randomBraidKnot(6, 3, 20));
    primi.push_back(ts::randomBraidKnot(7, 4, 21));
    for (const auto& g : primi) {
        SCOPED_TRACE(ts::gaussText(g));
        ASSERT_TRUE(coppieSeparanti(g).empty());
        auto d = strutturaDi(g);
        ASSERT_TRUE(d);
        Ricerca r(*d);
        r.esegui();
        EXPECT_TRUE(r.ui.viewerRequests.empty());
        EXPECT_EQ(r.ui.messages, std::vector<std::string>{"No connected sum was found"});
    }
}

// Off the junctions, a pair is shown when the strand outside passes wholly over or under the piece between
// its cut arcs (and never when it passes over it at one crossing and under it at another); the knot is
// then the sum of the two pieces, which the Jones polynomial must confirm.
TEST(SottoNodo, PairsShownOnGeneratedKnotsAreSums) {
    int confermate = 0;
    for (std::uint32_t seme = 1; seme <= 8; ++seme) {
        const auto g = ts::randomBraidKnot(seme, 3 + static_cast<int>(seme % 3), 14 + static_cast<int>(seme));
        auto d = strutturaDi(g);
        ASSERT_TRUE(d);
        Ricerca r(*d);
        r.esegui();
        const auto jones = ts::jonesPolynomial(g);
        ASSERT_TRUE(jones);
        for (const auto& [a, b] : r.stato.CoppieMostrate) {
            // At the crossings the two pieces share, the piece between the cut arcs is always on one side.
            std::map<int, int> volte;
            const int n = static_cast<int>(g.passages.size());
            for (int k = a % n + 1; k != b % n + 1; k = k % n + 1) ++volte[g.passages[k - 1].label];
            std::set<bool> lati;
            for (int k = a % n + 1; k != b % n + 1; k = k % n + 1)
                if (volte[g.passages[k - 1].label] == 1) lati.insert(g.passages[k - 1].over);
            EXPECT_LE(lati.size(), 1u) << ts::gaussText(g) << " at " << a << "," << b;
            const auto p1 = pezzo(g, a, b), p2 = pezzo(g, b, a);
            // A cut slid through a crossing leaves that crossing out of both pieces: not a planar code.
            if (!ts::isDrawable(p1) || !ts::isDrawable(p2)) continue;
            const auto j1 = ts::jonesPolynomial(p1), j2 = ts::jonesPolynomial(p2);
            ASSERT_TRUE(j1 && j2);
            EXPECT_EQ(*jones, *j1 * *j2) << ts::gaussText(g) << " at " << a << "," << b;
            ++confermate;
        }
    }
    EXPECT_GE(confermate, 5);
}

TEST(SottoNodo, NearAndShownPairsAreSkippedAndAnAnswerKeepsItsRecord) {
    auto d = strutturaDi(ts::connectedSum(nodo("trefoil_right"), nodo("trefoil_right")));
    ASSERT_TRUE(d);
    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::None, ViewerAnswer::Se1};
    FinestraSommaSenzaVista w(*d, ui);
    StatoSomma stato;
    for (const auto& [a, b] : {std::pair{1, 3}, {1, 11}, {12, 2}, {6, 6}, {6, 8}, {4, 12}})
        EXPECT_EQ(TSotto(w, stato, a, b, ModoSottonodo::B), ViewerAnswer::None) << a << "," << b;
    EXPECT_TRUE(ui.viewerRequests.empty());

    EXPECT_EQ(TSotto(w, stato, 6, 12, ModoSottonodo::A), ViewerAnswer::None);
    EXPECT_EQ(TSotto(w, stato, 12, 6, ModoSottonodo::B), ViewerAnswer::None);
    ASSERT_EQ(ui.viewerRequests.size(), 1u);
    EXPECT_EQ(ui.viewerRequests[0].message, "Sottonodo 6(3-4) - 12(6-1)");
    EXPECT_EQ(ui.viewerRequests[0].tipoMossa, MoveKind::ConnSum);
    EXPECT_EQ(ui.viewerRequests[0].tipoAzione, ViewerAction::Move);

    stato.dimentica(6, 12);
    EXPECT_EQ(TSotto(w, stato, 6, 12, ModoSottonodo::A), ViewerAnswer::Se1);
    EXPECT_EQ(stato.NumCandidati, 2);
    EXPECT_EQ(stato.ArcoTaglio1, 6);
    EXPECT_EQ(stato.ArcoTaglio2, 12);
    const Partizione& p = stato.tblPartizioni[static_cast<std::size_t>(stato.IndicePartizione)];
    ASSERT_EQ(p.Molteplicita.size(), static_cast<std::size_t>(d->NumIncroci) + 1);
    EXPECT_EQ(std::accumulate(p.Molteplicita.begin(), p.Molteplicita.end(), 0),
              static_cast<int>(p.ListaIncrociBordo.size()));
    for (int c = 1; c <= d->NumIncroci; ++c)
        EXPECT_EQ(p.Molteplicita[static_cast<std::size_t>(c)],
                  std::count(p.ListaIncrociBordo.begin(), p.ListaIncrociBordo.end(), c));

    // The next call starts from empty records.
    TSotto(w, stato, 1, 3, ModoSottonodo::A);
    EXPECT_EQ(stato.tblPartizioni[1].Marca, 0);
    EXPECT_TRUE(stato.tblPartizioni[2].ListaBordo.empty());
}

TEST(SottoNodo, DamagedTablesRejectThePairWithoutAMessage) {
    const auto g = ts::connectedSum(nodo("trefoil_right"), nodo("trefoil_right"));
    const std::vector<std::function<void(Diagram&)>> danni = {
        [](Diagram& d) { d.incroci[4].ArcoLato = {}; }, [](Diagram& d) { d.incroci[5].ArcoLato[2] = 999; },
        [](Diagram& d) { d.archi[8].IncrocioA = 400; }, [](Diagram& d) { d.archi[9].IncrocioDa = -3; },
        [](Diagram& d) { d.gemelli[9].Padre = 0; },     [](Diagram& d) { d.NumGemelli -= 2; },
        [](Diagram& d) { d.NumIncroci = 700; },
    };
    for (const auto& danno : danni) {
        auto d = strutturaDi(g);
        ASSERT_TRUE(d);
        danno(*d);
        ScriptedUi ui;
        FinestraSommaSenzaVista w(*d, ui);
        StatoSomma stato;
        for (int a = 1; a <= d->NumArchi; ++a)
            for (int b = 1; b <= d->NumArchi; ++b) TSotto(w, stato, a, b, ModoSottonodo::B);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(SottoNodo, SumOf250CrossingsFindsItsJunction) {
    const auto a = ts::randomBraidKnot(11, 5, 120), b = ts::randomBraidKnot(12, 4, 120);
    const auto g = ts::connectedSum(a, b);
    ASSERT_GE(g.crossings(), 240);
    auto d = strutturaDi(g);
    ASSERT_TRUE(d);
    Ricerca r(*d, 100000);
    r.esegui();
    EXPECT_TRUE(r.mostrate().count({2 * a.crossings(), d->NumArchi}));
    EXPECT_EQ(r.ui.messages, std::vector<std::string>{"No other connected sum was found"});
}

}  // namespace
}  // namespace trevalon::connsumtest
