#pragma once
// The print preview `FrmReport`: a page document shown page by page, modally and maximised, from which the
// person may print it on a printer or export it into a PDF file (a failed export is shown in a message
// box). Also the picture report's way into it.

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

#include "platform/page_document.h"
#include "platform/ports.h"
#include "platform/qt/picture_painter.h"
#include "platform/result.h"

namespace trevalon {

class FrmReport : public QPrintPreviewDialog {
    Q_OBJECT

  public:
    // `tiles` draws the tiles of the document's tile blocks (none without it).
    FrmReport(PageDocument doc, PicturePainter tiles, QWidget* parent = nullptr);

    const PageDocument& document() const { return doc_; }
    // Paints the document on a printer, as the preview and printing do.
    bool stampa(QPrinter& printer) const;
    // Writes the document as a PDF file on the paper of `paper`: it is made in memory and replaces the file
    // only by a complete write, so a full disk or a folder that cannot be written leaves the old file as it
    // was. The failure says "The file could not be written: ", the path and the reason.
    Status esportaPdf(const std::filesystem::path& file, const QPageLayout& paper) const;

  private:
    PageDocument doc_;
    PicturePainter tiles_;
};

// The picture report (`GenerareportCompl1pg`) of the folder "report" in `programFolder` in the print
// preview, or its message ("No pictures in report") when there is nothing to show.
void mostraReportImmagini(const std::filesystem::path& programFolder, QWidget* parent, MessagePort& messages);

}  // namespace trevalon
