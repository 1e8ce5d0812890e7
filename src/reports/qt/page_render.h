#pragma once
// Paints a page document: lines of text, pictures read from their files and blocks of tiles, on any
// paged device (a printer, a PDF file, the preview) or an image, in a coordinate system of twips.

#include <QByteArray>
#include <QFont>
#include <QPageLayout>

#include "platform/page_document.h"
#include "platform/qt/picture_painter.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace trevalon {

// The font of the documents at a size in points, sized in twips (a painter scaled to twips draws it at its
// size in points on every device).
QFont fontDocumento(int points);

// Measures with that font, so that centred and broken lines stand where the printed ones do.
class QtTextMeasure : public TextMeasure {
  public:
    int textWidth(const std::string& text, int points) const override;
    int lineHeight(int points) const override;
};

// One page on a painter whose coordinates are twips from the page's top left corner. Tiles are drawn by
// `tiles` (no tiles without it); a picture whose file cannot be read is left out.
void paintPage(QPainter& p, const Page& page, const PicturePainter& tiles);

// The document's page size, portrait, without margins.
QPageLayout pageLayout(const PageDocument& doc);

// The whole document on a paged device (a PDF writer), one device page a document page, in the document's
// page layout. False when the device cannot be painted on.
bool paintDocument(const PageDocument& doc, QPagedPaintDevice& device, const PicturePainter& tiles);
// The same on a printer (a PDF file or a printer): each page fills as much of the paper as it can, whatever
// the paper chosen.
bool printDocument(const PageDocument& doc, QPrinter& printer, const PicturePainter& tiles);
// The bytes of a PDF file of the document, made in memory, each page fitted to the paper of `paper` as
// printDocument fits it; empty when the document cannot be painted.
QByteArray pdfDocument(const PageDocument& doc, const QPageLayout& paper, const PicturePainter& tiles);

}  // namespace trevalon
