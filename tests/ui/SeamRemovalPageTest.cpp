// The Seam Removal page against zelvar-sim: the gains of the selected screen, their bad input
// and arrows, the reset, the automatic seam gain, the bridge box and threshold with their
// Display Setup twins, checked on the page and on what reached the simulated units.

#include "PageRig.h"

#include "ui/ChannelSelectGroup.h"
#include "ui/SpinButtons.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/SeamRemovalPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::PageRig;

QString Manual(int unit, int channel, const QStringList& gains) {
    return QStringLiteral("*%1MANSEAM %2 -4 %3!").arg(unit).arg(channel).arg(gains.join(' '));
}

class SeamRemovalPageTest : public ::testing::Test {
protected:
    // Connected, the units read, the Seam Removal page shown and active.
    void Open(std::vector<std::string> options) {
        ASSERT_TRUE(rig.Connect(std::move(options)));
        ASSERT_TRUE(rig.ReadUnits());
        rig.ShowPage(Page());
        rig.Mark();
    }
    SeamRemovalPage& Page() const { return rig.Form->SeamRemoval(); }
    QLineEdit* Gain(int k) const { return rig.Edit(QStringLiteral("SeamGain%1Edit").arg(k)); }
    QLineEdit* Threshold() const { return rig.Edit("BridgeThresholdEdit"); }
    QStringList Gains() const {
        QStringList texts;
        for (int k = 1; k <= 8; ++k) {
            texts << Gain(k)->text();
        }
        return texts;
    }
    QWidget* Other() const { return rig.Control<QPushButton>("SeamAutoAllConfigButton"); }
    QCheckBox* Enable() const { return rig.Control<QCheckBox>("SeamBridgeAllConfigCheckBox"); }
    void Click(const char* button) const {
        QTest::mouseClick(rig.Control<QAbstractButton>(button), Qt::LeftButton, {}, QPoint(6, 8));
    }
    void Arrow(const QString& stem, bool up) const {
        auto* spin = rig.Control<SpinButtons>(stem + "UpDown");
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
    void ClickScreen(int screen) const {
        QRadioButton* item =
            rig.Control<QRadioButton>(QStringLiteral("SeamScreenSelect%1RadioButton").arg(screen));
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
    }
    // The Display Setup twin of the Enable box, once that page lays it out.
    QCheckBox* TwinBox() const {
        return rig.Form->findChild<QCheckBox*>("DisplaySetupSeamBridgeAllConfigCheckBox");
    }

    mutable PageRig rig;
};

const QStringList All128(8, "128");

// --- gains ---------------------------------------------------------------------------------

TEST_F(SeamRemovalPageTest, Screen6ShowsAndSendsTheGainsOfUnit2Channel2) {
    Open({"--mode", "controller", "--units", "2"});
    rig.Form->Model().Channels.Output(2, 2).SeamGain[6] = 77; // only unit 2 channel 2
    ClickScreen(6);
    EXPECT_EQ(Page().SelectedChannel(), 6);
    EXPECT_EQ(Gains(), QStringList({"128", "128", "128", "128", "128", "128", "77", "128"}));
    EXPECT_EQ(Threshold()->text(), "24");
    EXPECT_TRUE(rig.Sent().isEmpty()) << "a screen change only fills";

    rig.TypeAndLeave(Gain(3), "200", Other());
    EXPECT_EQ(rig.Sent(),
              QStringList({Manual(2, 2, {"128", "128", "200", "128", "128", "128", "77", "128"})}));
    const OutputSettings& stored = rig.Form->Model().Channels.Output(2, 2);
    EXPECT_EQ(stored.SeamGain[2], 200);
    EXPECT_EQ(stored.SeamMode, -4);
    EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();

    // The captions beside the fields, and the divider.
    QStringList captions;
    for (const QLabel* label : rig.Control<QGroupBox>("SeamGroupBox")->findChildren<QLabel*>()) {
        captions << label->text();
    }
    EXPECT_EQ(captions, QStringList({"Gain -4", "Gain -3", "Gain -2", "Gain -1", "Gain +1",
                                     "Gain +2", "Gain +3", "Gain +4", "Seam"}));
}

TEST_F(SeamRemovalPageTest, EnterGoesThroughTheGainsToTheThresholdAndBack) {
    Open({"--mode", "controller"});
    for (int k = 1; k <= 8; ++k) {
        rig.Type(Gain(k), "128");
        QTest::keyClick(Gain(k), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), k < 8 ? Gain(k + 1) : Threshold()) << k;
    }
    QTest::keyClick(Threshold(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Gain(1));
    QStringList expected(8, Manual(1, 1, All128));
    expected << "*1BRTHRS 24!";
    EXPECT_EQ(rig.Sent(), expected);
}

TEST_F(SeamRemovalPageTest, AGainOutOfBoundsRestoresTheStoredGainsAndSendsNothing) {
    Open({"--mode", "controller"});
    rig.Type(Gain(2), "7"); // typed, never left
    rig.Type(Gain(4), "300");
    rig.Leave(Other());
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList({"Error! Seam Position value out of bounds! (0 - 255)"}));
    EXPECT_EQ(Gains(), All128);
    EXPECT_EQ(QApplication::focusWidget(), Gain(4));
    EXPECT_TRUE(rig.Sent().isEmpty());
}

TEST_F(SeamRemovalPageTest, AnotherGainThatHoldsNoGainIsNamedAndNothingIsSent) {
    Open({"--mode", "controller"});
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"abc", "Error! Seam gains not sent. Gain -3 holds 'abc', which is not a valid Seam Gain "
                "Value (0 - 255)."},
        {"300", "Error! Seam gains not sent. Gain -3 holds '300', which is not a valid Seam Gain "
                "Value (0 - 255)."},
        {"", "Error! Seam gains not sent. Gain -3 holds '', which is not a valid Seam Gain Value "
             "(0 - 255)."},
    };
    for (const auto& c : cases) {
        rig.Boxes.Clear();
        rig.Type(Gain(2), c.Text);
        rig.TypeAndLeave(Gain(5), "9", Other());
        EXPECT_EQ(rig.Boxes.Texts(), QStringList({c.Message})) << c.Text;
        EXPECT_TRUE(rig.Sent().isEmpty()) << c.Text;
    }
    EXPECT_EQ(rig.Form->Model().Channels.Output(1, 1).SeamGain[4], 128) << "model unchanged";
}

struct BadInput {
    const char* Text;
    const char* Message; // empty: no message
    bool Restored;       // the model's value is shown again
};

// Each field kind with the texts that must not go out; the focus stays in the field.
TEST_F(SeamRemovalPageTest, BadTextsShowTheFieldsMessageKeepTheFocusAndSendNothing) {
    Open({"--mode", "controller"});
    const char* const thirty = "123456789012345678901234567890";
    const struct {
        const char* Stem;
        BadInput Input;
    } cases[] = {
        {"SeamGain3", {"abc", "Error! 'abc' is not a valid Seam Gain Value.", false}},
        {"SeamGain3", {"", "Error! '' is not a valid Seam Gain Value.", false}},
        {"SeamGain3", {"-", "Error! '-' is not a valid Seam Gain Value.", false}},
        {"SeamGain3", {"nan", "Error! 'nan' is not a valid Seam Gain Value.", false}},
        {"SeamGain3", {"-1", "Error! Seam Position value out of bounds! (0 - 255)", true}},
        {"SeamGain3", {"256", "Error! Seam Position value out of bounds! (0 - 255)", true}},
        {"SeamGain3",
         {thirty, "Error! '123456789012345678901234567890' is not a valid Seam Gain Value.",
          false}},
        {"BridgeThreshold", {"abc", "Error! 'abc' is not a valid Bridge Threshold value.", false}},
        {"BridgeThreshold", {"+", "Error! '+' is not a valid Bridge Threshold value.", false}},
        {"BridgeThreshold", {"nan", "Error! 'nan' is not a valid Bridge Threshold value.", false}},
        {"BridgeThreshold", {"-1", "Error! Bridge Threshold value out of bounds! (0 - 255)", true}},
        {"BridgeThreshold",
         {"256", "Error! Bridge Threshold value out of bounds! (0 - 255)", true}},
        {"BridgeThreshold",
         {thirty, "Error! '123456789012345678901234567890' is not a valid Bridge Threshold value.",
          false}},
    };
    for (const auto& c : cases) {
        rig.Boxes.Clear();
        rig.Mark();
        QLineEdit* edit = rig.Edit(QString(c.Stem) + "Edit");
        rig.Type(edit, "");
        edit->setText(c.Input.Text); // past the keyboard limit of four characters
        rig.Leave(Other());
        EXPECT_EQ(rig.Boxes.Texts(), QStringList({c.Input.Message}))
            << c.Stem << " " << c.Input.Text;
        EXPECT_EQ(QApplication::focusWidget(), edit) << c.Stem << " " << c.Input.Text;
        const QString model = QString(c.Stem) == "BridgeThreshold" ? "24" : "128";
        EXPECT_EQ(edit->text(), c.Input.Restored ? model : QString(c.Input.Text))
            << c.Stem << " " << c.Input.Text;
        EXPECT_TRUE(rig.Sent().isEmpty()) << c.Stem << " " << c.Input.Text;
        Page().FillSeamPage(); // valid again, and left
        rig.Leave(Other());
    }

    // An empty threshold is no error: nothing is said, nothing sent, the focus moves on.
    rig.Boxes.Clear();
    rig.Mark();
    rig.TypeAndLeave(Threshold(), "", Other());
    EXPECT_TRUE(rig.Boxes.Calls().empty());
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Other());
}

TEST_F(SeamRemovalPageTest, ArrowsStopAtTheBoundsAndAnEmptyThresholdStepsFrom16) {
    Open({"--mode", "controller"});
    rig.Type(Gain(1), "255");
    Arrow("SeamGain1", true);
    rig.Type(Gain(1), "0");
    Arrow("SeamGain1", false);
    EXPECT_TRUE(rig.Sent().isEmpty());
    rig.Type(Gain(1), "1");
    Arrow("SeamGain1", false);
    EXPECT_EQ(Gain(1)->text(), "0");
    EXPECT_EQ(rig.Sent(),
              QStringList({Manual(1, 1, {"0", "128", "128", "128", "128", "128", "128", "128"})}));
    rig.Mark();

    rig.Type(Threshold(), "");
    Arrow("BridgeThreshold", false);
    EXPECT_EQ(Threshold()->text(), "15");
    rig.Type(Threshold(), "");
    Arrow("BridgeThreshold", true);
    EXPECT_EQ(Threshold()->text(), "17");
    EXPECT_EQ(rig.Sent(), QStringList({"*1BRTHRS 15!", "*1BRTHRS 17!"}));
    EXPECT_EQ(rig.Form->Model().Channels.UnitOutput(1).BridgeThreshold, 17);

    rig.Boxes.Clear();
    rig.Type(Gain(8), "x");
    Arrow("SeamGain8", true);
    EXPECT_EQ(rig.Boxes.Texts(), QStringList({"'x' is not a valid integer value"}));
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// --- buttons -------------------------------------------------------------------------------

TEST_F(SeamRemovalPageTest, ResetOnScreen6SendsEightGainsOf128ToUnit2Channel2) {
    Open({"--mode", "controller", "--units", "2"});
    ClickScreen(6);
    rig.Form->State().Busy = 1; // another action under way: the buttons do nothing
    for (const char* button : {"SeamAutoSingleConfigButton", "ResetSeamGainButton",
                               "SeamAutoAllConfigButton", "SeamBridgeAllConfigCheckBox"}) {
        Click(button);
    }
    rig.Form->State().Busy = 0;
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_TRUE(rig.Boxes.Calls().empty());
    Enable()->setChecked(false);

    Click("SeamAutoSingleConfigButton");
    EXPECT_EQ(rig.Sent(), QStringList({"*2AUTOSEAM 2!", "*2OINFOZV 2!"}));
    // The unit's own gains for channel 2, read back: 100 + 3k + 2.
    EXPECT_EQ(Gains(), QStringList({"102", "105", "108", "111", "114", "117", "120", "123"}));
    rig.Mark();

    rig.Boxes.Answer(false);
    Click("ResetSeamGainButton");
    ASSERT_EQ(rig.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.Boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(rig.Boxes.Calls()[0].Caption, "Tarvel - Reset Seam Gain Verification");
    EXPECT_EQ(rig.Boxes.Calls()[0].Text,
              "Resetting Seam Gains will reset all seam gain values back to 128 for the current "
              "channel. Are you sure you want to reset the Seam Gains?");
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_EQ(Gains()[0], "102");

    rig.Boxes.Answer(true);
    Click("ResetSeamGainButton");
    EXPECT_EQ(Gains(), All128);
    EXPECT_EQ(rig.Sent(), QStringList({Manual(2, 2, All128)}));
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 2).SeamGain[7], 128);
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SeamRemovalPageTest, AutoSeamForAllChannelsGoesUnitByUnitAndShowsTheResult) {
    Open({"--mode", "controller", "--units", "2"});
    Click("SeamAutoAllConfigButton");
    QStringList expected;
    for (int unit = 1; unit <= 2; ++unit) {
        for (int channel = 1; channel <= 4; ++channel) {
            expected << QStringLiteral("*%1AUTOSEAM %2!").arg(unit).arg(channel)
                     << QStringLiteral("*%1OINFOZV %2!").arg(unit).arg(channel);
        }
    }
    EXPECT_EQ(rig.Sent(), expected);
    EXPECT_EQ(Gains(), QStringList({"101", "104", "107", "110", "113", "116", "119", "122"}));
    ClickScreen(8);
    EXPECT_EQ(Gains(), QStringList({"104", "107", "110", "113", "116", "119", "122", "125"}));
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// --- bridging ------------------------------------------------------------------------------

TEST_F(SeamRemovalPageTest, WithOneUnitTheBridgeAndThresholdGoToUnit1Only) {
    Open({"--mode", "controller"});
    Click("SeamBridgeAllConfigCheckBox");
    rig.TypeAndLeave(Threshold(), "40", Other());
    EXPECT_EQ(rig.Sent(), QStringList({"*1BRDGSEAM 1!", "*1BRTHRS 40!"}));
    EXPECT_EQ(rig.Form->Model().Channels.UnitOutput(1).SeamBridge, 1);
    EXPECT_EQ(rig.Form->Model().Channels.UnitOutput(1).BridgeThreshold, 40);
}

TEST_F(SeamRemovalPageTest, WithTwoUnitsTheBridgeAndThresholdGoToBothUnit1First) {
    Open({"--mode", "controller", "--units", "2"});
    Click("SeamBridgeAllConfigCheckBox");
    rig.TypeAndLeave(Threshold(), "40", Other());
    EXPECT_EQ(rig.Sent(),
              QStringList({"*1BRDGSEAM 1!", "*2BRDGSEAM 1!", "*1BRTHRS 40!", "*2BRTHRS 40!"}));

    // The hidden per-channel box follows the Enable box and goes to its screen's unit only.
    auto* single = rig.Control<QCheckBox>("SeamBridgeSingleConfigCheckBox");
    EXPECT_TRUE(single->isChecked());
    EXPECT_FALSE(single->isVisible());
    EXPECT_EQ(single->text(), "Seam Bridge ");
    ClickScreen(7);
    rig.Mark();
    single->click();
    EXPECT_EQ(rig.Sent(), QStringList({"*2BRDGSEAM 0!"}));
}

TEST_F(SeamRemovalPageTest, TickingEnableTicksTheTwinWithoutASecondSend) {
    Open({"--mode", "controller", "--units", "2"});
    Click("SeamBridgeAllConfigCheckBox");
    EXPECT_TRUE(Enable()->isChecked());
    EXPECT_EQ(rig.Sent(), QStringList({"*1BRDGSEAM 1!", "*2BRDGSEAM 1!"}));
    if (QCheckBox* twin = TwinBox()) {
        EXPECT_TRUE(twin->isChecked());
    }
    rig.Mark();

    // The twin's click: the Enable box takes its state and its handler sends once per unit.
    emit rig.Form->DisplaySetup().SeamBridgeTwinClicked(false);
    EXPECT_FALSE(Enable()->isChecked());
    EXPECT_FALSE(rig.Control<QCheckBox>("SeamBridgeSingleConfigCheckBox")->isChecked());
    EXPECT_EQ(rig.Sent(), QStringList({"*1BRDGSEAM 0!", "*2BRDGSEAM 0!"}));
    rig.Mark();

    // While the program fills controls the twin's change stays on the twin.
    rig.Form->State().UpdatingControls = true;
    emit rig.Form->DisplaySetup().SeamBridgeTwinClicked(true);
    rig.Form->State().UpdatingControls = false;
    EXPECT_FALSE(Enable()->isChecked());
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_TRUE(rig.Boxes.Calls().empty());
}

TEST_F(SeamRemovalPageTest, TheTwinThresholdCommitsThroughThisPagesField) {
    Open({"--mode", "controller", "--units", "2"});
    rig.ShowPage(rig.Form->DisplaySetup()); // the twin is used where this page is out of sight
    ASSERT_FALSE(Threshold()->isVisible());

    emit rig.Form->DisplaySetup().BridgeThresholdTwinCommitted("40");
    EXPECT_EQ(Page().BridgeThresholdText(), "40");
    EXPECT_EQ(rig.Sent(), QStringList({"*1BRTHRS 40!", "*2BRTHRS 40!"}));
    rig.Mark();

    // The twin's own edit, as when its arrows commit it.
    QWidget* elsewhere = rig.Control<QWidget>("DisplaySetupBridgeThresholdEdit");
    elsewhere->setFocus();
    EXPECT_FALSE(Page().CommitBridgeThresholdTwin("300"));
    EXPECT_EQ(QApplication::focusWidget(), elsewhere) << "no keyboard for a hidden field";
    EXPECT_EQ(rig.Form->DisplaySetup().BridgeThresholdTwinText(), "40") << "the stored threshold";
    EXPECT_FALSE(Page().CommitBridgeThresholdTwin("ten"));
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList({"Error! Bridge Threshold value out of bounds! (0 - 255)",
                           "Error! 'ten' is not a valid Bridge Threshold value."}));
    EXPECT_EQ(QApplication::focusWidget(), elsewhere);
    EXPECT_TRUE(Page().CommitBridgeThresholdTwin(""));
    EXPECT_TRUE(rig.Sent().isEmpty());
}

// --- the page switch, the fill and the projector count -----------------------------------

TEST_F(SeamRemovalPageTest, ThePageIsUsableOnlyWithALinkAndTheThresholdShowsWhenSet) {
    ASSERT_TRUE(rig.ShowWindow());
    QTabWidget* pages = rig.Form->PageControl();
    EXPECT_FALSE(pages->isTabVisible(pages->indexOf(&Page())));
    rig.ShowPage(Page());
    for (const char* name : {"SeamScreenSelectRadioGroup", "SeamGroupBox",
                             "SeamBridgeAllConfigCheckBox", "SeamAutoAllConfigButton"}) {
        EXPECT_FALSE(rig.Control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Threshold()->isEnabled());
    EXPECT_EQ(Threshold()->text(), "");
    EXPECT_EQ(Gains(), QStringList(8, "0"));

    SettingsModel& model = rig.Form->Model();
    model.Channels.UnitOutput(2).SeamBridge = 1;
    model.Channels.UnitOutput(2).BridgeThreshold = 0;
    model.Channels.Output(2, 3).SeamGain = {1, 2, 3, 4, 5, 6, 7, 8};
    Page().SetChannelCount(8);
    Page().SelectChannel(7);
    EXPECT_EQ(Gains(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_TRUE(Enable()->isChecked());
    EXPECT_EQ(Threshold()->text(), "") << "a threshold of 0 is not shown";
    model.Channels.UnitOutput(2).BridgeThreshold = 30;
    Page().FillSeamPage();
    EXPECT_EQ(Threshold()->text(), "30");

    Page().SetChannelCount(6);
    auto* group = rig.Control<ChannelSelectGroup>("SeamScreenSelectRadioGroup");
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(Gains(), QStringList(8, "0")) << "screen 1, refilled";
    for (int i = 0; i < ChannelSelectGroup::ItemCount; ++i) {
        EXPECT_EQ(group->Item(i)->isVisible(), i < 6) << i;
    }
}

} // namespace
} // namespace tarvel
