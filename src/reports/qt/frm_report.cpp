#include "reports/qt/frm_report.h"

#include <QMessageBox>
#include <QPaintEngine>
#include <string_view>
#include <utility>

#include "platform/safe_file.h"
#include "reports/picture_report.h"
#include "reports/qt/page_render.h"

namespace trevalon {

FrmReport::FrmReport(PageDocument doc, PicturePainter tiles, QWidget* parent)
    : QPrintPreviewDialog(parent), doc_(std::move(doc)), tiles_(std::move(tiles)) {
    setObjectName("FrmReport");
    setWindowTitle(QStringLiteral("Print preview"));
    printer()->setPageLayout(pageLayout(doc_));
    setWindowState(windowState() | Qt::WindowMaximized);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        // The preview paints on an engine of its own; a PDF engine is the export into the file named.
        const bool esportazione = p->outputFormat() == QPrinter::PdfFormat &&
                                  !p->outputFileName().isEmpty() && p->paintEngine() != nullptr &&
                                  p->paintEngine()->type() == QPaintEngine::Pdf;
        if (!esportazione) {
            stampa(*p);
            return;
        }
        const Status esito = esportaPdf(p->outputFileName().toStdString(), p->pageLayout());
        if (!esito)
            QMessageBox::warning(this, QStringLiteral("Trevalon"), QString::fromStdString(esito.error()));
    });
}

Status FrmReport::esportaPdf(const std::filesystem::path& file, const QPageLayout& paper) const {
    const QByteArray pdf = pdfDocument(doc_, paper, tiles_);
    Status scritto = pdf.isEmpty()
                         ? fail("the document could not be painted")
                         : replaceFileContents(
                               file, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!scritto) return fail("The file could not be written: " + file.string() + ": " + scritto.error());
    return {};
}

bool FrmReport::stampa(QPrinter& printer) const {
    return printDocument(doc_, printer, tiles_);
}

void mostraReportImmagini(const std::filesystem::path& programFolder, QWidget* parent,
                          MessagePort& messages) {
    const auto folder = cartellaReport(programFolder);
    if (!folder) {
        messages.showMessage(kNessunaImmagine);
        return;
    }
    const QtTextMeasure measure;
    Result<PageDocument> doc = GenerareportCompl1pg(*folder, measure);
    if (!doc) {
        messages.showMessage(doc.error());
        return;
    }
    FrmReport preview(std::move(*doc), {}, parent);
    preview.exec();
}

}  // namespace trevalon
