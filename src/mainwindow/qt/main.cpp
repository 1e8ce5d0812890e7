// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <vector>

#include "mainwindow/qt/command_line.h"
#include "mainwindow/qt/main_window.h"
#include "platform/safe_file.h"

namespace {

// The table dumps go where the user's own data of the program lives, never beside the program.
std::filesystem::path cartellaDump() {
    return std::filesystem::path(
               QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString()) /
           "dumps";
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("Trevalon");

    // "--help" is answered before the display is opened, so that it prints where there is none. The
    // arguments are read here on a copy: the window's application reads them again, taking its own.
    {
        int n = argc;
        std::vector<char*> copia(argv, argv + argc + 1);
        const QCoreApplication lettura(n, copia.data());
        trevalon::ProgramContext ctx;
        ctx.cartellaDump = cartellaDump();
        trevalon::OpzioniAvvio opzioni(ctx);
        // Options of the window's own (such as -platform) are not known here: only the help is answered.
        (void)opzioni.parser().parse(QCoreApplication::arguments());
        if (opzioni.parser().isSet("help") || opzioni.parser().isSet("help-all"))
            opzioni.parser().showHelp(0);
    }

    // A file-size limit makes a save fail with a message instead of ending the program.
    trevalon::ignoraLimiteDimensioneFile();
    QApplication app(argc, argv);

    trevalon::ProgramContext ctx;
    // The program's folder is the folder of its executable; Knots/ and Documentation/ lie beside it.
    ctx.programFolder = QCoreApplication::applicationDirPath().toStdString();
    ctx.cartellaDump = cartellaDump();

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
