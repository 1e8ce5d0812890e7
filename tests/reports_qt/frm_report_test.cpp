#include "reports/qt/frm_report.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "layout/qt/tile_painter.h"
#include "platform/headless_ui.h"
#include "platform_qt/qt_app.h"
#include "reports/print_layout.h"
#include "reports/qt/page_render.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// A main grid with a strand of tiles across it.
GridControl griglia() {
    GridControl g;
    g.setRows(12);
    g.setCols(30);
    for (int c = 2; c < 28; ++c) g.setPicture(6, c, PictureRef{PaletteId::Form1, PictureSet::Img, 1});
    return g;
}

// The pages of a PDF file, as its page objects say.
int pagineDelPdf(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    return pages;
}

class FrmReportTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::testApp(); }
    QtTextMeasure measure;
    QTemporaryDir folder;
};

TEST_F(FrmReportTest, PrintsThePageOfAGridIntoAPdfFile) {
    PageDocument doc = DuplicaGrid2(griglia(), 1, "Trefoil - Step 2 simplification", measure);
    doc.newPage();
    doc.paragraph("second page");
    FrmReport preview(std::move(doc), tilePicturePainter());
    EXPECT_EQ(preview.windowTitle().toStdString(), "Print preview");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = folder.filePath("page.pdf");
    printer.setOutputFileName(file);
    ASSERT_TRUE(preview.stampa(printer));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_EQ(pagineDelPdf(bytes), 2);
}

TEST_F(FrmReportTest, ThePaintedPageShowsTheTextAndTheTiles) {
    const PageDocument doc = DuplicaGrid2(griglia(), 1, "Trefoil", measure);
    // The page at 96 dots an inch, 15 twips a pixel: a tile is 5 pixels square.
    QImage image(doc.pageWidth() / 15, doc.pageHeight() / 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.scale(1.0 / 15, 1.0 / 15);
        paintPage(p, doc.pages()[0], tilePicturePainter());
    }
    const int top = std::get<PageTiles>(doc.pages()[0].items.back()).y / 15;
    EXPECT_GT(testing::pixelScuri(image, QRect(0, 0, 200, top), 128), 20);
    // The strand of row 6, from column 2, in the tiles' sixth row; nothing below it.
    EXPECT_GT(testing::pixelScuri(image, QRect(10, top + 25, 100, 5), 160), 20);
    EXPECT_EQ(testing::pixelScuri(image, QRect(0, top + 40, 300, 100), 160), 0);
}

TEST_F(FrmReportTest, APictureReportWithoutPicturesOnlySaysSo) {
    ScriptedUi ui;
    const fs::path programma = folder.path().toStdString();
    mostraReportImmagini(programma, nullptr, ui);
    fs::create_directories(programma / "REPORT");
    mostraReportImmagini(programma, nullptr, ui);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"No pictures in report", "No pictures in report"}));
    for (const QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "FrmReport");
}

}  // namespace
}  // namespace trevalon
