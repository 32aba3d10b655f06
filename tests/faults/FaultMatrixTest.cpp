// Every fault zelvar-sim can play, against every kind of operation that talks to the units,
// through the real window on the real serial link: the operation recovers or stops as the
// program means it to, each message comes exactly once with its exact words, the model keeps
// what the user set, and nothing is left waiting (the scripted boxes answer Cancel or No
// where giving up is the way out).
//
// One unit behind the controller unless a row says otherwise. Command numbers count every
// line the simulator receives: the connection sends "debug 0" (1) and NZV (2); reading the
// unit adds its system information (3), input status 1-4 (4-7) and output status 1-4 (8-11).
//
// Rows that wait for the 8-second reply timer are marked "Timeout" in their names; there are
// five. The two direct rows that lose commands wait the 4.4 s prompt wait; the rest of the
// table runs in a few seconds.

#include "PageRig.h"

#include "ui/ConfigurationTransfer.h"
#include "ui/TInfoForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using test::PageRig;

// ----- The words the user sees -----

const char* const Caption = "Prendel - Tarvel";
const char* const ReadErrorCaption = "Prendel - Tarvel :Error reading from Zelvar(s)";
const char* const BalanceCaption = "Tarvel - Confirm Auto Color Balance";

const char* const Timeout = "Error! Timeout occured. Unable to communicate with Zelvar. Please "
                            "verify that Serial Port is connected to Zelvar.";
const char* const NoUnitAnswer = "Error! Controller did not get response from Zelvar(s). Please "
                                 "check connections and Zelvar(s) Serial Mode settings.";
// %1 is the simulator's line.
const char* const LineLost =
    "Error! The connection on serial port COM 1 (%1) was lost. The port has been closed. Please "
    "check the RS-232 cable, then go to 'Serial Port->Search for Zelvar(s)->Search' to connect "
    "again.";
const char* const SendStopped =
    "Sending stopped. Only part of the current settings was sent to Zelvar(s).";
const char* const BalanceFirst =
    "Automatic Color Balance takes several minutes to complete. Are you sure you want to run "
    "Automatic Color Balance? Click OK to continue.";
const char* const BalanceSecond =
    "IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on Kindrel(Horizontal "
    "Ramp on Controller) before running. Click OK to start Automatic RGB Color Adjustment.";
const char* const NotDetected =
    "Zelvar(s) not detected.\n1) Please check RS-232 cable.\n2) Make sure Zelvar(s) boot-up "
    "initialization has been completed.\n3) Go to 'Serial Port->Search for Zelvar(s)->Search' "
    "menu item for the Tarvel to search for Zelvar(s) again.";
// The units report Left, the Planning page shows Center: after a read the units win.
const char* const AlignmentWarning =
    "Warning. Input Material Alignment information read from Zelvar(s) does not match current "
    "values in the Planning page. \rPlanning page values will be overwritten";
const char* const NotDetectedByController =
    "Zelvar not detected by Controller.\n(1)Check cables.\n(2)Make sure the Zelvar has booted "
    "up completely and reboot the Controller.";

// ----- The table -----

enum class Operation {
    FieldSend,         // Display Setup: 3.5 typed into BasicGammaEdit, the focus moves on
    ReadAll,           // "Read from Zelvar(s) ..."
    SendAll,           // "Send Current Settings to Zelvar(s)" after the user changed three values
    AutoColourBalance, // "Auto Color Balance (All Channels)", both questions answered OK
    AutoSeam,          // "Auto Seam Gain" for screen 1
    Search,            // "Search...." with the simulator as COM 1 and no connection yet
};

enum class Outcome {
    Recovers, // the operation completes; the units hold what was sent
    Stops,    // the user gave up (or the program did); the link stays up
    LineLost, // the line failed: the port is closed and the user told once
    NotFound, // the search ends without a connection
    // The user chose "Disconnect Serial Communication" while the operation waited (its time
    // is the row's Disconnect).
    Disconnected,
};

struct Box {
    MessageKind Kind;
    const char* Caption;
    const char* Text;
};

Box Info(const char* text) {
    return {MessageKind::Information, Caption, text};
}
Box OkCancel(const char* text, const char* caption = Caption) {
    return {MessageKind::OkCancel, caption, text};
}

const std::vector<Box> Confirmations = {OkCancel(BalanceFirst, BalanceCaption),
                                        OkCancel(BalanceSecond, BalanceCaption)};

std::vector<Box> Then(std::vector<Box> first, const std::vector<Box>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

struct FaultCase {
    const char* Name;
    Operation Op;
    std::vector<std::string> Sim; // zelvar-sim options
    const char* Before;           // a line sent (and its prompt awaited) before the operation
    std::vector<bool> Answers;    // to the operation's questions, in order (true: OK / Yes)
    std::vector<Box> Boxes;       // every box the operation shows, in order
    Outcome Expected;
    QStringList Sent; // when not empty: every command the operation sent, in order
    int DisconnectAfterMs = 0;
};

void PrintTo(const FaultCase& row, std::ostream* os) {
    *os << row.Name;
}

const std::vector<std::string> Controller = {"--mode", "controller"};

std::vector<std::string> With(std::vector<std::string> options) {
    std::vector<std::string> all = Controller;
    all.insert(all.end(), options.begin(), options.end());
    return all;
}

// The unit's balance takes a millisecond per projector, so the poll finds it done.
std::vector<std::string> Balance(const std::vector<std::string>& options) {
    std::vector<std::string> all = With({"--auto-ms", "1"});
    all.insert(all.end(), options.begin(), options.end());
    return all;
}

const char* const DebugOn = "debug 1\r"; // every unit into its debug console

const char* const Eftb = "*1EFTB 0  3.5!"; // the field's command; the Enable box is clear

const std::vector<FaultCase> Cases = {
    // --- a single field send (command 3) ---
    {"FieldSend_DropTimeoutCancel",
     Operation::FieldSend,
     With({"--drop-every", "3"}),
     nullptr,
     {false},
     {OkCancel(Timeout)},
     Outcome::Stops,
     {Eftb}},
    {"FieldSend_RefusalIsResent",
     Operation::FieldSend,
     With({"--refuse-every", "3"}),
     nullptr,
     {},
     {},
     Outcome::Recovers,
     {Eftb, Eftb}},
    {"FieldSend_NoAnswerCancel",
     Operation::FieldSend,
     With({"--error-every", "3,4"}),
     nullptr,
     {false},
     {OkCancel(NoUnitAnswer)},
     Outcome::Stops,
     {Eftb}},
    {"FieldSend_NoAnswerOkResends",
     Operation::FieldSend,
     With({"--error-every", "3,4"}),
     nullptr,
     {true},
     {OkCancel(NoUnitAnswer)},
     Outcome::Recovers,
     {Eftb, Eftb}},
    {"FieldSend_ErrorCode9IsResent",
     Operation::FieldSend,
     With({"--error-every", "3,9"}),
     nullptr,
     {},
     {},
     Outcome::Recovers,
     {Eftb, Eftb}},
    {"FieldSend_DebugConsoleIsLeft",
     Operation::FieldSend,
     Controller,
     DebugOn,
     {},
     {},
     Outcome::Recovers,
     {Eftb, "debug 0", Eftb}},
    // Directly (no connection commands): DDBL goes first, the field's command 2 gets no prompt;
    // the link probes the unit again and resends without a word.
    {"FieldSend_DirectDropIsRecoveredQuietly",
     Operation::FieldSend,
     {"--mode", "direct", "--drop-every", "2"},
     "DDBL 0\r",
     {},
     {},
     Outcome::Recovers,
     {"EFTB 0  3.5", "EFTB 0  3.5"}},
    // Every command dropped while probes are answered: the link probes and resends without
    // end and without a box; the menu's Disconnect is the way out.
    {"FieldSend_DirectEndlessRecoveryEndsOnDisconnect",
     Operation::FieldSend,
     {"--mode", "direct", "--drop-every", "1"},
     nullptr,
     {},
     {},
     Outcome::Disconnected,
     {},
     6000},
    {"FieldSend_HangUp",
     Operation::FieldSend,
     With({"--silent-after", "2", "--hangup-after", "3"}),
     nullptr,
     {},
     {Info(LineLost)},
     Outcome::LineLost,
     {Eftb}},

    // --- read-all (NZV 3, system information 4, input status 1-4 at 5-8, output 9-12) ---
    {"ReadAll_DropTimeoutNo",
     Operation::ReadAll,
     With({"--drop-every", "6"}),
     nullptr,
     {false},
     {Info(Timeout),
      {MessageKind::YesNo, ReadErrorCaption,
       "Tarvel unable to read Input Status on Screen 2. Do you still wish to continue? Click Yes "
       "to continue (NOTE: Tarvel settings on Screen 2 will be invalid)"},
      Info("Zelvar communication error! Please check Serial connections and try again (-3)")},
     Outcome::Stops,
     {"NZV", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 2!"}},
    {"ReadAll_RefusalsAreAskedAgain",
     Operation::ReadAll,
     With({"--refuse-every", "5"}),
     nullptr,
     {},
     {Info(AlignmentWarning)},
     Outcome::Recovers,
     {"NZV", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 1!", "*1IINFOZV 2!", "*1IINFOZV 3!",
      "*1IINFOZV 4!", "*1OINFOZV 1!", "*1OINFOZV 1!", "*1OINFOZV 2!", "*1OINFOZV 3!",
      "*1OINFOZV 4!"}},
    {"ReadAll_NoAnswerYesGoesOn",
     Operation::ReadAll,
     With({"--error-every", "10,4"}),
     nullptr,
     {true},
     {Info(NoUnitAnswer),
      {MessageKind::YesNo, ReadErrorCaption,
       "Tarvel unable to read Output Status on Screen 2. Do you still wish to continue? Click "
       "Yes to continue (NOTE: Tarvel settings on Screen 2 will be invalid)"},
      Info(AlignmentWarning)},
     Outcome::Recovers,
     {}},
    // Going on without channel 1's output status: the unit's own settings (projectors,
    // alignment, overlap, output format) come from channel 2's, so the pages show the unit's
    // wall and no warning about formats or bounds follows.
    {"ReadAll_NoAnswerForChannel1OutputYesGoesOn",
     Operation::ReadAll,
     With({"--error-every", "9,4"}),
     nullptr,
     {true},
     {Info(NoUnitAnswer),
      {MessageKind::YesNo, ReadErrorCaption,
       "Tarvel unable to read Output Status on Screen 1. Do you still wish to continue? Click "
       "Yes to continue (NOTE: Tarvel settings on Screen 1 will be invalid)"},
      Info(AlignmentWarning)},
     Outcome::Recovers,
     {}},
    {"ReadAll_ErrorCode9IsAskedAgain",
     Operation::ReadAll,
     With({"--error-every", "7,9"}),
     nullptr,
     {},
     {Info(AlignmentWarning)},
     Outcome::Recovers,
     {}},
    {"ReadAll_DebugConsoleIsLeft",
     Operation::ReadAll,
     Controller,
     DebugOn,
     {},
     {Info(AlignmentWarning)},
     Outcome::Recovers,
     {"NZV", "*1SYINFOZV!", "debug 0", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 2!",
      "*1IINFOZV 3!", "*1IINFOZV 4!", "*1OINFOZV 1!", "*1OINFOZV 2!", "*1OINFOZV 3!",
      "*1OINFOZV 4!"}},
    {"ReadAll_HangUp",
     Operation::ReadAll,
     With({"--silent-after", "5", "--hangup-after", "6"}),
     nullptr,
     {},
     {Info(LineLost)},
     Outcome::LineLost,
     {"NZV", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 2!"}},

    // --- send-all (PRJ is command 12, 88 commands in all without faults) ---
    {"SendAll_RefusalsAreResent",
     Operation::SendAll,
     With({"--refuse-every", "30"}),
     nullptr,
     {},
     {},
     Outcome::Recovers,
     {}},
    {"SendAll_NoAnswerOkGoesOn",
     Operation::SendAll,
     With({"--error-every", "51,4"}),
     nullptr,
     {true},
     {OkCancel(NoUnitAnswer)},
     Outcome::Recovers,
     {}},
    {"SendAll_ErrorCode9IsResent",
     Operation::SendAll,
     With({"--error-every", "40,9"}),
     nullptr,
     {},
     {},
     Outcome::Recovers,
     {}},
    {"SendAll_DebugConsoleIsLeft",
     Operation::SendAll,
     Controller,
     DebugOn,
     {},
     {},
     Outcome::Recovers,
     {}},
    {"SendAll_SilenceTimeoutCancel",
     Operation::SendAll,
     With({"--silent-after", "20"}),
     nullptr,
     {false},
     {OkCancel(Timeout), Info(SendStopped)},
     Outcome::Stops,
     {}},
    {"SendAll_HangUp",
     Operation::SendAll,
     With({"--silent-after", "20", "--hangup-after", "21"}),
     nullptr,
     {},
     {Info(LineLost), Info(SendStopped)},
     Outcome::LineLost,
     {}},

    // --- auto colour balance (input status read first: 3-6; the operation: input status 7-10,
    // RGBADJ 11, the poll 12, input status 13-16) ---
    {"AutoColourBalance_DropTimeoutCancel",
     Operation::AutoColourBalance,
     Balance({"--drop-every", "11"}),
     nullptr,
     {true, true, false},
     Then(Confirmations, {OkCancel(Timeout)}),
     Outcome::Stops,
     {}},
    {"AutoColourBalance_RefusalIsResent",
     Operation::AutoColourBalance,
     Balance({"--refuse-every", "11"}),
     nullptr,
     {true, true},
     Confirmations,
     Outcome::Recovers,
     {}},
    {"AutoColourBalance_NoAnswerCancel",
     Operation::AutoColourBalance,
     Balance({"--error-every", "11,4"}),
     nullptr,
     {true, true, false},
     Then(Confirmations, {OkCancel(NoUnitAnswer)}),
     Outcome::Stops,
     {"*1IINFOZV 1!", "*1IINFOZV 2!", "*1IINFOZV 3!", "*1IINFOZV 4!", "*1RGBADJ!"}},
    {"AutoColourBalance_ErrorCode9IsResent",
     Operation::AutoColourBalance,
     Balance({"--error-every", "11,9"}),
     nullptr,
     {true, true},
     Confirmations,
     Outcome::Recovers,
     {}},
    {"AutoColourBalance_DebugConsoleIsLeft",
     Operation::AutoColourBalance,
     Balance({}),
     DebugOn,
     {true, true},
     Confirmations,
     Outcome::Recovers,
     {}},
    {"AutoColourBalance_HangUp",
     Operation::AutoColourBalance,
     Balance({"--silent-after", "10", "--hangup-after", "11"}),
     nullptr,
     {true, true},
     Then(Confirmations, {Info(LineLost)}),
     Outcome::LineLost,
     {}},

    // --- auto seam gain (AUTOSEAM 12, its read-back 13) ---
    {"AutoSeam_NoAnswerCancel",
     Operation::AutoSeam,
     With({"--error-every", "12,4"}),
     nullptr,
     {false},
     {OkCancel(NoUnitAnswer)},
     Outcome::Stops,
     {"*1AUTOSEAM 1!"}},
    {"AutoSeam_ReadBackNoAnswerIsAskedOnceMore",
     Operation::AutoSeam,
     With({"--error-every", "13,4"}),
     nullptr,
     {},
     {Info(NoUnitAnswer)},
     Outcome::Recovers,
     {"*1AUTOSEAM 1!", "*1OINFOZV 1!", "*1OINFOZV 1!"}},
    {"AutoSeam_ReadBackRefusalIsAskedAgain",
     Operation::AutoSeam,
     With({"--refuse-every", "13"}),
     nullptr,
     {},
     {},
     Outcome::Recovers,
     {"*1AUTOSEAM 1!", "*1OINFOZV 1!", "*1OINFOZV 1!"}},
    {"AutoSeam_HangUp",
     Operation::AutoSeam,
     With({"--silent-after", "11", "--hangup-after", "12"}),
     nullptr,
     {},
     {Info(LineLost)},
     Outcome::LineLost,
     {"*1AUTOSEAM 1!"}},

    // --- search: probes are not commands; "debug 0" is command 1, the read's NZV 2 ---
    {"Search_DirectUnitInItsDebugConsoleIsNotFound",
     Operation::Search,
     {"--mode", "direct", "--debug-console"},
     nullptr,
     {},
     {Info(NotDetected)},
     Outcome::NotFound,
     {}},
    {"Search_ControllerTakesTheUnitsOutOfTheDebugConsole",
     Operation::Search,
     With({"--debug-console"}),
     nullptr,
     {},
     {Info(AlignmentWarning)},
     Outcome::Recovers,
     {}},
    {"Search_NoAnswerToTheUnitCount",
     Operation::Search,
     With({"--error-every", "2,4"}),
     nullptr,
     {},
     {Info(NoUnitAnswer), Info(NotDetectedByController)},
     Outcome::Stops,
     {"debug 0", "NZV"}},
    {"Search_HangUpAfterTheControllerAnswered",
     Operation::Search,
     With({"--hangup-after", "1"}),
     nullptr,
     {},
     {Info(LineLost)},
     Outcome::LineLost,
     {"debug 0"}},
    // Probes are answered at once, every command 8.3 s late: the unit is found directly and
    // its system information times out.
    {"Search_DirectDelayTimeout",
     Operation::Search,
     {"--mode", "direct", "--delay-ms", "8300"},
     nullptr,
     {},
     {Info(Timeout),
      Info("Zelvar communication error! Please check Serial connections and try again (-1)")},
     Outcome::Stops,
     {"SYINFOZV"}},
};

// ----- Driving the window -----

class FaultMatrixTest : public ::testing::TestWithParam<FaultCase> {
protected:
    void Prepare(const FaultCase& row) {
        switch (row.Op) {
        case Operation::Search:
            ASSERT_TRUE(rig.ShowWindow());
            ASSERT_TRUE(rig.StartSimulator(row.Sim));
            break;
        case Operation::FieldSend:
        case Operation::ReadAll:
            ASSERT_TRUE(rig.Connect(row.Sim));
            break;
        case Operation::AutoColourBalance:
            ASSERT_TRUE(rig.Connect(row.Sim));
            // Without the output status the poll waits no settle time for the projectors.
            ASSERT_TRUE(rig.ReadUnits(false));
            break;
        case Operation::SendAll:
        case Operation::AutoSeam:
            ASSERT_TRUE(rig.Connect(row.Sim));
            ASSERT_TRUE(rig.ReadUnits());
            break;
        }
        line = rig.LinePath();
        switch (row.Op) {
        case Operation::FieldSend:
            rig.ShowPage(rig.Form->DisplaySetup());
            break;
        case Operation::SendAll: {
            // What the user set since the read: one value on each page the send goes through.
            ChannelSettings& channels = rig.Form->Model().Channels;
            channels.Output(1, 2).BlackLevel = 77;
            channels.Input(1, 1).RedContrast = 2.5f;
            channels.Output(1, 3).SeamGain[0] = 99;
            UpdatingControlsGuard updating(rig.Form->State());
            rig.Form->Transfer().FillPagesFromModel();
            break;
        }
        case Operation::AutoColourBalance:
            rig.ShowPage(rig.Form->SourceSetup());
            break;
        case Operation::AutoSeam:
            rig.ShowPage(rig.Form->SeamRemoval());
            break;
        case Operation::ReadAll:
        case Operation::Search:
            break;
        }
        if (row.Before != nullptr) {
            ASSERT_TRUE(rig.Link().AwaitPrompt(row.Before));
        }
        rig.Mark();
        rig.Boxes.Clear();
        for (const bool answer : row.Answers) {
            rig.Boxes.Answer(answer);
        }
    }

    void Run(Operation op) {
        switch (op) {
        case Operation::FieldSend:
            rig.TypeAndLeave(rig.Edit("BasicGammaEdit"), "3.5",
                             rig.Control<QCheckBox>("AdvanceModeCheckBox"));
            break;
        case Operation::ReadAll:
            rig.Form->MenuAction("ReadfromZelvars1")->trigger();
            break;
        case Operation::SendAll:
            rig.Form->MenuAction("SendCurrentSettingstoZelvars1")->trigger();
            break;
        case Operation::AutoColourBalance:
            QTest::mouseClick(rig.Control<QPushButton>("AutoColorBalanceButton"), Qt::LeftButton);
            break;
        case Operation::AutoSeam:
            QTest::mouseClick(rig.Control<QPushButton>("SeamAutoSingleConfigButton"),
                              Qt::LeftButton);
            break;
        case Operation::Search:
            rig.Form->MenuAction("Search1")->trigger();
            break;
        }
    }

    QString Text(const char* name) const { return rig.Control<QLineEdit>(name)->text(); }

    // What the operation leaves on the pages, in the model and in the units.
    void CheckOperation(const FaultCase& row) {
        const bool recovered = row.Expected == Outcome::Recovers;
        const ChannelSettings& model = rig.Form->Model().Channels;
        switch (row.Op) {
        case Operation::FieldSend:
            EXPECT_EQ(Text("BasicGammaEdit"), "3.5");
            EXPECT_FLOAT_EQ(model.UnitOutput(1).BasicGamma, 3.5f) << "the model keeps it";
            if (recovered) {
                EXPECT_FLOAT_EQ(rig.SimState().UnitOutput(1).BasicGamma, 3.5f);
            }
            break;
        case Operation::ReadAll:
        case Operation::Search:
            // The design overlap until the units' 256 is read into the pages.
            EXPECT_EQ(Text("OWidthEdit"), recovered ? "256" : "384");
            EXPECT_EQ(rig.Form->Model().System.ReadValid, recovered);
            break;
        case Operation::SendAll:
            EXPECT_EQ(model.Output(1, 2).BlackLevel, 77);
            EXPECT_FLOAT_EQ(model.Input(1, 1).RedContrast, 2.5f);
            EXPECT_EQ(model.Output(1, 3).SeamGain[0], 99);
            if (recovered) {
                const ChannelSettings units = rig.SimState();
                EXPECT_EQ(units.Output(1, 2).BlackLevel, 77);
                EXPECT_FLOAT_EQ(units.Input(1, 1).RedContrast, 2.5f);
                EXPECT_EQ(units.Output(1, 3).SeamGain[0], 99);
                EXPECT_EQ(rig.Sent().last(), "*1MANSEAM 3 -4 99 128 128 128 128 128 128 128!");
            }
            break;
        case Operation::AutoColourBalance:
            // Channel 1's red contrast: 0 as read, 1.5 once the unit balanced it.
            EXPECT_EQ(Text("LeftRContrastEdit"), recovered ? "1.5" : "0");
            break;
        case Operation::AutoSeam:
            EXPECT_EQ(Text("SeamGain1Edit"), recovered ? "101" : "128");
            break;
        }
    }

    PageRig rig;
    QString line;
};

TEST_P(FaultMatrixTest, RecoversOrStopsWithEachMessageOnce) {
    const FaultCase& row = GetParam();
    Prepare(row);
    if (HasFatalFailure()) {
        return;
    }
    if (row.DisconnectAfterMs > 0) {
        QTimer::singleShot(row.DisconnectAfterMs, rig.Form.get(),
                           [this] { rig.Form->MenuAction("DisconnectSerialCo1")->trigger(); });
    }
    Run(row.Op);

    // The words, each once.
    const auto& calls = rig.Boxes.Calls();
    QStringList shown;
    for (const auto& call : calls) {
        shown << call.Caption + " | " + call.Text;
    }
    QStringList expected;
    for (const Box& box : row.Boxes) {
        expected << QString::fromLatin1(box.Caption) + " | " +
                        QString::fromLatin1(box.Text).replace("%1", line);
    }
    EXPECT_EQ(shown, expected);
    for (std::size_t i = 0; i < calls.size() && i < row.Boxes.size(); ++i) {
        EXPECT_EQ(calls[i].Kind, row.Boxes[i].Kind) << "box " << i;
    }
    EXPECT_FALSE(rig.Boxes.HadUnscriptedQuestion());
    EXPECT_EQ(rig.Boxes.PendingAnswers(), 0);

    if (!row.Sent.isEmpty()) {
        EXPECT_EQ(rig.Sent(), row.Sent);
    }
    if (row.DisconnectAfterMs > 0) {
        EXPECT_GE(rig.Sent().size(), 2) << "sent again after probing the unit";
    }

    // Nothing left waiting, and the window usable again.
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FALSE(rig.Form->State().UpdatingControls);
    // Without a link the page switch rule says so where it runs (the colour balance's end).
    const bool linkUp = row.Expected == Outcome::Recovers || row.Expected == Outcome::Stops;
    EXPECT_EQ(rig.Form->StatusText(), !linkUp && row.Op == Operation::AutoColourBalance
                                          ? "Note: No Zelvar communication established yet."
                                          : "");
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(rig.Link().ExchangeWaiting());
    EXPECT_FALSE(rig.Link().Timer1().isActive());

    EXPECT_EQ(rig.Link().Connected(), linkUp);
    EXPECT_EQ(rig.Form->Port().IsOpen(), linkUp);
    EXPECT_EQ(rig.Form->MenuAction("ReadfromZelvars1")->isEnabled(), linkUp);

    CheckOperation(row);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrixTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
} // namespace tarvel
