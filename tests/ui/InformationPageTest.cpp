// The Information page: the terminal on the serial port, the line-status lights, the unit
// information panel and the service view. The terminal and the lights first on a port of the
// test's own, then in the window on zelvar-sim.

#include "PageRig.h"

#include "platform/SerialPort.h"
#include "ui/LineStatusMonitor.h"
#include "ui/SerialTerminal.h"
#include "ui/StatusLight.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/SeamRemovalPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tarvel {
namespace {

// A port that records what is written and reports the modem lines it is told.
class RecordingPort : public SerialPort {
public:
    QList<QByteArray> Writes;
    bool Open_ = true;
    ModemLines Lines;

    bool SetComNumber(int) override { return true; }
    int ComNumber() const override { return 1; }
    QString DeviceFor(int) const override { return QString(); }
    bool ComNumberExists(int) const override { return true; }
    PortOpenResult Open() override { return {}; }
    void Close() override { Open_ = false; }
    bool IsOpen() const override { return Open_; }
    bool SetBaud(int) override { return true; }
    int Baud() const override { return 38400; }
    bool SetParity(Parity) override { return true; }
    Parity CurrentParity() const override { return Parity::None; }
    void SetHardwareFlowControl(bool) override {}
    bool HardwareFlowControl() const override { return false; }
    void SetInputFlowThresholds(int, int) override {}
    int InputFlowStop() const override { return 0; }
    int InputFlowResume() const override { return 0; }
    void DiscardInput() override {}
    int BytesAvailable() const override { return 0; }
    QByteArray Read(int) override { return {}; }
    std::uint16_t OutputFreeSpace() const override { return Open_ ? 4096 : 0; }
    bool Write(const QByteArray& bytes) override {
        if (!Open_) {
            return false;
        }
        Writes << bytes;
        emit Written(bytes);
        return true;
    }
    bool WaitForString(const QByteArray&, int, QByteArray*) override { return false; }
    ModemLines LineStates() override { return Lines; }

    QByteArray AllWritten() const {
        QByteArray all;
        for (const QByteArray& bytes : Writes) {
            all += bytes;
        }
        return all;
    }
};

// ----- The terminal -----

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override {
        terminal.resize(561, 313);
        terminal.SetPort(&port);
        ASSERT_TRUE(test::ShowActive(terminal));
        terminal.setFocus();
    }

    RecordingPort port;
    SerialTerminal terminal;
};

TEST_F(TerminalTest, BackspaceWithThePortOpenWritesBackBlankBackAndNothingElse) {
    QTest::keyClick(&terminal, Qt::Key_Backspace);
    ASSERT_EQ(port.Writes.size(), 1);
    EXPECT_EQ(port.Writes[0], QByteArray("\x08\x20\x08", 3));
    EXPECT_EQ(terminal.ScreenText(), "") << "the unit's echo erases, not the terminal";

    // Closed: the terminal handles the key alone, and writes nothing.
    port.Open_ = false;
    QTest::keyClick(&terminal, Qt::Key_Backspace);
    QTest::keyClicks(&terminal, "ab");
    EXPECT_EQ(port.Writes.size(), 1);
}

TEST_F(TerminalTest, BlackWithSilverMonospacedText) {
    EXPECT_EQ(terminal.objectName(), "AdTerminal1");
    // What counts is that narrow and wide characters advance alike; whether Qt calls a font
    // fixed pitch varies with the font set.
    const QFontMetricsF metrics(terminal.font());
    const QString family = QFontInfo(terminal.font()).family();
    for (const QChar c : QStringLiteral("il.,:|1 _W@Mm#")) {
        EXPECT_EQ(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('M')))
            << "'" << QString(c).toStdString() << "' in " << family.toStdString();
    }
    emit port.Received("MMMM");
    const QImage image = terminal.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2), QColor(Qt::black));
    bool silver = false;
    for (int y = 0; y < 20 && !silver; ++y) {
        for (int x = 0; x < 40 && !silver; ++x) {
            silver = image.pixelColor(x, y) == QColor(192, 192, 192);
        }
    }
    EXPECT_TRUE(silver) << "the text is drawn in silver";
}

// Some machines answer "monospace" with a proportional family: here fontconfig is told to, in
// a run of the test above.
TEST(TerminalFontTest, StaysMonospacedWhereMonospaceNamesAProportionalFamily) {
    const QString systemConfig = QStringLiteral("/etc/fonts/fonts.conf");
    const QString fcMatch = QStandardPaths::findExecutable(QStringLiteral("fc-match"));
    if (!QFile::exists(systemConfig) || fcMatch.isEmpty()) {
        GTEST_SKIP() << "needs fontconfig with its fc-match";
    }
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="pattern">
    <test name="family"><string>monospace</string></test>
    <edit name="family" mode="prepend_first" binding="strong">
      <string>DejaVu Sans</string><string>Noto Sans</string><string>Nimbus Sans</string>
      <string>Liberation Sans</string>
    </edit>
  </match>
</fontconfig>
)");
    file.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config);

    QProcess match;
    match.setProcessEnvironment(environment);
    match.start(fcMatch, {QStringLiteral("-f"), QStringLiteral("%{family}|%{spacing}"),
                          QStringLiteral("monospace")});
    ASSERT_TRUE(match.waitForFinished(30000));
    const QStringList answer = QString::fromUtf8(match.readAllStandardOutput()).split('|');
    ASSERT_EQ(answer.size(), 2);
    if (!answer[1].isEmpty()) {
        GTEST_SKIP() << "none of the proportional families is installed; monospace is "
                     << answer[0].toStdString();
    }

    QProcess run;
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=TerminalTest.BlackWithSilverMonospacedText")});
    ASSERT_TRUE(run.waitForFinished(60000));
    const std::string output = run.readAll().toStdString();
    EXPECT_EQ(run.exitCode(), 0) << "monospace is " << answer[0].toStdString() << "\n" << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

TEST_F(TerminalTest, TypedKeysGoToThePortOneByOneAndAreNotShown) {
    QTest::keyClicks(&terminal, "NZV");
    QTest::keyClick(&terminal, Qt::Key_Return);
    EXPECT_EQ(port.Writes, (QList<QByteArray>{"N", "Z", "V", "\r"}));
    EXPECT_EQ(terminal.ScreenText(), "");
    QTest::keyClick(&terminal, Qt::Key_Shift); // no character: nothing written
    EXPECT_EQ(port.Writes.size(), 4);
}

TEST_F(TerminalTest, ReceivedBytesAreShownWithLineEndsBackspaceAndTabs) {
    emit port.Received("NZV\r\n2 1 2\r\nLR>");
    EXPECT_EQ(terminal.ScreenText(), "NZV\n2 1 2\nLR>");

    terminal.Clear();
    // CR alone and LF alone end a line too; a CR LF split over two chunks is one line end.
    emit port.Received("a\rb\nc\r");
    emit port.Received("\nd");
    EXPECT_EQ(terminal.ScreenText(), "a\nb\nc\nd");

    terminal.Clear();
    emit port.Received("abc\b\bX\tY");
    EXPECT_EQ(terminal.ScreenText(), "aX      Y");
    emit port.Received(QByteArray("\x01\x07\x1b\x7f", 4) + "\xe9" + QByteArray(1, '\0'));
    EXPECT_EQ(terminal.ScreenText(), QString("aX      Y") + QChar(0xe9)) << "controls unseen";

    terminal.Clear();
    emit port.Received("\b\b");
    EXPECT_EQ(terminal.ScreenText(), "") << "nothing to erase at the line start";
}

TEST_F(TerminalTest, LongLinesWrapAndTheOldestLinesLeaveTheScreen) {
    const int columns = terminal.Columns();
    const int rows = terminal.Rows();
    ASSERT_GT(columns, 40);
    ASSERT_GT(rows, 10);
    emit port.Received(QByteArray(columns + 5, 'x'));
    EXPECT_EQ(terminal.ScreenText(), QString(columns, 'x') + "\n" + QString(5, 'x'));

    terminal.Clear();
    QByteArray lines;
    for (int i = 1; i <= rows + 3; ++i) {
        lines += QByteArray::number(i) + "\r\n";
    }
    emit port.Received(lines);
    const QStringList shown = terminal.ScreenText().split('\n');
    ASSERT_EQ(shown.size(), rows);
    EXPECT_EQ(shown.first(), QString::number(5)) << "lines 1 to 4 left at the top";
    EXPECT_EQ(shown[rows - 2], QString::number(rows + 3));
    EXPECT_EQ(shown.last(), "");
}

// ----- The lights -----

TEST(LineStatusMonitorTest, TrafficBlinksAndTheModemLinesAreFollowedOnlyWhileMonitoring) {
    RecordingPort port;
    StatusLight txd("TXD"), rxd("RXD"), dcd("DCD"), cts("CTS");
    LineStatusMonitor monitor({&txd, &rxd, &dcd, &cts});
    monitor.SetPort(&port);
    EXPECT_EQ(txd.objectName(), "TXDLight");

    port.Lines = {true, true, false};
    port.Write("x");
    emit port.Received("y");
    monitor.Poll();
    EXPECT_FALSE(txd.IsLit() || rxd.IsLit() || dcd.IsLit() || cts.IsLit()) << "not monitoring";

    monitor.SetMonitoring(true);
    EXPECT_TRUE(dcd.IsLit());
    EXPECT_FALSE(cts.IsLit());
    port.Write("x");
    EXPECT_TRUE(txd.IsLit());
    EXPECT_FALSE(rxd.IsLit());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !txd.IsLit(); }, 2000)) << "a blink goes out";
    emit port.Received("y");
    EXPECT_TRUE(rxd.IsLit());

    port.Lines = {true, false, true};
    monitor.Poll();
    EXPECT_FALSE(dcd.IsLit());
    EXPECT_TRUE(cts.IsLit());

    // A port without modem lines: dark, and no fault.
    port.Lines = {false, true, true};
    monitor.Poll();
    EXPECT_FALSE(dcd.IsLit() || cts.IsLit());

    port.Lines = {true, true, true};
    monitor.Poll();
    monitor.SetMonitoring(false);
    EXPECT_FALSE(txd.IsLit() || rxd.IsLit() || dcd.IsLit() || cts.IsLit());
}

// ----- The service view -----

// Every widget of the window with whether it is hidden and enabled of its own.
std::map<QString, std::pair<bool, bool>> WidgetStates(const QWidget& window) {
    std::map<QString, std::pair<bool, bool>> states;
    int unnamed = 0;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName().isEmpty() ? QStringLiteral("#%1").arg(unnamed++)
                                                            : widget->objectName();
        states[name] = {widget->isHidden(), widget->testAttribute(Qt::WA_Disabled)};
    }
    return states;
}

TEST(ServiceViewTest, ADoubleClickOnHiddenLabelShowsEveryControlAndASecondRestoresAll) {
    test::PageRig rig;
    ASSERT_TRUE(rig.ShowWindow());
    TTarvelForm& form = *rig.Form;
    // Advanced edge feathering, where the gamma width and offset groups live.
    rig.Control<QCheckBox>("AdvanceModeCheckBox")->setChecked(true);
    QTabWidget* pages = form.PageControl();
    pages->setCurrentWidget(&form.Information());
    QTest::qWait(1);
    auto* hidden = rig.Control<QLabel>("HiddenLabel");
    EXPECT_EQ(hidden->size(), QSize(38, 13));
    EXPECT_TRUE(hidden->text().isEmpty());
    EXPECT_TRUE(hidden->isVisible());
    const QWidget& page = form.Information();
    EXPECT_GT(hidden->x(), page.width() - 100) << "near the bottom right corner";
    EXPECT_GT(hidden->y(), page.height() - 60);

    const auto before = WidgetStates(form);
    const int seamTab = pages->indexOf(&form.SeamRemoval());
    EXPECT_FALSE(pages->isTabVisible(seamTab));
    EXPECT_FALSE(form.ServiceView());

    QTest::mouseDClick(hidden, Qt::LeftButton);
    EXPECT_TRUE(form.ServiceView());
    EXPECT_TRUE(rig.Control<QGroupBox>("InfoGroupBox")->isVisible());
    EXPECT_TRUE(rig.Control<QGroupBox>("ScreenInfoGroupBox")->isVisible());
    EXPECT_TRUE(pages->isTabVisible(seamTab));
    EXPECT_FALSE(rig.Control<QWidget>("FeatherRadioGroup")->isHidden());
    EXPECT_TRUE(rig.Control<QGroupBox>("HardwareSetupGroupBox")->isHidden()) << "never shown";
    for (int channel = 1; channel <= 8; ++channel) {
        SCOPED_TRACE(channel);
        EXPECT_FALSE(rig.Control<QWidget>(QString("EdgeAdv%1GroupBox").arg(channel))->isHidden());
        for (const char* kind : {"BlackLabel%1", "Black%1Edit", "Black%1UpDown"}) {
            EXPECT_TRUE(rig.Control<QWidget>(QString(kind).arg(channel))->isEnabled());
        }
    }
    // Three projectors planned: the fourth channel's group, and its sub-group, stay hidden
    // until the count shows the channel.
    EXPECT_TRUE(rig.Control<QWidget>("EdgeAdv2GroupBox")->isVisibleTo(&form.DisplaySetup()));
    EXPECT_FALSE(rig.Control<QWidget>("EdgeAdv4GroupBox")->isVisibleTo(&form.DisplaySetup()));
    form.DisplaySetup().ShowChannels(4);
    EXPECT_TRUE(rig.Control<QWidget>("EdgeAdv4GroupBox")->isVisibleTo(&form.DisplaySetup()));
    form.DisplaySetup().ShowChannels(3);

    // A black level typed meanwhile stays in its edit.
    rig.Edit("Black3Edit")->setText("77");

    QTest::mouseDClick(hidden, Qt::LeftButton);
    EXPECT_FALSE(form.ServiceView());
    EXPECT_EQ(rig.Edit("Black3Edit")->text(), "77");
    EXPECT_FALSE(rig.Edit("Black3Edit")->isEnabled());
    const auto after = WidgetStates(form);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, state] : before) {
        EXPECT_EQ(after.at(name), state) << name.toStdString();
    }
    EXPECT_FALSE(pages->isTabVisible(seamTab));
    EXPECT_TRUE(rig.Boxes.Calls().empty());
}

// ----- The unit information panel -----

TEST(UnitInfoPanelTest, ShowsTheChosenScreenOfUnitOneOnceTheModelHoldsAReadOrAFile) {
    test::PageRig rig;
    ASSERT_TRUE(rig.ShowWindow());
    TTarvelForm& form = *rig.Form;
    InputSettings& in = form.Model().Channels.Input(1, 2);
    in.HActive = 1024;
    in.VActive = 768;
    in.VideoLoaded = 1;
    in.VideoLocked = 0;
    in.Phase = -3;
    in.SyncSelect = 2;
    in.HTotal = 1344;
    in.HPosition = 296;
    in.VPosition = 35;
    in.InputTermination = 0;
    in.OverallContrast = 101.23456f;
    in.OverallBrightness = 99.5f;
    in.RedContrast = 1.23456f;
    in.RedBrightness = -12.5f;
    in.GreenContrast = 0.1f;
    in.GreenBrightness = 20;
    in.BlueContrast = -0.25f;
    in.BlueBrightness = 3;
    OutputSettings& out = form.Model().Channels.Output(1, 2);
    out.OutputFormat = 5;
    out.OutputFrameRate = 2;
    out.OutputSync = 7;
    out.ControlMode = 1;
    out.ProjectorGroup = 0;
    out.TotalProjectors = 4;
    out.DataDoubling = 1;
    out.ImageAlignment = 1;
    out.DisplayOverlap = 128;
    out.BasicGamma = 2.25f;
    out.LeftGamma = 1.0f;
    out.RightGamma = 3.14159f;
    out.BasicFeatherOn = 1;
    out.LeftFeatherOn = 0;
    out.RightFeatherOn = 1;
    out.LeftHaloWidth = 4;
    out.LeftHaloOffset = -2;
    out.RightHaloWidth = 6;
    out.RightHaloOffset = 3;
    out.BlackLevel = 200;

    auto* screens = rig.Control<QComboBox>("ScreenInfoComboBox");
    EXPECT_EQ(screens->count(), 4);
    EXPECT_EQ(screens->itemText(3), "Screen 4");
    EXPECT_EQ(screens->currentText(), "Screen 1");
    const auto choose = [&](int index) {
        screens->setCurrentIndex(index);
        emit screens->activated(index);
    };
    const auto label = [&](const char* name) { return rig.Control<QLabel>(name)->text(); };
    choose(1);
    EXPECT_EQ(label("HActiveLabel"), "") << "neither read nor file: nothing shown";

    form.Model().System.FileValid = true;
    choose(1);
    const std::pair<const char*, const char*> shown[] = {
        {"HActiveLabel", "1024"},      {"VActiveLabel", "768"},
        {"VideoLoadedLabel", "True"},  {"VideoLockedLabel", "False"},
        {"PhaseOffsetLabel", "-3"},    {"SyncSelLabel", "H/V"},
        {"HTotalLabel", "1344"},       {"HPosLabel", "296"},
        {"VPosLabel", "35"},           {"InTerminationLabel", "HI-Z"},
        {"CContrastLabel", "101.23"},  {"CBrightnessLabel", "99.5"},
        {"RContrastLabel", "1.235"},   {"RBrightnessLabel", "-12.5"},
        {"GContrastLabel", "0.1"},     {"GBrightnessLabel", "20"},
        {"BContrastLabel", "-0.25"},   {"BBrightnessLabel", "3"},
        {"HVOutLabel", "1400x1050"},   {"OutFRateLabel", "@ 75Hz"},
        {"OutSyncLabel", "7"},         {"BlendLevelLabel", "Adv"},
        {"ProjectorsLabel", "1-4"},    {"JustificationLabel", "Center"},
        {"TotalProjectorsLabel", "4"}, {"DataDoublingLabel", "1"},
        {"OverlapWidthLabel", "128"},  {"BasicEFTGammaLabel", "2.25"},
        {"LeftEFTGammaLabel", "1"},    {"RightEFTGammaLabel", "3.14"},
        {"BasicEFTModeLabel", "1"},    {"LeftEFTModeLabel", "0"},
        {"RightEFTModeLabel", "1"},    {"HaloLeftWidthLabel", "4"},
        {"HaloLeftOffsetLabel", "-2"}, {"HaloRightWidthLabel", "6"},
        {"HaloRightOffsetLabel", "3"}, {"BlackLvlAdjCompLabel", "200"},
    };
    for (const auto& [name, text] : shown) {
        EXPECT_EQ(label(name), text) << name;
    }

    // Codes without a text leave their labels as they were; the rest follows screen 3.
    InputSettings& other = form.Model().Channels.Input(1, 3);
    other.SyncSelect = 9;
    other.InputTermination = 1;
    other.HActive = 640;
    OutputSettings& otherOut = form.Model().Channels.Output(1, 3);
    otherOut.OutputFormat = 6;
    otherOut.OutputFrameRate = 3;
    otherOut.ControlMode = 2;
    otherOut.ProjectorGroup = 2;
    otherOut.ImageAlignment = 2;
    choose(2);
    EXPECT_EQ(label("HActiveLabel"), "640");
    EXPECT_EQ(label("InTerminationLabel"), "75 Ohm");
    for (const auto& [name, text] :
         {std::pair{"SyncSelLabel", "H/V"}, std::pair{"HVOutLabel", "1400x1050"},
          std::pair{"OutFRateLabel", "@ 75Hz"}, std::pair{"BlendLevelLabel", "Adv"},
          std::pair{"ProjectorsLabel", "1-4"}, std::pair{"JustificationLabel", "Center"}}) {
        EXPECT_EQ(label(name), text) << name;
    }
}

// ----- On the real line -----

TEST(InformationPageLinkTest, TheTerminalTheLightsAndThePageRuleOnTheLine) {
    test::PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "direct"}));
    TTarvelForm& form = *rig.Form;
    rig.ShowPage(form.Information());
    SerialTerminal& terminal = form.Information().Terminal();
    EXPECT_TRUE(terminal.hasFocus()) << "the page switch rule gives the terminal the keyboard";
    EXPECT_TRUE(rig.Control<QPushButton>("ResetButton")->isEnabled());
    EXPECT_TRUE(rig.Control<QPushButton>("SystemSaveButton")->isEnabled());

    // Typed text reaches the unit; its echo and prompt come back on the screen.
    QList<QByteArray> written;
    QObject::connect(&form.Port(), &SerialPort::Written,
                     [&written](const QByteArray& bytes) { written << bytes; });
    terminal.Clear();
    QTest::keyClicks(&terminal, "BLKGN 2 40");
    QTest::keyClick(&terminal, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return terminal.ScreenText().endsWith('#'); }, 3000));
    EXPECT_EQ(terminal.ScreenText(), "BLKGN 2 40\nOK\n#");
    EXPECT_EQ(rig.Sent(), QStringList{"BLKGN 2 40"});
    EXPECT_EQ(rig.SimState().Output(1, 2).BlackLevel, 40);

    // The unit's modem lines: a pseudo-terminal has none; dark, and nobody is told.
    auto* dcd = rig.Control<StatusLight>("DCDLight");
    auto* cts = rig.Control<StatusLight>("CTSLight");
    QTest::qWait(LineStatusMonitor::PollMs + 50);
    EXPECT_FALSE(dcd->IsLit());
    EXPECT_FALSE(cts->IsLit());
    EXPECT_TRUE(rig.Boxes.Calls().empty());

    // Backspace: exactly back, blank, back.
    written.clear();
    QTest::keyClick(&terminal, Qt::Key_Backspace);
    EXPECT_EQ(written, QList<QByteArray>{QByteArray("\b \b")});

    // Traffic lights the TXD and RXD lights while connected.
    auto* txd = rig.Control<StatusLight>("TXDLight");
    auto* rxd = rig.Control<StatusLight>("RXDLight");
    QTest::keyClick(&terminal, Qt::Key_Return);
    EXPECT_TRUE(txd->IsLit());
    EXPECT_TRUE(QTest::qWaitFor([&] { return rxd->IsLit(); }, 3000));

    // Disconnected: the lights are dark and the buttons follow the page switch rule.
    form.DisconnectSerialCo1Click();
    EXPECT_FALSE(txd->IsLit() || rxd->IsLit() || dcd->IsLit() || cts->IsLit());
    EXPECT_FALSE(rig.Control<QPushButton>("ResetButton")->isEnabled());
    EXPECT_FALSE(rig.Control<QPushButton>("SystemSaveButton")->isEnabled());
    written.clear();
    QTest::keyClicks(&terminal, "x");
    EXPECT_TRUE(written.isEmpty()) << "the port is closed";
}

// Pictures of the Information page with the service view off and on, after the read of a
// two-unit wall. With TARVEL_PAGE_SCREENSHOTS set to a folder the pictures are saved there.
TEST(InformationPageLinkTest, Screenshots) {
    test::PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
    TTarvelForm& form = *rig.Form;
    form.ReadfromZelvars1Click();
    rig.Boxes.Clear();
    rig.ShowPage(form.Information());
    SerialTerminal& terminal = form.Information().Terminal();
    terminal.Clear();
    // The simulator takes a return within 100 ms of a line's end as part of that line.
    QTest::qWait(150);
    QTest::keyClick(&terminal, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return terminal.ScreenText().endsWith('>'); }, 3000))
        << terminal.ScreenText().toStdString();

    const QString folder = qEnvironmentVariable("TARVEL_PAGE_SCREENSHOTS");
    const auto grab = [&](const char* name) {
        QTest::qWait(20);
        const QImage image = form.grab().toImage();
        EXPECT_EQ(image.size(), form.size()) << name;
        if (!folder.isEmpty()) {
            EXPECT_TRUE(QDir().mkpath(folder));
            EXPECT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(name))));
        }
        return image;
    };
    const QImage off = grab("information-service-view-off.png");
    form.Information().HiddenLabelDblClick();
    EXPECT_EQ(rig.Control<QLabel>("NumOfZelvarDetectedLabel")->text(), "2");
    EXPECT_EQ(rig.Control<QLabel>("Version1Label")->text(), "1.08");
    EXPECT_NE(grab("information-service-view-on.png"), off);
    form.Information().HiddenLabelDblClick();
    EXPECT_TRUE(rig.Boxes.Calls().empty());
}

} // namespace
} // namespace tarvel
