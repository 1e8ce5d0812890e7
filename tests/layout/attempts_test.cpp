// The layout attempts of a build made in order or at once: the same attempt is kept, with its diagram and
// state; groups, exceptions and the person's stop are met where the order meets them.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "layout/attempts.h"
#include "layout/build.h"
#include "model/knot_files.h"
#include "support/quiet_hook.h"

namespace trevalon {
namespace {

// What an attempt of a synthetic plan does.
struct Prova {
    EsitoTentativo esito = EsitoTentativo::Fallito;
    int attesaMs = 0;  // how long it works, in steps of a millisecond that serve the stop request
    bool lancia = false;
    // Its first routing fails at once (it says so), and it waits, up to 2000 steps of a millisecond, for a
    // later attempt to start before it works on.
    bool primoFallito = false;
};

struct Coppia {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    std::unique_ptr<LayoutState> s = std::make_unique<LayoutState>();
};

// Whether an attempt after the first started while the first was still being made.
std::atomic<bool> altriDuranteIlPrimo{false};
// The steps of a millisecond the attempts have worked, all together.
std::atomic<long> passiFatti{0};

// The person's stop, asked at the given poll of the request and from then on; it keeps the steps the
// attempts had worked when it was first answered.
struct StopContato {
    int chiestoAlla = 50;
    std::atomic<int> volte{0};
    std::atomic<long> passiAlloStop{-1};
    std::function<bool()> richiesta() {
        return [this] {
            if (++volte < chiestoAlla) return false;
            long nessuno = -1;
            passiAlloStop.compare_exchange_strong(nessuno, passiFatti.load());
            return true;
        };
    }
    // The steps worked after the stop was answered: each attempt under way ends at its next step, so far
    // fewer than the thousands an attempt left to run on would work (a loaded machine may let a helper
    // make a few steps before the stop reaches it).
    long passiDopo() const { return passiFatti.load() - passiAlloStop; }
};

// Runs the plan with the given helpers (0: in order); each attempt marks the diagram, its cell table and
// its state with its index.
int esegui(Coppia& c, const std::vector<Prova>& prove, const std::vector<int>& gruppi, int aiutanti,
           std::set<std::size_t>* fatti = nullptr, bool subito = false) {
    PianoTentativi piano;
    piano.gruppi = gruppi;
    piano.insieme = true;
    piano.aiutanti = aiutanti;
    piano.subito = subito;
    std::mutex m;
    std::atomic<bool> altro{false};
    altriDuranteIlPrimo = false;
    return TentaInOrdine(*c.d, *c.s, piano, [&](Diagram& d, LayoutState& s, std::size_t i) {
        if (fatti) {
            const std::lock_guard<std::mutex> lock(m);
            fatti->insert(i);
        }
        if (i > 0) altro = true;
        const Prova& p = prove[i];
        if (p.primoFallito && s.primoInstradamentoFallito) {
            s.primoInstradamentoFallito();
            for (int k = 0; k < 2000 && !altro; ++k) {
                s.tick();
                ++passiFatti;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            altriDuranteIlPrimo = altro.load();
        }
        for (int k = 0; k < p.attesaMs; ++k) {
            s.tick();
            ++passiFatti;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (p.lancia) throw std::out_of_range("attempt " + std::to_string(i));
        d.NumIncroci = 100 + static_cast<int>(i);
        d.TblNodo.at(10, 10).Numero = static_cast<int>(i);
        s.IncrocioRadice = 200 + static_cast<int>(i);
        return p.esito;
    });
}

std::vector<int> gruppiDistinti(std::size_t n) {
    std::vector<int> g(n);
    for (std::size_t i = 0; i < n; ++i) g[i] = static_cast<int>(i);
    return g;
}

TEST(LayoutAttempts, TheFirstInOrderThatRoutesIsKeptWhicheverEndsFirst) {
    // Later attempts end sooner: 5 routes long before 3, which the order meets first.
    std::vector<Prova> prove(8);
    for (std::size_t i = 1; i < prove.size(); ++i) prove[i].attesaMs = static_cast<int>(40 - 5 * i);
    prove[3].esito = prove[5].esito = EsitoTentativo::Riuscito;
    for (const int aiutanti : {0, 1, 3, 7}) {
        SCOPED_TRACE("helpers " + std::to_string(aiutanti));
        Coppia c;
        int avanzamenti = 0;
        c.s->progresso = [&avanzamenti] { ++avanzamenti; };
        c.d->MatRegioni.reset(3);
        ASSERT_EQ(esegui(c, prove, gruppiDistinti(prove.size()), aiutanti), 3);
        EXPECT_EQ(c.d->NumIncroci, 103);
        EXPECT_EQ(c.d->TblNodo.at(10, 10).Numero, 3);
        EXPECT_EQ(c.s->IncrocioRadice, 203);
        // The caller's progress and region graph stay its own.
        ASSERT_TRUE(c.s->progresso);
        const int prima = avanzamenti;
        c.s->tick();
        EXPECT_EQ(avanzamenti, prima + 1);
        EXPECT_EQ(c.d->MatRegioni.size(), 3);
    }
}

TEST(LayoutAttempts, AnInterruptedGroupIsSkippedAndEveryAttemptIsMadeWhenNoneRoutes) {
    // 1 interrupts its group (1..3): 2 and 3 are not taken, though they would route.
    std::vector<Prova> prove(6);
    prove[1].esito = EsitoTentativo::Interrompe;
    prove[2].esito = prove[3].esito = EsitoTentativo::Riuscito;
    prove[5].esito = EsitoTentativo::Riuscito;
    const std::vector<int> gruppi{0, 1, 1, 1, 2, 3};
    for (const int aiutanti : {0, 4}) {
        SCOPED_TRACE("helpers " + std::to_string(aiutanti));
        Coppia c;
        EXPECT_EQ(esegui(c, prove, gruppi, aiutanti), 5);
        EXPECT_EQ(c.s->IncrocioRadice, 205);

        std::vector<Prova> nessuna(5);
        Coppia v;
        std::set<std::size_t> fatti;
        EXPECT_EQ(esegui(v, nessuna, gruppiDistinti(nessuna.size()), aiutanti, &fatti), -1);
        EXPECT_EQ(fatti.size(), nessuna.size());
    }
    // The first attempt routing: no other is made.
    std::vector<Prova> subito(4);
    subito[0].esito = EsitoTentativo::Riuscito;
    Coppia c;
    std::set<std::size_t> fatti;
    EXPECT_EQ(esegui(c, subito, gruppiDistinti(subito.size()), 3, &fatti), 0);
    EXPECT_EQ(fatti, std::set<std::size_t>{0});
}

TEST(LayoutAttempts, AnExceptionIsMetOnlyWhereTheOrderMeetsIt) {
    std::vector<Prova> prove(7);
    prove[4].esito = EsitoTentativo::Riuscito;
    prove[6].lancia = true;  // after the one kept: never met
    for (const int aiutanti : {0, 3}) {
        Coppia c;
        EXPECT_EQ(esegui(c, prove, gruppiDistinti(prove.size()), aiutanti), 4);
    }
    prove[2].lancia = true;
    prove[2].attesaMs = 20;  // ends after 4 has routed
    for (const int aiutanti : {0, 3}) {
        Coppia c;
        EXPECT_THROW(esegui(c, prove, gruppiDistinti(prove.size()), aiutanti), std::out_of_range);
    }
}

// Asked, the attempts after the first start as soon as the first one's first routing fails, while it goes
// on: the first in order that routes is still the one kept, with its own diagram and state.
TEST(LayoutAttempts, AttemptsStartedWhenTheFirstRoutingFailsKeepTheOrder) {
    // The first routes in the end, after later attempts have routed.
    std::vector<Prova> prove(6);
    prove[0] = {EsitoTentativo::Riuscito, 30, false, true};
    prove[2].esito = prove[4].esito = EsitoTentativo::Riuscito;
    Coppia c;
    c.d->MatRegioni.reset(3);
    ASSERT_EQ(esegui(c, prove, gruppiDistinti(prove.size()), 3, nullptr, true), 0);
    EXPECT_TRUE(altriDuranteIlPrimo);
    EXPECT_EQ(c.d->NumIncroci, 100);
    EXPECT_EQ(c.s->IncrocioRadice, 200);
    EXPECT_EQ(c.d->MatRegioni.size(), 3);
    EXPECT_FALSE(c.s->primoInstradamentoFallito);

    // The first fails in the end: the first in order of the others that routes, though a later one ended
    // sooner, with its diagram and state.
    prove[0].esito = EsitoTentativo::Fallito;
    prove[2].attesaMs = 40;
    for (const int aiutanti : {1, 3}) {
        SCOPED_TRACE("helpers " + std::to_string(aiutanti));
        Coppia x;
        x.d->MatRegioni.reset(3);
        ASSERT_EQ(esegui(x, prove, gruppiDistinti(prove.size()), aiutanti, nullptr, true), 2);
        EXPECT_TRUE(altriDuranteIlPrimo);
        EXPECT_EQ(x.d->NumIncroci, 102);
        EXPECT_EQ(x.d->TblNodo.at(10, 10).Numero, 2);
        EXPECT_EQ(x.s->IncrocioRadice, 202);
        EXPECT_EQ(x.d->MatRegioni.size(), 3);
    }

    // Not asked: none starts before the first has ended. The second, which this thread makes on its own
    // diagram and state, is kept when it routes, though later ones routed sooner.
    Coppia y;
    EXPECT_EQ(esegui(y, prove, gruppiDistinti(prove.size()), 3), 2);
    EXPECT_FALSE(altriDuranteIlPrimo);
    prove[1] = {EsitoTentativo::Riuscito, 30};
    Coppia w;
    w.d->MatRegioni.reset(3);
    EXPECT_EQ(esegui(w, prove, gruppiDistinti(prove.size()), 3), 1);
    EXPECT_EQ(w.d->NumIncroci, 101);
    EXPECT_EQ(w.s->IncrocioRadice, 201);
    EXPECT_EQ(w.d->MatRegioni.size(), 3);

    // The person's stop while the first goes on ends the helpers too, at their next step.
    std::vector<Prova> lunghe(5);
    for (Prova& p : lunghe) p.attesaMs = 5000;
    lunghe[0].primoFallito = true;
    Coppia z;
    StopContato stop;
    z.s->fermato = stop.richiesta();
    EXPECT_THROW(esegui(z, lunghe, gruppiDistinti(lunghe.size()), 3, nullptr, true), LayoutFermato);
    ASSERT_GE(stop.passiAlloStop, 0);
    EXPECT_LT(stop.passiDopo(), 1000);
}

TEST(LayoutAttempts, ThePersonsStopEndsAttemptsMadeAtOnceSoon) {
    // Attempts that would each work 5000 steps; the stop comes at the 50th time it is asked, and each
    // attempt under way ends at its next step.
    std::vector<Prova> prove(6);
    for (Prova& p : prove) p.attesaMs = 5000;
    prove[0].attesaMs = 1;
    Coppia c;
    StopContato stop;
    c.s->fermato = stop.richiesta();
    EXPECT_THROW(esegui(c, prove, gruppiDistinti(prove.size()), 4), LayoutFermato);
    ASSERT_GE(stop.passiAlloStop, 0);
    EXPECT_LT(stop.passiDopo(), 1000);
}

// A build's cell table, arcs and crossings, as text.
std::string impronta(const Diagram& d) {
    std::string out;
    for (int r = d.limiti.RigaMin; r <= d.limiti.RigaMax; ++r)
        for (int c = d.limiti.ColMin; c <= d.limiti.ColMax; ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Tipo == 0) continue;
            out += std::to_string(r) + "," + std::to_string(c) + x.Tipo + std::to_string(x.Numero) + ":" +
                   std::to_string(x.Posizione) + std::to_string(x.Forma) + " ";
        }
    for (int a = 1; a <= d.NumArchi; ++a) out += d.archi[a].Percorso + d.archi[a].PuntiExtra + "\n";
    for (int k = 1; k <= d.NumIncroci; ++k)
        out += std::to_string(d.incroci[k].Riga) + "," + std::to_string(d.incroci[k].Colonna) + " ";
    return out;
}

// A build of a test diagram, with the helpers given (0: the attempts in turn) and a developer aid when one
// is given: its drawing as text and its root crossing.
struct Costruito {
    std::string impronta;
    int radice = 0;
};
Costruito costruisci(const char* nome, int aiutanti, LayoutDeveloperHook* aiuto = nullptr) {
    std::ifstream in(std::string(TREVALON_TEST_DATA "/layout/") + nome, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result<CodiceGauss> codice = leggiCodiceGaussTesto(text);
    if (!codice) {
        ADD_FAILURE() << nome << ": " << codice.error();
        return {};
    }
    auto b = std::make_unique<BancoCostruzione>();
    b->d.txtNodo = codice->txtNodo;
    b->d.TxtOri = codice->TxtOri;
    b->s.aiutantiTentativi = aiutanti;
    b->s.hook = aiuto;
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    std::string why;
    const auto r = CostruisciDaCodice(b->d, b->s, b->st,
                                      RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui, &why);
    if (!r) {
        ADD_FAILURE() << nome << ": " << why;
        return {};
    }
    return {impronta(b->d), b->s.IncrocioRadice};
}

// The 246-crossing braid whose first roots and the tree served from the end of its queue all fail to route:
// its attempts made at once give the drawing that making them in turn gives.
TEST(LayoutAttempts, ABuildWithAttemptsAtOnceGivesTheDrawingOfOneMadeInTurn) {
    const Costruito inTurno = costruisci("braid_246_6983.gau", 0),
                    insieme = costruisci("braid_246_6983.gau", 3);
    EXPECT_EQ(inTurno.radice, insieme.radice);
    EXPECT_GT(insieme.radice, 7);
    EXPECT_TRUE(inTurno.impronta == insieme.impronta);
}

// Made at once, an attempt's tighter spread is made apart from the widenings before it. The 247-crossing
// braid is drawn from the tighter spread of its second attempt, after the first has failed whole: the same
// drawing as when every attempt is made whole, in turn, as under a developer aid (here one that shows
// nothing).
TEST(LayoutAttempts, ATighterSpreadMadeApartGivesTheDrawingOfTheAttemptMadeWhole) {
    testsupport::AiutoMuto aiuto;
    const Costruito intero = costruisci("braid_247_2.gau", 0, &aiuto),
                    insieme = costruisci("braid_247_2.gau", 3);
    EXPECT_EQ(intero.radice, insieme.radice);
    EXPECT_TRUE(intero.impronta == insieme.impronta);
}

}  // namespace
}  // namespace trevalon
