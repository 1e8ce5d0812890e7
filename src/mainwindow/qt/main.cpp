// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QScreen>
#include <filesystem>

#include "mainwindow/qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trevalon");
    // The program's folder is the folder of its executable; Knots/ and Documentation/ lie beside it.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    trevalon::MainWindow window(folder);
    // At the top left, covering the screen, also where no window manager maximises it.
    if (const QScreen* screen = QApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
