#include "reports/qt/page_render.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <variant>

namespace trevalon {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

struct PainterOfPage {
    QPainter& p;
    const PicturePainter& tilePainter;

    void operator()(const PageText& t) const {
        p.setFont(fontDocumento(t.points));
        const QFontMetricsF fm(p.font());
        p.setPen(Qt::black);
        p.drawText(QPointF(t.x, t.y + fm.ascent()), q(t.text));
    }
    void operator()(const PagePicture& pic) const {
        const QImage image(q(pic.path));
        if (image.isNull()) return;
        p.drawImage(QRectF(pic.x, pic.y, pic.width, pic.height), image);
    }
    void operator()(const PageTiles& b) const {
        if (!tilePainter) return;
        for (int r = 0; r < b.rows; ++r)
            for (int c = 0; c < b.cols; ++c) {
                const PictureRef ref = b.at(r, c);
                if (ref.empty()) continue;
                tilePainter(p, QRect(b.x + c * b.cell, b.y + r * b.cell, b.cell, b.cell), ref, b.cell);
            }
    }
};

}  // namespace

QPageLayout pageLayout(const PageDocument& doc) {
    const QPageSize size(QSizeF(doc.pageWidth() / 1440.0, doc.pageHeight() / 1440.0), QPageSize::Inch,
                         QString(), QPageSize::FuzzyOrientationMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

namespace {

// Pages of `doc` at `scale` device pixels a twip.
bool paintOn(const PageDocument& doc, QPagedPaintDevice& device, double scale, const PicturePainter& tiles) {
    QPainter p;
    if (!p.begin(&device)) return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        p.save();
        p.scale(scale, scale);
        paintPage(p, doc.pages()[static_cast<std::size_t>(i)], tiles);
        p.restore();
    }
    return p.end();
}

// Dots an inch of the PDF files: the resolution of a printer's high-resolution mode.
constexpr int kRisoluzionePdf = 1200;

// The scale at which the document's page fills as much of `paper` (device pixels) as it can.
double scalaSuCarta(const PageDocument& doc, const QRectF& paper) {
    return std::min(paper.width() / doc.pageWidth(), paper.height() / doc.pageHeight());
}

}  // namespace

QFont fontDocumento(int points) {
    QFont f;
    f.setPixelSize(std::max(1, points * kTwipsPerPoint));
    return f;
}

int QtTextMeasure::textWidth(const std::string& text, int points) const {
    return static_cast<int>(std::ceil(QFontMetricsF(fontDocumento(points)).horizontalAdvance(q(text))));
}

int QtTextMeasure::lineHeight(int points) const {
    return static_cast<int>(std::ceil(QFontMetricsF(fontDocumento(points)).lineSpacing()));
}

void paintPage(QPainter& p, const Page& page, const PicturePainter& tiles) {
    const PainterOfPage painter{p, tiles};
    for (const PageItem& item : page.items) std::visit(painter, item);
}

bool paintDocument(const PageDocument& doc, QPagedPaintDevice& device, const PicturePainter& tiles) {
    if (!device.setPageLayout(pageLayout(doc))) return false;
    return paintOn(doc, device, device.logicalDpiX() / 1440.0, tiles);
}

bool printDocument(const PageDocument& doc, QPrinter& printer, const PicturePainter& tiles) {
    // The paper the person chose may differ from the document's: its page is made to fit the paper.
    printer.setFullPage(true);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    if (paper.isEmpty() || doc.pageWidth() <= 0 || doc.pageHeight() <= 0) return false;
    return paintOn(doc, printer, scalaSuCarta(doc, paper), tiles);
}

QByteArray pdfDocument(const PageDocument& doc, const QPageLayout& paper, const PicturePainter& tiles) {
    if (doc.pageWidth() <= 0 || doc.pageHeight() <= 0) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kRisoluzionePdf);
        QPageLayout pagina = paper;
        pagina.setMode(QPageLayout::FullPageMode);
        pagina.setMinimumMargins(QMarginsF());
        pagina.setMargins(QMarginsF());
        if (!writer.setPageLayout(pagina)) return {};
        const QRectF carta = pagina.fullRectPixels(writer.resolution());
        if (carta.isEmpty() || !paintOn(doc, writer, scalaSuCarta(doc, carta), tiles)) return {};
    }
    return bytes;
}

}  // namespace trevalon
