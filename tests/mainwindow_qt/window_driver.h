#pragma once
// Driving the main window as a person does: files picked in the real open dialog.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>
#include <utility>

#include <gtest/gtest.h>

#include "mainwindow/qt/main_window.h"

namespace trevalon::testing {

// "Load Knot" as a person uses it: the file is picked in the open dialog. The folder and the title the
// dialog showed.
inline std::pair<QString, QString> apriConDialogo(MainWindow& w, const std::filesystem::path& knot) {
    // The person picks the file in the open dialog, which starts in the Knots folder.
    QString cartella, titolo;
    int tentativi = 0;
    QTimer scelta;
    scelta.setInterval(20);
    // Polls while the command runs (the dialog is slow to appear under the sanitizers on a loaded machine).
    // The dialog may still be reading its folder when the file is first chosen, and then stays open: it
    // is answered again on the next tick. Any other modal box is closed so that the test fails instead of
    // waiting for a person.
    QObject::connect(&scelta, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        auto* dialogo = qobject_cast<QFileDialog*>(modale);
        if (!dialogo) {
            if (auto* altro = qobject_cast<QDialog*>(modale)) altro->reject();
            if (++tentativi > 6000) scelta.stop();
            return;
        }
        if (cartella.isEmpty()) {
            cartella = dialogo->directory().absolutePath();
            titolo = dialogo->windowTitle();
        }
        // The person types the file's name and presses Open.
        if (auto* nome = dialogo->findChild<QLineEdit*>("fileNameEdit"))
            nome->setText(QString::fromStdString(knot.string()));
        else
            dialogo->selectFile(QString::fromStdString(knot.string()));
        static_cast<QDialog*>(dialogo)->accept();
    });
    scelta.start();
    EXPECT_TRUE(w.action("ApriG")->isEnabled());
    w.action("ApriG")->trigger();
    scelta.stop();
    QApplication::processEvents();

    return {cartella, titolo};
}

}  // namespace trevalon::testing
