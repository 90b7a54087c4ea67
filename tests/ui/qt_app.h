#pragma once
// The QApplication that widget tests need, created on first use (listing the tests needs none)
// on the offscreen platform unless another one is asked for.

#include <QApplication>

namespace velmora::test {

inline QApplication& TestApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmora-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics (QTest's input devices among them) are already
    // gone, and tearing the application down after them crashes.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace velmora::test
