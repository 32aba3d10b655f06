// The command encoders: store, then send the form of the mode; the read-backs after control
// mode, input configuration reset and auto seam; the automatic adjustments of a unit.

#include "LinkRig.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

QByteArray Joined(const QSignalSpy& spy) {
    QByteArray all;
    for (const QList<QVariant>& signal : spy) {
        all += signal.at(0).toByteArray();
    }
    return all;
}

TEST(EncodersTest, WithoutAConnectionTheModelIsStoredAndNothingSent) {
    PortsOverride ports({MissingDevice(1)});
    LinkRig rig;
    QSignalSpy written(&rig.Port, &SerialPort::Written);
    CommandEncoders& encoders = rig.Link.Encoders();

    EXPECT_EQ(encoders.SendTestPattern(2, 5, 7, 1, 1), SendResult::NotSent);
    for (int channel = 1; channel <= 4; ++channel) {
        EXPECT_EQ(rig.Model.Channels.Output(2, channel).TestPattern, 7);
        EXPECT_EQ(rig.Model.Channels.Output(2, channel).TestGrid, 1);
    }
    EXPECT_EQ(encoders.SendControlMode(1, 1), SendResult::NotSent);
    EXPECT_EQ(rig.Model.Channels.UnitOutput(1).ControlMode, 1);
    EXPECT_EQ(encoders.SendInputBrightness(1, 3, InputColour::Green, 1.5f), SendResult::NotSent);
    EXPECT_FLOAT_EQ(rig.Model.Channels.Input(1, 3).GreenBrightness, 1.5f);
    EXPECT_EQ(encoders.RunAutomatic(1, AutoOperation::ColourBalance).Sent, SendResult::NotSent);
    EXPECT_TRUE(written.isEmpty());
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
}

TEST(EncodersTest, DirectFormsAreConfirmedByThePromptOrWrittenUnconfirmed) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--delay-ms", "150"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    QSignalSpy written(&rig.Port, &SerialPort::Written);
    CommandEncoders& encoders = rig.Link.Encoders();

    EXPECT_EQ(encoders.SendBasicFeathering(1, 1, 2.2f), SendResult::Done);
    EXPECT_EQ(Joined(written), QByteArray("EFTB 1  2.2\r"));
    EXPECT_EQ(rig.View.StatusTexts, QStringList({"Sending command....", ""}));

    // The projector count waits up to 180 ticks for its prompt, then 80 again.
    int promptWaitDuring = 0;
    QTimer::singleShot(50, &rig.Link, [&] { promptWaitDuring = rig.Link.PromptWait(); });
    EXPECT_EQ(encoders.SendProjectors(1, 0, 3), SendResult::Done);
    EXPECT_EQ(promptWaitDuring, 180);
    EXPECT_EQ(rig.Link.PromptWait(), 80);

    // Unconfirmed: written, and the encoder returns without waiting for the unit.
    written.clear();
    EXPECT_EQ(encoders.SendBlackLevel(1, 2, 128), SendResult::Done);
    EXPECT_EQ(Joined(written), QByteArray("BLKGN 2 128\r"));
    EXPECT_TRUE(WaitFor([&] { return sim.Log().size() == 3; }, 2000));
    EXPECT_EQ(sim.Log(), Lines({"EFTB 1  2.2", "PRJ 0 3", "BLKGN 2 128"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
}

TEST(EncodersTest, ControlModeReadsTheUnitsOutputsBackUnderTheHourglass) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "3,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    ASSERT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 2);
    rig.View.BusyCursorChanges = 0;

    EXPECT_EQ(rig.Link.Encoders().SendControlMode(2, 0), SendResult::Done);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "NZV", "*7ZVCTRL 0!", "*7OINFOZV 1!", "*7OINFOZV 2!",
                                "*7OINFOZV 3!", "*7OINFOZV 4!"}));
    EXPECT_EQ(rig.View.BusyCursorChanges, 2) << "one hourglass for the whole run";
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_EQ(rig.Model.Channels.Output(2, 3).OutputFormat, 3) << "read back";
    EXPECT_EQ(rig.Model.Channels.Output(2, 4).TotalProjectors, 6);
}

TEST(EncodersTest, InputConfigResetAndAutoSeamReadTheirChannelsBack) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    CommandEncoders& encoders = rig.Link.Encoders();

    EXPECT_EQ(encoders.SendResetInputConfig(1, 2), SendResult::Done);
    EXPECT_EQ(encoders.SendAutoSeam(1, 3), SendResult::Done);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1ICRSTZV 2!", "*1IINFOZV 1!", "*1IINFOZV 2!",
                                "*1IINFOZV 3!", "*1IINFOZV 4!", "*1AUTOSEAM 3!", "*1OINFOZV 3!"}));
    // The simulator's automatic seam gains for channel 3: 100 + 3k + 3.
    EXPECT_EQ(rig.Model.Channels.Output(1, 3).SeamGain,
              (std::array<std::uint8_t, 8>{103, 106, 109, 112, 115, 118, 121, 124}));
    EXPECT_EQ(rig.Model.Channels.Input(1, 2).HPosition, 352);
}

TEST(EncodersTest, AutoColourBalanceStopsWithoutVideoOnChannel1) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--no-video", "1"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    const CommandEncoders::AutomaticEnd end =
        rig.Link.Encoders().RunAutomatic(1, AutoOperation::ColourBalance);
    EXPECT_EQ(end.Sent, SendResult::Done);
    EXPECT_TRUE(end.NoInput);
    EXPECT_TRUE(end.InputsRead) << "the caller shows what was read, then says why it stopped";
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(sim.Log(),
              Lines({"debug 0", "*1IINFOZV 1!", "*1IINFOZV 2!", "*1IINFOZV 3!", "*1IINFOZV 4!"}))
        << "no adjustment command";
}

// While the unit balances, the controller reports that it does not answer: no message, and
// the poll goes again after the colour balance's pause and the resend's (5900 ms in real time).
TEST(EncodersTest, AutoColourBalancePollsQuietlyWhileTheUnitIsBusy) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--auto-ms", "150"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> pollTimes;
    QObject::connect(&rig.Port, &SerialPort::Written, [&](const QByteArray& bytes) {
        if (bytes == "*1 !") {
            pollTimes.push_back(clock.elapsed());
        }
    });

    const CommandEncoders::AutomaticEnd end =
        rig.Link.Encoders().RunAutomatic(1, AutoOperation::ColourBalance);
    EXPECT_EQ(end.Sent, SendResult::Done);
    EXPECT_FALSE(end.NoInput);
    EXPECT_TRUE(end.InputsRead);

    EXPECT_TRUE(rig.View.Boxes.Calls().empty()) << rig.View.Boxes.Texts().join('|').toStdString();
    const Lines log = sim.Log();
    ASSERT_EQ(log.size(), 1u + 4 + 1 + 2 + 4) << testing::PrintToString(log);
    EXPECT_EQ(Lines(log.begin() + 5, log.begin() + 8), Lines({"*1RGBADJ!", "*1 !", "*1 !"}));
    ASSERT_EQ(pollTimes.size(), 2u);
    const LinkTiming& timing = rig.Link.Timing();
    EXPECT_GE(pollTimes[1] - pollTimes[0], timing.ColourBalancePauseMs + timing.ResendPauseMs);
    EXPECT_TRUE(rig.View.StatusTexts.contains("Automatic Color Balance in progress. Please "
                                              "wait...."));
    EXPECT_TRUE(rig.View.StatusTexts.contains(
        "Detect Zelvar not done with Color Balance. Resending message...."));
    EXPECT_FALSE(rig.Link.ColourBalanceWait());
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_FLOAT_EQ(rig.Model.Channels.Input(1, 1).RedContrast, 1.5f) << "the result, read back";
}

TEST(EncodersTest, DirectAutomaticOperationsWaitForTheUnitsPrompt) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--auto-ms", "100"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    EXPECT_EQ(rig.Link.Encoders().RunAutomatic(1, AutoOperation::Position).Sent, SendResult::Done);
    EXPECT_EQ(written.first().at(0).toByteArray(), QByteArray("AUTOPOS\r\r"));
    EXPECT_EQ(sim.Log(), Lines({"AUTOPOS", "IINFOZV 1", "IINFOZV 2", "IINFOZV 3", "IINFOZV 4"}));
    EXPECT_TRUE(rig.View.StatusTexts.contains("Automatic Position setup in progress. Please "
                                              "wait...."));
    EXPECT_EQ(rig.Link.PromptWait(), 80);
    EXPECT_EQ(rig.Model.Channels.Input(1, 1).HPosition, 360) << "moved to the centre";
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
}

} // namespace
} // namespace tarvel::test
