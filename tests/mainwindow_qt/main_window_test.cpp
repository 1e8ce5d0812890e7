#include "mainwindow/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QToolBar>
#include <set>

#include "mainwindow/toolbar.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
};

TEST_F(MainWindowTest, StartsWithThirtyEntriesOfWhichFiveAreEnabled) {
    MainWindow w("/tmp/trevalon-missing");
    w.show();
    QApplication::processEvents();

    const auto actions = w.toolbar().actions();
    EXPECT_EQ(actions.size(), 30);  // 19 buttons and 11 gaps
    std::set<std::string> enabled;
    int buttons = 0;
    for (QAction* a : actions) {
        const std::string key = a->data().toString().toStdString();
        if (key.empty()) continue;  // a gap
        ++buttons;
        if (a->isEnabled() && a->isVisible()) enabled.insert(key);
        EXPECT_FALSE(a->icon().isNull()) << key;
        EXPECT_EQ(a->toolTip().toStdString(), std::string(findToolbarEntry(key)->tooltip));
    }
    EXPECT_EQ(buttons, 19);
    EXPECT_EQ(enabled, (std::set<std::string>{"ApriG", "Servizi", "help", "info", "Uscita"}));
    EXPECT_FALSE(w.action("Stampa")->isVisible());
    EXPECT_EQ(w.windowTitle().toStdString(), "Trevalon");

    // First activation: the grid of 601 x 601 cells is shown in the window.
    EXPECT_EQ(w.form().Gr.rows(), 601);
    EXPECT_EQ(w.gridView().grid(), &w.form().Gr);
    EXPECT_EQ(w.form().CartellaDialoghi, std::filesystem::path("/tmp/trevalon-missing/Knots"));
}

TEST_F(MainWindowTest, PanelsBusyPointerStopFrameAndExit) {
    MainWindow w("/tmp/trevalon-missing");
    w.show();
    w.form().AggiornaProgressivo();
    EXPECT_EQ(w.panel("p1"), "Wait..");
    EXPECT_EQ(w.panel("p2"), ".");
    {
        BusyGuard outer(w);
        BusyGuard inner(w);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    w.showStopFrame("Find horizontal moves ...");
    auto* frame = w.findChild<QFrame*>("Frame3");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    w.findChild<QPushButton*>("Command15")->click();
    EXPECT_EQ(w.context().RichiestaStop, 1);
    w.hideStopFrame();
    EXPECT_FALSE(frame->isVisible());

    w.action("Uscita")->trigger();
    EXPECT_TRUE(w.form().closeRequested());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, FilterTextOfTheDialogs) {
    EXPECT_EQ(dialogFilterText({{"File knot", {"*.kno", "*.gau"}}}).toStdString(), "File knot (*.kno *.gau)");
    EXPECT_EQ(dialogFilterText({{"A", {"*.a"}}, {"B", {"*.b"}}}).toStdString(), "A (*.a);;B (*.b)");
}

}  // namespace
}  // namespace trevalon
