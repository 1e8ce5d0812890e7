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

StepViewRequest moveRequest(std::string tipoMossa, std::string tipoPonte = "<") {
    StepViewRequest r;
    r.tipoMossa = std::move(tipoMossa);
    r.tipoPonte = std::move(tipoPonte);
    r.message = "arcs 3,4";
    return r;
}

// Records the cell-drawing steps "Applica" runs, in order.
struct RecordedActions {
    std::vector<std::string> log;
    char modoGen = 'A';
    CellDrawingActions actions() {
        CellDrawingActions a;
        a.F3PulisciCelDis = [this] { log.push_back("pulisci"); };
        a.F3GenCelDis = [this] { log.push_back("gen"); };
        a.F3DisegnaCelDis = [this] { log.push_back("disegna"); };
        a.F3SavDis = [this] { log.push_back("savdis"); };
        a.F3SistemaGrafica = [this](bool nuovo) { log.push_back(nuovo ? "sistema+" : "sistema-"); };
        a.F3Command8 = [this] { log.push_back("tempi"); };
        a.modoGen = [this] { return modoGen; };
        a.setModoGen = [this](char m) { modoGen = m; };
        return a;
    }
};

TEST(StepViewerToolbar, MoveCandidateOffersApplyNextStopAndAnswersAccordingly) {
    ScriptedUi ui;
    FixedClock clock;
    {
        Form3Model m(moveRequest("1"), {}, ui, clock);
        m.Form_Load();
        EXPECT_EQ(keys(m, false),
                  (std::vector<std::string>{"Applica", "s0", "Successivo", "s1", "interrompi", "Refresh",
                                            "s2", "Dimensmeno", "Dimenspiu", "s3", "Migliora", "Stampa"}));
        EXPECT_EQ(keys(m, true), (std::vector<std::string>{"Applica", "s0", "Successivo", "s1", "interrompi",
                                                           "s2", "Dimensmeno", "Dimenspiu"}));
        EXPECT_EQ(m.button("Successivo")->tooltip, "Find next move");
        EXPECT_EQ(m.button("Dimensmeno")->image, "lentemeno");
        EXPECT_EQ(m.button("Migliora")->image, "Ristruttura");
        EXPECT_EQ(m.button("s3")->gapTwips, 1200);
        // Without the cell-drawing engine "Applica" answers "Sel" at once.
        EXPECT_TRUE(m.tlb1_ButtonClick("Applica"));
        EXPECT_EQ(m.EsitoDialogo(), "Sel");
    }
    for (auto [key, answer] : {std::pair{"Successivo", ""}, {"interrompi", "Int"}}) {
        Form3Model m(moveRequest("2"), {}, ui, clock);
        m.Form_Load();
        EXPECT_TRUE(m.tlb1_ButtonClick(key)) << key;
        EXPECT_EQ(m.EsitoDialogo(), answer) << key;
    }
    Form3Model m(moveRequest("3"), {}, ui, clock);
    m.Form_Load();
    EXPECT_FALSE(m.tlb1_ButtonClick("nothing"));
    EXPECT_FALSE(m.tlb1_ButtonClick("s0"));
    EXPECT_TRUE(m.CmdRipeti_Click());
    EXPECT_EQ(m.EsitoDialogo(), "Rip");
    EXPECT_TRUE(ui.calls.empty());
}

TEST(StepViewerToolbar, SummandOffersSaveAndContinue) {
    ScriptedUi ui;
    FixedClock clock;
    for (const char* azione : {"I1", "I2", "I9"}) {
        StepViewRequest r = moveRequest("S");
        r.tipoAzione = azione;
        Form3Model m(r, {}, ui, clock);
        m.Form_Load();
        EXPECT_EQ(keys(m, true),
                  (std::vector<std::string>{"Salva", "Successivo", "s2", "Dimensmeno", "Dimenspiu"}));
        EXPECT_EQ(m.button("Applica"), nullptr);
        EXPECT_EQ(m.button("Refresh"), nullptr);
        EXPECT_EQ(m.button("Salva")->tooltip, "Save this diagram");
        EXPECT_EQ(m.button("Successivo")->tooltip, "Don't save this diagram and continue ");
        m.Form_Activate("Trevalon knot - step 2");
        const std::string which = std::string(azione) == "I1" ? "First" : "Second";
        EXPECT_EQ(m.caption(), "Trevalon knot - step 2   " + which + " diagram of connected sum");
        EXPECT_EQ(m.panel("p4"), "C-SUM");
        EXPECT_EQ(m.panel("p1"), "Done");
        EXPECT_EQ(m.panel("p2"), "");
        EXPECT_TRUE(m.tlb1_ButtonClick("Salva"));
        EXPECT_EQ(m.EsitoDialogo(), "Save");
    }
    // A found connected sum: "Applica" copies the viewer's pictures back and answers "Se1".
    GridControl main;
    main.setRows(4);
    main.setCols(5);
    main.setPicture(2, 3, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
    StepViewRequest r = moveRequest("S");
    r.mainGrid = &main;
    Form3Model m(r, {}, ui, clock);
    m.mainGridForCopyBack = &main;
    m.Form_Load();
    EXPECT_EQ(m.button("Successivo")->tooltip, "Find next connected sum");
    m.Form_Activate("T");
    EXPECT_EQ(m.caption(), "T   Found connected sum");
    m.Gr3.setPicture(1, 1, PictureRef{PaletteId::Form1, PictureSet::Img, 43});
    EXPECT_TRUE(m.tlb1_ButtonClick("Applica"));
    EXPECT_EQ(m.EsitoDialogo(), "Se1");
    EXPECT_EQ(main.picture(1, 1).index, 43);
    EXPECT_EQ(main.picture(2, 3).index, 3);
}

TEST(StepViewerApply, RunsTheCellDrawingStepsThenWaitsForRefresh) {
    ScriptedUi ui;
    FixedClock clock;
    for (bool drawn : {false, true}) {
        RecordedActions rec;
        StepViewRequest r = moveRequest("2");
        r.drawnDiagram = drawn;
        Form3Model m(r, {}, ui, clock, rec.actions());
        m.Form_Load();
        EXPECT_FALSE(m.tlb1_ButtonClick("Applica"));  // stays open
        EXPECT_EQ(rec.log, (std::vector<std::string>{"pulisci", "gen", "disegna", "savdis", "tempi"}));
        EXPECT_EQ(rec.modoGen, 'I');
        EXPECT_TRUE(m.applied());
        std::vector<std::string> expected{"Refresh", "Dimensmeno", "Dimenspiu"};
        if (drawn) expected = {"Refresh", "Dimensmeno", "Dimenspiu", "s3", "Migliora"};
        EXPECT_EQ(keys(m, true), expected);
        EXPECT_TRUE(m.tlb1_ButtonClick("Refresh"));
        EXPECT_EQ(m.EsitoDialogo(), "Sel");
    }
    // The developer layout answers "Sel" at once, tidying a drawing built from the cell drawing first.
    RecordedActions rec;
    rec.modoGen = 'I';
    StepViewerShared shared;
    shared.ModoSviluppo = true;
    Form3Model m(moveRequest("1"), shared, ui, clock, rec.actions());
    m.Form_Load();
    EXPECT_TRUE(m.cmdOK_Click());
    EXPECT_EQ(m.EsitoDialogo(), "Sel");
    EXPECT_EQ(rec.log, (std::vector<std::string>{"pulisci", "sistema-"}));
}

TEST(StepViewerApply, MiglioraAsksOnceUntilTheFlagIsReset) {
    ScriptedUi ui;
    FixedClock clock;
    int conferma = 0;
    StepViewerShared shared;
    shared.ConfermaMigliora = &conferma;
    auto applied = [&](RecordedActions& rec) {
        StepViewRequest r = moveRequest("1");
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
        const char* mossa;
        const char* ponte;
        const char* suffix;
    };
    for (const Case& c : {Case{"1", "<", "   Found move I"}, Case{"2", "<", "   Found move II"},
                          Case{"3", "<", "   Found move III"}, Case{"3", ">", "   Found horizontal move III"},
                          Case{"2L", "<", ""}}) {
        Form3Model m(moveRequest(c.mossa, c.ponte), {}, ui, clock);
        m.Form_Load();
        EXPECT_EQ(m.caption(), "Trevalon");
        m.Form_Activate("K");
        EXPECT_EQ(m.caption(), std::string("K") + c.suffix) << c.mossa << c.ponte;
    }

    double inizio = 0, fineDisegno = 0;
    StepViewerShared shared;
    shared.TempoInizioRicerca = &inizio;
    shared.TempoFineDisegno = &fineDisegno;
    StepViewRequest r = moveRequest("3", "x");
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

    // Across midnight the times stay positive.
    StepViewRequest late = moveRequest("1");
    late.tempoInizioRicerca = 86399.5;
    late.tempoFineRicerca = 0.25;
    clock.seconds = 1;
    Form3Model n(late, {}, ui, clock);
    n.Form_Load();
    n.Form_Activate("K");
    EXPECT_EQ(n.panel("p2"), "Time main find algorithm sec.0.75    Time draw sec.0.75");
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
    StepViewRequest r = moveRequest("1");
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
    EXPECT_EQ(m.EsitoDialogo(), "");
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
    Form3Model m(moveRequest("1"), shared, ui, clock);
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
