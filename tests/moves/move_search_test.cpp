// The move I and move II searches on small diagrams: what they find, the records they leave, and how the
// step viewer's answers walk the candidates.

#include <gtest/gtest.h>

#include <deque>

#include "moves/passage_arithmetic.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;
namespace ts = trevalon::testsupport;

std::unique_ptr<Diagram> diagramma(const ts::GaussDiagram& g) {
    auto d = costruisci(ts::gaussText(g), ts::lettersText(g));
    EXPECT_TRUE(d) << ts::gaussText(g);
    return d;
}

TEST(PassageArithmetic, ConvertiBaseWrapsOnce) {
    EXPECT_EQ(ConvertiBase(1, 1, 6), 6);
    EXPECT_EQ(ConvertiBase(5, 1, 6), 4);
    EXPECT_EQ(ConvertiBaseInv(6, 1, 6), 1);
    EXPECT_EQ(ConvertiBaseInv(ConvertiBase(3, 4, 6), 4, 6), 3);
}

TEST(PassageArithmetic, CrossingLookupsFollowTheStrands) {
    auto d = costruisci("1-2+3-1+2-3+", "OOO");
    ASSERT_TRUE(d);
    ScriptedUi ui;
    const Incrocio& x = d->incroci[1];
    EXPECT_EQ(IncrocioAbArco(*d, 1, x.ArcoEsceSopra, ui), "+");
    EXPECT_EQ(IncrocioAbArco(*d, 1, x.ArcoEntraSotto, ui), "-");
    EXPECT_TRUE(ui.messages.empty());
    int side = 1;
    while (d->incroci[1].ArcoLato[static_cast<std::size_t>(side)] != x.ArcoEsceSopra) ++side;
    EXPECT_EQ(IncrocioAb(*d, 1, side, ui), "+");
    EXPECT_EQ(IncrocioDaArco(*d, 1, side, ui), x.SuccSopra);
    // An arc that is not at the crossing: "" and a box with the crossing number.
    int other = 1;
    while (other == x.ArcoEsceSopra || other == x.ArcoEsceSotto || other == x.ArcoEntraSopra ||
           other == x.ArcoEntraSotto)
        ++other;
    EXPECT_EQ(IncrocioAbArco(*d, 1, other, ui), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "1");
}

TEST(MoveISearch, PlainCurlIsRemovedAlone) {
    const auto trefoil = ts::diagramOf(ts::namedKnot("trefoil_right"));
    for (bool overFirst : {true, false}) {
        for (int sign : {1, -1}) {
            auto d = diagramma(ts::addCurl(trefoil, 2, overFirst, sign));
            ASSERT_TRUE(d);
            const auto cands = CandidatiMossaI(*d);
            ASSERT_FALSE(cands.empty());
            EXPECT_EQ(cands[0].nA, 0);
            auto t = NuovoNodoDaRic(TestoDi(*d), cands[0].mossa);
            ASSERT_TRUE(t);
            EXPECT_EQ(t->TxtOri.size(), 3u);
            EXPECT_TRUE(ts::sameKnot("1-2+3-1+2-3+", "OOO", t->txtNodo, t->TxtOri));
        }
    }
}

TEST(MoveISearch, CurlWithAnOverChordRemovesThreeCrossings) {
    // The loop of the curl at crossing 1 passes under crossings 2 and 3, whose other strand passes over.
    auto d = costruisci("1-2-3-1+2+3+", "VVO");
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaI(*d);
    ASSERT_FALSE(cands.empty());
    EXPECT_EQ(cands[0].mossa.VoceMossa1, "001,001,001,004,+,1,1");
    EXPECT_EQ(cands[0].nA, 2);
    EXPECT_EQ(cands[0].Lista, ",1,2,3,");
    auto t = NuovoNodoDaRic(TestoDi(*d), cands[0].mossa);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->txtNodo, "");  // every crossing removed: the trivial knot without crossings
    EXPECT_EQ(t->TxtOri, "");
}

TEST(MoveISearch, MixedChordAndReducedAlternatingKnotsGiveNothing) {
    // The trefoil is a curl at crossing 1 whose loop is crossed by a chord once over and once under.
    for (const char* name : {"trefoil_right", "trefoil_left", "4_1", "5_2", "6_2", "8_19"}) {
        const auto k = ts::namedKnot(name);
        auto d = costruisci(k.gauss, k.letters);
        ASSERT_TRUE(d) << name;
        EXPECT_TRUE(CandidatiMossaI(*d).empty()) << name;
        if (k.primeAlternating) {
            EXPECT_TRUE(CandidatiMossaII(*d).empty()) << name;
        }
    }
}

TEST(MoveIISearch, PlainBigonRecord) {
    // Two crossings that one strand passes over one after the other, added to the trefoil by a bigon.
    std::mt19937 rng(3);
    const auto g = ts::addBigon(ts::diagramOf(ts::namedKnot("trefoil_right")), rng);
    auto d = diagramma(g);
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaII(*d);
    ASSERT_FALSE(cands.empty());
    bool plain = false;
    for (const auto& c : cands) {
        if (c.nA != 0 || c.nB != 0) continue;
        plain = true;
        EXPECT_EQ(c.mossa.TipoCandidato, MoveIIRewrite::M);
        EXPECT_EQ(c.mossa.ListaArchiAttraversati, ",");
        EXPECT_EQ(c.mossa.ListaArchiMossa.find(','), std::string::npos);  // one arc
        EXPECT_EQ(std::count(c.mossa.ListaRegioniMossa.begin(), c.mossa.ListaRegioniMossa.end(), ','), 1);
        auto t = NuovoNodoDaMan(TestoDi(*d), c.mossa);
        ASSERT_TRUE(t);
        EXPECT_EQ(static_cast<int>(t->TxtOri.size()), d->NumIncroci - 2);
        EXPECT_TRUE(ts::sameKnot(d->txtNodo, d->TxtOri, t->txtNodo, t->TxtOri));
    }
    EXPECT_TRUE(plain);
}

TEST(MoveIISearch, EntriesAreSortedAndRecordsWellFormed) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 7, 40);
    auto d = diagramma(g);
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaII(*d);
    ASSERT_FALSE(cands.empty());
    for (std::size_t i = 0; i < cands.size(); ++i) {
        const auto& m = cands[i].mossa;
        EXPECT_EQ(m.VoceMossa1.substr(0, 8), m.VoceMossa2.substr(0, 8));  // same two crossings
        EXPECT_LT(m.VoceMossa1, m.VoceMossa2);
        if (i > 0) {
            EXPECT_LE(cands[i - 1].mossa.VoceMossa2, m.VoceMossa2);
        }
        EXPECT_EQ(m.ListaArchiAttraversati.back(), ',');
        EXPECT_EQ(m.ListaRegioniMossa.back(), ',');
        EXPECT_EQ(m.TipoCandidato, cands[i].nA == cands[i].nB ? MoveIIRewrite::M : MoveIIRewrite::P);
        // Each stretch is highlighted as its own part: its first arc, then its inner passages.
        int first = 0, second = 0;
        for (const ArcoEvidenziato& a : cands[i].archi)
            ++(a.ruolo == HighlightRole::FirstStretch ? first : second);
        EXPECT_EQ(first, cands[i].nA + 1);
        EXPECT_EQ(second, cands[i].nB + 1);
        EXPECT_EQ(cands[i].archi[0].ruolo, HighlightRole::FirstStretch);
        EXPECT_EQ(cands[i].archi[1].ruolo, HighlightRole::SecondStretch);
    }
}

// A diagram with several move I candidates: the trefoil with three curls.
std::unique_ptr<Diagram> treRicci() {
    auto g = ts::diagramOf(ts::namedKnot("trefoil_right"));
    g = ts::addCurl(g, 0, true, 1);
    g = ts::addCurl(g, 3, false, -1);
    g = ts::addCurl(g, 6, true, -1);
    return diagramma(g);
}

TEST(SearchWalk, AnswersWalkTheCandidates) {
    auto d = treRicci();
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaI(*d);
    ASSERT_GE(cands.size(), 3u);
    const int n = static_cast<int>(cands.size());
    using A = ViewerAnswer;
    struct Case {
        const char* what;
        std::deque<ViewerAnswer> answers;
        bool automatic;
        ViewerAnswer esito;
        int shown;   // candidates counted
        int chosen;  // the record left: that candidate's entry; -1 the last one's highlighted entry
    };
    for (const Case& c : {
             Case{"None passes on, Sel takes", {A::None, A::Sel}, false, A::Sel, 2, 1},
             Case{"Int stops at once", {A::Int}, false, A::Int, 1, 0},
             Case{"all passed over", std::deque<ViewerAnswer>(cands.size(), A::None), false, A::None, n, -1},
             Case{"the automatic run takes the first", {}, true, A::Sel, 1, 0},
         }) {
        ScriptedUi ui;
        ui.viewerAnswers = c.answers;
        ContestoRicerca ctx(ui);
        ctx.ModoAutomatico = c.automatic;
        int drawn = 0;
        ctx.evidenzia = [&](const CandidatoMossa&) { ++drawn; };
        const auto r = TRic(*d, ctx);
        EXPECT_EQ(r.EsitoDialogo, c.esito) << c.what;
        EXPECT_EQ(r.NumCandidati, c.shown) << c.what;
        EXPECT_EQ(r.mossa.VoceMossa1,
                  c.chosen < 0 ? cands.back().voceEvidenziata : cands[std::size_t(c.chosen)].mossa.VoceMossa1)
            << c.what;
        // The automatic run shows and draws nothing.
        EXPECT_EQ(drawn, c.automatic ? 0 : c.shown) << c.what;
        EXPECT_EQ(ui.viewerRequests.size(), c.automatic ? 0u : std::size_t(c.shown)) << c.what;
        for (const StepViewRequest& req : ui.viewerRequests) EXPECT_EQ(req.tipoMossa, MoveKind::I);
        if (!c.automatic) {
            EXPECT_EQ(ui.panel("p1"), "Done") << c.what;
        }
    }
}

TEST(SearchWalk, MoveIIAnswersAndTheDeveloperTechnique) {
    const auto g = ts::enlarged(ts::diagramOf(ts::namedKnot("4_1")), 11, 30);
    auto d = diagramma(g);
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaII(*d);
    ASSERT_GE(cands.size(), 2u);
    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::None, ViewerAnswer::Sel};
    ContestoRicerca ctx(ui);
    const auto r = TMan(*d, TipoTMan::N, ctx);
    EXPECT_EQ(r.EsitoDialogo, ViewerAnswer::Sel);
    EXPECT_EQ(r.NumCandidati, 2);
    EXPECT_EQ(r.mossa.VoceMossa1, cands[1].mossa.VoceMossa1);
    EXPECT_EQ(r.mossa.ListaArchiMossa, cands[1].mossa.ListaArchiMossa);
    EXPECT_EQ(ui.viewerRequests[0].tipoMossa, MoveKind::II);

    // Technique "2L" outside the developer layout shows nothing and leaves the answer empty.
    ScriptedUi quiet;
    ContestoRicerca ctx2(quiet);
    const auto r2 = TMan(*d, TipoTMan::I, ctx2);
    EXPECT_EQ(r2.EsitoDialogo, ViewerAnswer::None);
    EXPECT_EQ(r2.NumCandidati, 0);
    EXPECT_TRUE(quiet.viewerRequests.empty());
}

TEST(SearchWalk, DiagramsBeyondThePassageTableAreRefused) {
    Diagram d;  // no passages at all
    ScriptedUi ui;
    ContestoRicerca ctx(ui);
    EXPECT_TRUE(TRic(d, ctx).tabellaNonValida);
    d.NumGemelli = kMaxGemelli + 2;
    d.NumArchi = d.NumGemelli;
    d.NumIncroci = d.NumGemelli / 2;
    EXPECT_TRUE(TMan(d, TipoTMan::N, ctx).tabellaNonValida);
    EXPECT_TRUE(ui.viewerRequests.empty());
}

}  // namespace
}  // namespace trevalon
