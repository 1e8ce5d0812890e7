#include "connsum/split.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "celldraw/disegno_da_codice.h"
#include "connsum/cell_sides.h"
#include "model/sides.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using testsupport::GaussDiagram;

int latoOpposto(int lato) {
    return lato > 2 ? lato - 2 : lato + 2;
}
int latoAntiorario(int lato) {
    return lato > 1 ? lato - 1 : lato + 3;
}

// The two records the sub-knot test leaves for the pair (a, b) of d, answered on record 1: the arcs strictly
// between a and b, each record anchored where its cut arc runs straight on into them, and record 1's
// crossing counts along the walk around the arcs between.
StatoSomma statoCoppia(const Diagram& d, int a, int b) {
    StatoSomma st;
    st.ArcoTaglio1 = a;
    st.ArcoTaglio2 = b;
    st.IndicePartizione = 1;
    std::vector<int> tratto;
    for (int x = a % d.NumArchi + 1; x != b; x = x % d.NumArchi + 1) tratto.push_back(x);
    for (int r : {1, 2}) {
        Partizione& p = st.tblPartizioni[static_cast<std::size_t>(r)];
        p.Arco1 = r == 1 ? a : b;
        p.Arco2 = r == 1 ? b : a;
        p.ArchiTratto = tratto;
        p.Marca = 2;
        for (int c : {d.archi[p.Arco1].IncrocioDa, d.archi[p.Arco1].IncrocioA}) {
            const int s = ArcoInnodo(d, c, p.Arco1);
            if (s >= 1 && p.inTratto(d.incroci[c].ArcoLato[latoOpposto(s)])) {
                p.IncrocioAncora = c;
                p.LatoAncora = s;
            }
        }
    }
    // The boundary walk: from the anchor, turn anticlockwise to the next arc between the cut arcs, follow
    // it to its other end, until the anchor comes back.
    Partizione& p = st.tblPartizioni[1];
    int c = p.IncrocioAncora, s = p.LatoAncora;
    for (int passi = 0; passi < 4 * d.NumArchi; ++passi) {
        p.ListaIncrociBordo.push_back(c);
        int x = 0;
        for (int k = 0; k < 4 && !p.inTratto(x); ++k) {
            s = latoAntiorario(s);
            x = d.incroci[c].ArcoLato[s];
        }
        p.ListaBordo.push_back(x);
        c = d.archi[x].IncrocioDa == c ? d.archi[x].IncrocioA : d.archi[x].IncrocioDa;
        if (c == p.IncrocioAncora) break;
        s = ArcoInnodo(d, c, x);
    }
    p.Molteplicita.assign(static_cast<std::size_t>(d.NumIncroci) + 1, 0);
    for (int i : p.ListaIncrociBordo) ++p.Molteplicita[static_cast<std::size_t>(i)];
    return st;
}

// The connected sum a # b laid out from its code; its junction arcs are the last arc of a and the last
// arc, so that the arcs between them (summand 1) are b's.
struct Somma {
    fixture::Disegnato g;
    StatoSomma stato;
    bool costruisci(const GaussDiagram& a, const GaussDiagram& b, int ea = 0, int eb = 0) {
        const GaussDiagram s = testsupport::connectedSum(a, b, ea, eb);
        if (!g.costruisci(testsupport::gaussText(s), testsupport::lettersText(s))) return false;
        stato = statoCoppia(*g.d, 2 * a.crossings(), 2 * s.crossings());
        return true;
    }
    Diagram& d() { return *g.d; }
};

// The summand's knot file built again into fresh tables.
Result<NodoCostruito> riletto(const std::string& testo) {
    return costruisciDaSnapshot(testo.substr(7));
}

// Every field of every cell of the two tables is the same.
::testing::AssertionResult stesseCelle(const CellTable& a, const CellTable& b) {
    for (int r = 0; r < CellTable::kSize; ++r)
        for (int c = 0; c < CellTable::kSize; ++c) {
            const CellaNodo &x = a.at(r, c), &y = b.at(r, c);
            if (x.Tipo != y.Tipo || x.Forma != y.Forma || x.Simbolo != y.Simbolo ||
                x.Vicini() != y.Vicini() || x.Numero != y.Numero || x.Posizione != y.Posizione)
                return ::testing::AssertionFailure() << "cell " << r << "," << c << " differs";
        }
    return ::testing::AssertionSuccess();
}

bool stessiLimiti(const LimitiNodo& a, const LimitiNodo& b) {
    return a.RigaMin == b.RigaMin && a.RigaMax == b.RigaMax && a.ColMin == b.ColMin && a.ColMax == b.ColMax;
}

::testing::AssertionResult eIlNodo(const std::string& testo, const GaussDiagram& atteso) {
    const Result<NodoCostruito> r = riletto(testo);
    if (!r) return ::testing::AssertionFailure() << "the summand does not load: " << r.error();
    return testsupport::sameKnot(testsupport::gaussText(atteso), testsupport::lettersText(atteso),
                                 r->diagram->txtNodo, r->diagram->TxtOri);
}

GaussDiagram nodo(const std::string& nome) {
    return testsupport::diagramOf(testsupport::namedKnot(nome));
}

TEST(GeneraIndipendentSections, ShowsSavesAndPutsTheDiagramBack) {
    Somma sm;
    const GaussDiagram trifoglio = nodo("trefoil_right"), otto = nodo("4_1");
    ASSERT_TRUE(sm.costruisci(trifoglio, otto));
    const auto prima = std::make_unique<CellTable>(sm.d().TblNodo);
    const LimitiNodo limiti = sm.d().limiti;

    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::Save, ViewerAnswer::Save};
    FinestraSommaSenzaVista w(sm.d(), ui);
    GeneraIndipendentSections(w, sm.stato);

    EXPECT_EQ(w.addendiDisegnati, (std::vector<int>{1, 2}));
    ASSERT_EQ(ui.viewerRequests.size(), 2u);
    for (int s : {0, 1}) {
        const StepViewRequest& q = ui.viewerRequests[static_cast<std::size_t>(s)];
        EXPECT_EQ(q.tipoMossa, MoveKind::ConnSum);
        EXPECT_EQ(q.tipoAzione, s == 0 ? ViewerAction::Summand1 : ViewerAction::Summand2);
        EXPECT_TRUE(q.salvabile);
    }
    // Summand 1 holds the arcs between the cut arcs: the figure-eight knot.
    ASSERT_EQ(w.salvati.size(), 2u);
    EXPECT_EQ(w.salvati[0].addendo, 1);
    EXPECT_EQ(w.salvati[1].addendo, 2);
    EXPECT_TRUE(w.salvati[0].testo.starts_with("Object="));
    EXPECT_TRUE(eIlNodo(w.salvati[0].testo, otto));
    EXPECT_TRUE(eIlNodo(w.salvati[1].testo, trifoglio));

    EXPECT_TRUE(stesseCelle(*prima, sm.d().TblNodo));
    EXPECT_TRUE(stessiLimiti(limiti, sm.d().limiti));
}

TEST(GeneraIndipendentSections, SaveThenNextWritesOneFileOfTheFirstSummand) {
    Somma sm;
    ASSERT_TRUE(sm.costruisci(nodo("trefoil_right"), nodo("trefoil_right")));
    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::Save, ViewerAnswer::None};
    FinestraSommaSenzaVista w(sm.d(), ui);
    GeneraIndipendentSections(w, sm.stato);
    EXPECT_EQ(ui.viewerRequests.size(), 2u);
    ASSERT_EQ(w.salvati.size(), 1u);
    EXPECT_EQ(w.salvati[0].addendo, 1);
}

TEST(CostruisciAddendi, SummandsOfSumsAreTheirKnots) {
    const std::vector<std::string> nomi = {"trefoil_right", "trefoil_left", "4_1", "5_2", "6_2", "7_1"};
    for (const std::string& a : nomi)
        for (const std::string& b : nomi) {
            SCOPED_TRACE(a + " # " + b);
            Somma sm;
            ASSERT_TRUE(sm.costruisci(nodo(a), nodo(b), 1, 2));
            const std::array<Addendo, 2> add = costruisciAddendi(sm.d(), sm.stato);
            ASSERT_TRUE(add[0].chiuso && add[1].chiuso);
            EXPECT_TRUE(eIlNodo(add[0].testo, nodo(b)));
            EXPECT_TRUE(eIlNodo(add[1].testo, nodo(a)));
        }
    // Larger diagrams of the same knots, with curls, bigons and reroutes on both sides.
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        const GaussDiagram a = testsupport::enlarged(nodo("5_2"), seed, 8 + static_cast<int>(seed));
        const GaussDiagram b = testsupport::enlarged(nodo("4_1"), 7 * seed, 6 + static_cast<int>(seed));
        Somma sm;
        ASSERT_TRUE(sm.costruisci(a, b, static_cast<int>(seed), 2 * static_cast<int>(seed)));
        const std::array<Addendo, 2> add = costruisciAddendi(sm.d(), sm.stato);
        ASSERT_TRUE(add[0].chiuso && add[1].chiuso);
        EXPECT_TRUE(eIlNodo(add[0].testo, b));
        EXPECT_TRUE(eIlNodo(add[1].testo, a));
    }
}

// s = a # b with a finger of an edge of a pushed over an edge of b across a face they share: two new
// crossings (labels n + 1 and n + 2) where a's strand passes over b's.
std::optional<GaussDiagram> conDito(const GaussDiagram& s, int na) {
    const int n = static_cast<int>(s.passages.size());
    const int tagliaA = 2 * na - 1, tagliaB = n - 1;  // the junction edges (0-based)
    for (const auto& faccia : testsupport::faces(s))
        for (const auto& fa : faccia)
            for (const auto& fb : faccia) {
                if (fa.edge >= tagliaA || fb.edge <= tagliaA || fb.edge >= tagliaB) continue;
                for (bool stessoVerso : {false, true})
                    for (int segno : {1, -1}) {
                        const int p = s.crossings() + 1, q = s.crossings() + 2;
                        GaussDiagram r;
                        for (int k = 0; k < n; ++k) {
                            r.passages.push_back(s.passages[static_cast<std::size_t>(k)]);
                            if (k == fa.edge) {
                                r.passages.push_back({p, true});
                                r.passages.push_back({q, true});
                            } else if (k == fb.edge) {
                                r.passages.push_back({stessoVerso ? p : q, false});
                                r.passages.push_back({stessoVerso ? q : p, false});
                            }
                        }
                        r.signs = s.signs;
                        r.signs.push_back(segno);
                        r.signs.push_back(-segno);
                        if (testsupport::isDrawable(r) && testsupport::sameKnot(s, r)) return r;
                    }
            }
    return std::nullopt;
}

TEST(CostruisciAddendi, CrossingsOfTheTwoSummandsBecomeStrandCells) {
    const GaussDiagram trifoglio = nodo("trefoil_left"), otto = nodo("4_1");
    const std::optional<GaussDiagram> dito = conDito(testsupport::connectedSum(trifoglio, otto), 3);
    ASSERT_TRUE(dito);
    fixture::Disegnato g;
    ASSERT_TRUE(g.costruisci(testsupport::gaussText(*dito), testsupport::lettersText(*dito)));
    const Diagram& d = *g.d;
    const StatoSomma st = statoCoppia(d, 2 * 3 + 2, 2 * dito->crossings());
    int visti = 0;
    const std::array<Addendo, 2> add = costruisciAddendi(*g.d, st, [&](int s, const Addendo&) {
        ++visti;
        // The two crossings of a strand of each summand: a strand cell in both.
        for (int n : {8, 9}) {
            const CellaNodo& x = d.TblNodo.at(d.incroci[n].Riga, d.incroci[n].Colonna);
            EXPECT_EQ(x.Tipo, 'A');
            EXPECT_EQ(x.Numero, kArcoIncrocioAperto);
            EXPECT_TRUE(x.Forma == 1 || x.Forma == 2) << int{x.Forma};
        }
        // The other summand's own crossings are gone, this one's stay.
        for (int n = 1; n <= 7; ++n) {
            const CellaNodo& x = d.TblNodo.at(d.incroci[n].Riga, d.incroci[n].Colonna);
            const bool proprio = (s == 1) == (n > 3);
            EXPECT_EQ(x.Tipo, proprio ? 'I' : '\0') << "summand " << s << " crossing " << n;
            EXPECT_EQ(x.Forma == 0, !proprio);
        }
    });
    EXPECT_EQ(visti, 2);
    ASSERT_TRUE(add[0].chiuso && add[1].chiuso);
    EXPECT_TRUE(eIlNodo(add[0].testo, otto));
    EXPECT_TRUE(eIlNodo(add[1].testo, trifoglio));
}

TEST(GeneraIndipendentSections, ASummandThatCannotBeClosedIsShownButNotSaved) {
    Somma sm;
    ASSERT_TRUE(sm.costruisci(nodo("trefoil_right"), nodo("trefoil_right")));
    // A record that holds only part of the arcs between the cut arcs: summand 1 has one cut end, summand 2
    // holds pieces of the other trefoil and three cut ends, and joining two of them closes no strand.
    sm.stato.tblPartizioni[1].ArchiTratto = {7, 8, 9};
    const auto prima = std::make_unique<CellTable>(sm.d().TblNodo);
    ScriptedUi ui;
    ui.viewerAnswers = {ViewerAnswer::Save, ViewerAnswer::Save};
    FinestraSommaSenzaVista w(sm.d(), ui);
    GeneraIndipendentSections(w, sm.stato);
    ASSERT_EQ(ui.viewerRequests.size(), 2u);
    EXPECT_FALSE(ui.viewerRequests[0].salvabile);
    EXPECT_FALSE(ui.viewerRequests[1].salvabile);
    EXPECT_TRUE(w.salvati.empty());
    EXPECT_TRUE(stesseCelle(*prima, sm.d().TblNodo));

    // No record answered on: nothing to split, both shown as not closed, nothing changed.
    StatoSomma vuoto = sm.stato;
    vuoto.IndicePartizione = 0;
    ScriptedUi ui2;
    ui2.viewerAnswers = {ViewerAnswer::Save, ViewerAnswer::Save};
    FinestraSommaSenzaVista w2(sm.d(), ui2);
    GeneraIndipendentSections(w2, vuoto);
    ASSERT_EQ(ui2.viewerRequests.size(), 2u);
    EXPECT_FALSE(ui2.viewerRequests[0].salvabile);
    EXPECT_FALSE(ui2.viewerRequests[1].salvabile);
    EXPECT_TRUE(w2.salvati.empty());
    EXPECT_TRUE(stesseCelle(*prima, sm.d().TblNodo));
}

TEST(CostruisciAddendi, AWideEmptyAreaIsFilledWithoutLimit) {
    Somma sm;
    ASSERT_TRUE(sm.costruisci(nodo("trefoil_right"), nodo("trefoil_right")));
    // Summand 1 with one cut end: its region test fills every empty cell of a box of 400 x 400 cells.
    sm.stato.tblPartizioni[1].ArchiTratto = {7, 8, 9};
    sm.d().limiti.RigaMax = 400;
    sm.d().limiti.ColMax = 400;
    const LimitiNodo limiti = sm.d().limiti;
    const auto prima = std::make_unique<CellTable>(sm.d().TblNodo);
    const std::array<Addendo, 2> add = costruisciAddendi(sm.d(), sm.stato);
    EXPECT_FALSE(add[0].chiuso);
    EXPECT_TRUE(stesseCelle(*prima, sm.d().TblNodo));
    EXPECT_TRUE(stessiLimiti(limiti, sm.d().limiti));
}

TEST(CostruisciAddendi, TheTableComesBackWhenTheWorkThrows) {
    Somma sm;
    ASSERT_TRUE(sm.costruisci(nodo("trefoil_right"), nodo("4_1")));
    const auto prima = std::make_unique<CellTable>(sm.d().TblNodo);
    const LimitiNodo limiti = sm.d().limiti;
    EXPECT_THROW(
        costruisciAddendi(sm.d(), sm.stato, [](int, const Addendo&) { throw std::runtime_error("x"); }),
        std::runtime_error);
    EXPECT_TRUE(stesseCelle(*prima, sm.d().TblNodo));
    EXPECT_TRUE(stessiLimiti(limiti, sm.d().limiti));
}

}  // namespace
}  // namespace trevalon
