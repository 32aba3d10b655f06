#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace tarvel::test {

// The platform the window tests run on: offscreen, with one 1280 x 1024 screen (the size the
// screenshots are taken at), which holds the whole main window. The offscreen platform's own
// screen is smaller than the window, which would then be fitted to it (ScreenFit).
inline QByteArray TestPlatform() {
    return QByteArrayLiteral("offscreen:configfile=" TARVEL_TEST_SCREEN);
}

// Before the application object is made: no platform chosen, or plain "offscreen", becomes the
// test platform; any other choice stays.
inline void UseTestPlatform() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (chosen.isEmpty() || chosen == "offscreen") {
        qputenv("QT_QPA_PLATFORM", TestPlatform());
    }
}

} // namespace tarvel::test
