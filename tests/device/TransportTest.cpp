// The transport: framed commands, queries and their replies, every failure the controller or
// the line can play and how the link answers it, one exchange at a time.

#include "LinkRig.h"
#include "PtyDevice.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

namespace tarvel::test {
namespace {

const QString TimeoutText =
    QStringLiteral("Error! Timeout occured. Unable to communicate with Zelvar. Please verify that "
                   "Serial Port is connected to Zelvar.");
const QString NoUnitAnswerText =
    QStringLiteral("Error! Controller did not get response from Zelvar(s). Please check "
                   "connections and Zelvar(s) Serial Mode settings.");
const QString ErrorCodeStatus =
    QStringLiteral("Error code returned by Controller detected.... Resending message");

using Lines = std::vector<std::string>;

QByteArray Joined(const QSignalSpy& spy) {
    QByteArray all;
    for (const QList<QVariant>& signal : spy) {
        all += signal.at(0).toByteArray();
    }
    return all;
}

TEST(TransportTest, AFramedCommandGoesOutWithItsChecksumAndSettlesOnThePrompt) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "3,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    ASSERT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 2);
    rig.View.StatusTexts.clear();
    rig.View.PageEnabledHistory.clear();
    rig.View.BusyCursorChanges = 0;
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    // Black level 128 on screen 6: unit 2 (address 7), unit channel 2.
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(2, 2, 128), SendResult::Done);

    EXPECT_EQ(Joined(written), QByteArray("PASS *7BLKGN 2 128!FD\r\r"));
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "NZV", "*7BLKGN 2 128!"}));
    EXPECT_EQ(rig.Model.Channels.Output(2, 2).BlackLevel, 128);
    EXPECT_EQ(rig.View.StatusTexts, QStringList({"Sending command....", ""}));
    EXPECT_EQ(rig.View.PageEnabledHistory, std::vector<bool>({false, true}));
    EXPECT_FALSE(rig.View.Cursor) << "the hourglass is back to the arrow";
    EXPECT_EQ(rig.View.BusyCursorChanges, 2);
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(rig.Link.MinReplyLength(), 14 + 8);
    EXPECT_FALSE(rig.Link.Timer1().isActive());
    EXPECT_EQ(rig.Link.Timer1().interval(), rig.Link.Timing().ReplyTimeoutMs);
    EXPECT_TRUE(rig.Link.Timer1().isSingleShot());
    EXPECT_EQ(rig.Link.Timer1().timerType(), Qt::PreciseTimer);
}

// Both kinds of controller: one that echoes every byte the moment it arrives (so part of the
// echo comes before the link waits for the reply), one that answers the whole line at once,
// and one whose replies come in small pieces.
TEST(TransportTest, EchoingSplittingAndWholeLineControllersAllComplete) {
    const std::vector<std::vector<std::string>> variants = {
        {}, {"--echo-bytes"}, {"--split", "5,2"}, {"--echo-bytes", "--split", "3,1"}};
    for (const auto& variant : variants) {
        SCOPED_TRACE(testing::PrintToString(variant));
        std::vector<std::string> options = {"--mode", "controller", "--units", "2"};
        options.insert(options.end(), variant.begin(), variant.end());
        Sim sim;
        ASSERT_TRUE(sim.Start(options));
        PortsOverride ports({sim.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));

        EXPECT_EQ(rig.Link.Encoders().SendTestPattern(2, 3, 4, 1, 0), SendResult::Done);
        EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 2);
        EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 1);
        EXPECT_EQ(rig.Link.Queries().QueryOutputStatus(2, 3), QueryResult::Ok);
        EXPECT_EQ(rig.Model.Channels.Output(2, 3).TestPattern, 4);
        EXPECT_EQ(rig.Model.Channels.Output(2, 3).OutputRaster, 1);
        EXPECT_EQ(rig.Model.Channels.Input(1, 4).HActive, 1280);
        EXPECT_TRUE(rig.View.Boxes.Calls().empty())
            << rig.View.Boxes.Texts().join('|').toStdString();
        EXPECT_EQ(sim.Log().size(), 1u + 1 + 1 + 9 + 1);
    }
    for (const auto& variant : variants) {
        SCOPED_TRACE("direct " + testing::PrintToString(variant));
        std::vector<std::string> options = {"--mode", "direct"};
        options.insert(options.end(), variant.begin(), variant.end());
        Sim sim;
        ASSERT_TRUE(sim.Start(options));
        PortsOverride ports({sim.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectDirect(rig));
        EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 1), SendResult::Done);
        EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 1);
        EXPECT_EQ(rig.Model.Channels.Output(1, 4).DataDoubling, 1) << "read back from the unit";
        EXPECT_TRUE(rig.View.Boxes.Calls().empty())
            << rig.View.Boxes.Texts().join('|').toStdString();
    }
}

// A prompt before the minimum reply length does not end a reply: the link waits for the
// controller's real answer.
TEST(TransportTest, AnEarlyPromptDoesNotEndTheReply) {
    PtyDevice device;
    ASSERT_TRUE(device.Ok());
    bool answered = false;
    device.OnLine([&](const QByteArray& line) {
        if (line.isEmpty() || line == "debug 0") {
            device.Write(line + "\r\nLR>");
        } else if (line.startsWith("PASS ")) {
            device.Write("LR>");
            QTimer::singleShot(300, [&] {
                device.Write("PASS *1SYSAVE!57\r\nOK\r\nLR>");
                answered = true;
            });
        }
    });
    PortsOverride ports({device.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    EXPECT_EQ(rig.Link.SendFramed("*1SYSAVE!", 0), SendResult::Done);
    EXPECT_TRUE(answered) << "returned on the early prompt";
    EXPECT_EQ(rig.Link.MinReplyLength(), 17);
}

TEST(TransportTest, ARefusedCommandIsResentAfterAPauseWithoutAMessage) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--refuse-every", "2"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 10), SendResult::Done);
    EXPECT_GE(clock.elapsed(), rig.Link.Timing().ResendPauseMs);

    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1BLKGN 1 10!", "*1BLKGN 1 10!"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(rig.View.StatusTexts, QStringList({"Sending command....", "Resending message....",
                                                 "Sending command....", ""}));
    EXPECT_FALSE(rig.Link.ReplyFailed());
}

TEST(TransportTest, AControllerErrorCodeIsShownInTheStatusBarAndResent) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "2,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 2, 20), SendResult::Done);
    EXPECT_GE(clock.elapsed(), 2 * rig.Link.Timing().ResendPauseMs)
        << "the error's pause, then the resend's";

    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1BLKGN 2 20!", "*1BLKGN 2 20!"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(rig.View.StatusTexts,
              QStringList({"Sending command....", ErrorCodeStatus, "Resending message....",
                           "Sending command....", ""}));
}

TEST(TransportTest, NoAnswerFromTheUnitAsksWhetherToGoOn) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "2,4"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    rig.View.Boxes.Answer(true);
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 3, 30), SendResult::Done);
    ASSERT_EQ(rig.View.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::OkCancel);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Caption, "Prendel - Tarvel");
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, NoUnitAnswerText);

    // Cancel abandons the command (command 4 fails again); the model keeps the value.
    rig.View.Boxes.Answer(false);
    rig.View.StatusTexts.clear();
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 3, 99), SendResult::Stopped);
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({NoUnitAnswerText, NoUnitAnswerText}));
    EXPECT_EQ(rig.Model.Channels.Output(1, 3).BlackLevel, 99);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1BLKGN 3 30!", "*1BLKGN 3 30!", "*1BLKGN 3 99!"}));
    EXPECT_TRUE(rig.View.PageEnabled);
    EXPECT_EQ(rig.View.StatusTexts.last(), "");
    EXPECT_FALSE(rig.View.Cursor);
}

TEST(TransportTest, AUnitInItsDebugConsoleIsTakenOutAndTheCommandResent) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    EXPECT_TRUE(rig.Link.AwaitPrompt("debug 1\r"));
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 5), SendResult::Done);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "debug 1", "*1BLKGN 1 5!", "debug 0", "*1BLKGN 1 5!"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_TRUE(rig.View.StatusTexts.contains("Resending message...."));

    // A query: out of the console, a second's pause, asked once more.
    EXPECT_TRUE(rig.Link.AwaitPrompt("debug 1\r"));
    EXPECT_EQ(rig.Link.Queries().QuerySystemInfo(rig.Model, 1), QueryResult::Ok);
    const Lines log = sim.Log();
    EXPECT_EQ(Lines(log.begin() + 5, log.end()),
              Lines({"debug 1", "*1SYINFOZV!", "debug 0", "*1SYINFOZV!"}));
}

TEST(TransportTest, ATimedOutFramedCommandIsResentWhenTheUserSaysOk) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    rig.View.Boxes.Answer(true);
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 4, 40), SendResult::Done);
    ASSERT_EQ(rig.View.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::OkCancel);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, TimeoutText);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1BLKGN 4 40!", "*1BLKGN 4 40!"}));
    EXPECT_TRUE(rig.View.StatusTexts.contains("Resending message...."));
}

TEST(TransportTest, ATimedOutFramedCommandIsAbandonedOnCancel) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    rig.View.Boxes.Answer(false);
    EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 1), SendResult::Stopped);
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({TimeoutText}));
    EXPECT_EQ(rig.Model.Channels.UnitOutput(1).DataDoubling, 1) << "the model keeps the value";
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1DDBL 1!"}));
    EXPECT_TRUE(rig.View.PageEnabled);
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_EQ(rig.View.StatusTexts.last(), "");
    EXPECT_TRUE(rig.Link.Connected()) << "the link itself is fine";
}

TEST(TransportTest, ATimedOutQueryFailsAfterTellingTheUser) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    EXPECT_EQ(rig.Link.Queries().QuerySystemInfo(rig.Model, 1), QueryResult::Failed);
    ASSERT_EQ(rig.View.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::Information);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, TimeoutText);
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1SYINFOZV!"})) << "a query is not resent";
    EXPECT_TRUE(rig.Link.ReplyFailed());
}

TEST(TransportTest, QueriesAnswerControllerErrorsByTheirRule) {
    {
        // Code 4: the user is told, the query fails at once.
        Sim sim;
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "2,4"}));
        PortsOverride ports({sim.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));
        EXPECT_EQ(rig.Link.Queries().QuerySystemInfo(rig.Model, 1), QueryResult::Failed);
        EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({NoUnitAnswerText}));
        EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::Information);
        EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1SYINFOZV!"}));
    }
    {
        // Another code: status text, a pause, asked again.
        Sim sim;
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "2,9"}));
        PortsOverride ports({sim.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(rig.Link.Queries().QueryInputStatus(1, 2), QueryResult::Ok);
        EXPECT_GE(clock.elapsed(), rig.Link.Timing().ResendPauseMs);
        EXPECT_TRUE(rig.View.Boxes.Calls().empty());
        EXPECT_EQ(rig.View.StatusTexts, QStringList({ErrorCodeStatus}));
        EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1IINFOZV 2!", "*1IINFOZV 2!"}));
        EXPECT_EQ(rig.Model.Channels.Input(1, 2).HTotal, 1688);
    }
}

TEST(TransportTest, AControllerThatKeepsRefusingEndsEveryQueryAfterFiveSends) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--refuse-every", "1"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    UnitQueries& queries = rig.Link.Queries();
    EXPECT_EQ(queries.QueryUnitCount(rig.Model), 0);
    EXPECT_EQ(queries.QuerySystemInfo(rig.Model, 1), QueryResult::Failed);
    EXPECT_EQ(queries.QueryInputStatus(1, 1), QueryResult::Failed);
    EXPECT_EQ(queries.QueryOutputStatus(1, 3), QueryResult::Failed);

    Lines expected = {"debug 0"};
    for (const char* query : {"NZV", "*1SYINFOZV!", "*1IINFOZV 1!", "*1OINFOZV 3!"}) {
        expected.insert(expected.end(), 5, query);
    }
    EXPECT_EQ(sim.Log(), expected);
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(rig.Model.Channels.Input(1, 1), InputSettings{}) << "nothing parsed";
}

TEST(TransportTest, DisconnectIsTheWayOutOfEndlessRefusals) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--refuse-every", "1"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    // The menus stay usable while a command waits.
    QTimer::singleShot(2000, &rig.Link, [&] { rig.Link.Disconnect(); });
    EXPECT_EQ(rig.Link.Encoders().SendSeamBridge(1, 1), SendResult::NotSent);

    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    const Lines log = sim.Log();
    EXPECT_GE(log.size(), 3u) << "resent while refused";
    EXPECT_EQ(log.back(), "*1BRDGSEAM 1!");
    EXPECT_TRUE(rig.View.PageEnabled);
    EXPECT_FALSE(rig.View.Cursor);
}

TEST(TransportTest, NoSecondExchangeStartsWhileOneWaits) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--delay-ms", "400"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    std::vector<SendResult> during;
    QueryResult queryDuring = QueryResult::Ok;
    bool promptDuring = false;
    QTimer::singleShot(100, &rig.Link, [&] {
        EXPECT_TRUE(rig.Link.ExchangeWaiting());
        during.push_back(rig.Link.SendFramed("*1SYSAVE!", 0));
        during.push_back(rig.Link.Encoders().SendBlackLevel(1, 2, 77));
        during.push_back(rig.Link.WriteText("X\r"));
        during.push_back(rig.Link.SendConfirmed("DDBL 1\r"));
        during.push_back(rig.Link.SendQuery("NZV\r", 2));
        queryDuring = rig.Link.Queries().QuerySystemInfo(rig.Model, 1);
        promptDuring = rig.Link.AwaitPrompt("debug 1\r");
        rig.Search();
    });
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 11), SendResult::Done);

    EXPECT_EQ(during, std::vector<SendResult>(5, SendResult::NotSent));
    EXPECT_EQ(queryDuring, QueryResult::Aborted);
    EXPECT_TRUE(promptDuring) << "nothing sent";
    EXPECT_EQ(Joined(written), QByteArray("PASS *1BLKGN 1 11!BD\r\r"));
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1BLKGN 1 11!"}));
    EXPECT_TRUE(rig.Link.Connected()) << "the search asked for meanwhile did not run";
    EXPECT_FALSE(rig.Link.ExchangeWaiting());
}

TEST(TransportTest, DestroyingTheLinkDuringAWaitEndsTheWaitCleanly) {
    LinkRecorder view;
    SettingsModel model;
    QtSerialPort port;
    {
        Sim sim; // the second command gets no reply: the link waits for it
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
        PortsOverride ports({sim.Path()});
        auto* link = new DeviceLink(port, model, view.User, TestTiming());
        link->SetObserver(&view);
        link->ConnectThroughController();
        ASSERT_TRUE(link->Connected());

        QTimer::singleShot(200, [&] { delete link; });
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(link->Encoders().SendControlMode(1, 1), SendResult::NotSent);
        EXPECT_LT(clock.elapsed(), 8000) << "the wait ended with the link, not with the time-out";
        EXPECT_FALSE(port.IsOpen()) << "the link closed its port";
    }
    // The same in the middle of a unit read.
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
    PortsOverride ports({sim.Path()});
    auto* link = new DeviceLink(port, model, view.User, TestTiming());
    link->SetObserver(&view);
    link->ConnectThroughController();
    ASSERT_TRUE(link->Connected());
    view.Progress.clear();
    QTimer::singleShot(200, [&] { delete link; });
    EXPECT_EQ(link->Queries().QueryUnit(model, 1), 0);
    EXPECT_EQ(view.Progress,
              QStringList({"show:Tarvel querying Zelvar(s). Please wait....", "dots:"}));
    EXPECT_TRUE(view.Boxes.Calls().empty());
}

TEST(TransportTest, ShutdownEndsAWaitAndStopsAllSending) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "2"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    QTimer::singleShot(300, &rig.Link, [&] { rig.Link.Shutdown(); });
    EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 1), SendResult::NotSent);
    EXPECT_TRUE(rig.Link.Stopping());
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(rig.Link.SendFramed("*1SYSAVE!", 0), SendResult::NotSent);
    EXPECT_FALSE(rig.Link.ProbePort(1));
}

} // namespace
} // namespace tarvel::test
