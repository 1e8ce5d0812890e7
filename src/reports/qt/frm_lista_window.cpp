#include "reports/qt/frm_lista_window.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <exception>

#include "platform/qt/grid_view.h"

namespace trevalon {

namespace {

int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A sheet with a green header and grid lines: the picture of the export button.
QIcon xlsIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 100, 50), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setBrush(QColor(30, 130, 70));
    p.drawRect(QRectF(3, 4, 26, 6));
    p.setPen(QPen(QColor(120, 160, 130), 1));
    for (int y = 16; y < 28; y += 6) p.drawLine(4, y, 28, y);
    for (int x = 12; x < 28; x += 8) p.drawLine(x, 10, x, 28);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(8, 5.5), QPointF(12, 9));
    p.drawLine(QPointF(12, 5.5), QPointF(8, 9));
    return QIcon(pixmap);
}

}  // namespace

FrmListaWindow::FrmListaWindow(FrmLista& lista, QWidget* parent) : QDialog(parent), lista_(lista) {
    setObjectName("FrmLista");
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    tlb1_ = new QToolBar(this);
    tlb1_->setObjectName("tlb1");
    tlb1_->setIconSize(QSize(24, 24));
    xls_ = tlb1_->addAction(xlsIcon(), QString::fromUtf8(kPulsanteXls.tooltip.data(),
                                                         static_cast<int>(kPulsanteXls.tooltip.size())));
    const QString key = QString::fromUtf8(kPulsanteXls.key.data(), static_cast<int>(kPulsanteXls.key.size()));
    xls_->setObjectName(key);
    xls_->setData(key);
    connect(xls_, &QAction::triggered, this, [this, key] { tlb1_ButtonClick(key); });

    grLis_ = new GridView(this);
    grLis_->setObjectName("GrLis");
    grLis_->setGridLines(true);
    grLis_->setFixedRows(1);
    fitColumns();
    grLis_->setGrid(&lista_.GrLis);

    stbr_ = new QStatusBar(this);
    stbr_->setObjectName("Stbr");
    stbr_->setSizeGripEnabled(false);
    p1_ = new QLabel(this);
    p1_->setObjectName("p1");
    p1_->setText(QString::fromStdString(lista_.p1));
    p1_->setStyleSheet(QStringLiteral("font-weight: bold"));
    p1_->setVisible(!lista_.p1.empty());
    stbr_->addWidget(p1_);
    p2_ = new QLabel(this);
    p2_->setObjectName("p2");
    stbr_->addWidget(p2_, 1);
    p2_->setText(QString::fromStdString(lista_.p2));
    setWindowTitle(QString::fromStdString(lista_.caption));

    // Centred on the screen.
    resize(12000 / kTwipsPerPixel, 7000 / kTwipsPerPixel);
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QApplication::primaryScreen();
    if (screen) {
        const QRect g = screen->availableGeometry();
        resize(std::min(width(), g.width()), std::min(height(), g.height()));
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}

void FrmListaWindow::fitColumns() {
    // Every column as wide as its longest text, in the font the grid paints it with.
    GridControl& g = lista_.GrLis;
    for (int c = 0; c < g.cols(); ++c) {
        int widest = 0;
        for (int r = 0; r < g.rows(); ++r) {
            const std::string& text = g.text(r, c);
            if (text.empty()) continue;
            QFont font = grLis_->font();
            font.setPointSize(std::max<int>(1, g.style(r, c).fontSize));
            font.setBold(g.style(r, c).bold);
            widest = std::max(widest, QFontMetrics(font).horizontalAdvance(QString::fromStdString(text)));
        }
        g.setColWidth(c, std::max(g.colWidth(c), (widest + 12) * kTwipsPerPixel));
    }
}

QString FrmListaWindow::panelP2() const {
    return p2_->text();
}

QString FrmListaWindow::panelP1() const {
    return p1_->text();
}

void FrmListaWindow::tlb1_ButtonClick(const QString& key) {
    try {
        lista_.tlb1_ButtonClick(key.toStdString());
    } catch (const std::exception& e) {
        // Nothing leaves the event loop: the failure shows in the status panel.
        p2_->setText(QString::fromUtf8(e.what()));
    }
}

void FrmListaWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (primaAttivazione_) {
        primaAttivazione_ = false;
        layoutChildren();
    }
    grLis_->refresh();
}

void FrmListaWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutChildren();
}

void FrmListaWindow::layoutChildren() {
    // The grid 20 twips under the toolbar, down to the status bar.
    const int barHeight = tlb1_->sizeHint().height();
    tlb1_->setGeometry(0, 0, width(), barHeight);
    const int top = barHeight + px(20);
    const int statusHeight = stbr_->sizeHint().height();
    grLis_->setGeometry(0, top, width(), std::max(1, height() - top - statusHeight));
    stbr_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void QtStepListPort::showStepList(FrmLista& lista) {
    FrmListaWindow window(lista, parent_);
    window.exec();
}

}  // namespace trevalon
