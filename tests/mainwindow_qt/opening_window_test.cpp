#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "mainwindow/qt/main_window.h"
#include "mainwindow_qt/window_driver.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

// The dark pixels the view paints in the display cell (r, c).
int pixelScuri(MainWindow& w, const QImage& image, int r, int c) {
    return testing::pixelScuri(image, w.gridView().cellRect(r, c), 100);
}

TEST(OpeningWindow, LoadKnotThroughTheFileDialogDrawsTilesInTheMainGrid) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    const std::filesystem::path knot = std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau";
    const auto [cartella, titolo] = testing::apriConDialogo(w, knot);
    EXPECT_EQ(cartella.toStdString(), (std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots").string());
    EXPECT_EQ(titolo.toStdString(), "Open");  // says what it does
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - Trefoil - Step 0");
    EXPECT_EQ(w.panel("p1"), "Done");
    EXPECT_TRUE(w.action("draw")->isEnabled());
    EXPECT_FALSE(w.action("Undo")->isEnabled());

    // Every crossing of the diagram is a tile of the main grid, and the view paints it.
    const Diagram& d = w.form().doc().diagram;
    ASSERT_EQ(d.NumIncroci, 3);
    const QImage image = w.gridView().viewport()->grab().toImage();
    for (int k = 1; k <= d.NumIncroci; ++k) {
        int r = 0, c = 0;
        Trasforma(d.limiti, d.incroci[k].Riga, d.incroci[k].Colonna, r, c);
        EXPECT_FALSE(w.form().vista().Gr.picture(r, c).empty()) << "crossing " << k;
        ASSERT_FALSE(w.gridView().cellRect(r, c).isEmpty());
        EXPECT_GT(pixelScuri(w, image, r, c), 0) << "crossing " << k << " is not painted";
    }

    // "draw" lays the diagram out from the next root crossing.
    w.action("draw")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w.form().doc().PartenzaDisegno, 2);
    EXPECT_EQ(w.form().doc().diagram.NumRegioni, 5);
}

TEST(OpeningWindow, ADrawnKnotOpensThroughTheFileDialogWithDrawnKnotTiles) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    testing::apriConDialogo(w, std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "FigureEight.kns");
    QApplication::processEvents();
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - FigureEight - Step 0");
    EXPECT_EQ(w.panel("p1"), "Done");
    EXPECT_FALSE(w.action("draw")->isEnabled());  // a drawing is not laid out from a root crossing
    EXPECT_TRUE(w.action("m1")->isEnabled());

    const Diagram& d = w.form().doc().diagram;
    ASSERT_EQ(d.NumIncroci, 4);
    const GridControl& g = w.form().vista().Gr;
    int disegno = 0, altre = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            if (const PictureRef p = g.picture(r, c); !p.empty())
                (p.palette == PaletteId::Form1b ? disegno : altre)++;
    EXPECT_GT(disegno, 40);
    EXPECT_EQ(altre, 0);
    const QImage image = w.gridView().viewport()->grab().toImage();
    for (int k = 1; k <= d.NumIncroci; ++k) {
        int r = 0, c = 0;
        Trasforma(d.limiti, d.incroci[k].Riga, d.incroci[k].Colonna, r, c);
        EXPECT_GT(pixelScuri(w, image, r, c), 0) << "crossing " << k << " is not painted";
    }
}

// Opening a large code through the file dialog is a long job: its stop frame shows while the event loop
// keeps serving the window, and "Cancel" ends it at once (in a few passes of the event loop) with the knot
// shown before still there.
TEST(OpeningWindow, CancelStopsALongOpeningAndKeepsTheKnotShownBefore) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    testing::apriConDialogo(w, std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau");
    ASSERT_EQ(w.windowTitle().toStdString(), " Trevalon - Trefoil - Step 0");
    const std::string codice = w.form().doc().diagram.txtNodo;

    bool annullato = false;
    testing::PassiDelCiclo dopo([&] { return annullato && w.findChild<QFrame*>("Frame3")->isVisible(); });
    QTimer guarda;
    guarda.setInterval(10);
    QObject::connect(&guarda, &QTimer::timeout, [&] {
        auto* frame = w.findChild<QFrame*>("Frame3");
        if (annullato || !frame || !frame->isVisible()) return;
        annullato = true;
        w.findChild<QPushButton*>("Command15")->click();
    });
    guarda.start();
    testing::apriConDialogo(
        w, std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" / "braid_250.gau");
    guarda.stop();
    ASSERT_TRUE(annullato) << "the opening never showed its stop frame";
    ::testing::Test::RecordProperty("passes_to_end", std::to_string(dopo.passi()));
    EXPECT_LT(dopo.passi(), testing::kPassiFinoAllaFine);
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - Trefoil - Step 0");
    EXPECT_EQ(w.form().doc().diagram.txtNodo, codice);
    EXPECT_FALSE(w.findChild<QFrame*>("Frame3")->isVisible());
    EXPECT_TRUE(w.toolbar().isEnabled());
    EXPECT_EQ(w.panel("p2"), "The layout of the diagram was stopped.");
}

}  // namespace
}  // namespace trevalon
