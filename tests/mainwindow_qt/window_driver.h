#pragma once
// Driving the main window as a person does: files picked in the real open dialog.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "mainwindow/qt/main_window.h"

namespace trevalon::testing {

// Counts the passes of the event loop made while `conta` holds: a timer of no interval runs once in every
// pass that serves the events. A long job serves them every few milliseconds, so a job that goes on
// after it was asked to end makes hundreds of passes a second, and one that ends at once makes a few.
class PassiDelCiclo {
  public:
    explicit PassiDelCiclo(std::function<bool()> conta) : conta_(std::move(conta)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (conta_()) ++passi_;
        });
        timer_.start();
    }
    long passi() const { return passi_; }

  private:
    std::function<bool()> conta_;
    QTimer timer_;
    long passi_ = 0;
};

// The main window with what a search tells it counted, while the search's stop frame is up: the times the
// search offered the window its pending events (the stop port's yield, served or not), and the progress
// dots of the status bar ("p2" all dots), which the window redraws once in every 20 steps of progress (passes
// of the sum search, records filed by the horizontal search). Counts, not times: a loaded machine makes the
// search slower and the servings further apart, but a search that serves its events still does a little
// of its work between two servings, and one that does not does all of it.
class FinestraOsservata : public MainWindow {
  public:
    using MainWindow::MainWindow;

    void yieldToEvents() override {
        if (cornice_) ++offerte_;
        MainWindow::yieldToEvents();
    }
    void setPanel(const std::string& key, const std::string& text) override {
        if (cornice_ && key == "p2" && !text.empty() && text.find_first_not_of('.') == std::string::npos)
            ++puntini_;
        MainWindow::setPanel(key, text);
    }
    void showStopFrame(const std::string& text) override {
        cornice_ = true;
        MainWindow::showStopFrame(text);
    }
    void hideStopFrame() override {
        cornice_ = false;
        MainWindow::hideStopFrame();
    }

    // From now on: what came before (the opening of a knot, an earlier command) is not counted.
    void azzeraConti() {
        offerte_ = 0;
        puntini_ = 0;
    }
    long offerte() const { return offerte_; }
    long puntini() const { return puntini_; }
    // The fewest steps of progress that the dots counted stand for (the first dot is drawn at the first
    // step).
    long passiAlmeno() const { return puntini_ == 0 ? 0 : kPassiPerPuntino * (puntini_ - 1) + 1; }
    static constexpr long kPassiPerPuntino = 20;

  private:
    bool cornice_ = false;
    long offerte_ = 0;
    long puntini_ = 0;
};

// More than a job that ends at once makes after the request (two at most), fewer than one that goes on
// for a tenth of a second.
inline constexpr long kPassiFinoAllaFine = 8;

// Runs `comando`, and the person picks `knot` in the open dialog it shows. The folder and the title the
// dialog showed.
template <typename Comando>
std::pair<QString, QString> scegliNelDialogo(const std::filesystem::path& knot, Comando&& comando) {
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
    comando();
    scelta.stop();
    QApplication::processEvents();
    return {cartella, titolo};
}

// "Load Knot" as a person uses it: the file is picked in the open dialog.
inline std::pair<QString, QString> apriConDialogo(MainWindow& w, const std::filesystem::path& knot) {
    EXPECT_TRUE(w.action("ApriG")->isEnabled());
    return scegliNelDialogo(knot, [&w] { w.action("ApriG")->trigger(); });
}

}  // namespace trevalon::testing
