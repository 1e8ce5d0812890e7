#pragma once
// One QApplication for a whole test program, created on first use (the tests run on the offscreen
// platform).

#include <QApplication>

namespace trevalon::testing {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "trevalon-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace trevalon::testing
