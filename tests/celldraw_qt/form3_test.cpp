#include "celldraw/qt/form3.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <memory>
#include <set>
#include <string>

#include "platform/headless_ui.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"
#include "reports/qt/frm_report.h"

namespace trevalon {
namespace {

// A stand-in main window: a caption and a grid widget that the viewer hides while it is open.
struct MainStandIn {
    QWidget window;
    QWidget* gridWidget = nullptr;
    GridControl grid;

    MainStandIn() {
        window.setWindowTitle("Trevalon knot - step 1");
        window.resize(800, 600);
        auto* layout = new QVBoxLayout(&window);
        gridWidget = new QWidget(&window);
        layout->addWidget(gridWidget);
        grid.setRows(8);
        grid.setCols(10);
        grid.setPicture(3, 4, PictureRef{PaletteId::Form1, PictureSet::Img, 41});
        grid.setPicture(5, 7, PictureRef{PaletteId::Form1, PictureSet::Img, 3});
        window.show();
        QApplication::processEvents();
    }
};

std::set<std::string> visibleKeys(Form3& f) {
    std::set<std::string> out;
    for (QAction* a : f.toolbar().actions())
        if (a->isVisible()) out.insert(a->data().toString().toStdString());
    return out;
}

class Form3Test : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::testApp();
        mainPtr = std::make_unique<MainStandIn>();
    }
    ScriptedUi ui;
    std::unique_ptr<MainStandIn> mainPtr;
    MainStandIn& main() { return *mainPtr; }

    std::unique_ptr<Form3> viewer(StepViewRequest r, CellDrawingActions actions = {},
                                  StepViewerShared shared = {}) {
        r.mainGrid = &main().grid;
        auto f = std::make_unique<Form3>(r, shared, ui, ui, &main().window, main().gridWidget, &main().grid,
                                         std::move(actions));
        f->show();
        QApplication::processEvents();
        return f;
    }
};

TEST_F(Form3Test, MoveCandidateShowsPictureCopyAndRefusesTitleBarClose) {
    StepViewRequest r;
    r.tipoMossa = MoveKind::I;
    r.message = "curl at crossing 2";
    auto f = viewer(r);
    EXPECT_TRUE(f->isModal());
    EXPECT_FALSE(main().gridWidget->isVisible());
    EXPECT_EQ(f->windowTitle().toStdString(), "Trevalon knot - step 1   Found move I");
    EXPECT_EQ(f->findChild<QLabel*>("lblmsg")->text().toStdString(), "curl at crossing 2");
    EXPECT_EQ(visibleKeys(*f), (std::set<std::string>{"Applica", "s0", "Successivo", "s1", "interrompi", "s2",
                                                      "Dimensmeno", "Dimenspiu"}));
    EXPECT_FALSE(f->action("Applica")->icon().isNull());
    EXPECT_EQ(f->model().Gr3.picture(3, 4).index, 41);
    EXPECT_EQ(f->panelText("p1").toStdString(), "Done");

    // The title bar's close box and Escape are refused with a message; the answer is unchanged.
    f->close();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.get(), &esc);
    QApplication::processEvents();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Click a button", "Click a button"}));

    // "Successivo" closes with no answer and the main grid comes back.
    f->action("Successivo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->model().EsitoDialogo(), ViewerAnswer::None);
    EXPECT_TRUE(main().gridWidget->isVisible());
}

TEST_F(Form3Test, ApplyWithCellDrawingLeavesRefreshAndZoom) {
    int steps = 0;
    CellDrawingActions actions;
    actions.F3GenCelDis = [&] { ++steps; };
    actions.F3DisegnaCelDis = [&](GridControl&) { ++steps; };
    actions.F3SavDis = [&](GridControl&, const RidisegnoInVisore&) -> Result<GridArea> {
        ++steps;
        return GridArea{};
    };
    StepViewRequest r;
    r.tipoMossa = MoveKind::II;
    StepViewerShared shared;
    shared.ModoSorgente = SourceKind::Drawing;
    auto f = viewer(r, actions, shared);
    f->action("Applica")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(steps, 3);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(visibleKeys(*f),
              (std::set<std::string>{"Refresh", "Dimensmeno", "Dimenspiu", "s3", "Migliora"}));
    const int before = f->model().Gr3.colWidth(3);
    f->action("Dimensmeno")->trigger();
    EXPECT_LT(f->model().Gr3.colWidth(3), before);
    f->action("Refresh")->trigger();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->model().EsitoDialogo(), ViewerAnswer::Sel);
}

TEST_F(Form3Test, ModalShowingReturnsTheAnswer) {
    StepViewRequest r;
    r.tipoMossa = MoveKind::III;
    r.tipoPonte = BridgeKind::MoveIII;
    r.mainGrid = &main().grid;
    testing::whenShown<Form3>(
        [&] {
            auto* f = main().window.findChild<Form3*>();
            return f && f->isVisible() ? f : nullptr;
        },
        [](Form3* f) {
            EXPECT_EQ(f->windowTitle().toStdString(), "Trevalon knot - step 1   Found move III");
            f->clickKey("interrompi");
        });
    EXPECT_EQ(
        mostraStepViewer(r, StepViewerShared{}, ui, ui, &main().window, main().gridWidget, &main().grid),
        ViewerAnswer::Int);
    EXPECT_TRUE(main().gridWidget->isVisible());
    EXPECT_EQ(main().window.findChild<Form3*>(), nullptr);  // released after closing
}

TEST_F(Form3Test, PrintPreviewOnlyInTheDeveloperLayoutWithTheViewersDrawing) {
    StepViewRequest r;
    r.tipoMossa = MoveKind::I;
    auto ordinario = viewer(r);
    EXPECT_FALSE(ordinario->action("Stampa")->isVisible());
    EXPECT_FALSE(ordinario->findChild<QPushButton*>("Stampa")->isVisible());
    ordinario->clickKey("Stampa");  // a hidden key prints nothing
    ordinario.reset();

    StepViewerShared dev;
    dev.ModoSviluppo = true;
    auto f = viewer(r, {}, dev);
    auto* stampa = f->findChild<QPushButton*>("Stampa");
    ASSERT_NE(stampa, nullptr);
    EXPECT_TRUE(stampa->isVisible());
    f->model().Command5_Click();
    const int colonna = f->model().ColonnaBaseDis;
    f->model().Gr3.setCols(colonna + 4);
    f->model().Gr3.setPicture(2, colonna + 1, PictureRef{PaletteId::Form1, PictureSet::Img, 5});
    int disegnate = -1;
    std::string titolo;
    testing::whenShown<FrmReport>(
        [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<FrmReport*>(w); p && p->isVisible()) return p;
            return static_cast<FrmReport*>(nullptr);
        },
        [&](FrmReport* p) {
            titolo = p->windowTitle().toStdString();
            const auto& items = p->document().pages().at(0).items;
            if (const auto* b = std::get_if<PageTiles>(&items.back())) disegnate = b->drawnCount();
            p->reject();
        });
    stampa->click();
    EXPECT_EQ(titolo, "Print preview");
    EXPECT_EQ(disegnate, 1);  // the drawing right of the copy of the main grid
    EXPECT_EQ(f->model().ColonnaBaseDis, colonna);
    EXPECT_TRUE(f->isVisible());
}

}  // namespace
}  // namespace trevalon
