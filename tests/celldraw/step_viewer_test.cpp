#include "celldraw/step_viewer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/headless_ui.h"

namespace trevalon {
namespace {

class FixedClock : public ClockPort {
  public:
    double seconds = 0;
    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::now(); }
    double secondsSinceMidnight() override { return seconds; }
};

StepViewRequest moveRequest(MoveKind tipoMossa, BridgeKind tipoPonte = BridgeKind::MoveIII,
                            ViewerAction azione = ViewerAction::Move) {
    StepViewRequest r;
    r.tipoMossa = tipoMossa;
    r.tipoPonte = tipoPonte;
    r.tipoAzione = azione;
    r.message = "arcs 3,4";
    return r;
}

// Records the cell-drawing steps "Applica" runs, in order.
struct RecordedActions {
    std::vector<std::string> log;
    Result<GridArea> esito = GridArea{};  // what the redraw answers
    int ticks = 0;                        // progress ticks the redraw gives
    CellDrawingActions actions() {
        CellDrawingActions a;
        a.F3PulisciCelDis = [this] { log.push_back("pulisci"); };
        a.F3GenCelDis = [this] { log.push_back("gen"); };
        a.F3DisegnaCelDis = [this](GridControl&) { log.push_back("disegna"); };
        a.F3SavDis = [this](GridControl&, const RidisegnoInVisore& visore) {
            log.push_back("savdis");
            for (int i = 0; i < ticks; ++i) visore.tick();
            return esito;
        };
        a.F3SistemaGrafica = [this](GridControl&, bool nuovo) -> Result<GridArea> {
            log.push_back(nuovo ? "sistema+" : "sistema-");
            return GridArea{};
        };
        a.F3Command8 = [this] { log.push_back("tempi"); };
        a.captionPassoSeguente = [] { return std::string("Knot - Step 4"); };
        return a;
    }
};

struct StepViewer : ::testing::Test {
    ScriptedUi ui;
    FixedClock clock;
    StepViewerShared shared;
    RecordedActions rec;
    // A loaded viewer, with the recorded cell-drawing steps when `conAzioni`.
    std::unique_ptr<Form3Model> apri(const StepViewRequest& r, bool conAzioni = false) {
        auto m = conAzioni ? std::make_unique<Form3Model>(r, shared, ui, clock, rec.actions())
                           : std::make_unique<Form3Model>(r, shared, ui, clock);
        m->Form_Load();
        return m;
    }
};

// Which buttons close the viewer and with what answer, for a move candidate and a summand.
TEST_F(StepViewer, ButtonsCloseWithTheirAnswer) {
    struct Case {
        MoveKind mossa;
        ViewerAction azione;
        const char* key;
        bool closes;
        ViewerAnswer answer;
    };
    for (const Case& c : {
             // Without the cell-drawing engine "Applica" answers "Sel" at once.
             Case{MoveKind::I, ViewerAction::Move, "Applica", true, ViewerAnswer::Sel},
             Case{MoveKind::II, ViewerAction::Move, "Successivo", true, ViewerAnswer::None},
             Case{MoveKind::II, ViewerAction::Move, "interrompi", true, ViewerAnswer::Int},
             Case{MoveKind::III, ViewerAction::Move, "nothing", false, ViewerAnswer::None},
             Case{MoveKind::III, ViewerAction::Move, "s0", false, ViewerAnswer::None},
             Case{MoveKind::ConnSum, ViewerAction::Summand1, "Salva", true, ViewerAnswer::Save},
             Case{MoveKind::ConnSum, ViewerAction::Summand2, "Successivo", true, ViewerAnswer::None},
         }) {
        auto m = apri(moveRequest(c.mossa, BridgeKind::MoveIII, c.azione));
        EXPECT_EQ(m->tlb1_ButtonClick(c.key), c.closes) << c.key;
        EXPECT_EQ(m->EsitoDialogo(), c.answer) << c.key;
    }
    auto m = apri(moveRequest(MoveKind::III));
    EXPECT_TRUE(m->CmdRipeti_Click());
    EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::Rip);
    EXPECT_TRUE(ui.calls.empty());
}

// A summand whose cut ends could not be joined cannot be saved: no "Salva", and the caption says why.
TEST_F(StepViewer, ASummandThatIsNotClosedCannotBeSaved) {
    StepViewRequest r = moveRequest(MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Summand2);
    r.salvabile = false;
    auto m = apri(r);
    m->Form_Activate("Knot - Step 0");
    ASSERT_NE(m->button("Salva"), nullptr);
    EXPECT_FALSE(m->button("Salva")->visible);
    EXPECT_FALSE(m->tlb1_ButtonClick("Salva"));
    EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::None);
    EXPECT_NE(m->caption().find("Second diagram of connected sum: summand could not be closed"),
              std::string::npos)
        << m->caption();
    EXPECT_TRUE(m->tlb1_ButtonClick("Successivo"));
}

TEST_F(StepViewer, ApplyRunsTheCellDrawingStepsThenWaitsForRefresh) {
    for (bool drawn : {false, true}) {
        rec = {};
        StepViewRequest r = moveRequest(MoveKind::II);
        shared.ModoSorgente = drawn ? SourceKind::Drawing : SourceKind::Code;
        auto m = apri(r, true);
        m->Form_Activate("Knot - Step 3");
        EXPECT_FALSE(m->tlb1_ButtonClick("Applica"));  // stays open
        EXPECT_EQ(rec.log, (std::vector<std::string>{"pulisci", "gen", "disegna", "savdis", "tempi"}));
        EXPECT_TRUE(m->applied());
        // The caption names the step the move makes.
        EXPECT_EQ(m->caption(), "Knot - Step 4   Outcome of move II");
        EXPECT_EQ((std::tuple{m->panel("p1"), m->panel("p2").rfind("Time Application move sec.", 0)}),
                  (std::tuple{std::string("Done"), std::size_t{0}}));
        // A later activation keeps the application's time.
        m->Form_Activate("Knot");
        EXPECT_EQ(m->panel("p2").rfind("Time Application move sec.", 0), 0u);
        EXPECT_EQ(m->buttonVisible("Migliora"), drawn);
        EXPECT_TRUE(m->tlb1_ButtonClick("Refresh"));
        EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::Sel);
    }
    // A redraw that failed says so; "Refresh" still answers "Sel" (the move then goes through its code).
    rec = {};
    rec.esito = fail("The redraw failed: the strand ends");
    auto f = apri(moveRequest(MoveKind::I), true);
    f->Form_Activate("Knot - Step 3");
    EXPECT_FALSE(f->tlb1_ButtonClick("Applica"));
    EXPECT_EQ(f->panel("p2"), "The redraw failed: the strand ends");
    // No outcome is announced for a move that was not redrawn.
    EXPECT_EQ(f->caption(), "Knot - Step 3   Found move I");
    EXPECT_TRUE(f->tlb1_ButtonClick("Refresh"));
    EXPECT_EQ(f->EsitoDialogo(), ViewerAnswer::Sel);
    // The developer layout runs the same steps (never a tidy-up of the drawing its load cleared) and
    // answers "Sel" at once, having no "Refresh".
    shared.ModoSviluppo = true;
    rec = {};
    auto m = apri(moveRequest(MoveKind::I), true);
    EXPECT_TRUE(m->cmdOK_Click());
    EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::Sel);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"pulisci", "gen", "disegna", "savdis", "tempi"}));
}

TEST_F(StepViewer, MiglioraAsksOnceUntilTheFlagIsReset) {
    shared.ModoSorgente = SourceKind::Drawing;
    StepViewRequest r = moveRequest(MoveKind::I);
    // Each viewer starts from the confirmation the one before gave back.
    auto applied = [&] {
        auto m = apri(r, true);
        m->tlb1_ButtonClick("Applica");
        rec.log.clear();
        return m;
    };
    const auto conferma = [](const std::unique_ptr<Form3Model>& m) { return m->shared().ConfermaMigliora; };
    auto m = applied();
    ui.yesNoAnswers = {false};
    m->tlb1_ButtonClick("Migliora");
    EXPECT_TRUE(rec.log.empty());
    EXPECT_TRUE(m->buttonVisible("Migliora"));
    EXPECT_EQ(conferma(m), 0);
    ui.yesNoAnswers = {true};
    m->tlb1_ButtonClick("Migliora");
    EXPECT_EQ(rec.log, (std::vector<std::string>{"sistema+"}));
    EXPECT_FALSE(m->buttonVisible("Migliora"));
    EXPECT_EQ(conferma(m), 1);
    ASSERT_EQ(ui.calls.size(), 2u);

    // A later viewer given that confirmation does not ask again.
    shared.ConfermaMigliora = conferma(m);
    auto m2 = applied();
    m2->tlb1_ButtonClick("Migliora");
    EXPECT_EQ(rec.log, (std::vector<std::string>{"sistema+"}));
    EXPECT_EQ(ui.calls.size(), 2u);
}

TEST_F(StepViewer, ActivationTitlesByKindAndWritesTimings) {
    struct Case {
        MoveKind mossa;
        BridgeKind ponte;
        ViewerAction azione;
        const char* suffix;
    };
    for (const Case& c : {
             Case{MoveKind::III, BridgeKind::MoveIII, ViewerAction::Move, "   Found move III"},
             Case{MoveKind::III, BridgeKind::Horizontal, ViewerAction::Move, "   Found horizontal move III"},
             Case{MoveKind::IILoop, BridgeKind::MoveIII, ViewerAction::Move, ""},
             Case{MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Move, "   Found connected sum"},
             Case{MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Summand2,
                  "   Second diagram of connected sum"},
         }) {
        auto m = apri(moveRequest(c.mossa, c.ponte, c.azione));
        m->Form_Activate("K");
        EXPECT_EQ(m->caption(), std::string("K") + c.suffix);
        // A connected sum has no search timings.
        EXPECT_EQ(m->panel("p4"), c.mossa == MoveKind::ConnSum ? "C-SUM" : "") << c.suffix;
        EXPECT_EQ(m->panel("p2").empty(), c.mossa == MoveKind::ConnSum) << c.suffix;
    }

    StepViewRequest r = moveRequest(MoveKind::III, BridgeKind::Horizontal);
    r.tempoInizioRicerca = 100.5;
    r.tempoInizioPonte = 90.25;
    r.tempoFineRicerca = 101;
    clock.seconds = 101.125;
    auto m = apri(r);
    m->Form_Activate("K");
    // A horizontal search counts from its own start.
    EXPECT_EQ(m->panel("p2"), "Time main find algorithm sec.10.75    Time draw sec.0.125");
    // A later activation refreshes the timings only.
    clock.seconds = 103;
    m->Form_Activate("other");
    EXPECT_EQ(m->caption(), "K   Found horizontal move III");
    EXPECT_EQ(m->panel("p2"), "Time main find algorithm sec.10.75    Time draw sec.2");
}

// The viewer shows a copy of the main grid; a found connected sum copies its pictures back.
TEST_F(StepViewer, CopiesTheMainGridAndAConnectedSumCopiesItBack) {
    GridControl main;
    main.setRows(6);
    main.setCols(9);
    main.setPicture(3, 6, PictureRef{PaletteId::Form1, PictureSet::Img, 41});
    main.setPictureAlignment(3, 6, CellAlign::CenterCenter);
    shared.zoom.imposta(3, 6, 4);  // 120 twips
    StepViewRequest r = moveRequest(MoveKind::ConnSum);
    r.mainGrid = &main;
    auto m = apri(r);
    m->mainGridForCopyBack = &main;
    m->Form_Activate("K");
    EXPECT_EQ(m->Gr3.picture(3, 6).index, 41);
    EXPECT_EQ(m->Gr3.style(3, 6).pictureAlignment, CellAlign::CenterCenter);
    EXPECT_EQ(m->Gr3.colWidth(5), 120);
    m->Gr3.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 43});
    EXPECT_TRUE(m->tlb1_ButtonClick("Applica"));
    EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::Se1);
    EXPECT_EQ(main.picture(1, 1).index, 43);
    EXPECT_EQ(main.picture(3, 6).index, 41);
}

TEST_F(StepViewer, RefusesTitleBarClose) {
    auto m = apri(moveRequest(MoveKind::I));
    EXPECT_FALSE(m->QueryUnload(true));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Click a button"}));
    EXPECT_EQ(m->EsitoDialogo(), ViewerAnswer::None);
    EXPECT_TRUE(m->QueryUnload(false));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(StepViewer, ZoomLevelsStayInRangeAndSizesHalveToEven) {
    shared.zoom.imposta(3, 6, 5);
    auto m = apri(moveRequest(MoveKind::I));
    const auto livello = [&] { return m->shared().zoom.LivelloZoom; };
    const auto dim = [&] { return m->shared().zoom.DimCella; };
    m->Gr3.setRows(3);
    m->Gr3.setCols(3);
    m->tlb1_ButtonClick("Dimenspiu");
    m->tlb1_ButtonClick("Dimenspiu");
    EXPECT_EQ(livello(), 6);
    EXPECT_EQ(dim(), 320);
    EXPECT_EQ(m->Gr3.colWidth(2), 320);
    for (int i = 0; i < 5; ++i) m->tlb1_ButtonClick("Dimensmeno");
    EXPECT_EQ(livello(), 3);
    EXPECT_EQ(dim(), 85);
    EXPECT_EQ(m->Gr3.rowHeight(1), 85);
    EXPECT_EQ(m->Gr3.rowHeight(0), GridControl::kDefaultSize);  // row 0 is left alone

    m->Gr3.setRowHeight(1, 75);
    m->Command6_Click();
    EXPECT_EQ(m->Gr3.rowHeight(1), 38);
    m->Command7_Click();
    EXPECT_EQ(m->Gr3.rowHeight(1), 76);
    EXPECT_EQ(dimezzaTwips(85), 42);
}

TEST(StepViewerText, SecondsArePlainDecimalsAndTheTimerRunsAcrossMidnight) {
    for (const auto& [secondi, testo] :
         std::vector<std::pair<double, std::string>>{{0, "0"}, {0.5, "0.5"}, {12.3456, "12.346"}, {3, "3"}})
        EXPECT_EQ(testoSecondi(secondi), testo);
    EXPECT_EQ(intervalloTimer(10, 12.5), 2.5);
    EXPECT_EQ(intervalloTimer(86000, 100), 500);
}

// On a large diagram the person sees the candidate when the viewer opens, the redrawn drawing after
// "Applica" (a drawn diagram's far to the right is scrolled to by its zoom's limit), and still after a zoom;
// the redraw's progress shows in the viewer's own status bar.
TEST_F(StepViewer, ScrollsToTheCandidateAndTheRedrawnDrawingAndShowsTheRedrawsProgress) {
    GridControl main;
    main.setRows(400);
    main.setCols(500);
    main.setPicture(10, 10, PictureRef{PaletteId::Form1, PictureSet::Img, 1});          // black
    main.setPicture(300, 420, PictureRef{PaletteId::Form1, PictureSet::Img, 41});       // red
    main.setPicture(305, 430, PictureRef{PaletteId::Form1b, PictureSet::ImgDiag, 20});  // a green key tile
    shared.zoom.imposta(1, 5, 3);  // a drawn diagram's range, 85 twips
    shared.ModoSorgente = SourceKind::Drawing;
    StepViewRequest r = moveRequest(MoveKind::I);
    r.mainGrid = &main;
    rec.esito = GridArea{280, 119, 320, 150};
    rec.ticks = 45;
    auto m = apri(r, true);
    int aggiornamenti = 0;
    m->onPanelsChanged = [&] { ++aggiornamenti; };
    m->setVistaGriglia(85 * 40, 85 * 30);
    m->Form_Activate("K");
    EXPECT_EQ(m->areaMostrata(), (GridArea{300, 420, 305, 430}));
    EXPECT_EQ((std::pair{m->Gr3.topRow(), m->Gr3.leftCol()}), (std::pair{288, 406}));

    EXPECT_FALSE(m->tlb1_ButtonClick("Applica"));
    // The outcome is 32 columns wide in a view of 40: all of them shown, in the middle; of its 41 rows in a
    // view of 30, a block of 29 in the middle.
    EXPECT_EQ(m->Gr3.leftCol(), 115);
    EXPECT_EQ(m->areaMostrata(), (GridArea{280, 119, 308, 150}));
    EXPECT_EQ(aggiornamenti, 2);  // every twentieth tick
    EXPECT_EQ(m->ContatoreProgresso, 47);
    m->tlb1_ButtonClick("Dimensmeno");
    m->tlb1_ButtonClick("Dimensmeno");
    EXPECT_EQ(m->shared().zoom.DimCella, 52);
    const GridArea a = m->areaMostrata();
    EXPECT_GE(a.r0, m->Gr3.topRow());
    EXPECT_GE(a.c0, m->Gr3.leftCol());
    EXPECT_LE((a.c1 - m->Gr3.leftCol() + 1) * 52, 85 * 40);

    // Within the limit a drawn diagram's drawing is not scrolled to when it is in view already.
    rec.esito = GridArea{2, 118, 5, 120};
    main.setPicture(300, 420, {});
    main.setPicture(305, 430, {});
    auto n = apri(r, true);
    n->setVistaGriglia(85 * 200, 85 * 30);
    n->Form_Activate("K");
    n->tlb1_ButtonClick("Applica");
    EXPECT_LE(n->Gr3.leftCol(), 1);
}

}  // namespace
}  // namespace trevalon
