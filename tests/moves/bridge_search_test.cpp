#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "moves/bridge_lists.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves_fixture.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"

namespace trevalon {
namespace {

namespace ts = testsupport;

using movetest::costruisci;

std::vector<CandidatoPonte> candidati(const Diagram& d, char ab1, bool orizzontale, LimitiPonte limiti = {},
                                      EsitoEnumerazionePonti* esito = nullptr) {
    std::vector<CandidatoPonte> out;
    auto e = EnumeraCandidatiPonte(
        d, ab1, ab1 == '-' ? '+' : '-', orizzontale,
        [&](const CandidatoPonte& c) {
            out.push_back(c);
            return true;
        },
        limiti);
    if (esito) *esito = e;
    return out;
}

// A generated unknot with at least `minimo` over-bridge candidates of the given kind.
std::unique_ptr<Diagram> diagrammaCon(bool orizzontale, std::size_t minimo) {
    for (std::uint32_t seed = 1; seed < 200; ++seed) {
        auto g = ts::randomUnknot(seed, 14);
        auto d = costruisci(ts::gaussText(g), ts::lettersText(g));
        if (d && candidati(*d, '-', orizzontale).size() >= minimo) return d;
    }
    return nullptr;
}

TEST(BridgeRewrite, ShiftaTabOpensASlot) {
    std::vector<std::string> t{"", "a", "b", "c"};
    long limite = 3, nuovo = 0;
    ShiftaTab(t, 2, limite, nuovo);
    EXPECT_EQ(nuovo, 4);
    EXPECT_EQ(limite, 4);
    EXPECT_EQ(t, (std::vector<std::string>{"", "a", "b", "b", "c"}));
    ShiftaTab(t, 5, limite, nuovo);  // after the last item
    EXPECT_EQ(t.size(), 6u);
    EXPECT_THROW(ShiftaTab(t, 0, limite, nuovo), std::out_of_range);
    EXPECT_THROW(ShiftaTab(t, 9, limite, nuovo), std::out_of_range);
}

TEST(BridgeRewrite, TrialRewriteLeavesTheDiagramAndNamesByRecord) {
    auto d = diagrammaCon(false, 1);
    ASSERT_TRUE(d);
    const auto c = candidati(*d, '-', false).front();
    ASSERT_FALSE(c.archiAttraversati.empty() && c.incrociPonte == 1);
    d->NomiIncroci[1] = "first";
    const std::string code = d->txtNodo, ori = d->TxtOri;
    const std::vector<std::string> nomi = d->NomiIncroci;
    int contatore = 2;
    const auto r = NuovoNodoDaPonte(*d, c.mossa, '-', contatore, 12);
    ASSERT_TRUE(r.ok()) << r.error();
    const NuovoNodo& e = *r;
    EXPECT_EQ(d->txtNodo, code);
    EXPECT_EQ(d->TxtOri, ori);
    EXPECT_EQ(d->NomiIncroci, nomi);
    EXPECT_EQ(contatore, 2 + static_cast<int>(c.archiAttraversati.size()));
    // Old crossings keep their names; new ones are record, "x", counter.
    int nuovi = 0;
    for (std::size_t i = 1; i < e.nomi.size(); ++i)
        if (e.nomi[i].find('x') != std::string::npos) {
            ++nuovi;
            EXPECT_EQ(e.nomi[i].rfind("12x", 0), 0u) << e.nomi[i];
        }
    EXPECT_EQ(nuovi, static_cast<int>(c.archiAttraversati.size()));
    EXPECT_EQ(e.NomiConsegna().front(), '|');
    // A second trial from the same record names its crossings on from the counter.
    const auto r2 = NuovoNodoDaPonte(*d, c.mossa, '-', contatore, 12);
    ASSERT_TRUE(r2.ok());
    const NuovoNodo& e2 = *r2;
    for (std::size_t i = 1; i < e2.nomi.size(); ++i)
        for (std::size_t j = 1; j < e.nomi.size(); ++j)
            if (e2.nomi[i].find('x') != std::string::npos) {
                EXPECT_NE(e2.nomi[i], e.nomi[j]);
            }
}

TEST(BridgeRewrite, RefusedMovesChangeNothing) {
    auto d = diagrammaCon(false, 1);
    ASSERT_TRUE(d);
    const auto c = candidati(*d, '-', false).front();
    int contatore = 5;
    MossaScelta m = c.mossa;
    // The route may not cross the bridge itself, nor an arc twice, nor arcs outside the diagram.
    m.ListaArchiAttraversati = std::to_string(c.archiPonte.front()) + ",";
    m.ListaRegioniMossa = c.mossa.RegioneInizioMossa + "," + c.mossa.RegioneFineMossa + ",";
    EXPECT_FALSE(NuovoNodoDaPonte(*d, m, '-', contatore).ok());
    m.ListaArchiAttraversati = "9999,";
    EXPECT_FALSE(NuovoNodoDaPonte(*d, m, '-', contatore).ok());
    m = c.mossa;
    m.ListaRegioniMossa += "1,";  // one region too many
    EXPECT_FALSE(NuovoNodoDaPonte(*d, m, '-', contatore).ok());
    EXPECT_EQ(contatore, 5);
}

TEST(BridgeRewrite, RemovingEveryCrossingIsTheTrivialKnotWithoutAnyMessage) {
    // A curl: both arcs leave crossing 1; taking them as a bridge removes it and adds nothing.
    auto d = costruisci("1-1+", "O");
    ASSERT_TRUE(d);
    MossaScelta m;
    m.ListaArchiMossa = "1,2";
    m.ListaRegioniMossa = std::to_string(d->archi[1].Reg1) + ",";
    int contatore = 3;
    const auto e = NuovoNodoDaPonte(*d, m, '-', contatore);
    ASSERT_TRUE(e.ok());
    EXPECT_TRUE(e->nodoBanale);
    EXPECT_TRUE(e->txtNodo.empty());
    EXPECT_EQ(contatore, 3);
    EXPECT_EQ(d->txtNodo, "1-1+");
}

TEST(BridgeRewrite, NoCrossedArcOnlyDeletesAndOneArcDeletesNothing) {
    auto d = costruisci("1-2+3-1+2-3+", "OOO");
    ASSERT_TRUE(d);
    MossaScelta m;
    m.ListaArchiMossa = "1,2";  // passes crossing 2
    m.ListaRegioniMossa = "1,";
    int contatore = 0;
    auto e = NuovoNodoDaPonte(*d, m, '-', contatore);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->TxtOri.size(), 2u);
    m.ListaArchiMossa = "1";
    e = NuovoNodoDaPonte(*d, m, '-', contatore);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->txtNodo, "1-2+3-1+2-3+");
}

TEST(BridgeSearch, BridgesAndTheirTest) {
    auto d = costruisci("1-2+3-1+2-3+", "OOO");
    ASSERT_TRUE(d);
    // Alternating: every over-bridge passes one crossing, one per under passage.
    auto ponti = ListaPonti(*d, '-', '+');
    ASSERT_EQ(ponti.size(), 3u);
    for (const auto& p : ponti) EXPECT_EQ(p.size(), 2u);
    EXPECT_TRUE(tmpVerlistaponti(*d, ponti.front()));
    // The trefoil is reduced: no move III, no horizontal move keeps fewer crossings.
    EXPECT_TRUE(candidati(*d, '-', false).empty());
    EXPECT_TRUE(candidati(*d, '+', false).empty());
    // A bridge that comes back to its start crossing is refused.
    auto curl = costruisci("1-1+", "O");
    ASSERT_TRUE(curl);
    EXPECT_FALSE(tmpVerlistaponti(*curl, {1, 2}));
    std::string a, b, c, e;
    ListaRegioniPonte(*d, ponti.front(), a, b, c, e);
    EXPECT_EQ(numeriLista(a).size(), 2u);
    auto ra = numeriLista(a), rb = numeriLista(b);
    std::reverse(rb.begin(), rb.end());
    EXPECT_EQ(ra, rb);
    EXPECT_EQ(testoLista({3, 8}, true), "3,8,");
    EXPECT_EQ(testoLista({3, 8}, false), "3,8");
    EXPECT_EQ(numeriLista("12+,,5-,x"), (std::vector<int>{12, 5, 0}));
}

TEST(BridgeSearch, RouteListsAreCappedButNeverEmpty) {
    auto d = diagrammaCon(true, 3);
    ASSERT_TRUE(d);
    EsitoEnumerazionePonti pieno, corto;
    auto tutti = candidati(*d, '-', true, {}, &pieno);
    LimitiPonte uno;
    uno.maxPercorsiOrizzontali = 1;
    auto pochi = candidati(*d, '-', true, uno, &corto);
    ASSERT_FALSE(pochi.empty());
    std::map<std::string, int> perCoppia;
    for (const auto& c : pochi)
        perCoppia[c.mossa.ListaArchiMossa + "/" + c.mossa.RegioneInizioMossa + "/" +
                  c.mossa.RegioneFineMossa]++;
    for (const auto& [k, n] : perCoppia) EXPECT_EQ(n, 1) << k;
    EXPECT_TRUE(corto.troncato);
    EXPECT_GT(tutti.size(), pochi.size());
    // A step cap that stops the walk before any route reads as cut, not as "no route".
    LimitiPonte zero;
    zero.maxPassiPercorsi = 0;
    EsitoEnumerazionePonti nulla;
    auto niente = candidati(*d, '-', true, zero, &nulla);
    for (const auto& c : niente) EXPECT_TRUE(c.archiAttraversati.empty());
    EXPECT_TRUE(nulla.troncato);
}

TEST(BridgeSearch, TponteShowsCandidatesAndStopsAtTheAnswer) {
    auto d = diagrammaCon(false, 2);
    ASSERT_TRUE(d);
    const auto tutti = candidati(*d, '-', false);
    using A = ViewerAnswer;
    struct Case {
        const char* what;
        std::deque<ViewerAnswer> answers;
        bool automatic;
        ViewerAnswer esito;
        int shown;  // candidates shown; the last one is the record left
    };
    for (const Case& c : {
             Case{"the automatic run takes the first", {}, true, A::Sel, 1},
             Case{"None passes on, Sel takes", {A::None, A::Sel}, false, A::Sel, 2},
             Case{"Int stops at once", {A::Int}, false, A::Int, 1},
         }) {
        ScriptedUi ui;
        ui.viewerAnswers = c.answers;
        ContestoPonte ctx(ui);
        ctx.ModoAutomatico = c.automatic;
        int evidenziati = 0;
        ctx.evidenzia = [&](const CandidatoPonte&) { ++evidenziati; };
        const EsitoPonte r = Tponte(*d, '-', '+', BridgeKind::MoveIII, ctx);
        EXPECT_EQ(r.EsitoDialogo, c.esito) << c.what;
        EXPECT_EQ(r.NumCandidati, c.shown) << c.what;
        EXPECT_EQ(r.TipoPonte, BridgeKind::MoveIII) << c.what;
        const MossaScelta& atteso = tutti[std::size_t(c.shown - 1)].mossa;
        EXPECT_EQ(r.mossa.ListaArchiMossa, atteso.ListaArchiMossa) << c.what;
        EXPECT_EQ(r.mossa.ListaArchiAttraversati, atteso.ListaArchiAttraversati) << c.what;
        EXPECT_EQ(evidenziati, c.automatic ? 0 : c.shown) << c.what;
        ASSERT_EQ(ui.viewerRequests.size(), c.automatic ? 0u : std::size_t(c.shown)) << c.what;
        for (std::size_t i = 0; i < ui.viewerRequests.size(); ++i) {
            EXPECT_EQ(ui.viewerRequests[i].tipoMossa, MoveKind::III);
            EXPECT_EQ(ui.viewerRequests[i].tipoPonte, BridgeKind::MoveIII);
            EXPECT_EQ(ui.viewerRequests[i].message, tutti[i].messaggio);
        }
    }
    EXPECT_NE(tutti[0].messaggio.find('\n'), std::string::npos);
}

TEST(BridgeSearch, HorizontalCandidatesGoToTheTreeStepOrAreTakenByOrdinal) {
    auto d = diagrammaCon(true, 3);
    ASSERT_TRUE(d);
    const auto tutti = candidati(*d, '-', true);

    AutomaticUi ui;
    ContestoPonte ctx(ui);
    ctx.ModoAutomatico = true;
    std::vector<std::int64_t> ordinali;
    ctx.validaCammino = [&](const CandidatoPonte&, std::int64_t k) {
        ordinali.push_back(k);
        return false;
    };
    EsitoPonte r = Tponte(*d, '-', '+', BridgeKind::Horizontal, ctx);
    EXPECT_EQ(r.NumCandidati, 0);
    EXPECT_EQ(ordinali.size(), tutti.size());
    for (std::size_t k = 0; k < ordinali.size(); ++k)
        EXPECT_EQ(ordinali[k], static_cast<std::int64_t>(k + 1));
    EXPECT_TRUE(ui.stopFrameShown());
    EXPECT_EQ(ui.stopFrameText(), "Find horizontal moves ...");

    // Second pass: the candidate is found again by its ordinal, beyond any 16-bit count.
    ContestoPonte scelta(ui);
    scelta.ModoAutomatico = true;
    scelta.ContaOrizzontali = 40000;
    scelta.CandidatoScelto = 40003;
    r = Tponte(*d, '-', '+', BridgeKind::Horizontal, scelta);
    EXPECT_EQ(r.NumCandidati, 1);
    EXPECT_EQ(r.EsitoDialogo, ViewerAnswer::Sel);
    EXPECT_EQ(r.TipoPonte, BridgeKind::Horizontal);
    EXPECT_EQ(r.mossa.ListaArchiMossa, tutti[2].mossa.ListaArchiMossa);
    EXPECT_EQ(r.mossa.ListaRegioniMossa, tutti[2].mossa.ListaRegioniMossa);
    EXPECT_EQ(scelta.CandidatoScelto, -1);

    // The look-ahead instance does not count candidates of the tree step.
    ContestoPonte prova(ui);
    prova.ModoAutomatico = true;
    prova.finestraPrincipale = false;
    prova.validaCammino = [](const CandidatoPonte&, std::int64_t) { return false; };
    Tponte(*d, '-', '+', BridgeKind::Horizontal, prova);
    EXPECT_EQ(prova.ContaOrizzontali, 0);
}

TEST(BridgeSearch, ShowingACandidateClearsTheStopRequest) {
    auto d = diagrammaCon(true, 1);
    ASSERT_TRUE(d);
    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::Sel};
    ContestoPonte ctx(ui);
    int stop = 1;
    ctx.RichiestaStop = &stop;
    ctx.validaCammino = [](const CandidatoPonte&, std::int64_t) { return true; };
    EsitoPonte r = Tponte(*d, '-', '+', BridgeKind::Horizontal, ctx);
    EXPECT_EQ(r.EsitoDialogo, ViewerAnswer::Sel);
    EXPECT_EQ(stop, 0);
    EXPECT_FALSE(ui.stopFrameShown());
}

}  // namespace
}  // namespace trevalon
