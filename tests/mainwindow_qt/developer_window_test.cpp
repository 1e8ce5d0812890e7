// The developer layout met as a developer meets it: the program started with the developer switch shows
// its panel in place of the toolbar, a code typed into the fields is built by "Tutto", "grl" shows the
// grid lines, and a step that cannot run says why.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <variant>

#include "celldraw/qt/form3.h"
#include "layout/cell_marks.h"
#include "layout/render_grid.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/drawn_curl_fixture.h"
#include "mainwindow/qt/command_line.h"
#include "mainwindow/qt/main_window.h"
#include "mainwindow_qt/window_driver.h"
#include "platform/qt/grid_view.h"
#include "platform_qt/qt_app.h"
#include "reports/qt/frm_report.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

// Types the text into the field key by key, as a person does.
void digita(QLineEdit* campo, const QString& testo) {
    campo->setFocus();
    for (const QChar ch : testo) {
        QKeyEvent giu(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(campo, &giu);
        QKeyEvent su(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(campo, &su);
    }
}

int immagini(const GridControl& g) {
    int n = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) n += g.picture(r, c).empty() ? 0 : 1;
    return n;
}

TEST(DeveloperWindow, ThePanelBuildsATypedCodeAndShowsGridLines) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();

    PannelloSviluppoQt* pannello = w.developerPanel();
    ASSERT_NE(pannello, nullptr);
    EXPECT_TRUE(pannello->isVisible());
    EXPECT_FALSE(w.toolbar().isVisible());
    EXPECT_FALSE(w.statusBar()->isVisible());

    // The catalogue of named knots is in its combo box; choosing an entry writes its code into the fields.
    auto* catalogo = pannello->findChild<QComboBox*>("CmbNodi");
    ASSERT_NE(catalogo, nullptr);
    EXPECT_EQ(catalogo->count(), 13);
    const int granny = catalogo->findText("Granny");
    ASSERT_GE(granny, 0);
    catalogo->activated(granny);
    EXPECT_EQ(pannello->findChild<QLineEdit*>("txtNodo")->text(), "1+2-3+1-2+3-4+5-6+4-5+6-");
    pannello->findChild<QLineEdit*>("txtNodo")->clear();
    pannello->findChild<QLineEdit*>("TxtOri")->clear();
    w.developerPanelEngine()->txtNodo.clear();
    w.developerPanelEngine()->TxtOri.clear();

    digita(pannello->findChild<QLineEdit*>("txtNodo"), "1-2+3-1+2-3+4-5+6-4+5-6+");
    digita(pannello->findChild<QLineEdit*>("TxtOri"), "OOOVVV");
    pannello->pulsante("CmdTutto")->click();
    QApplication::processEvents();
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 6);
    EXPECT_GT(immagini(w.form().vista().Gr), 20);

    auto* grl = pannello->findChild<QCheckBox*>("Chg");
    ASSERT_NE(grl, nullptr);
    grl->click();
    EXPECT_TRUE(w.gridView().gridLines());
    grl->click();
    EXPECT_FALSE(w.gridView().gridLines());

    // "Scifta2" before "IniziScifta": the panel says what to do first, in a message box.
    QString detto;
    testing::whenShown<QMessageBox>(
        [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
        [&detto](QMessageBox* box) {
            detto = box->text();
            box->accept();
        });
    pannello->pulsante("Cmscifta2")->click();
    QApplication::processEvents();
    EXPECT_TRUE(detto.startsWith("Start the relabelling")) << detto.toStdString();
    EXPECT_TRUE(pannello->isEnabled());

    // "Stampa": the print preview of the main grid, with the diagram's tiles on its page.
    int pagine = -1, tessere = -1;
    testing::whenShown<FrmReport>([] { return qobject_cast<FrmReport*>(QApplication::activeModalWidget()); },
                                  [&](FrmReport* anteprima) {
                                      pagine = static_cast<int>(anteprima->document().pages().size());
                                      tessere = 0;
                                      for (const Page& pagina : anteprima->document().pages())
                                          for (const PageItem& voce : pagina.items)
                                              if (const auto* blocco = std::get_if<PageTiles>(&voce))
                                                  tessere += blocco->drawnCount();
                                      anteprima->reject();
                                  });
    pannello->pulsante("Stampa")->click();
    QApplication::processEvents();
    EXPECT_EQ(pagine, 1);
    EXPECT_GT(tessere, 20);

    // The picture report with no "report" folder beside the program says so.
    detto.clear();
    testing::whenShown<QMessageBox>(
        [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
        [&detto](QMessageBox* box) {
            detto = box->text();
            box->accept();
        });
    pannello->pulsante("Command14")->click();
    QApplication::processEvents();
    EXPECT_EQ(detto.toStdString(), "No pictures in report");
}

// Started with --developer as a person starts it: "Da Disegno" opens a knot source picked in the open
// dialog and walks it alone, drawn in black; "Modo2" and "Visione Numerica" are on the panel.
TEST(DeveloperWindow, StartedWithDeveloperDaDisegnoWalksAKnotSource) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    OpzioniAvvio opzioni(ctx);
    ASSERT_TRUE(opzioni.parser().parse({"trevalon", "--developer"}));
    opzioni.applica(ctx);
    ASSERT_TRUE(ctx.ModoSviluppo);
    ASSERT_FALSE(ctx.ModoDebug);
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    PannelloSviluppoQt* pannello = w.developerPanel();
    ASSERT_NE(pannello, nullptr);
    for (const char* key : {"Command11", "CmdEliminaRigheUguali"})
        EXPECT_NE(pannello->pulsante(key), nullptr);
    EXPECT_FALSE(pannello->findChild<QCheckBox*>("Chdbgrad")->isChecked());

    testing::scegliNelDialogo(std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / "FigureEight.kns",
                              [&] { pannello->pulsante("CmdDaDisegno")->click(); });
    EXPECT_EQ(w.form().doc().modi.ModoGen, GenMode::TextDrawing);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 4);
    // The drawing's symbols, one per cell, each classified with its tile.
    int simboli = 0, tessere = 0;
    const GridControl& g = w.form().vista().Gr;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = 1; c < g.cols(); ++c)
            if (!g.text(r, c).empty()) {
                ++simboli;
                tessere += !w.form().vista().Tbltt.get(r, c).empty();
            }
    EXPECT_GT(simboli, 20);
    EXPECT_EQ(tessere, simboli);
    EXPECT_TRUE(w.windowTitle().contains("FigureEight")) << w.windowTitle().toStdString();
    EXPECT_TRUE(pannello->isEnabled());
}

// Answers what a panel step opens while `comando` runs, as a person does: the input box gets `risposta`
// (when not empty) and each step viewer gets `tasto` pressed. The viewers met.
int rispondiAlPasso(const QString& risposta, const char* tasto, const std::function<void()>& comando) {
    int visori = 0;
    QTimer t;
    t.setInterval(10);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QInputDialog*>(modale); box && !risposta.isEmpty()) {
            box->setTextValue(risposta);
            box->accept();
        } else if (auto* visore = qobject_cast<Form3*>(modale); visore && visore->isVisible()) {
            ++visori;
            visore->action(tasto)->trigger();
        } else if (auto* altro = qobject_cast<QDialog*>(modale)) {
            altro->reject();
        }
    });
    t.start();
    comando();
    t.stop();
    QApplication::processEvents();
    return visori;
}

int numeriRossi(const GridControl& g) {
    int n = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            n += g.style(r, c).foreColor == kColoreIncrocio && !g.text(r, c).empty();
    return n;
}

// The layout's steps as a developer uses them on a typed code: the caption names each crossing the tree
// places; "Scifta 1" moves the root on alone and shows it, "Radice" lays out from the next one; "Vis Nodo"
// shows the tree as numbers; the four grid moves scroll the grid; "Ruota" writes its picture into the dumps
// folder and says where under the buttons; "ListaCelle" asks for an arc and pauses at each of its cells.
TEST(DeveloperWindow, TheLayoutStepsOfThePanelAsADeveloperUsesThem) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    const std::filesystem::path dumps = std::filesystem::temp_directory_path() / "trevalon_dev_window_dumps";
    std::filesystem::remove_all(dumps);
    ctx.cartellaDump = dumps;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    PannelloSviluppoQt* pannello = w.developerPanel();
    ASSERT_NE(pannello, nullptr);
    const Diagram& d = w.form().doc().diagram;
    GridControl& Gr = w.form().vista().Gr;

    QStringList didascalie;
    QObject::connect(&w, &QWidget::windowTitleChanged, [&didascalie](const QString& t) { didascalie << t; });
    const testsupport::NamedKnot k = testsupport::namedKnot("7_1");
    pannello->findChild<QLineEdit*>("txtNodo")->clear();
    pannello->findChild<QLineEdit*>("TxtOri")->clear();
    digita(pannello->findChild<QLineEdit*>("txtNodo"), QString::fromStdString(k.gauss));
    digita(pannello->findChild<QLineEdit*>("TxtOri"), QString::fromStdString(k.letters));
    pannello->pulsante("CmdTutto")->click();
    QApplication::processEvents();
    ASSERT_EQ(d.NumIncroci, 7);
    std::set<QString> piazzati;
    for (const QString& t : didascalie)
        if (t.startsWith("GeneraDirezioniAmpiezza ")) piazzati.insert(t);
    EXPECT_EQ(piazzati.size(), 7u) << didascalie.join("|").toStdString();

    QPushButton* scifta = pannello->pulsante("CmdScifta");
    ASSERT_NE(scifta, nullptr);
    EXPECT_EQ(scifta->text(), "Scifta 1");
    scifta->click();
    QApplication::processEvents();
    EXPECT_EQ(scifta->text(), "2");
    EXPECT_EQ(w.form().doc().storia.corrente().Flag, 1);
    pannello->pulsante("CmdRadice")->click();
    QApplication::processEvents();
    EXPECT_EQ(scifta->text(), "3");
    EXPECT_EQ(w.form().doc().storia.corrente().Flag, 3);
    EXPECT_EQ(d.NumIncroci, 7);

    pannello->pulsante("CmdVisNodo")->click();
    QApplication::processEvents();
    EXPECT_EQ(numeriRossi(Gr), 7);

    // The grid moves: the view follows the grid's first row and column.
    const int riga = std::max(Gr.topRow(), 1), colonna = std::max(Gr.leftCol(), 1);
    pannello->pulsante("Command3")->click();
    pannello->pulsante("Command6")->click();
    QApplication::processEvents();
    EXPECT_GT(Gr.topRow(), riga);
    EXPECT_GT(Gr.leftCol(), colonna);
    EXPECT_EQ(w.gridView().verticalScrollBar()->value(), Gr.topRow());
    EXPECT_EQ(w.gridView().horizontalScrollBar()->value(), Gr.leftCol());
    pannello->pulsante("Command4")->click();
    pannello->pulsante("Command5")->click();
    QApplication::processEvents();
    EXPECT_EQ((std::pair{Gr.topRow(), Gr.leftCol()}), (std::pair{riga, colonna}));

    // "Ruota": the picture, then the knot file's save dialog, cancelled.
    rispondiAlPasso("", "Successivo", [&] { pannello->pulsante("CmdRuota")->click(); });
    EXPECT_TRUE(std::filesystem::exists(dumps / "ruota.txt"));
    auto* stato = pannello->findChild<QLabel*>("p2");
    ASSERT_NE(stato, nullptr);
    EXPECT_TRUE(stato->isVisible());
    EXPECT_TRUE(stato->text().contains(QString::fromStdString((dumps / "ruota.txt").string())))
        << stato->text().toStdString();

    // "ListaCelle": the arc typed, then a pause at each of its cells, shown on yellow.
    int arco = 0;
    for (int a = 1; a <= d.NumArchi && !arco; ++a)
        if (d.archi[a].Percorso.size() > 20) arco = a;
    ASSERT_GT(arco, 0);
    const int pause = rispondiAlPasso(QString::number(arco), "Successivo",
                                      [&] { pannello->pulsante("CndVisListaCelle")->click(); });
    EXPECT_GE(pause, 4);
    int gialle = 0;
    for (int r = 0; r < Gr.rows(); ++r)
        for (int c = 0; c < Gr.cols(); ++c) gialle += Gr.style(r, c).backColor == kColorePunto;
    EXPECT_GE(gialle, 4);
    EXPECT_TRUE(pannello->isEnabled());
    std::filesystem::remove_all(dumps);
}

// A left click on a display cell of the main grid, as a person clicks it.
void clicCella(MainWindow& w, int r, int c) {
    const QRect cella = w.gridView().cellRect(r, c);
    ASSERT_FALSE(cella.isEmpty()) << r << "," << c;
    QWidget* vista = w.gridView().viewport();
    const QPointF locale(cella.center());
    const QPointF globale(vista->mapToGlobal(cella.center()));
    QMouseEvent giu(QEvent::MouseButtonPress, locale, globale, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(vista, &giu);
    QMouseEvent su(QEvent::MouseButtonRelease, locale, globale, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vista, &su);
    QApplication::processEvents();
}

// What a developer met while a panel step ran: the value the input box proposed (accepted as it stood),
// the step viewers (each answered by its developer panel's button `pulsante`) and the message boxes.
struct Incontrato {
    QString proposto;
    int visori = 0;
    QStringList messaggi;
};

Incontrato rispondiComeProposto(const char* pulsante, const std::function<void()>& comando) {
    Incontrato visto;
    QTimer t;
    t.setInterval(10);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QInputDialog*>(modale)) {
            visto.proposto = box->textValue();
            box->accept();
        } else if (auto* visore = qobject_cast<Form3*>(modale); visore && visore->isVisible()) {
            ++visto.visori;
            if (QPushButton* b = visore->findChild<QPushButton*>(pulsante))
                b->click();
            else
                visore->action("Successivo")->trigger();
        } else if (auto* messaggio = qobject_cast<QMessageBox*>(modale)) {
            visto.messaggi << messaggio->text();
            messaggio->accept();
        }
    });
    t.start();
    comando();
    t.stop();
    QApplication::processEvents();
    return visto;
}

// The developer layout as the issue met it, on 6_1 chosen in the knot list and built by "Tutto": a click on
// a strand of arc 3 and "ListaCelle" propose arc 3, which is listed cell by cell, as is arc 1 (laid out
// along the layout's tree, with no path of its own); "Tpon" then "OK" on the step viewer's developer panel
// records no step, and the caption still says Step 0.
TEST(DeveloperWindow, ListaCelleAndTponOnSixOneAsTheDeveloperMeetsThem) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    PannelloSviluppoQt* pannello = w.developerPanel();
    ASSERT_NE(pannello, nullptr);
    auto* catalogo = pannello->findChild<QComboBox*>("CmbNodi");
    ASSERT_NE(catalogo, nullptr);
    const int voce = catalogo->findText("6_1");
    ASSERT_GE(voce, 0);
    catalogo->setCurrentIndex(voce);
    catalogo->activated(voce);
    pannello->pulsante("CmdTutto")->click();
    QApplication::processEvents();
    const Diagram& d = w.form().doc().diagram;
    ASSERT_EQ(d.NumIncroci, 7);
    ASSERT_EQ(w.windowTitle().toStdString(), " Trevalon - Step 0");
    GridControl& Gr = w.form().vista().Gr;
    const auto gialle = [&Gr] {
        int n = 0;
        for (int r = 0; r < Gr.rows(); ++r)
            for (int c = 0; c < Gr.cols(); ++c) n += Gr.style(r, c).backColor == kColorePunto;
        return n;
    };

    // Arc 1, proposed before any click.
    Incontrato visto =
        rispondiComeProposto("CmdContinua", [&] { pannello->pulsante("CndVisListaCelle")->click(); });
    EXPECT_EQ(visto.proposto, "1");
    EXPECT_TRUE(visto.messaggi.isEmpty()) << visto.messaggi.join("|").toStdString();
    EXPECT_GE(visto.visori, 5);
    EXPECT_GE(gialle(), 5);
    EXPECT_FALSE(d.archi[1].Percorso.empty());

    // A strand of arc 3, clicked; then "gecare" and "ListaCelle".
    int r3 = 0, c3 = 0, celle3 = 0;
    for (int r = d.limiti.RigaMin; r <= d.limiti.RigaMax; ++r)
        for (int c = d.limiti.ColMin; c <= d.limiti.ColMax; ++c)
            if (d.TblNodo.at(r, c).Tipo == 'A' && d.TblNodo.at(r, c).Numero == 3) {
                ++celle3;
                r3 = r;
                c3 = c;
            }
    ASSERT_GT(celle3, 0);
    int gr = 0, gc = 0;
    Trasforma(d.limiti, r3, c3, gr, gc);
    pannello->pulsante("Cmdgecare")->click();
    QApplication::processEvents();
    clicCella(w, gr, gc);
    EXPECT_TRUE(w.windowTitle().contains(">A<3")) << w.windowTitle().toStdString();
    visto = rispondiComeProposto("CmdContinua", [&] { pannello->pulsante("CndVisListaCelle")->click(); });
    EXPECT_EQ(visto.proposto, "3");
    EXPECT_TRUE(visto.messaggi.isEmpty()) << visto.messaggi.join("|").toStdString();
    EXPECT_GE(visto.visori, celle3);
    EXPECT_FALSE(d.archi[3].Percorso.empty());

    // "Tpon", "OK": no step recorded, the caption names step 0.
    pannello->pulsante("CmdTutto")->click();
    QApplication::processEvents();
    visto = rispondiComeProposto("cmdOK", [&] { pannello->pulsante("CmdTpon")->click(); });
    EXPECT_EQ(visto.visori, 1);
    EXPECT_EQ(w.form().doc().storia.NumStato, 0);
    EXPECT_EQ(w.windowTitle().toStdString(), " Trevalon - Step 0");
}

// A knot kept as a cell drawing, opened with "Da Disegno": "Tric", answered "Applica" in the step viewer,
// rebuilds it from its redrawn drawing, one curl fewer, and records no step.
TEST(DeveloperWindow, ADrawnKnotMovedIsRebuiltFromItsRedrawnDrawing) {
    testing::testApp();
    const std::filesystem::path file = fixture::cartellaProva() / "DevCurl.kno";
    ASSERT_TRUE(fixture::scriviTrifoglioDisegnatoConRiccio(file));
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    PannelloSviluppoQt* pannello = w.developerPanel();
    testing::scegliNelDialogo(file, [&] { pannello->pulsante("CmdDaDisegno")->click(); });
    ASSERT_EQ(w.form().doc().modi.ModoGen, GenMode::CellDrawing);
    ASSERT_EQ(w.form().doc().diagram.NumIncroci, 4);
    EXPECT_GE(rispondiAlPasso("", "Applica", [&] { pannello->pulsante("CmdTric")->click(); }), 1);
    EXPECT_EQ(w.form().doc().diagram.NumIncroci, 3);
    EXPECT_EQ(contaIncrociDis(w.form().doc().tblGen), 3);
    EXPECT_EQ(w.form().doc().modi.ModoGen, GenMode::CellDrawing);
    EXPECT_EQ(w.form().doc().storia.NumStato, 0);
    EXPECT_TRUE(w.windowTitle().startsWith(" Trevalon - DevCurl - Step 0")) << w.windowTitle().toStdString();
    EXPECT_GT(immagini(w.form().vista().Gr), 20);
    std::filesystem::remove(file);
}

// Every file the debug runs write, of knots from a code and of a drawn knot, is named in the help of
// "--debug".
TEST(DebugHelp, NamesEveryDumpTheRunsWrite) {
    const std::filesystem::path dir = fixture::cartellaProva() / "dumps_help";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path curl = fixture::cartellaProva() / "HelpCurl.kno";
    ASSERT_TRUE(fixture::scriviTrifoglioDisegnatoConRiccio(curl));
    for (const std::string& knot : {fixture::campione("Unknot40.gau"), fixture::campione("FigureEight.gau"),
                                    fixture::campione("Granny.gau"), curl.string()}) {
        fixture::FinestraDiProva f;
        f.ctx.ModoDebug = true;
        f.ctx.cartellaDump = dir;
        f.form.Form_Load();
        FinestraForm2 mosse(f.form);
        ASSERT_TRUE(ApriGen(f.form.contesto(), f.form.vista(), knot));
        f.ui.viewerAnswers = {ViewerAnswer::Sel};
        DoTric(mosse, true);
        (void)AzioneCompleta(f.form, mosse, nullptr);
    }
    const std::string aiuto = dumpDelDebug();
    // "celdis_<stage>_<step>_.txt" stands in the help for the numbered dumps of the cell drawing.
    const auto nomeInAiuto = [](const std::string& nome) {
        const bool numerato = nome.starts_with("celdis_") && nome.ends_with("_.txt") &&
                              std::count(nome.begin(), nome.end(), '_') == 3 &&
                              nome.find_first_not_of("0123456789_", 7) == nome.size() - 4;
        return numerato ? std::string("celdis_<stage>_<step>_.txt") : nome;
    };
    std::set<std::string> scritti;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        scritti.insert(nomeInAiuto(e.path().filename().string()));
    for (const char* atteso : {"archi.txt", "archiA.txt", "pontiA.txt", "coppie.txt", "posricalc.txt"})
        EXPECT_TRUE(scritti.count(atteso)) << atteso;
    for (const std::string& nome : scritti) EXPECT_NE(aiuto.find(nome), std::string::npos) << nome;
    std::filesystem::remove_all(dir);
    std::filesystem::remove(curl);
}

// In the developer layout the step viewer opens on the candidate as in the ordinary one, with its label
// whole; the main window keeps its grid and its panel's height behind it; one "Interrompi" ends the search.
TEST(DeveloperWindow, TricOpensTheViewerOnTheCandidateAndOneInterrompiEndsIt) {
    testing::testApp();
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoSviluppo = true;
    MainWindow w(ctx);
    w.resize(1200, 900);
    w.show();
    QApplication::processEvents();
    PannelloSviluppoQt* pannello = w.developerPanel();
    ASSERT_NE(pannello, nullptr);
    // The right trefoil with two curls: two candidates for "Tric".
    namespace ts = trevalon::testsupport;
    const ts::GaussDiagram g =
        ts::addCurl(ts::addCurl(ts::diagramOf(ts::namedKnot("trefoil_right")), 2, true, 1), 5, false, -1);
    pannello->findChild<QLineEdit*>("txtNodo")->clear();
    pannello->findChild<QLineEdit*>("TxtOri")->clear();
    w.developerPanelEngine()->txtNodo.clear();
    w.developerPanelEngine()->TxtOri.clear();
    digita(pannello->findChild<QLineEdit*>("txtNodo"), QString::fromStdString(ts::gaussText(g)));
    digita(pannello->findChild<QLineEdit*>("TxtOri"), QString::fromStdString(ts::lettersText(g)));
    pannello->pulsante("CmdTutto")->click();
    QApplication::processEvents();
    ASSERT_GT(w.form().doc().diagram.NumIncroci, 3);
    const int altezzaPannello = pannello->height();
    const QRect grigliaPrima = w.gridView().geometry();

    int visori = 0, immaginiAllApertura = -1;
    bool grigliaAlSuoPosto = false, pannelloUguale = false;
    QString etichetta, messaggio;
    QStringList messaggi;
    QTimer attesa;
    attesa.setInterval(20);
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messaggi << box->text();
            box->accept();
            return;
        }
        auto* f = qobject_cast<Form3*>(QApplication::activeModalWidget());
        if (!f || !f->isVisible() || f->property("visto").toBool()) return;
        f->setProperty("visto", true);
        ++visori;
        QApplication::processEvents();
        immaginiAllApertura = immagini(f->model().Gr3);
        grigliaAlSuoPosto = w.gridView().isVisible() && w.gridView().geometry() == grigliaPrima;
        pannelloUguale = pannello->height() == altezzaPannello;
        if (auto* l = f->findChild<QLabel*>("lblmsg")) {
            etichetta = l->text();
            messaggio = l->toolTip();
        }
        f->findChild<QPushButton*>("CmdInterrompi")->click();
    });
    attesa.start();
    pannello->pulsante("CmdTric")->click();
    QApplication::processEvents();
    attesa.stop();

    EXPECT_EQ(visori, 1) << messaggi.join(" / ").toStdString();
    EXPECT_GT(immaginiAllApertura, 20);
    EXPECT_TRUE(grigliaAlSuoPosto);
    EXPECT_TRUE(pannelloUguale);
    EXPECT_EQ(etichetta, messaggio);
    EXPECT_TRUE(pannello->isEnabled());
}

// The ordinary layout has no panel.
TEST(DeveloperWindow, TheOrdinaryLayoutHasNoPanel) {
    testing::testApp();
    MainWindow w(TREVALON_SOURCE_DIR);
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.developerPanel(), nullptr);
    EXPECT_TRUE(w.toolbar().isVisible());
}

}  // namespace
}  // namespace trevalon
