#pragma once
// One QApplication for a whole test program, created on first use (the tests run on the offscreen
// platform). It is never destroyed: destroying it among the exit handlers would run after Qt's own
// static objects are gone.

#include <QApplication>

namespace trevalon::testing {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "trevalon-tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace trevalon::testing
