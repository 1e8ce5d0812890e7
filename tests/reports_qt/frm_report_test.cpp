#include "reports/qt/frm_report.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "layout/qt/tile_painter.h"
#include "platform/headless_ui.h"
#include "platform/safe_file.h"
#include "platform_qt/qt_app.h"
#include "reports/print_layout.h"
#include "reports/qt/page_render.h"
#include "support/ordinary_user.h"

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

// A file-size limit for one test, as a full disk meets the writer (EFBIG); the signal the limit raises is
// ignored meanwhile, as the program ignores it.
class LimiteFile {
  public:
    explicit LimiteFile(rlim_t byte) {
        ::getrlimit(RLIMIT_FSIZE, &prima_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = prima_;
        l.rlim_cur = byte;
        ::setrlimit(RLIMIT_FSIZE, &l);
    }
    ~LimiteFile() {
        ::setrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, segnale_);
    }
    LimiteFile(const LimiteFile&) = delete;
    LimiteFile& operator=(const LimiteFile&) = delete;

  private:
    rlimit prima_{};
    void (*segnale_)(int) = nullptr;
};

std::string contenuto(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> nomiIn(const fs::path& cartella) {
    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// An export that cannot be written (a full disk, a folder that is not there) leaves the PDF that was there
// byte for byte, no temporary file, and says why; one that can replaces it whole.
TEST_F(FrmReportTest, AFailedPdfExportKeepsTheOldFileAndSaysWhy) {
    FrmReport preview(DuplicaGrid2(griglia(), 1, "Trefoil", measure), tilePicturePainter());
    const fs::path cartella = folder.path().toStdString();
    const fs::path pdf = cartella / "report.pdf";
    const std::string vecchio(300000, 'x');
    ASSERT_TRUE(replaceFileContents(pdf, vecchio));
    const QPageLayout carta = pageLayout(preview.document());
    {
        const LimiteFile pieno(4096);
        const Status esito = preview.esportaPdf(pdf, carta);
        ASSERT_FALSE(esito.ok());
        EXPECT_EQ(esito.error(), "The file could not be written: " + pdf.string() + ": File too large");
    }
    EXPECT_TRUE(contenuto(pdf) == vecchio);
    EXPECT_EQ(nomiIn(cartella), std::vector<std::string>{"report.pdf"});
    const Status mancante = preview.esportaPdf(cartella / "missing" / "report.pdf", carta);
    ASSERT_FALSE(mancante.ok());
    EXPECT_NE(mancante.error().find("No such file or directory"), std::string::npos) << mancante.error();

    ASSERT_TRUE(preview.esportaPdf(pdf, carta).ok());
    const std::string nuovo = contenuto(pdf);
    EXPECT_TRUE(nuovo.starts_with("%PDF") && nuovo.find("%%EOF") != std::string::npos);
    EXPECT_EQ(pagineDelPdf(QByteArray::fromStdString(nuovo)), 1);
}

// The preview's own export, as a person makes it: the print button, a file name in the print dialog, and on
// a full disk a message box, with the old file kept.
TEST_F(FrmReportTest, ThePreviewsExportOnAFullDiskShowsAMessageAndKeepsTheFile) {
    const fs::path pdf = fs::path(folder.path().toStdString()) / "preview.pdf";
    const std::string vecchio(300000, 'y');
    ASSERT_TRUE(replaceFileContents(pdf, vecchio));
    FrmReport preview(DuplicaGrid2(griglia(), 1, "Trefoil", measure), tilePicturePainter());
    QAction* stampa = nullptr;
    for (QAction* a : preview.findChildren<QAction*>())
        if (a->text().contains("Print", Qt::CaseInsensitive)) stampa = a;
    ASSERT_NE(stampa, nullptr);
    ASSERT_EQ(preview.printer()->outputFormat(), QPrinter::PdfFormat);

    // The print dialog: printing into a file, the name typed into its field.
    std::string messaggio;
    testing::whenShown<QDialog>(
        [] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            return d && d->inherits("QPrintDialog") ? d : nullptr;
        },
        [&pdf, &messaggio](QDialog* dialogo) {
            testing::whenShown<QMessageBox>(
                [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                [&messaggio](QMessageBox* box) {
                    messaggio = box->text().toStdString();
                    box->accept();
                });
            auto* nome = dialogo->findChild<QLineEdit*>("filename");
            ASSERT_NE(nome, nullptr);
            nome->setText(QString::fromStdString(pdf.string()));
            dialogo->accept();
        });
    QTimer::singleShot(0, stampa, &QAction::trigger);
    QTimer::singleShot(120000, &preview, &QDialog::reject);  // a dialog that never came ends the test
    {
        const LimiteFile pieno(4096);
        preview.exec();
    }
    EXPECT_EQ(messaggio, "The file could not be written: " + pdf.string() + ": File too large");
    EXPECT_TRUE(contenuto(pdf) == vecchio);
}

// A PDF its owner made read-only, chosen by an ordinary user in the preview's print dialog: it is not
// replaced, and one message says it is read-only.
TEST_F(FrmReportTest, AReadOnlyPdfIsNotReplacedAndOneMessageSaysSo) {
    const fs::path cartella = folder.path().toStdString();
    const fs::path pdf = cartella / "report.pdf";
    const std::string vecchio = "%PDF protected";
    ASSERT_TRUE(replaceFileContents(pdf, vecchio));
    ASSERT_EQ(::chmod(pdf.c_str(), 0444), 0);
    FrmReport preview(DuplicaGrid2(griglia(), 1, "Trefoil", measure), tilePicturePainter());
    QAction* stampa = nullptr;
    for (QAction* a : preview.findChildren<QAction*>())
        if (a->text().contains("Print", Qt::CaseInsensitive)) stampa = a;
    ASSERT_NE(stampa, nullptr);

    // The print dialog gets the name once; every message box is recorded and closed; a print dialog met
    // again (it stays open on a name it refuses) is cancelled, and so is the preview then.
    std::vector<std::string> messaggi;
    int dialoghi = 0;
    QTimer t;
    t.setInterval(20);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modale)) {
            messaggi.push_back(box->text().toStdString());
            box->accept();
        } else if (auto* d = qobject_cast<QDialog*>(modale); d && d->inherits("QPrintDialog")) {
            if (dialoghi++ == 0) {
                auto* nome = d->findChild<QLineEdit*>("filename");
                if (nome) nome->setText(QString::fromStdString(pdf.string()));
                d->accept();
            } else {
                d->reject();
            }
        } else if (modale == &preview && dialoghi > 0) {
            preview.reject();
        }
    });
    Status esportata;
    {
        const testsupport::UtenteComuneQui utente({cartella, pdf});
        ASSERT_EQ(utente.errore(), "");
        t.start();
        QTimer::singleShot(0, stampa, &QAction::trigger);
        QTimer::singleShot(60000, &preview, &QDialog::reject);  // a dialog that never came ends the test
        preview.exec();
        t.stop();
        esportata = preview.esportaPdf(pdf, pageLayout(preview.document()));
    }
    const std::string atteso = "The file could not be written: " + pdf.string() + ": it is read-only";
    EXPECT_EQ(messaggi, std::vector<std::string>{atteso});
    EXPECT_EQ(esportata.error(), atteso);
    EXPECT_TRUE(contenuto(pdf) == vecchio);
}

}  // namespace
}  // namespace trevalon
