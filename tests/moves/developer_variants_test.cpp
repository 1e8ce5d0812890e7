// The developer variants: the "2L" move II and the mixed move III keep the knot, the mixed list refuses
// what cannot be lifted over the diagram, and the developer settings of the horizontal search.

#include "moves/developer_variants.h"

#include <gtest/gtest.h>

#include "moves/bridge_lists.h"
#include "moves/compare.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using namespace trevalon::movetest;

// The named knots drawn larger, and generated unknots and braid closures.
std::vector<ts::GaussDiagram> campioni() {
    std::vector<ts::GaussDiagram> out;
    for (const auto& k : ts::namedKnots())
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            const auto g = ts::diagramOf(k);
            out.push_back(ts::enlarged(g, seed, g.crossings() + 5 + 3 * static_cast<int>(seed)));
        }
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        out.push_back(ts::randomUnknot(seed, 12 + 3 * static_cast<int>(seed)));
        out.push_back(ts::randomBraidKnot(seed, 3 + seed % 3, 8 + static_cast<int>(seed)));
    }
    return out;
}

TEST(VariantiSviluppo, TwoLoopAndMixedCandidatesKeepTheKnot) {
    int clasp = 0, conAttraversati = 0, misti = 0, parziali = 0;
    for (const auto& g : campioni()) {
        auto d = costruisci(g);
        ASSERT_TRUE(d) << ts::gaussText(g);
        for (const CandidatoMossa& c : CandidatiMossaII(*d, TipoTMan::I)) {
            SCOPED_TRACE(d->txtNodo + " " + d->TxtOri + " [" + c.mossa.VoceMossa1 + "|" + c.mossa.VoceMossa2 +
                         "]");
            ASSERT_EQ(c.mossa.TipoCandidato, MoveIIRewrite::P);
            int conta = 500;
            const auto t = NuovoNodoDaPonteB(TestoDi(*d), c.mossa, *d, conta);
            ASSERT_TRUE(t);
            EXPECT_EQ(static_cast<int>(t->TxtOri.size()), incrociAttesi(*d, MoveKind::II, c));
            EXPECT_TRUE(ts::sameKnot(d->txtNodo, d->TxtOri, t->txtNodo, t->TxtOri)) << t->txtNodo;
            ++clasp;
            conAttraversati += c.mossa.ListaArchiAttraversati != ",";
        }
        const auto ponti = ListaPonti(*d, '-', '+');
        EnumeraCandidatiPonteMisto(*d, '-', '+', [&](const CandidatoPonte& c) {
            SCOPED_TRACE(d->txtNodo + " " + d->TxtOri + " strand " + c.mossa.ListaArchiMossa + " route " +
                         c.mossa.ListaArchiAttraversati);
            EXPECT_TRUE(ValidaMisto(*d, c.archiPonte, '-', '+'));
            EXPECT_LT(c.archiAttraversati.size(), c.archiPonte.size() - 1);
            int conta = 7;
            const auto r = NuovoNodoDaPonte(*d, c.mossa, '-', conta);
            EXPECT_TRUE(r.ok()) << r.error();
            if (!r) return true;
            const int attese = d->NumIncroci - c.incrociPonte + static_cast<int>(c.archiAttraversati.size());
            EXPECT_EQ(static_cast<int>(r->TxtOri.size()), attese);
            if (attese > 0) {
                EXPECT_TRUE(ts::sameKnot(d->txtNodo, d->TxtOri, r->txtNodo, r->TxtOri));
            }
            ++misti;
            parziali += std::find(ponti.begin(), ponti.end(), c.archiPonte) == ponti.end();
            return true;
        });
    }
    EXPECT_GT(clasp, 0);
    EXPECT_GT(conAttraversati, 0);
    EXPECT_GT(misti, 0);
    EXPECT_GT(parziali, 0);  // strands that are only part of a bridge
}

// Every strand of the mixed list has distinct crossings and a shortcut; the ones that pass under something
// are refused, and laying any of them over the diagram would change the knot on some sample.
TEST(VariantiSviluppo, TheMixedListRefusesStrandsThatPassUnder) {
    int rifiutati = 0, cambiano = 0;
    for (const auto& g : campioni()) {
        auto d = costruisci(g);
        ASSERT_TRUE(d);
        ListaPontiMisti(*d, [&](const std::vector<int>& t) {
            std::vector<int> incroci;
            for (int p : t) incroci.push_back(d->gemelli[static_cast<std::size_t>(p)].Padre);
            incroci.push_back(d->archi[static_cast<std::size_t>(t.back())].IncrocioA);
            std::sort(incroci.begin(), incroci.end());
            EXPECT_EQ(std::adjacent_find(incroci.begin(), incroci.end()), incroci.end());
            bool sotto = false;
            for (std::size_t k = 1; k < t.size(); ++k)
                sotto |= d->gemelli[static_cast<std::size_t>(t[k])].Segno == '-';
            if (!sotto || d->gemelli[static_cast<std::size_t>(t[0])].Segno != '-') return true;
            EXPECT_FALSE(ValidaMisto(*d, t, '-', '+'));
            ++rifiutati;
            // Taken as if it were a bridge, when both ends lie beside one region (a route crossing nothing).
            const Arco& f = d->archi[static_cast<std::size_t>(t.front())];
            const Arco& l = d->archi[static_cast<std::size_t>(t.back())];
            for (int r : {f.Reg1, f.Reg2}) {
                if (r != l.Reg1 && r != l.Reg2) continue;
                MossaScelta m;
                m.ListaArchiMossa = testoLista(t, false);
                m.ListaRegioniMossa = std::to_string(r) + ",";
                int conta = 7;
                const auto n = NuovoNodoDaPonte(*d, m, '-', conta);
                cambiano +=
                    n && !n->nodoBanale && !ts::sameKnot(d->txtNodo, d->TxtOri, n->txtNodo, n->TxtOri);
                break;
            }
            return true;
        });
    }
    EXPECT_GT(rifiutati, 0);
    EXPECT_GT(cambiano, 0);
}

// The developer commands through a fake window: "2L" is shown only in the developer layout and applies
// the candidate answered "Sel"; the mixed search applies, passes over and stops.
TEST(VariantiSviluppo, DeveloperCommandsApplyOnlyWhatIsChosen) {
    for (const auto& g : campioni()) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica(g));
        const std::size_t n = CandidatiMossaII(*w.d, TipoTMan::I).size();
        if (n == 0) continue;
        const std::string prima = w.d->txtNodo, oriPrima = w.d->TxtOri;
        EXPECT_EQ(cmdTec2I_Click(w).esito, EsitoDriver::NessunCandidato);  // nothing shown
        w.opz.ModoSviluppo = true;
        w.scripted.viewerAnswers = Risposte(n, ViewerAnswer::None);
        EXPECT_EQ(cmdTec2I_Click(w).esito, EsitoDriver::NessunAltro);
        EXPECT_EQ(w.scripted.viewerRequests.size(), n);
        EXPECT_TRUE(w.scripted.messages.empty());
        w.scripted.viewerAnswers = {ViewerAnswer::Sel};
        ASSERT_EQ(cmdTec2I_Click(w).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::IILoop});
        EXPECT_TRUE(ts::sameKnot(prima, oriPrima, w.d->txtNodo, w.d->TxtOri));
        break;
    }
    for (const auto& g : campioni()) {
        FintaFinestra w;
        ASSERT_TRUE(w.carica(g));
        StatoPonte s;
        if (EnumeraCandidatiPonteMisto(*w.d, '-', '+', [](const CandidatoPonte&) { return false; }).fermato ==
            false)
            continue;
        w.scripted.viewerAnswers = {ViewerAnswer::Int};
        EXPECT_EQ(CmdTpon3_Click(w, s).esito, EsitoDriver::Interrotta);
        EXPECT_EQ(w.ridisegni, 1);
        const std::string prima = w.d->txtNodo, oriPrima = w.d->TxtOri;
        w.scripted.viewerAnswers = {ViewerAnswer::Sel};
        ASSERT_EQ(CmdTpon3_Click(w, s).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.tipi, std::vector<MoveKind>{MoveKind::III});
        EXPECT_LT(w.d->NumIncroci, static_cast<int>(oriPrima.size()));
        EXPECT_TRUE(ts::sameKnot(prima, oriPrima, w.d->txtNodo, w.d->TxtOri));
        return;
    }
    ADD_FAILURE() << "no sample with a mixed candidate";
}

// The rewrites of a diagram's horizontal candidates in search order (over-bridges first), leaving out the
// routes along their own bridge, as the tree step sees them.
std::vector<std::string> figliOrizzontali(const Diagram& d) {
    std::vector<std::string> out;
    for (char ab1 : {'-', '+'})
        for (const CandidatoPonte& c : candidatiPonte(d, ab1, true)) {
            if (c.lungoIlPonte()) continue;
            int conta = 0;
            const auto r = NuovoNodoDaPonte(d, c.mossa, ab1, conta);
            if (r && !r->nodoBanale) out.push_back(r->txtNodo + " " + r->TxtOri);
        }
    return out;
}

std::string codiceDi(const std::string& figlio) {
    return figlio.substr(0, figlio.find(' '));
}

// A horizontal search in the automatic run from the window's diagram, with the tree reset to it; with
// Diretta the batch over the tree follows when no candidate was taken.
RisultatoPonte cercaOrizzontale(FintaFinestra& w, bool Diretta = true) {
    w.albero().azzera(w.d->txtNodo, w.d->TxtOri);
    StatoPonte s;
    s.SoloMossaIII = true;
    return AzionePonte(w, s, BridgeKind::Horizontal, Diretta);
}

TEST(VariantiSviluppo, TheHorizontalSearchReadsTheDeveloperSettings) {
    // The catalogue expansion files every new diagram once, untested, and takes none.
    const auto g = ts::randomBraidKnot(3, 3, 9);
    {
        FintaFinestra w;
        w.opz.ModoAutomatico = w.opz.SoloGenerazione = true;
        ASSERT_TRUE(w.carica(g));
        InsiemeCodici attesi(1000);
        attesi.aggiungi(w.d->txtNodo);
        for (const std::string& f : figliOrizzontali(*w.d)) attesi.aggiungi(codiceDi(f));
        ASSERT_GT(attesi.size(), 2u);
        EXPECT_EQ(cercaOrizzontale(w, false).esito, EsitoDriver::NessunCandidato);
        ASSERT_EQ(static_cast<std::size_t>(w.albero().NumListaUg()), attesi.size() - 1);
        for (long i = 1; i <= w.albero().NumListaUg(); ++i) {
            const NodoLista& n = w.albero().record(i);
            EXPECT_EQ(n.IndicePadre, 0);
            EXPECT_TRUE(ts::sameKnot(w.d->txtNodo, w.d->TxtOri, n.Codice, n.Ori));
        }
        EXPECT_EQ(w.provaCreata, 0);
        EXPECT_TRUE(w.passi.empty());
    }
    // ValoreDebug2 1: the first horizontal candidate is taken without looking ahead.
    {
        FintaFinestra w;
        w.opz.ModoAutomatico = true;
        w.opz.ValoreDebug2 = 1;
        ASSERT_TRUE(w.carica(g));
        const std::string primo = figliOrizzontali(*w.d).at(0);
        EXPECT_EQ(cercaOrizzontale(w).esito, EsitoDriver::Applicata);
        EXPECT_EQ(w.passi, std::vector<std::string>{primo});
        EXPECT_EQ(w.provaCreata, 0);
    }
    // ValoreDebug 1: the tree is cut back to its root and the test code, and the candidate taken is the
    // first whose diagram is one of them. The test code has labels passed on the same side twice, so no
    // diagram is ever it.
    for (bool radiceFiglio : {false, true}) {
        FintaFinestra w;
        w.opz.ModoAutomatico = true;
        w.opz.ValoreDebug = 1;
        ASSERT_TRUE(w.carica(g));
        const auto figli = figliOrizzontali(*w.d);
        ASSERT_GT(figli.size(), 2u);
        w.albero().azzera(radiceFiglio ? codiceDi(figli[1]) : w.d->txtNodo, "");
        const std::string radice = w.albero().record(0).Codice;
        const auto atteso = std::find_if(figli.begin(), figli.end(), [&](const std::string& f) {
            return stessoCodice(codiceDi(f), radice);
        });
        StatoPonte s;
        s.SoloMossaIII = true;
        const EsitoDriver e = AzionePonte(w, s, BridgeKind::Horizontal, true).esito;
        EXPECT_EQ(w.albero().record(1).Codice, kCodiceProvaDebug);
        if (atteso == figli.end()) {
            // Nothing taken; the batch then finds nothing in the test code, which does not build.
            EXPECT_NE(e, EsitoDriver::Applicata);
            EXPECT_EQ(w.scripted.messages, std::vector<std::string>{"No move  was found"});
            EXPECT_FALSE(radiceFiglio);
        } else {
            EXPECT_EQ(e, EsitoDriver::Applicata);
            EXPECT_EQ(w.passi, std::vector<std::string>{*atteso});
            EXPECT_EQ(w.albero().NumListaUg(), 1);
            EXPECT_EQ(w.provaCreata, 0);
            EXPECT_TRUE(radiceFiglio);
        }
    }
}

}  // namespace
}  // namespace trevalon
