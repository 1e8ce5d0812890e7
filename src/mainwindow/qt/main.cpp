// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <filesystem>

#include "mainwindow/qt/command_line.h"
#include "mainwindow/qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trevalon");

    trevalon::ProgramContext ctx;
    // The program's folder is the folder of its executable; Knots/ and Documentation/ lie beside it.
    ctx.programFolder = QCoreApplication::applicationDirPath().toStdString();
    // The table dumps go where the user's own data of the program lives, never beside the program.
    ctx.cartellaDump =
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString()) /
        "dumps";

    trevalon::OpzioniAvvio opzioni(ctx);
    opzioni.parser().process(app);
    opzioni.applica(ctx);

    trevalon::MainWindow window(ctx);
    // At the top left, covering the screen, also where no window manager maximises it.
    if (const QScreen* screen = QApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
