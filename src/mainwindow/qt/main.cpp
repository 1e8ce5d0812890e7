// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

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

    QCommandLineParser parser;
    parser.setApplicationDescription("Simplifies knot diagrams move by move.");
    parser.addHelpOption();
    const QCommandLineOption developer(
        "developer",
        "Starts in the developer layout: a panel of construction buttons in place of the toolbar.");
    const QCommandLineOption debug(
        "debug", QString::fromStdString("Writes the table dumps (arcs, crossings, passages, regions) into " +
                                        ctx.cartellaDump.string() + "."));
    parser.addOption(developer);
    parser.addOption(debug);
    parser.process(app);
    ctx.ModoSviluppo = parser.isSet(developer);
    ctx.ModoDebug = parser.isSet(debug);
    if (ctx.ModoDebug) {
        std::error_code ec;
        std::filesystem::create_directories(ctx.cartellaDump, ec);
        if (ec) ctx.ModoDebug = false;
    }

    trevalon::MainWindow window(ctx);
    // At the top left, covering the screen, also where no window manager maximises it.
    if (const QScreen* screen = QApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
