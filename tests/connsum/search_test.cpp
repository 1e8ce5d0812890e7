// The connected-sum search: its walk over the pairs with a scripted test, and whole searches with the
// stop frame, the toolbar, "Cancel" and the closing messages.

#include "connsum/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "connsum_fixture.h"

namespace trevalon::connsumtest {
namespace {

// A scripted pair test that behaves as the sub-knot test does with the shown list: a pair already shown
// is skipped; every other pair is shown and answered from `risposte` (the empty answer by default).
struct Percorso {
    StatoSomma stato;
    std::map<std::pair<int, int>, ViewerAnswer> risposte;
    std::vector<std::pair<int, int>> sospendi;  // set aside by the first pass
    std::vector<std::pair<int, int>> provate, mostrati;
    std::vector<ModoSottonodo> modi;
    int fermate = 0, passi = 0;
    int fermaAl = 0;  // "Cancel" pressed at this first arc (0: never)

    EsitoCoppie esegui(int numArchi) {
        return percorriCoppie(
            numArchi, stato,
            [this](int a, int b, ModoSottonodo m) {
                provate.emplace_back(a, b);
                modi.push_back(m);
                if (m == ModoSottonodo::A &&
                    std::find(sospendi.begin(), sospendi.end(), std::pair{a, b}) != sospendi.end()) {
                    stato.CoppieSospese.emplace_back(a, b);
                    return ViewerAnswer::None;
                }
                if (stato.mostrata(a, b)) return ViewerAnswer::None;
                stato.CoppieMostrate.emplace_back(a, b);
                mostrati.emplace_back(a, b);
                const auto it = risposte.find({a, b});
                if (it == risposte.end()) return ViewerAnswer::None;
                const ViewerAnswer r = it->second;
                if (r == ViewerAnswer::Rip) risposte.erase(it);  // answered once
                return r;
            },
            [this] { return ++fermate == fermaAl; }, [this] { ++passi; });
    }
    std::vector<int> secondiDi(int a1) const {
        std::vector<int> v;
        for (const auto& [a, b] : provate)
            if (a == a1) v.push_back(b);
        return v;
    }
};

TEST(PercorsoCoppie, EightArcsTryEverySecondArcThreeOnAndEndOnTheirAnswers) {
    Percorso p;
    EXPECT_EQ(p.esegui(8).fine, FineCoppie::Finita);
    EXPECT_EQ(p.secondiDi(1), (std::vector<int>{4, 5, 6, 7, 8}));
    EXPECT_EQ(p.secondiDi(6), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(p.provate.size(), 40u);
    EXPECT_EQ(p.fermate, 8);
    EXPECT_EQ(p.passi, 8);

    for (ViewerAnswer fine : {ViewerAnswer::Int, ViewerAnswer::Se1, ViewerAnswer::ZInt}) {
        Percorso q;
        q.risposte[{2, 6}] = fine;
        const EsitoCoppie e = q.esegui(8);
        EXPECT_EQ(e.fine, FineCoppie::Risposta);
        EXPECT_EQ(e.risposta, fine);
        EXPECT_EQ(q.provate.back(), (std::pair{2, 6}));
    }

    for (int piccolo : {0, 2, 4, 5}) {
        Percorso q;
        EXPECT_EQ(q.esegui(piccolo).fine, FineCoppie::Finita);
        EXPECT_TRUE(q.provate.empty());
    }
}

TEST(PercorsoCoppie, SelJumpsToTheSecondArcAndRipShowsThePairAgain) {
    auto dopo = [](const Percorso& p, std::pair<int, int> c) {
        const auto it = std::find(p.provate.begin(), p.provate.end(), c);
        return it + 1 < p.provate.end() ? *(it + 1) : std::pair{0, 0};
    };
    Percorso p;
    p.risposte[{3, 8}] = ViewerAnswer::Sel;
    EXPECT_EQ(p.esegui(8).fine, FineCoppie::Finita);
    EXPECT_EQ(dopo(p, {3, 8}), (std::pair{7, 2}));

    Percorso q;
    q.risposte[{4, 7}] = ViewerAnswer::Rip;
    q.risposte[{5, 2}] = ViewerAnswer::Sel;
    q.sospendi = {{2, 5}};  // else (5, 2) would be skipped as shown
    EXPECT_EQ(q.esegui(8).fine, FineCoppie::Finita);
    EXPECT_EQ(dopo(q, {4, 7}), (std::pair{4, 7}));
    EXPECT_EQ(dopo(q, {5, 2}), (std::pair{2, 5}));
    EXPECT_EQ(std::count(q.mostrati.begin(), q.mostrati.end(), std::pair{4, 7}), 2);
}

TEST(PercorsoCoppie, TheSecondPassTestsTheSetAsidePairsAndCancelStopsTheFirst) {
    Percorso p;
    p.sospendi = {{1, 5}, {3, 7}};
    p.risposte[{3, 7}] = ViewerAnswer::Sel;
    EXPECT_EQ(p.esegui(8).fine, FineCoppie::Finita);
    ASSERT_EQ(p.provate.size(), 42u);
    EXPECT_EQ(p.provate[40], (std::pair{1, 5}));
    EXPECT_EQ(p.provate[41], (std::pair{3, 7}));
    EXPECT_EQ(p.modi.back(), ModoSottonodo::B);
    EXPECT_EQ(p.passi, 10);

    Percorso q;
    q.fermaAl = 3;
    EXPECT_EQ(q.esegui(8).fine, FineCoppie::Fermata);
    EXPECT_EQ(q.provate.size(), 10u);
}

ts::GaussDiagram somma() {
    const auto t = ts::diagramOf(ts::namedKnot("trefoil_right"));
    return ts::connectedSum(t, t);
}

// The search's state around it has been put back: frame hidden, toolbar on, pointer normal, no request.
void chiusa(const Ricerca& r) {
    EXPECT_FALSE(r.ui.stopFrameShown());
    EXPECT_TRUE(r.ui.toolbarEnabled());
    EXPECT_FALSE(r.ui.busy());
    EXPECT_FALSE(r.w->RichiestaStop().richiesta());
    EXPECT_EQ(r.w->ridisegni, 1);
}

TEST(RicercaSomme, ClosingMessagesAndTheToolbarKeptOffUntilTheEnd) {
    auto prime = strutturaDi(ts::diagramOf(ts::namedKnot("5_2")));
    ASSERT_TRUE(prime);
    Ricerca p(*prime);
    p.esegui();
    EXPECT_EQ(p.ui.messages, std::vector<std::string>{"No connected sum was found"});
    EXPECT_EQ(p.ui.stopFrameText(), "Find connected sum ...");
    chiusa(p);

    auto d = strutturaDi(somma());
    ASSERT_TRUE(d);
    Ricerca r(*d);
    int acceseDurante = 0;
    r.ui.onYield = [&] { acceseDurante += r.ui.toolbarEnabled() || !r.ui.stopFrameShown() ? 1 : 0; };
    r.esegui();
    EXPECT_EQ(r.ui.yields, d->NumArchi);
    EXPECT_EQ(acceseDurante, 0);
    EXPECT_EQ(r.ui.messages, std::vector<std::string>{"No other connected sum was found"});
    chiusa(r);

    // A second start shows the same pairs again.
    const auto mostrate = r.ui.viewerRequests.size();
    r.ui.viewerAnswers.assign(100, ViewerAnswer::None);
    r.esegui();
    EXPECT_EQ(r.ui.viewerRequests.size(), 2 * mostrate);

    for (int archi : {0, 2, 4}) {
        auto piccolo = std::make_unique<Diagram>();
        piccolo->NumArchi = archi;
        piccolo->NumGemelli = archi;
        piccolo->NumIncroci = archi / 2;
        Ricerca q(*piccolo);
        q.esegui();
        EXPECT_EQ(q.ui.messages, std::vector<std::string>{"No connected sum was found"});
        chiusa(q);
    }
}

TEST(RicercaSomme, AnswersThatEndTheSearchAndCancelEndItSilently) {
    auto d = strutturaDi(somma());
    ASSERT_TRUE(d);
    {
        Ricerca r(*d, 0);
        r.ui.viewerAnswers = {ViewerAnswer::Se1};
        r.esegui();
        EXPECT_EQ(r.divisioni, 1);
        EXPECT_TRUE(r.ui.messages.empty());
        EXPECT_NE(r.stato.IndicePartizione, 0);
        chiusa(r);
    }
    {
        Ricerca r(*d, 0);  // the unscripted viewer answers "Int"
        r.esegui();
        EXPECT_EQ(r.ui.viewerRequests.size(), 1u);
        EXPECT_EQ(r.divisioni, 0);
        EXPECT_TRUE(r.ui.messages.empty());
        chiusa(r);
    }
    {
        Ricerca r(*d);
        r.ui.viewerAnswers.push_front(ViewerAnswer::Rip);
        r.esegui();
        ASSERT_GE(r.ui.viewerRequests.size(), 2u);
        EXPECT_EQ(r.ui.viewerRequests[0].message, r.ui.viewerRequests[1].message);
        EXPECT_EQ(r.ui.messages, std::vector<std::string>{"No other connected sum was found"});
    }
    {
        Ricerca r(*d);
        r.ui.onYield = [&] {
            if (r.ui.yields == 3) r.w->RichiestaStop().richiedi();
        };
        r.esegui();
        EXPECT_EQ(r.ui.yields, 3);
        EXPECT_TRUE(r.ui.messages.empty());
        chiusa(r);
    }
}

}  // namespace
}  // namespace trevalon::connsumtest
