#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/disegno_da_codice.h"
#include "celldraw/qt/form3.h"
#include "celldraw/redraw.h"
#include "layout/palette.h"
#include "mainwindow/qt/main_window.h"
#include "mainwindow_qt/window_driver.h"
#include "model/cell_drawing_snapshot.h"
#include "model/step_history.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

// A drawn knot, as the program saves one: the right trefoil with a curl, laid out from its code and kept
// as its cell drawing in a knot file of the "Object=" kind.
std::filesystem::path trifoglioConRiccio() {
    const ts::GaussDiagram g = ts::addCurl(ts::diagramOf(ts::namedKnot("trefoil_right")), 2, true, 1);
    fixture::Disegnato dis;
    EXPECT_TRUE(dis.costruisci(ts::gaussText(g), ts::lettersText(g)));
    auto tblGen = std::make_unique<CellDrawing>();
    EXPECT_TRUE(F3GenCelDis(*tblGen, *dis.d, dis.tbltt, false).ok());
    const auto cartella =
        std::filesystem::temp_directory_path() / ("trevalon_viewer_window_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    const auto file = cartella / "CurlTrefoil.kno";
    std::ofstream(file, std::ios::binary) << "Object=" << serializzaCelDis(*tblGen) << "\r\n";
    return file;
}

std::set<std::string> tastiVisibili(Form3& f) {
    std::set<std::string> out;
    for (QAction* a : f.toolbar().actions())
        if (a->isVisible() && !a->objectName().isEmpty() && a->objectName()[0] != 's')
            out.insert(a->objectName().toStdString());
    return out;
}

int immagini(const GridControl& g) {
    int n = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) n += g.picture(r, c).empty() ? 0 : 1;
    return n;
}

// The pixels of the viewer's grid painted in a strong colour, as the person sees them: the candidate's red
// and green tiles.
int pixelColorati(GridView& v) {
    const QImage image = v.viewport()->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.saturation() > 150 && c.value() > 100 ? 1 : 0;
        }
    return n;
}

// True when the whole area (or, for an area larger than the view, its first cell) is painted in the
// viewer's grid as it stands on screen.
bool inVista(Form3& f, const GridArea& a) {
    const QRect vista = f.gr3().viewport()->rect();
    const QRect primo = f.gr3().cellRect(a.r0, a.c0);
    const QRect ultimo = f.gr3().cellRect(a.r1, a.c1);
    if (primo.isEmpty() || !vista.contains(primo.center())) return false;
    // The far end shown, or an area larger than the view shown from its start at the view's edge.
    const QPoint fine = ultimo.isEmpty() ? primo.center() : ultimo.center();
    const bool x = fine.x() <= vista.right() || primo.left() <= 2 * primo.width();
    const bool y = fine.y() <= vista.bottom() || primo.top() <= 2 * primo.height();
    return x && y;
}

// Every picture of the viewer's grid, row by row.
std::vector<PictureRef> quadro(const GridControl& g) {
    std::vector<PictureRef> out;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) out.push_back(g.picture(r, c));
    return out;
}

// The cells of the changed place the viewer shows (its green tiles within the area it keeps in view), each
// whole inside the part of the grid on screen; 0 when one is not, -1 when there is none.
int cambiateInVista(Form3& f) {
    QApplication::processEvents();
    f.gr3().refresh();
    const GridArea a = f.model().areaMostrata();
    const GridControl& g = f.model().Gr3;
    const QRect vista = f.gr3().viewport()->rect();
    int n = 0;
    for (int r = std::max(a.r0, 0); r <= a.r1 && r < g.rows(); ++r)
        for (int c = std::max(a.c0, 0); c <= a.c1 && c < g.cols(); ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty() || coloreImmagine(p) != TileColour::Green) continue;
            if (!vista.contains(f.gr3().cellRect(r, c))) return 0;
            ++n;
        }
    return n > 0 ? n : -1;
}

// The changed place stands in the middle of the view, or the view starts at the grid's start on a side
// where the place lies too near it to be centred, or every drawing is in view whole.
bool cambiateAlCentro(Form3& f) {
    const GridArea a = f.model().areaMostrata();
    const GridControl& g = f.model().Gr3;
    const QRect vista = f.gr3().viewport()->rect();
    const QRect luogo = f.gr3().cellRect(a.r0, a.c0).united(f.gr3().cellRect(a.r1, a.c1));
    if (luogo.isEmpty()) return false;
    const int cella = std::max(2, f.gr3().cellRect(a.r0, a.c0).width());
    const bool x = std::abs(luogo.center().x() - vista.center().x()) <= cella || g.leftCol() <= 1;
    const bool y = std::abs(luogo.center().y() - vista.center().y()) <= cella || g.topRow() <= 1;
    return x && y;
}

// What the person saw and did in one showing of the step viewer.
struct Visto {
    bool mostrato = false;
    std::string didascalia, didascaliaEsito;
    std::set<std::string> tastiPrima, tastiDopo, tastiDopoMigliora;
    bool esitoInVista = false;
    int coloratiCandidato = 0;
    int immaginiPrima = 0, immaginiDopo = 0, immaginiMigliora = 0;
    std::string p2;
    bool domandaMigliora = false;
    // The viewer's pictures after "Applica" and after "Migliora".
    std::vector<PictureRef> quadroEsito, quadroMigliora;
    int colonne = 0;
    bool miglioratoInVista = false;  // the place the viewer keeps in view after "Migliora" is on screen
    // The changed place after "Applica": green cells inside the view (cambiateInVista), at every zoom level
    // reached by "Zoom out" and back by "Zoom in", and in the middle each time.
    std::vector<int> cambiateViste;
    bool sempreAlCentro = true;
    bool zoomAlLimite = true;  // each zoom button off exactly at its end of the range
};

// Answers the step viewer as a person: looks at the candidate, "Applica", then (when asked) "Migliora"
// with Yes to its question, then "Refresh".
void rispondiAlVisore(Visto& v, bool migliora) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto* tentativi = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tentativi, &v, migliora] {
        QWidget* modale = QApplication::activeModalWidget();
        auto* f = qobject_cast<Form3*>(modale);
        if (!f || !f->isVisible() || v.mostrato) {
            if (++*tentativi > 6000 || v.mostrato) {
                timer->stop();
                timer->deleteLater();
                delete tentativi;
            }
            return;
        }
        v.mostrato = true;
        QApplication::processEvents();
        v.didascalia = f->windowTitle().toStdString();
        v.tastiPrima = tastiVisibili(*f);
        v.coloratiCandidato = pixelColorati(f->gr3());
        v.immaginiPrima = immagini(f->model().Gr3);
        f->action("Applica")->trigger();
        QApplication::processEvents();
        v.didascaliaEsito = f->windowTitle().toStdString();
        v.tastiDopo = tastiVisibili(*f);
        v.esitoInVista = inVista(*f, f->model().areaMostrata());
        v.immaginiDopo = immagini(f->model().Gr3);
        v.p2 = f->panelText("p2").toStdString();
        v.quadroEsito = quadro(f->model().Gr3);
        v.colonne = f->model().Gr3.cols();
        const auto guarda = [&v, f] {
            const Zoom& z = f->model().shared().zoom;
            v.zoomAlLimite = v.zoomAlLimite &&
                             f->action("Dimensmeno")->isEnabled() == (z.LivelloZoom > z.ZoomMin) &&
                             f->action("Dimenspiu")->isEnabled() == (z.LivelloZoom < z.ZoomMax);
            v.cambiateViste.push_back(cambiateInVista(*f));
            v.sempreAlCentro = v.sempreAlCentro && cambiateAlCentro(*f);
        };
        guarda();
        for (const char* zoom : {"Dimensmeno", "Dimensmeno", "Dimenspiu", "Dimenspiu"}) {
            if (!f->action(zoom)->isEnabled()) continue;
            f->action(zoom)->trigger();
            guarda();
        }
        if (migliora && f->action("Migliora")->isVisible()) {
            // The question is answered from a timer of its own: this one is still running.
            testing::whenShown<QMessageBox>(
                [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                [&v](QMessageBox* box) {
                    v.domandaMigliora = box->text().startsWith("This action modifies the layout.");
                    if (QAbstractButton* si = box->button(QMessageBox::Yes))
                        si->click();
                    else
                        box->reject();
                });
            f->action("Migliora")->trigger();
            QApplication::processEvents();
            v.tastiDopoMigliora = tastiVisibili(*f);
            v.immaginiMigliora = immagini(f->model().Gr3);
            v.quadroMigliora = quadro(f->model().Gr3);
            f->gr3().refresh();
            v.miglioratoInVista = inVista(*f, f->model().areaMostrata());
        }
        f->action("Refresh")->trigger();
    });
    timer->start();
}

struct FinestraProva {
    QApplication& app = testing::testApp();
    MainWindow w{TREVALON_SOURCE_DIR};
    FinestraProva() {
        w.resize(1200, 900);
        w.show();
        QApplication::processEvents();
    }
    std::vector<PictureRef> griglia() const {
        const GridControl& g = const_cast<MainWindow&>(w).form().vista().Gr;
        std::vector<PictureRef> out;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c) out.push_back(g.picture(r, c));
        return out;
    }
};

// A drawn knot through the real main window and step viewer: "Find moves I", "Applica" redraws the curl
// away beside the picture, "Migliora" (asked once, Yes) tidies it again right of it, "Refresh" makes that
// drawing the next step, "Undo" brings the first picture back.
TEST(ViewerWindow, ADrawnKnotsMoveIsRedrawnTidiedAppliedAndUndone) {
    testing::testApp();
    const std::filesystem::path file = trifoglioConRiccio();
    FinestraProva p;
    MainWindow& w = p.w;
    testing::apriConDialogo(w, file);
    ASSERT_EQ(w.windowTitle().toStdString(), " Trevalon - CurlTrefoil - Step 0");
    ASSERT_EQ(w.form().doc().diagram.NumIncroci, 4);
    const std::vector<PictureRef> prima = p.griglia();

    Visto v;
    rispondiAlVisore(v, true);
    w.action("m1")->trigger();
    QApplication::processEvents();

    ASSERT_TRUE(v.mostrato);
    EXPECT_EQ(v.didascalia, " Trevalon - CurlTrefoil - Step 0   Found move I");
    EXPECT_EQ(v.tastiPrima,
              (std::set<std::string>{"Applica", "Successivo", "interrompi", "Dimensmeno", "Dimenspiu"}));
    EXPECT_GT(v.coloratiCandidato, 0);
    EXPECT_EQ(v.didascaliaEsito, " Trevalon - CurlTrefoil - Step 1   Outcome of move I");
    EXPECT_EQ(v.tastiDopo, (std::set<std::string>{"Refresh", "Dimensmeno", "Dimenspiu", "Migliora"}));
    EXPECT_EQ(v.p2.rfind("Time Application move sec.", 0), 0u) << v.p2;
    EXPECT_TRUE(v.esitoInVista);
    EXPECT_GT(v.immaginiDopo, v.immaginiPrima);
    EXPECT_TRUE(v.domandaMigliora);
    EXPECT_EQ(v.tastiDopoMigliora, (std::set<std::string>{"Refresh", "Dimensmeno", "Dimenspiu"}));
    EXPECT_GT(v.immaginiMigliora, v.immaginiDopo);

    // The main window shows the redrawn step, kept as its drawing.
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - CurlTrefoil - Step 1");
    EXPECT_EQ(w.form().doc().storia.NumStato, 1);
    EXPECT_EQ(w.form().doc().storia.passo(1).Tipo, GenMode::CellDrawing);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 3);
    // The tidied drawing that became the step shows each of its crossings as one.
    auto passo = std::make_unique<CellDrawing>();
    ASSERT_TRUE(deserializzaCelDis(*passo, w.form().doc().storia.passo(1).TblGenSer));
    const UsedArea usata = passo->usata();
    passo->limiti = LimitiDis{usata.r1, usata.c1, usata.r0, usata.c0};
    EXPECT_EQ(contaIncrociCelDis(*passo), 3);
    EXPECT_TRUE(incrociDistinti(*passo));
    EXPECT_NE(p.griglia(), prima);
    EXPECT_TRUE(w.gridView().isVisible());
    EXPECT_EQ(w.form().contesto().ctx.ConfermaMigliora, 1);

    w.action("Undo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - CurlTrefoil - Step 0");
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 4);
    EXPECT_EQ(p.griglia(), prima);
    EXPECT_EQ(w.form().contesto().ctx.ConfermaMigliora, 0);  // the question comes back after an undo
}

// On a large diagram from a code the viewer opens on the candidate and shows the redrawn drawing after
// "Applica", wherever they stand in its grid.
TEST(ViewerWindow, OnALargeDiagramTheCandidateAndTheOutcomeAreInView) {
    FinestraProva p;
    MainWindow& w = p.w;
    const auto file =
        std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" / "braid_100.gau";
    testing::apriConDialogo(w, file);
    ASSERT_EQ(w.form().doc().diagram.NumIncroci, 100);
    Visto v;
    rispondiAlVisore(v, false);
    w.action("m2")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(v.mostrato);
    EXPECT_GT(v.coloratiCandidato, 0);
    EXPECT_TRUE(v.esitoInVista) << v.p2;
    EXPECT_EQ(v.tastiDopo, (std::set<std::string>{"Refresh", "Dimensmeno", "Dimenspiu"}));
    EXPECT_EQ(w.form().doc().storia.NumStato, 1);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 98);
}

// "Migliora" leaves the approved picture as it was, cell by cell: the tidied drawing only adds pictures,
// right of every picture that was there. Cells of the approved picture that changed, or new pictures among
// the old ones, are what the person saw as a garbled drawing.
void miglioraLasciaLEsito(const Visto& v) {
    ASSERT_FALSE(v.quadroEsito.empty());
    ASSERT_EQ(v.quadroMigliora.size(), v.quadroEsito.size()) << "the grid's size changed";
    const int colonne = v.colonne;
    int ultima = 0;
    for (std::size_t i = 0; i < v.quadroEsito.size(); ++i)
        if (!v.quadroEsito[i].empty()) ultima = std::max(ultima, static_cast<int>(i) % colonne);
    int cambiate = 0, nuoveDentro = 0, nuove = 0;
    for (std::size_t i = 0; i < v.quadroEsito.size(); ++i) {
        const PictureRef& prima = v.quadroEsito[i];
        const PictureRef& dopo = v.quadroMigliora[i];
        if (!prima.empty() && !(prima == dopo)) ++cambiate;
        if (prima.empty() && !dopo.empty()) {
            ++nuove;
            if (static_cast<int>(i) % colonne <= ultima) ++nuoveDentro;
        }
    }
    EXPECT_EQ(cambiate, 0);
    EXPECT_EQ(nuoveDentro, 0);
    EXPECT_GT(nuove, 0);  // the tidied drawing, to the right
}

// The drawings in a picture of the viewer's grid (`colonne` cells a row): each run of columns holding
// pictures, as its first and last column.
std::vector<std::pair<int, int>> disegniDelQuadro(const std::vector<PictureRef>& q, int colonne) {
    std::vector<std::pair<int, int>> out;
    for (int c = 0; c < colonne; ++c) {
        bool piena = false;
        for (std::size_t i = static_cast<std::size_t>(c); i < q.size() && !piena;
             i += static_cast<std::size_t>(colonne))
            piena = !q[i].empty();
        if (!piena) continue;
        if (!out.empty() && out.back().second == c - 1)
            out.back().second = c;
        else
            out.emplace_back(c, c);
    }
    return out;
}

// "Migliora" on a move that leaves a trivial knot: the unknot drawn with two curls and saved by the
// program, "Find moves", the move I applied (two crossings are left), "Redraw diagram" and Yes. The
// candidate, the approved outcome and, after an arrow, the tidied drawing stand side by side, the first two
// as they were; "Next step" records the tidied drawing, the trivial knot.
TEST(ViewerWindow, MiglioraOnAMoveThatLeavesATrivialKnotKeepsTheApprovedDrawing) {
    FinestraProva p;
    MainWindow& w = p.w;
    testing::apriConDialogo(
        w, std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "drawn" / "UnknotCurls_S1.kno");
    ASSERT_EQ(w.windowTitle().toStdString(), " Trevalon - UnknotCurls_S1 - Step 0");
    ASSERT_EQ(w.form().doc().diagram.NumIncroci, 3);
    Visto v;
    rispondiAlVisore(v, true);
    w.action("m3b")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(v.mostrato);
    EXPECT_EQ(v.didascalia, " Trevalon - UnknotCurls_S1 - Step 0   Found move I");
    EXPECT_EQ(v.didascaliaEsito, " Trevalon - UnknotCurls_S1 - Step 1   Outcome of move I");
    ASSERT_TRUE(v.domandaMigliora);
    const std::vector<std::pair<int, int>> esito = disegniDelQuadro(v.quadroEsito, v.colonne);
    const std::vector<std::pair<int, int>> migliorato = disegniDelQuadro(v.quadroMigliora, v.colonne);
    EXPECT_EQ(esito.size(), 2u) << "the candidate and the approved outcome";
    ASSERT_EQ(migliorato.size(), 3u) << "the candidate, the approved outcome and the tidied drawing";
    EXPECT_EQ(migliorato[0], esito.at(0));
    EXPECT_EQ(migliorato[1], esito.at(1));
    miglioraLasciaLEsito(v);
    EXPECT_TRUE(v.miglioratoInVista);
    EXPECT_EQ(w.form().doc().storia.NumStato, 1);
    EXPECT_EQ(w.form().doc().storia.passo(1).Tipo, GenMode::CellDrawing);
    EXPECT_EQ(w.form().doc().storia.passo(1).Ori.size(), 2u);
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - UnknotCurls_S1 - Step 1 - TRIVIAL KNOT");
}

// A drawn knot as the person makes one: a knot from a code, a move applied in the viewer, and the step
// saved with "Save" (picked in the real save dialog): the program saves it as its drawing.
std::filesystem::path disegnoSalvato(const char* nodo, const char* ricerca, const char* nome, int incroci) {
    FinestraProva p;
    MainWindow& w = p.w;
    testing::apriConDialogo(w, std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / nodo);
    Visto v;
    rispondiAlVisore(v, false);
    w.action(ricerca)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(v.mostrato);
    EXPECT_EQ(w.form().doc().storia.NumStato, 1);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, incroci);
    EXPECT_EQ(w.form().doc().storia.passo(1).Tipo, GenMode::CellDrawing);
    const auto cartella =
        std::filesystem::temp_directory_path() / ("trevalon_viewer_window_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    const auto file = cartella / nome;
    std::filesystem::remove(file);
    testing::scegliNelDialogo(file, [&w] { w.action("Salva")->trigger(); });
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
    return file;
}

// The outcome of "Applica" on drawn knots, the program's own drawings: its changed place is green, whole in
// view and in the middle of it at every zoom; "Migliora" then leaves that picture as it is.
TEST(ViewerWindow, OnDrawnKnotsTheOutcomeIsInViewAndMiglioraKeepsIt) {
    testing::testApp();
    const std::vector<std::pair<std::filesystem::path, int>> disegni = {
        {trifoglioConRiccio(), 4},
        {disegnoSalvato("Unknot40.gau", "m3", "Unknot40_move3.kno", 38), 38},
    };
    for (const auto& [file, incroci] : disegni) {
        SCOPED_TRACE(file.filename().string());
        FinestraProva p;
        MainWindow& w = p.w;
        testing::apriConDialogo(w, file);
        ASSERT_EQ(w.form().doc().diagram.NumIncroci, incroci);
        Visto v;
        rispondiAlVisore(v, true);
        w.action("m1")->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(v.mostrato);
        ASSERT_FALSE(v.cambiateViste.empty());
        for (int n : v.cambiateViste) EXPECT_GT(n, 0);
        EXPECT_TRUE(v.sempreAlCentro);
        EXPECT_TRUE(v.zoomAlLimite);
        ASSERT_TRUE(v.domandaMigliora);
        miglioraLasciaLEsito(v);
        EXPECT_EQ(w.form().doc().storia.NumStato, 1);
        EXPECT_LT(w.form().doc().diagram.NumIncroci, incroci);
    }
}

// On a large knot from a code the changed place of the outcome is green, in view and in the middle of it,
// also after zooming out and in again.
TEST(ViewerWindow, OnALargeKnotTheChangedPlaceStaysInTheMiddleThroughTheZoom) {
    FinestraProva p;
    MainWindow& w = p.w;
    testing::apriConDialogo(
        w, std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" / "braid_100.gau");
    Visto v;
    rispondiAlVisore(v, false);
    w.action("m2")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(v.mostrato);
    ASSERT_GE(v.cambiateViste.size(), 3u);
    for (int n : v.cambiateViste) EXPECT_GT(n, 0);
    EXPECT_TRUE(v.sempreAlCentro);
}

}  // namespace
}  // namespace trevalon
