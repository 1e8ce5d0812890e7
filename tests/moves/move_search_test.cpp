// The move I and move II searches on small diagrams: what they find, the records they leave, and how the
// step viewer's answers walk the candidates.

#include <gtest/gtest.h>

#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

TEST(MoveISearch, CurlsGoWithTheCrossingsTheirLoopPassesUnder) {
    // A plain curl goes alone; a loop passing under crossings whose other strand passes over takes them too.
    auto verifica = [](const std::string& gauss, const std::string& letters, int nA, std::size_t resto) {
        SCOPED_TRACE(gauss);
        auto d = costruisci(gauss, letters);
        ASSERT_TRUE(d);
        const auto cands = CandidatiMossaI(*d);
        ASSERT_FALSE(cands.empty());
        EXPECT_EQ(cands[0].nA, nA);
        auto t = NuovoNodoDaRic(TestoDi(*d), cands[0].mossa);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->TxtOri.size(), resto);
        EXPECT_EQ(t->txtNodo.empty(), resto == 0);
    };
    const auto trefoil = ts::diagramOf(ts::namedKnot("trefoil_right"));
    for (bool overFirst : {true, false})
        for (int sign : {1, -1}) {
            const auto g = ts::addCurl(trefoil, 2, overFirst, sign);
            verifica(ts::gaussText(g), ts::lettersText(g), 0, 3);
        }
    verifica("1-2-3-1+2+3+", "VVO", 2, 0);  // every crossing goes: the trivial knot
}

TEST(MoveISearch, MixedChordAndReducedAlternatingKnotsGiveNothing) {
    // The trefoil is a curl at crossing 1 whose loop is crossed by a chord once over and once under.
    for (const char* name : {"trefoil_right", "trefoil_left", "4_1", "5_2", "6_2", "8_19"}) {
        const auto k = ts::namedKnot(name);
        auto d = costruisci(k.gauss, k.letters);
        ASSERT_TRUE(d) << name;
        EXPECT_TRUE(CandidatiMossaI(*d).empty()) << name;
        EXPECT_TRUE(!k.primeAlternating || CandidatiMossaII(*d).empty()) << name;
    }
}

// Move I candidates come in ascending order of their entry texts ("ccc,ccc,iii,jjj,s,c,c"), each entry
// naming its own crossing and a loop from passage i back to that crossing at passage j.
TEST(MoveISearch, EntriesAreInTextOrderAndNameTheirLoop) {
    int visti = 0;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        auto g = ts::randomUnknot(seed, 12);
        for (int k = 0; k < 3; ++k) g = ts::addCurl(g, 1 + k * 3, k % 2 == 0, k == 1 ? -1 : 1);
        auto d = costruisci(g);
        ASSERT_TRUE(d);
        const auto cands = CandidatiMossaI(*d);
        for (std::size_t i = 0; i < cands.size(); ++i) {
            const auto& m = cands[i].mossa;
            const std::string c = std::to_string(cands[i].incrocioPrimo);
            EXPECT_EQ(m.VoceMossa1.substr(m.VoceMossa1.size() - 2 * c.size() - 1), c + "," + c);
            EXPECT_EQ(cands[i].voceEvidenziata, "," + c + "," + c + ",");
            const int ingresso = std::stoi(m.VoceMossa1.substr(8, 3)),
                      uscita = std::stoi(m.VoceMossa1.substr(12, 3));
            EXPECT_EQ(d->gemelli[static_cast<std::size_t>(ingresso)].Padre, cands[i].incrocioPrimo);
            EXPECT_EQ(d->gemelli[static_cast<std::size_t>(uscita)].Padre, cands[i].incrocioPrimo);
            if (i > 0) {
                EXPECT_LT(cands[i - 1].mossa.VoceMossa1, m.VoceMossa1);
            }
            ++visti;
        }
    }
    EXPECT_GE(visti, 40);
}

TEST(MoveIISearch, EntriesAreSortedAndRecordsWellFormed) {
    auto d = costruisci(ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 7, 40));
    ASSERT_TRUE(d);
    const auto cands = CandidatiMossaII(*d);
    ASSERT_FALSE(cands.empty());
    bool plain = false;
    for (std::size_t i = 0; i < cands.size(); ++i) {
        const auto& m = cands[i].mossa;
        if (cands[i].nA == 0 && cands[i].nB == 0) {
            // A plain bigon: one arc moved across one region, no arc crossed.
            plain = true;
            EXPECT_EQ(m.ListaArchiAttraversati, ",");
            EXPECT_EQ(m.ListaArchiMossa.find(','), std::string::npos);
            EXPECT_EQ(std::count(m.ListaRegioniMossa.begin(), m.ListaRegioniMossa.end(), ','), 1);
        }
        EXPECT_EQ(m.VoceMossa1.substr(0, 8), m.VoceMossa2.substr(0, 8));  // same two crossings
        EXPECT_LT(m.VoceMossa1, m.VoceMossa2);
        EXPECT_LE(cands[i == 0 ? 0 : i - 1].mossa.VoceMossa2, m.VoceMossa2);
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
    EXPECT_TRUE(plain);
}

TEST(SearchWalk, AnswersWalkTheCandidates) {
    auto curls = ts::diagramOf(ts::namedKnot("trefoil_right"));
    curls = ts::addCurl(ts::addCurl(ts::addCurl(curls, 0, true, 1), 3, false, -1), 6, true, -1);
    for (const MoveKind kind : {MoveKind::I, MoveKind::II}) {
        auto d = costruisci(kind == MoveKind::I ? curls
                                                : ts::enlarged(ts::diagramOf(ts::namedKnot("4_1")), 11, 30));
        ASSERT_TRUE(d);
        const auto cands = kind == MoveKind::I ? CandidatiMossaI(*d) : CandidatiMossaII(*d);
        ASSERT_GE(cands.size(), 2u);
        using A = ViewerAnswer;
        for (const CasoVisore& c : {
                 CasoVisore{"None passes on, Sel takes", {A::None, A::Sel}, false, A::Sel, 2},
                 CasoVisore{"Int stops at once", {A::Int}, false, A::Int, 1},
                 CasoVisore{"all passed over", Risposte(cands.size(), A::None), false, A::None,
                            static_cast<int>(cands.size())},
                 CasoVisore{"the automatic run takes the first", {}, true, A::Sel, 1},
             }) {
            SCOPED_TRACE(c.what);
            ScriptedUi ui;
            ui.viewerAnswers = c.answers;
            ContestoRicerca ctx(ui);
            ctx.ModoAutomatico = c.automatic;
            int drawn = 0;
            ctx.evidenzia = [&](const CandidatoMossa&) { ++drawn; };
            const auto r = kind == MoveKind::I ? TRic(*d, ctx) : TMan(*d, TipoTMan::N, ctx);
            EXPECT_EQ(r.EsitoDialogo, c.esito);
            EXPECT_EQ(r.NumCandidati, c.shown);
            // The record left: the last candidate shown, or its highlighted entry when all were passed over.
            const auto& ultimo = cands[std::size_t(c.shown - 1)];
            EXPECT_EQ(r.mossa.VoceMossa1,
                      c.esito == A::None ? ultimo.voceEvidenziata : ultimo.mossa.VoceMossa1);
            // The automatic run shows and draws nothing.
            EXPECT_EQ(drawn, c.automatic ? 0 : c.shown);
            EXPECT_EQ(ui.viewerRequests.size(), c.automatic ? 0u : std::size_t(c.shown));
            for (const StepViewRequest& req : ui.viewerRequests) EXPECT_EQ(req.tipoMossa, kind);
            EXPECT_EQ(ui.panel("p1"), c.automatic ? ui.panel("p1") : "Done");
        }
        // Technique "2L" outside the developer layout shows nothing and leaves the answer empty.
        ScriptedUi quiet;
        ContestoRicerca ctx(quiet);
        EXPECT_EQ(TMan(*d, TipoTMan::I, ctx).NumCandidati, 0);
        EXPECT_TRUE(quiet.viewerRequests.empty());
    }
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
