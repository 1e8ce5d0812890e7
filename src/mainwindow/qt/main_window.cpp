#include "mainwindow/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTime>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

#include "celldraw/qt/form3.h"
#include "layout/qt/tile_painter.h"
#include "mainwindow/commands.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/qt/toolbar_icons.h"
#include "mainwindow/small_boxes.h"
#include "mainwindow/toolbar.h"
#include "platform/qt/grid_view.h"
#include "reports/print_layout.h"
#include "reports/qt/frm_report.h"
#include "reports/qt/page_render.h"

namespace trevalon {

namespace {

const QString kTitle = QStringLiteral("Trevalon");

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A message box with the program's title, wide enough to show that title whole however short the text.
int messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
               QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, kTitle, text, buttons, parent);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(kTitle) * 2 + 160;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return box.exec();
}

}  // namespace

QString dialogFilterText(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& f : filters) {
        QStringList patterns;
        for (const std::string& p : f.patterns) patterns << q(p);
        parts << q(f.description) + " (" + patterns.join(' ') + ")";
    }
    return parts.join(";;");
}

namespace {

ProgramContext contestoDi(const std::filesystem::path& programFolder) {
    ProgramContext c;
    c.programFolder = programFolder;
    return c;
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& programFolder, QWidget* parent)
    : MainWindow(contestoDi(programFolder), parent) {}

MainWindow::MainWindow(ProgramContext context, QWidget* parent)
    : QMainWindow(parent), ctx_(std::move(context)) {
    form_ = std::make_unique<Form2>(ctx_, *this);
    form_->setOnClose([this] { close(); });
    InstallaComandiDiagramma(*form_);

    // The diagram grid under the toolbar, with the stop frame above it while a search runs.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    frame3_ = new QFrame(central);
    frame3_->setObjectName("Frame3");
    frame3_->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QHBoxLayout(frame3_);
    frame3Text_ = new QLabel(frame3_);
    command15_ = new QPushButton(tr("Cancel"), frame3_);
    command15_->setObjectName("Command15");
    frameLayout->addWidget(frame3Text_, 1);
    frameLayout->addWidget(command15_);
    frame3_->hide();
    connect(command15_, &QPushButton::clicked, this, [this] { form_->contesto().RichiestaStop.richiedi(); });
    grid_ = new GridView(tilePicturePainter(), central);
    grid_->setObjectName("Gr");
    layout->addWidget(frame3_);
    layout->addWidget(grid_, 1);
    setCentralWidget(central);

    buildToolbar();
    buildStatusBar();
    setWindowTitle(kTitle);

    try {
        form_->Form_Load();
    } catch (const std::exception& e) {
        MainWindow::showMessage(e.what());  // no override is there yet
    }
    grid_->setGrid(&form_->vista().Gr);

    // The move commands and the complete run, whose step list opens over this window.
    mosse_ = std::make_unique<FinestraForm2>(*form_);
    listaPassi_ = std::make_unique<QtStepListPort>(this);
    InstallaComandiMosse(*form_, *mosse_, *listaPassi_);
    somma_ = std::make_unique<FinestraSommaForm2>(form_->contesto(), form_->vista());
    InstallaComandiSomma(*form_, *somma_);
    caselle_ = std::make_unique<QtBoxes>(this);
    InstallaComandiCaselle(*form_, *caselle_);
    form_->setCommand("Servizi", [this] { apriDesigner(); });

    // The developer layout: the panel of construction buttons over the grid, in place of the toolbar and
    // the status bar.
    if (form_->doc().modi.ModoSviluppo) {
        pannello_ = std::make_unique<PannelloSviluppo>(*form_);
        // The print preview of the main grid, and the report of the pictures kept in the "report" folder.
        pannello_->aggiungi({"Stampa", "Stampa", [this] {
                                 std::string titolo = caption();
                                 if (form_->doc().storia.NumStato != 0) titolo += " simplification";
                                 FrmReport anteprima(
                                     DuplicaGrid2(form_->vista().Gr, 1, titolo, QtTextMeasure{}),
                                     tilePicturePainter(), this);
                                 anteprima.exec();
                             }});
        pannello_->aggiungi(
            {"Command14", "Report", [this] { mostraReportImmagini(ctx_.programFolder, this, *this); }});
        pannelloQt_ = new PannelloSviluppoQt(
            *pannello_, form_->vista(), *grid_, [this](const std::function<void()>& w) { runGuarded(w); },
            central);
        layout->insertWidget(0, pannelloQt_);
        // The editor on the main grid: its drawing tools take the panel's place while drawing mode is on.
        editorQt_ = new EditorGrigliaQt(
            form_->contesto(), form_->vista(), *grid_, pannelloQt_,
            [this](const std::function<void()>& w) { runGuarded(w); }, central);
        layout->insertWidget(1, editorQt_);
        toolbar_->hide();
        statusBar()->hide();
    }
}

void MainWindow::apriDesigner() {
    // A designer put aside after a compilation comes back as it was left.
    if (designer_) {
        designer_->show();
        designer_->raise();
        designer_->activateWindow();
        return;
    }
    // A knot compiled in the designer opens here at step 0, as an opened knot file does.
    auto compilato = [this](NodoCostruito&& nodo, const std::filesystem::path& fileNodo) {
        // Opened as its knot file opens, with the same dumps.
        if (nodo.tblGen) scriviDumpDisegnato(form_->contesto(), *nodo.tblGen);
        apriPassoZero(form_->contesto(), form_->vista(), std::move(nodo), fileNodo.string(),
                      KnotFileKind::Object);
        form_->nodoAperto();
    };
    designer_ = new Form6(ctx_.programFolder / "Knots", compilato, this);
    designer_->setWindowFlag(Qt::Window);
    designer_->setAttribute(Qt::WA_DeleteOnClose);
    designer_->setWindowModality(Qt::ApplicationModal);
    designer_->show();
}

MainWindow::~MainWindow() {
    while (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

void MainWindow::buildToolbar() {
    toolbar_ = addToolBar(tr("Commands"));
    toolbar_->setObjectName("tlb1");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    for (const ToolbarEntry& e : ToolbarCommands()) {
        const std::string key(e.key);
        if (e.isGap()) {
            auto* gap = new QWidget(toolbar_);
            gap->setFixedWidth(std::max(1, e.gapTwips / kTwipsPerPixel));
            toolbar_->addWidget(gap);
            continue;
        }
        QAction* a = toolbar_->addAction(toolbarIcon(e.imageKey), q(std::string(e.tooltip)));
        a->setObjectName(q(key));
        a->setData(q(key));
        a->setToolTip(q(std::string(e.tooltip)));
        a->setVisible(e.visible);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, key] { runCommand(key); });
        actions_[key] = a;
    }
}

void MainWindow::buildStatusBar() {
    p1_ = new QLabel(this);
    p1_->setObjectName("p1");
    p1_->setMinimumWidth(160);
    p2_ = new QLabel(this);
    p2_->setObjectName("p2");
    statusBar()->addWidget(p1_);
    statusBar()->addWidget(p2_, 1);
}

QAction* MainWindow::action(const std::string& key) const {
    auto it = actions_.find(key);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::runCommand(const std::string& key) {
    runGuarded([this, &key] { form_->tlb1_ButtonClick(key); });
}

void MainWindow::runGuarded(const std::function<void()>& work) {
    // The events served while a command works may hold clicks on the toolbar: they wait for it to end.
    if (running_) return;
    running_ = true;
    applyToolbarState();
    sinceEvents_.start();
    const std::size_t dumpPrima = ctx_.dumpNonScritti.quanti;
    try {
        work();
    } catch (const std::exception& e) {
        while (busyDepth_ > 0) setBusy(false);
        showMessage(e.what());
    }
    // Each dump that failed only flashed by in the status bar: the count is what stays.
    riferisciDumpNonScritti(ctx_.dumpNonScritti, dumpPrima, form_->contesto().ui, form_->contesto().ui);
    running_ = false;
    applyToolbarState();
    grid_->refresh();
    if (closeAfterRun_) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        closeAfterRun_ = true;
        form_->richiediChiusura();
        event->ignore();
        return;
    }
    // The picture and property boxes go with the window.
    Unloadform4(*caselle_);
    UnloadFormprop(*caselle_);
    QMainWindow::closeEvent(event);
}

void MainWindow::applyToolbarState() {
    toolbar_->setEnabled(toolbarWanted_ && !running_);
    if (pannelloQt_) pannelloQt_->setEnabled(toolbarWanted_ && !running_);
}

void MainWindow::activate() {
    const bool prima = form_->primaAttivazione();
    try {
        form_->Form_Activate();
    } catch (const std::exception& e) {
        showMessage(e.what());
    }
    // The first activation of the developer layout loads the catalogue of named knots.
    if (prima && pannello_) {
        const Status letto = pannello_->CaricaTabellaNodiCodificati();
        pannelloQt_->riempiCatalogo();
        if (!letto) showMessage(letto.error());
    }
    grid_->refresh();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) activate();
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first showing counts as the first activation even where the platform sends none.
    if (form_->primaAttivazione()) activate();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The grid's height in twips, read by the grid editor and the grid doubling.
    form_->vista().AltezzaGriglia = grid_->height() * kTwipsPerPixel;
    form_->vista().LarghezzaVista = grid_->viewport()->width() * kTwipsPerPixel;
    form_->vista().AltezzaVista = grid_->viewport()->height() * kTwipsPerPixel;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F9 && event->modifiers() == Qt::ShiftModifier) {
        form_->Form_KeyDown(120, true);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::showMessage(const std::string& text) {
    messageBox(this, QMessageBox::Information, q(text), QMessageBox::Ok);
}

bool MainWindow::askYesNo(const std::string& text) {
    return messageBox(this, QMessageBox::Question, q(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<std::string> MainWindow::askInput(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(this, title.empty() ? kTitle : q(title), q(prompt),
                                                 QLineEdit::Normal, q(defaultText), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
}

std::string MainWindow::openFileName(const std::string& folder, const std::vector<FileFilter>& filters) {
    const QString name = QFileDialog::getOpenFileName(this, tr("Open"), q(folder), dialogFilterText(filters));
    // The window is painted again before the work on the chosen file begins.
    QCoreApplication::processEvents();
    return name.toStdString();
}

std::string MainWindow::saveFileName(const std::string& folder, const std::string& proposedName,
                                     const std::vector<FileFilter>& filters) {
    const std::filesystem::path proposed(proposedName);
    const std::filesystem::path start =
        proposed.is_absolute() || folder.empty() ? proposed : std::filesystem::path(folder) / proposed;
    // The dialog asks before overwriting an existing file.
    const QString name =
        QFileDialog::getSaveFileName(this, tr("Save As"), q(start.string()), dialogFilterText(filters));
    QCoreApplication::processEvents();
    return name.toStdString();
}

QLabel* MainWindow::panelLabel(const std::string& key) const {
    if (key == "p1") return p1_;
    if (key == "p2") return p2_;
    return nullptr;
}

void MainWindow::setPanel(const std::string& key, const std::string& text) {
    if (QLabel* label = panelLabel(key)) {
        label->setText(q(text));
        label->repaint();  // at once, even in the middle of long work
    }
    if (pannelloQt_ && key == "p2") pannelloQt_->mostraStato(q(text));
}

std::string MainWindow::panel(const std::string& key) const {
    const QLabel* label = panelLabel(key);
    return label ? label->text().toStdString() : std::string();
}

void MainWindow::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

void MainWindow::setCommandEnabled(const std::string& key, bool enabled) {
    if (QAction* a = action(key)) a->setEnabled(enabled);
}

bool MainWindow::commandEnabled(const std::string& key) const {
    const QAction* a = action(key);
    return a && a->isEnabled();
}

void MainWindow::setToolbarEnabled(bool enabled) {
    toolbarWanted_ = enabled;
    applyToolbarState();
}

void MainWindow::setCaption(const std::string& text) {
    setWindowTitle(q(text));
}

std::string MainWindow::caption() const {
    return windowTitle().toStdString();
}

void MainWindow::showStopFrame(const std::string& text) {
    // The toolbar is off while the frame is shown.
    setToolbarEnabled(false);
    if (frame3_->isVisible() && frame3Text_->text() == q(text)) return;
    frame3Text_->setText(q(text));
    frame3_->show();
    frame3_->repaint();
}

void MainWindow::hideStopFrame() {
    frame3_->hide();
    setToolbarEnabled(true);
}

void MainWindow::yieldToEvents() {
    // Called in every pass of a long search: the events are served every few milliseconds, which keeps
    // the window responsive without slowing the search.
    constexpr qint64 kIntervalMs = 10;
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kIntervalMs) return;
    sinceEvents_.start();
    QCoreApplication::processEvents();
}

ViewerAnswer MainWindow::showCandidate(const StepViewRequest& request) {
    // The viewer is given the "Migliora" confirmation and the document's zoom, and gives them back.
    StepViewerShared shared;
    shared.ConfermaMigliora = ctx_.ConfermaMigliora;
    shared.zoom = form_->vista().zoom;
    shared.ModoSviluppo = form_->doc().modi.ModoSviluppo;
    shared.ModoSorgente = form_->doc().modi.ModoSorgente;
    shared.disegnoTesto = form_->doc().modi.ModoGen == GenMode::TextDrawing;
    // "Applica" redraws the move on the cell drawing; the commit of the move checks that drawing.
    Form3 viewer(request, shared, *this, *this, this, grid_, &form_->vista().Gr,
                 mosse_->azioniVisore(request.tipoMossa));
    // The person answers the viewer with the ordinary pointer; the search's busy pointer comes back after.
    const int occupato = busyDepth_;
    for (int i = 0; i < occupato; ++i) QApplication::restoreOverrideCursor();
    // A pause shows the step in the main grid: the grid is painted as the engine left it.
    if (request.pausa) grid_->refresh();
    const ViewerAnswer esito = viewer.mostra();
    for (int i = 0; i < occupato; ++i) QApplication::setOverrideCursor(Qt::WaitCursor);
    ctx_.ConfermaMigliora = viewer.model().shared().ConfermaMigliora;
    form_->vista().RigaClick = viewer.model().RigaClick;
    form_->vista().ColClick = viewer.model().ColClick;
    form_->vista().RigaClickPrec = viewer.model().RigaClickPrec;
    form_->vista().ColClickPrec = viewer.model().ColClickPrec;
    form_->vista().zoom = viewer.model().shared().zoom;
    form_->AbilitaZoom();
    grid_->refresh();
    return esito;
}

std::chrono::steady_clock::time_point MainWindow::now() {
    return std::chrono::steady_clock::now();
}

double MainWindow::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

bool MainWindow::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(q(path)));
}

}  // namespace trevalon
