// The window around its link: the connection part of the status bar after a search through a
// controller, a direct connect, Disconnect and a lost line; a session over a network serial
// server (zelvar-sim --tcp) that loses its server in the middle of a whole send, with the
// journal and the support report of it; the ports in the connection help window.

#include "ScriptedFileDialogs.h"
#include "SimProcess.h"
#include "WindowTestSupport.h"

#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/ConnectionStatusLabel.h"
#include "ui/ConnectionTools.h"
#include "ui/JournalWindow.h"
#include "ui/TConnectionHelpForm.h"
#include "ui/TTarvelForm.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvel {
namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

class ConnectionStatusTest : public ::testing::Test {
protected:
    void Create(TTarvelForm::Options options = {}) {
        ::testing::internal::CaptureStderr(); // no Tarvel.ini yet
        options.Messages = &boxes;
        options.Dialogs = &dialogs;
        options.CloseWaitMs = 0;
        options.Timing = LinkTiming::Real().Scaled(0.25);
        form = std::make_unique<TTarvelForm>(std::move(options));
        ::testing::internal::GetCapturedStderr();
    }
    ::testing::AssertionResult Show() {
        boxes.Answer(false); // the start-up question: no search yet
        if (!test::ShowActive(*form) ||
            !QTest::qWaitFor([this] { return form->StartupDone(); }, 10000)) {
            return ::testing::AssertionFailure() << "the window did not come up";
        }
        boxes.Clear();
        return ::testing::AssertionSuccess();
    }
    void TearDown() override {
        if (form) {
            form->hide();
        }
        form.reset();
        qunsetenv("TARVEL_PORTS");
    }
    void Menu(const char* name) { form->MenuAction(QString::fromLatin1(name))->trigger(); }
    std::string Status() const {
        return S(form->findChild<ConnectionStatusLabel*>("ConnectionStatusLabel")->FullText());
    }
    bool NoteShown(const char* name) const {
        const auto* note = form->findChild<QLabel*>(QString::fromLatin1(name));
        return note != nullptr && !note->isHidden() && note->text().startsWith("Line lost at ");
    }

    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    test::ScriptedFileDialogs dialogs;
    std::unique_ptr<TTarvelForm> form;
};

TEST_F(ConnectionStatusTest, SaysHowItIsConnectedAfterASearchADirectConnectAndDisconnect) {
    SimProcess controller;
    SimProcess direct;
    ASSERT_TRUE(controller.Start({"--mode", "controller", "--units", "2"}));
    ASSERT_TRUE(direct.Start({"--mode", "direct", "--hangup-after", "1"}));
    const std::string controllerPath = controller.PtyPath();
    const std::string directPath = direct.PtyPath();
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(controllerPath));
    Create();
    ASSERT_TRUE(Show());
    EXPECT_EQ(Status(), "Not connected");

    Menu("Search1"); // finds the controller and reads both units
    ASSERT_TRUE(form->Connected()) << S(boxes.Texts().join(" | "));
    EXPECT_EQ(Status(),
              "Controller \u00B7 COM 1 (" + controllerPath + ") \u00B7 57600 \u00B7 units 1 and 2");

    Menu("DisconnectSerialCo1");
    EXPECT_EQ(Status(), "Not connected");
    EXPECT_EQ(S(form->StatusText()), "Note: No Zelvar communication established yet.")
        << "the one-line messages keep their texts beside it";
    EXPECT_FALSE(NoteShown("SourceLastReadNote")) << "the user's own Disconnect loses no line";

    qputenv("TARVEL_PORTS", QByteArray::fromStdString(directPath));
    boxes.Answer(true);  // unit 1 only: the read planned six projectors
    boxes.Answer(false); // no read now
    Menu("ZelvarconnectedtoSerialPortdirectly1");
    ASSERT_TRUE(form->Connected()) << S(boxes.Texts().join(" | "));
    EXPECT_EQ(Status(), "Direct \u00B7 COM 1 (" + directPath + ") \u00B7 38400 \u00B7 1 unit");

    // The unit's line goes after its first command: the status part says so at once and the
    // pages that show the last read say it is not current.
    boxes.Clear();
    form->PageControl()->setCurrentWidget(form->findChild<QWidget*>("SourceSetupTabSheet"));
    form->Link().Encoders().SendBlackLevel(1, 1, 16);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Connected(); }, 5000));
    EXPECT_EQ(Status(), "Not connected");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.Texts().isEmpty(); }, 2000));
    EXPECT_TRUE(
        boxes.Texts().constFirst().startsWith("Error! The connection on serial port COM 1"));
    EXPECT_TRUE(NoteShown("SourceLastReadNote"));
    EXPECT_TRUE(NoteShown("InfoLastReadNote"));
    EXPECT_TRUE(form->findChild<QWidget*>("SourceLastReadNote")->isVisible())
        << "on the page in front";

    // Connected again: the pages are current once more.
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(controllerPath));
    boxes.Answer(false);
    Menu("ZelvarconnectedthruController1");
    ASSERT_TRUE(form->Connected());
    EXPECT_FALSE(NoteShown("SourceLastReadNote"));
    EXPECT_EQ(Status(), "Controller \u00B7 COM 1 (" + controllerPath + ") \u00B7 57600")
        << "units are named once this connection has counted them";
}

TEST_F(ConnectionStatusTest, ANetworkSessionThatLosesItsServerMidSendStaysUsableAndReportsIt) {
    // The search and read take 21 commands; the server goes in the middle of the send after.
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--tcp", "0", "--no-pty",
                           "--hangup-after", "40"}));
    const QString entry = QStringLiteral("tcp://127.0.0.1:%1").arg(sim.TcpPort());
    qputenv("TARVEL_PORTS", ""); // no serial ports at all
    TTarvelForm::Options options;
    QString asked;
    options.AskNetworkPort = [&](const QString& current) -> std::optional<QString> {
        asked = current;
        return QStringLiteral(" 127.0.0.1:%1 ").arg(sim.TcpPort()); // as a user might type it
    };
    Create(std::move(options));
    ASSERT_TRUE(Show());

    Menu("NetworkPort1");
    EXPECT_EQ(S(asked), "");
    EXPECT_EQ(S(form->StatusText()), S("Note: COM 1 is now the network port " + entry + "."));
    Menu("N576001");
    EXPECT_EQ(S(form->StatusText()),
              S("Note: " + entry +
                " is a network serial server: its baud rate, parity and flow control are set on "
                "the server."));
    Menu("Defaultvalues1");

    Menu("Search1");
    ASSERT_TRUE(form->Connected()) << S(boxes.Texts().join(" | "));
    EXPECT_EQ(Status(), S("Controller \u00B7 COM 1 (" + entry + ") \u00B7 units 1 and 2"));
    boxes.Clear();

    Menu("SendCurrentSettingstoZelvars1");
    // The line failure is one message; the send adds its own summary, as with a pulled cable.
    EXPECT_EQ(boxes.Texts(),
              (QStringList{"Error! The connection to the network serial server at COM 1 (" + entry +
                               ") was closed. The port has been closed. Please check the server "
                               "and the network, then go to 'Serial Port->Search for "
                               "Zelvar(s)->Search' to connect again.",
                           "Sending stopped. Only part of the current settings was sent to "
                           "Zelvar(s)."}));
    EXPECT_EQ(Status(), "Not connected");
    EXPECT_TRUE(NoteShown("SourceLastReadNote"));
    EXPECT_EQ(form->State().Busy, 0) << "the window stays usable";
    EXPECT_TRUE(form->PageControl()->isEnabled());
    EXPECT_FALSE(form->MenuAction("SendCurrentSettingstoZelvars1")->isEnabled());

    // Nothing listens any more: a new search says so once, then the search's own message.
    boxes.Clear();
    Menu("Search1");
    ASSERT_EQ(boxes.Texts().size(), 2) << S(boxes.Texts().join(" | "));
    EXPECT_EQ(S(boxes.Texts()[0]),
              S("Note: COM Port #1 cannot be opened. The network serial server at COM 1 (" + entry +
                ") refused the connection. Please check that it is on and that the address and "
                "port number are right."));
    EXPECT_TRUE(boxes.Texts()[1].startsWith("Zelvar(s) not detected."));
    EXPECT_EQ(Status(), "Not connected");

    // The journal, newest last, ends with the exchange the server's close cut short.
    Menu("Journal1");
    JournalWindow& journal = form->Tools()->Journal();
    EXPECT_TRUE(journal.isVisible());
    const QStringList lines = journal.Text().split('\n');
    EXPECT_EQ(static_cast<std::size_t>(lines.size()),
              form->Link().ExchangeJournal().Entries().size());
    EXPECT_TRUE(lines.constLast().contains("  line lost  ")) << S(lines.constLast());
    EXPECT_TRUE(lines.constLast().contains(entry));

    // The support report of this session.
    const QString path = directory.FilePath("support report.txt");
    dialogs.Choose(path);
    Menu("SaveSupportReport1");
    EXPECT_EQ(dialogs.Shown, QStringList{"support report"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList report = QString::fromUtf8(file.readAll()).split('\n');
    ASSERT_GT(report.size(), 30);
    EXPECT_EQ(S(report[0]), "Tarvel support report");
    EXPECT_EQ(S(report[2]), "Program: Tarvel 1.08");
    EXPECT_TRUE(report[3].startsWith("Qt: " + QString::fromLatin1(qVersion())));
    for (const QString& line :
         {"  COM 1  " + entry + "  network serial server", QString("  COM 2  no device"),
          QString("  State: Not connected"), QString("  Mode: controller, prompt '>'"),
          "  Port open: no; last opened: COM 1 (" + entry + ")",
          QString("  Unit 1: address 1, firmware version \"1.08\", system information 5A 56 "
                  "31 2E 30 38 00 00"),
          QString("  missing or unreadable"),
          QStringLiteral("Journal (%1 exchanges, newest last)")
              .arg(form->Link().ExchangeJournal().Entries().size())}) {
        EXPECT_TRUE(report.contains(line)) << S(line) << "\n" << S(report.join('\n'));
    }
    EXPECT_EQ(S(report[report.size() - 2]), S(lines.constLast()))
        << "the journal is the report's end";
    journal.hide();
}

TEST(ConnectionHelpPortsTest, ListsEveryComNumberWithItsDeviceAndSaysHowToGetAccess) {
    qputenv("TARVEL_PORTS", "/dev/tarvel-test-adapter:tcp://box.lan:4001:");
    TConnectionHelpForm help;
    EXPECT_EQ(S(help.PortsText()),
              "The list is TARVEL_PORTS (/dev/tarvel-test-adapter:tcp://box.lan:4001:).\n"
              "COM 1  /dev/tarvel-test-adapter\n"
              "COM 2  tcp://box.lan:4001  network serial server\n"
              "COM 3  no device");
    // Read again whenever the window is asked for.
    qputenv("TARVEL_PORTS", "/dev/tarvel-test-other");
    help.ShowHelp();
    EXPECT_TRUE(help.PortsText().endsWith("\nCOM 1  /dev/tarvel-test-other"));
    const QString advice = help.findChild<QLabel*>("PortsAdviceLabel")->text();
#ifdef Q_OS_LINUX
    EXPECT_TRUE(advice.contains("dialout")) << S(advice);
#endif
    EXPECT_TRUE(advice.contains("Serial Port > Network Port..."));
    help.close();
    qunsetenv("TARVEL_PORTS");
}

} // namespace
} // namespace tarvel
