#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>
#include <fstream>

#include "mainwindow/open_knot.h"
#include "mainwindow/qt/main_window.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// Dark pixels painted in the cell of the first crossing.
int darkPixelsAtFirstCrossing(MainWindow& w) {
    w.gridView().refresh();
    QApplication::processEvents();
    const Diagram& d = w.form().doc().diagram;
    int r = 0, c = 0;
    Trasforma(d.limiti, d.incroci[1].Riga, d.incroci[1].Colonna, r, c);
    GridControl& g = w.form().vista().Gr;
    g.setTopRow(std::max(1, r - 2));
    g.setLeftCol(std::max(1, c - 2));
    w.gridView().refresh();
    QApplication::processEvents();
    const QImage image = w.gridView().viewport()->grab().toImage();
    return testing::pixelScuri(image, w.gridView().cellRect(r, c), 128);
}

TEST(BoxesWindow, ZoomInAndOutOnACodeKnotAndADrawnKnot) {
    testing::testApp();
    for (const char* nodo : {"Trefoil.gau", "Trefoil.kno"}) {
        SCOPED_TRACE(nodo);
        MainWindow w(TREVALON_SOURCE_DIR);
        w.resize(900, 700);
        w.show();
        QApplication::processEvents();
        ASSERT_TRUE(ApriGen(w.form().contesto(), w.form().vista(),
                            (fs::path(TREVALON_SOURCE_DIR) / "Knots" / nodo).string()));
        const Zoom& c = w.form().vista().zoom;
        // A button that can do nothing at the end of the range is off.
        const auto pulsantiAlLivello = [&] {
            EXPECT_EQ(w.action("Dimensmeno")->isEnabled(), c.LivelloZoom > c.ZoomMin);
            EXPECT_EQ(w.action("Dimenspiu")->isEnabled(), c.LivelloZoom < c.ZoomMax);
        };
        pulsantiAlLivello();
        // Through every level of the knot's range: the cells take the level's size on screen and the
        // tiles are drawn again at that size.
        while (c.LivelloZoom > c.ZoomMin) w.action("Dimensmeno")->trigger();
        for (;;) {
            SCOPED_TRACE(c.LivelloZoom);
            pulsantiAlLivello();
            // Cell edges fall on whole pixels: a cell is the level's size in pixels, rounded either way.
            const double pixels = static_cast<double>(c.DimCella) / kTwipsPerPixel;
            w.gridView().refresh();
            const QRect cell = w.gridView().cellRect(5, 5);
            EXPECT_NEAR(cell.width(), pixels, 1.0);
            EXPECT_NEAR(cell.height(), pixels, 1.0);
            EXPECT_GT(darkPixelsAtFirstCrossing(w), 0);
            if (c.LivelloZoom == c.ZoomMax) break;
            w.action("Dimenspiu")->trigger();
        }
        EXPECT_EQ(c.DimCella, c.ZoomMax == 6 ? 320 : 200);
    }
}

TEST(BoxesWindow, PictureAndPropertyBoxesOpenBesideTheKnotAndCloseWithTheWindow) {
    testing::testApp();
    const fs::path dir =
        fs::temp_directory_path() / ("trevalon_boxes_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau", dir / "k.gau");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "K.PNG").string()), "PNG"));
    std::ofstream(dir / "k.xls") << "not a picture";

    auto w = std::make_unique<MainWindow>(TREVALON_SOURCE_DIR);
    w->resize(900, 700);
    w->show();
    QApplication::processEvents();
    ASSERT_TRUE(ApriGen(w->form().contesto(), w->form().vista(), (dir / "k.gau").string()));

    w->action("Immagine")->trigger();
    QPointer<QDialog> image = w->boxes().imageBox();
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->isVisible());
    EXPECT_FALSE(image->isModal());
    EXPECT_EQ(image->windowTitle().toStdString(), "K.PNG");
    const auto* image1 = image->findChild<QLabel*>("Image1");
    ASSERT_TRUE(image1);
    EXPECT_EQ(image1->pixmap().size(), QSize(40, 30));

    w->action("propr")->trigger();
    QPointer<QDialog> prop = w->boxes().propertyBox();
    ASSERT_TRUE(prop);
    EXPECT_EQ(prop->windowTitle().toStdString(), " Trevalon - k - Step 0   Gauss code");
    // Over the main window's contents, clear of its title bar.
    EXPECT_GE(prop->frameGeometry().top(), w->centralWidget()->mapToGlobal(QPoint(0, 0)).y());
    const auto text = [&](const char* name) {
        const auto* edit = prop->findChild<QPlainTextEdit*>(name);
        return edit ? edit->toPlainText().toStdString() : std::string("(none)");
    };
    EXPECT_EQ(text("txtgau"), "1,-2,3,-1,2,-3");
    EXPECT_EQ(text("txtOrie"), "1,1,1");
    EXPECT_EQ(text("TxtIncr"), "3");
    // Asking again shows a new box in place of the old one.
    w->action("propr")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(prop);
    prop = w->boxes().propertyBox();
    ASSERT_TRUE(prop);

    // A large knot's code is shown whole in its field.
    ASSERT_TRUE(ApriGen(w->form().contesto(), w->form().vista(),
                        (fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau").string()));
    w->action("propr")->trigger();
    QApplication::processEvents();
    prop = w->boxes().propertyBox();
    ASSERT_TRUE(prop);
    auto* gauss = prop->findChild<QPlainTextEdit*>("txtgau");
    ASSERT_TRUE(gauss);
    EXPECT_EQ(gauss->toPlainText().count(','), 2 * 40 - 1);
    prop->show();
    QApplication::processEvents();
    // Every line of the code is within the field: nothing to scroll to.
    EXPECT_EQ(gauss->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(gauss->horizontalScrollBar()->maximum(), 0);

    w->close();
    QApplication::processEvents();
    EXPECT_FALSE(image);
    EXPECT_FALSE(prop);
    fs::remove_all(dir);
}

TEST(BoxesWindow, InfoShowsTheVersionAndClosesWithItsButton) {
    testing::testApp();
    MainWindow w("/tmp/trevalon-missing");
    w.show();
    QApplication::processEvents();
    std::string title, version;
    testing::whenShown<QDialog>([] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); },
                                [&](QDialog* box) {
                                    title = box->windowTitle().toStdString();
                                    if (auto* l = box->findChild<QLabel*>("Label1"))
                                        version = l->text().toStdString();
                                    if (auto* b = box->findChild<QPushButton*>("Command1")) b->click();
                                });
    w.action("info")->trigger();
    EXPECT_EQ(title, "Trevalon");
    EXPECT_EQ(version, "VERSION   4.1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace trevalon
