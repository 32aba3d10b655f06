// Test entry: a QCoreApplication (the platform layer needs no window), and the child-process
// roles that the single-instance and stale-lock tests start from this same program.

#include "platform/QtSerialPort.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// --instance KEY: start a guard and print what it found.
// --crash-instance KEY: become the first instance, then die without cleaning up.
// --crash-holding-port: open COM 1 (TARVEL_PORTS), then die without closing it.
int RunChildRole(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString role = QString::fromLocal8Bit(argv[1]);
    if (role == QLatin1String("--instance") && argc > 2) {
        tarvel::SingleInstance guard(QString::fromLocal8Bit(argv[2]));
        const bool first = guard.Start() == tarvel::SingleInstance::Result::First;
        std::printf("%s\n", first ? "First" : "AlreadyRunning");
        return 0;
    }
    if (role == QLatin1String("--crash-instance") && argc > 2) {
        tarvel::SingleInstance guard(QString::fromLocal8Bit(argv[2]));
        const bool first = guard.Start() == tarvel::SingleInstance::Result::First;
        std::printf("%s\n", first ? "First" : "AlreadyRunning");
        std::fflush(stdout);
        std::_Exit(3);
    }
    if (role == QLatin1String("--crash-holding-port")) {
        tarvel::QtSerialPort port;
        port.SetComNumber(1);
        std::printf("%s\n", port.Open().Ok() ? "Opened" : "Failed");
        std::fflush(stdout);
        std::_Exit(3);
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0 &&
        std::strncmp(argv[1], "--gtest", 7) != 0) {
        return RunChildRole(argc, argv);
    }
    // Test discovery runs this program at build time, outside ctest's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
