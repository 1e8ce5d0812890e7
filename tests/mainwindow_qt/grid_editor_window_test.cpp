// The editor on the main grid met as a developer meets it: a right click on the grid opens the popup, its
// first item switches drawing mode on, the drawing tools replace the panel, and clicks on the grid's cells
// trace the symbols picked on the palette.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "mainwindow/qt/main_window.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

void premi(QWidget* w, QPoint punto, Qt::MouseButton pulsante) {
    const QPointF locale(punto);
    const QPointF globale(w->mapToGlobal(punto));
    QMouseEvent giu(QEvent::MouseButtonPress, locale, globale, pulsante, pulsante, Qt::NoModifier);
    QApplication::sendEvent(w, &giu);
    QMouseEvent su(QEvent::MouseButtonRelease, locale, globale, pulsante, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &su);
}

void clicCella(MainWindow& w, int r, int c, Qt::MouseButton pulsante = Qt::LeftButton) {
    const QRect cella = w.gridView().cellRect(r, c);
    ASSERT_FALSE(cella.isEmpty()) << r << "," << c;
    premi(w.gridView().viewport(), cella.center(), pulsante);
    QApplication::processEvents();
}

// A right click on the cell, then the popup's item chosen with the mouse.
void voceMenu(MainWindow& w, int r, int c, const char* voce) {
    bool scelta = false;
    testing::whenShown<QMenu>([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                              [&scelta, voce](QMenu* menu) {
                                  auto* a = menu->findChild<QAction*>(voce);
                                  if (!a || !a->isEnabled()) {
                                      menu->close();
                                      return;
                                  }
                                  premi(menu, menu->actionGeometry(a).center(), Qt::LeftButton);
                                  scelta = true;
                              });
    clicCella(w, r, c, Qt::RightButton);
    EXPECT_TRUE(scelta) << voce;
}

TEST(GridEditorWindow, DrawingModeFromThePopupTracesClickedCells) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();

    EditorGrigliaQt* editor = w.gridEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->isVisible());
    voceMenu(w, 3, 3, "mnuAtDis");
    QApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(w.developerPanel()->isVisible());
    EXPECT_EQ(w.windowTitle(), "Manuale *");
    const GridControl& g = w.form().vista.Gr;
    EXPECT_EQ((std::tuple{g.rows(), g.cols(), g.rowHeight(4)}), (std::tuple{500, 500, 150}));

    // A run of strand along row 4, then a crossing picked on the palette and traced as one cell.
    clicCella(w, 4, 2);
    clicCella(w, 4, 8);
    for (int c = 2; c <= 8; ++c) EXPECT_EQ(g.text(4, c), "*") << c;
    premi(editor->findChild<QLabel*>("lblOri"), {5, 5}, Qt::LeftButton);
    EXPECT_EQ(editor->findChild<QLabel*>("LblSce")->text(), "-");
    editor->findChild<QCheckBox*>("ChkSingolo")->click();
    clicCella(w, 8, 5);
    EXPECT_EQ((std::tuple{g.text(8, 5), g.text(7, 5), g.text(9, 5), g.text(8, 4), g.text(8, 6)}),
              (std::tuple{"-", "*", "*", "*", "*"}));
    // The cells show their symbols: the crossing's cell is painted red.
    const QImage immagine = w.gridView().viewport()->grab().toImage();
    EXPECT_EQ(immagine.pixelColor(w.gridView().cellRect(8, 5).topLeft() + QPoint(1, 1)), QColor(255, 0, 0));

    // Off again: the panel is back.
    voceMenu(w, 5, 5, "mnuAtDis");
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(w.developerPanel()->isVisible());
    EXPECT_EQ(g.rows(), 601);
}

}  // namespace
}  // namespace trevalon
