#include "mainwindow/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QToolBar>
#include <set>

#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
};

TEST_F(MainWindowTest, StartsWithFiveCommandsEnabledAndTheGridShown) {
    MainWindow w("/tmp/trevalon-missing");
    w.show();
    QApplication::processEvents();

    std::set<std::string> enabled;
    for (QAction* a : w.toolbar().actions()) {
        const std::string key = a->data().toString().toStdString();
        if (key.empty()) continue;  // a gap
        if (a->isEnabled() && a->isVisible()) enabled.insert(key);
        EXPECT_FALSE(a->icon().isNull()) << key;
    }
    EXPECT_EQ(enabled, (std::set<std::string>{"ApriG", "Servizi", "help", "info", "Uscita"}));
    EXPECT_EQ(w.windowTitle().toStdString(), "Trevalon");
    // A command that is off is drawn visibly off: its picture is far fainter than when it is on.
    auto opacity = [](const QImage& img) {
        double sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) sum += qAlpha(img.pixel(x, y));
        return sum;
    };
    const QIcon icon = w.action("m1")->icon();
    const double on = opacity(icon.pixmap(24, QIcon::Normal).toImage());
    const double off = opacity(icon.pixmap(24, QIcon::Disabled).toImage());
    EXPECT_GT(on, 0);
    EXPECT_LT(off, on / 2);
    EXPECT_EQ(w.gridView().grid(), &w.form().vista().Gr);
    // Every button shown has its command: the "not available" guard of the dispatcher is never met.
    for (QAction* a : w.toolbar().actions()) {
        const std::string key = a->data().toString().toStdString();
        if (!key.empty() && a->isVisible()) {
            EXPECT_TRUE(w.form().hasCommand(key)) << key;
        }
    }
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
    EXPECT_TRUE(w.form().contesto().RichiestaStop.richiesta());
    w.hideStopFrame();
    EXPECT_FALSE(frame->isVisible());

    w.action("Uscita")->trigger();
    EXPECT_TRUE(w.form().closeRequested());
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace trevalon
