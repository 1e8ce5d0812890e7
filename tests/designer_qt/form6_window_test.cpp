#include "designer/qt/form6.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "designer/qt/picture_decoder.h"
#include "mainwindow/qt/main_window.h"
#include "platform/text.h"
#include "platform_qt/qt_app.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for each test.
fs::path cartellaProva(const std::string& nome) {
    const fs::path p = fs::temp_directory_path() / ("trevalon_designer_qt_" + nome + "_" +
                                                    std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

// Answers the modal windows that open while `azione` runs, as a person would: each one is handed to
// `risposta`, which acts on it (queued, so that a box it opens is answered in turn) or returns false to
// leave it for the next tick. Message boxes met on the way are recorded with their texts.
struct Risposte {
    std::vector<std::string> testi;
    QMessageBox::StandardButton bottone = QMessageBox::Ok;
    std::function<bool(QWidget*)> altro;

    void durante(const std::function<void()>& azione) {
        QTimer t;
        t.setInterval(20);
        QPointer<QWidget> ultimo;  // a box just answered is not answered twice while it closes
        QObject::connect(&t, &QTimer::timeout, [&] {
            QWidget* modale = QApplication::activeModalWidget();
            if (!modale || modale == ultimo) return;
            if (auto* box = qobject_cast<QMessageBox*>(modale)) {
                ultimo = box;
                testi.push_back(box->text().toStdString());
                QAbstractButton* b = box->button(bottone);
                if (!b) b = box->buttons().front();
                QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
            } else if (altro && altro(modale)) {
                ultimo = modale;
            }
        });
        t.start();
        azione();
        t.stop();
        QApplication::processEvents();
    }
};

// A click at the centre of a grid cell, as the mouse gives it; `su` false presses without releasing.
void clicca(Form6& d, int r, int c, Qt::MouseButton tasto = Qt::LeftButton, bool giu = true, bool su = true) {
    QWidget* vp = d.gridView().viewport();
    const QRect cella = d.gridView().cellRect(r, c);
    ASSERT_FALSE(cella.isEmpty()) << r << "," << c;
    const QPointF pos = cella.center();
    QMouseEvent press(QEvent::MouseButtonPress, pos, vp->mapToGlobal(pos), tasto, tasto, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, vp->mapToGlobal(pos), tasto, Qt::NoButton,
                        Qt::NoModifier);
    if (giu) QApplication::sendEvent(vp, &press);
    if (su) QApplication::sendEvent(vp, &release);
}

class Form6WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
};

TEST_F(Form6WindowTest, NewKnotOverAPictureTracedUndoneAndClosedOnlyWithConsent) {
    const fs::path cartella = cartellaProva("new");
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.drawEllipse(40, 20, 220, 110);
    }
    const fs::path png = cartella / "rope.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string())));

    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    QApplication::processEvents();
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->gridView().isEnabled());  // off until a design is started

    // New: a typed path that names no file is refused at Confirm; the real picture is taken.
    Risposte r;
    int passo = 0;
    r.altro = [&](QWidget* modale) {
        auto* dlg = qobject_cast<FrmNewK*>(modale);
        if (!dlg) return false;
        dlg->txtImg().setText(
            QString::fromStdString((passo++ == 0 ? cartella / "missing.png" : png).string()));
        QMetaObject::invokeMethod(dlg, &FrmNewK::Conferma, Qt::QueuedConnection);
        return true;
    };
    r.durante([&] { d->action("Nuovo")->trigger(); });
    ASSERT_EQ(r.testi.size(), 1u);
    EXPECT_EQ(r.testi[0],
              "File not found:" + (cartella / "missing.png").string());  // as the main window says it
    EXPECT_EQ(d->NomeImg(), png.string());
    EXPECT_FALSE(d->gridView().picture().isNull());
    // "Small" is 94 rows; the columns follow the picture, twice as wide as high.
    GriglieDesigner& g = d->griglie();
    EXPECT_EQ(g.Gr.rows(), 95);
    EXPECT_EQ(g.Gr.cols(), 189);
    EXPECT_TRUE(d->gridView().isEnabled());

    // A run of strand along a row: two clicks.
    clicca(*d, 5, 5);
    EXPECT_EQ(d->panel("p1"), "5,5");  // the pending start
    clicca(*d, 5, 12);
    EXPECT_EQ(d->panel("p1"), "");
    for (int c = 5; c <= 12; ++c) EXPECT_EQ(g.grs.text(5, c), "*") << c;
    EXPECT_TRUE(d->Modificato());
    // A crossing with the vertical strand over: one click gives it and its arms.
    d->action("Lbvert")->trigger();
    clicca(*d, 20, 20);
    EXPECT_EQ(g.grs.text(20, 20), "|");
    EXPECT_EQ(g.grs.text(19, 20), "*");
    EXPECT_EQ(g.grs.style(20, 19).backColor, kColoreSotto);
    // The right button held shows the bare picture and traces nothing; released, the drawing is back.
    clicca(*d, 30, 30, Qt::RightButton, true, false);
    EXPECT_EQ(g.Gr.text(20, 20), "");
    EXPECT_EQ(g.Gr.text(5, 5), "");
    clicca(*d, 30, 30, Qt::RightButton, false, true);
    EXPECT_EQ(g.Gr.text(20, 20), "|");
    EXPECT_EQ(g.Gr.style(20, 19).backColor, kColoreSotto);
    EXPECT_EQ(g.grs.text(30, 30), "");
    // Undo takes the last trace back, the crossing with its arms; the run stays.
    d->action("Undo")->trigger();
    for (auto [rr, cc] : {std::pair{20, 20}, {19, 20}, {21, 20}, {20, 19}, {20, 21}})
        EXPECT_EQ(g.grs.text(rr, cc), "") << rr << "," << cc;
    EXPECT_EQ(g.Gr.text(20, 20), "");
    EXPECT_EQ(g.grs.text(5, 8), "*");

    // Zoom in makes the cells larger; zoom out gives them back their size. At each end of the two sizes
    // the button that would change nothing is disabled.
    const int piccola = d->gridView().cellRect(5, 5).width();
    EXPECT_FALSE(d->action("dimmeno")->isEnabled());
    EXPECT_TRUE(d->action("dimpiu")->isEnabled());
    d->action("dimpiu")->trigger();
    QApplication::processEvents();
    EXPECT_GT(d->gridView().cellRect(5, 5).width(), piccola);
    EXPECT_TRUE(d->action("dimmeno")->isEnabled());
    EXPECT_FALSE(d->action("dimpiu")->isEnabled());
    d->action("dimmeno")->trigger();
    EXPECT_EQ(d->DimCellaDise(), 120);
    EXPECT_FALSE(d->action("dimmeno")->isEnabled());
    EXPECT_TRUE(d->action("dimpiu")->isEnabled());

    // Closing with unsaved work: Cancel keeps the window and the drawing.
    Risposte annulla;
    annulla.bottone = QMessageBox::Cancel;
    annulla.durante([&] { d->close(); });
    ASSERT_EQ(annulla.testi, std::vector<std::string>{"Save changes?"});
    ASSERT_NE(w.designer(), nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->Modificato());
    EXPECT_EQ(g.grs.text(5, 8), "*");

    // "Save changes?" before a new design: Yes, then the save dialog cancelled, keeps the drawing and
    // starts nothing.
    Risposte si;
    si.bottone = QMessageBox::Yes;
    bool nuovoChiesto = false;
    si.altro = [&](QWidget* modale) {
        if (qobject_cast<FrmNewK*>(modale)) nuovoChiesto = true;
        auto* dlg = qobject_cast<QDialog*>(modale);
        if (dlg) QMetaObject::invokeMethod(dlg, &QDialog::reject, Qt::QueuedConnection);
        return dlg != nullptr;
    };
    si.durante([&] { d->action("Nuovo")->trigger(); });
    EXPECT_EQ(si.testi, std::vector<std::string>{"Save changes?"});
    EXPECT_FALSE(nuovoChiesto);
    EXPECT_TRUE(d->Modificato());
    EXPECT_EQ(g.grs.text(5, 8), "*");

    // A save that cannot be written keeps the drawing marked as changed; a complete one clears the mark
    // and reads back as drawn.
    Risposte fallito;
    fallito.durante([&] { EXPECT_FALSE(d->SalvaFile(cartella / "no_such_folder" / "a.kns")); });
    ASSERT_EQ(fallito.testi.size(), 1u);
    EXPECT_NE(fallito.testi[0].find("could not be written"), std::string::npos);
    EXPECT_TRUE(d->Modificato());
    EXPECT_TRUE(d->SalvaFile(cartella / "a.kns"));
    EXPECT_FALSE(d->Modificato());
    const Result<SorgenteLetta> letto = leggiFileSorgente(cartella / "a.kns");
    ASSERT_TRUE(letto.ok());
    EXPECT_EQ(letto->NomeImg.value_or(""), png.string());
    EXPECT_EQ(letto->disegno.simbolo(5, 12), '*');

    // Nothing unsaved: the window closes without a question.
    Risposte chiudi;
    chiudi.durante([&] { d->close(); });
    EXPECT_TRUE(chiudi.testi.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.designer(), nullptr);
    fs::remove_all(cartella);
}

// New: a typed picture name longer than the system takes is refused at Confirm as too long, as the main
// window says it, not as a file not found.
TEST_F(Form6WindowTest, NewKnotOverAPictureNameTooLongSaysSo) {
    const fs::path cartella = cartellaProva("long");
    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    QApplication::processEvents();
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    const std::string lungo = (cartella / (std::string(300, 'p') + ".png")).string();
    Risposte r;
    int passo = 0;
    r.altro = [&](QWidget* modale) {
        auto* dlg = qobject_cast<FrmNewK*>(modale);
        if (!dlg) return false;
        if (passo++ == 0) {
            dlg->txtImg().setText(QString::fromStdString(lungo));
            QMetaObject::invokeMethod(dlg, &FrmNewK::Conferma, Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(dlg, &QDialog::reject, Qt::QueuedConnection);
        }
        return true;
    };
    r.durante([&] { d->action("Nuovo")->trigger(); });
    EXPECT_EQ(r.testi, std::vector<std::string>{"The name is too long for the system: " + citazione(lungo)});
    EXPECT_FALSE(d->gridView().isEnabled());  // no design started
    fs::remove_all(cartella);
}

TEST_F(Form6WindowTest, OpenedSourceWithAMovedPictureIsFoundBesideItAndARefusedDrawingIsMarkedRed) {
    const fs::path cartella = cartellaProva("moved");
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(QString::fromStdString((cartella / "knot.png").string())));
    DisegnoProgetto disegno(95, 95);
    disegno.NomeImg = "/nowhere/else/knot.png";
    for (int c = 3; c <= 9; ++c) disegno.setSimbolo(4, c, '*');
    ASSERT_TRUE(SalvaFile(disegno, cartella / "moved.kns").ok());

    MainWindow w(cartella);
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    Risposte r;
    r.durante([&] { EXPECT_TRUE(d->LeggiFile(cartella / "moved.kns")); });
    EXPECT_TRUE(r.testi.empty());
    EXPECT_EQ(d->NomeImg(), (cartella / "knot.png").string());
    EXPECT_FALSE(d->gridView().picture().isNull());
    EXPECT_EQ(d->griglie().grs.text(4, 9), "*");

    // A picture found nowhere: a warning, and the drawing opens without it.
    fs::remove(cartella / "knot.png");
    Risposte senza;
    senza.durante([&] { EXPECT_TRUE(d->LeggiFile(cartella / "moved.kns")); });
    ASSERT_EQ(senza.testi.size(), 1u);
    EXPECT_NE(senza.testi[0].find("could not be loaded"), std::string::npos);
    EXPECT_TRUE(d->gridView().picture().isNull());
    EXPECT_EQ(d->griglie().grs.text(4, 3), "*");

    // A strand with two loose ends is no knot: compiling refuses it, paints its faults red, writes nothing.
    Risposte compila;
    compila.durante([&] { EXPECT_FALSE(d->Compila()); });
    ASSERT_FALSE(compila.testi.empty());
    EXPECT_FALSE(fs::exists(cartella / "moved.kno"));
    bool rosso = false;
    for (int c = 1; c < d->griglie().Gr.cols(); ++c)
        rosso = rosso || d->griglie().Gr.style(4, c).backColor == kColoreErrore;
    EXPECT_TRUE(rosso);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 0);

    // After a failed check every trace is checked again: a second loose run turns red as it is traced.
    const auto rossaRiga = [&](int riga) {
        bool trovata = false;
        for (int c = 1; c < d->griglie().Gr.cols(); ++c)
            trovata = trovata || d->griglie().Gr.style(riga, c).backColor == kColoreErrore;
        return trovata;
    };
    EXPECT_FALSE(rossaRiga(20));
    clicca(*d, 20, 5);
    // With the start pending, the pointer says where the trace cannot end.
    const auto muovi = [&](int riga, int colonna) {
        QWidget* vp = d->gridView().viewport();
        const QPointF pos = d->gridView().cellRect(riga, colonna).center();
        QMouseEvent mossa(QEvent::MouseMove, pos, vp->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(vp, &mossa);
        return vp->cursor().shape();
    };
    EXPECT_EQ(muovi(23, 6), Qt::CrossCursor);
    EXPECT_EQ(muovi(20, 9), Qt::ArrowCursor);
    EXPECT_EQ(muovi(23, 8), Qt::ArrowCursor);  // on a diagonal
    clicca(*d, 20, 9);
    EXPECT_TRUE(rossaRiga(20));
    fs::remove_all(cartella);
}

TEST_F(Form6WindowTest, APictureTooWideForTheGridIsCutWithAMessage) {
    const fs::path cartella = cartellaProva("wide");
    QImage picture(1000, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const fs::path png = cartella / "wide.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string())));
    MainWindow w(cartella);
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    Risposte r;
    r.durante([&] { EXPECT_TRUE(d->InizializzaNuovo(png.string(), 1)); });
    ASSERT_EQ(r.testi.size(), 1u);
    EXPECT_NE(r.testi[0].find("too wide"), std::string::npos);
    EXPECT_EQ(d->griglie().Gr.cols(), GriglieDesigner::kMaxColonne + 1);
    EXPECT_EQ(d->griglie().Gr.rows(), 95);
    // Large: 200 rows.
    QImage quadrata(100, 100, QImage::Format_RGB32);
    quadrata.fill(Qt::white);
    ASSERT_TRUE(quadrata.save(QString::fromStdString(png.string())));
    EXPECT_TRUE(d->InizializzaNuovo(png.string(), 3));
    EXPECT_EQ(d->griglie().Gr.rows(), 201);
    EXPECT_EQ(d->griglie().Gr.cols(), 201);
    fs::remove_all(cartella);
}

TEST_F(Form6WindowTest, TrefoilSourceCompiledOpensInTheMainWindow) {
    const fs::path cartella = cartellaProva("trefoil");
    fs::copy_file(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kns", cartella / "Trefoil.kns");
    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->LeggiFile(cartella / "Trefoil.kns"));
    Risposte r;
    r.durante([&] { d->action("Compila")->trigger(); });
    EXPECT_EQ(r.testi, std::vector<std::string>{kFineCompilazione});
    EXPECT_TRUE(fs::exists(cartella / "Trefoil.kno"));
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 3);
    EXPECT_EQ(w.form().doc().storia.NumStato, 0);
    fs::remove_all(cartella);
}

std::string contenuto(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The trefoil's knot source with `immagine` as its header's picture.
void sorgenteCon(const fs::path& file, const std::string& immagine) {
    const std::string trefoil = contenuto(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kns");
    std::ofstream(file, std::ios::binary) << "23,33,Source=" << immagine << ",Size=1\r\n"
                                          << trefoil.substr(trefoil.find('\n') + 1);
}

std::vector<std::string> nomi(const fs::path& cartella) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(cartella)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// What a knot source may name as its picture: a file outside the user's folder, the program's
// environment, the knot file or the source itself, a name a megabyte long. None is shown or copied, the
// message quotes the name short, and "Make .KNO" writes the source and the knot file and nothing else;
// afterwards the main window holds the trefoil and comes forward, and "Servizi" brings the designer back.
TEST_F(Form6WindowTest, APictureNameThatIsNoPictureIsNeitherShownNorCopied) {
    const fs::path cartella = cartellaProva("hostile");
    const fs::path knots = cartella / "home" / "ann" / "knots";
    fs::create_directories(knots);
    MainWindow w(cartella);
    w.show();
    const std::string nomeLungo(1 << 20, 'p');
    for (const std::string& nome :
         {std::string("../../../../../../../../../../../../etc/passwd"), std::string("/proc/self/environ"),
          std::string("x.kno"), std::string("x.kns"), nomeLungo}) {
        const std::string prova = nome.substr(0, 40);
        for (const auto& e : fs::directory_iterator(knots)) fs::remove(e.path());
        std::ofstream(knots / "x.kno", std::ios::binary) << "Object=old";
        sorgenteCon(knots / "x.kns", nome);
        w.runCommand("Servizi");
        Form6* d = w.designer();
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible()) << prova;
        Risposte apri;
        apri.durante([&] { EXPECT_TRUE(d->LeggiFile(knots / "x.kns")); });
        ASSERT_EQ(apri.testi.size(), 1u) << prova;
        EXPECT_NE(apri.testi[0].find("could not be loaded"), std::string::npos) << apri.testi[0];
        EXPECT_LT(apri.testi[0].size(), 250u) << prova;
        if (nome == nomeLungo) {  // not "there is no such file"
            EXPECT_NE(apri.testi[0].find("(the name is too long for the system)"), std::string::npos)
                << apri.testi[0];
        }
        EXPECT_TRUE(d->gridView().picture().isNull()) << prova;

        Risposte compila;
        compila.durante([&] { d->action("Compila")->trigger(); });
        EXPECT_EQ(compila.testi, std::vector<std::string>{kFineCompilazione}) << prova;
        EXPECT_EQ(nomi(knots), (std::vector<std::string>{"x.kno", "x.kns"})) << prova;
        EXPECT_EQ(contenuto(knots / "x.kno").rfind("Object=", 0), 0u) << prova;
        EXPECT_NE(contenuto(knots / "x.kno"), "Object=old") << prova;
        EXPECT_TRUE(leggiFileSorgente(knots / "x.kns").ok()) << prova;
        EXPECT_EQ(w.form().doc().diagram.NumIncroci, 3) << prova;
        EXPECT_FALSE(d->isVisible()) << prova;  // the main window is in front with the knot
    }
    fs::remove_all(cartella);
}

// A relative picture name is the source's folder's, whatever folder the program works in: that picture is
// shown and copied beside the source; a file where the copy would go that is not a picture stays, and the
// message says that the picture was not copied instead of "End of compilation".
TEST_F(Form6WindowTest, ARelativePictureIsTheSourcesFoldersAndIsCopiedOnlyOverAPicture) {
    const fs::path cartella = cartellaProva("relative");
    const fs::path knots = cartella / "knots";
    const fs::path altrove = cartella / "elsewhere";
    fs::create_directories(knots);
    fs::create_directories(altrove);
    QImage propria(60, 30, QImage::Format_RGB32);
    propria.fill(Qt::white);
    ASSERT_TRUE(propria.save(QString::fromStdString((knots / "pic.png").string())));
    QImage estranea(10, 50, QImage::Format_RGB32);
    estranea.fill(Qt::black);
    ASSERT_TRUE(estranea.save(QString::fromStdString((altrove / "pic.png").string())));
    sorgenteCon(knots / "x.kns", "pic.png");
    const fs::path prima = fs::current_path();
    fs::current_path(altrove);

    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    Risposte apri;
    apri.durante([&] { EXPECT_TRUE(d->LeggiFile(knots / "x.kns")); });
    EXPECT_TRUE(apri.testi.empty());
    EXPECT_EQ(d->gridView().picture().size(), QSize(60, 30));
    EXPECT_EQ(d->ImmagineCaricata(), knots / "pic.png");
    Risposte compila;
    compila.durante([&] { d->action("Compila")->trigger(); });
    EXPECT_EQ(compila.testi, std::vector<std::string>{kFineCompilazione});
    EXPECT_EQ(contenuto(knots / "x.png"), contenuto(knots / "pic.png"));

    // Notes kept under the name the copy would take.
    fs::remove(knots / "x.png");
    std::ofstream(knots / "x.png", std::ios::binary) << "my notes";
    w.runCommand("Servizi");
    Risposte ancora;
    ancora.durante([&] { d->action("Compila")->trigger(); });
    ASSERT_EQ(ancora.testi.size(), 1u);
    EXPECT_EQ(ancora.testi[0].rfind(kFineSenzaImmagine, 0), 0u) << ancora.testi[0];
    EXPECT_NE(ancora.testi[0].find("is there and is not a picture"), std::string::npos) << ancora.testi[0];
    EXPECT_EQ(contenuto(knots / "x.png"), "my notes");
    fs::current_path(prima);
    fs::remove_all(cartella);
}

// A FIFO named as the picture, as a source or as a new design's picture, is refused at once: the designer
// never waits for a writer. Should it wait, a watchdog writes to the FIFO after some seconds, so that the
// test fails instead of hanging.
TEST_F(Form6WindowTest, AFifoAsThePictureIsRefusedWithoutWaiting) {
    const fs::path cartella = cartellaProva("fifo");
    const fs::path fifo = cartella / "pipe.gif";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    sorgenteCon(cartella / "x.kns", "pipe.gif");
    std::mutex m;
    std::condition_variable fatto;
    bool finito = false;
    std::atomic<bool> sbloccato{false};
    std::thread guardia([&] {
        std::unique_lock lock(m);
        if (fatto.wait_for(lock, std::chrono::seconds(5), [&] { return finito; })) return;
        // A reader blocked in open is let go by a writer that opens and closes at once.
        for (int i = 0; i < 2; ++i) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                sbloccato = true;
                ::close(fd);
            }
        }
    });
    MainWindow w(cartella);
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    Risposte apri;
    apri.durante([&] {
        EXPECT_TRUE(d->LeggiFile(cartella / "x.kns"));
        EXPECT_TRUE(d->InizializzaNuovo(fifo.string(), 1));
    });
    {
        std::lock_guard lock(m);
        finito = true;
    }
    fatto.notify_all();
    guardia.join();
    EXPECT_FALSE(sbloccato);
    ASSERT_EQ(apri.testi.size(), 2u);
    for (const std::string& t : apri.testi) EXPECT_NE(t.find("not a regular file"), std::string::npos) << t;
    EXPECT_TRUE(d->ImmagineCaricata().empty());
    fs::remove_all(cartella);
}

// "Make .KNO" on a drawing never saved: a refused drawing asks for no name and writes nothing; a drawing
// that passes asks once, in the dialog of knot sources, and keeps the name, so that closing asks nothing.
TEST_F(Form6WindowTest, MakeKnoChecksBeforeAskingForAName) {
    const fs::path cartella = cartellaProva("ask");
    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->InizializzaNuovo("", 1));
    clicca(*d, 5, 5);
    clicca(*d, 5, 12);
    ASSERT_TRUE(d->Modificato());
    std::vector<QStringList> filtri;
    const fs::path scelto = cartella / "drawn.kns";
    Risposte r;
    r.altro = [&](QWidget* modale) {
        auto* dialogo = qobject_cast<QFileDialog*>(modale);
        if (!dialogo) return false;
        filtri.push_back(dialogo->nameFilters());
        if (auto* nome = dialogo->findChild<QLineEdit*>("fileNameEdit"))
            nome->setText(QString::fromStdString(scelto.string()));
        else
            dialogo->selectFile(QString::fromStdString(scelto.string()));
        QMetaObject::invokeMethod(dialogo, &QDialog::accept, Qt::QueuedConnection);
        return true;
    };
    r.durante([&] { d->action("Compila")->trigger(); });
    EXPECT_TRUE(filtri.empty());
    EXPECT_EQ(r.testi.size(), 1u);  // why the drawing is refused
    EXPECT_TRUE(fs::is_empty(cartella));
    EXPECT_TRUE(d->FileSorgente().empty());

    // The trefoil traced over the refused run: the name is asked for once.
    ASSERT_TRUE(d->InizializzaNuovo("", 1));
    const Result<SorgenteLetta> trefoil =
        leggiFileSorgente(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kns");
    ASSERT_TRUE(trefoil.ok());
    for (int riga = 1; riga <= static_cast<int>(trefoil->disegno.righe().size()); ++riga)
        for (int c = 1; c < 40; ++c)
            if (const char s = trefoil->disegno.simbolo(riga, c); s != ' ')
                d->griglie().grs.setText(riga, c, std::string(1, s));
    r.testi.clear();
    r.durante([&] { d->action("Compila")->trigger(); });
    ASSERT_EQ(filtri.size(), 1u);
    EXPECT_TRUE(filtri[0].contains("File source knot (*.kns)")) << filtri[0].join(";").toStdString();
    EXPECT_EQ(r.testi, std::vector<std::string>{kFineCompilazione});
    EXPECT_EQ(d->FileSorgente(), scelto);
    EXPECT_TRUE(fs::exists(cartella / "drawn.kno"));
    EXPECT_FALSE(d->Modificato());
    fs::remove_all(cartella);
}

// A knot file its owner made read-only, compiled beside by an ordinary user: "Make .KNO" shows one message,
// which says the knot file is read-only, never "End of compilation"; the file stays byte-identical, the
// knot source is not written, the main window gets no knot and the designer stays in front. The
// designer's save over a read-only source says the same and keeps the drawing unsaved.
TEST_F(Form6WindowTest, AReadOnlyKnotFileIsNotReplacedAndNothingSaysEndOfCompilation) {
    const fs::path cartella = cartellaProva("read_only");
    const fs::path kns = cartella / "Trefoil.kns", kno = cartella / "Trefoil.kno";
    fs::copy_file(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kns", kns);
    std::ofstream(kno, std::ios::binary) << "Object=protected";
    ASSERT_EQ(::chmod(kno.c_str(), 0444), 0);
    const std::string sorgente = contenuto(kns);
    MainWindow w(cartella);
    w.show();
    w.runCommand("Servizi");
    Form6* d = w.designer();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->LeggiFile(kns));
    const int incrociPrima = w.form().doc().diagram.NumIncroci;
    QApplication::processEvents();
    // As an ordinary user: the process's own user for a while, since a window test runs threads.
    Risposte compila;
    {
        const testsupport::UtenteComuneQui utente({cartella, kns, kno});
        ASSERT_EQ(utente.errore(), "");
        compila.durante([&] { d->action("Compila")->trigger(); });
    }
    EXPECT_EQ(compila.testi, std::vector<std::string>{std::string(kCompilazioneFallita) +
                                                      ": The file could not be written: " + kno.string() +
                                                      ": it is read-only"});
    EXPECT_TRUE(d->isVisible()) << "the designer went behind";
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, incrociPrima) << "the main window got a knot";
    EXPECT_EQ(contenuto(kno), "Object=protected");
    EXPECT_EQ(contenuto(kns), sorgente);

    // The designer's save: the source read-only.
    ASSERT_EQ(::chmod(kns.c_str(), 0444), 0);
    clicca(*d, 30, 5);
    clicca(*d, 30, 12);
    ASSERT_TRUE(d->Modificato());
    Risposte salva;
    bool salvato = true;
    {
        const testsupport::UtenteComuneQui utente({cartella, kns, kno});
        ASSERT_EQ(utente.errore(), "");
        salva.durante([&] { salvato = d->SalvaFile(kns); });
    }
    EXPECT_FALSE(salvato);
    EXPECT_EQ(salva.testi, std::vector<std::string>{"The file could not be written: " + kns.string() +
                                                    ": it is read-only"});
    EXPECT_TRUE(d->Modificato()) << "the drawing counts as saved";
    EXPECT_EQ(contenuto(kns), sorgente);
    fs::remove_all(cartella);
}

// The designer's own test of a picture, which trevalon-bench compile uses too: a picture decodes; a text
// file whose first bytes are "BM" and a PNG header claiming 100000 x 100000 pixels do not.
TEST_F(Form6WindowTest, TheDesignersDecoderRefusesWhatOnlyLooksLikeAPicture) {
    QImage bianca(3, 2, QImage::Format_RGB32);
    bianca.fill(Qt::white);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(bianca.save(&buffer, "PNG"));
    }
    QImage letta;
    EXPECT_TRUE(decodificaImmagine(png.toStdString(), &letta));
    EXPECT_EQ(letta.size(), QSize(3, 2));
    EXPECT_FALSE(decodificaImmagine("BM my notes, not a picture\n"));
    // Its header, one scan line of its data and its end: the size alone refuses it.
    const std::string enorme(
        "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x01\x86\xA0\x00\x01\x86\xA0"
        "\x08\x02\x00\x00\x00\x27\x30\x9C\x9F\x00\x00\x00\x0B\x49\x44\x41\x54\x78\x9C\x63\x60\x00\x03\x00"
        "\x00\x07\x00\x01\xB2\x86\xAC\xF4\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
        68);
    EXPECT_FALSE(decodificaImmagine(enorme));
}

}  // namespace
}  // namespace trevalon
