#include "celldraw/step_viewer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
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

std::vector<std::string> keys(const Form3Model& m, bool visibleOnly) {
    std::vector<std::string> out;
    for (const ViewerButton& b : m.buttons())
        if (!visibleOnly || b.visible) out.push_back(b.key);
    return out;
}

StepViewRequest moveRequest(MoveKind tipoMossa, BridgeKind tipoPonte = BridgeKind::MoveIII) {
    StepViewRequest r;
    r.tipoMossa = tipoMossa;
    r.tipoPonte = tipoPonte;
    r.message = "arcs 3,4";
    return r;
}

// Records the cell-drawing steps "Applica" runs, in order.
struct RecordedActions {
    std::vector<std::string> log;
    GenMode modoGen = GenMode::Code;
    CellDrawingActions actions() {
        CellDrawingActions a;
        a.F3PulisciCelDis = [this] { log.push_back("pulisci"); };
        a.F3GenCelDis = [this] { log.push_back("gen"); };
        a.F3DisegnaCelDis = [this] { log.push_back("disegna"); };
        a.F3SavDis = [this] { log.push_back("savdis"); };
        a.F3SistemaGrafica = [this](bool nuovo) { log.push_back(nuovo ? "sistema+" : "sistema-"); };
        a.F3Command8 = [this] { log.push_back("tempi"); };
        a.modoGen = [this] { return modoGen; };
        a.setModoGen = [this](GenMode m) { modoGen = m; };
        return a;
    }
};

// Which buttons close the viewer and with what answer, for a move candidate and a summand.
TEST(StepViewerToolbar, ButtonsCloseWithTheirAnswer) {
    ScriptedUi ui;
    FixedClock clock;
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
        StepViewRequest r = moveRequest(c.mossa);
        r.tipoAzione = c.azione;
        Form3Model m(r, {}, ui, clock);
        m.Form_Load();
        EXPECT_EQ(m.buttonVisible("Applica"), c.azione == ViewerAction::Move) << c.key;
        EXPECT_EQ(m.buttonVisible("Salva"), c.azione != ViewerAction::Move) << c.key;
        EXPECT_EQ(m.tlb1_ButtonClick(c.key), c.closes) << c.key;
        EXPECT_EQ(m.EsitoDialogo(), c.answer) << c.key;
    }
    Form3Model m(moveRequest(MoveKind::III), {}, ui, clock);
    m.Form_Load();
    EXPECT_TRUE(m.CmdRipeti_Click());
    EXPECT_EQ(m.EsitoDialogo(), ViewerAnswer::Rip);
    EXPECT_TRUE(ui.calls.empty());
}

TEST(StepViewerToolbar, FoundConnectedSumCopiesThePicturesBack) {
    ScriptedUi ui;
    FixedClock clock;
    GridControl main;
    main.setRows(4);
    main.setCols(5);
    main.setPicture(2, 3, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
    StepViewRequest r = moveRequest(MoveKind::ConnSum);
    r.mainGrid = &main;
    Form3Model m(r, {}, ui, clock);
    m.mainGridForCopyBack = &main;
    m.Form_Load();
    m.Form_Activate("T");
    m.Gr3.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 43});
    EXPECT_TRUE(m.tlb1_ButtonClick("Applica"));
    EXPECT_EQ(m.EsitoDialogo(), ViewerAnswer::Se1);
    EXPECT_EQ(main.picture(1, 1).index, 43);
    EXPECT_EQ(main.picture(2, 3).index, 3);
}

TEST(StepViewerApply, RunsTheCellDrawingStepsThenWaitsForRefresh) {
    ScriptedUi ui;
    FixedClock clock;
    for (bool drawn : {false, true}) {
        RecordedActions rec;
        StepViewRequest r = moveRequest(MoveKind::II);
        r.drawnDiagram = drawn;
        Form3Model m(r, {}, ui, clock, rec.actions());
        m.Form_Load();
        EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));  // stays open
        EXPECT_EQ(rec.log, (std::vector<std::string>{"pulisci", "gen", "disegna", "savdis", "tempi"}));
        EXPECT_EQ(rec.modoGen, GenMode::CellDrawing);
        EXPECT_TRUE(m.applied());
        std::vector<std::string> expected{"Refresh", "Dimensmeno", "Dimenspiu"};
        if (drawn) expected = {"Refresh", "Dimensmeno", "Dimenspiu", "s3", "Migliora"};
        EXPECT_EQ(keys(m, true), expected);
        EXPECT_TRUE(m.tlb1_ButtonClick("Refresh"));
        EXPECT_EQ(m.EsitoDialogo(), ViewerAnswer::Sel);
    }
    // The developer layout answers "Sel" at once, tidying a drawing built from the cell drawing first.
    for (GenMode modo : {GenMode::Code, GenMode::CellDrawing}) {
        RecordedActions rec;
        rec.modoGen = modo;
        StepViewerShared shared;
        shared.ModoSviluppo = true;
        Form3Model m(moveRequest(MoveKind::I), shared, ui, clock, rec.actions());
        m.Form_Load();
        EXPECT_TRUE(m.cmdOK_Click());
        EXPECT_EQ(m.EsitoDialogo(), ViewerAnswer::Sel);
        std::vector<std::string> expected{"pulisci"};
        if (modo == GenMode::CellDrawing) expected.push_back("sistema-");
        EXPECT_EQ(rec.log, expected);
    }
}

TEST(StepViewerApply, MiglioraAsksOnceUntilTheFlagIsReset) {
    ScriptedUi ui;
    FixedClock clock;
    int conferma = 0;
    StepViewerShared shared;
    shared.ConfermaMigliora = &conferma;
    auto applied = [&](RecordedActions& rec) {
        StepViewRequest r = moveRequest(MoveKind::I);
        r.drawnDiagram = true;
        auto m = std::make_unique<Form3Model>(r, shared, ui, clock, rec.actions());
        m->Form_Load();
        m->tlb1_ButtonClick("Applica");
        rec.log.clear();
        return m;
    };
    RecordedActions rec;
    auto m = applied(rec);
    ui.yesNoAnswers = {false};
    m->tlb1_ButtonClick("Migliora");
    EXPECT_TRUE(rec.log.empty());
    EXPECT_TRUE(m->buttonVisible("Migliora"));
    EXPECT_EQ(conferma, 0);
    ui.yesNoAnswers = {true};
    m->tlb1_ButtonClick("Migliora");
    EXPECT_EQ(rec.log, (std::vector<std::string>{"sistema+"}));
    EXPECT_FALSE(m->buttonVisible("Migliora"));
    EXPECT_EQ(conferma, 1);
    ASSERT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(ui.calls[0].rfind("yesno: This action modifies the layout.", 0), 0u);

    // A later viewer does not ask again.
    RecordedActions rec2;
    auto m2 = applied(rec2);
    m2->tlb1_ButtonClick("Migliora");
    EXPECT_EQ(rec2.log, (std::vector<std::string>{"sistema+"}));
    EXPECT_EQ(ui.calls.size(), 2u);
}

TEST(StepViewerActivation, TitlesByKindAndWritesTimings) {
    ScriptedUi ui;
    FixedClock clock;
    struct Case {
        MoveKind mossa;
        BridgeKind ponte;
        ViewerAction azione;
        const char* suffix;
        const char* p4;
    };
    for (const Case& c : {
             Case{MoveKind::I, BridgeKind::MoveIII, ViewerAction::Move, "   Found move I", ""},
             Case{MoveKind::II, BridgeKind::MoveIII, ViewerAction::Move, "   Found move II", ""},
             Case{MoveKind::III, BridgeKind::MoveIII, ViewerAction::Move, "   Found move III", ""},
             Case{MoveKind::III, BridgeKind::Horizontal, ViewerAction::Move, "   Found horizontal move III",
                  ""},
             Case{MoveKind::IILoop, BridgeKind::MoveIII, ViewerAction::Move, "", ""},
             Case{MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Move, "   Found connected sum",
                  "C-SUM"},
             Case{MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Summand1,
                  "   First diagram of connected sum", "C-SUM"},
             Case{MoveKind::ConnSum, BridgeKind::MoveIII, ViewerAction::Summand2,
                  "   Second diagram of connected sum", "C-SUM"},
         }) {
        StepViewRequest r = moveRequest(c.mossa, c.ponte);
        r.tipoAzione = c.azione;
        Form3Model m(r, {}, ui, clock);
        m.Form_Load();
        EXPECT_EQ(m.caption(), "Trevalon");
        m.Form_Activate("K");
        EXPECT_EQ(m.caption(), std::string("K") + c.suffix) << c.suffix;
        EXPECT_EQ(m.panel("p4"), c.p4) << c.suffix;
        EXPECT_EQ(m.panel("p1"), "Done");
        // A connected sum has no search timings.
        EXPECT_EQ(m.panel("p2").empty(), c.mossa == MoveKind::ConnSum) << c.suffix;
    }

    double inizio = 0, fineDisegno = 0;
    StepViewerShared shared;
    shared.TempoInizioRicerca = &inizio;
    shared.TempoFineDisegno = &fineDisegno;
    StepViewRequest r = moveRequest(MoveKind::III, BridgeKind::Horizontal);
    r.tempoInizioRicerca = 100.5;
    r.tempoInizioPonte = 90.25;
    r.tempoFineRicerca = 101;
    clock.seconds = 101.125;
    Form3Model m(r, shared, ui, clock);
    m.Form_Load();
    m.Form_Activate("K");
    EXPECT_EQ(inizio, 90.25);  // a horizontal search counts from its own start
    EXPECT_EQ(fineDisegno, 101.125);
    EXPECT_EQ(m.panel("p1"), "Done");
    EXPECT_EQ(m.panel("p2"), "Time main find algorithm sec.10.75    Time draw sec.0.125");
    // A later activation refreshes the timings only.
    clock.seconds = 103;
    m.Form_Activate("other");
    EXPECT_EQ(m.caption(), "K   Found horizontal move III");
    EXPECT_EQ(m.panel("p2"), "Time main find algorithm sec.10.75    Time draw sec.2");
}

TEST(StepViewerWindow, RefusesTitleBarCloseAndCopiesTheMainGrid) {
    ScriptedUi ui;
    FixedClock clock;
    GridControl main;
    main.setRows(6);
    main.setCols(9);
    main.setPicture(3, 6, PictureRef{PaletteId::Form1, PictureSet::Img, 41});
    main.setPictureAlignment(3, 6, CellAlign::CenterCenter);
    main.setPicture(2, 4, PictureRef{PaletteId::Form1, PictureSet::Img, 1});
    StepViewRequest r = moveRequest(MoveKind::I);
    r.mainGrid = &main;
    int dim = 120;
    StepViewerShared shared;
    shared.DimCella = &dim;
    Form3Model m(r, shared, ui, clock);
    m.Form_Load();
    m.Form_Activate("K");
    EXPECT_EQ(m.Gr3.rows(), 6);
    EXPECT_EQ(m.Gr3.cols(), 9);
    EXPECT_EQ(m.Gr3.picture(3, 6).index, 41);
    EXPECT_EQ(m.Gr3.style(3, 6).pictureAlignment, CellAlign::CenterCenter);
    EXPECT_EQ(m.Gr3.picture(2, 4).index, 1);
    EXPECT_EQ(m.Gr3.colWidth(0), 0);
    EXPECT_EQ(m.Gr3.rowHeight(0), 0);
    EXPECT_EQ(m.Gr3.colWidth(5), 120);
    EXPECT_EQ(m.ColonnaBaseDis, 8);

    EXPECT_FALSE(m.QueryUnload(true));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Click a button"}));
    EXPECT_EQ(m.EsitoDialogo(), ViewerAnswer::None);
    EXPECT_TRUE(m.QueryUnload(false));
    EXPECT_EQ(ui.messages.size(), 1u);

    GridControl empty;
    EXPECT_EQ(copiaImmaginiGriglia(empty, m.Gr3, 75), 2);
}

TEST(StepViewerZoom, LevelsStayInRangeAndSizesHalveToEven) {
    ScriptedUi ui;
    FixedClock clock;
    int livello = 5, dim = 200;
    StepViewerShared shared;
    shared.LivelloZoom = &livello;
    shared.DimCella = &dim;
    Form3Model m(moveRequest(MoveKind::I), shared, ui, clock);
    m.Form_Load();
    m.Gr3.setRows(3);
    m.Gr3.setCols(3);
    m.tlb1_ButtonClick("Dimenspiu");
    EXPECT_EQ(livello, 6);
    m.tlb1_ButtonClick("Dimenspiu");
    EXPECT_EQ(livello, 6);
    EXPECT_EQ(dim, 320);
    EXPECT_EQ(m.Gr3.colWidth(2), 320);
    for (int i = 0; i < 5; ++i) m.tlb1_ButtonClick("Dimensmeno");
    EXPECT_EQ(livello, 3);
    EXPECT_EQ(dim, 85);
    EXPECT_EQ(m.Gr3.rowHeight(1), 85);
    EXPECT_EQ(m.Gr3.rowHeight(0), GridControl::kDefaultSize);  // row 0 is left alone

    m.Gr3.setRowHeight(1, 75);
    m.Command6_Click();
    EXPECT_EQ(m.Gr3.rowHeight(1), 38);
    m.Command7_Click();
    EXPECT_EQ(m.Gr3.rowHeight(1), 76);
    EXPECT_EQ(dimezzaTwips(77), 38);
    EXPECT_EQ(dimezzaTwips(85), 42);
    EXPECT_EQ(dimezzaTwips(0), 0);
}

TEST(StepViewerText, SecondsArePlainDecimals) {
    EXPECT_EQ(testoSecondi(0), "0");
    EXPECT_EQ(testoSecondi(0.5), "0.5");
    EXPECT_EQ(testoSecondi(12.3456), "12.346");
    EXPECT_EQ(testoSecondi(3), "3");
    EXPECT_EQ(intervalloTimer(10, 12.5), 2.5);
    EXPECT_EQ(intervalloTimer(86000, 100), 500);
}

}  // namespace
}  // namespace trevalon
