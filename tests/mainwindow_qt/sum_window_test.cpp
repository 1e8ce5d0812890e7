// "Find connected sum" met as a person meets it: the real main window, its stop frame, the step viewer
// and the save dialog, on a knot from a Gauss code, a drawn knot and a large diagram.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/disegno_da_codice.h"
#include "celldraw/qt/form3.h"
#include "layout/render_grid.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/qt/main_window.h"
#include "mainwindow_qt/window_driver.h"
#include "model/cell_drawing_snapshot.h"
#include "platform_qt/qt_app.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = trevalon::testsupport;

fs::path cartellaProva() {
    const fs::path c = fs::temp_directory_path() / ("trevalon_sum_window_" + std::to_string(::getpid()));
    fs::create_directories(c);
    return c;
}

// The granny knot as a drawn knot file, as the program saves one: laid out from its code and kept as its
// cell drawing.
fs::path grannyDisegnata() {
    const ts::NamedKnot k = ts::namedKnot("granny");
    fixture::Disegnato dis;
    EXPECT_TRUE(dis.costruisci(k.gauss, k.letters));
    auto tblGen = std::make_unique<CellDrawing>();
    EXPECT_TRUE(F3GenCelDis(*tblGen, *dis.d, dis.tbltt, false).ok());
    const fs::path file = cartellaProva() / "GrannyDrawn.kno";
    std::ofstream(file, std::ios::binary) << "Object=" << serializzaCelDis(*tblGen) << "\r\n";
    return file;
}

// What the person saw: the captions of the step viewer in order, its "Salva" shown or not, the messages.
struct Visto {
    std::vector<std::string> didascalie;
    std::vector<bool> salvaVisibile;
    std::vector<std::string> messaggi;
    bool toolbarSpentoDurante = true;
};

// Answers every modal window as a person: the viewer with the keys of `tasti` in turn, the save dialog
// with the next name of `nomi`, a message box with OK. Runs until `fine` is set.
class Persona {
  public:
    Persona(MainWindow& w, std::vector<std::string> tasti, std::vector<fs::path> nomi, Visto& v,
            std::function<void(Form3&)> guarda = {})
        : w_(w), tasti_(std::move(tasti)), nomi_(std::move(nomi)), v_(v), guarda_(std::move(guarda)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { passo(); });
        timer_.start();
    }

  private:
    void passo() {
        if (w_.commandRunning() && w_.toolbar().isEnabled() && !QApplication::activeModalWidget())
            v_.toolbarSpentoDurante = false;
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale || !modale->isVisible()) return;
        if (auto* f = qobject_cast<Form3*>(modale)) {
            v_.didascalie.push_back(f->windowTitle().toStdString());
            v_.salvaVisibile.push_back(f->action("Salva") && f->action("Salva")->isVisible());
            if (guarda_) {
                QApplication::processEvents();
                guarda_(*f);
            }
            const std::string tasto = tasti_.empty() ? std::string("interrompi") : tasti_.front();
            if (!tasti_.empty()) tasti_.erase(tasti_.begin());
            QAction* a = f->action(tasto);
            if (a && a->isVisible())
                a->trigger();
            else
                static_cast<QDialog*>(f)->reject();
            return;
        }
        if (auto* d = qobject_cast<QFileDialog*>(modale)) {
            const fs::path nome = nomi_.empty() ? fs::path() : nomi_.front();
            if (!nomi_.empty()) nomi_.erase(nomi_.begin());
            if (nome.empty()) {
                d->reject();
                return;
            }
            if (auto* e = d->findChild<QLineEdit*>("fileNameEdit"))
                e->setText(QString::fromStdString(nome.string()));
            else
                d->selectFile(QString::fromStdString(nome.string()));
            static_cast<QDialog*>(d)->accept();
            return;
        }
        if (auto* m = qobject_cast<QMessageBox*>(modale)) {
            v_.messaggi.push_back(m->text().toStdString());
            m->accept();
            return;
        }
        if (auto* altro = qobject_cast<QDialog*>(modale)) altro->reject();
    }
    MainWindow& w_;
    std::vector<std::string> tasti_;
    std::vector<fs::path> nomi_;
    Visto& v_;
    std::function<void(Form3&)> guarda_;
    QTimer timer_;
};

struct Finestra {
    QApplication& app = testing::testApp();
    testing::FinestraOsservata w{TREVALON_SOURCE_DIR};
    Finestra() {
        w.resize(1200, 900);
        w.show();
        QApplication::processEvents();
    }
    std::vector<PictureRef> griglia() {
        const GridControl& g = w.form().vista().Gr;
        std::vector<PictureRef> out;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c) out.push_back(g.picture(r, c));
        return out;
    }
};

// The granny knot from its Gauss code and as a drawn knot: the junction is found and shown, "Applica"
// splits it, both summands are shown and saved, the diagram is back as it was, and each saved summand opens
// again as a trefoil, both of one hand.
TEST(SumWindow, TheGrannyIsSplitIntoTwoTrefoilsThatAreSavedAndOpenAgain) {
    for (const fs::path& knot : {fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Granny.gau", grannyDisegnata()}) {
        SCOPED_TRACE(knot.string());
        Finestra f;
        testing::apriConDialogo(f.w, knot);
        ASSERT_EQ(f.w.form().doc().diagram.NumIncroci, 6);
        ASSERT_TRUE(f.w.action("compcon")->isEnabled());
        const std::vector<PictureRef> prima = f.griglia();
        const Diagram& d = f.w.form().doc().diagram;
        const LimitiNodo limiti = d.limiti;

        const fs::path s1 = cartellaProva() / (knot.stem().string() + "_one.kno");
        const fs::path s2 = cartellaProva() / (knot.stem().string() + "_two.kno");
        fs::remove(s1);
        fs::remove(s2);
        Visto v;
        {
            Persona p(f.w, {"Applica", "Salva", "Salva"}, {s1, s2}, v);
            f.w.action("compcon")->trigger();
            QApplication::processEvents();
        }
        ASSERT_EQ(v.didascalie.size(), 3u);
        EXPECT_NE(v.didascalie[0].find("Found connected sum"), std::string::npos) << v.didascalie[0];
        EXPECT_NE(v.didascalie[1].find("First diagram of connected sum"), std::string::npos);
        EXPECT_NE(v.didascalie[2].find("Second diagram of connected sum"), std::string::npos);
        EXPECT_TRUE(v.salvaVisibile[1]);
        EXPECT_TRUE(v.salvaVisibile[2]);
        EXPECT_TRUE(v.messaggi.empty()) << v.messaggi.front();
        EXPECT_TRUE(v.toolbarSpentoDurante);
        // The split ends without a message and the whole diagram is back, drawn as before.
        EXPECT_TRUE(f.w.toolbar().isEnabled());
        EXPECT_TRUE(f.w.action("compcon")->isEnabled());
        EXPECT_EQ(d.limiti.RigaMin, limiti.RigaMin);
        EXPECT_EQ(d.limiti.ColMax, limiti.ColMax);
        EXPECT_EQ(f.griglia(), prima);
        EXPECT_EQ(f.w.panel("p1"), "Done");

        // Both summands of a granny are trefoils of one hand.
        const ts::NamedKnot destro = ts::namedKnot("trefoil_right"), sinistro = ts::namedKnot("trefoil_left");
        std::vector<bool> mani;
        for (const fs::path& s : {s1, s2}) {
            ASSERT_TRUE(fs::exists(s)) << s;
            testing::apriConDialogo(f.w, s);
            const Diagram& addendo = f.w.form().doc().diagram;
            EXPECT_EQ(addendo.NumIncroci, 3) << s;
            const bool d1 = ts::sameKnot(addendo.txtNodo, addendo.TxtOri, destro.gauss, destro.letters);
            const bool s1x = ts::sameKnot(addendo.txtNodo, addendo.TxtOri, sinistro.gauss, sinistro.letters);
            EXPECT_TRUE(d1 || s1x) << s << ": " << addendo.txtNodo << " " << addendo.TxtOri;
            mani.push_back(d1);
        }
        EXPECT_EQ(mani.size(), 2u);
        if (mani.size() == 2) {
            EXPECT_EQ(mani[0], mani[1]);
        }
    }
}

// A prime knot has no connected sum: the search says so, and then the toolbar is live again.
TEST(SumWindow, APrimeKnotHasNoConnectedSum) {
    for (const char* nome : {"Trefoil.kno", "FigureEight.gau", "5_2.gau"}) {
        SCOPED_TRACE(nome);
        Finestra f;
        testing::apriConDialogo(f.w, fs::path(TREVALON_SOURCE_DIR) / "Knots" / nome);
        Visto v;
        {
            Persona p(f.w, {}, {}, v);
            f.w.action("compcon")->trigger();
            QApplication::processEvents();
        }
        EXPECT_TRUE(v.didascalie.empty());
        EXPECT_EQ(v.messaggi, std::vector<std::string>{"No connected sum was found"});
        EXPECT_TRUE(f.w.toolbar().isEnabled());
    }
}

// The pixels of the viewer's grid as the person sees them that are grey, or dark or red (a summand).
int pixelDi(Form3& f, bool grigi) {
    const QImage image = f.gr3().viewport()->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool grigio = c.saturation() < 30 && c.value() > 90 && c.value() < 200;
            const bool tratto = c.value() < 60 || (c.saturation() > 150 && c.red() > 150 && c.green() < 80);
            n += (grigi ? grigio : tratto) ? 1 : 0;
        }
    return n;
}

// On a diagram larger than the viewer, the viewer opens on the two grey cut arcs of the sum, and then on
// each summand drawn right of the diagram.
TEST(SumWindow, OnALargeDiagramTheCutArcsAndEachSummandAreInView) {
    Finestra f;
    const ts::GaussDiagram g =
        ts::connectedSum(ts::randomBraidKnot(5, 4, 110), ts::randomBraidKnot(9, 4, 110));
    const fs::path knot = cartellaProva() / "LargeSumView.gau";
    std::ofstream(knot, std::ios::binary) << ts::gauFileText(g);
    ASSERT_TRUE(ApriGau(f.w.form().contesto(), f.w.form().vista(), knot.string()));
    const int colonnaDopo = OffsetCol + f.w.form().doc().diagram.limiti.ColMax;
    Visto v;
    std::vector<int> grigi, tratti;
    std::vector<GridArea> aree;
    {
        Persona p(f.w, {"Applica", "Successivo", "Successivo"}, {}, v, [&](Form3& viewer) {
            grigi.push_back(pixelDi(viewer, true));
            tratti.push_back(pixelDi(viewer, false));
            aree.push_back(viewer.model().areaMostrata());
        });
        f.w.action("compcon")->trigger();
        QApplication::processEvents();
    }
    ASSERT_EQ(v.didascalie.size(), 3u);
    EXPECT_GT(grigi[0], 20) << "the cut arcs are not in view";
    for (int i : {1, 2}) {
        EXPECT_GT(aree[i].c0, colonnaDopo) << i;
        EXPECT_GT(tratti[i], 200) << "summand " << i << " is not in view";
    }
    // Each summand of a sum of two prime knots is closed and can be saved.
    EXPECT_TRUE(v.salvaVisibile[1]);
    EXPECT_TRUE(v.salvaVisibile[2]);
}

// On a large composite diagram the search shows its stop frame with "Cancel" and keeps the window
// responsive; "Find next connected sum" passes a sum over, "Cancel" ends the search at once (in a few
// passes of the event loop) and silently.
// The search goes through the pairs of arcs up to its first sum in a few milliseconds, sooner than the
// window is due to serve its events (every 10 ms): what keeps the window responsive on any diagram is that
// every pass of the search (one first arc with all the second arcs) offers the window its events. So the
// passes are counted (by the progress dots, one per 20 passes) and so are the offers; that the offers are
// served is watched on the long horizontal search (quick_window_test).
TEST(SumWindow, CancelEndsTheSearchOnALargeDiagram) {
    Finestra f;
    const ts::GaussDiagram g =
        ts::connectedSum(ts::randomBraidKnot(5, 4, 110), ts::randomBraidKnot(9, 4, 110));
    const fs::path knot = cartellaProva() / "LargeSum.gau";
    std::ofstream(knot, std::ios::binary) << ts::gauFileText(g);
    ASSERT_TRUE(ApriGau(f.w.form().contesto(), f.w.form().vista(), knot.string()));
    ASSERT_GE(f.w.form().doc().diagram.NumIncroci, 200);

    Visto v;
    bool premuto = false;
    // Counted in the boxes too: a search that went on would show the sums it finds.
    testing::PassiDelCiclo dopo([&] { return premuto && f.w.commandRunning(); });
    QTimer guarda;
    guarda.setInterval(10);
    QObject::connect(&guarda, &QTimer::timeout, [&] {
        auto* frame = f.w.findChild<QFrame*>("Frame3");
        if (!premuto && f.w.commandRunning() && frame && frame->isVisible()) {
            premuto = true;
            f.w.findChild<QPushButton*>("Command15")->click();
        }
    });
    f.w.azzeraConti();
    {
        Persona p(f.w, {"Successivo", "Successivo", "Successivo", "Successivo"}, {}, v);
        guarda.start();
        f.w.runCommand("compcon");
        guarda.stop();
    }
    ASSERT_TRUE(premuto) << "the search never showed its stop frame";
    ::testing::Test::RecordProperty("passes_to_end", std::to_string(dopo.passi()));
    EXPECT_LT(dopo.passi(), testing::kPassiFinoAllaFine);
    // Every pass of the search offered the window its events. (A search that did not would only see
    // "Cancel" once it shows its first sum, after some hundreds of passes.)
    ::testing::Test::RecordProperty("passes", std::to_string(f.w.passiAlmeno()));
    ::testing::Test::RecordProperty("offers", std::to_string(f.w.offerte()));
    EXPECT_GE(f.w.offerte(), f.w.passiAlmeno())
        << "passes of the search that did not offer the window its events";
    EXPECT_TRUE(v.messaggi.empty()) << v.messaggi.front();
    EXPECT_FALSE(f.w.findChild<QFrame*>("Frame3")->isVisible());
    EXPECT_FALSE(f.w.form().contesto().RichiestaStop.richiesta());
    EXPECT_TRUE(f.w.toolbar().isEnabled());
    EXPECT_TRUE(f.w.action("compcon")->isEnabled());
}

// Sums as a user brings them, scrambled by random moves so that strands of one summand run across the
// other, and a scrambled prime: whichever of the first pairs shown is applied, every summand shown with
// "Salva" is saved, and the knots of the two saved summands multiply to the whole knot (a prime gives the
// prime and a drawing of the unknot).
TEST(SumWindow, OnScrambledDiagramsOnlyTrueSummandsCanBeSaved) {
    const std::vector<ts::ScrambledCase> casi = {
        ts::scrambledSum({"trefoil_right", "4_1"}, {false, true}, 11, 70),
        ts::scrambledSum({"5_2", "8_19"}, {true, false}, 12, 90),
        ts::scrambledSum({"7_1"}, {false}, 13, 80),
    };
    int divisioni = 0;
    for (const ts::ScrambledCase& c : casi) {
        Finestra f;
        const fs::path knot = cartellaProva() / "Scrambled.gau";
        std::ofstream(knot, std::ios::binary) << ts::gauFileText(c.diagram);
        const fs::path s1 = cartellaProva() / "Scrambled_one.kno", s2 = cartellaProva() / "Scrambled_two.kno";
        for (std::size_t passate = 0; passate < 4; ++passate) {
            SCOPED_TRACE(c.name + ", pairs passed over: " + std::to_string(passate));
            testing::apriConDialogo(f.w, knot);
            fs::remove(s1);
            fs::remove(s2);
            std::vector<std::string> tasti(passate, "Successivo");
            tasti.insert(tasti.end(), {"Applica", "Salva", "Salva"});
            Visto v;
            {
                Persona p(f.w, tasti, {s1, s2}, v);
                f.w.action("compcon")->trigger();
                QApplication::processEvents();
            }
            if (v.didascalie.size() != passate + 3) break;  // fewer pairs than that
            ++divisioni;
            std::vector<ts::GaussDiagram> addendi;
            for (std::size_t i : {passate + 1, passate + 2}) {
                const fs::path& file = i == passate + 1 ? s1 : s2;
                EXPECT_EQ(fs::exists(file), v.salvaVisibile[i]) << i;
                if (!fs::exists(file)) continue;
                testing::apriConDialogo(f.w, file);
                const Diagram& d = f.w.form().doc().diagram;
                addendi.push_back(ts::diagramOf(d.txtNodo, d.TxtOri));
            }
            ASSERT_EQ(addendi.size(), 2u) << "a summand of a proven sum could not be closed";
            EXPECT_TRUE(ts::isConnectedSumOf(c.diagram, addendi));
        }
    }
    EXPECT_GE(divisioni, 6);
}

}  // namespace
}  // namespace trevalon
