// The main window on the real serial link against zelvar-sim: the start-up search and read,
// the menus, and what the Planning page sends while connected. Each search costs real probe
// time, so each test reuses its connection for several checks.

#include "SimProcess.h"
#include "WindowTestSupport.h"
#include "support/SimState.h"
#include "support/TestTiming.h"

#include "device/DeviceLink.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/SpinButtons.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/PlanningPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>

namespace tarvel {
namespace {

using Lines = std::vector<std::string>;

const QString StartQuestion =
    "Tarvel requires connection to Zelvar(s) to function. Do you currently have Zelvar(s) "
    "connected to the PC/laptop? Click Yes and Tarvel will search for Zelvar(s).";

// TARVEL_PORTS for the test's scope: COM 1 is the simulator's line.
class PortsEnvironment {
public:
    explicit PortsEnvironment(const std::string& device) {
        if (qEnvironmentVariableIsSet("TARVEL_PORTS")) {
            previous_ = qgetenv("TARVEL_PORTS");
        }
        qputenv("TARVEL_PORTS", QByteArray::fromStdString(device));
    }
    ~PortsEnvironment() {
        if (previous_) {
            qputenv("TARVEL_PORTS", *previous_);
        } else {
            qunsetenv("TARVEL_PORTS");
        }
    }
    PortsEnvironment(const PortsEnvironment&) = delete;
    PortsEnvironment& operator=(const PortsEnvironment&) = delete;

private:
    std::optional<QByteArray> previous_;
};

// The simulator with its command log and state image.
class Simulator {
public:
    ~Simulator() {
        process_.Stop();
        std::remove(log_.c_str());
        std::remove(state_.c_str());
    }
    ::testing::AssertionResult Start(std::vector<std::string> options) {
        options.insert(options.end(), {"--log", log_, "--state", state_});
        std::string error;
        if (!process_.Start(options, &error)) {
            return ::testing::AssertionFailure() << "zelvar-sim did not start: " << error;
        }
        return ::testing::AssertionSuccess();
    }
    std::string Path() const { return process_.PtyPath(); }
    Lines Log() const {
        Lines lines;
        std::istringstream in(SimProcess::ReadFile(log_));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // The last n commands.
    Lines Tail(std::size_t n) const {
        const Lines all = Log();
        return Lines(all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end());
    }
    // The units' records as the simulator holds them.
    ChannelSettings State() const { return test::ReadSimState(state_); }

private:
    SimProcess process_;
    std::string log_ = SimProcess::UniquePath("ui-log");
    std::string state_ = SimProcess::UniquePath("ui-state");
};

// The read of one unit: system information, then input and output status of channels 1..4.
Lines UnitRead(const std::string& prefix, const std::string& suffix) {
    Lines lines{prefix + "SYINFOZV" + suffix};
    for (const char* query : {"IINFOZV", "OINFOZV"}) {
        for (int channel = 1; channel <= 4; ++channel) {
            lines.push_back(prefix + query + " " + std::to_string(channel) + suffix);
        }
    }
    return lines;
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class LinkWiringTest : public ::testing::Test {
protected:
    void Create() {
        ::testing::internal::CaptureStderr();
        TTarvelForm::Options options;
        options.Timing = test::TestTiming();
        options.Messages = &boxes;
        options.CloseWaitMs = 0;
        form = std::make_unique<TTarvelForm>(std::move(options));
        ::testing::internal::GetCapturedStderr();
    }
    // Shows the window; the first answer is the reply to the start-up question, the others
    // answer what the search asks. Returns once the question and what it started are over.
    ::testing::AssertionResult Start(std::initializer_list<bool> answers) {
        Create();
        for (const bool answer : answers) {
            boxes.Answer(answer);
        }
        if (!test::ShowActive(*form)) {
            return ::testing::AssertionFailure() << "the window did not come up";
        }
        if (!QTest::qWaitFor([this] { return form->StartupDone(); }, 30000)) {
            return ::testing::AssertionFailure() << "the start-up did not end";
        }
        return ::testing::AssertionSuccess();
    }
    void TearDown() override {
        if (form) {
            form->hide();
        }
    }

    template <typename T = QWidget> T* Control(const char* name) const {
        T* control = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) const {
        if (auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            return edit->text();
        }
        if (auto* list = form->findChild<QComboBox*>(QString::fromLatin1(name))) {
            return list->currentText();
        }
        return Control<QLabel>(name)->text();
    }
    QAction* Item(const char* name) const { return form->MenuAction(QString::fromLatin1(name)); }

    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TTarvelForm> form;
};

TEST_F(LinkWiringTest, TheStartUpSearchFindsTheControllerAndReadsBothUnitsIntoThePages) {
    Simulator sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2"}));
    PortsEnvironment ports(sim.Path());
    ASSERT_TRUE(Start({true}));

    // Only the question and the warning: the units report 6 projectors, left justified, where
    // the first calculation planned 3, centred.
    EXPECT_EQ(boxes.Texts(),
              (QStringList{StartQuestion,
                           "Warning. Number of Projectors and Input Material Alignment information "
                           "read from Zelvar(s) does not match current values in the Planning "
                           "page. \rPlanning page values will be overwritten"}));
    EXPECT_FALSE(boxes.HadUnscriptedQuestion());
    ASSERT_TRUE(form->Connected());
    EXPECT_EQ(form->Link().Mode(), ConnectionMode::Controller);
    EXPECT_EQ(form->StatusText(), "");
    EXPECT_EQ(Text("ComNumberLabel"), "1");
    EXPECT_TRUE(Control<QCheckBox>("RS485CheckBox")->isChecked());
    EXPECT_EQ(Text("BaudComboBox"), "57600");
    EXPECT_EQ(form->Port().Baud(), 57600);
    EXPECT_TRUE(form->Port().HardwareFlowControl());
    EXPECT_TRUE(Item("Defaultvalues1")->isChecked());
    EXPECT_TRUE(Item("ReadfromZelvars1")->isEnabled());
    EXPECT_TRUE(Item("SendCurrentSettingstoZelvars1")->isEnabled());
    EXPECT_EQ(Text("NumOfZelvarDetectedLabel"), "2");
    EXPECT_EQ(Text("Version1Label"), "1.08");
    EXPECT_EQ(Text("ZelvarID1Edit"), "1");
    EXPECT_EQ(Text("ZelvarID2Edit"), "2");
    EXPECT_FALSE(Control<QLineEdit>("ZelvarID2Edit")->isHidden());
    EXPECT_EQ(form->State().Busy, 0);
    EXPECT_FALSE(form->State().UpdatingControls);
    EXPECT_TRUE(form->PageControl()->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form->InfoForm().isVisible());

    // The model holds what the units hold, field for field. The output status carries the
    // gamma widths, not the halo fields, which keep the model's zeros.
    EXPECT_EQ(form->Model().System.UnitCount, 2);
    EXPECT_TRUE(form->Model().System.ReadValid);
    ChannelSettings state = sim.State();
    for (auto& block : state.Outputs) {
        for (OutputSettings& record : block) {
            record.LeftHaloWidth = record.LeftHaloOffset = 0;
            record.RightHaloWidth = record.RightHaloOffset = 0;
        }
    }
    for (int unit = 1; unit <= 2; ++unit) {
        for (int channel = 1; channel <= 4; ++channel) {
            SCOPED_TRACE(testing::Message() << "unit " << unit << " channel " << channel);
            EXPECT_TRUE(form->Model().Channels.Input(unit, channel) == state.Input(unit, channel));
            EXPECT_TRUE(form->Model().Channels.Output(unit, channel) ==
                        state.Output(unit, channel));
        }
    }

    // The units win on the Planning page: 6 x 1280 - 5 x 256 = 6400 pixels.
    EXPECT_EQ(Text("NumOfScreenComboBox"), "6 Projectors");
    EXPECT_EQ(Text("ImageAlignComboBox"), "Left Justified");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "256");
    EXPECT_EQ(Text("OWidthEdit"), "256");
    EXPECT_EQ(Text("ProjectorResComboBox"), "1280x1024");
    EXPECT_EQ(Text("ImageSizeHLabel"), "6400");
    EXPECT_EQ(Text("ImageSizeVLabel"), "1024");
    EXPECT_EQ(Text("OutAspectRatioLabel"), "6.25");
    EXPECT_EQ(Text("HorizontalOutEdit"), "62.5");
    EXPECT_EQ(Text("NumOfZelvarsLabel"), "2");
    EXPECT_EQ(form->Planning().Calculator().Values.ProjectorCount, 6);

    // Read, never sent: the fill runs under UpdatingControls. The last count is the unit check
    // of six projectors through the controller.
    EXPECT_EQ(sim.Log(),
              Join({{"debug 0", "NZV"}, UnitRead("*1", "!"), UnitRead("*2", "!"), {"NZV"}}));

    {
        SCOPED_TRACE("an overlap step goes to both units");
        Control<SpinButtons>("OWidthPlanningUpDown")->DownButton()->click();
        EXPECT_EQ(Text("OWidthEdit"), "255");
        EXPECT_EQ(sim.Tail(2), (Lines{"*1DISP 0 255!", "*2DISP 0 255!"}));
        EXPECT_EQ(form->Model().Channels.UnitOutput(2).DisplayOverlap, 255);
        EXPECT_EQ(sim.State().Output(2, 1).DisplayOverlap, 255);
    }
    {
        SCOPED_TRACE("a projector count from the list");
        auto* list = Control<QComboBox>("NumOfScreenComboBox");
        list->setCurrentIndex(4);
        emit list->activated(4);
        EXPECT_EQ(Text("NumOfScreenComboBox"), "5 Projectors");
        // The overlap of 5 projectors on 6405 pixels is raised to 64.
        EXPECT_EQ(sim.Tail(5),
                  (Lines{"NZV", "*1PRJ 0 5!", "*2PRJ 1 5!", "*1DISP 0 64!", "*2DISP 0 64!"}));
        EXPECT_TRUE(boxes.Texts().size() == 2) << boxes.Texts().join('|').toStdString();
    }
    {
        SCOPED_TRACE("Calculate refreshes from the units first");
        const std::size_t before = sim.Log().size();
        QTest::mouseClick(Control<QPushButton>("CalcOutButton"), Qt::LeftButton);
        const Lines log = sim.Log();
        ASSERT_GE(log.size(), before);
        EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
                  Join({{"NZV"},
                        UnitRead("*1", "!"),
                        UnitRead("*2", "!"),
                        {"NZV", "*1PRJ 0 5!", "*2PRJ 1 5!", "*1DISP 0 64!", "*2DISP 0 64!"}}));
        EXPECT_EQ(Text("NumOfScreenComboBox"), "5 Projectors");
        EXPECT_EQ(form->State().Busy, 0);
        EXPECT_TRUE(Control<QPushButton>("CalcOutButton")->isEnabled());
        EXPECT_FALSE(form->InfoForm().isVisible());
    }
    {
        SCOPED_TRACE("baud and parity from the menu");
        Item("N96001")->trigger();
        EXPECT_EQ(form->Port().Baud(), 9600);
        EXPECT_TRUE(Item("N96001")->isChecked());
        EXPECT_FALSE(Item("Defaultvalues1")->isChecked());
        Item("Odd1")->trigger();
        EXPECT_EQ(form->Port().CurrentParity(), Parity::Odd);
        EXPECT_TRUE(Item("Odd1")->isChecked());
        Item("None1")->trigger();
        Item("Defaultvalues1")->trigger();
        EXPECT_TRUE(Item("Defaultvalues1")->isChecked());
        EXPECT_EQ(form->Port().Baud(), 9600) << "the rate holds until the next mode choice";
    }
    {
        SCOPED_TRACE("disconnect");
        Item("DisconnectSerialCo1")->trigger();
        EXPECT_FALSE(form->Connected());
        EXPECT_FALSE(form->Port().IsOpen());
        EXPECT_FALSE(Item("ReadfromZelvars1")->isEnabled());
        EXPECT_FALSE(Item("SendCurrentSettingstoZelvars1")->isEnabled());
        EXPECT_FALSE(form->Model().System.ReadValid);
        EXPECT_EQ(form->StatusText(), "Note: No Zelvar communication established yet.");
        const std::size_t sent = sim.Log().size();
        Control<SpinButtons>("OWidthPlanningUpDown")->UpButton()->click();
        EXPECT_EQ(Text("OWidthEdit"), "65");
        EXPECT_EQ(sim.Log().size(), sent) << "nothing is sent while disconnected";
    }
}

TEST_F(LinkWiringTest, ADirectConnectionReadsItsOneUnit) {
    Simulator sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsEnvironment ports(sim.Path());
    ASSERT_TRUE(Start({false}));
    boxes.Clear();

    boxes.Answer(true); // query the settings now
    Item("ZelvarconnectedtoSerialPortdirectly1")->trigger();
    ASSERT_TRUE(form->Connected());
    EXPECT_EQ(boxes.Texts(),
              (QStringList{"Serial communication established. Do you wish to query the "
                           "Zelvar's settings and update the Tarvel?",
                           "Warning. Input Material Alignment information read from "
                           "Zelvar(s) does not match current values in the Planning page. "
                           "\rPlanning page values will be overwritten"}));
    EXPECT_EQ(sim.Log(), UnitRead("", "")) << "one unit, no count asked";
    EXPECT_EQ(form->Model().System.UnitCount, 1);
    EXPECT_EQ(Text("NumOfZelvarDetectedLabel"), "1");
    EXPECT_FALSE(Control<QCheckBox>("RS485CheckBox")->isChecked());
    EXPECT_EQ(Text("BaudComboBox"), "38400");
    EXPECT_FALSE(form->Port().HardwareFlowControl());
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");
    EXPECT_EQ(Text("ImageAlignComboBox"), "Left Justified");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "256");

    // "Read from Zelvar(s) ..." reads it again; the page now matches, so nothing is said.
    boxes.Clear();
    Item("ReadfromZelvars1")->trigger();
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(sim.Log().size(), 18u);
    EXPECT_EQ(form->StatusText(), "");
}

TEST_F(LinkWiringTest, AFailedReadOfTheSecondUnitSaysSoAndLeavesThePages) {
    // Command 19 is unit 2's output status of channel 3: debug 0, NZV, 9 queries of unit 1,
    // then unit 2's system information and input status, and its output status 1 and 2.
    Simulator sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--error-every", "19,4"}));
    PortsEnvironment ports(sim.Path());
    // Search, then do not go on after the unreadable channel.
    ASSERT_TRUE(Start({true, false}));
    const QStringList texts = boxes.Texts();
    ASSERT_EQ(texts.size(), 4) << texts.join('|').toStdString();
    EXPECT_EQ(texts[1], "Error! Controller did not get response from Zelvar(s). Please check "
                        "connections and Zelvar(s) Serial Mode settings.");
    EXPECT_EQ(texts[3], "Zelvar 2 communication error! Please check Serial connections and try "
                        "again (-8)");
    EXPECT_EQ(form->StatusText(), "");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors") << "the pages keep their contents";
    EXPECT_EQ(Text("OWidthEdit"), "384");
    EXPECT_TRUE(form->Connected());

    // Calculate's refresh fails the same way at command 38, unit 2's output status of channel
    // 4: the action ends before anything is computed.
    boxes.Clear();
    boxes.Answer(false);
    Control<QLineEdit>("HorizontalOutEdit")->setText("70");
    QTest::mouseClick(Control<QPushButton>("CalcOutButton"), Qt::LeftButton);
    EXPECT_EQ(boxes.Texts().last(), "Zelvar 2 communication error! Please check Serial "
                                    "connections and try again (-9)");
    EXPECT_EQ(sim.Log().back(), "*2OINFOZV 4!");
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");
    EXPECT_EQ(form->StatusText(), "");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form->State().Busy, 0);
    EXPECT_TRUE(Control<QPushButton>("CalcOutButton")->isEnabled());
}

} // namespace
} // namespace tarvel
