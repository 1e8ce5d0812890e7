#include "mainwindow/qt/toolbar_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace trevalon {

namespace {

// Every picture is designed on a 32 x 32 canvas and drawn at two sizes.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kBlue(30, 90, 190);
const QColor kGreen(0, 140, 0);
const QColor kRed(200, 30, 30);

void label(QPainter& p, const QRectF& box, const QString& text, const QColor& colour, int pixelSize) {
    QFont f = p.font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void moveBadge(QPainter& p, const QString& roman) {
    p.setPen(QPen(kGreen, 2));
    p.setBrush(QColor(225, 245, 225));
    p.drawRoundedRect(QRectF(3, 5, 26, 22), 5, 5);
    label(p, QRectF(3, 5, 26, 22), roman, kGreen.darker(130), roman.size() > 2 ? 12 : 15);
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(kInk, 2.5));
    p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (plus) p.drawLine(QPointF(13, 8), QPointF(13, 18));
}

void drawOpen(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(3, 8, 26, 19));
    p.drawRect(QRectF(3, 5, 11, 4));
    p.setBrush(QColor(250, 220, 120));
    QPainterPath flap;
    flap.moveTo(3, 27);
    flap.lineTo(8, 13);
    flap.lineTo(31, 13);
    flap.lineTo(29, 27);
    flap.closeSubpath();
    p.drawPath(flap);
}

void drawSave(QPainter& p) {
    p.setPen(QPen(kBlue.darker(140), 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 16, 9));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(9, 18, 14, 10));
}

void drawFromCode(QPainter& p) {
    p.setPen(QPen(kInk, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11, 19), 7, 7);
    p.drawEllipse(QPointF(19, 19), 7, 7);
    p.setPen(QPen(QColor(200, 120, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 12), QPointF(28, 2));
}

void drawUndo(QPainter& p) {
    p.setPen(QPen(kBlue, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 7, 20, 18), 90 * 16, -250 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(13, 2), QPointF(13, 16)}));
}

void drawFindMoves(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(6, 5), QPointF(22, 16), QPointF(6, 27)}));
    p.drawRect(QRectF(23, 5, 4, 22));
}

void drawSum(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 3));
    p.drawEllipse(QPointF(10, 16), 7, 7);
    p.setPen(QPen(kRed, 3));
    p.drawEllipse(QPointF(22, 16), 7, 7);
}

void drawQuick(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 120, 0));
    p.drawPolygon(QPolygonF({QPointF(3, 6), QPointF(16, 16), QPointF(3, 26)}));
    p.drawPolygon(QPolygonF({QPointF(15, 6), QPointF(28, 16), QPointF(15, 26)}));
}

void drawCode(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 3, 22, 26));
    label(p, QRectF(5, 3, 22, 14), "G", kBlue, 13);
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(9, 20), QPointF(23, 20));
    p.drawLine(QPointF(9, 25), QPointF(19, 25));
}

void drawImage(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawRect(QRectF(3, 6, 26, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(
        QPolygonF({QPointF(4, 25), QPointF(13, 13), QPointF(20, 21), QPointF(23, 17), QPointF(28, 25)}));
    p.setBrush(QColor(240, 200, 0));
    p.drawEllipse(QPointF(22, 11), 2.5, 2.5);
}

void drawDesigner(QPainter& p) {
    p.setPen(QPen(QColor(170, 170, 170), 1));
    for (int i = 4; i <= 28; i += 6) {
        p.drawLine(QPointF(i, 4), QPointF(i, 28));
        p.drawLine(QPointF(4, i), QPointF(28, i));
    }
    p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 25), QPointF(7, 13));
    p.drawLine(QPointF(7, 13), QPointF(19, 13));
    p.setPen(QPen(QColor(200, 120, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 22), QPointF(28, 11));
}

void drawPdf(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawPolygon(
        QPolygonF({QPointF(6, 2), QPointF(21, 2), QPointF(27, 8), QPointF(27, 30), QPointF(6, 30)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRectF(3, 14, 22, 10));
    label(p, QRectF(3, 14, 22, 10), "PDF", Qt::white, 8);
}

void drawInfo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    label(p, QRectF(3, 3, 26, 26), "i", Qt::white, 20);
}

void drawExit(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(180, 130, 80));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 16), QPointF(29, 16));
    p.drawLine(QPointF(24, 11), QPointF(29, 16));
    p.drawLine(QPointF(24, 21), QPointF(29, 16));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
}

Drawing drawingFor(std::string_view key) {
    static const std::pair<std::string_view, Drawing> drawings[] = {
        {"Apri", drawOpen},
        {"Salva", drawSave},
        {"draw", drawFromCode},
        {"lentemeno", [](QPainter& p) { magnifier(p, false); }},
        {"lentepiu", [](QPainter& p) { magnifier(p, true); }},
        {"Undo", drawUndo},
        {"m3b", drawFindMoves},
        {"m1", [](QPainter& p) { moveBadge(p, "I"); }},
        {"m2", [](QPainter& p) { moveBadge(p, "II"); }},
        {"m3", [](QPainter& p) { moveBadge(p, "III"); }},
        {"compcon", drawSum},
        {"quick", drawQuick},
        {"propr", drawCode},
        {"imgcar", drawImage},
        {"Servizi", drawDesigner},
        {"PDF", drawPdf},
        {"info", drawInfo},
        {"Uscita", drawExit},
        {"Stampa", drawPrint},
    };
    for (const auto& [name, drawing] : drawings)
        if (name == key) return drawing;
    return {};
}

QPixmap render(const Drawing& drawing, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    drawing(p);
    return pm;
}

// The picture of a command that is off: grey, pale and half transparent, so that it cannot be taken for
// the grey pictures of commands that are on.
QPixmap disabled(const QPixmap& normal) {
    QImage img = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int grey = 150 + qGray(line[x]) * 90 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
        }
    }
    return QPixmap::fromImage(img);
}

}  // namespace

QIcon toolbarIcon(std::string_view imageKey) {
    const Drawing drawing = drawingFor(imageKey);
    if (!drawing) return {};
    QIcon icon;
    for (int size : {24, 48}) {
        const QPixmap normal = render(drawing, size);
        icon.addPixmap(normal);
        icon.addPixmap(disabled(normal), QIcon::Disabled);
    }
    return icon;
}

}  // namespace trevalon
