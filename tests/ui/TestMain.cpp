// Test entry: the program's own application object (so its exception handling is under test),
// and the child-process role that the start-up tests run from this same program.

#include "support/TestScreen.h"

#include "device/LinkObserver.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/ApplicationStart.h"
#include "ui/TTarvelForm.h"
#include "ui/TarvelApplication.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// --exit-application: a main window whose link gives up on the port: the process ends at
// once with -1, after what it wrote to stdout without a line end.
[[noreturn]] void ExitApplicationRole() {
    tarvel::ScriptedMessageBoxes boxes;
    tarvel::TTarvelForm::Options options;
    options.Messages = &boxes;
    tarvel::TTarvelForm form(std::move(options));
    form.show();
    std::printf("before the exit");
    form.Observer().Abandoned(-1);
    std::abort(); // not reached: the window ends the program
}

// --under-openbox GTEST-ARGS...: the tests on the X display that xvfb-run gave, with openbox
// managing the windows. Ends with 2 when the window manager does not come up.
int RunUnderOpenbox(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    tarvel::TarvelApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ready = QDir(dir.path()).filePath(QStringLiteral("ready"));
    QProcess openbox;
    openbox.setProcessChannelMode(QProcess::ForwardedChannels);
    // openbox runs the start-up command once it manages the screen.
    openbox.start(QStringLiteral("openbox"),
                  {QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
    if (!QTest::qWaitFor([&] { return QFile::exists(ready); }, 20000)) {
        std::printf("openbox did not come up\n");
        return 2;
    }
    std::printf("platform %s, window manager up\n", qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    argv[1] = argv[0]; // the rest are Google Test's
    int testArgc = argc - 1;
    ::testing::InitGoogleTest(&testArgc, argv + 1);
    const int code = RUN_ALL_TESTS();
    openbox.terminate();
    openbox.waitForFinished(5000);
    return code;
}

// --screen-fit: the main window shown on this process's screen; prints where it and its parts
// lie in screen coordinates, and whether and how far its pages scroll. With
// TARVEL_PAGE_SCREENSHOTS set to a folder the whole screen is saved there.
int ScreenFitRole() {
    tarvel::ScriptedMessageBoxes boxes;
    tarvel::TTarvelForm::Options options;
    options.Messages = &boxes;
    options.CloseWaitMs = 0;
    tarvel::TTarvelForm form(std::move(options));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    QTest::qWait(200);
    const auto print = [](const char* key, const QRect& r) {
        std::printf("%s %d %d %d %d\n", key, r.x(), r.y(), r.width(), r.height());
    };
    const auto global = [](const QWidget* widget) {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    };
    print("screen", form.screen()->availableGeometry());
    print("frame", form.frameGeometry());
    print("menu", global(form.menuBar()));
    print("status", global(form.statusBar()));
    const auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("PageScrollArea"));
    std::printf("scroll %d %d %d\n", scroll != nullptr && form.centralWidget() == scroll,
                form.PageControl()->width(), form.PageControl()->height());
    if (scroll != nullptr) {
        std::printf("range %d %d\n", scroll->horizontalScrollBar()->maximum(),
                    scroll->verticalScrollBar()->maximum());
    }
    const QString folder = qEnvironmentVariable("TARVEL_PAGE_SCREENSHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        form.screen()->grabWindow(0).save(QDir(folder).filePath("scaled-screen-1280x1024.png"));
    }
    form.hide();
    return 0;
}

// --start KEY: run the program's start-up with scripted boxes and print every box's text and
// whether a main window came up.
int RunChildRole(int argc, char** argv) {
    if (std::strcmp(argv[1], "--under-openbox") == 0) {
        return RunUnderOpenbox(argc, argv);
    }
    tarvel::TarvelApplication app(argc, argv);
    if (std::strcmp(argv[1], "--exit-application") == 0) {
        ExitApplicationRole();
    }
    if (std::strcmp(argv[1], "--screen-fit") == 0) {
        return ScreenFitRole();
    }
    if (std::strcmp(argv[1], "--start") != 0 || argc < 3) {
        return 2;
    }
    tarvel::ScriptedMessageBoxes boxes;
    tarvel::StartOptions options;
    options.InstanceKey = QString::fromLocal8Bit(argv[2]);
    options.Messages = &boxes;
    bool windowCreated = false;
    options.BeforeLoop = [&](tarvel::TTarvelForm&) {
        windowCreated = true;
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    };
    const int code = tarvel::RunTarvel(options);
    for (const auto& call : boxes.Calls()) {
        std::printf("box: %s | %s\n", qPrintable(call.Caption), qPrintable(call.Text));
    }
    std::printf("window: %s\n", windowCreated ? "yes" : "no");
    return code;
}

} // namespace

int main(int argc, char** argv) {
    // Test discovery runs this program at build time, outside ctest's environment.
    tarvel::test::UseTestPlatform();
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0 &&
        std::strncmp(argv[1], "--gtest", 7) != 0) {
        return RunChildRole(argc, argv);
    }
    tarvel::TarvelApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
