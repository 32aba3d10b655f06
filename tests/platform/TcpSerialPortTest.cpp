// The network serial port against a far end the test plays with a QTcpServer on loopback, and
// the program's port choosing between the serial and the network port by the entry.

#include "CpuTime.h"
#include "PtyPair.h"

#include "platform/ComPort.h"
#include "platform/PortList.h"
#include "platform/TcpSerialPort.h"
#include "platform/Waiter.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvel {
namespace {

// A server on 127.0.0.1 that takes one client; what the client sends is collected.
class FarEnd {
public:
    FarEnd() {
        server_.listen(QHostAddress::LocalHost, 0);
        entry_ = QStringLiteral("tcp://127.0.0.1:%1").arg(server_.serverPort());
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            client_ = server_.nextPendingConnection();
            QObject::connect(client_, &QTcpSocket::readyRead,
                             [this] { received_ += client_->readAll(); });
        });
    }
    QString Entry() const { return entry_; }
    bool WaitClient() {
        return Waiter::WaitUntil([this] { return client_ != nullptr; }, 2000);
    }
    QByteArray WaitReceived(int count) {
        Waiter::WaitUntil([&] { return received_.size() >= count; }, 2000);
        return received_;
    }
    void Send(const QByteArray& bytes) {
        client_->write(bytes);
        client_->flush();
    }
    // The server goes away: the client connection is closed and nothing listens any more.
    void HangUp() {
        client_->disconnectFromHost();
        server_.close();
    }

private:
    QTcpServer server_;
    QString entry_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
};

class TcpSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("TARVEL_PORTS", far.Entry().toLocal8Bit());
        ASSERT_TRUE(port.SetComNumber(1));
    }
    void TearDown() override { qunsetenv("TARVEL_PORTS"); }

    FarEnd far;
    TcpSerialPort port;
};

TEST_F(TcpSerialPortTest, CarriesTheLinesBytesRawAndSendsNoLineSettings) {
    EXPECT_TRUE(port.ComNumberExists(1));
    EXPECT_FALSE(port.ComNumberExists(2));
    QSignalSpy openChanged(&port, &SerialPort::OpenChanged);
    EXPECT_TRUE(port.SetBaud(57600));
    EXPECT_TRUE(port.SetParity(Parity::Even));
    port.SetHardwareFlowControl(true);

    const PortOpenResult opened = port.Open();
    ASSERT_TRUE(opened.Ok()) << opened.Describe().toStdString();
    EXPECT_EQ(opened.Device.toStdString(), far.Entry().toStdString());
    ASSERT_TRUE(far.WaitClient());
    EXPECT_EQ(openChanged.count(), 1);
    EXPECT_EQ(port.Baud(), 57600) << "kept for the link to read back";
    EXPECT_EQ(port.CurrentParity(), Parity::Even);
    EXPECT_FALSE(port.LineStates().Supported) << "a network port has no modem lines";

    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_TRUE(port.Write("PASS *1SYSAVE!57\r\r"));
    EXPECT_TRUE(port.Write(all));
    EXPECT_EQ(far.WaitReceived(18 + 256), "PASS *1SYSAVE!57\r\r" + all)
        << "the bytes as written and nothing else: no rate or parity goes to the server";

    QSignalSpy available(&port, &SerialPort::DataAvailable);
    QTimer::singleShot(20, [&] { far.Send("LR"); });
    QTimer::singleShot(60, [&] { far.Send("\r\n>rest"); });
    QByteArray consumed;
    EXPECT_TRUE(port.WaitForString(">", 2000, &consumed));
    EXPECT_EQ(consumed, "LR\r\n>");
    EXPECT_EQ(port.Read(10), "rest");
    EXPECT_GE(available.count(), 2);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write("x"));
    EXPECT_EQ(openChanged.count(), 2);
}

TEST_F(TcpSerialPortTest, TheServerClosingIsOneFailureAfterItsLastBytes) {
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(far.WaitClient());
    QStringList events;
    QObject::connect(&port, &SerialPort::DataAvailable, [&](int count) {
        events
            << QStringLiteral("data %1: %2").arg(count).arg(QString::fromLatin1(port.Read(count)));
    });
    QObject::connect(&port, &SerialPort::OpenChanged,
                     [&](bool open) { events << QStringLiteral("open %1").arg(open); });
    QObject::connect(&port, &SerialPort::Failed, [&](const QString& text) { events << text; });

    QTimer::singleShot(50, [&] {
        far.Send("last#");
        far.HangUp();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.WaitForString("never", 4000));
    EXPECT_LT(clock.elapsed(), 3000) << "the close ends a wait under way";
    EXPECT_FALSE(port.IsOpen());

    const double cpuBefore = test::CpuMs();
    Waiter::Sleep(300);
    EXPECT_LT(test::CpuMs() - cpuBefore, 100.0) << "a closed port must not keep the process busy";
    // The reply that came before the close is delivered first, then one failure.
    EXPECT_EQ(events.join("|").toStdString(),
              QStringList({"data 5: last#", "open 0",
                           "Error! The network serial server at COM 1 (" + far.Entry() +
                               ") closed the connection. The port has been closed."})
                  .join("|")
                  .toStdString());

    // Nothing listens any more: the next open is refused, with its own message.
    const PortOpenResult again = port.Open();
    EXPECT_EQ(again.Outcome, PortOpenResult::Status::Refused);
    EXPECT_EQ(again.Describe().toStdString(),
              ("Error! The network serial server at COM 1 (" + far.Entry() +
               ") refused the connection. Please check that it is on and that the address and "
               "port number are right.")
                  .toStdString());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(events.size(), 3) << "a failed open is the opener's to report";
}

TEST_F(TcpSerialPortTest, AConnectThatHangsTimesOutWhileTheEventLoopRunsAndCloseStopsIt) {
    // A listening socket whose one-place queue is full: the system drops further connection
    // requests, so a connect neither succeeds nor fails.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    QTcpSocket filler;
    filler.connectToHost(QHostAddress::LocalHost, ntohs(address.sin_port));
    ASSERT_TRUE(filler.waitForConnected(2000));
    qputenv("TARVEL_PORTS",
            QStringLiteral("tcp://127.0.0.1:%1").arg(ntohs(address.sin_port)).toLocal8Bit());

    port.SetConnectTimeout(300);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    const PortOpenResult timedOut = port.Open();
    EXPECT_EQ(timedOut.Outcome, PortOpenResult::Status::TimedOut);
    EXPECT_GE(clock.elapsed(), 290);
    EXPECT_GE(ticks, 5) << "the window's timers ran while the connect waited";
    EXPECT_EQ(timedOut.Describe().toStdString(),
              ("Error! The network serial server at COM 1 (tcp://127.0.0.1:" +
               QString::number(ntohs(address.sin_port)) +
               ") did not answer within 1 seconds. Please check its address and the network.")
                  .toStdString());

    port.SetConnectTimeout(TcpSerialPort::DefaultConnectTimeoutMs);
    QTimer::singleShot(50, [&] {
        EXPECT_TRUE(port.Connecting());
        port.Close();
    });
    clock.restart();
    EXPECT_FALSE(port.Open().Ok());
    EXPECT_LT(clock.elapsed(), 2000) << "Close ends the wait, as when the window closes";
    EXPECT_FALSE(port.IsOpen());
    ::close(listener);
}

TEST(ComPortTest, EachComNumberOpensAsWhatItsEntryNames) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    FarEnd far;
    qputenv("TARVEL_PORTS", (pty.SlavePath() + ":" + far.Entry() + ":tcp://bad").toLocal8Bit());
    ComPort port;
    QSignalSpy openChanged(&port, &SerialPort::OpenChanged);
    port.SetBaud(57600);
    port.SetHardwareFlowControl(false);

    ASSERT_TRUE(port.SetComNumber(1));
    EXPECT_FALSE(port.IsNetwork());
    ASSERT_TRUE(port.Open().Ok());
    EXPECT_TRUE(port.Write("serial"));
    EXPECT_EQ(pty.WaitReceived(6), "serial");

    // Moving to COM 2 closes the serial port; the network port opens with the same settings.
    ASSERT_TRUE(port.SetComNumber(2));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.IsNetwork());
    ASSERT_TRUE(port.Open().Ok());
    EXPECT_EQ(port.Network().Baud(), 57600);
    EXPECT_TRUE(port.Write("network"));
    EXPECT_EQ(far.WaitReceived(7), "network");
    port.Close();
    EXPECT_EQ(openChanged.count(), 4) << "both ports' open and close come through";

    ASSERT_TRUE(port.SetComNumber(3));
    EXPECT_TRUE(port.ComNumberExists(3)) << "a malformed network entry says so when opened";
    const PortOpenResult bad = port.Open();
    EXPECT_EQ(bad.Outcome, PortOpenResult::Status::InvalidAddress);
    EXPECT_EQ(bad.Describe().toStdString(),
              "Error! COM 3 (tcp://bad) is not a network port: write it as "
              "tcp://HOST:PORT, for example tcp://192.168.1.50:4001.");
    EXPECT_FALSE(port.ComNumberExists(4));
    qunsetenv("TARVEL_PORTS");
}

} // namespace
} // namespace tarvel
