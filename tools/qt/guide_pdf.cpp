// Writes the user guide as a PDF from its Markdown source, with pictures of the program made by the
// program itself: the main window with a knot, and the knot's property box.
//
//   trevalon-guide SOURCE.md SOURCE_FOLDER OUT.pdf
//
// SOURCE_FOLDER holds Knots/. An image of the guide named "main_window.png" or "property_box.png" is the
// picture made here; the windows are drawn offscreen and never shown on a display.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <cstdio>
#include <filesystem>
#include <map>

#include "mainwindow/open_knot.h"
#include "mainwindow/qt/main_window.h"
#include "platform/qt/grid_view.h"

namespace {

using trevalon::MainWindow;

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The pictures of the program the guide shows, by the name the guide gives them.
std::map<QString, QImage> pictures(const std::filesystem::path& sourceFolder) {
    std::map<QString, QImage> out;
    MainWindow w(sourceFolder);
    w.resize(960, 600);
    w.show();
    settle();
    if (!trevalon::ApriGen(w.form().contesto(), w.form().vista(),
                           (sourceFolder / "Knots" / "FigureEight.gau").string()))
        return out;
    w.gridView().refresh();
    settle();
    out[QStringLiteral("main_window.png")] = w.grab().toImage();
    w.runCommand("propr");
    settle();
    if (QDialog* box = w.boxes().propertyBox())
        out[QStringLiteral("property_box.png")] = box->grab().toImage();
    w.boxes().closePropertyBox();
    return out;
}

// Every picture of the document at most `width` pixels wide, its proportions kept.
void fitPictures(QTextDocument& doc, const std::map<QString, QImage>& images, double width) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const auto found = images.find(format.name());
            if (found == images.end() || found->second.width() <= 0) continue;
            const double w = std::min(width, static_cast<double>(found->second.width()));
            format.setWidth(w);
            format.setHeight(w * found->second.height() / found->second.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // Drawn offscreen whatever display there is: the build must not open windows.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: trevalon-guide SOURCE.md SOURCE_FOLDER OUT.pdf\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::map<QString, QImage> images = pictures(std::filesystem::path(argv[2]));
    if (images.size() < 2) {
        std::fprintf(stderr, "the pictures of the program could not be made\n");
        return 1;
    }

    QTextDocument doc;
    doc.setDefaultStyleSheet(QStringLiteral("body { font-family: sans-serif; }"));
    doc.setMarkdown(QString::fromUtf8(source.readAll()));
    for (const auto& [name, image] : images) doc.addResource(QTextDocument::ImageResource, QUrl(name), image);

    const QString out = QString::fromLocal8Bit(argv[3]);
    QPdfWriter writer(out);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(96);
    writer.setTitle(QStringLiteral("Trevalon - User guide"));
    writer.setCreator(QStringLiteral("Trevalon"));
    fitPictures(doc, images, writer.pageLayout().paintRectPixels(writer.resolution()).width() * 0.8);
    doc.print(&writer);
    if (!QFile::exists(out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
