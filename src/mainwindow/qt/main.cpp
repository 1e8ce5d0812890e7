// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "mainwindow/qt/command_line.h"
#include "mainwindow/qt/main_window.h"
#include "platform/safe_file.h"

int main(int argc, char* argv[]) {
    // A file-size limit makes a save fail with a message instead of ending the program.
    trevalon::ignoraLimiteDimensioneFile();
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
    const std::string avviso = opzioni.applica(ctx);
    if (!avviso.empty()) std::cerr << "trevalon: " << avviso << '\n';

    trevalon::MainWindow window(ctx);
    // At the top left, covering the screen, also where no window manager maximises it.
    if (const QScreen* screen = QApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!avviso.empty())
        QTimer::singleShot(0, &window, [&window, &avviso] {
            QMessageBox::warning(&window, "Trevalon", QString::fromStdString(avviso));
        });
    return QApplication::exec();
}
