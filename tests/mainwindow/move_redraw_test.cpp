// Moves I, II and III applied in the main window are carried out on the cell drawing, checked, rebuilt and
// compared with the rewrite of the code; a redraw that fails or does not match falls back to the code.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>

#include "celldraw/cell_drawing_check.h"
#include "celldraw/redraw.h"
#include "form2_fixture.h"
#include "mainwindow/commands.h"
#include "mainwindow/drawn_curl_fixture.h"
#include "mainwindow/history.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/redraw_candidates.h"
#include "model/cell_drawing_snapshot.h"
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
            form.contesto(), form.vista(),
            fixture::scrivi("r.gau", testoFileGaussCode(ts::gaussText(g), ts::lettersText(g))).string());
    }
    Diagram& d() { return form.doc().diagram; }
};

// What the rewrite of the code gives for the chosen move, on the diagram before it.
std::optional<TestoNodo> riscrittura(const Diagram& prima, CandidatoRidisegno c) {
    int conta = 0;
    return riscritturaCandidato(prima, c, conta);
}

// The i-th candidate of kind `tipo` applied through the window's search: the driver's outcome, what the
// rewrite of the code gives for it on the diagram `prima`, and what kind of candidate it is.
struct Applicata {
    EsitoDriver esito = EsitoDriver::NessunCandidato;
    std::optional<TestoNodo> atteso;
    bool stesa = false;       // a move II that lays one stretch along the other
    bool sotto = false;       // an under-bridge
    bool attraversa = false;  // the new route crosses some arcs (move III, or a move II laid along)
};

Applicata applica(Finestra& f, const Diagram& prima, MoveKind tipo, bool orizzontale, std::size_t i) {
    Applicata a;
    if (tipo != MoveKind::III) {
        f.ui.viewerAnswers = passaPoiApplica(i);
        const RisultatoDriver r = tipo == MoveKind::I ? DoTric(f.w, true) : DoTman(f.w, true);
        a.esito = r.esito;
        CandidatoRidisegno scelto{tipo, {}, {}};
        scelto.mossa.mossa = r.ricerca.mossa;
        a.atteso = riscrittura(prima, scelto);
        a.stesa = tipo == MoveKind::II && r.ricerca.mossa.TipoCandidato == MoveIIRewrite::P;
        a.attraversa = a.stesa && r.ricerca.mossa.ListaArchiAttraversati != ",";
        return a;
    }
    // A horizontal move III is taken by its ordinal, as after the look-ahead.
    StatoPonte& s = f.w.statoPonte();
    s.SoloMossaIII = true;
    s.CandidatoScelto = orizzontale ? static_cast<std::int64_t>(i) + 1 : -1;
    f.ui.viewerAnswers = orizzontale ? fixture::Risposte{fixture::kApplica} : passaPoiApplica(i);
    a.esito =
        AzionePonte(f.w, s, orizzontale ? BridgeKind::Horizontal : BridgeKind::MoveIII, !orizzontale).esito;
    const CandidatoRidisegno c = candidatiRidisegno(prima, MoveKind::III, orizzontale).at(i);
    a.sotto = c.ponte.ab1 == '+';
    a.attraversa = !c.ponte.archiAttraversati.empty();
    a.atteso = riscrittura(prima, c);
    return a;
}

struct Conteggio {
    int candidati = 0, ridisegnati = 0, nonRidisegnabili = 0, ricaduti = 0;
    int stese = 0, steseAttraverso = 0, sotto = 0, attraversoNulla = 0;  // among the redrawn ones
    void operator+=(const Conteggio& o) {
        candidati += o.candidati;
        ridisegnati += o.ridisegnati;
        nonRidisegnabili += o.nonRidisegnabili;
        ricaduti += o.ricaduti;
        stese += o.stese;
        steseAttraverso += o.steseAttraverso;
        sotto += o.sotto;
        attraversoNulla += o.attraversoNulla;
    }
};

// Candidates of kind `tipo` of `g`, those of `indici` or else at most `massimo` of them spread over the
// list, each applied through the window's search in a window of its own: the step recorded is the rewrite's
// diagram; a redrawn one is kept as its checked cell drawing, a fallen-back one as a code step.
void ogniCandidato(const ts::GaussDiagram& g, MoveKind tipo, bool orizzontale, std::size_t massimo,
                   std::vector<std::size_t> indici, Conteggio& n) {
    Finestra rif;
    ASSERT_TRUE(rif.apri(g));
    const std::size_t candidati = tipo == MoveKind::I    ? CandidatiMossaI(rif.d()).size()
                                  : tipo == MoveKind::II ? CandidatiMossaII(rif.d()).size()
                                                         : candidatiPonte(rif.d(), orizzontale).size();
    const std::size_t presi = std::min(candidati, massimo);
    if (indici.empty())
        for (std::size_t j = 0; j < presi; ++j) indici.push_back(j * candidati / presi);
    for (const std::size_t i : indici) {
        SCOPED_TRACE(i);
        ASSERT_LT(i, candidati);
        Finestra f;
        ASSERT_TRUE(f.apri(g));
        const Applicata a = applica(f, rif.d(), tipo, orizzontale, i);
        ASSERT_EQ(a.esito, EsitoDriver::Applicata);
        ASSERT_TRUE(a.atteso);
        ++n.candidati;
        ASSERT_EQ(f.form.doc().storia.NumStato, 1);
        const Stato& s = f.form.doc().storia.passo(1);
        EXPECT_TRUE(stessoCodice(s.Codice, a.atteso->txtNodo)) << s.Codice << " vs " << a.atteso->txtNodo;
        EXPECT_EQ(s.Ori.size(), a.atteso->TxtOri.size());
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        const auto& conta = f.w.ridisegni();
        EXPECT_EQ(conta.riusciti + conta.ricaduti + conta.nonRidisegnabili, 1);
        if (conta.nonRidisegnabili == 1) {
            // By design: a move II that lays a stretch along one that crosses four or more strands fewer
            // changes the crossing count by more than two, and is applied through its code.
            ++n.nonRidisegnabili;
            EXPECT_EQ(tipo, MoveKind::II);
            EXPECT_TRUE(a.stesa);
            EXPECT_EQ(s.Tipo, GenMode::Code);
        } else if (conta.riusciti == 1) {
            ++n.ridisegnati;
            n.stese += a.stesa ? 1 : 0;
            n.steseAttraverso += a.stesa && a.attraversa ? 1 : 0;
            n.sotto += a.sotto ? 1 : 0;
            n.attraversoNulla += tipo == MoveKind::III && !a.attraversa ? 1 : 0;
            EXPECT_EQ(s.Tipo, GenMode::CellDrawing);
            EXPECT_EQ(f.form.doc().modi.ModoGen, GenMode::CellDrawing);
            EXPECT_TRUE(verificaCelDis(f.form.doc().tblGen));
            EXPECT_EQ(s.TblGenSer, serializzaCelDis(f.form.doc().tblGen));
        } else {
            ++n.ricaduti;
            EXPECT_EQ(s.Tipo, GenMode::Code);
            EXPECT_EQ(f.ui.panel("p2").rfind("The redraw of the drawing failed", 0), 0u);
            ADD_FAILURE() << "fell back: " << f.w.ridisegni().ultimoMotivo;
        }
    }
}

struct Caso {
    std::string nome;
    ts::GaussDiagram g;
    MoveKind tipo;
    std::size_t massimo;
    bool orizzontale = false;
    std::vector<std::size_t> indici = {};  // the candidates taken, when not spread over the list
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
    // Every move II of a small unknot, three of which lay one stretch along another across arcs.
    out.push_back({"unknot 10/7", ts::randomUnknot(7, 10), MoveKind::II, 20});
    // A stretch laid along another that crosses one arc twice: the new route passes one region twice.
    out.push_back({"unknot 40", ts::randomUnknot(40, 40), MoveKind::II, 0, false, {10}});
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

// Every candidate taken, of every move kind, on named knots with curls, bigons and extra crossings and on
// generated diagrams of 10 to 60 crossings, is redrawn and matches the rewrite of its code: none falls
// back. The only candidates not redrawn are those the window applies through their code by design (a move
// II whose rewrite changes the crossing count by more than two). Among them: moves II that lay one stretch
// along the other, across arcs and across none, under-bridges and routes across nothing.
TEST(MoveRedraw, EveryCandidateRedrawnMatchesTheRewrite) {
    std::map<std::string, Conteggio> perTipo;
    for (const Caso& k : casi()) {
        const char* mossa = k.tipo == MoveKind::I    ? "I"
                            : k.tipo == MoveKind::II ? "II"
                            : k.orizzontale          ? "=="
                                                     : "III";
        SCOPED_TRACE(k.nome + " move " + mossa);
        Conteggio uno;
        ogniCandidato(k.g, k.tipo, k.orizzontale, k.massimo, k.indici, uno);
        perTipo[mossa] += uno;
    }
    for (const auto& [mossa, n] : perTipo) {
        std::printf(
            "move %-3s: %d candidates, %d redrawn, %d fell back, %d through the code by design; laid "
            "along %d (%d across arcs), under-bridges %d, across nothing %d\n",
            mossa.c_str(), n.candidati, n.ridisegnati, n.ricaduti, n.nonRidisegnabili, n.stese,
            n.steseAttraverso, n.sotto, n.attraversoNulla);
        RecordProperty("redrawn" + mossa, n.ridisegnati);
        EXPECT_EQ(n.ricaduti, 0) << mossa;
        EXPECT_EQ(n.ridisegnati + n.nonRidisegnabili, n.candidati) << mossa;
    }
    EXPECT_GE(perTipo["I"].ridisegnati, 24);
    EXPECT_GE(perTipo["II"].ridisegnati, 31);
    EXPECT_GE(perTipo["II"].stese, 7);
    EXPECT_GE(perTipo["II"].steseAttraverso, 4);
    for (const char* mossa : {"III", "=="}) {
        EXPECT_GE(perTipo[mossa].ridisegnati, 8) << mossa;
        EXPECT_GE(perTipo[mossa].sotto, 1) << mossa;
    }
}

// Moves II of diagrams of 200 and 250 crossings that lay one stretch along the other on a route passing one
// region more than once: the run of an earlier passage took the only lane past the door of a later one, or
// walled it in. In the last three, the two passages share corridors three cells wide and the later door
// lies on the inner wall of one (or in a recess off it), so the earlier passage, wherever it is pushed off
// the walled-in side, still takes the lane the later one needs. Each is redrawn in place, checked cell by
// cell and the same diagram as the rewrite.
TEST(MoveRedraw, ARouteThatPassesARegionAgainLeavesTheDoorsOfItsLaterPassagesOpen) {
    struct Stesura {
        const char* nome;
        ts::GaussDiagram g;
        std::size_t candidato;
    };
    const std::vector<Stesura> casi = {
        {"scrambled case 14 of seed 17, 199 to 201 crossings",
         ts::scrambledCases(17, 17, 199, 201)[13].diagram, 31},
        {"scrambled case 1 of seed 292, 247 to 248 crossings",
         ts::scrambledCases(292, 2, 247, 248)[0].diagram, 6},
        {"scrambled case 8 of seed 17, 199 to 201 crossings: the later door on the corridor's inner wall",
         ts::scrambledCases(17, 17, 199, 201)[7].diagram, 125},
        {"unknot of 250 crossings: the earlier passage hugs the corridor that leads to the later door",
         ts::randomUnknot(250, 250), 111},
        {"unknot of 250 crossings: the later door in a recess off a U of corridors",
         ts::randomUnknot(250, 250), 118},
    };
    for (const Stesura& k : casi) {
        SCOPED_TRACE(k.nome);
        Finestra f;
        ASSERT_TRUE(f.apri(k.g));
        const std::vector<CandidatoRidisegno> c = candidatiRidisegno(f.d(), MoveKind::II, false);
        ASSERT_GT(c.size(), k.candidato);
        const ProvaRidisegno p = provaRidisegno(f.w, c[k.candidato]);
        EXPECT_EQ(p.esito, ProvaRidisegno::Esito::Riuscito) << p.motivo;
    }
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
    const std::vector<Guasto> guasti = {{"highlight lost", [](Finestra& f) { f.form.vista().Tbltt.reset(); }},
                                        {"every cell red", [](Finestra& f) {
                                             for (int r = 0; r < 60; ++r)
                                                 for (int c = 0; c < 60; ++c)
                                                     f.form.vista().Tbltt.set(r, c, "r*");
                                         }}};
    for (const Guasto& k : guasti) {
        SCOPED_TRACE(k.nome);
        Finestra f;
        ASSERT_TRUE(f.apri(g));
        f.ui.primaDellaRisposta = [&] { k.guasta(f); };
        f.ui.viewerAnswers = {ViewerAnswer::Sel};
        ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
        EXPECT_EQ((std::tuple{f.w.ridisegni().riusciti, f.w.ridisegni().ricaduti}), (std::tuple{0, 1}));
        ASSERT_EQ(f.form.doc().storia.NumStato, 1);
        const Stato& s = f.form.doc().storia.passo(1);
        EXPECT_EQ((std::tuple{s.Tipo, f.form.doc().modi.ModoGen, s.TblGenSer.empty()}),
                  (std::tuple{GenMode::Code, GenMode::Code, true}));
        EXPECT_EQ(static_cast<int>(s.Ori.size()), g.crossings() - 1);
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        EXPECT_EQ(f.ui.panel("p2").rfind("The redraw of the drawing failed", 0), 0u) << f.ui.panel("p2");
    }

    Finestra a;
    ASSERT_TRUE(a.apri(g));
    a.form.doc().modi.ModoAutomatico = true;
    ASSERT_EQ(DoTric(a.w, true).esito, EsitoDriver::Applicata);
    EXPECT_EQ((std::tuple{a.w.ridisegni().riusciti, a.w.ridisegni().ricaduti}), (std::tuple{0, 0}));
    EXPECT_EQ(a.form.doc().storia.passo(1).Tipo, GenMode::Code);
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
            shared.ConfermaMigliora = 1;
            Form3Model m(req, shared, f.ui, f.ui, f.w.azioniVisore(req.tipoMossa));
            m.Form_Load();
            m.Form_Activate("Knot");
            const int copia = immagini(m.Gr3);
            EXPECT_GT(copia, 0);
            EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));
            // The caption names the step the move will make, and the main window's says the same.
            EXPECT_EQ(m.caption(), " Trevalon - r - Step 1" + std::string(esito));
            EXPECT_EQ(f.ui.caption(), " Trevalon - r - Step 1");
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
        const Stato& s = f.form.doc().storia.passo(1);
        EXPECT_EQ(s.Tipo, GenMode::CellDrawing);
        EXPECT_TRUE(ts::sameKnot(g, ts::diagramOf(s.Codice, s.Ori)));
        EXPECT_EQ(static_cast<int>(s.Ori.size()), tolti > 0 ? g.crossings() - tolti : f.d().NumIncroci);
        EXPECT_LT(static_cast<int>(s.Ori.size()), g.crossings());
    }
}

// The drawings of the viewer's grid, left to right: each run of columns that hold pictures, as its first
// and last column (a drawing of one strand leaves no empty column inside it).
std::vector<std::pair<int, int>> disegniInColonne(const GridControl& g) {
    std::vector<std::pair<int, int>> out;
    for (int c = 0; c < g.cols(); ++c) {
        bool piena = false;
        for (int r = 0; r < g.rows() && !piena; ++r) piena = !g.picture(r, c).empty();
        if (!piena) continue;
        if (!out.empty() && out.back().second == c - 1)
            out.back().second = c;
        else
            out.emplace_back(c, c);
    }
    return out;
}

// Every picture of the grid's columns c0..c1, row by row.
std::vector<PictureRef> quadroColonne(const GridControl& g, int c0, int c1) {
    std::vector<PictureRef> out;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = c0; c <= c1; ++c) out.push_back(g.picture(r, c));
    return out;
}

// "Migliora" on a drawn knot, whatever the number of crossings the move leaves (two for the unknot with two
// curls, three for the trefoil with a curl): the viewer's grid holds the candidate, the approved outcome and,
// after an arrow, the tidied drawing, side by side; the first two stay as they were, cell by cell, and the
// step recorded is the tidied drawing.
TEST(MoveRedraw, MiglioraPutsTheTidiedDrawingRightOfTheApprovedOne) {
    const std::filesystem::path trifoglio = fixture::cartellaProva() / "trifoglio_riccio_migliora.kno";
    ASSERT_TRUE(fixture::scriviTrifoglioDisegnatoConRiccio(trifoglio));
    const std::vector<std::pair<std::filesystem::path, int>> casi = {
        {trifoglio, 4}, {std::filesystem::path(TREVALON_TEST_DATA) / "drawn" / "UnknotCurls_S1.kno", 3}};
    for (const auto& [file, incroci] : casi) {
        SCOPED_TRACE(file.filename().string());
        Finestra f;
        ASSERT_TRUE(ApriGen(f.form.contesto(), f.form.vista(), file.string()));
        ASSERT_EQ(f.d().NumIncroci, incroci);
        ASSERT_EQ(f.form.doc().modi.ModoSorgente, SourceKind::Drawing);
        bool visto = false;
        std::string serializzatoMigliorato;
        f.ui.visore = [&](const StepViewRequest& req) {
            visto = true;
            StepViewerShared shared;
            shared.ModoSorgente = f.form.doc().modi.ModoSorgente;
            shared.zoom = f.form.vista().zoom;
            Form3Model m(req, shared, f.ui, f.ui, f.w.azioniVisore(req.tipoMossa));
            m.Form_Load();
            m.Form_Activate("Knot");
            const std::vector<std::pair<int, int>> candidato = disegniInColonne(m.Gr3);
            EXPECT_EQ(candidato.size(), 1u);
            EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));
            const std::vector<std::pair<int, int>> esito = disegniInColonne(m.Gr3);
            EXPECT_EQ(esito.size(), 2u) << "the candidate and the approved outcome";
            EXPECT_TRUE(m.buttonVisible("Migliora"));
            if (esito.size() != 2u) return ViewerAnswer::Int;
            const std::vector<PictureRef> quadroCandidato = quadroColonne(m.Gr3, 0, esito[0].second);
            const std::vector<PictureRef> quadroEsito = quadroColonne(m.Gr3, esito[1].first, esito[1].second);

            f.ui.yesNoAnswers = {true};
            EXPECT_FALSE(m.tlb1_ButtonClick("Migliora"));
            EXPECT_EQ(m.shared().ConfermaMigliora, 1);
            EXPECT_FALSE(m.buttonVisible("Migliora"));
            EXPECT_EQ(m.panel("p2").rfind("Time Application move sec.", 0), 0u) << m.panel("p2");
            const std::vector<std::pair<int, int>> dopo = disegniInColonne(m.Gr3);
            EXPECT_EQ(dopo.size(), 3u) << "the candidate, the approved outcome, the tidied drawing";
            if (dopo.size() != 3u) return ViewerAnswer::Int;
            // The candidate and the approved outcome where they stood, as they were.
            EXPECT_EQ(dopo[0], esito[0]);
            EXPECT_EQ(dopo[1], esito[1]);
            EXPECT_EQ(quadroColonne(m.Gr3, 0, esito[0].second), quadroCandidato);
            EXPECT_EQ(quadroColonne(m.Gr3, esito[1].first, esito[1].second), quadroEsito);
            // The arrow between the approved outcome and the tidied drawing.
            int frecce = 0;
            for (int r = 0; r < m.Gr3.rows(); ++r)
                for (int c = esito[1].second + 1; c < dopo[2].first; ++c) frecce += m.Gr3.text(r, c) == "->";
            EXPECT_EQ(frecce, 1);
            // The view shows the tidied drawing.
            const GridArea mostrata = m.areaMostrata();
            EXPECT_GE(mostrata.c0, dopo[2].first);
            EXPECT_LE(mostrata.c1, dopo[2].second);
            EXPECT_TRUE(m.tlb1_ButtonClick("Refresh"));
            return m.EsitoDialogo();
        };
        ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
        ASSERT_TRUE(visto);
        EXPECT_EQ(f.form.doc().storia.NumStato, 1);
        EXPECT_EQ(f.form.doc().storia.passo(1).Tipo, GenMode::CellDrawing);
        EXPECT_EQ(static_cast<int>(f.form.doc().storia.passo(1).Ori.size()), incroci - 1);
        EXPECT_EQ(f.w.ridisegni().riusciti, 1) << f.w.ridisegni().ultimoMotivo;
        // The step keeps the tidied drawing: its crossings each seen as one.
        auto passo = std::make_unique<CellDrawing>();
        ASSERT_TRUE(deserializzaCelDis(*passo, f.form.doc().storia.passo(1).TblGenSer));
        const UsedArea usata = passo->usata();
        passo->limiti = LimitiDis{usata.r1, usata.c1, usata.r0, usata.c0};
        EXPECT_EQ(contaIncrociCelDis(*passo), incroci - 1);
        EXPECT_TRUE(incrociDistinti(*passo));
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
    const std::string disegno1 = serializzaCelDis(f.form.doc().tblGen);
    const std::string codice1 = f.d().txtNodo;
    const auto file = fixture::cartellaProva() / "ridisegnato.kno";
    ASSERT_TRUE(SalvaDatblDis(f.form.contesto(), file.string()));

    f.ui.viewerAnswers = {ViewerAnswer::Sel};
    ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata);
    ASSERT_EQ(f.w.ridisegni().riusciti, 2);
    EXPECT_EQ(f.form.doc().storia.NumStato, 2);
    EXPECT_EQ(f.d().TxtOri.size(), 3u);

    f.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ((std::tuple{f.form.doc().storia.NumStato, f.form.doc().modi.ModoGen, f.d().txtNodo}),
              (std::tuple{1, GenMode::CellDrawing, codice1}));
    EXPECT_EQ(serializzaCelDis(f.form.doc().tblGen), disegno1);

    // Opened as a drawn knot, its last curl is redrawn without the tidy-up of diagrams from a code.
    Finestra g;
    ASSERT_TRUE(ApriGen(g.form.contesto(), g.form.vista(), file.string()));
    EXPECT_EQ(serializzaCelDis(g.form.doc().tblGen), disegno1);
    EXPECT_TRUE(stessoCodice(g.d().txtNodo, codice1));
    ASSERT_EQ(g.form.doc().modi.ModoSorgente, SourceKind::Drawing);
    g.ui.viewerAnswers = {ViewerAnswer::Sel};
    ASSERT_EQ(DoTric(g.w, true).esito, EsitoDriver::Applicata);
    EXPECT_EQ((std::tuple{g.w.ridisegni().riusciti, g.d().TxtOri.size()}), (std::tuple{1, std::size_t{3}}))
        << g.w.ridisegni().ultimoMotivo;
    EXPECT_TRUE(ts::sameKnot(trifoglio, ts::diagramOf(g.d().txtNodo, g.d().TxtOri)));
}

// The curls of an unknot taken away one by one down to none: every step, the last ones with fewer than
// three crossings too, keeps the drawing the viewer redrew (shown tile by tile once it is too small to
// build) with the code of its move, and "Undo" comes back through them.
TEST(MoveRedraw, TheLastStepsKeepTheRedrawnPicture) {
    Finestra f;
    ASSERT_TRUE(ApriGau(f.form.contesto(), f.form.vista(),
                        (std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "UnknotCurls.gau").string()));
    const std::size_t incroci = f.d().TxtOri.size();
    ASSERT_GE(incroci, 3u);
    std::vector<std::string> disegni;
    for (std::size_t n = incroci; n > 0; --n) {
        const std::string codicePrima = f.d().txtNodo;
        f.ui.viewerAnswers = {ViewerAnswer::Sel};
        ASSERT_EQ(DoTric(f.w, true).esito, EsitoDriver::Applicata) << n;
        EXPECT_EQ((std::tuple{f.w.ridisegni().riusciti, f.w.ridisegni().ricaduti}),
                  (std::tuple{static_cast<int>(incroci - n + 1), 0}))
            << f.w.ridisegni().ultimoMotivo;
        const Stato& s = f.form.doc().storia.corrente();
        EXPECT_EQ(s.Tipo, GenMode::CellDrawing);
        EXPECT_EQ(s.Ori.size(), n - 1);
        EXPECT_EQ(contaIncrociDis(f.form.doc().tblGen), static_cast<int>(n - 1));
        disegni.push_back(s.TblGenSer);
        // What the main grid shows is that drawing, cell by cell.
        int tessere = 0;
        for (int r = 0; r < f.form.vista().Gr.rows(); ++r)
            for (int c = 0; c < f.form.vista().Gr.cols(); ++c)
                tessere += f.form.vista().Gr.picture(r, c).empty() ? 0 : 1;
        EXPECT_GT(tessere, 4) << n;
        if (n - 1 < 3) {
            EXPECT_NE(f.ui.caption().find("TRIVIAL KNOT"), std::string::npos) << n;
        }
        if (n - 1 == 0) break;
        // A drawing too small to build ends the search: its commands are off.
        if (n - 1 < 3) {
            EXPECT_FALSE(f.ui.commandEnabled("m1"));
            break;
        }
    }
    f.form.tlb1_ButtonClick("Undo");
    EXPECT_EQ(f.form.doc().storia.corrente().TblGenSer, disegni[disegni.size() - 2]);
}

// A move II that lays one stretch along the other across other strands cannot be redrawn: the viewer's
// "Applica" says that it goes through its code instead of showing a drawing that "Refresh" would not apply,
// and the step recorded is the rewrite's.
TEST(MoveRedraw, TheViewerSaysWhenAMoveGoesThroughItsCode) {
    std::optional<std::pair<ts::GaussDiagram, std::size_t>> trovato;
    for (const auto& g : {ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 30, 30),
                          ts::enlarged(ts::diagramOf(ts::namedKnot("7_1")), 45, 45)}) {
        Finestra rif;
        ASSERT_TRUE(rif.apri(g));
        const std::vector<CandidatoRidisegno> candidati = candidatiRidisegno(rif.d(), MoveKind::II, false);
        for (std::size_t i = 0; i < candidati.size() && !trovato; ++i) {
            const std::optional<TestoNodo> t = riscrittura(rif.d(), candidati[i]);
            if (t && !FinestraForm2::ridisegnabile(MoveKind::II, rif.d(), *t)) trovato.emplace(g, i);
        }
        if (trovato) break;
    }
    ASSERT_TRUE(trovato) << "no move II that lays one stretch along the other";
    Finestra f;
    ASSERT_TRUE(f.apri(trovato->first));
    const std::size_t prima = f.d().TxtOri.size();
    std::size_t mostrati = 0;
    std::string stato, didascalia;
    f.ui.visore = [&](const StepViewRequest& req) {
        if (mostrati++ < trovato->second) return ViewerAnswer::None;  // "Successivo"
        Form3Model m(req, StepViewerShared{}, f.ui, f.ui, f.w.azioniVisore(req.tipoMossa));
        m.Form_Load();
        m.Form_Activate("Knot");
        EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));
        stato = m.panel("p2");
        didascalia = m.caption();
        EXPECT_TRUE(m.tlb1_ButtonClick("Refresh"));
        return m.EsitoDialogo();
    };
    ASSERT_EQ(DoTman(f.w, true).esito, EsitoDriver::Applicata);
    EXPECT_NE(stato.find("applied through its code"), std::string::npos) << stato;
    EXPECT_EQ(didascalia, "Knot   Found move II");
    EXPECT_EQ(f.w.ridisegni().nonRidisegnabili, 1);
    const Stato& s = f.form.doc().storia.passo(1);
    EXPECT_EQ(s.Tipo, GenMode::Code);
    EXPECT_NE(s.Ori.size() + 2, prima);  // not just the pair's two crossings
    EXPECT_TRUE(ts::sameKnot(trovato->first, ts::diagramOf(s.Codice, s.Ori)));
}

}  // namespace
}  // namespace trevalon
