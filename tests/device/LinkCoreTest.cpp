// The link without a window: the journal of every exchange, the policies a program without a
// window answers the link's questions with, the read of every unit and the run of a send plan.

#include "LinkRig.h"

#include "config/SendPlan.h"
#include "device/CommandEncoders.h"
#include "device/PolicyLinkUser.h"
#include "device/SendPlanRun.h"
#include "device/UnitQueries.h"
#include "device/UnitsRead.h"

#include <QFile>
#include <QTemporaryDir>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

const QString TimeoutText =
    QStringLiteral("Error! Timeout occured. Unable to communicate with Zelvar. Please verify that "
                   "Serial Port is connected to Zelvar.");

// A link answered by a policy instead of a window.
struct PolicyRig {
    explicit PolicyRig(PolicyLinkUser::Policy policy) : User(policy) { Link.SetObserver(&View); }

    PolicyLinkUser User;
    LinkRecorder View;
    SettingsModel Model;
    QtSerialPort Port;
    DeviceLink Link{Port, Model, User, TestTiming()};
};

std::vector<ExchangeVerdict> Verdicts(const Journal& journal) {
    std::vector<ExchangeVerdict> verdicts;
    for (const JournalEntry& entry : journal.Entries()) {
        verdicts.push_back(entry.Verdict);
    }
    return verdicts;
}

TEST(LinkCoreTest, TheJournalHoldsEveryExchangeOfAReadWithItsVerdict) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    Journal& journal = rig.Link.ExchangeJournal();
    ASSERT_EQ(journal.Entries().size(), 2u) << "the probe and the debug console's leave";
    journal.Clear();

    const UnitsReadEnd end = ReadUnits(rig.Link, rig.Model);
    ASSERT_EQ(end.Result, UnitsReadEnd::Outcome::Read);
    EXPECT_EQ(end.UnitCount, 2);
    EXPECT_EQ(rig.Model.System.UnitCount, 2);
    ASSERT_EQ(journal.Entries().size(), 19u) << "the count, then 9 queries of each unit";
    EXPECT_EQ(Verdicts(journal), std::vector<ExchangeVerdict>(19, ExchangeVerdict::Accepted));
    const JournalEntry& count = journal.Entries().front();
    EXPECT_EQ(count.Sent, "NZV\r");
    EXPECT_EQ(count.ComNumber, 1);
    EXPECT_EQ(count.Device, sim.Path());
    EXPECT_EQ(count.Mode, ConnectionMode::Controller);
    EXPECT_EQ(journal.Entries()[1].Sent, "ZVQUERY *5SYINFOZV!\r");
    const JournalEntry& input = journal.Entries()[2];
    EXPECT_EQ(input.Sent, "ZVQUERY *5IINFOZV 1!\r");
    EXPECT_TRUE(input.Reply.contains("\x01N")) << "the binary reply as it came";
    // Text for people: the binary block in hex, the line ends by name.
    const QString line = Journal::EntryText(input);
    EXPECT_TRUE(line.contains("accepted")) << line.toStdString();
    EXPECT_TRUE(line.contains("\\x01N")) << line.toStdString();
    EXPECT_TRUE(line.contains("sent \"ZVQUERY *5IINFOZV 1!\\r\"")) << line.toStdString();

    // A reply that never comes is an exchange that timed out, with nothing received.
    Sim silent;
    ASSERT_TRUE(silent.Start({"--mode", "controller", "--silent-after", "1"}));
    PortsOverride silentPorts({silent.Path()});
    LinkRig quiet;
    ASSERT_TRUE(ConnectController(quiet));
    quiet.View.Boxes.Answer(true);
    EXPECT_EQ(quiet.Link.Queries().QuerySystemInfo(quiet.Model, 1), QueryResult::Failed);
    const JournalEntry& timedOut = quiet.Link.ExchangeJournal().Entries().back();
    EXPECT_EQ(timedOut.Verdict, ExchangeVerdict::TimedOut);
    EXPECT_TRUE(timedOut.Reply.isEmpty());
    EXPECT_GE(timedOut.DurationMs, quiet.Link.Timing().ReplyTimeoutMs - 5);
    EXPECT_TRUE(Journal::EntryText(timedOut).contains("timed out"));

    // Saved as text only when asked, one line per exchange.
    QTemporaryDir directory;
    const QString path = directory.filePath("journal.txt");
    ASSERT_TRUE(journal.SaveText(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count('\n'), 19);
}

TEST(LinkCoreTest, TheJournalKeepsTheNewestExchangesOnly) {
    Journal journal(3);
    for (int i = 0; i < 5; ++i) {
        JournalEntry entry;
        entry.Sent = QByteArray::number(i);
        journal.Add(entry);
    }
    ASSERT_EQ(journal.Entries().size(), 3u);
    EXPECT_EQ(journal.Entries().front().Sent, "2");
    EXPECT_EQ(journal.Entries().back().Sent, "4");
    EXPECT_EQ(Journal::BytesText(QByteArray("a\\b\r\n\x7f", 6)), "a\\\\b\\r\\n\\x7F");
}

// A unit that stops answering: the policy decides how often a framed command goes again.
TEST(LinkCoreTest, APolicyResendsATimedOutCommandAsOftenAsItAllows) {
    for (const int retries : {0, 2}) {
        SCOPED_TRACE(retries);
        Sim sim; // "debug 0" is answered, then nothing
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--silent-after", "1"}));
        PortsOverride ports({sim.Path()});
        PolicyRig rig({.Retries = retries});
        ASSERT_TRUE(rig.Link.ConnectThroughController());
        rig.Link.ExchangeJournal().Clear();

        EXPECT_EQ(rig.Link.Encoders().SendSystemSave(1), SendResult::Stopped);
        EXPECT_EQ(Verdicts(rig.Link.ExchangeJournal()),
                  std::vector<ExchangeVerdict>(static_cast<std::size_t>(retries) + 1,
                                               ExchangeVerdict::TimedOut));
        EXPECT_EQ(rig.User.Asked(), QStringList(retries + 1, TimeoutText));
        EXPECT_TRUE(rig.Link.Connected()) << "the link stays usable";
        EXPECT_TRUE(rig.View.PageEnabled);
    }
}

// A direct unit that stops answering: the policy probes again as often as it allows, then
// gives up; a program without a window goes on with the link down.
TEST(LinkCoreTest, APolicyGivesUpADirectUnitThatStopsAnswering) {
    Sim sim; // the first command is answered, then nothing is
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--silent-after", "1"}));
    PortsOverride ports({sim.Path()});
    PolicyRig rig({.Retries = 1});
    ASSERT_TRUE(rig.Link.ConnectDirectly(1.0, 1));
    ASSERT_EQ(rig.Link.Encoders().SendDataDoubling(1, 1), SendResult::Done);

    EXPECT_EQ(rig.Link.Encoders().SendDataDoubling(1, 0), SendResult::Abandoned);
    EXPECT_EQ(rig.User.Asked().size(), 2) << "once probed again, then given up";
    EXPECT_EQ(rig.View.AbandonedCodes, std::vector<int>({-1}));
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_FALSE(rig.Port.IsOpen());
}

// Reading on past a channel that cannot be read is the policy's choice too.
TEST(LinkCoreTest, APolicyDecidesWhetherAReadGoesOnPastAnUnreadableChannel) {
    for (const bool readOn : {false, true}) {
        SCOPED_TRACE(readOn);
        Sim sim; // after "debug 0", the count and the system information: no reply to the input
                 // status of channel 1, nor to the 8th command (output status of channel 1),
                 // which the link asks again
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--drop-every", "4"}));
        PortsOverride ports({sim.Path()});
        PolicyRig rig({.ReadPastUnreadableChannels = readOn});
        ASSERT_TRUE(rig.Link.ConnectThroughController());

        const UnitsReadEnd end = ReadUnits(rig.Link, rig.Model);
        if (readOn) {
            EXPECT_EQ(end.Result, UnitsReadEnd::Outcome::Read);
        } else {
            EXPECT_EQ(end.Result, UnitsReadEnd::Outcome::UnitFailed);
            EXPECT_EQ(end.Code, -2) << "stopped after the input status of channel 1";
            EXPECT_EQ(UnitsReadMessage(end, UnitNaming::Plain),
                      "Zelvar communication error! Please check Serial connections and try "
                      "again (-2)");
        }
        EXPECT_TRUE(rig.User.Told().contains(TimeoutText));
    }
}

TEST(LinkCoreTest, ASendPlanRunsOverTheLinkAndStopsAtTheFirstSendThatFails) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    ASSERT_EQ(ReadUnits(rig.Link, rig.Model).Result, UnitsReadEnd::Outcome::Read);
    const std::size_t before = sim.Log().size();

    SettingsModel planned = rig.Model;
    planned.Channels.Output(2, 1).BlackLevel = 77;
    const SendPlan plan = BuildSendPlan(planned, {6, 1, 64, 2, ConnectionMode::Controller});
    std::size_t lastProgress = 0;
    const SendPlanEnd end = RunSendPlan(rig.Link, plan, [&](std::size_t run, std::size_t total) {
        EXPECT_EQ(total, plan.Steps.size());
        lastProgress = run;
        return true;
    });
    EXPECT_EQ(end.Result, SendPlanEnd::Outcome::Done);
    EXPECT_EQ(end.StepsRun, plan.Steps.size());
    EXPECT_EQ(lastProgress + 1, plan.Steps.size());
    Lines expected;
    for (const SendStep& step : plan.Steps) {
        if (step.Kind == SendStepKind::QueryOutput) {
            expected.push_back("*" + std::to_string(step.Unit == 1 ? 5 : 7) + "OINFOZV " +
                               std::to_string(step.Channel) + "!");
        } else if (step.Kind == SendStepKind::Command) {
            expected.push_back(StepText(step, ConnectionMode::Controller, step.Unit == 1 ? 5 : 7));
        }
    }
    const Lines log = sim.Log();
    EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()), expected);
    // The read-back brought the units' outputs; the restore put the plan's unit 2 back.
    EXPECT_EQ(rig.Model.Channels.Output(2, 1).BlackLevel, 77);

    // Stopped at the progress callback's word, before the step.
    const SendPlanEnd cancelled =
        RunSendPlan(rig.Link, plan, [](std::size_t run, std::size_t) { return run < 3; });
    EXPECT_EQ(cancelled.Result, SendPlanEnd::Outcome::Cancelled);
    EXPECT_EQ(cancelled.StepsRun, 3u);
    // Not connected: nothing runs.
    rig.Link.Disconnect();
    EXPECT_EQ(RunSendPlan(rig.Link, plan).Result, SendPlanEnd::Outcome::Stopped);
}

TEST(LinkCoreTest, TheRealTimesAndTheirScaledCopies) {
    const LinkTiming real = LinkTiming::Real();
    EXPECT_EQ(real.ReplyTimeoutMs, 8000);
    EXPECT_EQ(real.ResendPauseMs, 900);
    EXPECT_EQ(real.ColourBalancePauseMs, 5000);
    EXPECT_EQ(real.DebugLeavePauseMs, 1000);
    EXPECT_EQ(real.PromptWaitMs(80), 4400);
    EXPECT_EQ(real.SettleMs(1550), 1550);

    const LinkTiming quarter = real.Scaled(0.25);
    EXPECT_EQ(quarter.ReplyTimeoutMs, 2000);
    EXPECT_EQ(quarter.ResendPauseMs, 225);
    EXPECT_EQ(quarter.PromptWaitMs(80), 80 * 14);
    EXPECT_EQ(quarter.SettleMs(6), 2) << "rounded, never to nothing";
    EXPECT_EQ(quarter.SettleMs(0), 0);

    qputenv("TARVEL_TIME_SCALE", "0.5");
    EXPECT_EQ(LinkTiming::FromEnvironment().ReplyTimeoutMs, 4000);
    EXPECT_EQ(LinkTiming::FromEnvironment().PromptTickMs, 30) << "never shorter";
    for (const char* ignored : {"0", "2", "x", ""}) {
        qputenv("TARVEL_TIME_SCALE", ignored);
        EXPECT_EQ(LinkTiming::FromEnvironment().ReplyTimeoutMs, 8000) << ignored;
    }
    qunsetenv("TARVEL_TIME_SCALE");
}

} // namespace
} // namespace tarvel::test
