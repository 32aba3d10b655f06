#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

CommandLine::Parsed Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/local/bin/tarvel-cli"));
    return CommandLine::Parse(arguments);
}

TEST(CommandLineTest, OptionsAnywhereWithTheirValuesChecked) {
    auto parsed = Parse({"--port", "/tmp/line", "send", "wall.zvc", "--changes-only", "--mode",
                         "Controller", "--baud", "19200", "--retries", "0", "-v"});
    ASSERT_EQ(parsed.What, CommandLine::Outcome::Run) << parsed.Text.toStdString();
    const CliOptions& send = parsed.Options;
    EXPECT_EQ(send.Command, CliCommand::Send);
    EXPECT_EQ(send.Files, QStringList{"wall.zvc"});
    EXPECT_EQ(send.Device, "/tmp/line");
    EXPECT_EQ(send.ComNumber, 0);
    EXPECT_EQ(send.Mode, ConnectionMode::Controller);
    EXPECT_EQ(send.Baud, 19200);
    EXPECT_EQ(send.Retries, 0);
    EXPECT_TRUE(send.ChangesOnly);
    EXPECT_TRUE(send.Verbose);

    // A COM number keeps its number; the default retries are few.
    for (const char* com : {"COM3", "com 3", "3"}) {
        parsed = Parse({"diff", "a.zvc", "--live", "--port", com});
        ASSERT_EQ(parsed.What, CommandLine::Outcome::Run) << com;
        EXPECT_EQ(parsed.Options.ComNumber, 3) << com;
        EXPECT_TRUE(parsed.Options.Device.isEmpty());
        EXPECT_EQ(parsed.Options.Retries, 2);
        EXPECT_FALSE(parsed.Options.Mode.has_value());
    }
    parsed = Parse({"read", "-o", "backup.zvc", "-q"});
    ASSERT_EQ(parsed.What, CommandLine::Outcome::Run);
    EXPECT_EQ(parsed.Options.OutputPath, "backup.zvc");
    EXPECT_TRUE(parsed.Options.Quiet);
}

TEST(CommandLineTest, WhatACommandDoesNotTakeIsRefusedInOneLine) {
    const QStringList wrong[] = {
        {},
        {"fly"},
        {"send"},
        {"send", "a.zvc", "b.zvc"},
        {"show", "a.zvc", "--port", "COM1"}, // show opens no port
        {"diff", "a.zvc"},
        {"diff", "a.zvc", "b.zvc", "--live"},
        {"read"},
        {"read", "-o", "a.zvc", "extra"},
        {"search", "--port", "COM9"},
        {"search", "--port", "COM0"},
        {"search", "--mode", "serial"},
        {"search", "--baud", "115200"},
        {"search", "--retries", "-1"},
        {"search", "-q", "-v"},
        {"send", "a.zvc", "--units", "2"}, // only for a dry run
        {"send", "a.zvc", "--dry-run", "--units", "3"},
        {"send", "a.zvc", "--dry-run", "--system-save"},
        {"ports", "--frobnicate"},
    };
    for (const QStringList& arguments : wrong) {
        const auto parsed = Parse(arguments);
        EXPECT_EQ(parsed.What, CommandLine::Outcome::Error) << arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.Text.contains('\n')) << parsed.Text.toStdString();
        EXPECT_TRUE(parsed.Text.endsWith("(see 'tarvel-cli --help')"));
    }
}

TEST(CommandLineTest, HelpForTheProgramAndEachCommandNamesTheProgram) {
    const auto program = Parse({"--help"});
    ASSERT_EQ(program.What, CommandLine::Outcome::Help);
    EXPECT_TRUE(program.Text.startsWith("Usage: tarvel-cli [options] COMMAND"));
    for (const char* command : {"ports", "search", "read", "send", "show", "diff"}) {
        EXPECT_TRUE(program.Text.contains(QStringLiteral("  %1 ").arg(command))) << command;
        const auto help = Parse({command, "--help"});
        ASSERT_EQ(help.What, CommandLine::Outcome::Help) << command;
        EXPECT_TRUE(
            help.Text.startsWith(QStringLiteral("Usage: tarvel-cli [options] %1").arg(command)))
            << help.Text.toStdString();
        for (const QString& line : help.Text.split('\n')) {
            EXPECT_LE(line.size(), 80) << line.toStdString();
        }
    }
    EXPECT_TRUE(Parse({"send", "--help"}).Text.contains("--changes-only"));
    EXPECT_FALSE(Parse({"show", "--help"}).Text.contains("--port"));
}

} // namespace
} // namespace tarvel
