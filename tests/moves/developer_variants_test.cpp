// The developer variants keep the knot, the mixed list refuses what cannot be lifted over the diagram, and
// the horizontal search reads the developer settings.

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

TEST(VariantiSviluppo, TwoLoopAndMixedMovesKeepTheKnot) {
    std::vector<ts::GaussDiagram> campioni;
    for (const auto& k : ts::namedKnots())
        for (int seed = 1; seed <= 3; ++seed)
            campioni.push_back(
                ts::enlarged(ts::diagramOf(k), seed, ts::diagramOf(k).crossings() + 5 + 3 * seed));
    for (int seed = 1; seed <= 6; ++seed) campioni.push_back(ts::randomUnknot(seed, 12 + 3 * seed));
    int clasp = 0, misti = 0, parziali = 0, rifiutati = 0, cambiano = 0;
    for (const auto& g : campioni) {
        auto d = costruisci(g);
        ASSERT_TRUE(d);
        const auto stesso = [&](const std::string& codice, const std::string& ori) {
            return ts::sameKnot(d->txtNodo, d->TxtOri, codice, ori);
        };
        for (const CandidatoMossa& c : CandidatiMossaII(*d, TipoTMan::I)) {
            int conta = 500;
            const auto t = NuovoNodoDaPonteB(TestoDi(*d), c.mossa, *d, conta);
            ASSERT_TRUE(t && c.mossa.TipoCandidato == MoveIIRewrite::P);
            EXPECT_EQ(static_cast<int>(t->TxtOri.size()), incrociAttesi(*d, MoveKind::II, c));
            EXPECT_TRUE(stesso(t->txtNodo, t->TxtOri)) << d->txtNodo << " " << d->TxtOri;
            clasp += c.mossa.ListaArchiAttraversati != ",";
        }
        const auto ponti = ListaPonti(*d, '-', '+');
        EnumeraCandidatiPonteMisto(*d, '-', '+', [&](const CandidatoPonte& c) {
            EXPECT_LT(c.archiAttraversati.size(), c.archiPonte.size() - 1);
            int conta = 7;
            const auto r = NuovoNodoDaPonte(*d, c.mossa, '-', conta);
            EXPECT_TRUE(r && (r->nodoBanale || stesso(r->txtNodo, r->TxtOri))) << c.mossa.ListaArchiMossa;
            ++misti;
            parziali += std::find(ponti.begin(), ponti.end(), c.archiPonte) == ponti.end();
            return true;
        });
        // A listed strand passing under something is refused: laid over the diagram along a route crossing
        // nothing (both ends beside one region), it may change the knot.
        ListaPontiMisti(*d, [&](const std::vector<int>& t) {
            const auto segno = [&](int p) { return d->gemelli[static_cast<std::size_t>(p)].Segno; };
            if (segno(t[0]) != '-' ||
                std::all_of(t.begin() + 1, t.end(), [&](int p) { return segno(p) == '+'; }))
                return true;
            EXPECT_FALSE(ValidaMisto(*d, t, '-', '+'));
            ++rifiutati;
            const Arco& f = d->archi[static_cast<std::size_t>(t.front())];
            const Arco& l = d->archi[static_cast<std::size_t>(t.back())];
            for (int r : {f.Reg1, f.Reg2})
                if (r == l.Reg1 || r == l.Reg2) {
                    MossaScelta m;
                    m.ListaArchiMossa = testoLista(t, false);
                    m.ListaRegioniMossa = std::to_string(r) + ",";
                    int conta = 7;
                    const auto n = NuovoNodoDaPonte(*d, m, '-', conta);
                    cambiano += n && !n->nodoBanale && !stesso(n->txtNodo, n->TxtOri);
                    break;
                }
            return true;
        });
    }
    EXPECT_GT(clasp, 0);     // clasps with strands crossing them
    EXPECT_GT(parziali, 0);  // strands that are only part of a bridge
    EXPECT_GT(misti, parziali);
    EXPECT_GT(rifiutati, 0);
    EXPECT_GT(cambiano, 0);
}

// The rewrites of a diagram's horizontal candidates in search order, as the tree step sees them.
std::vector<std::string> figliOrizzontali(const Diagram& d) {
    std::vector<std::string> out;
    for (char ab1 : {'-', '+'})
        for (const CandidatoPonte& c : candidatiPonte(d, ab1, true)) {
            int conta = 0;
            const auto r = NuovoNodoDaPonte(d, c.mossa, ab1, conta);
            if (!c.lungoIlPonte() && r && !r->nodoBanale) out.push_back(r->txtNodo + " " + r->TxtOri);
        }
    return out;
}

TEST(VariantiSviluppo, TheHorizontalSearchReadsTheDeveloperSettings) {
    const auto codice = [](const std::string& figlio) { return figlio.substr(0, figlio.find(' ')); };
    // Settings, root of the tree (the diagram's own code when empty), Diretta.
    const auto cerca = [](FintaFinestra& w, const std::string& radice, bool Diretta) {
        w.albero().azzera(radice.empty() ? w.d->txtNodo : radice, w.d->TxtOri);
        StatoPonte s;
        s.SoloMossaIII = true;
        return AzionePonte(w, s, BridgeKind::Horizontal, Diretta).esito;
    };
    FintaFinestra w;
    w.opz.ModoAutomatico = w.opz.SoloGenerazione = true;
    w.opz.camminoSviluppo = ValidaCamminoSviluppo;  // as the main window hands it on
    ASSERT_TRUE(w.carica(ts::randomBraidKnot(3, 3, 9)));
    const auto figli = figliOrizzontali(*w.d);
    ASSERT_GT(figli.size(), 2u);
    // The catalogue expansion files every new diagram once, untested, and takes none.
    InsiemeCodici attesi(1000);
    attesi.aggiungi(w.d->txtNodo);
    for (const std::string& f : figli) attesi.aggiungi(codice(f));
    EXPECT_EQ(cerca(w, "", false), EsitoDriver::NessunCandidato);
    ASSERT_EQ(static_cast<std::size_t>(w.albero().NumListaUg()), attesi.size() - 1);
    for (long i = 1; i <= w.albero().NumListaUg(); ++i)
        EXPECT_TRUE(
            ts::sameKnot(w.d->txtNodo, w.d->TxtOri, w.albero().record(i).Codice, w.albero().record(i).Ori));
    // ValoreDebug 1: the tree is cut back to its root and the test code (whose labels are passed on the
    // same side twice: no diagram is it); the first candidate whose diagram is the root is taken.
    w.opz.SoloGenerazione = false;
    w.opz.ValoreDebug = 1;
    EXPECT_NE(cerca(w, "", true), EsitoDriver::Applicata);
    EXPECT_EQ(w.albero().record(1).Codice, kCodiceProvaDebug);
    EXPECT_EQ(w.scripted.messages,
              std::vector<std::string>{"No move  was found"});  // the code does not build
    EXPECT_EQ(cerca(w, codice(figli[1]), true), EsitoDriver::Applicata);
    const auto primo = std::find_if(figli.begin(), figli.end(), [&](const std::string& f) {
        return stessoCodice(codice(f), codice(figli[1]));
    });
    EXPECT_EQ(w.passi, std::vector<std::string>{*primo});
    EXPECT_EQ(w.albero().NumListaUg(), 1);
    // ValoreDebug2 1: the first candidate is taken without looking ahead.
    ASSERT_TRUE(w.carica(ts::randomBraidKnot(3, 3, 9)));
    w.opz.ValoreDebug = 0;
    w.opz.ValoreDebug2 = 1;
    EXPECT_EQ(cerca(w, "", true), EsitoDriver::Applicata);
    EXPECT_EQ(w.passi.back(), figli[0]);
    EXPECT_EQ(w.provaCreata, 1);  // only for the test code's batch
}

}  // namespace
}  // namespace trevalon
