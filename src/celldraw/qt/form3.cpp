#include "celldraw/qt/form3.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <exception>

#include "celldraw/qt/viewer_icons.h"
#include "layout/qt/tile_painter.h"
#include "platform/qt/grid_view.h"
#include "reports/print_layout.h"
#include "reports/qt/frm_report.h"
#include "reports/qt/page_render.h"

namespace trevalon {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Shows the busy pointer while the cell drawing is redrawn.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The viewer prints its own step unless its caller says otherwise.
CellDrawingActions conStampa(CellDrawingActions actions, Form3* viewer) {
    if (!actions.Generareport) actions.Generareport = [viewer] { viewer->Generareport(); };
    return actions;
}

}  // namespace

Form3::Form3(const StepViewRequest& request, StepViewerShared shared, MessagePort& messages, ClockPort& clock,
             QWidget* mainWindow, QWidget* mainGridWidget, GridControl* mainGridForCopyBack,
             CellDrawingActions actions)
    : QDialog(mainWindow),
      model_(request, shared, messages, clock, conStampa(std::move(actions), this)),
      mainWindow_(mainWindow),
      mainGridWidget_(mainGridWidget) {
    setObjectName("Form3");
    setModal(true);
    setWindowTitle(QStringLiteral("Trevalon"));
    // Title bar with a close box only: no help button, no way round the close request.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    model_.mainGridForCopyBack = mainGridForCopyBack;

    tlb1_ = new QToolBar(this);
    tlb1_->setObjectName("tlb1");
    tlb1_->setIconSize(QSize(24, 24));
    lblmsg_ = new QLabel(this);
    lblmsg_->setObjectName("lblmsg");
    gr3_ = new GridView(tilePicturePainter(), this);
    gr3_->setObjectName("Gr3");
    stbr_ = new QStatusBar(this);
    stbr_->setObjectName("Stbr");
    stbr_->setSizeGripEnabled(false);
    for (const char* key : {"p1", "p2", "p4"}) {
        auto* label = new QLabel(this);
        label->setObjectName(key);
        label->setMinimumWidth(std::string(key) == "p2" ? 300 : 80);
        stbr_->addWidget(label, std::string(key) == "p2" ? 1 : 0);
        panels_[key] = label;
    }
    buildDeveloperPanel();
    // The progress of a long redraw shows in the viewer's own status bar while the redraw runs.
    model_.onPanelsChanged = [this] {
        for (auto& [key, label] : panels_) {
            label->setText(q(model_.panel(key)));
            label->repaint();
        }
    };
    // A diagram from a code shows the coloured tiles of its redraw as they are drawn.
    model_.onTileDrawn = [this](int r, int c) {
        const QRect cella = gr3_->cellRect(r, c);
        if (cella.isEmpty() || !gr3_->viewport()->rect().intersects(cella)) return;
        gr3_->refresh();
        gr3_->viewport()->repaint(cella);
    };
    connect(gr3_, &GridView::cellClicked, this, [this](int row, int col) {
        model_.Gr3_Click(row, col);
        syncFromModel();
    });

    // Load: the main window's size, at the top of the screen and centred across it.
    if (mainWindow_) {
        resize(mainWindow_->size());
        const QScreen* screen = mainWindow_->screen() ? mainWindow_->screen() : QApplication::primaryScreen();
        if (screen)
            move(screen->geometry().x() + (screen->geometry().width() - width()) / 2, screen->geometry().y());
    } else {
        resize(900, 650);
    }
    // A pause of the developer aids keeps the main grid in sight: the viewer is a strip at the bottom.
    if (request.pausa) {
        const QScreen* screen =
            mainWindow_ && mainWindow_->screen() ? mainWindow_->screen() : QApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const int altezza = std::min(area.height() / 4, 220);
        resize(area.width(), altezza);
        move(area.x(), area.bottom() - altezza);
    }
    try {
        model_.Form_Load();
    } catch (const std::exception& e) {
        messages.showMessage(e.what());
    }
    buildToolbar();
    setMessage(model_.lblmsg());
    gr3_->setGrid(&model_.Gr3);
    // The main grid is out of sight while the viewer shows a step, except in a pause, which is about it,
    // and in the developer layout, whose panels around the grid keep their places. Hidden, the grid keeps
    // its room, so the main window's layout stays as it is behind the viewer.
    if (mainGridWidget_ && !request.pausa && !shared.ModoSviluppo) {
        mainGridWasVisible_ = mainGridWidget_->isVisible();
        QSizePolicy politica = mainGridWidget_->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        mainGridWidget_->setSizePolicy(politica);
        mainGridWidget_->hide();
    }
    const bool dev = model_.developerLayout();
    frame1_->setVisible(dev);
    tlb1_->setVisible(!dev);
    stbr_->setVisible(!dev);
    syncFromModel();
}

Form3::~Form3() {
    if (mainGridWidget_ && mainGridWasVisible_) mainGridWidget_->show();
}

void Form3::buildToolbar() {
    for (const ViewerButton& b : model_.buttons()) {
        QAction* a = nullptr;
        if (b.isGap()) {
            auto* gap = new QWidget(tlb1_);
            gap->setObjectName(q(b.key));
            gap->setFixedWidth(std::max(1, px(b.gapTwips)));
            a = tlb1_->addWidget(gap);
        } else {
            a = tlb1_->addAction(viewerIcon(b.image), q(b.tooltip));
            a->setObjectName(q(b.key));
            a->setToolTip(q(b.tooltip));
            const std::string key = b.key;
            connect(a, &QAction::triggered, this, [this, key] { clickKey(key); });
        }
        a->setData(q(b.key));
        a->setVisible(b.visible);
        actions_.emplace_back(b.key, a);
    }
}

void Form3::buildDeveloperPanel() {
    frame1_ = new QFrame(this);
    frame1_->setObjectName("Frame1");
    frame1_->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QGridLayout(frame1_);
    layout->setContentsMargins(4, 4, 4, 4);
    int column = 0;
    auto button = [&](const char* name, const char* caption, auto handler) {
        auto* b = new QPushButton(QString::fromUtf8(caption), frame1_);
        b->setObjectName(name);
        layout->addWidget(b, 0, column++);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button("cmdOK", "OK", [this] { handle(model_.cmdOK_Click()); });
    button("CmdContinua", "Continua", [this] { handle(model_.CmdContinua_Click()); });
    button("CmdInterrompi", "Interrompi", [this] { handle(model_.CmdInterrompi_Click()); });
    button("CmdRipeti", "Ripeti", [this] { handle(model_.CmdRipeti_Click()); });
    button("CmdDisDis", "Dis", [this] {
        model_.CmdDisDis_Click();
        handle(false);
    });
    button("CmdGenCeldis", "CelDis", [this] {
        model_.CmdGenCeldis_Click();
        handle(false);
    });
    button("CmdsavDis", "SavDis", [this] {
        model_.CmdsavDis_Click();
        handle(false);
    });
    button("Command5", "Disegna", [this] {
        model_.Command5_Click();
        handle(false);
    });
    button("Command6", "Dim", [this] {
        model_.Command6_Click();
        handle(false);
    });
    button("Command7", "aum", [this] {
        model_.Command7_Click();
        handle(false);
    });
    button("Command8", "Report", [this] {
        WaitCursor wait;
        model_.Command8_Click();
        handle(false);
    });
    button("Stampa", "Stampa", [this] { clickKey("Stampa"); });
    auto* dbg = new QCheckBox(QStringLiteral("dbg"), frame1_);
    dbg->setObjectName("Chdbgrad");
    layout->addWidget(dbg, 0, column++);
    connect(dbg, &QCheckBox::toggled, this, [this](bool on) { model_.Chdbgrad_Click(on); });
    chkgr_ = new QCheckBox(QStringLiteral("gr"), frame1_);
    chkgr_->setObjectName("Chkgr");
    layout->addWidget(chkgr_, 0, column++);
    connect(chkgr_, &QCheckBox::toggled, this, [this](bool on) {
        model_.Chkgr_Click(on);
        handle(false);
    });
    layout->setColumnStretch(column, 1);
}

std::vector<QAction*> Form3::actions(const std::string& key) const {
    std::vector<QAction*> out;
    for (const auto& [k, a] : actions_)
        if (k == key) out.push_back(a);
    return out;
}

QAction* Form3::action(const std::string& key) const {
    for (const auto& [k, a] : actions_)
        if (k == key) return a;
    return nullptr;
}

QString Form3::panelText(const std::string& key) const {
    auto it = panels_.find(key);
    return it == panels_.end() ? QString() : it->second->text();
}

void Form3::clickKey(const std::string& key) {
    bool closes = false;
    try {
        if (key == "Applica" || key == "Migliora") {
            WaitCursor wait;
            closes = model_.tlb1_ButtonClick(key);
        } else {
            closes = model_.tlb1_ButtonClick(key);
        }
    } catch (const std::exception& e) {
        // Nothing leaves the event loop: the failure is shown and the viewer stays open.
        setMessage(e.what());
    }
    handle(closes);
}

void Form3::handle(bool closes) {
    syncFromModel();
    if (closes) closeByCode();
}

void Form3::syncFromModel() {
    setWindowTitle(q(model_.caption()));
    const auto& buttons = model_.buttons();
    for (std::size_t i = 0; i < buttons.size() && i < actions_.size(); ++i)
        actions_[i].second->setVisible(buttons[i].visible);
    // A zoom button at the end of its range would do nothing: it is off.
    const Zoom& zoom = model_.shared().zoom;
    for (QAction* a : actions("Dimensmeno")) a->setEnabled(zoom.LivelloZoom > zoom.ZoomMin);
    for (QAction* a : actions("Dimenspiu")) a->setEnabled(zoom.LivelloZoom < zoom.ZoomMax);
    for (auto& [key, label] : panels_) label->setText(q(model_.panel(key)));
    gr3_->setGridLines(model_.gridLines);
    if (chkgr_->isChecked() != model_.gridLines) {
        const QSignalBlocker block(chkgr_);
        chkgr_->setChecked(model_.gridLines);
    }
    gr3_->refresh();
    if (isVisible()) layoutChildren();
}

void Form3::activate() {
    if (activating_) return;
    activating_ = true;
    try {
        model_.Form_Activate(mainWindow_ ? mainWindow_->windowTitle().toStdString()
                                         : std::string("Trevalon"));
    } catch (const std::exception& e) {
        setMessage(e.what());
    }
    syncFromModel();
    activating_ = false;
}

void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    layoutChildren();
    // The first showing counts as the first activation even where the platform sends none.
    activate();
}

bool Form3::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible()) activate();
    return QDialog::event(event);
}

void Form3::closeEvent(QCloseEvent* event) {
    if (!closingByCode_ && !model_.QueryUnload(true)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Form3::reject() {
    // Escape is a close request of the person, like the title bar's close box.
    if (!closingByCode_ && !model_.QueryUnload(true)) return;
    QDialog::reject();
}

void Form3::closeByCode() {
    closingByCode_ = true;
    done(QDialog::Accepted);
    if (mainGridWidget_ && mainGridWasVisible_) mainGridWidget_->show();
}

void Form3::setMessage(const std::string& text) {
    // One line beside the toolbar, whatever its length: the toolbar keeps its height and its buttons their
    // place from one candidate to the next. The whole text is in the tooltip.
    message_ = QString::fromStdString(text).simplified();
    lblmsg_->setToolTip(message_);
    elideMessage();
}

void Form3::elideMessage() {
    lblmsg_->setText(
        lblmsg_->fontMetrics().elidedText(message_, Qt::ElideRight, std::max(0, lblmsg_->width())));
}

void Form3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutChildren();
}

void Form3::layoutChildren() {
    // The grid stands 20 twips under the toolbar (or the developer panel), 200 twips short of the right
    // edge and 1000 twips short of the bottom, where the status bar is.
    const int w = width();
    const int h = height();
    int top = 0;
    if (model_.developerLayout()) {
        frame1_->setGeometry(0, 0, w, frame1_->sizeHint().height());
        const int labelHeight = lblmsg_->sizeHint().height();
        lblmsg_->setGeometry(8, frame1_->geometry().bottom() + 1, std::max(0, w - 16), labelHeight);
        elideMessage();
        top = lblmsg_->geometry().bottom() + 1;
    } else {
        const int barHeight = std::max(tlb1_->sizeHint().height(), lblmsg_->fontMetrics().height());
        const int barWidth = std::min(w, tlb1_->sizeHint().width());
        tlb1_->setGeometry(0, 0, barWidth, barHeight);
        lblmsg_->setGeometry(barWidth + 8, 0, std::max(0, w - barWidth - 16), barHeight);
        elideMessage();
        top = barHeight;
    }
    top += px(20);
    gr3_->setGeometry(0, top, std::max(1, w - px(200)), std::max(1, h - top - px(1000)));
    const int statusHeight = stbr_->sizeHint().height();
    stbr_->setGeometry(0, h - statusHeight, w, statusHeight);
    // The viewer keeps what the person must see within the part of the grid shown.
    const QSize vista = gr3_->viewport()->size();
    model_.setVistaGriglia(vista.width() * kTwipsPerPixel, vista.height() * kTwipsPerPixel);
}

void Form3::Generareport() {
    const QtTextMeasure measure;
    FrmReport preview(trevalon::Generareport(model_.Gr3, model_.caption(), model_.ColonnaBaseDis,
                                             model_.secondiRicerca(), measure),
                      tilePicturePainter(), this);
    preview.exec();
}

ViewerAnswer Form3::mostra() {
    exec();
    return model_.EsitoDialogo();
}

ViewerAnswer mostraStepViewer(const StepViewRequest& request, StepViewerShared shared, MessagePort& messages,
                              ClockPort& clock, QWidget* mainWindow, QWidget* mainGridWidget,
                              GridControl* mainGridForCopyBack, CellDrawingActions actions) {
    Form3 viewer(request, shared, messages, clock, mainWindow, mainGridWidget, mainGridForCopyBack,
                 std::move(actions));
    return viewer.mostra();
}

}  // namespace trevalon
