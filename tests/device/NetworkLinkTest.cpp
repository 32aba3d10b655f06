// The link over a network serial server: zelvar-sim serving its units on 127.0.0.1 (--tcp),
// reached through the program's port as "tcp://127.0.0.1:PORT". A search, a read and a whole
// send; the server closing in the middle of a send; a server that is not there.

#include "LinkRecorder.h"
#include "SimProcess.h"

#include "config/SendPlan.h"
#include "device/DeviceLink.h"
#include "device/LinkSummary.h"
#include "device/SendPlanRun.h"
#include "device/UnitsRead.h"
#include "model/ChannelSettings.h"
#include "platform/ComPort.h"
#include "platform/Waiter.h"

#include <QElapsedTimer>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace tarvel::test {
namespace {

// The observer also hears of a lost line.
class NetworkRecorder : public LinkRecorder {
public:
    int LinesLost = 0;
    void LineLost() override { ++LinesLost; }
};

struct NetworkRig {
    NetworkRecorder View;
    SettingsModel Model;
    ComPort Port;
    DeviceLink Link{Port, Model, View.User, LinkTiming::Real().Scaled(0.25)};

    NetworkRig() { Link.SetObserver(&View); }
    ~NetworkRig() { qunsetenv("TARVEL_PORTS"); }

    void UsePort(const QString& entry) { qputenv("TARVEL_PORTS", entry.toLocal8Bit()); }
};

class TcpSim {
public:
    ~TcpSim() {
        process_.Stop();
        std::remove(log_.c_str());
    }
    ::testing::AssertionResult Start(std::vector<std::string> options) {
        options.insert(options.end(), {"--tcp", "0", "--no-pty", "--log", log_});
        std::string error;
        if (!process_.Start(options, &error)) {
            return ::testing::AssertionFailure() << "zelvar-sim did not start: " << error;
        }
        return ::testing::AssertionSuccess();
    }
    QString Entry() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(process_.TcpPort()); }
    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        std::istringstream in(SimProcess::ReadFile(log_));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

private:
    SimProcess process_;
    std::string log_ = SimProcess::UniquePath("network-log");
};

TEST(NetworkLinkTest, SearchReadAndSendOverANetworkSerialServer) {
    TcpSim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2"}));
    NetworkRig rig;
    rig.UsePort(sim.Entry());

    ASSERT_TRUE(rig.Link.Search(1.0)) << rig.View.Boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(rig.Link.Mode(), ConnectionMode::Controller);
    EXPECT_TRUE(rig.View.StatusTexts.contains("Connecting to COM 1 (" + sim.Entry() + ")...."))
        << "the user sees the connect being tried";
    const UnitsReadEnd read = ReadUnits(rig.Link, rig.Model);
    ASSERT_EQ(read.Result, UnitsReadEnd::Outcome::Read);
    EXPECT_EQ(rig.Model.System.UnitCount, 2);
    EXPECT_EQ(LinkSummary::Of(rig.Link).Text().toStdString(),
              ("Controller \u00B7 COM 1 (" + sim.Entry() + ") \u00B7 units 1 and 2").toStdString())
        << "a network port's rate is the server's: none is shown";

    const std::size_t before = sim.Log().size();
    const SendPlan plan = BuildSendPlan(rig.Model, {6, 1, 128, 2, ConnectionMode::Controller});
    const SendPlanEnd sent = RunSendPlan(rig.Link, plan);
    EXPECT_EQ(sent.Result, SendPlanEnd::Outcome::Done);
    EXPECT_EQ(sent.StepsRun, plan.Steps.size());
    EXPECT_GT(sim.Log().size(), before + 50) << "the whole send reached the units";
    EXPECT_TRUE(rig.View.Boxes.Texts().isEmpty())
        << rig.View.Boxes.Texts().join(" | ").toStdString();
    const JournalEntry& last = rig.Link.ExchangeJournal().Entries().back();
    EXPECT_EQ(last.Device.toStdString(), sim.Entry().toStdString());
    EXPECT_EQ(last.Verdict, ExchangeVerdict::Accepted);
}

TEST(NetworkLinkTest, TheServerClosingMidSendIsOneMessageAndARefusedConnectAnother) {
    // The connect takes 2 commands (probe answers are not counted, "debug 0" is); the server
    // goes in the middle of the send.
    TcpSim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--hangup-after", "12"}));
    NetworkRig rig;
    rig.UsePort(sim.Entry());
    ASSERT_TRUE(rig.Link.ConnectThroughController())
        << rig.View.Boxes.Texts().join(" | ").toStdString();
    rig.Model.System.UnitCount = 2;

    QElapsedTimer clock;
    clock.start();
    const SendPlan plan = BuildSendPlan(rig.Model, {6, 1, 128, 2, ConnectionMode::Controller});
    const SendPlanEnd sent = RunSendPlan(rig.Link, plan);
    Waiter::Sleep(100); // a message still due would come now
    EXPECT_EQ(sent.Result, SendPlanEnd::Outcome::Stopped);
    EXPECT_EQ(sent.LastSend, SendResult::PortLost);
    EXPECT_LT(sent.StepsRun, plan.Steps.size());
    EXPECT_LT(clock.elapsed(), 5000) << "nothing waits out a time-out";
    EXPECT_EQ(rig.View.Boxes.Texts(),
              QStringList{"Error! The connection to the network serial server at COM 1 (" +
                          sim.Entry() +
                          ") was closed. The port has been closed. Please check the server and the "
                          "network, then go to 'Serial Port->Search for Zelvar(s)->Search' to "
                          "connect again."});
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_TRUE(rig.View.PageEnabled) << "the window stays usable";
    EXPECT_EQ(rig.View.CursorHolds, 0);
    EXPECT_EQ(rig.View.BusyValue, 0);
    EXPECT_EQ(rig.View.LinesLost, 1);
    EXPECT_EQ(LinkSummary::Of(rig.Link).Text(), "Not connected");
    EXPECT_EQ(rig.Link.ExchangeJournal().Entries().back().Verdict, ExchangeVerdict::PortLost);

    // The server no longer listens: connecting again is refused, said once, then the mode's
    // own "not detected" message; nothing waits.
    rig.View.Boxes.Clear();
    clock.restart();
    EXPECT_FALSE(rig.Link.ConnectThroughController());
    EXPECT_LT(clock.elapsed(), 3000);
    ASSERT_EQ(rig.View.Boxes.Texts().size(), 2);
    EXPECT_EQ(rig.View.Boxes.Texts()[0].toStdString(),
              ("Note: COM Port #1 cannot be opened. The network serial server at COM 1 (" +
               sim.Entry() +
               ") refused the connection. Please check that it is on and that the address and "
               "port number are right.")
                  .toStdString());
    EXPECT_TRUE(rig.View.Boxes.Texts()[1].startsWith("Controller not detected."));
    EXPECT_FALSE(rig.Link.Connected());
}

TEST(NetworkLinkTest, ASearchReportsARefusedServerOnceForBothModes) {
    // A port nobody listens on: taken and given back by a server of the test's own.
    quint16 free = 0;
    {
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        free = server.serverPort();
    }
    NetworkRig rig;
    rig.UsePort(QStringLiteral("tcp://127.0.0.1:%1").arg(free));
    EXPECT_FALSE(rig.Link.Search(1.0));
    const QStringList boxes = rig.View.Boxes.Texts();
    ASSERT_EQ(boxes.size(), 2) << boxes.join(" | ").toStdString();
    EXPECT_TRUE(boxes[0].startsWith("Note: COM Port #1 cannot be opened. The network serial "
                                    "server at COM 1 (tcp://127.0.0.1:"));
    EXPECT_TRUE(boxes[1].startsWith("Zelvar(s) not detected."));
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_EQ(rig.View.CursorHolds, 0);
    EXPECT_TRUE(rig.View.PageEnabled);
}

} // namespace
} // namespace tarvel::test
