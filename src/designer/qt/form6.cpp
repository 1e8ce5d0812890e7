#include "designer/qt/form6.h"

#include <cstdlib>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "designer/picture_file.h"
#include "designer/qt/picture_decoder.h"
#include "designer/source_check.h"
#include "designer/source_file.h"
#include "platform/safe_file.h"

namespace trevalon {

namespace {

const QString kTitolo = QStringLiteral("Trevalon");
const std::string kFiltroSorgente = "File source knot (*.kns)";

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string trimmed(const QString& s) {
    return s.trimmed().toStdString();
}

// The drawn symbol of a shadow-grid cell: its trimmed text when it is one, else blank.
char simboloDi(const std::string& testo) {
    const std::string t = QString::fromStdString(testo).trimmed().toStdString();
    if (t == "*" || t == "-" || t == "|") return t[0];
    return ' ';
}

}  // namespace

void PictureGridView::setPicture(const QImage& picture) {
    picture_ = picture;
    viewport()->update();
}

// The picture covers the drawing cells (rows and columns from 1; row 0 and column 0 are hidden). Only the
// exposed part is scaled, so a large grid costs no more than a small one.
void PictureGridView::paintEvent(QPaintEvent* event) {
    GridView::paintEvent(event);
    const GridControl* g = grid();
    if (picture_.isNull() || !g || g->rows() < 2 || g->cols() < 2) return;
    const QRect ultima = cellRect(g->rows() - 1, g->cols() - 1);
    if (ultima.isEmpty()) return;
    long long larghezza = 0, altezza = 0;
    for (int c = 1; c < g->cols(); ++c) larghezza += g->colWidth(c);
    for (int r = 1; r < g->rows(); ++r) altezza += g->rowHeight(r);
    const QSize size(static_cast<int>(larghezza / kTwipsPerPixel),
                     static_cast<int>(altezza / kTwipsPerPixel));
    if (size.isEmpty()) return;
    const QRect area(ultima.bottomRight() + QPoint(1, 1) - QPoint(size.width(), size.height()), size);
    const QRect target = area.intersected(event->rect());
    if (target.isEmpty()) return;
    const double sx = double(picture_.width()) / area.width();
    const double sy = double(picture_.height()) / area.height();
    const QRectF source((target.x() - area.x()) * sx, (target.y() - area.y()) * sy, target.width() * sx,
                        target.height() * sy);
    QPainter p(viewport());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.setOpacity(0.6);
    p.drawImage(QRectF(target), picture_, source);
}

FrmNewK::FrmNewK(const std::function<std::string()>& scegliImmagine, QWidget* parent) : QDialog(parent) {
    setObjectName("FrmNewK");
    setWindowTitle("Trevalon - New Knot");
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel("Image:"), 0, 0);
    txtImg_ = new QLineEdit;
    txtImg_->setObjectName("txtImg");
    txtImg_->setMinimumWidth(320);
    griglia->addWidget(txtImg_, 0, 1);
    auto* cmdFind = new QPushButton("...");
    cmdFind->setObjectName("cmdFind");
    connect(cmdFind, &QPushButton::clicked, this, [this, scegliImmagine] {
        txtImg_->setText(q(scegliImmagine ? scegliImmagine() : std::string()));
    });
    griglia->addWidget(cmdFind, 0, 2);
    griglia->addWidget(new QLabel("Size:"), 1, 0);
    auto* misure = new QHBoxLayout;
    const char* nomi[3] = {"Small", "Medium", "Large"};
    for (int i = 0; i < 3; ++i) {
        opzioni_[i] = new QRadioButton(nomi[i]);
        misure->addWidget(opzioni_[i]);
    }
    opzioni_[0]->setChecked(true);
    griglia->addLayout(misure, 1, 1, 1, 2);

    auto* tlb1 = new QToolBar;
    QAction* conferma = tlb1->addAction("Confirm");
    conferma->setData("Conferma");
    QAction* abbandona = tlb1->addAction("Quit");
    abbandona->setData("abbandona");
    connect(conferma, &QAction::triggered, this, &FrmNewK::Conferma);
    connect(abbandona, &QAction::triggered, this, &QDialog::reject);

    auto* colonna = new QVBoxLayout(this);
    colonna->setMenuBar(tlb1);
    colonna->addLayout(griglia);
}

std::string FrmNewK::NomeImg() const {
    return trimmed(txtImg_->text());
}

int FrmNewK::Cost() const {
    for (int i = 0; i < 3; ++i)
        if (opzioni_[i]->isChecked()) return i + 1;
    return 1;
}

void FrmNewK::Conferma() {
    const std::string nome = NomeImg();
    if (nome.empty()) {
        if (QMessageBox::question(this, kTitolo, "No image selected! Confirm?",
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
    } else if (!QFileInfo(q(nome)).isFile()) {
        // As the main window says it; a name too long for the system is not a file not found.
        std::error_code ec;
        (void)std::filesystem::status(nome, ec);
        FileRead rifiuto;
        rifiuto.refusal =
            ec == std::errc::filename_too_long ? ReadRefusal::NameTooLong : ReadRefusal::Missing;
        QMessageBox::information(this, kTitolo, q(readRefusalMessage(rifiuto, nome)));
        return;
    }
    accept();
}

Form6::Form6(std::filesystem::path knotsFolder, Compilato compilato, QWidget* parent)
    : QMainWindow(parent), knotsFolder_(std::move(knotsFolder)), compilato_(std::move(compilato)) {
    setObjectName("Form6");
    setWindowTitle("Trevalon - Knot designer");
    view_ = new PictureGridView(this);
    view_->setObjectName("Gr");
    view_->setGridLines(true);
    view_->setGrid(&g_.Gr);
    setCentralWidget(view_);
    connect(view_, &GridView::cellClicked, this, [this](int r, int c) { g_.traccia.clic(r, c); });
    view_->viewport()->installEventFilter(this);
    view_->viewport()->setMouseTracking(true);
    p1_ = new QLabel(this);
    p2_ = new QLabel(this);
    statusBar()->addWidget(p1_, 1);
    statusBar()->addWidget(p2_, 1);

    SuperficieTraccia& sup = g_.traccia.superficie();
    sup.stato = this;
    sup.aggiorna = [this](bool dopoTraccia) { ridisegna(dopoTraccia); };
    sup.cancellaMarca = [this](int r, int c) { marche_.erase({r, c}); };

    buildToolbar();
    resize(900, 650);
    // Tracing on, strand symbol chosen; the drawing stays off until a new design or an opened source.
    g_.traccia.mnuAtDis();
    g_.palette.scegli(SimboloPalette::Arco);
    actions_.at("LblX")->setChecked(true);
    (void)g_.imposta(righePerCodice(1), 2 * righePerCodice(1), DimCellaDise_);
    view_->setEnabled(false);
}

Form6::~Form6() {
    // The view reads the grid until it goes: it must not outlive it.
    view_->setGrid(nullptr);
}

QAction* Form6::action(const std::string& key) const {
    auto it = actions_.find(key);
    return it == actions_.end() ? nullptr : it->second;
}

void Form6::buildToolbar() {
    QToolBar* tlb1 = addToolBar("tlb1");
    tlb1->setObjectName("tlb1");
    tlb1->setMovable(false);
    paletteGroup_ = new QActionGroup(this);
    paletteGroup_->setExclusive(true);
    auto add = [&](const std::string& key, const QString& tooltip, const std::function<void()>& fai,
                   bool gruppo = false) {
        QAction* a = tlb1->addAction(tooltip);
        a->setData(q(key));
        a->setToolTip(tooltip);
        if (gruppo) {
            a->setCheckable(true);
            paletteGroup_->addAction(a);
        }
        connect(a, &QAction::triggered, this, [fai] { fai(); });
        actions_[key] = a;
    };
    add("Nuovo", "New", [this] { Nuovo(); });
    add("Apri", "Open", [this] { Apri(); });
    add("Salva", "Save", [this] { Salva(); });
    tlb1->addSeparator();
    const std::pair<const char*, SimboloPalette> simboli[] = {{"Arc", SimboloPalette::Arco},
                                                              {"Space", SimboloPalette::Spazio},
                                                              {"Vert Over", SimboloPalette::Verticale},
                                                              {"Horiz Over", SimboloPalette::Orizzontale}};
    for (const auto& [tooltip, s] : simboli)
        add(
            chiaveToolbar(s), tooltip, [this, s = s] { g_.palette.scegli(s); }, true);
    tlb1->addSeparator();
    auto zoom = [this](int dim) {
        DimCellaDise_ = dim;
        g_.DimensionaGrDise(dim);
        abilitaZoom();
        view_->refresh();
    };
    add("dimmeno", "Zoom out", [zoom] { zoom(kCellaPiccola); });
    add("dimpiu", "Zoom in", [zoom] { zoom(kCellaGrande); });
    tlb1->addSeparator();
    add("Undo", "Undo", [this] { Undo(); });
    tlb1->addSeparator();
    add("Compila", "Make .KNO", [this] { Compila(); });
    tlb1->addSeparator();
    add("Uscita", "Exit", [this] { close(); });
    abilitaZoom();
}

void Form6::abilitaZoom() {
    // The drawing has two cell sizes: the button of the size already shown has nothing to do.
    action("dimmeno")->setEnabled(DimCellaDise_ != kCellaPiccola);
    action("dimpiu")->setEnabled(DimCellaDise_ != kCellaGrande);
}

void Form6::messaggio(const std::string& testo) {
    QMessageBox::information(this, kTitolo, q(testo));
}

std::string Form6::scegliFile(bool salva, const std::string& filtro) {
    const QString cartella = q(knotsFolder_.string());
    if (!salva) return QFileDialog::getOpenFileName(this, "Open", cartella, q(filtro)).toStdString();
    const QString proposto = FileSorgente_.empty() ? cartella : q(FileSorgente_.string());
    std::string nome = QFileDialog::getSaveFileName(this, "Save As", proposto, q(filtro)).toStdString();
    if (!nome.empty() && std::filesystem::path(nome).extension().empty()) nome += ".kns";
    return nome;
}

int Form6::colonnePer(int righe, const QImage& picture) const {
    const QSize vista = view_->viewport()->size();
    const double w = picture.isNull() ? std::max(1, vista.width()) : picture.width();
    const double h = picture.isNull() ? std::max(1, vista.height()) : picture.height();
    return std::max(1, static_cast<int>(righe * w / h));
}

std::optional<QImage> Form6::caricaImmagine(const std::string& nome,
                                            const std::filesystem::path& cartellaSorgente,
                                            std::string& trovato) {
    if (nome.empty()) return std::nullopt;
    // Read by the engine, which never waits on a FIFO or a device; only bytes of a picture are decoded.
    QImage img;
    const ImmagineTrovata t = cercaImmagine(
        nome, cartellaSorgente, [&img](const std::string& bytes) { return decodificaImmagine(bytes, &img); });
    if (t.percorso.empty()) {
        messaggio(messaggioImmagineNonCaricata(nome, t.motivo));
        return std::nullopt;
    }
    trovato = t.percorso.string();
    return img;
}

bool Form6::InizializzaNuovo(const std::string& immagine, int codice) {
    const int cost = codiceValido(codice);
    const int righe = righePerCodice(cost);
    // A picture typed as a relative name is kept under its whole path, which a source saved anywhere finds.
    std::error_code ec;
    std::string trovato;
    const QImage picture =
        caricaImmagine(immagine, std::filesystem::current_path(ec), trovato).value_or(QImage());
    int colonne = colonnePer(righe, picture);
    if (colonne > GriglieDesigner::kMaxColonne) {
        messaggio("The picture is too wide for this size: the grid keeps its first " +
                  std::to_string(GriglieDesigner::kMaxColonne) + " columns.");
        colonne = GriglieDesigner::kMaxColonne;
    }
    DisegnoProgetto d(righe + 1, colonne + 1);
    d.NomeImg = trovato;
    d.Cost = cost;
    if (!impostaGriglia(d, picture, trovato)) return false;
    FileSorgente_.clear();
    return true;
}

bool Form6::LeggiFile(const std::filesystem::path& percorso) {
    const Result<SorgenteLetta> s = leggiFileSorgente(percorso);
    if (!s) {
        messaggio(s.error());
        return false;
    }
    const std::string nome = s->NomeImg ? *s->NomeImg : NomeImg_;
    std::string trovato;
    const QImage picture = caricaImmagine(nome, percorso.parent_path(), trovato).value_or(QImage());
    const int righe = righePerCodice(s->Cost);
    const int colonne = std::min(colonnePer(righe, picture), GriglieDesigner::kMaxColonne);
    DisegnoProgetto d = disegnoDaSorgente(*s, colonne + 1, NomeImg_);
    // A picture found beside the source is kept under its new path; one not found keeps its name.
    if (!trovato.empty()) d.NomeImg = trovato;
    if (!impostaGriglia(d, picture, trovato)) return false;
    FileSorgente_ = percorso;
    return true;
}

bool Form6::impostaGriglia(const DisegnoProgetto& d, const QImage& picture, const std::string& caricata) {
    if (const Result<void> r = g_.imposta(d.Rows() - 1, d.Cols() - 1, DimCellaDise_); !r) {
        messaggio(r.error());
        return false;
    }
    NomeImg_ = d.NomeImg;
    ImmagineCaricata_ = caricata;
    Cost_ = d.Cost;
    marche_.clear();
    view_->setPicture(picture);
    caricaGriglie(d);
    g_.traccia.Modificato = false;
    g_.palette.scegli(SimboloPalette::Arco);
    actions_.at("LblX")->setChecked(true);
    view_->setEnabled(true);
    return true;
}

// The drawing into the shadow grid with the colours a trace gives its cells, then the visible grid.
void Form6::caricaGriglie(const DisegnoProgetto& d) {
    GridControl& grs = g_.grs;
    grs.setRedraw(false);
    for (int r = 1; r < grs.rows(); ++r)
        for (int c = 1; c < grs.cols(); ++c) {
            const char s = d.simbolo(r, c);
            if (s == ' ') {
                grs.setText(r, c, "");
                grs.setStyle(r, c, CellStyle{});
                continue;
            }
            grs.setText(r, c, std::string(1, s));
            grs.setBackColor(r, c, s == '*' && cellaSotto(d, r, c) ? kColoreSotto : kColoreSimbolo);
            grs.setForeColor(r, c, kColoreTestoEtichetta);
        }
    grs.setRedraw(true);
    ridisegna(false);
}

void Form6::ridisegna(bool dopoTraccia) {
    // After a check that failed, every trace is checked again, so that the red cells follow the drawing.
    if (dopoTraccia && RicontrolloAttivo_) {
        ControllaSource();
        return;
    }
    RipristinaDaGrs(
        g_.Gr, g_.grs,
        [this](int r, int c) {
            return marche_.count({r, c}) > 0;
        },
        kColoreSotto);
    view_->refresh();
}

DisegnoProgetto Form6::disegno() const {
    DisegnoProgetto d(g_.grs.rows(), g_.grs.cols());
    for (int r = 1; r < g_.grs.rows(); ++r)
        for (int c = 1; c < g_.grs.cols(); ++c) {
            const char s = simboloDi(g_.grs.text(r, c));
            if (s != ' ') d.setSimbolo(r, c, s);
        }
    d.NomeImg = NomeImg_;
    d.Cost = Cost_;
    return d;
}

bool Form6::SalvaFile(const std::filesystem::path& percorso) {
    if (const Status s = trevalon::SalvaFile(disegno(), percorso); !s) {
        messaggio(s.error());
        return false;
    }
    FileSorgente_ = percorso;
    g_.traccia.Modificato = false;
    return true;
}

bool Form6::Salva() {
    const std::string nome = scegliFile(true, kFiltroSorgente);
    if (nome.empty()) return false;
    return SalvaFile(nome);
}

bool Form6::chiediSalvataggio() {
    if (!g_.traccia.Modificato) return true;
    const auto risposta = QMessageBox::question(this, kTitolo, "Save changes?",
                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (risposta == QMessageBox::Yes) return Salva();
    if (risposta == QMessageBox::No) {
        g_.traccia.Modificato = false;
        return true;
    }
    return false;
}

void Form6::Nuovo() {
    if (!chiediSalvataggio()) return;
    FrmNewK dialogo([this] { return scegliFile(false, "File Img (*.gif *.jpg *.jpeg *.png *.bmp)"); }, this);
    if (dialogo.exec() != QDialog::Accepted) return;
    InizializzaNuovo(dialogo.NomeImg(), dialogo.Cost());
}

void Form6::Apri() {
    if (!chiediSalvataggio()) return;
    const std::string nome = scegliFile(false, kFiltroSorgente);
    if (!nome.empty()) LeggiFile(nome);
    view_->setEnabled(true);
}

EsitoControllo Form6::ControllaSource() {
    DisegnoProgetto d = disegno();
    EsitoControllo esito = trevalon::ControllaSource(d);
    marche_.clear();
    for (const CellaSegnata& m : esito.celleErrate) marche_[{m.r, m.c}] = m.segno;
    RicontrolloAttivo_ = !marche_.empty();
    caricaGriglie(d);
    return esito;
}

bool Form6::Compila() {
    g_.traccia.StatoTraccia = 0;
    // The drawing is checked and built before a name is asked for: a refused drawing asks nothing.
    DisegnoProgetto d = disegno();
    EsitoCompila esito = compilaDisegno(d);
    marche_.clear();
    for (const CellaSegnata& m : esito.controllo.celleErrate) marche_[{m.r, m.c}] = m.segno;
    RicontrolloAttivo_ = !marche_.empty();
    // The check thins the drawing for good: the grid shows what was compiled.
    caricaGriglie(d);
    if (!esito.ok) {
        messaggio(esito.messaggio);
        return false;
    }
    std::filesystem::path sorgente = FileSorgente_;
    if (sorgente.empty()) sorgente = scegliFile(true, kFiltroSorgente);
    if (sorgente.empty()) return false;
    scriviCompilazione(esito, sorgente, ImmagineCaricata_);
    if (esito.ok) {
        FileSorgente_ = sorgente;
        g_.traccia.Modificato = false;
        if (compilato_) compilato_(std::move(esito.nodo), esito.fileNodo);
    }
    messaggio(esito.messaggio);
    // The compiled knot is in the main window: it comes forward, and "Servizi" brings the design back.
    if (esito.ok && parentWidget()) {
        hide();
        parentWidget()->raise();
        parentWidget()->activateWindow();
    }
    return esito.ok;
}

void Form6::setPanel(const std::string& key, const std::string& text) {
    if (key == "p1") p1_->setText(q(text));
    if (key == "p2") p2_->setText(q(text));
}

std::string Form6::panel(const std::string& key) const {
    if (key == "p1") return p1_->text().toStdString();
    if (key == "p2") return p2_->text().toStdString();
    return {};
}

void Form6::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_->viewport()) return QMainWindow::eventFilter(watched, event);
    const auto tipo = event->type();
    if (tipo == QEvent::MouseButtonPress || tipo == QEvent::MouseButtonRelease ||
        tipo == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        // The right button never traces: held, it shows the picture alone; released, the drawing again.
        if (tipo == QEvent::MouseButtonRelease) {
            if (ImmagineNuda) ridisegna(false);
            ImmagineNuda = false;
        } else {
            ImmagineNuda = true;
            g_.Gr.clear();
            view_->refresh();
        }
        return true;
    }
    if (tipo == QEvent::MouseMove) {
        int r = 0, c = 0;
        if (view_->cellAt(static_cast<QMouseEvent*>(event)->position().toPoint(), r, c)) {
            // With a start pending, a cell off its row, column and diagonals cannot end the trace.
            const Tracciatore& t = g_.traccia;
            const bool fuori = !g_.palette.ChkSingolo && !panel("p1").empty() && r != t.RigaInizio &&
                               c != t.ColInizio && std::abs(r - t.RigaInizio) != std::abs(c - t.ColInizio);
            view_->viewport()->setCursor(fuori ? Qt::CrossCursor : Qt::ArrowCursor);
            setPanel("p2", std::to_string(r) + "," + std::to_string(c));
        }
    }
    return false;
}

void Form6::closeEvent(QCloseEvent* event) {
    if (chiediSalvataggio())
        event->accept();
    else
        event->ignore();
}

}  // namespace trevalon
