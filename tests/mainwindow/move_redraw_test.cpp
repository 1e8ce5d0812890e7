// Moves I, II and III applied in the main window are carried out on the cell drawing, checked, rebuilt and
// compared with the rewrite of the code; a redraw that fails or does not match falls back to the code.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>

#include "celldraw/cell_drawing_check.h"
#include "form2_fixture.h"
#include "mainwindow/commands.h"
#include "mainwindow/history.h"
#include "mainwindow/move_window.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/redraw_candidates.h"
#include "model/knot_files.h"
#include "moves/bridge_driver.h"
#include "moves/bridge_rewrite.h"
#include "moves/compare.h"
#include "moves/move_drivers.h"
#include "moves/move_search.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = testsupport;
using fixture::passaPoiApplica;

struct NessunaLista : StepListPort {
    void showStepList(FrmLista&) override {}
};

// The scripted viewer, which may spoil the candidate's highlight before it answers.
struct UiGuasta : fixture::UiConteggi {
    std::function<void()> primaDellaRisposta;
    std::function<ViewerAnswer(const StepViewRequest&)> visore;  // a viewer that runs its buttons
    ViewerAnswer showCandidate(const StepViewRequest& request) override {
        if (primaDellaRisposta) primaDellaRisposta();
        if (visore) return visore(request);
        return fixture::UiConteggi::showCandidate(request);
    }
};

struct Finestra {
    ProgramContext ctx;
    UiGuasta ui;
    Form2 form{ctx, ui};
    FinestraForm2 w{form};
    NessunaLista lista;
    Finestra() {
        ctx.programFolder = TREVALON_SOURCE_DIR;
        form.Form_Load();
        form.Form_Activate();
        InstallaComandiDiagramma(form);
        InstallaComandiMosse(form, w, lista);
    }
    bool apri(const ts::GaussDiagram& g) {
        return ApriGau(
            form,
            fixture::scrivi("r.gau", testoFileGaussCode(ts::gaussText(g), ts::lettersText(g))).string());
    }
    Diagram& d() { return form.doc.diagram; }
};

// What the rewrite of the code gives for the chosen move, on the diagram before it.
std::optional<TestoNodo> riscrittura(const Diagram& prima, CandidatoRidisegno c) {
    int conta = 0;
    return riscritturaCandidato(prima, c, conta);
}

// The i-th candidate of kind `tipo` applied through the window's search, and what the rewrite of the code
// gives for it on the diagram `prima`.
std::pair<EsitoDriver, std::optional<TestoNodo>> applica(Finestra& f, const Diagram& prima, MoveKind tipo,
                                                         bool orizzontale, std::size_t i) {
    if (tipo != MoveKind::III) {
        f.ui.viewerAnswers = passaPoiApplica(i);
        const RisultatoDriver r = tipo == MoveKind::I ? DoTric(f.w, true) : DoTman(f.w, true);
        CandidatoRidisegno scelto{tipo, {}, {}};
        scelto.mossa.mossa = r.ricerca.mossa;
        return {r.esito, riscrittura(prima, scelto)};
    }
    // A horizontal move III is taken by its ordinal, as after the look-ahead.
    StatoPonte& s = f.w.statoPonte();
    s.SoloMossaIII = true;
    s.CandidatoScelto = orizzontale ? static_cast<std::int64_t>(i) + 1 : -1;
    f.ui.viewerAnswers = orizzontale ? fixture::Risposte{fixture::kApplica} : passaPoiApplica(i);
    const RisultatoPonte r =
        AzionePonte(f.w, s, orizzontale ? BridgeKind::Horizontal : BridgeKind::MoveIII, !orizzontale);
    return {r.esito, riscrittura(prima, candidatiRidisegno(prima, MoveKind::III, orizzontale).at(i))};
}

struct Conteggio {
    int candidati = 0, ridisegnati = 0, nonRidisegnabili = 0;
};

// Candidates of kind `tipo` of `g`, at most `massimo` of them spread over the list, each applied through
// the window's search in a window of its own: the step recorded is the rewrite's diagram; a redrawn one is
// kept as its checked cell drawing, a fallen-back one as a code step.
void ogniCandidato(const ts::GaussDiagram& g, MoveKind tipo, bool orizzontale, std::size_t massimo,
                   Conteggio& n) {
    Finestra rif;
    ASSERT_TRUE(rif.apri(g));
    const std::size_t candidati = tipo == MoveKind::I    ? CandidatiMossaI(rif.d()).size()
                                  : tipo == MoveKind::II ? CandidatiMossaII(rif.d()).size()
                                                         : candidatiPonte(rif.d(), orizzontale).size();
    const std::size_t presi = std::min(candidati, massimo);
    for (std::size_t j = 0; j < presi; ++j) {
        const std::size_t i = j * candidati / presi;
        SCOPED_TRACE(i);
        Finestra f;
        ASSERT_TRUE(f.apri(g));
        const auto [esito, atteso] = applica(f, rif.d(), tipo, orizzontale, i);
        ASSERT_EQ(esito, EsitoDriver::Applicata);
        ASSERT_TRUE(atteso);
        ++n.candidati;
        ASSERT_EQ(f.form.doc.storia.NumStato, 1);
        const Stato& s = f.form.doc.storia.passo(1);
        EXPECT_TRUE(stessoCodice(s.Codice, atteso->txtNodo)) << s.Codice << " vs " << atteso->txtNodo;
        EXPECT_EQ(s.Ori.size(), atteso->TxtOri.size());
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        const auto& conta = f.w.ridisegni();
        EXPECT_EQ(conta.riusciti + conta.ricaduti + conta.nonRidisegnabili, 1);
        // Only a move II that lays one stretch along the other adds crossings.
        if (conta.nonRidisegnabili == 1) {
            ++n.nonRidisegnabili;
            EXPECT_EQ(tipo, MoveKind::II);
            EXPECT_EQ(s.Tipo, GenMode::Code);
        } else if (conta.riusciti == 1) {
            ++n.ridisegnati;
            EXPECT_EQ(s.Tipo, GenMode::CellDrawing);
            EXPECT_EQ(f.form.doc.modi.ModoGen, GenMode::CellDrawing);
            EXPECT_TRUE(verificaCelDis(f.form.doc.tblGen));
            EXPECT_EQ(s.TblGenSer, serializzaCelDis(f.form.doc.tblGen));
        } else {
            EXPECT_EQ(s.Tipo, GenMode::Code);
            EXPECT_EQ(f.ui.panel("p2").rfind("The redraw of the drawing failed", 0), 0u);
            std::printf("fallback: %s\n", f.w.ridisegni().ultimoMotivo.substr(0, 150).c_str());
        }
    }
}

struct Caso {
    std::string nome;
    ts::GaussDiagram g;
    MoveKind tipo;
    std::size_t massimo;
    bool orizzontale = false;
};

std::vector<Caso> casi() {
    std::vector<Caso> out;
    std::mt19937 rng(5);
    for (const char* nome : {"trefoil_right", "4_1", "5_2", "6_2", "7_1", "8_19"}) {
        const ts::GaussDiagram k = ts::diagramOf(ts::namedKnot(nome));
        const int lati = 2 * k.crossings();
        out.push_back({std::string(nome) + " curl", ts::addCurl(k, lati / 3, true, 1), MoveKind::I, 4});
        out.push_back({std::string(nome) + " curl-", ts::addCurl(k, lati - 1, false, -1), MoveKind::I, 4});
        out.push_back({std::string(nome) + " bigon", ts::addBigon(k, rng), MoveKind::II, 4});
    }
    // Generated diagrams of 10 to 60 crossings: a few candidates of each.
    const std::vector<std::pair<std::string, ts::GaussDiagram>> grandi = {
        {"unknot 10", ts::randomUnknot(10, 10)},
        {"5_2 30", ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 30, 30)},
        {"7_1 45", ts::enlarged(ts::diagramOf(ts::namedKnot("7_1")), 45, 45)},
        {"unknot 60", ts::randomUnknot(60, 60)}};
    for (const auto& [nome, g] : grandi)
        for (MoveKind tipo : {MoveKind::I, MoveKind::II}) out.push_back({nome, g, tipo, 3});
    // Move III and horizontal move III: named knots drawn with extra crossings and generated diagrams.
    std::vector<std::pair<std::string, ts::GaussDiagram>> ponti;
    for (const char* nome : {"trefoil_left", "5_2"}) {
        const ts::GaussDiagram k = ts::diagramOf(ts::namedKnot(nome));
        ponti.emplace_back(std::string(nome) + " +6", ts::enlarged(k, 1, k.crossings() + 6));
    }
    ponti.emplace_back("unknot 20", ts::randomUnknot(3, 20));
    ponti.emplace_back("braid 40", ts::enlarged(ts::randomBraidKnot(4, 3, 20), 44, 40));
    for (const auto& [nome, g] : ponti)
        for (bool orizzontale : {false, true}) out.push_back({nome, g, MoveKind::III, 2, orizzontale});
    return out;
}

TEST(MoveRedraw, EveryCandidateRedrawnMatchesTheRewrite) {
    Conteggio n;
    for (const Caso& k : casi()) {
        const char* mossa = k.tipo == MoveKind::I    ? "I "
                            : k.tipo == MoveKind::II ? "II"
                            : k.orizzontale          ? "=="
                                                     : "III";
        SCOPED_TRACE(k.nome + " move " + mossa);
        Conteggio uno;
        ogniCandidato(k.g, k.tipo, k.orizzontale, k.massimo, uno);
        std::printf("%-22s %s: redrawn %d of %d (%d add crossings)\n", k.nome.c_str(), mossa, uno.ridisegnati,
                    uno.candidati, uno.nonRidisegnabili);
        n.candidati += uno.candidati;
        n.ridisegnati += uno.ridisegnati;
        n.nonRidisegnabili += uno.nonRidisegnabili;
    }
    const int tentati = n.candidati - n.nonRidisegnabili;
    std::printf("redrawn %d of %d attempted (%d fell back); %d not attempted (rewrite adds crossings)\n",
                n.ridisegnati, tentati, tentati - n.ridisegnati, n.nonRidisegnabili);
    RecordProperty("redrawn", n.ridisegnati);
    RecordProperty("fellBack", tentati - n.ridisegnati);
    // Every candidate of the named knots is redrawn; the generated ones may fall back, never wrongly.
    EXPECT_GE(n.ridisegnati * 10, tentati * 8);
}

// A redraw that cannot match (the candidate's highlight lost before the answer, or a table that cannot
// hold the redraw) records the rewrite's diagram as a code step and says that it fell back; the
// automatic run never redraws.
TEST(MoveRedraw, AFailedRedrawFallsBackAndRecordsTheRewrite) {
    const ts::GaussDiagram g = ts::addCurl(ts::diagramOf(ts::namedKnot("5_2")), 2, true, 1);
    struct Guasto {
        const char* nome;
        std::function<void(Finestra&)> guasta;
    };
    const std::vector<Guasto> guasti = {{"highlight lost", [](Finestra& f) { f.form.vista.Tbltt.reset(); }},
                                        {"every cell red", [](Finestra& f) {
                                             for (int r = 0; r < 60; ++r)
                                                 for (int c = 0; c < 60; ++c)
                                                     f.form.vista.Tbltt.set(r, c, "r*");
                                         }}};
    for (const Guasto& k : guasti) {
        SCOPED_TRACE(k.nome);
        Finestra f;
        ASSERT_TRUE(f.apri(g));
        f.ui.primaDellaRisposta = [&] { k.guasta(f); };
        f.ui.viewerAnswers = {ViewerAnswer::Sel};
        ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ((std::tuple{f.w.ridisegni().riusciti, f.w.ridisegni().ricaduti}), (std::tuple{0, 1}));
        ASSERT_EQ(f.form.doc.storia.NumStato, 1);
        const Stato& s = f.form.doc.storia.passo(1);
        EXPECT_EQ((std::tuple{s.Tipo, f.form.doc.modi.ModoGen, s.TblGenSer.empty()}),
                  (std::tuple{GenMode::Code, GenMode::Code, true}));
        EXPECT_EQ(static_cast<int>(s.Ori.size()), g.crossings() - 1);
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        EXPECT_EQ(f.ui.panel("p2").rfind("The redraw of the drawing failed", 0), 0u) << f.ui.panel("p2");
    }

    Finestra a;
    ASSERT_TRUE(a.apri(g));
    a.form.doc.modi.ModoAutomatico = true;
    ASSERT_EQ(DoTric(a.w, true).esito, EsitoDriver::Applicata);
    EXPECT_EQ((std::tuple{a.w.ridisegni().riusciti, a.w.ridisegni().ricaduti}), (std::tuple{0, 0}));
    EXPECT_EQ(a.form.doc.storia.passo(1).Tipo, GenMode::Code);
}

int immagini(const GridControl& g) {
    int n = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) n += g.picture(r, c).empty() ? 0 : 1;
    return n;
}

// For moves I, II and III the viewer's "Applica" redraws the candidate beside the main grid's picture,
// "Migliora" tidies it again with shortcuts, "Refresh" applies it: the step recorded is that checked drawing.
TEST(MoveRedraw, TheViewerShowsTheRedrawAndRefreshAppliesIt) {
    const std::vector<std::tuple<MoveKind, const char*, int>> casi = {
        {MoveKind::I, "   Outcome of move I", 1},
        {MoveKind::II, "   Outcome of move II", 2},
        {MoveKind::III, "   Outcome of move III", 0}};
    for (const auto& [tipo, esito, tolti] : casi) {
        SCOPED_TRACE(esito);
        std::mt19937 rng(3);
        const ts::GaussDiagram k = ts::diagramOf(ts::namedKnot("6_2"));
        const ts::GaussDiagram g = tipo == MoveKind::I    ? ts::addCurl(k, 4, true, 1)
                                   : tipo == MoveKind::II ? ts::addBigon(k, rng)
                                                          : ts::enlarged(k, 1, k.crossings() + 6);
        Finestra f;
        ASSERT_TRUE(f.apri(g));
        std::string disegnoVisore;
        f.ui.visore = [&](const StepViewRequest& req) {
            StepViewerShared shared;
            int conferma = 1;
            shared.ConfermaMigliora = &conferma;
            Form3Model m(req, shared, f.ui, f.ui, f.w.azioniVisore(req.tipoMossa));
            m.Form_Load();
            m.Form_Activate("Knot");
            const int copia = immagini(m.Gr3);
            EXPECT_GT(copia, 0);
            EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));
            EXPECT_EQ(m.caption(), std::string("Knot") + esito);
            EXPECT_EQ(m.panel("p2").rfind("Time Application move sec.", 0), 0u) << m.panel("p2");
            const int ridisegnato = immagini(m.Gr3);
            EXPECT_GT(ridisegnato, copia);
            m.tlb1_ButtonClick("Migliora");
            EXPECT_GE(immagini(m.Gr3), ridisegnato);
            EXPECT_TRUE(m.tlb1_ButtonClick("Refresh"));
            return m.EsitoDialogo();
        };
        const EsitoDriver r = tipo == MoveKind::I    ? DoTric(f.w, true).esito
                              : tipo == MoveKind::II ? DoTman(f.w, true).esito
                                                     : CmdTpon_Click(f.w, f.w.statoPonte()).esito;
        ASSERT_EQ(r, EsitoDriver::Applicata);
        EXPECT_EQ((std::tuple{f.w.ridisegni().riusciti, f.w.ridisegni().ricaduti}), (std::tuple{1, 0}))
            << f.w.ridisegni().ultimoMotivo;
        const Stato& s = f.form.doc.storia.passo(1);
        EXPECT_EQ(s.Tipo, GenMode::CellDrawing);
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        EXPECT_EQ(static_cast<int>(s.Ori.size()), tolti > 0 ? g.crossings() - tolti : f.d().NumIncroci);
        EXPECT_LT(static_cast<int>(s.Ori.size()), g.crossings());
    }
}

// Redrawn steps are kept as their drawings: "Undo" comes back to the picture of the step, and "Salva"
// writes it.
TEST(MoveRedraw, UndoAndSaveComeBackToTheRedrawnPicture) {
    const ts::GaussDiagram trifoglio = ts::diagramOf(ts::namedKnot("trefoil_right"));
    Finestra f;
    ASSERT_TRUE(f.apri(ts::addCurl(ts::addCurl(trifoglio, 0, true, 1), 3, false, -1)));
    f.ui.viewerAnswers = {ViewerAnswer::Sel};
    ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
    ASSERT_EQ(f.w.ridisegni().riusciti, 1);
    const std::string disegno1 = serializzaCelDis(f.form.doc.tblGen);
    const std::string codice1 = f.d().txtNodo;
    const auto file = fixture::cartellaProva() / "ridisegnato.kno";
    ASSERT_TRUE(SalvaDatblDis(f.form, file.string()));

    f.ui.viewerAnswers = {ViewerAnswer::Sel};
    ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
    ASSERT_EQ(f.w.ridisegni().riusciti, 2);
    EXPECT_EQ(f.form.doc.storia.NumStato, 2);
    EXPECT_EQ(f.d().TxtOri.size(), 3u);

    f.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ((std::tuple{f.form.doc.storia.NumStato, f.form.doc.modi.ModoGen, f.d().txtNodo}),
              (std::tuple{1, GenMode::CellDrawing, codice1}));
    EXPECT_EQ(serializzaCelDis(f.form.doc.tblGen), disegno1);

    // Opened as a drawn knot, its last curl is redrawn without the tidy-up of diagrams from a code.
    Finestra g;
    ASSERT_TRUE(ApriGen(g.form, file.string()));
    EXPECT_EQ(serializzaCelDis(g.form.doc.tblGen), disegno1);
    EXPECT_TRUE(stessoCodice(g.d().txtNodo, codice1));
    ASSERT_EQ(g.form.doc.modi.ModoSorgente, SourceKind::Drawing);
    g.ui.viewerAnswers = {ViewerAnswer::Sel};
    ASSERT_EQ(DoTric(g.w, true).esito, EsitoDriver::Applicata);
    EXPECT_EQ((std::tuple{g.w.ridisegni().riusciti, g.d().TxtOri.size()}), (std::tuple{1, std::size_t{3}}))
        << g.w.ridisegni().ultimoMotivo;
    EXPECT_TRUE(ts::sameKnot(trifoglio, ts::diagramOf(g.d().txtNodo, g.d().TxtOri)));
}

}  // namespace
}  // namespace trevalon
