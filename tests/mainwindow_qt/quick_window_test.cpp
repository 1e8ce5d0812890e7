#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <filesystem>

#include "mainwindow/open_knot.h"
#include "mainwindow/qt/main_window.h"
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
    ASSERT_TRUE(ApriGau(w.form(), knot.string()));
    ASSERT_TRUE(w.action("quick")->isEnabled());
    EXPECT_TRUE(w.action("m1")->isEnabled());
    EXPECT_TRUE(w.action("m3b")->isEnabled());

    // The step list opens modally at the end of the run; it is read and closed.
    int righe = -1;
    std::string titolo, tempo;
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
        lista->reject();
    });
    attesa.start();
    w.action("quick")->trigger();
    QApplication::processEvents();

    ASSERT_GT(righe, 1);
    EXPECT_EQ(titolo, "Unknot40.gau");
    EXPECT_EQ(tempo.rfind("Time processing sec: ", 0), 0u);
    EXPECT_EQ(w.form().doc.storia.NumStato, 0);
    EXPECT_EQ(w.form().doc.diagram.TxtOri.size(), 40u);
    EXPECT_EQ(w.form().doc.storia.passo(righe - 1).Ori.size(), 0u);
    EXPECT_FALSE(w.action("Undo")->isEnabled());
    EXPECT_TRUE(w.action("quick")->isEnabled());
    EXPECT_EQ(w.panel("p1"), "Done");
}

}  // namespace
}  // namespace trevalon
