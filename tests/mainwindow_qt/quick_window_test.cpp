#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "mainwindow/open_knot.h"
#include "mainwindow/qt/main_window.h"
#include "mainwindow_qt/window_driver.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"
#include "reports/qt/frm_lista_window.h"

namespace trevalon {
namespace {

TEST(QuickWindow, QuickSimplificationShowsTheStepListAndReturnsToTheStartStep) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    const std::filesystem::path knot = std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau";
    ASSERT_TRUE(ApriGau(w.form().contesto(), w.form().vista(), knot.string()));
    ASSERT_TRUE(w.action("quick")->isEnabled());
    EXPECT_TRUE(w.action("m1")->isEnabled());
    EXPECT_TRUE(w.action("m3b")->isEnabled());

    // The step list opens modally at the end of the run; it is read and closed.
    int righe = -1;
    std::string titolo, tempo, fine = "?";
    int tentativi = 0;
    QTimer attesa;
    attesa.setInterval(20);
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* lista = qobject_cast<FrmListaWindow*>(QApplication::activeModalWidget());
        if (!lista) {
            if (++tentativi > 6000) attesa.stop();
            return;
        }
        attesa.stop();
        righe = lista->lista().rowCount();
        titolo = lista->windowTitle().toStdString();
        tempo = lista->panelP2().toStdString();
        fine = lista->panelP1().toStdString();
        lista->reject();
    });
    attesa.start();
    w.action("quick")->trigger();
    QApplication::processEvents();

    ASSERT_GT(righe, 1);
    EXPECT_EQ(titolo, "Unknot40.gau");
    EXPECT_EQ(tempo.rfind("Time processing sec: ", 0), 0u);
    EXPECT_EQ(fine, "");  // a run that ended by itself says nothing more
    EXPECT_EQ(w.form().doc().storia.NumStato, 0);
    EXPECT_EQ(w.form().doc().diagram.TxtOri.size(), 40u);
    EXPECT_EQ(w.form().doc().storia.passo(righe - 1).Ori.size(), 0u);
    EXPECT_FALSE(w.action("Undo")->isEnabled());
    EXPECT_TRUE(w.action("quick")->isEnabled());
    EXPECT_EQ(w.panel("p1"), "Done");
}

// A search that finds nothing says so with its stop frame gone: nothing offers to cancel a search that
// has ended while its message is read.
TEST(QuickWindow, NoMoveFoundIsShownWithTheStopFrameGone) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    ASSERT_TRUE(ApriGau(w.form().contesto(), w.form().vista(),
                        (std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau").string()));
    QString detto, testoCornice;
    bool cornice = true;
    testing::whenShown<QMessageBox>(
        [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
        [&](QMessageBox* box) {
            detto = box->text();
            auto* f = w.findChild<QFrame*>("Frame3");
            cornice = f->isVisible();
            if (auto* l = f->findChild<QLabel*>()) testoCornice = l->text();
            box->accept();
        });
    w.action("m3b")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(testoCornice.toStdString(), "Find horizontal moves ...");  // the search ran with its frame
    EXPECT_EQ(detto.toStdString(), "No move  was found");
    EXPECT_FALSE(cornice);
}

// A long complete run on a large diagram, met as a user meets it: the run goes on while the event loop
// serves a timer that watches it, and once the horizontal search has done a good part of its work (counted
// by its progress dots, one per 20 records of its tree) with its stop frame up, `act` is done to the window
// (Cancel, or a close). Returns the passes of the event loop the run made after that before it ended, and
// the most progress dots the search drew between two servings of the watching timer.
struct RunWatched {
    long passesToEnd = -1;
    long mostDotsBetweenServings = 0;
    bool toolbarOffWhileRunning = true;
    bool stepListShown = false;
    std::string howItEnded;  // the step list's word on how the run ended
};

// The search draws some 2,250 dots on this diagram when it is let run to its end; it is stopped after
// kDotsBeforeAct. Between two servings of the timer it draws 13 on an eight-core machine, up to 26 when
// it is loaded (the records its threads examined meanwhile are filed at once, a round of 256 is 13
// dots); a machine ten times as fast would draw some 160. A search that does not serve the events draws
// hundreds or all of them at once: 1,500 when the tree's batch does not, 2,250 when the window's yield
// does not.
constexpr long kDotsBeforeAct = 500;
constexpr long kMostDotsBetweenServings = 250;

RunWatched runLongSearchAnd(testing::FinestraOsservata& w, const std::function<void()>& act) {
    RunWatched out;
    const std::filesystem::path knot =
        std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" / "braid_100.gau";
    EXPECT_TRUE(ApriGau(w.form().contesto(), w.form().vista(), knot.string()));
    w.azzeraConti();
    bool acted = false;
    long lastDots = 0;
    testing::PassiDelCiclo after(
        [&] { return acted && w.commandRunning() && !QApplication::activeModalWidget(); });
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        out.mostDotsBetweenServings = std::max(out.mostDotsBetweenServings, w.puntini() - lastDots);
        lastDots = w.puntini();
        if (!w.commandRunning()) return;
        if (w.toolbar().isEnabled()) out.toolbarOffWhileRunning = false;
        auto* frame = w.findChild<QFrame*>("Frame3");
        if (!acted && frame && frame->isVisible() && w.puntini() >= kDotsBeforeAct) {
            acted = true;
            act();
        }
    });
    QTimer listWatch;
    listWatch.setInterval(20);
    QObject::connect(&listWatch, &QTimer::timeout, [&] {
        if (auto* lista = qobject_cast<FrmListaWindow*>(QApplication::activeModalWidget())) {
            out.stepListShown = true;
            out.howItEnded = lista->panelP1().toStdString();
            lista->reject();
        }
    });
    watch.start();
    listWatch.start();
    w.runCommand("quick");
    // What the search drew after the last serving counts as well.
    out.mostDotsBetweenServings = std::max(out.mostDotsBetweenServings, w.puntini() - lastDots);
    if (acted) out.passesToEnd = after.passi();
    EXPECT_TRUE(acted) << "the horizontal search never showed its stop frame with " << kDotsBeforeAct
                       << " progress dots drawn; it drew " << w.puntini();
    ::testing::Test::RecordProperty("passes_to_end", std::to_string(out.passesToEnd));
    ::testing::Test::RecordProperty("most_dots_between_servings",
                                    std::to_string(out.mostDotsBetweenServings));
    return out;
}

TEST(QuickWindow, CancelEndsALongHorizontalSearchAtOnceAndTheWindowStaysResponsive) {
    testing::testApp();
    testing::FinestraOsservata w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    const RunWatched r = runLongSearchAnd(w, [&] { w.findChild<QPushButton*>("Command15")->click(); });
    EXPECT_GE(r.passesToEnd, 0);
    EXPECT_LT(r.passesToEnd, testing::kPassiFinoAllaFine);
    EXPECT_LE(r.mostDotsBetweenServings, kMostDotsBetweenServings);
    EXPECT_TRUE(r.toolbarOffWhileRunning);
    EXPECT_TRUE(r.stepListShown);
    // The list says that the run was stopped.
    EXPECT_EQ(r.howItEnded.rfind("Stopped by Cancel", 0), 0u) << r.howItEnded;
    // The run went back to its start step, and the toolbar is live again.
    EXPECT_EQ(w.form().doc().storia.NumStato, 0);
    EXPECT_FALSE(w.form().contesto().RichiestaStop.richiesta());
    EXPECT_TRUE(w.toolbar().isEnabled());
    EXPECT_TRUE(w.action("quick")->isEnabled());
}

TEST(QuickWindow, ClosingDuringALongSearchStopsItAndClosesTheWindow) {
    testing::testApp();
    testing::FinestraOsservata w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    const RunWatched r = runLongSearchAnd(w, [&] { w.close(); });
    EXPECT_GE(r.passesToEnd, 0);
    EXPECT_LE(r.mostDotsBetweenServings, kMostDotsBetweenServings);
    EXPECT_LT(r.passesToEnd, testing::kPassiFinoAllaFine);
    EXPECT_FALSE(r.stepListShown);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace trevalon
