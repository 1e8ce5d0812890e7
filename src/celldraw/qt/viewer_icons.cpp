#include "celldraw/qt/viewer_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace trevalon {

namespace {

constexpr int kSize = 32;

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(90, 60, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2.5));
    p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
    if (plus) p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
}

void paint(QPainter& p, std::string_view key) {
    if (key == "Applica") {
        p.setPen(QPen(QColor(0, 140, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 17), QPointF(13, 25), QPointF(27, 7)}));
    } else if (key == "Successivo") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 200));
        p.drawPolygon(QPolygonF({QPointF(4, 12), QPointF(17, 12), QPointF(17, 5), QPointF(29, 16),
                                 QPointF(17, 27), QPointF(17, 20), QPointF(4, 20)}));
    } else if (key == "interrompi") {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(200, 20, 20));
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const double a = (22.5 + 45.0 * i) * 3.14159265358979 / 180.0;
            octagon << QPointF(16 + 13 * std::cos(a), 16 + 13 * std::sin(a));
        }
        p.drawPolygon(octagon);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 14, 14, 4));
    } else if (key == "Refresh") {
        p.setPen(QPen(QColor(0, 130, 60), 4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 130, 60));
        p.drawPolygon(QPolygonF({QPointF(18, 2), QPointF(27, 8), QPointF(17, 13)}));
    } else if (key == "Salva") {
        p.setPen(QPen(QColor(20, 20, 80), 1.5));
        p.setBrush(QColor(40, 70, 170));
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(8, 18, 16, 10));
    } else if (key == "lentemeno" || key == "lentepiu") {
        magnifier(p, key == "lentepiu");
    } else if (key == "Ristruttura") {
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int i = 4; i <= 28; i += 6) {
            p.drawLine(i, 4, i, 28);
            p.drawLine(4, i, 28, i);
        }
        p.setPen(QPen(QColor(200, 100, 0), 3, Qt::SolidLine, Qt::RoundCap));
        QPainterPath curve(QPointF(6, 24));
        curve.cubicTo(QPointF(6, 4), QPointF(26, 28), QPointF(26, 8));
        p.drawPath(curve);
    } else if (key == "Stampa") {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 20, 14, 9));
    }
}

}  // namespace

QIcon viewerIcon(std::string_view imageKey) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, imageKey);
    }
    return QIcon(pixmap);
}

}  // namespace trevalon
