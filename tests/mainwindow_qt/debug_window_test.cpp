// The debug dumps met in the window: dumps that cannot be written are said once in a message and counted
// in the status bar at the end of the work; a dumps folder that cannot be made is said at start-up.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mainwindow/open_knot.h"
#include "mainwindow/qt/command_line.h"
#include "mainwindow/qt/main_window.h"
#include "platform_qt/qt_app.h"
#include "reports/qt/frm_lista_window.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

fs::path cartellaProva(const std::string& nome) {
    const fs::path p =
        fs::temp_directory_path() / ("trevalon_debug_window_" + nome + "_" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

// "Quick simplification" run as a person runs it: the step list is closed, message boxes are read and
// answered. Their texts.
std::vector<std::string> corsaCompleta(MainWindow& w) {
    std::vector<std::string> testi;
    QTimer risposte;
    risposte.setInterval(20);
    QObject::connect(&risposte, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* lista = qobject_cast<FrmListaWindow*>(modale)) {
            lista->reject();
        } else if (auto* box = qobject_cast<QMessageBox*>(modale); box && box->isVisible()) {
            testi.push_back(box->text().toStdString());
            box->done(QMessageBox::Ok);
        }
    });
    risposte.start();
    w.action("quick")->trigger();
    QApplication::processEvents();
    risposte.stop();
    return testi;
}

TEST(DebugWindow, DumpsNotWrittenAreSaidOnceAndCountedInTheStatusAtTheEnd) {
    testing::testApp();
    const fs::path cartella = cartellaProva("blocked");
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ctx.ModoDebug = true;
    ctx.cartellaDump = cartella / "missing";
    MainWindow w(ctx);
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    ASSERT_TRUE(ApriGau(w.form().contesto(), w.form().vista(),
                        (fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau").string()));

    const std::vector<std::string> prima = corsaCompleta(w);
    ASSERT_EQ(prima.size(), 1u);
    EXPECT_NE(prima[0].find(" debug dumps were not written; the last: " + (cartella / "missing").string()),
              std::string::npos)
        << prima[0];
    const std::string stato = w.panel("p2");
    EXPECT_NE(stato.find(" debug dumps were not written"), std::string::npos) << stato;
    EXPECT_EQ(prima[0].rfind(stato, 0), 0u);

    // The next run: the count again in the status, no second message.
    EXPECT_TRUE(corsaCompleta(w).empty());
    EXPECT_NE(w.panel("p2").find(" debug dumps were not written"), std::string::npos) << w.panel("p2");
    fs::remove_all(cartella);
}

TEST(DebugWindow, ADumpsFolderThatCannotBeMadeIsSaidAndTheDumpsStayOff) {
    testing::testApp();
    const fs::path cartella = cartellaProva("unmade");
    std::ofstream(cartella / "file") << "a file, not a folder";
    ProgramContext ctx;
    ctx.cartellaDump = cartella / "file" / "dumps";
    OpzioniAvvio opzioni(ctx);
    ASSERT_TRUE(opzioni.parser().parse({"trevalon", "--debug"}));
    const std::string detto = opzioni.applica(ctx);
    EXPECT_FALSE(ctx.ModoDebug);
    EXPECT_EQ(detto.rfind("The folder of the debug dumps cannot be made: " + ctx.cartellaDump.string(), 0),
              0u)
        << detto;
    // A folder that can be made: made, the dumps on, nothing said.
    ctx.cartellaDump = cartella / "dumps";
    EXPECT_EQ(opzioni.applica(ctx), "");
    EXPECT_TRUE(ctx.ModoDebug);
    EXPECT_TRUE(fs::is_directory(ctx.cartellaDump));
    fs::remove_all(cartella);
}

}  // namespace
}  // namespace trevalon
