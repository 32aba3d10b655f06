// The automation player in the process: what a step throws ends the run with 3 and its reason
// in the report, whether it leaves the step or is caught in a wait inside it.

#include "AutomationScript.h"
#include "WindowTestSupport.h"

#include "platform/SingleInstance.h"
#include "platform/Waiter.h"
#include "ui/ApplicationStart.h"
#include "ui/TTarvelForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvel {
namespace {

QString TestKey() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return SingleInstance::KeyFor(
        QStringLiteral("AutomationScriptTest"),
        QStringLiteral("%1-%2").arg(info->name()).arg(QCoreApplication::applicationPid()));
}

struct Played {
    int Code = -1;
    QStringList Report;
};

// Plays `steps` in a main window whose menu item COM 3 runs `handler` besides its own (which
// does nothing). A run that hangs is ended with 99 after 20 s.
Played Play(const QStringList& steps, std::function<void(TTarvelForm&)> handler) {
    test::WorkingDirectory directory;
    directory.Write(QStringLiteral("run.script"), steps.join(QLatin1Char('\n')).toUtf8());
    AutomationScript script(directory.FilePath(QStringLiteral("run.script")));
    Played played;
    if (!script.Loaded()) {
        return played;
    }
    StartOptions options;
    options.InstanceKey = TestKey();
    options.Messages = &script.Boxes();
    options.Dialogs = &script.Dialogs();
    options.BeforeLoop = [&](TTarvelForm& form) {
        QObject::connect(form.MenuAction(QStringLiteral("COM31")), &QAction::triggered, &form,
                         [&form, handler] { handler(form); });
        QTimer::singleShot(20000, &form, [] { QCoreApplication::exit(99); });
        script.Start(form);
    };
    played.Code = RunTarvel(options);
    if (script.Failed() && played.Code == 0) {
        played.Code = AutomationScript::FailureCode; // as the program's entry does
    }
    QFile report(script.ReportPath());
    if (report.open(QIODevice::ReadOnly)) {
        played.Report = QString::fromUtf8(report.readAll()).split(QLatin1Char('\n'));
        played.Report.removeAll(QString());
    }
    return played;
}

TEST(AutomationScriptTest, WhatAStepThrowsEndsTheRunWithThreeAndItsReason) {
    const QStringList steps{"answer no", "menu COM31", "answer yes", "close"};
    {
        SCOPED_TRACE("out of the step");
        const Played played =
            Play(steps, [](TTarvelForm&) { throw std::runtime_error("No space left on device"); });
        EXPECT_EQ(played.Code, 3);
        ASSERT_FALSE(played.Report.isEmpty());
        EXPECT_EQ(played.Report.last(), "error: line 2: menu COM31: exception: No space left on "
                                        "device");
    }
    {
        SCOPED_TRACE("in a wait inside the step");
        const Played played = Play(steps, [](TTarvelForm& form) {
            QTimer::singleShot(0, [] { throw std::runtime_error("List index out of bounds (8)"); });
            Waiter::Sleep(50, &form);
        });
        EXPECT_EQ(played.Code, 3);
        ASSERT_GE(played.Report.size(), 2);
        EXPECT_EQ(played.Report[played.Report.size() - 2],
                  "box: Prendel - Tarvel | List index out of bounds (8)");
        EXPECT_EQ(played.Report.last(), "error: line 2: menu COM31: exception: List index out of "
                                        "bounds (8)");
    }
}

} // namespace
} // namespace tarvel
