// The bridge lists, the bridge rewrite's records and refusals, and how Tponte walks the candidates.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <tuple>

#include "moves/bridge_lists.h"
#include "moves/bridge_rewrite.h"
#include "moves/compare.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

// A generated unknot with at least `minimo` over-bridge candidates of the given kind.
std::unique_ptr<Diagram> diagrammaCon(bool orizzontale, std::size_t minimo) {
    for (std::uint32_t seed = 1; seed < 200; ++seed) {
        auto d = costruisci(ts::randomUnknot(seed, 14));
        if (d && candidatiPonte(*d, '-', orizzontale).size() >= minimo) return d;
    }
    return nullptr;
}

TEST(BridgeRewrite, TrialsLeaveTheDiagramNameByRecordAndRefusalsChangeNothing) {
    auto d = diagrammaCon(false, 1);
    ASSERT_TRUE(d);
    const auto c = candidatiPonte(*d, '-', false).front();
    d->NomiIncroci[1] = "first";
    const Diagram copia = *d;
    int contatore = 2;
    const auto e = NuovoNodoDaPonte(*d, c.mossa, '-', contatore, 12);
    ASSERT_TRUE(e.ok()) << e.error();
    EXPECT_EQ(d->txtNodo + d->TxtOri, copia.txtNodo + copia.TxtOri);
    EXPECT_EQ(d->NomiIncroci, copia.NomiIncroci);
    EXPECT_EQ(contatore, 2 + static_cast<int>(c.archiAttraversati.size()));
    std::set<std::string> nuovi;  // old crossings keep their names; new ones are record, "x", counter
    for (const auto& nome : e->nomi)
        if (nome.find('x') != std::string::npos) nuovi.insert(nome);
    EXPECT_EQ(nuovi.size(), c.archiAttraversati.size());
    for (const auto& nome : nuovi) EXPECT_EQ(nome.rfind("12x", 0), 0u) << nome;
    // A second trial from the same record names its crossings on from the counter.
    const auto e2 = NuovoNodoDaPonte(*d, c.mossa, '-', contatore, 12);
    ASSERT_TRUE(e2.ok());
    for (const auto& nome : e2->nomi) EXPECT_FALSE(nuovi.contains(nome)) << nome;

    contatore = 5;
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

    // A curl: both arcs leave crossing 1; taking them as a bridge leaves the trivial knot, without a message.
    auto curl = costruisci("1-1+", "O");
    ASSERT_TRUE(curl);
    m = MossaScelta{};
    m.ListaArchiMossa = "1,2";
    m.ListaRegioniMossa = std::to_string(curl->archi[1].Reg1) + ",";
    auto f = NuovoNodoDaPonte(*curl, m, '-', contatore);
    ASSERT_TRUE(f.ok());
    EXPECT_TRUE(f->nodoBanale);
    EXPECT_TRUE(f->txtNodo.empty());
    EXPECT_EQ(contatore, 5);
    auto t = costruisci("1-2+3-1+2-3+", "OOO");
    ASSERT_TRUE(t);
    m.ListaRegioniMossa = "1,";  // arcs 1 and 2 pass crossing 2
    f = NuovoNodoDaPonte(*t, m, '-', contatore);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->TxtOri.size(), 2u);
    m.ListaArchiMossa = "1";
    f = NuovoNodoDaPonte(*t, m, '-', contatore);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->txtNodo, "1-2+3-1+2-3+");
}

TEST(BridgeSearch, BridgesAndTheirTest) {
    auto d = costruisci("1-2+3-1+2-3+", "OOO");
    ASSERT_TRUE(d);
    // Alternating: every over-bridge passes one crossing, one per under passage.
    auto ponti = ListaPonti(*d, '-', '+');
    ASSERT_EQ(ponti.size(), 3u);
    for (const auto& p : ponti) EXPECT_EQ(p.size(), 2u);
    EXPECT_TRUE(tmpVerlistaponti(*d, ponti.front()));
    // A bridge that comes back to its start crossing is refused.
    auto curl = costruisci("1-1+", "O");
    ASSERT_TRUE(curl);
    EXPECT_FALSE(tmpVerlistaponti(*curl, {1, 2}));
    std::string a, b, c, e;
    ListaRegioniPonte(*d, ponti.front(), a, b, c, e);
    const auto ra = numeriLista(a), rb = numeriLista(b);
    EXPECT_EQ(ra, std::vector<int>(rb.rbegin(), rb.rend()));
    EXPECT_EQ(numeriLista("12+,,5-,x"), (std::vector<int>{12, 5, 0}));
}

TEST(BridgeSearch, TponteShowsCandidatesAndStopsAtTheAnswer) {
    auto d = diagrammaCon(false, 2);
    ASSERT_TRUE(d);
    const auto tutti = candidatiPonte(*d, '-', false);
    using A = ViewerAnswer;
    for (const CasoVisore& c : {
             CasoVisore{"the automatic run takes the first", {}, true, A::Sel, 1},
             CasoVisore{"None passes on, Sel takes", {A::None, A::Sel}, false, A::Sel, 2},
             CasoVisore{"Int stops at once", {A::Int}, false, A::Int, 1},
         }) {
        SCOPED_TRACE(c.what);
        ScriptedUi ui;
        ui.viewerAnswers = c.answers;
        ContestoPonte ctx(ui);
        ctx.ModoAutomatico = c.automatic;
        int evidenziati = 0;
        ctx.evidenzia = [&](const CandidatoPonte&) { ++evidenziati; };
        const EsitoPonte r = Tponte(*d, '-', '+', BridgeKind::MoveIII, ctx);
        EXPECT_EQ(r.EsitoDialogo, c.esito);
        EXPECT_EQ(r.NumCandidati, c.shown);
        EXPECT_EQ(r.mossa.ListaArchiMossa, tutti[std::size_t(c.shown - 1)].mossa.ListaArchiMossa);
        EXPECT_EQ(evidenziati, c.automatic ? 0 : c.shown);
        ASSERT_EQ(ui.viewerRequests.size(), c.automatic ? 0u : std::size_t(c.shown));
        for (std::size_t i = 0; i < ui.viewerRequests.size(); ++i) {
            EXPECT_EQ(ui.viewerRequests[i].tipoMossa, MoveKind::III);
            EXPECT_EQ(ui.viewerRequests[i].message, tutti[i].messaggio);
        }
    }
}

TEST(BridgeSearch, HorizontalRoutesAreCappedGoToTheTreeStepOrAreTakenByOrdinal) {
    auto d = diagrammaCon(true, 3);
    ASSERT_TRUE(d);
    const auto tutti = candidatiPonte(*d, '-', true);
    AutomaticUi ui;
    ContestoPonte ctx(ui);
    ctx.ModoAutomatico = true;
    std::vector<std::int64_t> ordinali;
    ctx.validaCammino = [&](const CandidatoPonte&, std::int64_t k) {
        ordinali.push_back(k);
        return false;
    };
    EXPECT_EQ(Tponte(*d, '-', '+', BridgeKind::Horizontal, ctx).NumCandidati, 0);
    ASSERT_EQ(ordinali.size(), tutti.size());
    for (std::size_t k = 0; k < ordinali.size(); ++k)
        EXPECT_EQ(ordinali[k], static_cast<std::int64_t>(k + 1));
    EXPECT_EQ(ui.stopFrameText(), "Find horizontal moves ...");

    EsitoEnumerazionePonti corto, nulla;
    LimitiPonte uno;
    uno.maxPercorsiOrizzontali = 1;
    const auto pochi = candidatiPonte(*d, '-', true, uno, &corto);
    ASSERT_FALSE(pochi.empty());
    std::set<std::string> coppie;  // one route per bridge and pair of end regions
    for (const auto& c : pochi)
        EXPECT_TRUE(coppie
                        .insert(c.mossa.ListaArchiMossa + "/" + c.mossa.RegioneInizioMossa + "/" +
                                c.mossa.RegioneFineMossa)
                        .second);
    EXPECT_TRUE(corto.troncato);
    EXPECT_GT(tutti.size(), pochi.size());
    // A step cap that stops the walk before any route reads as cut, not as "no route".
    LimitiPonte zero;
    zero.maxPassiPercorsi = 0;
    for (const auto& c : candidatiPonte(*d, '-', true, zero, &nulla))
        EXPECT_TRUE(c.archiAttraversati.empty());
    EXPECT_TRUE(nulla.troncato);

    // Second pass: the candidate is found again by its ordinal, beyond any 16-bit count.
    ContestoPonte scelta(ui);
    scelta.ModoAutomatico = true;
    scelta.ContaOrizzontali = 40000;
    scelta.CandidatoScelto = 40003;
    const EsitoPonte r = Tponte(*d, '-', '+', BridgeKind::Horizontal, scelta);
    EXPECT_EQ(r.NumCandidati, 1);
    EXPECT_EQ(r.EsitoDialogo, ViewerAnswer::Sel);
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

    // Showing a candidate clears the stop request.
    ScriptedUi shown;
    shown.viewerAnswers = {ViewerAnswer::Sel};
    ContestoPonte mostra(shown);
    StopRequest stop;
    stop.richiedi();
    mostra.RichiestaStop = &stop;
    mostra.validaCammino = [](const CandidatoPonte&, std::int64_t) { return true; };
    EXPECT_EQ(Tponte(*d, '-', '+', BridgeKind::Horizontal, mostra).EsitoDialogo, ViewerAnswer::Sel);
    EXPECT_FALSE(stop.richiesta());
    EXPECT_FALSE(shown.stopFrameShown());
}

// One prepared rewrite serves every candidate of a diagram as a fresh rewrite would, refusals among them,
// and the key of its passages is the key of the text written from them.
// Every shortest route between two regions, as a plain search over all regions lists them: consecutive
// regions share the arc the region graph names (none of the bridge's), each one step nearer the end by its
// distance row (the end itself at 0), in ascending order of region sequence, up to `massimo`.
std::vector<std::vector<int>> percorsiDiRiferimento(const Diagram& d, const std::vector<int>& ponte, int rA,
                                                    int rB, int lunghezza, std::size_t massimo) {
    std::vector<std::vector<int>> out;
    std::vector<int> cammino{rA};
    auto dist = [&](int v) { return v == rB ? 0 : d.MatRegioni.at(rB, v).dis; };
    auto vai = [&](auto& self, int u, int resto) -> void {
        if (out.size() >= massimo) return;
        if (resto == 0) {
            if (u == rB) out.push_back(cammino);
            return;
        }
        for (int v = 1; v <= d.NumRegioni; ++v) {
            const int a = d.MatRegioni.at(u, v).arco;
            if (v == u || a < 1 || a > d.NumArchi) continue;
            if (std::find(ponte.begin(), ponte.end(), a) != ponte.end()) continue;
            if (dist(v) != resto - 1 || (resto > 1 && v == rB)) continue;
            cammino.push_back(v);
            self(self, v, resto - 1);
            cammino.pop_back();
        }
    };
    vai(vai, rA, lunghezza);
    return out;
}

TEST(BridgeSearch, HorizontalRoutesAreEveryShortestRouteInOrderWithTheirArcs) {
    std::vector<std::unique_ptr<Diagram>> diagrammi;
    for (std::uint32_t seed : {3u, 7u, 11u}) diagrammi.push_back(costruisci(ts::randomUnknot(seed, 14)));
    diagrammi.push_back(costruisci(ts::braidClosure(2, ts::BraidWord(9, 1))));
    // A region no longer reachable by its distances: the last step of a route cannot be told by them alone.
    diagrammi.push_back(costruisci(ts::randomUnknot(3, 14)));
    for (int v = 2; v <= diagrammi.back()->NumRegioni; ++v) diagrammi.back()->MatRegioni.at(1, v).dis = 0;
    for (std::size_t i = 0; i < diagrammi.size(); ++i) {
        SCOPED_TRACE(i);
        const Diagram& d = *diagrammi[i];
        ASSERT_GT(d.NumRegioni, 0);
        for (char ab1 : {'-', '+'}) {
            // The routes listed, by bridge and end regions.
            std::map<std::tuple<std::vector<int>, int, int>, std::vector<std::vector<int>>> trovati;
            for (const CandidatoPonte& c : candidatiPonte(d, ab1, true)) {
                ASSERT_EQ(c.regioni.size(), c.archiAttraversati.size() + 1);
                for (std::size_t k = 0; k < c.archiAttraversati.size(); ++k)
                    EXPECT_EQ(c.archiAttraversati[k], d.MatRegioni.at(c.regioni[k], c.regioni[k + 1]).arco);
                auto& lista = trovati[{c.archiPonte, c.regioni.front(), c.regioni.back()}];
                EXPECT_EQ(c.indicePercorso, static_cast<int>(lista.size()));
                lista.push_back(c.regioni);
            }
            std::size_t coppie = 0;
            for (const auto& ponte : ListaPonti(d, ab1, ab1 == '-' ? '+' : '-')) {
                if (!tmpVerlistaponti(d, ponte)) continue;
                const int c = static_cast<int>(ponte.size()) - 1;
                const Arco& f = d.archi[static_cast<std::size_t>(ponte.front())];
                const Arco& l = d.archi[static_cast<std::size_t>(ponte.back())];
                for (int rA : {f.Reg1, f.Reg2})
                    for (int rB : {l.Reg1, l.Reg2}) {
                        if ((rA == rB ? 0 : d.MatRegioni.at(rA, rB).dis) != c) continue;
                        const auto attesi = percorsiDiRiferimento(d, ponte, rA, rB, c, 64);
                        const auto it = trovati.find({ponte, rA, rB});
                        EXPECT_EQ(it == trovati.end() ? std::vector<std::vector<int>>{} : it->second, attesi);
                        coppie += attesi.empty() ? 0 : 1;
                    }
            }
            EXPECT_EQ(coppie, trovati.size());
        }
    }
}

// What a visitor reads of a candidate, as one comparable record.
std::string vistoDelCandidato(const CandidatoPonte& c) {
    std::string t = std::string(1, c.ab1) + (c.orizzontale ? "=" : "<") + std::to_string(c.incrociPonte) +
                    "#" + std::to_string(c.indicePercorso) + " " + c.mossa.ListaArchiMossa + " " +
                    c.mossa.ListaArchiAttraversati + " " + c.mossa.ListaRegioniMossa + " " +
                    c.mossa.RegioneInizioMossa + ">" + c.mossa.RegioneFineMossa + " " + c.Rg1 + c.Rg2inv;
    for (const auto* v : {&c.archiPonte, &c.archiAttraversati, &c.regioni, &c.latoPonte1, &c.latoPonte2}) {
        t += " ";
        for (int x : *v) t += std::to_string(x) + ",";
    }
    return t;
}

// Both bridge kinds listed at once, with the region neighbours taken from the arcs, visit the candidates
// that the two kinds listed one after another visit, from the rows of the region graph: in the same order,
// with the same route numbers, for move III and horizontal, with or without the routes along the bridge,
// with the step cap reached, and on a region graph whose distances do not reach every region.
TEST(BridgeSearch, BothKindsAtOnceListWhatEachKindListsInTurn) {
    std::vector<std::unique_ptr<Diagram>> diagrammi;
    for (std::uint32_t seed : {3u, 7u, 12u}) diagrammi.push_back(costruisci(ts::randomUnknot(seed, 24)));
    diagrammi.push_back(
        costruisci(ts::braidClosure(3, ts::BraidWord{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2})));
    diagrammi.push_back(costruisci(ts::randomBraidKnot(4, 4, 40)));
    for (const auto& caso : ts::scrambledCases(5, 3, 30, 70)) diagrammi.push_back(costruisci(caso.diagram));
    diagrammi.push_back(costruisci(ts::randomUnknot(3, 24)));
    for (int v = 2; v <= diagrammi.back()->NumRegioni; ++v) diagrammi.back()->MatRegioni.at(1, v).dis = 0;
    LimitiPonte stretti;
    stretti.maxPassiPercorsi = 40;
    stretti.maxPercorsiOrizzontali = 3;
    const struct {
        bool orizzontale, senzaLungo;
        LimitiPonte limiti;
    } modi[] = {{false, false, {}},
                {true, false, {}},
                {true, true, {}},
                {true, true, stretti},
                {false, true, stretti}};
    std::size_t visti = 0;
    for (std::size_t i = 0; i < diagrammi.size(); ++i) {
        ASSERT_NE(diagrammi[i], nullptr);
        const Diagram& d = *diagrammi[i];
        for (const auto& m : modi) {
            SCOPED_TRACE(std::to_string(i) + (m.orizzontale ? " horizontal" : " move III") +
                         (m.senzaLungo ? " off the bridge" : "") + " cap " +
                         std::to_string(m.limiti.maxPassiPercorsi));
            std::vector<std::string> inTurno, insieme;
            EsitoEnumerazionePonti attesa;
            for (char ab1 : {'-', '+'}) {
                const auto e = EnumeraCandidatiPonte(
                    d, ab1, ab1 == '-' ? '+' : '-', m.orizzontale,
                    [&](const CandidatoPonte& c) { return inTurno.push_back(vistoDelCandidato(c)), true; },
                    m.limiti, false, {}, true, m.senzaLungo);
                attesa.ponti += e.ponti;
                attesa.troncato = attesa.troncato || e.troncato;
            }
            const auto e = EnumeraCandidatiPonteDueTipi(
                d, m.orizzontale,
                [&](const CandidatoPonte& c) { return insieme.push_back(vistoDelCandidato(c)), true; },
                m.limiti, false, {}, true, m.senzaLungo);
            EXPECT_EQ(insieme, inTurno);
            visti += insieme.size();
            EXPECT_EQ((std::tuple{e.ponti, e.troncato, e.fermato, e.tabellaNonValida}),
                      (std::tuple{attesa.ponti, attesa.troncato, false, false}));
        }
    }
    EXPECT_GT(visti, 500U);  // the cases list candidates of every kind
}

TEST(BridgeRewrite, APreparedRewriteServesEveryCandidateAsAFreshOne) {
    int diagrammi = 0, riscritti = 0, rifiutati = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        auto d = costruisci(ts::randomBraidKnot(seed, 4, 16));
        if (!d) continue;
        ++diagrammi;
        RiscritturaPonte preparata(*d);
        PassaggiRiscritti p;  // reused, as the search reuses it
        int contaPreparata = 3, contaFresca = 3;
        for (bool orizzontale : {true, false})
            for (char ab1 : {'-', '+'})
                for (CandidatoPonte c : candidatiPonte(*d, ab1, orizzontale)) {
                    // Every third candidate crosses its own bridge, which both must refuse alike.
                    if ((riscritti + rifiutati) % 3 == 2 && !c.archiPonte.empty()) {
                        c.archiAttraversati.assign(1, c.archiPonte.front());
                        c.regioni.resize(2);
                        c.mossa.ListaArchiAttraversati = std::to_string(c.archiPonte.front()) + ",";
                        c.mossa.ListaRegioniMossa =
                            std::to_string(c.regioni[0]) + "," + std::to_string(c.regioni[1]) + ",";
                    }
                    const auto fresca = NuovoNodoDaPonte(*d, c.mossa, ab1, contaFresca, 9);
                    const int primo = contaPreparata;
                    const auto preparataEsito = preparata.riscrivi(c.archiPonte, c.archiAttraversati,
                                                                   c.regioni, ab1, contaPreparata, 9);
                    ASSERT_EQ(fresca.ok(), preparataEsito.ok()) << c.mossa.ListaArchiMossa;
                    ++(fresca.ok() ? riscritti : rifiutati);
                    EXPECT_EQ(contaPreparata, contaFresca);
                    EXPECT_EQ(preparata.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p).ok(),
                              fresca.ok());
                    if (!fresca.ok() || fresca->nodoBanale) continue;
                    EXPECT_EQ(std::tie(preparataEsito->txtNodo, preparataEsito->TxtOri, preparataEsito->nomi),
                              std::tie(fresca->txtNodo, fresca->TxtOri, fresca->nomi));
                    EXPECT_EQ(chiaveCanonica(p.voci), chiaveCanonica(fresca->txtNodo));
                    const NuovoNodo daPassaggi = preparata.nodo(p, primo, 9);
                    EXPECT_EQ(std::tie(daPassaggi.txtNodo, daPassaggi.TxtOri, daPassaggi.nomi),
                              std::tie(fresca->txtNodo, fresca->TxtOri, fresca->nomi));
                }
    }
    EXPECT_GE(diagrammi, 6);
    EXPECT_GE(riscritti, 50);
    EXPECT_GE(rifiutati, 10);
}

// One rewrite prepared in turn for diagrams of different sizes serves each as a rewrite made for it alone:
// the same keys, passages, letters and refusals.
TEST(BridgeRewrite, ARewritePreparedAgainServesTheNextDiagramAsAFreshOne) {
    std::vector<std::unique_ptr<Diagram>> diagrammi;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        auto d = costruisci(seed % 2 ? ts::randomBraidKnot(seed, 4, 8 + 4 * static_cast<int>(seed))
                                     : ts::randomUnknot(seed, 6 + 2 * static_cast<int>(seed)));
        if (d) diagrammi.push_back(std::move(d));
    }
    for (const auto& [strands, potenza] : {std::pair{3, 4}, {4, 3}, {2, 5}}) {
        ts::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        if (auto d = costruisci(ts::braidClosure(strands, parola))) diagrammi.push_back(std::move(d));
    }
    ASSERT_GE(diagrammi.size(), 7u);
    std::optional<RiscritturaPonte> riusata;
    int confrontati = 0, rifiutati = 0;
    for (int giro = 0; giro < 2; ++giro)
        for (const auto& d : diagrammi) {
            if (riusata)
                riusata->prepara(*d);
            else
                riusata.emplace(*d);
            RiscritturaPonte fresca(*d);
            PassaggiRiscritti pr, pf;
            std::string kr, kf;
            for (bool orizzontale : {true, false})
                for (char ab1 : {'-', '+'})
                    for (CandidatoPonte c : candidatiPonte(*d, ab1, orizzontale)) {
                        if ((confrontati + rifiutati) % 4 == 3 && !c.archiPonte.empty()) {
                            c.archiAttraversati.assign(1, c.archiPonte.front());  // refused by both
                            c.regioni.resize(2);
                        }
                        int nr = -1, nf = -1;
                        bool br = false, bf = false;
                        const bool fatta =
                            fresca.chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, kf, nf, bf).ok();
                        ASSERT_EQ(
                            riusata->chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, kr, nr, br)
                                .ok(),
                            fatta);
                        ASSERT_EQ(
                            riusata->passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, pr).ok(),
                            fresca.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, pf).ok());
                        if (!fatta) {
                            ++rifiutati;
                            continue;
                        }
                        ++confrontati;
                        EXPECT_EQ(std::tie(kr, nr, br), std::tie(kf, nf, bf)) << d->txtNodo;
                        EXPECT_EQ(std::tie(pr.voci, pr.segniSucc, pr.TxtOri, pr.vecchie, pr.nodoBanale),
                                  std::tie(pf.voci, pf.segniSucc, pf.TxtOri, pf.vecchie, pf.nodoBanale));
                    }
        }
    EXPECT_GE(confrontati, 300);
    EXPECT_GE(rifiutati, 50);
}

// The rewrite's passages as the text procedure writes them: items physically inserted into and deleted
// from the old text, every search by a scan from the first item. Letters are left out.
std::optional<std::vector<VoceScifta>> riscritturaDiRiferimento(const Diagram& d,
                                                                const std::vector<int>& ponte,
                                                                const std::vector<int>& attraversati,
                                                                char ab1) {
    struct Voce {
        int label;
        char segnoSucc;
        int origine;
    };
    const auto vecchie = leggiVociScifta(d.txtNodo);
    if (!vecchie) return std::nullopt;
    const int n = static_cast<int>(vecchie->size());
    std::vector<Voce> sorgente{{0, 0, 0}};
    for (int k = 1; k <= n; ++k)
        sorgente.push_back({(*vecchie)[static_cast<std::size_t>(k - 1)].label,
                            (*vecchie)[static_cast<std::size_t>(k % n)].sign, k});
    std::vector<Voce> items = sorgente;
    auto proprio = [&](std::size_t i) { return items[i == 1 ? items.size() - 1 : i - 1].segnoSucc; };
    const int x0 = d.archi[static_cast<std::size_t>(ponte.front())].IncrocioDa;
    for (auto it = attraversati.rbegin(); it != attraversati.rend(); ++it) {
        const int y = *it;
        std::size_t i = 0;
        for (std::size_t k = 1; k < items.size() && i == 0; ++k)
            if (items[k].label == x0 && proprio(k) == ab1) i = k;
        if (i == 0) return std::nullopt;
        const char segno = items[i].origine > 0
                               ? sorgente[static_cast<std::size_t>(items[i].origine)].segnoSucc
                               : items[i].segnoSucc;
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(i) + 1, Voce{y + 1000, segno, 0});
        std::size_t j = 0;
        for (std::size_t k = 1; k < items.size() && j == 0; ++k)
            if (items[k].origine == y) j = k;
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(j) + 1,
                     Voce{y + 1000, sorgente[static_cast<std::size_t>(y)].segnoSucc, 0});
        items[j].segnoSucc = ab1;
    }
    for (std::size_t k = 1; k < ponte.size(); ++k)
        for (Voce& v : items)
            if (v.label == d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa) v.label = 0;
    std::vector<std::size_t> vivi;
    for (std::size_t k = 1; k < items.size(); ++k)
        if (items[k].label != 0) vivi.push_back(k);
    // Each survivor's own sign is the sign written after the item before it; renumbered by first
    // appearance.
    std::vector<VoceScifta> out;
    std::map<int, int> nuove;
    for (std::size_t v : vivi) {
        const int nuova = nuove.emplace(items[v].label, static_cast<int>(nuove.size()) + 1).first->second;
        out.push_back({proprio(v), nuova});
    }
    return out;
}

// The rewrite on its list gives the passages of the text procedure, for the routes of the search and
// for made-up routes crossing any arcs in any order, and its key without the passages is the key of the
// passages, with as many new crossings, refused alike.
TEST(BridgeRewrite, TheListRewriteAndItsKeyAreThoseOfTheTextProcedure) {
    std::mt19937 rng(11);
    int confrontati = 0, inventati = 0;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        auto d = costruisci(seed % 2 ? ts::randomBraidKnot(seed, 4, 18) : ts::randomUnknot(seed, 14));
        if (!d) continue;
        RiscritturaPonte r(*d);
        PassaggiRiscritti p;
        std::string chiave;
        for (bool orizzontale : {true, false})
            for (char ab1 : {'-', '+'})
                for (CandidatoPonte c : candidatiPonte(*d, ab1, orizzontale))
                    for (int variante = 0; variante < 3; ++variante) {
                        if (variante > 0) {
                            // Made up: arcs off the bridge, in random order.
                            std::vector<int> altri;
                            for (int a = 1; a <= d->NumArchi; ++a)
                                if (std::find(c.archiPonte.begin(), c.archiPonte.end(), a) ==
                                    c.archiPonte.end())
                                    altri.push_back(a);
                            std::shuffle(altri.begin(), altri.end(), rng);
                            altri.resize(std::min<std::size_t>(altri.size(), rng() % 5));
                            c.archiAttraversati = altri;
                            c.regioni.assign(altri.size() + 1, 1);
                            ++inventati;
                        }
                        const auto atteso =
                            riscritturaDiRiferimento(*d, c.archiPonte, c.archiAttraversati, ab1);
                        const bool fatta =
                            r.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p, false).ok();
                        int nuovi = -1;
                        bool banale = false;
                        ASSERT_EQ(
                            r.chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, chiave, nuovi, banale)
                                .ok(),
                            fatta);
                        if (!fatta) continue;
                        ++confrontati;
                        ASSERT_TRUE(atteso);
                        EXPECT_EQ(banale, p.nodoBanale);
                        if (p.nodoBanale) continue;
                        EXPECT_EQ(p.voci, *atteso) << c.mossa.ListaArchiMossa;
                        EXPECT_EQ(chiave, chiaveCanonica(*atteso));
                        EXPECT_EQ(nuovi, p.nuoviIncroci);
                    }
    }
    EXPECT_GE(confrontati, 300);
    EXPECT_GE(inventati, 200);
}

// The key of a code in pairs written plainly: every reading of the steps to the partner (each passage as
// 2 * steps + (own sign is '+')), forwards from each passage and backwards, the smallest taken, then one
// byte a passage, or for long codes the step count of each crossing's first passage in as few bits as
// n - 1 needs and every passage's sign, low bits first.
std::string chiavePiana(const std::vector<VoceScifta>& voci) {
    const std::size_t n = voci.size();
    std::vector<int> passo(n), segno(n);
    for (std::size_t k = 0; k < n; ++k) {
        segno[k] = voci[k].sign == '+' ? 1 : 0;
        for (std::size_t j = 1; j < n; ++j)
            if (voci[(k + j) % n].label == voci[k].label) passo[k] = static_cast<int>(j);
    }
    std::vector<int> minima;
    for (std::size_t r = 0; r < n; ++r)
        for (bool indietro : {false, true}) {
            std::vector<int> lettura;
            for (std::size_t j = 0; j < n; ++j) {
                const std::size_t k = indietro ? (r + n - j) % n : (r + j) % n;
                lettura.push_back(2 * (indietro ? static_cast<int>(n) - passo[k] : passo[k]) + segno[k]);
            }
            if (minima.empty() || lettura < minima) minima = lettura;
        }
    std::string chiave;
    if (2 * n + 1 <= 255) {
        chiave += '\3';
        for (int c : minima) chiave += static_cast<char>(c);
        return chiave;
    }
    int larghezza = 1;
    while ((std::size_t{1} << larghezza) <= n - 1) ++larghezza;
    std::vector<bool> bit;
    std::vector<bool> seconda(n, false);
    for (std::size_t k = 0; k < n; ++k) {
        if (!seconda[k]) {
            for (int b = 0; b < larghezza; ++b) bit.push_back(((minima[k] / 2) >> b) & 1);
            seconda[(k + static_cast<std::size_t>(minima[k] / 2)) % n] = true;
        }
        bit.push_back(minima[k] & 1);
    }
    chiave = {'\6', static_cast<char>(n & 0xff), static_cast<char>(n >> 8)};
    for (std::size_t b = 0; b < bit.size(); b += 8) {
        int byte = 0;
        for (std::size_t q = 0; q < 8 && b + q < bit.size(); ++q) byte |= bit[b + q] << q;
        chiave += static_cast<char>(byte);
    }
    return chiave;
}

// The key read without rewriting, on diagrams of one and two bytes a passage (torus and random braid
// closures, scrambled sums and enlarged unknots up to 250 crossings), is the plain key of the rewritten
// passages, and so is the key the set of codes files for them.
TEST(BridgeRewrite, KeysOfLargeDiagramsAreThePlainKeysOfTheirPassages) {
    struct Caso {
        const char* nome;
        ts::GaussDiagram diagramma;
    };
    ts::BraidWord toro;
    for (int k = 0; k < 40; ++k) toro.insert(toro.end(), {1, 2});
    const std::vector<ts::ScrambledCase> somme = ts::scrambledCases(7, 2, 90, 140);
    const Caso casi[] = {
        {"torus (s1s2)^40", ts::braidClosure(3, toro)},
        {"random braid 5 strands", ts::randomBraidKnot(3, 5, 70)},
        {"random braid 7 strands", ts::randomBraidKnot(4, 7, 240)},
        {"scrambled sum", somme[0].diagram},
        {"scrambled sum 2", somme[1].diagram},
        {"enlarged unknot", ts::randomUnknot(5, 200)},
    };
    int confrontati = 0, lunghe = 0;
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        auto d = costruisci(caso.diagramma);
        ASSERT_TRUE(d);
        RiscritturaPonte r(*d);
        PassaggiRiscritti p;
        std::string chiave;
        int perDiagramma = 0;
        for (bool orizzontale : {true, false})
            for (char ab1 : {'-', '+'})
                for (const CandidatoPonte& c : candidatiPonte(*d, ab1, orizzontale)) {
                    if (perDiagramma >= 60) break;
                    int nuovi = -1;
                    bool banale = false;
                    const bool fatta =
                        r.chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, chiave, nuovi, banale)
                            .ok();
                    ASSERT_EQ(r.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p, false).ok(),
                              fatta);
                    if (!fatta || banale) continue;
                    ++perDiagramma;
                    ++confrontati;
                    lunghe += 2 * p.voci.size() + 1 > 255;
                    EXPECT_EQ(chiave, chiavePiana(p.voci)) << c.mossa.ListaArchiMossa;
                    EXPECT_EQ(chiave, chiaveCanonica(p.voci));
                }
        EXPECT_GE(perDiagramma, 10);
    }
    EXPECT_GE(lunghe, 100);
}

// One rewrite prepared in turn for diagrams of every kind, as the search prepares it for each record it
// examines (torus closures, the diagrams their moves reach, random braids, scrambled sums, enlarged unknots,
// in an order that goes from small to large and back), keys every candidate with the plain key of its
// rewritten passages and as many new crossings, and refuses as a rewrite made for that diagram alone.
TEST(BridgeRewrite, ARewritePreparedForDiagramAfterDiagramKeysAsThePlainKey) {
    std::vector<std::unique_ptr<Diagram>> diagrammi;
    for (const auto& [strands, potenza] : {std::pair{3, 7}, {4, 5}, {2, 9}}) {
        ts::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        auto d = costruisci(ts::braidClosure(strands, parola));
        ASSERT_TRUE(d);
        RiscritturaPonte r(*d);
        int contatore = 0, presi = 0;
        for (const CandidatoPonte& c : candidatiPonte(*d, '-', true)) {
            auto e = r.riscrivi(c.archiPonte, c.archiAttraversati, c.regioni, '-', contatore);
            if (!e || e->nodoBanale || presi++ % 3 != 0) continue;
            if (auto figlio = costruisci(e->txtNodo, e->TxtOri)) diagrammi.push_back(std::move(figlio));
        }
        diagrammi.push_back(std::move(d));
    }
    for (const ts::ScrambledCase& caso : ts::scrambledCases(3, 2, 30, 60))
        if (auto d = costruisci(caso.diagram)) diagrammi.push_back(std::move(d));
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        if (auto d = costruisci(
                ts::randomBraidKnot(seed, 3 + static_cast<int>(seed), 10 + 12 * static_cast<int>(seed))))
            diagrammi.push_back(std::move(d));
        if (auto d = costruisci(ts::randomUnknot(seed, 8 + 10 * static_cast<int>(seed))))
            diagrammi.push_back(std::move(d));
    }
    ASSERT_GE(diagrammi.size(), 20u);
    RiscritturaPonte riusata(*diagrammi.front());
    PassaggiRiscritti p;
    std::string chiave;
    int confrontati = 0, rifiutati = 0;
    for (int giro = 0; giro < 2; ++giro)
        for (std::size_t i = 0; i < diagrammi.size(); ++i) {
            const Diagram& d = *diagrammi[giro == 0 ? i : diagrammi.size() - 1 - i];
            riusata.prepara(d);
            RiscritturaPonte fresca(d);
            for (char ab1 : {'-', '+'})
                for (CandidatoPonte c : candidatiPonte(d, ab1, true)) {
                    if ((confrontati + rifiutati) % 7 == 6 && !c.archiPonte.empty())
                        c.archiAttraversati.push_back(c.archiPonte.back());  // crosses its own bridge
                    c.regioni.resize(c.archiAttraversati.size() + 1, 1);
                    int nuovi = -1;
                    bool banale = false;
                    const bool fatta =
                        riusata
                            .chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, chiave, nuovi, banale)
                            .ok();
                    ASSERT_EQ(
                        fresca.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p, false).ok(),
                        fatta);
                    if (!fatta) {
                        ++rifiutati;
                        continue;
                    }
                    ++confrontati;
                    ASSERT_EQ(banale, p.nodoBanale);
                    if (banale) continue;
                    EXPECT_EQ(chiave, chiavePiana(p.voci)) << d.txtNodo << " " << c.mossa.ListaArchiMossa;
                    EXPECT_EQ(nuovi, p.nuoviIncroci);
                }
        }
    EXPECT_GE(confrontati, 1000);
    EXPECT_GE(rifiutati, 100);
}

// On torus closures, whose passages repeat one pattern, and on the diagrams their horizontal moves reach,
// the key read without rewriting is the key of the rewritten passages, for every candidate of both kinds.
TEST(BridgeRewrite, KeysOnTorusClosuresAndTheDiagramsTheyReachAreThoseOfTheirPassages) {
    int confrontati = 0, figli = 0;
    auto confronta = [&](const Diagram& d, std::vector<std::unique_ptr<Diagram>>* raggiunti) {
        RiscritturaPonte r(d);
        PassaggiRiscritti p;
        std::string chiave;
        for (bool orizzontale : {true, false})
            for (char ab1 : {'-', '+'})
                for (const CandidatoPonte& c : candidatiPonte(d, ab1, orizzontale)) {
                    const bool fatta = r.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, ab1, p).ok();
                    int nuovi = -1;
                    bool banale = false;
                    ASSERT_EQ(
                        r.chiave(c.archiPonte, c.archiAttraversati, c.regioni, ab1, chiave, nuovi, banale)
                            .ok(),
                        fatta);
                    if (!fatta || p.nodoBanale) continue;
                    ++confrontati;
                    EXPECT_EQ(chiave, chiaveCanonica(p.voci)) << c.mossa.ListaArchiMossa;
                    EXPECT_EQ(nuovi, p.nuoviIncroci);
                    if (raggiunti && orizzontale && raggiunti->size() < 6) {
                        const NuovoNodo e = r.nodo(p, 0, -1);
                        if (auto figlio = costruisci(e.txtNodo, e.TxtOri))
                            raggiunti->push_back(std::move(figlio));
                    }
                }
    };
    for (const auto& [strands, potenza] : {std::pair{3, 5}, {4, 3}, {5, 3}}) {
        ts::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        auto d = costruisci(ts::braidClosure(strands, parola));
        ASSERT_TRUE(d);
        std::vector<std::unique_ptr<Diagram>> raggiunti;
        confronta(*d, &raggiunti);
        for (const auto& figlio : raggiunti) confronta(*figlio, nullptr);
        figli += static_cast<int>(raggiunti.size());
    }
    EXPECT_GE(figli, 10);
    EXPECT_GE(confrontati, 200);
}

}  // namespace
}  // namespace trevalon
