#include "reports/qt/frm_report.h"

#include <utility>

#include "reports/picture_report.h"
#include "reports/qt/page_render.h"

namespace trevalon {

FrmReport::FrmReport(PageDocument doc, PicturePainter tiles, QWidget* parent)
    : QPrintPreviewDialog(parent), doc_(std::move(doc)), tiles_(std::move(tiles)) {
    setObjectName("FrmReport");
    setWindowTitle(QStringLiteral("Print preview"));
    printer()->setPageLayout(pageLayout(doc_));
    setWindowState(windowState() | Qt::WindowMaximized);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { stampa(*p); });
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
