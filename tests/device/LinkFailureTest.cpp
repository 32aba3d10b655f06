// A line that fails under the program: pulled in the middle of a send or a query, or while the
// link is idle; a direct unit that stops answering and its recovery.

#include "LinkRig.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"
#include "platform/Waiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

const QString ComPortError = QStringLiteral(
    "Error! COM Port communication with Zelvar has failed. Please check the RS-232 cable. Click "
    "OK to retry. Click Cancel to exit application.");

QString LossText(int com, const QString& device) {
    return QStringLiteral("Error! The connection on serial port COM %1 (%2) was lost. The port "
                          "has been closed. Please check the RS-232 cable, then go to 'Serial "
                          "Port->Search for Zelvar(s)->Search' to connect again.")
        .arg(com)
        .arg(device);
}

double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// After a failure the process must be idle: no loop left spinning on the dead port.
void ExpectIdle() {
    const double before = CpuMs();
    Waiter::Sleep(500);
    EXPECT_LT(CpuMs() - before, 100.0) << "processor time while idle after the failure";
}

void ExpectDisconnectedAfterLoss(LinkRig& rig, const QString& device) {
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());
    ASSERT_FALSE(rig.View.ConnectedHistory.empty());
    EXPECT_FALSE(rig.View.ConnectedHistory.back());
    EXPECT_FALSE(rig.View.ReadSendEnabled);
    ASSERT_EQ(rig.View.Boxes.Calls().size(), 1u) << rig.View.Boxes.Texts().join('|').toStdString();
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::Information);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, LossText(1, device));
    EXPECT_TRUE(rig.View.PageEnabled);
    EXPECT_FALSE(rig.View.Cursor);
}

TEST(LinkFailureTest, ALinePulledDuringAFramedSendEndsItAtOnce) {
    Sim sim; // command 2 gets no answer; then the line closes
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--silent-after", "1", "--hangup-after", "2"}));
    const QString device = sim.Path();
    PortsOverride ports({device});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 64), SendResult::PortLost);
    EXPECT_LT(clock.elapsed(), 8000) << "ended by the failure, not by the reply timer";
    ExpectDisconnectedAfterLoss(rig, device);
    EXPECT_EQ(rig.View.StatusTexts.last(), "");
    EXPECT_FALSE(rig.Link.Timer1().isActive());

    ExpectIdle();
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 65), SendResult::NotSent);
    EXPECT_EQ(rig.Link.Queries().QuerySystemInfo(rig.Model, 1), QueryResult::Aborted);
    EXPECT_EQ(rig.View.Boxes.Calls().size(), 1u) << "told once";
    EXPECT_EQ(rig.Model.Channels.Output(1, 1).BlackLevel, 65) << "stored all the same";
}

TEST(LinkFailureTest, ALinePulledDuringAUnitReadAbandonsTheRead) {
    Sim sim; // the input status of channel 2 gets no answer; then the line closes
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--silent-after", "3", "--hangup-after", "4"}));
    const QString device = sim.Path();
    PortsOverride ports({device});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 0);
    EXPECT_LT(clock.elapsed(), 8000);
    ExpectDisconnectedAfterLoss(rig, device);
    EXPECT_EQ(rig.View.Progress.last(), "hide");
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 2!"}));
    EXPECT_FALSE(rig.Model.System.ReadValid);
    ExpectIdle();
}

TEST(LinkFailureTest, ALinePulledDuringADirectCommandIsNoReasonToRecover) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--silent-after", "1", "--hangup-after", "2"}));
    const QString device = sim.Path();
    PortsOverride ports({device});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    ASSERT_EQ(rig.Link.Encoders().SendDataDoubling(1, 0), SendResult::Done);

    EXPECT_EQ(rig.Link.Encoders().SendSystemSave(1), SendResult::PortLost);
    ExpectDisconnectedAfterLoss(rig, device);
    EXPECT_EQ(rig.Link.PromptWait(), 80);
    ExpectIdle();
}

TEST(LinkFailureTest, ALineLostWhileIdleIsReportedOnce) {
    Sim sim; // closes the line after its answer to the second command
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--hangup-after", "2"}));
    const QString device = sim.Path();
    PortsOverride ports({device});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    ASSERT_EQ(rig.Link.WriteText("debug 0\r"), SendResult::Done);

    EXPECT_TRUE(WaitFor([&] { return !rig.View.Boxes.Calls().empty(); }, 3000));
    Waiter::Sleep(300);
    ExpectDisconnectedAfterLoss(rig, device);
    ExpectIdle();
}

// The unit stops answering; the "COM Port error" box comes; while it shows, the unit is
// restarted on the same device name. OK probes again, finds it and sends the command again.
TEST(LinkFailureTest, RecoverLinkProbesAgainOnOk) {
    const std::string linkPath = SimProcess::UniquePath("device-line");
    const QString device = QString::fromStdString(linkPath);
    auto first = std::make_unique<Sim>();
    ASSERT_TRUE(first->Start({"--mode", "direct", "--silent-after", "1", "--link", linkPath}));
    PortsOverride ports({device});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    ASSERT_EQ(rig.Link.Encoders().SendDataDoubling(1, 0), SendResult::Done);

    Sim second;
    rig.View.Boxes.OnShow([&](const ScriptedMessageBoxes::Call& call) {
        if (call.Caption == "COM Port error" && first) {
            first.reset();
            EXPECT_TRUE(second.Start({"--mode", "direct", "--link", linkPath}));
            Waiter::Sleep(300); // the old line's end reaches the port
        }
    });
    rig.View.Boxes.Answer(true);
    EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 1), SendResult::Done);

    ASSERT_EQ(rig.View.Boxes.Calls().size(), 1u) << rig.View.Boxes.Texts().join('|').toStdString();
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::OkCancel);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Caption, "COM Port error");
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, ComPortError);
    EXPECT_EQ(second.Log(), Lines({"DDBL 1"})) << "sent again to the unit that answers";
    EXPECT_TRUE(rig.Link.Connected());
    EXPECT_TRUE(rig.View.ReadSendEnabled);
    EXPECT_TRUE(rig.Port.IsOpen());
    EXPECT_EQ(rig.Link.PromptWait(), 80);
    Waiter::Sleep(100);
    EXPECT_EQ(rig.View.Boxes.Calls().size(), 1u) << "no word of a lost port: it was recovered";
}

TEST(LinkFailureTest, CancelInTheComPortErrorBoxGivesUpTheLink) {
    Sim sim; // the first command is answered, then nothing is
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--silent-after", "1"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    ASSERT_EQ(rig.Link.Encoders().SendDataDoubling(1, 0), SendResult::Done);

    rig.View.Boxes.Answer(false); // Cancel
    EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 1), SendResult::Abandoned);
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({ComPortError}));
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Caption, "COM Port error");
    // The window hears it first and ends the program; a program without one goes on, down.
    EXPECT_EQ(rig.View.AbandonedCodes, std::vector<int>({-1}));
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 0), SendResult::NotSent);
    Waiter::Sleep(100);
    EXPECT_EQ(rig.View.Boxes.Calls().size(), 1u) << "giving up is not a lost line";
}

} // namespace
} // namespace tarvel::test
