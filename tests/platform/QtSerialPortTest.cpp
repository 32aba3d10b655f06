#include "CpuTime.h"
#include "PtyPair.h"

#include "platform/QtSerialPort.h"
#include "platform/Waiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <termios.h>
#include <unistd.h>

namespace tarvel {
namespace {

using test::PtyPair;

// Runs the event loop until the spy has seen count signals.
bool WaitForSignals(QSignalSpy& spy, int count, int timeoutMs = 2000) {
    return Waiter::WaitUntil([&] { return spy.count() >= count; }, timeoutMs);
}

class QtSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        // COM1 is the pseudo-terminal unless a test says otherwise.
        qputenv("TARVEL_PORTS", pty.SlavePath().toLocal8Bit());
        ASSERT_TRUE(port.SetComNumber(1));
    }
    void TearDown() override { qunsetenv("TARVEL_PORTS"); }

    PtyPair pty;
    QtSerialPort port;
};

TEST_F(QtSerialPortTest, ComNumbersFollowThePortListAndOpenAndClose) {
    const QString missing = QStringLiteral("/dev/tarvel-no-such-port");
    qputenv("TARVEL_PORTS", (missing + "::" + pty.SlavePath()).toLocal8Bit());

    EXPECT_FALSE(port.ComNumberExists(1));
    EXPECT_FALSE(port.ComNumberExists(2));
    EXPECT_TRUE(port.ComNumberExists(3));
    EXPECT_FALSE(port.ComNumberExists(4));
    EXPECT_FALSE(port.IsOpen()) << "the existence test leaves the port closed";

    EXPECT_FALSE(port.SetComNumber(0));
    EXPECT_FALSE(port.SetComNumber(9));
    EXPECT_EQ(port.ComNumber(), 1);

    const PortOpenResult absent = port.Open();
    EXPECT_EQ(absent.Outcome, PortOpenResult::Status::NoSuchPort);
    EXPECT_EQ(absent.Device, missing);
    EXPECT_EQ(absent.Describe(),
              "Error! There is no serial port COM 1 (/dev/tarvel-no-such-port).");

    ASSERT_TRUE(port.SetComNumber(2));
    const PortOpenResult empty = port.Open();
    EXPECT_EQ(empty.Outcome, PortOpenResult::Status::NoSuchPort);
    EXPECT_EQ(empty.Describe(), "Error! There is no serial port COM 2.");
    EXPECT_FALSE(port.IsOpen());

    QSignalSpy openChanged(&port, &SerialPort::OpenChanged);
    ASSERT_TRUE(port.SetComNumber(3));
    const PortOpenResult opened = port.Open();
    EXPECT_TRUE(opened.Ok());
    EXPECT_EQ(opened.Device, pty.SlavePath());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.ComNumberExists(3)) << "a port in use exists";

    // Moving an open port to another number closes it; the caller opens again.
    ASSERT_TRUE(port.SetComNumber(1));
    EXPECT_FALSE(port.IsOpen());
    ASSERT_TRUE(port.SetComNumber(3));
    ASSERT_TRUE(port.Open().Ok());
    EXPECT_TRUE(port.SetComNumber(3));
    EXPECT_TRUE(port.IsOpen()) << "the same number keeps the port open";
    port.Close();
    EXPECT_FALSE(port.IsOpen());

    ASSERT_EQ(openChanged.count(), 4);
    EXPECT_EQ(openChanged[0][0].toBool(), true);
    EXPECT_EQ(openChanged[1][0].toBool(), false);
    EXPECT_EQ(openChanged[2][0].toBool(), true);
    EXPECT_EQ(openChanged[3][0].toBool(), false);
}

TEST_F(QtSerialPortTest, ADeviceHeldByAnotherPortIsInUseNotAPermissionProblem) {
    ASSERT_TRUE(port.Open().Ok());
    QtSerialPort second;
    second.SetComNumber(1);
    const PortOpenResult result = second.Open();
    EXPECT_EQ(result.Outcome, PortOpenResult::Status::InUse);
    EXPECT_TRUE(result.Group.isEmpty());
    EXPECT_EQ(result.Describe(), "Error! Serial port COM 1 (" + pty.SlavePath() +
                                     ") is being used by another application.");
    EXPECT_FALSE(second.IsOpen());

    port.Close();
    EXPECT_TRUE(second.Open().Ok()) << "the device is free again once closed";
}

TEST_F(QtSerialPortTest, ALockLeftByACrashedProcessDoesNotBlockTheNextOpen) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--crash-holding-port"});
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.readAllStandardOutput().trimmed(), "Opened");
    ASSERT_EQ(child.exitCode(), 3);

    // The child died holding the port, so its lock file is still there.
    const QString lockName = "LCK.." + pty.SlavePath().mid(5).replace('/', '_');
    bool lockLeft = false;
    for (const char* dir : {"/var/lock", "/run/lock", "/tmp", "/var/tmp"}) {
        lockLeft = lockLeft || QFileInfo::exists(QString::fromLatin1(dir) + "/" + lockName);
    }
    EXPECT_TRUE(lockLeft) << "the crash should have left " << lockName.toStdString();

    const PortOpenResult result = port.Open();
    EXPECT_TRUE(result.Ok()) << result.Describe().toStdString();
}

TEST_F(QtSerialPortTest, WrittenBytesReachTheFarEndUnchanged) {
    ASSERT_TRUE(port.Open().Ok());
    QSignalSpy written(&port, &SerialPort::Written);

    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QByteArray command = "PASS *1SYSAVE!57\r\r";
    EXPECT_TRUE(port.Write(command));
    EXPECT_TRUE(port.Write(all));

    const QByteArray received = pty.WaitReceived(static_cast<int>(command.size() + all.size()));
    EXPECT_EQ(received, command + all);
    ASSERT_EQ(written.count(), 2);
    EXPECT_EQ(written[0][0].toByteArray(), command);
    EXPECT_EQ(written[1][0].toByteArray(), all);
    EXPECT_EQ(port.OutputFreeSpace(), 4096) << "everything has gone out";

    port.Close();
    EXPECT_FALSE(port.Write("x"));
    EXPECT_EQ(port.OutputFreeSpace(), 0);
}

TEST_F(QtSerialPortTest, IncomingBytesAreCountedBufferedAndReadInBlocks) {
    ASSERT_TRUE(port.Open().Ok());
    QSignalSpy available(&port, &SerialPort::DataAvailable);
    QSignalSpy received(&port, &SerialPort::Received);

    pty.WriteMaster("hello");
    ASSERT_TRUE(WaitForSignals(available, 1));
    EXPECT_EQ(available.last()[0].toInt(), 5);
    EXPECT_EQ(port.BytesAvailable(), 5);

    // Bytes nobody reads stay: the next event counts them too.
    pty.WriteMaster("\r\n#");
    ASSERT_TRUE(WaitForSignals(available, 2));
    EXPECT_EQ(available.last()[0].toInt(), 8);

    EXPECT_EQ(port.Read(3), "hel");
    EXPECT_EQ(port.Read(100), "lo\r\n#");
    EXPECT_EQ(port.Read(1), "");
    EXPECT_EQ(port.BytesAvailable(), 0);

    QByteArray chunks;
    for (const auto& args : received) {
        chunks += args[0].toByteArray();
    }
    EXPECT_EQ(chunks, "hello\r\n#");
}

TEST_F(QtSerialPortTest, DataAvailableIsNotReenteredWhileItsSlotRuns) {
    ASSERT_TRUE(port.Open().Ok());
    std::vector<int> counts;
    int depth = 0;
    int maxDepth = 0;
    QObject::connect(&port, &SerialPort::DataAvailable, [&](int count) {
        counts.push_back(count);
        maxDepth = std::max(maxDepth, ++depth);
        if (counts.size() == 1) {
            // A slot that waits (which the program never does) while more bytes arrive.
            QTimer::singleShot(20, [&] { pty.WriteMaster("de"); });
            Waiter::Sleep(200);
        }
        --depth;
    });

    pty.WriteMaster("abc");
    ASSERT_TRUE(Waiter::WaitUntil([&] { return counts.size() >= 2; }, 3000));
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(counts, (std::vector<int>{3, 5}));
}

TEST_F(QtSerialPortTest, WaitForStringFindsTextSplitAcrossWritesWhileMessagesRun) {
    ASSERT_TRUE(port.Open().Ok());
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);

    QTimer::singleShot(60, [&] { pty.WriteMaster("Zelvar v1.2\r\nPRO"); });
    QTimer::singleShot(160, [&] { pty.WriteMaster("MPT"); });
    QTimer::singleShot(260, [&] { pty.WriteMaster("#tail"); });
    QByteArray consumed;
    EXPECT_TRUE(port.WaitForString("PROMPT#", 1100, &consumed));
    EXPECT_GE(ticks, 10) << "timers kept firing during the wait";

    // Everything up to and including the text is consumed and handed back; what follows stays.
    EXPECT_EQ(consumed, "Zelvar v1.2\r\nPROMPT#");
    Waiter::Sleep(50);
    EXPECT_EQ(port.Read(100), "tail");
}

TEST_F(QtSerialPortTest, WaitForStringTimesOutCaseSensitivelyAndConsumesNothing) {
    ASSERT_TRUE(port.Open().Ok());
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);

    pty.WriteMaster("abc ok");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.WaitForString("OK", 220));
    EXPECT_GE(clock.elapsed(), 220 - 1);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(port.Read(100), "abc ok");

    // A single-character prompt, as the link waits for it.
    QTimer::singleShot(30, [&] { pty.WriteMaster(">"); });
    EXPECT_FALSE(port.WaitForString("#", 110));
    EXPECT_EQ(port.Read(100), ">");
}

TEST_F(QtSerialPortTest, DiscardDropsBufferedAndQueuedInput) {
    ASSERT_TRUE(port.Open().Ok());
    QSignalSpy available(&port, &SerialPort::DataAvailable);
    pty.WriteMaster("stale reply");
    ASSERT_TRUE(WaitForSignals(available, 1));

    // These bytes reach the line but the event loop has not taken them yet.
    pty.WriteMaster("more");
    ::usleep(50 * 1000);
    port.DiscardInput();
    EXPECT_EQ(port.BytesAvailable(), 0);

    Waiter::Sleep(100);
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(available.count(), 1);

    pty.WriteMaster("#");
    ASSERT_TRUE(WaitForSignals(available, 2));
    EXPECT_EQ(port.Read(10), "#");
}

TEST_F(QtSerialPortTest, ClosingTheFarEndReportsOneFailureAndClosesWithoutSpinning) {
    ASSERT_TRUE(port.Open().Ok());
    QSignalSpy failed(&port, &SerialPort::Failed);
    QSignalSpy openChanged(&port, &SerialPort::OpenChanged);

    // The failure ends a wait that is under way.
    QTimer::singleShot(100, [&] { pty.CloseMaster(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.WaitForString("#", 4400));
    EXPECT_LT(clock.elapsed(), 4400) << "the wait ended at the failure, not at its time-out";
    EXPECT_FALSE(port.IsOpen());

    const double cpuBefore = test::CpuMs();
    Waiter::Sleep(500);
    const double cpuUsed = test::CpuMs() - cpuBefore;

    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed[0][0].toString(), "Error! The connection on serial port COM 1 (" +
                                           pty.SlavePath() +
                                           ") was lost. The port has been closed.");
    ASSERT_EQ(openChanged.count(), 1);
    EXPECT_FALSE(openChanged[0][0].toBool());
    EXPECT_LT(cpuUsed, 100.0) << "a closed port must not keep the process busy";
    EXPECT_FALSE(port.Write("x"));
    EXPECT_FALSE(port.WaitForString("#", 1));
}

TEST_F(QtSerialPortTest, EachConnectionReportsItsOwnFailure) {
    QSignalSpy failed(&port, &SerialPort::Failed);
    ASSERT_TRUE(port.Open().Ok());
    pty.CloseMaster();
    ASSERT_TRUE(WaitForSignals(failed, 1));

    PtyPair second;
    ASSERT_TRUE(second.Ok());
    qputenv("TARVEL_PORTS", second.SlavePath().toLocal8Bit());
    ASSERT_TRUE(port.Open().Ok());
    second.CloseMaster();
    ASSERT_TRUE(WaitForSignals(failed, 2));
    Waiter::Sleep(100);
    EXPECT_EQ(failed.count(), 2);
}

TEST_F(QtSerialPortTest, APseudoTerminalHasNoModemLinesAndThatIsNoFailure) {
    ASSERT_TRUE(port.Open().Ok());
    QSignalSpy failed(&port, &SerialPort::Failed);
    for (int i = 0; i < 3; ++i) {
        const ModemLines lines = port.LineStates();
        EXPECT_FALSE(lines.Supported);
        EXPECT_FALSE(lines.Dcd);
        EXPECT_FALSE(lines.Cts);
    }
    Waiter::Sleep(50);
    EXPECT_EQ(failed.count(), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Write("x"));
    EXPECT_EQ(pty.WaitReceived(1), "x");
}

TEST_F(QtSerialPortTest, BaudActsAtOnceAndFlowControlAtTheNextOpen) {
    termios line{};
    EXPECT_FALSE(port.SetBaud(115200));
    EXPECT_EQ(port.Baud(), 38400);

    port.SetHardwareFlowControl(false);
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B38400));
    EXPECT_EQ(line.c_cflag & CRTSCTS, 0u);

    EXPECT_TRUE(port.SetBaud(57600));
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B57600));
    EXPECT_EQ(port.Baud(), 57600);

    EXPECT_TRUE(port.SetParity(Parity::Mark));
    EXPECT_EQ(port.CurrentParity(), Parity::Mark);
    EXPECT_TRUE(port.SetParity(Parity::None));

    port.SetHardwareFlowControl(true);
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_EQ(line.c_cflag & CRTSCTS, 0u) << "not before the next open";
    port.Close();
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_NE(line.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B57600)) << "the baud is kept across opens";

    port.SetInputFlowThresholds(3686, 409);
    EXPECT_EQ(port.InputFlowStop(), 3686);
    EXPECT_EQ(port.InputFlowResume(), 409);
}

} // namespace
} // namespace tarvel
