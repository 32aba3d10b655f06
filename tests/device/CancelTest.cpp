// Cancel: the link's wait ends at once, nothing more goes out until the operation ends, and
// what the unit still answers afterwards is not taken for the next command's answer.

#include "LinkRig.h"
#include "support/SimState.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"

#include <QElapsedTimer>
#include <QTimer>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

std::vector<ExchangeVerdict> Verdicts(const Journal& journal, std::size_t from) {
    std::vector<ExchangeVerdict> verdicts;
    for (std::size_t i = from; i < journal.Entries().size(); ++i) {
        verdicts.push_back(journal.Entries()[i].Verdict);
    }
    return verdicts;
}

// Every reply comes 300 ms late: the query is cancelled while it waits, and its reply arrives
// while the next query would be waiting for its own.
TEST(CancelTest, ACancelledQueryEndsAtOnceAndItsLateReplyIsNotTakenForTheNext) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--delay-ms", "300"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    const Journal& journal = rig.Link.ExchangeJournal();
    const std::size_t before = journal.Entries().size();
    {
        const DeviceLink::Operation operation(rig.Link);
        QTimer::singleShot(50, [&] { rig.Link.CancelOperation(); });
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(rig.Link.Queries().QuerySystemInfo(rig.Model, 1), QueryResult::Aborted);
        EXPECT_LT(clock.elapsed(), 250) << "the wait ended at the cancel";
        EXPECT_TRUE(rig.Link.CancelRequested());
        EXPECT_EQ(rig.Link.Encoders().SendBlackLevel(1, 1, 7), SendResult::Cancelled);
        EXPECT_EQ(journal.Entries().size(), before + 1) << "nothing more went out";
    }
    EXPECT_FALSE(rig.Link.CancelRequested()) << "the operation is over";
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_FALSE(rig.Link.ExchangeWaiting());

    ASSERT_EQ(rig.Link.Queries().QueryInputStatus(1, 1), QueryResult::Ok);
    EXPECT_EQ(rig.Model.Channels.Input(1, 1).HActive, 1280);
    EXPECT_EQ(rig.Model.Channels.Input(1, 1).VPositionCentre, 41);
    EXPECT_EQ(Verdicts(journal, before), (std::vector<ExchangeVerdict>{ExchangeVerdict::Interrupted,
                                                                       ExchangeVerdict::PromptSeen,
                                                                       ExchangeVerdict::Accepted}));
    EXPECT_EQ(journal.Entries()[before + 1].Sent, QByteArray("\r")) << "the line was probed";
    EXPECT_EQ(sim.Log(), Lines({"debug 0", "*1SYINFOZV!", "*1IINFOZV 1!"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
}

// A direct unit busy with an automatic operation reads nothing and sends its prompt only when
// it is done. After a cancel the next command must wait for that, or the late prompt would
// confirm a command the unit never carried out.
TEST(CancelTest, AfterACancelledAutomaticOperationTheNextCommandWaitsForTheBusyUnit) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct", "--auto-ms", "500"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    const Journal& journal = rig.Link.ExchangeJournal();
    const std::size_t before = journal.Entries().size();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(100, [&] { rig.Link.CancelOperation(); });
    const CommandEncoders::AutomaticEnd end =
        rig.Link.Encoders().RunAutomatic(1, AutoOperation::Position);
    EXPECT_EQ(end.Sent, SendResult::Cancelled);
    EXPECT_LT(clock.elapsed(), 400);
    EXPECT_FALSE(rig.Link.CancelRequested());
    EXPECT_FALSE(rig.View.Cursor);

    EXPECT_EQ(rig.Link.Encoders().SendTestPattern(1, 1, 5, 0, 0), SendResult::Done);
    EXPECT_GE(clock.elapsed(), 500) << "sent once the unit was done";
    EXPECT_EQ(ReadSimState(sim.StatePath()).Output(1, 1).TestPattern, 5) << "carried out";
    EXPECT_EQ(
        Verdicts(journal, before),
        (std::vector<ExchangeVerdict>{ExchangeVerdict::Interrupted, ExchangeVerdict::PromptSeen,
                                      ExchangeVerdict::PromptSeen}));
    EXPECT_EQ(sim.Log(), Lines({"AUTOPOS", "OTPMZV 1 5 0 0"}));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
}

} // namespace
} // namespace tarvel::test
