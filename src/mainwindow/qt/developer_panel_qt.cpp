#include "mainwindow/qt/developer_panel_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "mainwindow/developer_panel.h"
#include "mainwindow/document.h"
#include "platform/qt/grid_view.h"

namespace trevalon {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* campo(QHBoxLayout* riga, QWidget* parent, const char* nome, const std::string& testo,
                 int larghezza) {
    riga->addWidget(new QLabel(QString::fromLatin1(nome), parent));
    auto* e = new QLineEdit(q(testo), parent);
    e->setObjectName(QString::fromLatin1(nome));
    if (larghezza > 0) e->setFixedWidth(larghezza);
    riga->addWidget(e, larghezza > 0 ? 0 : 1);
    return e;
}

}  // namespace

PannelloSviluppoQt::PannelloSviluppoQt(PannelloSviluppo& pannello, VistaNodo& vista, GridView& griglia,
                                       const std::function<void(const std::function<void()>&)>& esegui,
                                       QWidget* parent)
    : QFrame(parent), pannello_(pannello), vista_(vista) {
    setObjectName("Frame1");
    setFrameShape(QFrame::StyledPanel);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 4, 4, 4);

    auto* campi = new QHBoxLayout;
    CmbNodi_ = new QComboBox(this);
    CmbNodi_->setObjectName("CmbNodi");
    CmbNodi_->setMinimumWidth(140);
    campi->addWidget(CmbNodi_);
    connect(CmbNodi_, &QComboBox::activated, this, [this](int i) { pannello_.CmbNodi_Click(i); });
    txtNodo_ = campo(campi, this, "txtNodo", pannello_.txtNodo, 0);
    TxtOri_ = campo(campi, this, "TxtOri", pannello_.TxtOri, 160);
    LayoutSettings& impostazioni = vista_.layout.settings;
    QLineEdit* fattore = campo(campi, this, "Txtfat", impostazioni.Txtfat, 40);
    QLineEdit* modo = campo(campi, this, "TXTmodo", impostazioni.TXTmodo, 30);
    auto* grl = new QCheckBox(tr("grl"), this);
    grl->setObjectName("Chg");
    auto* rad = new QCheckBox(tr("rad"), this);
    rad->setObjectName("ChKrAD");
    rad->setChecked(impostazioni.ChKrAD);
    // The decoration of the drawing: arc numbers on the arc cells, and the second picture set.
    auto* numeri = new QCheckBox(tr("N A"), this);
    numeri->setObjectName("ChkNumArc");
    auto* doppio = new QCheckBox(tr("Dop"), this);
    doppio->setObjectName("ChhKdop");
    // The layout steps' cell marks and pauses.
    auto* dbg = new QCheckBox(tr("dbg"), this);
    dbg->setObjectName("Chdbgrad");
    dbg->setChecked(pannello_.Chdbgrad);
    campi->addWidget(grl);
    campi->addWidget(rad);
    campi->addWidget(numeri);
    campi->addWidget(doppio);
    campi->addWidget(dbg);
    colonna->addLayout(campi);

    connect(txtNodo_, &QLineEdit::textEdited, this,
            [this](const QString& t) { pannello_.txtNodo = t.trimmed().toStdString(); });
    connect(TxtOri_, &QLineEdit::textEdited, this,
            [this](const QString& t) { pannello_.TxtOri = t.trimmed().toStdString(); });
    connect(fattore, &QLineEdit::textEdited, this,
            [this](const QString& t) { vista_.layout.settings.Txtfat = t.trimmed().toStdString(); });
    connect(modo, &QLineEdit::textEdited, this,
            [this](const QString& t) { vista_.layout.settings.TXTmodo = t.trimmed().toStdString(); });
    connect(rad, &QCheckBox::toggled, this, [this](bool on) { vista_.layout.settings.ChKrAD = on; });
    connect(grl, &QCheckBox::toggled, this, [&griglia](bool on) { griglia.setGridLines(on); });
    connect(numeri, &QCheckBox::toggled, this, [this](bool on) { vista_.render.ChkNumArc = on; });
    connect(doppio, &QCheckBox::toggled, this, [this](bool on) { vista_.render.ChhKdop = on; });
    connect(dbg, &QCheckBox::toggled, this, [this](bool on) { pannello_.Chdbgrad = on; });

    auto* tasti = new QGridLayout;
    constexpr int kPerRiga = 10;
    int i = 0;
    for (const PulsantePannello& p : pannello_.pulsanti()) {
        auto* b = new QPushButton(q(p.caption), this);
        b->setObjectName(q(p.key));
        const std::string key = p.key;
        connect(b, &QPushButton::clicked, this,
                [this, esegui, key] { esegui([this, key] { pannello_.premi(key); }); });
        tasti->addWidget(b, i / kPerRiga, i % kPerRiga);
        pulsanti_[p.key] = b;
        ++i;
    }
    colonna->addLayout(tasti);
    // The developer layout has no status bar: its second panel is shown here.
    stato_ = new QLabel(this);
    stato_->setObjectName("p2");
    stato_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    colonna->addWidget(stato_);
    pannello_.campiCambiati = [this] { aggiornaCampi(); };
    pannello_.catalogoCambiato = [this] { riempiCatalogo(); };
}

QPushButton* PannelloSviluppoQt::pulsante(const std::string& key) const {
    auto it = pulsanti_.find(key);
    return it == pulsanti_.end() ? nullptr : it->second;
}

void PannelloSviluppoQt::riempiCatalogo() {
    const QSignalBlocker blocco(CmbNodi_);
    CmbNodi_->clear();
    for (const VoceCatalogo& v : pannello_.catalogo()) CmbNodi_->addItem(q(v.nome));
    if (CmbNodi_->count() > 0) CmbNodi_->setCurrentIndex(0);
}

void PannelloSviluppoQt::aggiornaCampi() {
    txtNodo_->setText(q(pannello_.txtNodo));
    TxtOri_->setText(q(pannello_.TxtOri));
    for (const auto& [key, b] : pulsanti_) b->setText(q(pannello_.didascalia(key)));
}

void PannelloSviluppoQt::mostraStato(const QString& testo) {
    stato_->setText(testo);
    stato_->repaint();
}

}  // namespace trevalon
