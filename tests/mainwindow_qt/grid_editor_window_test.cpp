// The editor on the main grid met as a developer meets it: a right click on the grid opens the popup, its
// first item switches drawing mode on, the drawing tools replace the panel, and clicks on the grid's cells
// trace the symbols picked on the palette.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "mainwindow/qt/main_window.h"
#include "platform/qt/grid_view.h"
#include "platform/safe_file.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

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
    const GridControl& g = w.form().vista().Gr;
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

// What the view shows of a cell once the event loop has run a while (the view reads the model on its
// timer): the colour most of its pixels have (its symbol is written over its background).
QColor coloreMostrato(MainWindow& w, int r, int c) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 20);
    const QRect cella = w.gridView().cellRect(r, c);
    if (cella.isEmpty()) return {};
    const QImage immagine = w.gridView().viewport()->grab().toImage();
    std::map<QRgb, int> conta;
    for (int y = cella.top(); y <= cella.bottom(); ++y)
        for (int x = cella.left(); x <= cella.right(); ++x) ++conta[immagine.pixel(x, y)];
    const auto piu = std::max_element(conta.begin(), conta.end(),
                                      [](const auto& a, const auto& b) { return a.second < b.second; });
    return QColor(piu->first);
}

// The button of the drawing tools, pressed with the mouse.
void premiPulsante(EditorGrigliaQt* editor, const char* nome) {
    auto* b = editor->findChild<QPushButton*>(nome);
    ASSERT_NE(b, nullptr) << nome;
    premi(b, b->rect().center(), Qt::LeftButton);
}

// With a first click pending, "Annnulla" and "Undo" show what they did at once, without a scroll; "Apri"
// shows the drawing read, wherever the grid was scrolled and wherever in it the drawing lies.
TEST(GridEditorWindow, CancelUndoAndOpenShowTheirCellsAtOnce) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    EditorGrigliaQt* editor = w.gridEditor();
    voceMenu(w, 3, 3, "mnuAtDis");
    const GridControl& g = w.form().vista().Gr;
    const QColor bianco(255, 255, 255), rosso(255, 0, 0), giallo(255, 255, 0);

    // A first click marks its cell yellow; "Annnulla" takes the mark away.
    clicCella(w, 6, 6);
    ASSERT_EQ(coloreMostrato(w, 6, 6), giallo);
    premiPulsante(editor, "CmDAnnulla");
    EXPECT_EQ(g.style(6, 6).backColor, 16777215u);
    EXPECT_EQ(coloreMostrato(w, 6, 6), bianco);

    // "Undo" right after a run takes it away on the screen too.
    clicCella(w, 4, 2);
    clicCella(w, 4, 8);
    ASSERT_EQ(coloreMostrato(w, 4, 5), rosso);
    premiPulsante(editor, "Command9");
    EXPECT_EQ(g.text(4, 5), "");
    EXPECT_EQ(coloreMostrato(w, 4, 5), bianco);
    // With a first click pending on a cell of the run, "Undo" drops the start and its mark: the first click
    // began a new trace, so the run stays.
    clicCella(w, 4, 2);
    clicCella(w, 4, 8);
    clicCella(w, 4, 5);
    ASSERT_EQ(coloreMostrato(w, 4, 5), giallo);
    premiPulsante(editor, "Command9");
    EXPECT_EQ(editor->editor().traccia().StatoTraccia, 0);
    EXPECT_EQ(coloreMostrato(w, 4, 5), rosso);

    // "Apri" with the grid scrolled far from a trefoil drawn at columns 581 and beyond.
    const fs::path file = fs::temp_directory_path() / "trevalon_editor_far_trefoil.txt";
    {
        std::string testo = "20,633\r\n";
        const std::vector<std::string> trefoil = {" ***** ", "*  *  *", "* *** *",
                                                  " ** ** ", "  * *  ", "   *   "};
        for (const std::string& riga : trefoil) testo += std::string(580, ' ') + riga + "\r\n";
        ASSERT_TRUE(replaceFileContents(file, testo));
    }
    w.gridView().verticalScrollBar()->setValue(300);
    w.gridView().horizontalScrollBar()->setValue(100);
    testing::whenShown<QFileDialog>(
        [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
        [&file](QFileDialog* d) {
            if (auto* e = d->findChild<QLineEdit*>("fileNameEdit"))
                e->setText(QString::fromStdString(file.string()));
            else
                d->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(d)->accept();
        });
    voceMenu(w, 320, 110, "mnuApri");
    ASSERT_EQ(g.text(1, 582), "*");
    EXPECT_EQ(coloreMostrato(w, 1, 582), rosso);
    EXPECT_TRUE(w.gridView().viewport()->rect().contains(w.gridView().cellRect(6, 584)));
    fs::remove(file);
}

}  // namespace
}  // namespace trevalon
