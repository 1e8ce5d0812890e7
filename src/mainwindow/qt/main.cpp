// Trevalon: simplifies knot diagrams.

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <optional>
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

    trevalon::ProgramContext ctx;
    ctx.cartellaDump = cartellaDump();
    trevalon::OpzioniAvvio opzioni(ctx);

    // The options are read before the display is opened, so that "--help", "--version" and an unknown
    // option are answered where there is none. They are read here on a copy of the arguments, without the
    // options of Qt's own windows, which the window's application takes.
    {
        int n = argc;
        std::vector<char*> copia(argv, argv + argc + 1);
        const QCoreApplication lettura(n, copia.data());
        if (const std::optional<trevalon::RispostaAvvio> risposta =
                opzioni.leggi(QCoreApplication::arguments())) {
            (risposta->errore ? std::cerr : std::cout) << risposta->testo << std::flush;
            return risposta->codice;
        }
    }

    // A file-size limit makes a save fail with a message instead of ending the program.
    trevalon::ignoraLimiteDimensioneFile();
    QApplication app(argc, argv);

    // The program's folder is the folder of its executable; Knots/ and Documentation/ lie beside it.
    ctx.programFolder = QCoreApplication::applicationDirPath().toStdString();
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
