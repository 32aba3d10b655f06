#include "WindowTestSupport.h"

#include "platform/ScriptedMessageBoxes.h"
#include "platform/SingleInstance.h"
#include "platform/Waiter.h"
#include "ui/ApplicationStart.h"
#include "ui/TTarvelForm.h"
#include "ui/TarvelApplication.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvel {
namespace {

// A name of its own per test, so tests never meet a real Tarvel or each other.
QString TestKey() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return SingleInstance::KeyFor(
        QStringLiteral("TTarvelFormTest"),
        QStringLiteral("%1-%2").arg(info->name()).arg(QCoreApplication::applicationPid()));
}

TEST(ApplicationStartTest, ASecondStartSaysSoRaisesTheFirstWindowAndEndsWithZero) {
    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    boxes.Answer(false); // the first window's start-up question
    boxes.Answer(true);  // its exit question

    StartOptions options;
    options.InstanceKey = TestKey();
    options.Messages = &boxes;
    QString childOutput;
    int childExit = -1;
    bool firstCameToFront = false;
    options.BeforeLoop = [&](TTarvelForm& form) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget other;
        ASSERT_TRUE(test::ShowActive(other));

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"--start", options.InstanceKey});
        Waiter::WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 20000);
        childOutput = QString::fromLocal8Bit(second.readAllStandardOutput());
        childExit = second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
        firstCameToFront = QTest::qWaitForWindowActive(&form);
        other.close();
        QTimer::singleShot(0, &form, &QWidget::close);
    };
    EXPECT_EQ(RunTarvel(options), 0);

    EXPECT_EQ(childExit, 0);
    EXPECT_EQ(childOutput, "box: Prendel - Tarvel | Error! Already have an instance of the Tarvel "
                           "running on this PC. Exiting application.\n"
                           "window: no\n");
    EXPECT_TRUE(firstCameToFront);
    EXPECT_EQ(boxes.Texts().last(), "Are you sure you want to exit this application?");
    EXPECT_FALSE(boxes.HadUnscriptedQuestion());
}

TEST(ApplicationStartTest, GivingUpOnTheSerialPortEndsTheProcessAtOnceWithMinusOne) {
    test::WorkingDirectory directory;
    QProcess child;
    child.setWorkingDirectory(directory.FilePath(QStringLiteral(".")));
    child.start(QCoreApplication::applicationFilePath(), {"--exit-application"});
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 255);
    EXPECT_EQ(child.readAllStandardOutput(), "before the exit") << "flushed before the end";
    bool written = true;
    directory.Read(QStringLiteral("Tarvel.ini"), &written);
    EXPECT_FALSE(written) << "no closing: nothing asked, nothing written";
}

TEST(ApplicationStartTest, AnExceptionDuringStartUpIsShownAndEndsWithZero) {
    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    StartOptions options;
    options.InstanceKey = TestKey();
    options.Messages = &boxes;
    options.BeforeLoop = [](TTarvelForm&) { throw std::runtime_error("Out of resources"); };
    EXPECT_EQ(RunTarvel(options), 0);
    EXPECT_EQ(boxes.Texts(), QStringList{"Out of resources"});
}

TEST(ApplicationStartTest, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    auto* application = qobject_cast<TarvelApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    ScriptedMessageBoxes boxes;
    application->SetMessages(&boxes);
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("List index out of bounds (8)"); });
    QTimer::singleShot(5, [&] { later = true; });
    QTest::qWait(50);
    application->SetMessages(nullptr);
    EXPECT_EQ(boxes.Texts(), QStringList{"List index out of bounds (8)"});
    EXPECT_TRUE(later);
}

} // namespace
} // namespace tarvel
