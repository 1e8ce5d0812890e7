#pragma once
// One QApplication for a whole test program, created on first use (the tests run on the offscreen
// platform). It is never destroyed: destroying it among the exit handlers would run after Qt's own
// static objects are gone.

#include <QApplication>
#include <QImage>
#include <QRect>
#include <QTimer>

#include <functional>

namespace trevalon::testing {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "trevalon-tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Calls `act` from the event loop as soon as `find` gives a widget, polling every 20 ms: a modal window
// opened by the code under test can then be answered however long it takes to appear (the sanitizer
// builds on a loaded machine are slow). Gives up after two minutes.
template <class W>
void whenShown(std::function<W*()> find, std::function<void(W*)> act) {
    auto* timer = new QTimer;
    auto* tries = new int(0);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, find, act] {
        W* w = find();
        if (!w && ++*tries < 6000) return;
        timer->stop();
        timer->deleteLater();
        delete tries;
        if (w) act(w);
    });
    timer->start();
}

// The pixels of `rect` in `image` darker than `soglia` (grey level 0..255).
inline int pixelScuri(const QImage& image, const QRect& rect, int soglia) {
    int dark = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < soglia) ++dark;
    return dark;
}

}  // namespace trevalon::testing
