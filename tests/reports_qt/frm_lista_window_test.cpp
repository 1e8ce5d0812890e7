#include "reports/qt/frm_lista_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
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
        lista.AggiungiPasso(0, "1-2+3-1+2-3+", "OOO");
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
    // The grid stands under the toolbar and leaves room for the status bar.
    EXPECT_GT(w.grLis().geometry().top(), 0);
    EXPECT_LT(w.grLis().geometry().bottom(), w.height() - 40);

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
