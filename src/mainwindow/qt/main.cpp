// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <filesystem>

#include "mainwindow/qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trevalon");
    // The program's folder is the folder of its executable; Knots/ and Documentation/ lie beside it.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    trevalon::MainWindow window(folder);
    window.move(0, 0);
    window.showMaximized();
    return QApplication::exec();
}
