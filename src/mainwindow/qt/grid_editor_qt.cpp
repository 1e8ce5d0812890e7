#include "mainwindow/qt/grid_editor_qt.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "mainwindow/window_context.h"
#include "platform/qt/grid_view.h"

namespace trevalon {

namespace {

void coloraEtichetta(QLabel* l, const EtichettaPalette& e) {
    l->setText(QString::fromStdString(e.Caption));
    l->setStyleSheet(QStringLiteral("background-color: %1; color: %2; font-weight: bold;")
                         .arg(colorFromBgr(e.BackColor).name(), colorFromBgr(e.ForeColor).name()));
}

}  // namespace

EditorGrigliaQt::EditorGrigliaQt(ContestoFinestra& f, VistaNodo& v, GridView& griglia, QFrame* frame1,
                                 std::function<void(const std::function<void()>&)> esegui, QWidget* parent)
    : QFrame(parent),
      f_(f),
      v_(v),
      griglia_(griglia),
      frame1_(frame1),
      esegui_(std::move(esegui)),
      editor_(f, v) {
    setObjectName("Frame2");
    setFrameShape(QFrame::StyledPanel);
    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(4, 4, 4, 4);

    const PaletteTraccia& p = editor_.palette;
    for (auto [nome, e] : {std::pair{"LblX", &p.LblX},
                           {"lblOri", &p.lblOri},
                           {"Lblvert", &p.Lblvert},
                           {"LblSPC", &p.LblSPC},
                           {"lblSotto", &p.lblSotto}}) {
        QLabel* l = etichetta(nome, *e);
        riga->addWidget(l);
        // The under-strand mark only shows its colour; the other four are picked.
        if (e != &p.lblSotto) {
            l->installEventFilter(this);
            etichette_[l] = e;
        }
    }
    LblSce_ = etichetta("LblSce", p.LblSce);
    riga->addSpacing(8);
    riga->addWidget(LblSce_);

    ChkSingolo_ = new QCheckBox(tr("Singolo"), this);
    ChkSingolo_->setObjectName("ChkSingolo");
    auto* dimDoppia = new QCheckBox(tr("Dim Doppia"), this);
    dimDoppia->setObjectName("ChDimDoppia");
    riga->addWidget(ChkSingolo_);
    riga->addWidget(dimDoppia);
    connect(ChkSingolo_, &QCheckBox::toggled, this, [this](bool on) { editor_.palette.ChkSingolo = on; });
    connect(dimDoppia, &QCheckBox::toggled, this, [this](bool on) { editor_.ChDimDoppia = on; });

    const auto bottone = [this, riga](const char* nome, const QString& caption,
                                      std::function<void()> azione) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(nome));
        connect(b, &QPushButton::clicked, this, [this, azione = std::move(azione)] {
            esegui_(azione);
            mostraStato();
        });
        riga->addWidget(b);
        pulsanti_[nome] = b;
    };
    bottone("Command9", tr("Undo"), [this] { editor_.Command9_Click(); });
    bottone("CmDAnnulla", tr("Annnulla"), [this] { editor_.CmDAnnulla_Click(); });
    bottone("CmdClear", tr("Clear"), [this] { editor_.CmdClear_Click(); });

    // "grl" here and on the panel are twins: either shows or hides the grid lines and ticks the other.
    auto* grl = new QCheckBox(tr("grl"), this);
    grl->setObjectName("Chg2");
    riga->addWidget(grl);
    riga->addStretch(1);
    auto* gemello = frame1_ ? frame1_->findChild<QCheckBox*>("Chg") : nullptr;
    connect(grl, &QCheckBox::toggled, this, [this, gemello](bool on) {
        griglia_.setGridLines(on);
        v_.Gr.setRow(0);
        if (gemello) {
            const QSignalBlocker blocco(gemello);
            gemello->setChecked(on);
        }
    });
    if (gemello)
        connect(gemello, &QCheckBox::toggled, this, [this, grl](bool on) {
            v_.Gr.setRow(0);
            const QSignalBlocker blocco(grl);
            grl->setChecked(on);
        });

    menu_ = new QMenu(this);
    menu_->setObjectName("MnuAzioni");
    aggiungiVoce("mnuAtDis", tr("Attiva/Disattiva"), true, &EditorGriglia::mnuAtDis);
    aggiungiVoce("MnuAsterisco", tr("Asterisco"), true, &EditorGriglia::MnuAsterisco);
    aggiungiVoce("mnuSpazio", tr("Spazio"), true, &EditorGriglia::mnuSpazio);
    aggiungiVoce("MnuOriz", QStringLiteral("_"), false, &EditorGriglia::MnuOriz);
    aggiungiVoce("Mnuvert", QStringLiteral("|"), false, &EditorGriglia::Mnuvert);
    aggiungiVoce("mnuApri", tr("Apri"), false, &EditorGriglia::mnuApri);
    aggiungiVoce("MnuSalva", tr("Salva"), false, &EditorGriglia::MnuSalva);
    QAction* rowCol = menu_->addAction(tr("Row Col"));
    rowCol->setObjectName("mnuRowCol");
    voci_["mnuRowCol"] = rowCol;
    connect(rowCol, &QAction::triggered, this,
            [this] { esegui_([this] { f_.ui.showMessage(editor_.mnuRowCol()); }); });

    griglia_.viewport()->installEventFilter(this);
    hide();
    mostraStato();
}

QAction* EditorGrigliaQt::aggiungiVoce(const char* nome, const QString& caption, bool spuntabile,
                                       void (EditorGriglia::*azione)()) {
    QAction* a = menu_->addAction(caption);
    a->setObjectName(QString::fromLatin1(nome));
    a->setCheckable(spuntabile);
    connect(a, &QAction::triggered, this, [this, azione] {
        const QSize vista = griglia_.viewport()->size();
        editor_.dimensioniVista(vista.width() * kTwipsPerPixel, vista.height() * kTwipsPerPixel);
        esegui_([this, azione] { (editor_.*azione)(); });
        mostraStato();
    });
    voci_[nome] = a;
    return a;
}

QLabel* EditorGrigliaQt::etichetta(const char* nome, const EtichettaPalette& e) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(24, 24);
    coloraEtichetta(l, e);
    return l;
}

QAction* EditorGrigliaQt::voce(const std::string& nome) const {
    auto it = voci_.find(nome);
    return it == voci_.end() ? nullptr : it->second;
}

QPushButton* EditorGrigliaQt::pulsante(const std::string& nome) const {
    auto it = pulsanti_.find(nome);
    return it == pulsanti_.end() ? nullptr : it->second;
}

bool EditorGrigliaQt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return QFrame::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (auto it = etichette_.find(watched); it != etichette_.end()) {
        editor_.scegliEtichetta(*it->second);
        mostraStato();
        return true;
    }
    if (watched != griglia_.viewport() || !griglia_.grid()) return QFrame::eventFilter(watched, event);

    int r = 0, c = 0;
    if (!griglia_.cellAt(mouse->position().toPoint(), r, c)) return false;
    if (mouse->button() == Qt::LeftButton) {
        esegui_([this, r, c] { editor_.Gr_Click(r, c); });
        return true;
    }
    if (mouse->button() != Qt::RightButton) return false;
    // The popup opens where the button was pressed. An item that does not clear `SaltaClick` leaves the
    // next click on the grid to be swallowed (one that dismisses the menu, say).
    if (editor_.Gr_MouseDown(PulsanteMouse::Destro, r, c)) {
        mostraStato();
        menu_->exec(mouse->globalPosition().toPoint());
    }
    return true;
}

void EditorGrigliaQt::mostraStato() {
    const MenuAzioni& m = editor_.menu;
    voce("mnuAtDis")->setChecked(m.AtDis);
    voce("MnuAsterisco")->setChecked(m.Asterisco);
    voce("mnuSpazio")->setChecked(m.Spazio);
    for (const char* nome : {"MnuAsterisco", "mnuSpazio", "MnuOriz", "Mnuvert", "mnuApri", "MnuSalva"})
        voce(nome)->setEnabled(m.vociAbilitate);
    coloraEtichetta(LblSce_, editor_.palette.LblSce);
    {
        const QSignalBlocker blocco(ChkSingolo_);
        ChkSingolo_->setChecked(editor_.palette.ChkSingolo);
    }
    if (m.AtDis == modoMostrato_) return;
    modoMostrato_ = m.AtDis;
    setVisible(m.AtDis);
    if (frame1_) frame1_->setVisible(!m.AtDis);
    if (m.AtDis) {
        griglia_.viewport()->setCursor(Qt::CrossCursor);
        minimaGriglia_ = griglia_.minimumSize();
        massimaGriglia_ = griglia_.maximumSize();
        if (editor_.dimensioneTripla()) griglia_.setFixedSize(griglia_.size() * 3);
    } else {
        griglia_.viewport()->unsetCursor();
        griglia_.setMinimumSize(minimaGriglia_);
        griglia_.setMaximumSize(massimaGriglia_);
    }
    griglia_.refresh();
}

}  // namespace trevalon
