// The window program's command line: --help and --version answer without a display, a wrong
// option is a usage error, Qt's own options pass.

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

struct Ran {
    int ExitCode = -1;
    std::string Output;
    std::string Error;
};

// The built tarvel where no window can open: no display, and a window system plugin that
// needs one.
Ran RunWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVEL_PROGRAM_PATH), arguments);
    Ran ran;
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
        return ran;
    }
    ran.ExitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    ran.Output = program.readAllStandardOutput().toStdString();
    ran.Error = program.readAllStandardError().toStdString();
    return ran;
}

TEST(CommandLineTest, HelpAndVersionNeedNoDisplayAndAWrongOptionIsAUsageError) {
    for (const char* help : {"--help", "-h"}) {
        const Ran ran = RunWithoutDisplay({QString::fromLatin1(help)});
        EXPECT_EQ(ran.ExitCode, 0) << help << ": " << ran.Error;
        EXPECT_EQ(ran.Output.rfind("Usage: tarvel [options]\n", 0), 0u) << ran.Output;
        EXPECT_NE(ran.Output.find("-v, --version"), std::string::npos);
        EXPECT_NE(ran.Output.find("tcp://HOST:PORT"), std::string::npos);
        EXPECT_EQ(ran.Error, "");
    }

    Ran ran = RunWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(ran.ExitCode, 0) << ran.Error;
    EXPECT_EQ(ran.Output, "tarvel 1.08\n");
    // Qt's own options are the application's, not errors.
    ran = RunWithoutDisplay({"-platform", "offscreen", "-style=fusion", "-reverse", "-v"});
    EXPECT_EQ(ran.ExitCode, 0) << ran.Error;
    EXPECT_EQ(ran.Output, "tarvel 1.08\n");

    ran = RunWithoutDisplay({QStringLiteral("--bogus")});
    EXPECT_EQ(ran.ExitCode, 2);
    EXPECT_EQ(ran.Output, "");
    EXPECT_EQ(ran.Error, "tarvel: Unknown option 'bogus'.\nTry 'tarvel --help' for more "
                         "information.\n");
    ran = RunWithoutDisplay({QStringLiteral("file.zvc")});
    EXPECT_EQ(ran.ExitCode, 2);
    EXPECT_EQ(ran.Error, "tarvel: Unexpected argument 'file.zvc'.\nTry 'tarvel --help' for more "
                         "information.\n");
}

} // namespace
} // namespace tarvel
