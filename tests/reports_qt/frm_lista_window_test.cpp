#include "reports/qt/frm_lista_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>

#include "platform/headless_ui.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

class FrmListaWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::testApp();
        lista.Form_Load();
        lista.AggiungiPasso(0, "1-2+3-4+5-6+7-8+9-10+11-12+13-14+15-1+2-3+4-5+6-7+8-9+10-11+12-13+14-15+",
                            "OOOOOOOOOOOOOOO");
        lista.AggiungiPasso(1, "1-2+2-1+", "OO");
        lista.Concludi();
        lista.ImpostaCaption("/home/u/Knots/trefoil.kno");
        lista.ImpostaTempo(0.5);
        lista.NumStato = 1;
    }
    ScriptedUi ui;
    FrmLista lista{ui, ui};
};

TEST_F(FrmListaWindowTest, ShowsTheRowsCaptionAndTimeAndExports) {
    FrmListaWindow w(lista);
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(w.windowTitle().toStdString(), "trefoil");
    EXPECT_EQ(w.panelP2().toStdString(), "Time processing sec: 0.5");
    EXPECT_EQ(w.grLis().grid(), &lista.GrLis);
    ASSERT_NE(w.exportAction(), nullptr);
    // The grid stands under the toolbar and reaches down to the status bar, with no empty band between.
    const auto* status = w.findChild<QStatusBar*>("Stbr");
    ASSERT_NE(status, nullptr);
    EXPECT_GT(w.grLis().geometry().top(), 0);
    EXPECT_EQ(w.grLis().geometry().bottom() + 1, status->geometry().top());
    // Every column is wide enough for its texts: the long Gauss code of the first step is shown whole.
    QFont font = w.grLis().font();
    font.setPointSize(lista.GrLis.style(1, 2).fontSize);
    const int codice = QFontMetrics(font).horizontalAdvance(QString::fromStdString(lista.GrLis.text(1, 2)));
    EXPECT_GE(w.grLis().cellRect(1, 2).width(), codice);

    const fs::path out = fs::temp_directory_path() / "trevalon-frmlista-window-test.xlsx";
    fs::remove(out);
    ui.saveAnswers = {out.string()};
    w.exportAction()->trigger();
    EXPECT_EQ(ui.lastSaveProposal, "/home/u/Knots/trefoil_S1.xlsx");
    EXPECT_TRUE(fs::exists(out));
    EXPECT_GT(fs::file_size(out), 1000u);
    fs::remove(out);
}

TEST_F(FrmListaWindowTest, PortShowsTheListModally) {
    QWidget parent;
    bool seen = false;
    testing::whenShown<FrmListaWindow>(
        [&] {
            auto* w = parent.findChild<FrmListaWindow*>();
            return w && w->isVisible() ? w : nullptr;
        },
        [&](FrmListaWindow* w) {
            seen = w->isModal();
            w->close();
        });
    QtStepListPort port(&parent);
    port.showStepList(lista);
    EXPECT_TRUE(seen);
    EXPECT_EQ(parent.findChild<FrmListaWindow*>(), nullptr);
}

}  // namespace
}  // namespace trevalon
