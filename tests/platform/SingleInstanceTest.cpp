#include "platform/SingleInstance.h"
#include "platform/Waiter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

// A name of its own per test process, so tests never meet a real Tarvel or each other.
QString TestKey() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return SingleInstance::KeyFor(
        QStringLiteral("TTarvelFormTest"),
        QStringLiteral("%1-%2").arg(info->name()).arg(QCoreApplication::applicationPid()));
}

// Runs this test program in a child role and lets the event loop run until it ends.
QString RunChild(const QString& role, const QString& key, int* exitCode = nullptr) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {role, key});
    Waiter::WaitUntil([&] { return child.state() == QProcess::NotRunning; }, 15000);
    if (exitCode != nullptr) {
        *exitCode = child.exitCode();
    }
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
}

TEST(SingleInstanceTest, KeyIsTheWindowClassAndAPlainUserName) {
    EXPECT_EQ(SingleInstance::KeyFor("TTarvelForm", "jo smith/1000"), "TTarvelForm-jo_smith_1000");
    EXPECT_TRUE(SingleInstance::Key().startsWith("TTarvelForm-"));
}

TEST(SingleInstanceTest, ASecondGuardFindsTheFirstAndAsksItToRaise) {
    const QString key = TestKey();
    SingleInstance first(key);
    QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
    ASSERT_EQ(first.Start(), SingleInstance::Result::First);

    SingleInstance second(key);
    EXPECT_EQ(second.Start(), SingleInstance::Result::AlreadyRunning);
    EXPECT_EQ(raised.count(), 1);
}

TEST(SingleInstanceTest, ASecondProcessIsTurnedAwayAndRaisesTheFirst) {
    const QString key = TestKey();
    SingleInstance first(key);
    QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
    ASSERT_EQ(first.Start(), SingleInstance::Result::First);

    int exitCode = -1;
    EXPECT_EQ(RunChild("--instance", key, &exitCode), "AlreadyRunning");
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(raised.count(), 1);
}

TEST(SingleInstanceTest, TheNameIsFreeAgainWhenTheFirstEnds) {
    const QString key = TestKey();
    {
        SingleInstance first(key);
        ASSERT_EQ(first.Start(), SingleInstance::Result::First);
    }
    SingleInstance next(key);
    EXPECT_EQ(next.Start(), SingleInstance::Result::First);
}

TEST(SingleInstanceTest, WhatACrashedRunLeftBehindDoesNotBlockStartUp) {
    const QString key = TestKey();
    int exitCode = -1;
    ASSERT_EQ(RunChild("--crash-instance", key, &exitCode), "First");
    ASSERT_EQ(exitCode, 3);

    SingleInstance guard(key);
    ASSERT_TRUE(QFileInfo::exists(guard.LockFilePath())) << "the crash left its lock";
#ifdef Q_OS_UNIX
    ASSERT_TRUE(QFileInfo::exists(QDir(QDir::tempPath()).filePath(key)))
        << "the crash left its socket";
#endif

    QSignalSpy raised(&guard, &SingleInstance::RaiseRequested);
    EXPECT_EQ(guard.Start(), SingleInstance::Result::First);
    // And it serves later starts.
    EXPECT_EQ(RunChild("--instance", key), "AlreadyRunning");
    EXPECT_EQ(raised.count(), 1);
}

} // namespace
} // namespace tarvel
