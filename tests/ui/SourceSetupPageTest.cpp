// The Source Setup page against zelvar-sim: the fill with and without video lock, the
// position limits, every field's bad input, the arrows, the configuration buttons and the
// automatic colour balance, checked on the page and on what reached the simulated units.

#include "PageRig.h"

#include "ui/ChannelSelectGroup.h"
#include "ui/SpinButtons.h"
#include "ui/TInfoForm.h"
#include "ui/pages/SourceSetupPage.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::PageRig;

const QString NoLock = "NOTE: No video lock on this channel. Cannot adjust controls.";

class SourceSetupPageTest : public ::testing::Test {
protected:
    // Connected, the units read, the Source Setup page active.
    void Open(std::vector<std::string> options) {
        ASSERT_TRUE(rig.Connect(std::move(options)));
        ASSERT_TRUE(rig.ReadUnits());
        rig.ShowPage(Page());
        rig.Mark();
    }
    SourceSetupPage& Page() const { return rig.Form->SourceSetup(); }
    QLineEdit* Edit(const QString& stem) const { return rig.Edit(stem + "Edit"); }
    QString Text(const QString& stem) const { return Edit(stem)->text(); }
    QString Label(const char* name) const { return rig.Control<QLabel>(name)->text(); }
    QWidget* Other() const { return rig.Control<QPushButton>("SaveConfigButton"); }
    void Click(const char* button) const {
        QTest::mouseClick(rig.Control<QPushButton>(button), Qt::LeftButton);
    }
    void Arrow(const QString& stem, bool up) const {
        auto* spin = rig.Control<SpinButtons>(stem + "UpDown");
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
    void ClickChannel(int channel) const {
        QRadioButton* item = rig.Control<QRadioButton>(
            QStringLiteral("SourceScreenSelect%1RadioButton").arg(channel));
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
    }
    QStringList ColourTexts() const {
        QStringList texts;
        for (const char* stem :
             {"LeftOContrast", "LeftOBrightness", "LeftRContrast", "LeftRBrightness",
              "LeftGContrast", "LeftGBrightness", "LeftBContrast", "LeftBBrightness"}) {
            texts << Text(stem);
        }
        return texts;
    }

    mutable PageRig rig;
};

// --- the fill ------------------------------------------------------------------------------

TEST_F(SourceSetupPageTest, Channel5ShowsAndSendsUnit2Channel1) {
    Open({"--mode", "controller", "--units", "2"});
    rig.Form->Model().Channels.Input(2, 1).Phase = 7; // only unit 2 channel 1 holds this
    rig.Form->Model().Channels.Input(2, 1).HPosition = 300;

    ClickChannel(5);
    EXPECT_EQ(Page().SelectedChannel(), 5);
    EXPECT_EQ(Text("Phase"), "7");
    EXPECT_EQ(Text("HPosition"), "300");
    EXPECT_EQ(Text("VPosition"), "38");
    EXPECT_EQ(rig.Edit("HTotalEdit")->text(), "1688");
    EXPECT_FALSE(rig.Edit("HTotalEdit")->isEnabled());
    EXPECT_EQ(Label("SourceVideoLoadedLabel"), "True");
    EXPECT_EQ(Label("SourceVideoLockedLabel"), "True");
    EXPECT_EQ(ColourTexts(), QStringList({"100", "100", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rig.Form->StatusText(), "");
    EXPECT_TRUE(rig.Sent().isEmpty()) << "a channel change only fills";

    rig.TypeAndLeave(Edit("Phase"), "5", Other());
    rig.TypeAndLeave(Edit("HPosition"), "301", Other());
    rig.TypeAndLeave(Edit("VPosition"), "40", Other());
    rig.TypeAndLeave(Edit("LeftRContrast"), "1.5", Other());
    rig.TypeAndLeave(Edit("LeftOBrightness"), "99.5", Other());
    EXPECT_EQ(rig.Sent(),
              QStringList({"*2ICPHOZV 1 M 5!", "*2IRSPZV 1 M H 301!", "*2IRSPZV 1 M V 40!",
                           "*2ICNTZV 1 R  1.5!", "*2IBRTZV 1 C 99.5!"}));
    const InputSettings& stored = rig.Form->Model().Channels.Input(2, 1);
    EXPECT_EQ(stored.Phase, 5);
    EXPECT_EQ(stored.HPosition, 301);
    EXPECT_EQ(stored.VPosition, 40);
    EXPECT_FLOAT_EQ(stored.RedContrast, 1.5f);
    EXPECT_FLOAT_EQ(stored.OverallBrightness, 99.5f);
    EXPECT_EQ(rig.Form->Model().Channels.Input(1, 1).Phase, 16) << "unit 1 untouched";
    EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();
}

TEST_F(SourceSetupPageTest, AChannelWithoutLockShowsNAButStillTakesItsPhase) {
    Open({"--mode", "controller", "--no-video", "2"});
    ClickChannel(2);

    for (const char* stem : {"HPosition", "VPosition"}) {
        EXPECT_EQ(Text(stem), "N/A") << stem;
        EXPECT_FALSE(Edit(stem)->isEnabled()) << stem;
        EXPECT_FALSE(rig.Control<SpinButtons>(QString(stem) + "UpDown")->isEnabled()) << stem;
    }
    EXPECT_EQ(rig.Edit("HTotalEdit")->text(), "N/A");
    EXPECT_EQ(ColourTexts(), QStringList(8, "N/A"));
    EXPECT_FALSE(rig.Control<QGroupBox>("LeftSideGroupBox")->isEnabled());
    EXPECT_FALSE(rig.Control<QPushButton>("AutoColorBalanceButton")->isEnabled());
    EXPECT_EQ(Label("SourceVideoLoadedLabel"), "False");
    EXPECT_EQ(Label("SourceVideoLockedLabel"), "False");
    EXPECT_EQ(rig.Form->StatusText(), NoLock);
    EXPECT_EQ(Text("Phase"), "16");
    EXPECT_TRUE(Edit("Phase")->isEnabled());

    // Enter in the phase: the H position cannot take the focus, the channel selector does,
    // and the phase is committed on the way.
    rig.Type(Edit("Phase"), "3");
    QTest::keyClick(Edit("Phase"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(),
              rig.Control<QRadioButton>("SourceScreenSelect2RadioButton"));
    EXPECT_EQ(rig.Sent(), QStringList({"*1ICPHOZV 2 M 3!"}));

    // Back to a locked channel: everything usable again, the note gone.
    ClickChannel(1);
    EXPECT_EQ(Text("HPosition"), "352");
    EXPECT_TRUE(Edit("HPosition")->isEnabled());
    EXPECT_TRUE(rig.Control<QGroupBox>("LeftSideGroupBox")->isEnabled());
    EXPECT_TRUE(rig.Control<QPushButton>("AutoColorBalanceButton")->isEnabled());
    EXPECT_EQ(rig.Form->StatusText(), "");
}

TEST_F(SourceSetupPageTest, EnterWalksTheFieldsInTheirChains) {
    Open({"--mode", "controller"});
    const char* const chain[][2] = {
        {"HPosition", "VPosition"},
        {"VPosition", "Phase"},
        {"Phase", "HPosition"},
        {"LeftOContrast", "LeftOBrightness"},
        {"LeftOBrightness", "LeftRContrast"},
        {"LeftRContrast", "LeftRBrightness"},
        {"LeftRBrightness", "LeftGContrast"},
        {"LeftGContrast", "LeftGBrightness"},
        {"LeftGBrightness", "LeftBContrast"},
        {"LeftBContrast", "LeftBBrightness"},
        {"LeftBBrightness", "LeftOContrast"},
    };
    for (const auto& link : chain) {
        rig.Type(Edit(link[0]), QString(link[0]) == "Phase" ? "3" : Text(link[0]));
        QTest::keyClick(Edit(link[0]), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), Edit(link[1])) << link[0];
    }
    // Each Enter committed the field it left: every value went again.
    EXPECT_EQ(rig.Sent().size(), 11);
}

// --- position limits -----------------------------------------------------------------------

struct LimitCase {
    std::int32_t HCentre, HLimit, HTotal, HActive, VCentre, VLimit;
    std::int64_t HMin, HMax, VMin, VMax;
};

TEST_F(SourceSetupPageTest, PositionLimitsFollowTheRecordAtEveryFill) {
    ASSERT_TRUE(rig.ShowWindow());
    rig.ShowPage(Page());
    const LimitCase cases[] = {
        {100, -1, 1344, 1024, 20, 30, -28, 228, 4, 29},
        {100, -1, 1200, 1024, 20, -1, -28, 173, 4, 36},
        {100, 200, 1344, 1024, 20, 30, -28, 199, 4, 29},
        {0, 0, 0, 0, 0, 0, -128, -1, -16, -1}, // an all-zero record, before any read
    };
    for (const LimitCase& c : cases) {
        InputSettings& input = rig.Form->Model().Channels.Input(1, 3);
        input = InputSettings{};
        input.HPositionCentre = c.HCentre;
        input.HPositionLimit = c.HLimit;
        input.HTotal = c.HTotal;
        input.HActive = c.HActive;
        input.VPositionCentre = c.VCentre;
        input.VPositionLimit = c.VLimit;
        Page().SelectChannel(3);
        EXPECT_EQ(Page().HPositionMin(), c.HMin) << c.HTotal << " " << c.HLimit;
        EXPECT_EQ(Page().HPositionMax(), c.HMax) << c.HTotal << " " << c.HLimit;
        EXPECT_EQ(Page().VPositionMin(), c.VMin) << c.VLimit;
        EXPECT_EQ(Page().VPositionMax(), c.VMax) << c.VLimit;
    }
    // All zero means no lock, but the limits hold for the next lock all the same; with the
    // lock the H message names them.
    Page().SetUsable(true); // as with a link
    rig.Form->Model().Channels.Input(1, 3).VideoLocked = 1;
    rig.Form->Model().Channels.Input(1, 3).HPositionCentre = 100;
    rig.Form->Model().Channels.Input(1, 3).HPositionLimit = 200;
    Page().SelectChannel(3);
    rig.TypeAndLeave(Edit("HPosition"), "200", Other());
    rig.TypeAndLeave(Edit("HPosition"), "-29", Other());
    rig.TypeAndLeave(Edit("VPosition"), "0", Other());
    EXPECT_EQ(rig.Boxes.Texts(), QStringList({"Error! H Position value out of bounds! (-28 - 199)",
                                              "Error! H Position value out of bounds! (-28 - 199)",
                                              "Error! V Position value out of bounds! "}));
}

// --- bad input -----------------------------------------------------------------------------

struct BadInput {
    const char* Stem;
    const char* Text;
    const char* Message;
    const char* After; // the edit's text after the message: kept, or refilled from the model
};

// Every field kind of the page with the texts that must not go out: letters, nothing, a lone
// sign, "nan", a value just outside each bound and a 30-digit number. Each shows its message
// and keeps the focus in the field; out-of-bounds values refill the page from the model.
TEST_F(SourceSetupPageTest, BadTextsShowTheFieldsMessageKeepTheFocusAndSendNothing) {
    Open({"--mode", "controller"});
    const char* const thirty = "123456789012345678901234567890";
    const BadInput cases[] = {
        {"HPosition", "abc", "Error! 'abc' is not a valid H Position Value.", "abc"},
        {"HPosition", "", "Error! '' is not a valid H Position Value.", ""},
        {"HPosition", "-", "Error! '-' is not a valid H Position Value.", "-"},
        {"HPosition", "nan", "Error! 'nan' is not a valid H Position Value.", "nan"},
        {"HPosition", "231", "Error! H Position value out of bounds! (232 - 488)", "352"},
        {"HPosition", "489", "Error! H Position value out of bounds! (232 - 488)", "352"},
        {"HPosition", thirty,
         "Error! '123456789012345678901234567890' is not a valid H Position Value.", thirty},
        {"VPosition", "x1", "Error! 'x1' is not a valid V Position Value.", "x1"},
        {"VPosition", "+", "Error! '+' is not a valid V Position Value.", "+"},
        {"VPosition", "24", "Error! V Position value out of bounds! ", "38"},
        {"VPosition", "58", "Error! V Position value out of bounds! ", "38"},
        {"Phase", "", "Error! '' is not a valid Phase Value.", ""},
        {"Phase", "2.5", "Error! '2.5' is not a valid Phase Value.", "2.5"},
        {"Phase", "-17", "Error! Phase Offset value out of bounds! (-16 - +15)", "16"},
        {"Phase", "16", "Error! Phase Offset value out of bounds! (-16 - +15)", "16"},
        {"LeftOContrast", "abc", "Error! 'abc' is not a valid Contrast Level.", "abc"},
        {"LeftOContrast", "nan", "Error! 'nan' is not a valid Contrast Level.", "nan"},
        {"LeftOContrast", "-", "Error! '-' is not a valid Contrast Level.", "-"},
        {"LeftOContrast", "74.9", "Error! Value out of bounds! (75 - 125)", "100"},
        {"LeftOContrast", "125.1", "Error! Value out of bounds! (75 - 125)", "100"},
        {"LeftOContrast", thirty, "Error! Value out of bounds! (75 - 125)", "100"},
        {"LeftOBrightness", "", "Error! '' is not a valid Brightness Level.", ""},
        {"LeftBBrightness", "inf", "Error! 'inf' is not a valid Brightness Level.", "inf"},
        {"LeftBBrightness", "-25.1", "Error! Value out of bounds! (-25 - +25)", "0"},
        {"LeftBBrightness", "25.1", "Error! Value out of bounds! (-25 - +25)", "0"},
        {"LeftGContrast", "1,5", "Error! '1,5' is not a valid Contrast Level.", "1,5"},
    };
    for (const BadInput& c : cases) {
        rig.Boxes.Clear();
        rig.Mark();
        // The program's own text, so the keyboard limit of the V position and the phase does
        // not cut the long number.
        QLineEdit* edit = Edit(c.Stem);
        rig.Type(edit, "");
        edit->setText(c.Text);
        rig.Leave(Other());
        EXPECT_EQ(rig.Boxes.Texts(), QStringList({c.Message})) << c.Stem << " " << c.Text;
        EXPECT_EQ(QApplication::focusWidget(), edit) << c.Stem << " " << c.Text;
        EXPECT_EQ(edit->text(), c.After) << c.Stem << " " << c.Text;
        EXPECT_TRUE(rig.Sent().isEmpty()) << c.Stem << " " << c.Text;
        Page().FillSourcePage(); // valid again, and left
        rig.Leave(Other());
    }
    EXPECT_EQ(rig.Form->Model().Channels.Input(1, 1).HPosition, 352);
    EXPECT_FLOAT_EQ(rig.Form->Model().Channels.Input(1, 1).OverallContrast, 100.0f);

    // A bounds error refills the whole page, a text typed elsewhere and never left included.
    rig.Type(Edit("LeftRContrast"), "7.5");
    rig.TypeAndLeave(Edit("Phase"), "-17", Other());
    EXPECT_EQ(Text("LeftRContrast"), "0");
    EXPECT_EQ(QApplication::focusWidget(), Edit("Phase"));
}

// --- arrows --------------------------------------------------------------------------------

TEST_F(SourceSetupPageTest, ArrowsStopAtTheBoundsAndReportBadTexts) {
    Open({"--mode", "controller"});
    rig.Type(Edit("Phase"), "15");
    Arrow("Phase", true);
    rig.Type(Edit("Phase"), "-16");
    Arrow("Phase", false);
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_EQ(Text("Phase"), "-16");
    Arrow("Phase", true);
    EXPECT_EQ(Text("Phase"), "-15");
    EXPECT_EQ(rig.Sent(), QStringList({"*1ICPHOZV 1 M -15!"}));
    rig.Mark();

    // Position and phase report their own message and take the focus; colours the standard
    // conversion text. Busy is free again each time.
    rig.Leave(Other());
    rig.Mark();
    rig.Boxes.Clear();
    Edit("HPosition")->setText("left");
    Arrow("HPosition", true);
    EXPECT_EQ(QApplication::focusWidget(), Edit("HPosition"));
    Edit("LeftGBrightness")->setText("up");
    Arrow("LeftGBrightness", false);
    EXPECT_EQ(rig.Boxes.Texts(), QStringList({"Error! 'left' is not a valid H Position Value.",
                                              "'up' is not a valid floating point value"}));
    EXPECT_EQ(rig.Form->State().Busy, 0);

    // A real field steps by 0.1 on the exact value and shows one decimal.
    rig.Type(Edit("LeftGBrightness"), "2.25");
    rig.Mark();
    Arrow("LeftGBrightness", true);
    EXPECT_EQ(Text("LeftGBrightness"), "2.4");
    EXPECT_EQ(rig.Sent(), QStringList({"*1IBRTZV 1 G  2.4!"}));
}

// --- buttons -------------------------------------------------------------------------------

TEST_F(SourceSetupPageTest, SaveConfigStoresTheSelectedChannelAndAllChannelsGoUnitByUnit) {
    Open({"--mode", "controller", "--units", "2"});
    ClickChannel(6);
    rig.Form->State().Busy = 1; // another action under way: the buttons do nothing
    Click("SaveConfigButton");
    Click("SaveAllConfigButton");
    Click("AutoConfigButton");
    Click("AutoColorBalanceButton");
    rig.Form->State().Busy = 0;
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_TRUE(rig.Boxes.Calls().empty());

    Click("SaveConfigButton");
    EXPECT_EQ(rig.Sent(), QStringList({"*2ICSAVZV 2!"}));
    rig.Mark();
    Click("SaveAllConfigButton");
    EXPECT_EQ(rig.Sent(),
              QStringList({"*1ICSAVZV 1!", "*1ICSAVZV 2!", "*1ICSAVZV 3!", "*1ICSAVZV 4!",
                           "*2ICSAVZV 1!", "*2ICSAVZV 2!", "*2ICSAVZV 3!", "*2ICSAVZV 4!"}));
    rig.Mark();
    rig.Form->Model().System.UnitCount = 1;
    Click("SaveAllConfigButton");
    EXPECT_EQ(rig.Sent(),
              QStringList({"*1ICSAVZV 1!", "*1ICSAVZV 2!", "*1ICSAVZV 3!", "*1ICSAVZV 4!"}));
    EXPECT_TRUE(rig.Boxes.Calls().empty());
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

TEST_F(SourceSetupPageTest, ResetConfigAsksThenResetsAndShowsWhatTheUnitReports) {
    Open({"--mode", "controller", "--units", "2"});
    ClickChannel(6);
    rig.TypeAndLeave(Edit("Phase"), "4", Other());
    rig.Mark();

    rig.Boxes.Answer(false);
    Click("AutoConfigButton");
    ASSERT_EQ(rig.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.Boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(rig.Boxes.Calls()[0].Caption, "Tarvel - Input Config Reset Verification");
    EXPECT_EQ(rig.Boxes.Calls()[0].Text,
              "Resetting Input Configuration will reset input settings for the current channel "
              "to default values. Are you sure you want to reset the Input Configuration?");
    EXPECT_TRUE(rig.Sent().isEmpty()) << "No: nothing sent";

    rig.Boxes.Answer(true);
    Click("AutoConfigButton");
    EXPECT_EQ(rig.Sent(), QStringList({"*2ICRSTZV 2!", "*2IINFOZV 1!", "*2IINFOZV 2!",
                                       "*2IINFOZV 3!", "*2IINFOZV 4!"}));
    EXPECT_EQ(Text("Phase"), "16") << "the unit's reset value, read back";
    EXPECT_EQ(rig.Form->Model().Channels.Input(2, 2).Phase, 16);
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FALSE(rig.Form->State().UpdatingControls);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// --- automatic colour balance --------------------------------------------------------------

const QString BalanceCaption = "Tarvel - Confirm Auto Color Balance";
const QString BalanceFirst =
    "Automatic Color Balance takes several minutes to complete. Are you sure you want to run "
    "Automatic Color Balance? Click OK to continue.";
const QString BalanceSecond =
    "IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on Kindrel(Horizontal "
    "Ramp on Controller) before running. Click OK to start Automatic RGB Color Adjustment.";

TEST_F(SourceSetupPageTest, DecliningEitherColourBalanceQuestionSendsNothing) {
    Open({"--mode", "controller"});
    for (const bool firstAnswer : {false, true}) {
        rig.Boxes.Clear();
        rig.Boxes.Answer(firstAnswer);
        rig.Boxes.Answer(false);
        rig.Form->SetStatusText("before");
        Click("AutoColorBalanceButton");
        const auto& calls = rig.Boxes.Calls();
        ASSERT_EQ(calls.size(), firstAnswer ? 2u : 1u);
        EXPECT_EQ(calls[0].Kind, MessageKind::OkCancel);
        EXPECT_EQ(calls[0].Caption, BalanceCaption);
        EXPECT_EQ(calls[0].Text, BalanceFirst);
        if (firstAnswer) {
            EXPECT_EQ(calls[1].Caption, BalanceCaption);
            EXPECT_EQ(calls[1].Text, BalanceSecond);
        }
        EXPECT_TRUE(rig.Sent().isEmpty());
        EXPECT_EQ(rig.Form->State().Busy, 0);
        EXPECT_EQ(rig.Form->StatusText(), "") << "the page switch rule refilled the page";
        EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    }
}

// Two units behind the controller, each busy for a moment: the controller's "no answer"
// replies to the polls are retried after the long pause without a message, and each unit's
// input status is read again and shown.
TEST_F(SourceSetupPageTest, AutoColourBalanceRunsUnitAfterUnitBehindTheProgressWindow) {
    // Input status only, so the polls wait no extra settle for the projectors.
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2", "--auto-ms", "150"}));
    ASSERT_TRUE(rig.ReadUnits(false));
    rig.ShowPage(Page());
    rig.Mark();
    QStringList progressAtStart;
    QObject::connect(&rig.Form->Port(), &SerialPort::Written, [&](const QByteArray& bytes) {
        if (bytes.contains("RGBADJ")) {
            progressAtStart << (rig.Form->InfoForm().isVisible() ? rig.Form->InfoForm().Text()
                                                                 : QString("hidden"));
        }
    });
    rig.Boxes.Answer(true);
    rig.Boxes.Answer(true);
    Click("AutoColorBalanceButton");

    EXPECT_EQ(rig.Boxes.Texts(), QStringList({BalanceFirst, BalanceSecond}));
    EXPECT_EQ(progressAtStart, QStringList({"Auto Color Balance in progress. Please wait....",
                                            "Auto Color Balance in progress. Please wait...."}));
    const QStringList sent = rig.Sent();
    const QStringList unit1Reads = {"*1IINFOZV 1!", "*1IINFOZV 2!", "*1IINFOZV 3!", "*1IINFOZV 4!"};
    const QStringList unit2Reads = {"*2IINFOZV 1!", "*2IINFOZV 2!", "*2IINFOZV 3!", "*2IINFOZV 4!"};
    QStringList expected = unit1Reads;
    expected << "*1RGBADJ!"
             << "*1 !"
             << "*1 !" << unit1Reads << unit2Reads << "*2RGBADJ!"
             << "*2 !"
             << "*2 !" << unit2Reads;
    EXPECT_EQ(sent, expected);

    // Channel 1 shows what the unit's balance made of it.
    EXPECT_EQ(ColourTexts(), QStringList({"100", "100", "1.5", "-1", "-0.5", "0.5", "0.5", "1"}));
    ClickChannel(5);
    EXPECT_EQ(Text("LeftRContrast"), "1.5");
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_TRUE(Page().Usable());
}

TEST_F(SourceSetupPageTest, NoVideoOnChannel1StopsTheBalanceAfterTheStatusQueries) {
    Open({"--mode", "direct", "--no-video", "1", "--auto-ms", "50"});
    bool progressShown = false;
    rig.Boxes.OnShow([&](const ScriptedMessageBoxes::Call& call) {
        if (call.Kind == MessageKind::Information) {
            progressShown =
                rig.Form->InfoForm().isVisible() &&
                rig.Form->InfoForm().Text() == "Auto Color Balance in progress. Please wait....";
        }
    });
    ClickChannel(2); // a channel with lock: the button is usable
    rig.Mark();
    rig.Boxes.Answer(true);
    rig.Boxes.Answer(true);
    Click("AutoColorBalanceButton");

    EXPECT_EQ(rig.Sent(), QStringList({"IINFOZV 1", "IINFOZV 2", "IINFOZV 3", "IINFOZV 4"}));
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList({BalanceFirst, BalanceSecond,
                           "Error! Zelvar detect no input on input channel 1. Auto Color "
                           "Balance aborted."}));
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_EQ(Text("HPosition"), "352") << "channel 2, refilled";
    EXPECT_TRUE(rig.Control<QPushButton>("AutoColorBalanceButton")->isEnabled());
}

TEST_F(SourceSetupPageTest, TheHiddenAutomaticButtonsAskOnceAndRunTheirOperation) {
    Open({"--mode", "direct", "--auto-ms", "20"});
    auto* position = rig.Control<QPushButton>("AutoPositionButton");
    auto* phase = rig.Control<QPushButton>("AutoPhaseButton");
    EXPECT_FALSE(position->isVisible());
    EXPECT_FALSE(phase->isVisible());
    EXPECT_EQ(position->text(), "Auto Position (All Channels)");
    EXPECT_EQ(phase->text(), "Auto Phase (All Channels)");

    rig.Boxes.Answer(false);
    Page().AutoPhaseButtonClick();
    rig.Boxes.Answer(true);
    Page().AutoPositionButtonClick();
    ASSERT_EQ(rig.Boxes.Calls().size(), 2u);
    EXPECT_EQ(rig.Boxes.Calls()[0].Caption, "Tarvel - Confirm Auto Phase Calibration");
    EXPECT_EQ(rig.Boxes.Calls()[0].Text,
              "IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on "
              "Kindrel(Horizontal Ramp on Controller) and Raster Box is enabled before running. "
              "Click OK to start Automatic Phase Calibration.");
    EXPECT_EQ(rig.Boxes.Calls()[1].Caption, "Tarvel - Confirm Auto Input Position");
    EXPECT_EQ(rig.Boxes.Calls()[1].Text,
              "IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on "
              "Kindrel(Horizontal Ramp on Controller) and Raster Box is enabled before running. "
              "Click OK to start Automatic Input Position Adjustment.");
    EXPECT_EQ(rig.Sent(),
              QStringList({"AUTOPOS", "IINFOZV 1", "IINFOZV 2", "IINFOZV 3", "IINFOZV 4"}));
    EXPECT_EQ(Text("HPosition"), "360") << "moved to the centre by the unit";
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// --- the page switch and the projector count ---------------------------------------------

TEST_F(SourceSetupPageTest, ThePageIsUsableOnlyWithALinkAndTheCountSetsTheItems) {
    ASSERT_TRUE(rig.ShowWindow());
    rig.ShowPage(Page());
    for (const char* name :
         {"SourceScreenSelectRadioGroup", "InputAlignmentGroupBox", "SourceColorBalanceGroupBox"}) {
        EXPECT_FALSE(rig.Control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_EQ(rig.Form->StatusText(), "Note: No Zelvar communication established yet.");

    Page().SetChannelCount(8);
    Page().SelectChannel(4);
    Page().SelectChannel(9); // not listed: nothing changes
    EXPECT_EQ(Page().SelectedChannel(), 4);
    Page().SetChannelCount(3);
    auto* group = rig.Control<ChannelSelectGroup>("SourceScreenSelectRadioGroup");
    EXPECT_EQ(group->title(), "Channel Select");
    EXPECT_EQ(group->ItemIndex(), 0);
    for (int i = 0; i < ChannelSelectGroup::ItemCount; ++i) {
        EXPECT_EQ(group->Item(i)->isVisible(), i < 3) << i;
        EXPECT_EQ(group->Item(i)->text(), QString::number(i + 1));
    }
}

} // namespace
} // namespace tarvel
