// The Display Setup page against zelvar-sim: what each edit, box and button sends to which
// unit, and what it does not send.

#include "FormLinkRig.h"

#include "config/ConfigurationDiff.h"
#include "protocol/CommandEncoding.h"

#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/SpinButtons.h"
#include "ui/TInfoForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

constexpr int MaxOverlap = 640;

class DisplaySetupLinkTest : public ::testing::Test {
protected:
    // Two units behind a controller unless told otherwise; read, eight projectors on the page.
    void Start(std::vector<std::string> options = {"--mode", "controller", "--units", "2"}) {
        const bool controller =
            std::find(options.begin(), options.end(), "controller") != options.end();
        ASSERT_TRUE(sim.Start(std::move(options)));
        ASSERT_TRUE(rig.Show());
        ASSERT_TRUE(controller ? rig.ConnectController(sim.Path()) : rig.ConnectDirect(sim.Path()));
        ASSERT_TRUE(rig.ReadUnits());
        page = &rig.Form->DisplaySetup();
        page->SetMaxOverlap(MaxOverlap);
        page->EnableCalculatedControls();
        page->ShowChannels(8);
        rig.Form->PageControl()->setCurrentWidget(page);
        Unfocus();
        Mark();
    }

    // From here on, Sent() lists what the units received.
    void Mark() {
        mark = sim.Log().size();
        rig.Boxes.Clear();
    }
    Lines Sent() const { return sim.LogFrom(mark); }

    // The advanced view as a fill that reports advanced mode makes it, without sending.
    void AdvancedView() {
        UpdatingControlsGuard updating(rig.Form->State());
        rig.Find<QCheckBox>("AdvanceModeCheckBox")->setChecked(true);
    }

    // Takes the focus away without moving it to another control, so no field is committed.
    static void Unfocus() {
        if (QWidget* focus = QApplication::focusWidget()) {
            focus->clearFocus();
        }
    }

    void ShowSubPageOf(int channel) {
        Unfocus();
        rig.Find<QTabWidget>("ScreenPageControl")->setCurrentIndex(channel >= 5 ? 1 : 0);
    }

    FieldEdit* Edit(const QString& name) const { return rig.Find<FieldEdit>(name); }
    NumericField* Field(const QString& stem) const {
        return rig.Find<NumericField>(stem + QStringLiteral("Field"));
    }
    QString Focus() const {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("nothing");
    }

    // Puts the text into the edit as typed and leaves it with Tab.
    void Leave(const QString& name, const QString& text) {
        FieldEdit* edit = Edit(name);
        ASSERT_NE(edit, nullptr) << name.toStdString();
        Unfocus();
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    SimUnits sim;
    FormLinkRig rig;
    DisplaySetupPage* page = nullptr;
    std::size_t mark = 0;
};

TEST_F(DisplaySetupLinkTest, RoadOfOneEditIntoTheLeftGammaOfScreen6) {
    Start();
    auto* advanced = rig.Find<QCheckBox>("AdvanceModeCheckBox");
    advanced->click();
    Mark();
    ShowSubPageOf(6);
    QSignalSpy written(&rig.Port, &SerialPort::Written);
    FieldEdit* edit = Edit("LGamma6Edit");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "2.5");
    QTest::keyClick(edit, Qt::Key_Tab);

    QByteArray bytes;
    for (const QList<QVariant>& chunk : written) {
        bytes += chunk.at(0).toByteArray();
    }
    EXPECT_EQ(bytes, QByteArray("PASS *2PEFT 2 L 1  2.5 256 0!9D\r\r"));
    EXPECT_EQ(Sent(), Lines{"*2PEFT 2 L 1  2.5 256 0!"});
    EXPECT_EQ(rig.Form->StatusText(), "");
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());
    EXPECT_EQ(rig.Form->State().Busy, 0);
    // The model holds the edge as sent, so a file saved or a send of everything afterwards
    // carries the edit.
    EXPECT_FLOAT_EQ(rig.Form->Model().Channels.Output(2, 2).LeftGamma, 2.5f);
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 2).LeftFeatherOn, 1);
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 2).LeftGammaWidth, 256);
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupLinkTest, TheAdvancedBoxSetsBothUnitsReadsThemBackAndSwitchesTheView) {
    Start();
    auto* advanced = rig.Find<QCheckBox>("AdvanceModeCheckBox");
    advanced->click();
    EXPECT_EQ(Sent(), Lines({"*1ZVCTRL 1!", "*1OINFOZV 1!", "*1OINFOZV 2!", "*1OINFOZV 3!",
                             "*1OINFOZV 4!", "*2ZVCTRL 1!", "*2OINFOZV 1!", "*2OINFOZV 2!",
                             "*2OINFOZV 3!", "*2OINFOZV 4!"}));
    EXPECT_EQ(rig.Form->Model().Channels.UnitOutput(2).ControlMode, 1);
    EXPECT_TRUE(rig.Find<QWidget>("EdgeFeatherBasicGroupBox")->isHidden());
    for (int c = 1; c <= 8; ++c) {
        EXPECT_FALSE(rig.Find<QWidget>(QStringLiteral("EdgeFeather%1GroupBox").arg(c))->isHidden());
    }
    EXPECT_EQ(rig.Form->State().Busy, 0);

    Mark();
    advanced->click();
    EXPECT_EQ(Sent(), Lines({"*1ZVCTRL 0!", "*1OINFOZV 1!", "*1OINFOZV 2!", "*1OINFOZV 3!",
                             "*1OINFOZV 4!", "*2ZVCTRL 0!", "*2OINFOZV 1!", "*2OINFOZV 2!",
                             "*2OINFOZV 3!", "*2OINFOZV 4!"}));
    EXPECT_FALSE(rig.Find<QWidget>("EdgeFeatherBasicGroupBox")->isHidden());
    EXPECT_TRUE(rig.Find<QWidget>("EdgeFeather3GroupBox")->isHidden());
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupLinkTest, TickingEnableRightOfScreen3SendsItsRightEdgeWithTheCurrentTexts) {
    Start();
    AdvancedView();
    auto* box = rig.Find<QCheckBox>("REdgeFeathering3CheckBox");
    box->setChecked(false);
    Edit("RGammaWidth3Edit")->setText("300"); // typed in the service view, not yet left
    Edit("RGammaOffset3Edit")->setText("12");
    box->click();
    EXPECT_EQ(Sent(), Lines{"*1PEFT 3 R 1  2.2 300 12!"});
    box->click();
    EXPECT_EQ(Sent(), Lines({"*1PEFT 3 R 1  2.2 300 12!", "*1PEFT 3 R 0  2.2 300 12!"}));
    // An invalid gamma: its own message, the edge not sent.
    Mark();
    Edit("RGamma3Edit")->setText("x");
    box->click();
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList{"Error! 'x' is not a valid Edge Feathering Gamma value."});
    EXPECT_TRUE(Sent().empty());
}

TEST_F(DisplaySetupLinkTest, AnEdgeIsNotSentWhileAnotherOfItsFieldsHoldsNoUsableValue) {
    Start();
    AdvancedView();
    page->SetServiceView(true);
    Edit("RGammaWidth3Edit")->setText("abc");
    rig.Find<QCheckBox>("REdgeFeathering3CheckBox")->click();
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList{"Error! 'abc' is not a valid width value. Screen 3 Width(R) must hold "
                          "a number before this edge can be sent."});
    EXPECT_EQ(Focus(), "RGammaWidth3Edit");
    EXPECT_TRUE(Sent().empty());

    // A gamma the unit would refuse (and the link resend for ever) is not sent either.
    Mark();
    Edit("RGammaWidth3Edit")->setText("256");
    Edit("RGamma3Edit")->setText("7.5");
    Leave("RGammaOffset3Edit", "5");
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList{"Error! Value out of bounds! (1.0 - 5.0) Screen 3 Gamma(R) must hold a "
                          "value in range before this edge can be sent."});
    EXPECT_EQ(Focus(), "RGamma3Edit");
    EXPECT_TRUE(Sent().empty());

    // An empty offset while the gamma is committed.
    Mark();
    Edit("LGammaOffset4Edit")->setText("");
    Leave("LGamma4Edit", "2.0");
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList{"Error! '' is not a valid offset value. Screen 4 Offset(L) must hold a "
                          "number before this edge can be sent."});
    EXPECT_TRUE(Sent().empty());
}

TEST_F(DisplaySetupLinkTest, FieldsSendToTheirUnitAndChannel) {
    Start();
    AdvancedView();
    page->SetServiceView(true);
    ShowSubPageOf(5);
    Leave("Black5Edit", "128");
    EXPECT_EQ(Sent(), Lines{"*2BLKGN 1 128!"});
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 1).BlackLevel, 128);

    // The arrows beside channel 6's right gamma width: that field, that edge.
    Mark();
    auto* arrows = rig.Find<SpinButtons>("RGammaWidth6UpDown");
    arrows->UpButton()->click();
    EXPECT_EQ(Edit("RGammaWidth6Edit")->text(), "257");
    arrows->DownButton()->click();
    EXPECT_EQ(Edit("RGammaWidth6Edit")->text(), "256");
    EXPECT_EQ(Sent(), Lines({"*2PEFT 2 R 0  2.2 257 0!", "*2PEFT 2 R 0  2.2 256 0!"}));

    // Channel 8's only edge, and channel 1's right one.
    Mark();
    Leave("Gamma8Edit", "3.0");
    ShowSubPageOf(1);
    Leave("GammaOffset1Edit", "7");
    EXPECT_EQ(Sent(), Lines({"*2PEFT 4 L 0  3.0 256 0!", "*1PEFT 1 R 1  2.2 256 7!"}));

    // The halo pairs (their group never shows; shown here to reach the fields).
    Mark();
    rig.Find<QGroupBox>("Halo3GroupBox")->show();
    rig.Find<QGroupBox>("Halo1GroupBox")->show();
    Leave("LHaloWidth3Edit", "10");
    Leave("LHaloOffset3Edit", "20");
    Leave("HaloOffset1Edit", "3");
    EXPECT_EQ(Sent(), Lines({"*1HALO 3 L 10 0!", "*1HALO 3 L 10 20!", "*1HALO 1 R 0 3!"}));
    EXPECT_EQ(rig.Form->Model().Channels.Output(1, 3).LeftHaloOffset, 20);
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupLinkTest, BoundsErrorsSendNothingAndRestoreWhereTheFieldSaysSo) {
    Start();
    auto* basicBox = rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox");
    basicBox->setChecked(false);
    Leave("BasicGammaEdit", "5.5");
    EXPECT_EQ(rig.Boxes.Texts(), QStringList{"Error! Value out of bounds! (1.0 - 5.0)"});
    EXPECT_EQ(Edit("BasicGammaEdit")->text(), "2.2"); // unit 1's stored gamma
    EXPECT_TRUE(basicBox->isChecked());               // and its stored state
    EXPECT_EQ(Focus(), "BasicGammaEdit");

    Mark();
    AdvancedView();
    page->SetServiceView(true);
    ShowSubPageOf(5);
    Leave("LGammaOffset5Edit", "600");
    EXPECT_EQ(rig.Boxes.Texts(), QStringList{"Error! Offset out of bounds. (0 - 511)"});
    EXPECT_EQ(Edit("LGammaOffset5Edit")->text(), "600");
    EXPECT_TRUE(Sent().empty());
}

// Every bad text of a field kind: its message, the focus kept, nothing sent.
struct BadTexts {
    const char* Edit;
    QString Invalid; // closing text of the invalid-number message
    QString Bounds;
    QString Below, Above;
    bool Real;
    QString Restored; // "" where the rejected text stays
    QString Valid;    // put back afterwards: a pair checks both of its fields
};

TEST_F(DisplaySetupLinkTest, EveryBadTextOfEachFieldKindIsReportedAndSendsNothing) {
    Start();
    AdvancedView();
    page->SetServiceView(true);
    rig.Find<QGroupBox>("Halo3GroupBox")->show();
    // Basic mode's gamma is on screen only in basic view; it is reached from the same page.
    rig.Find<QWidget>("EdgeFeatherBasicGroupBox")->show();
    const QString thirty = "123456789012345678901234567890";
    const std::vector<BadTexts> kinds = {
        {"Black3Edit", "' is not a valid Black Level.", "Error! Value out of bounds! (0 - 255)",
         "-1", "256", false, "16", "16"},
        {"LHaloWidth3Edit", "' is not a valid Halo width value.",
         "Error! Halo width out of bounds. (0 - 64)", "-1", "65", false, "", "10"},
        {"LHaloOffset3Edit", "' is not a valid Halo offset value.",
         "Error! Halo offset out of bounds. (0 - 255)", "-1", "256", false, "", "10"},
        {"LGamma3Edit", "' is not a valid Edge Feathering Gamma value.",
         "Error! Value out of bounds! (1.0 - 5.0)", "0.9", "5.1", true, "", "2.2"},
        {"LGammaWidth3Edit", "' is not a valid width value.", "Error! Gamma width out of bounds. ",
         "63", "641", false, "", "256"},
        {"LGammaOffset3Edit", "' is not a valid offset value.",
         "Error! Offset out of bounds. (0 - 511)", "-1", "512", false, "", "0"},
        {"BasicGammaEdit", "' is not a valid Edge Feathering Gamma value.",
         "Error! Value out of bounds! (1.0 - 5.0)", "0.9", "5.1", true, "2.2", "2.2"},
    };
    for (const BadTexts& kind : kinds) {
        SCOPED_TRACE(kind.Edit);
        const std::vector<std::pair<QString, QString>> tries = {
            {"abc", "Error! 'abc" + kind.Invalid},
            {"", "Error! '" + kind.Invalid},
            {"-", "Error! '-" + kind.Invalid},
            {"nan", "Error! 'nan" + kind.Invalid},
            {kind.Below, kind.Bounds},
            {kind.Above, kind.Bounds},
            // Too large for an integer; a real reads it and finds it out of bounds.
            {thirty, kind.Real ? kind.Bounds : "Error! '" + thirty + kind.Invalid},
        };
        for (const auto& [text, message] : tries) {
            rig.Boxes.Clear();
            Leave(kind.Edit, text);
            EXPECT_EQ(rig.Boxes.Texts(), QStringList{message}) << text.toStdString();
            EXPECT_EQ(Focus(), kind.Edit) << text.toStdString();
            const bool bounds = message == kind.Bounds;
            EXPECT_EQ(Edit(kind.Edit)->text(),
                      bounds && !kind.Restored.isEmpty() ? kind.Restored : text);
        }
        EXPECT_TRUE(Sent().empty());
        Edit(kind.Edit)->setText(kind.Valid);
    }
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

TEST_F(DisplaySetupLinkTest, TabbingThroughAChannelSendsEachValueAgain) {
    Start();
    AdvancedView();
    page->SetServiceView(true);
    FieldEdit* black = Edit("Black3Edit");
    black->setFocus();
    // Black level, then each edge: box, gamma, width, offset.
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(Focus(), "TestPattern4ComboBox");
    EXPECT_EQ(Sent(),
              Lines({"*1BLKGN 3 16!", "*1PEFT 3 L 1  2.2 256 0!", "*1PEFT 3 L 1  2.2 256 0!",
                     "*1PEFT 3 L 1  2.2 256 0!", "*1PEFT 3 R 1  2.2 256 0!",
                     "*1PEFT 3 R 1  2.2 256 0!", "*1PEFT 3 R 1  2.2 256 0!"}));
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

// Without a link every committed value is stored as its send would store it (both units for
// the unit-wide ones), and nothing goes out; the actions do nothing at all.
TEST_F(DisplaySetupLinkTest, WhileDisconnectedNothingIsSentAndTheModelTakesEveryCommittedValue) {
    Start();
    AdvancedView();
    page->SetServiceView(true);
    rig.Link->Disconnect();
    const SettingsModel before = rig.Form->Model();
    Edit("Black3Edit")->setFocus();
    Edit("Black3Edit")->setText("99");
    Edit("LGamma3Edit")->setText("3.3");
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    rig.Find<QCheckBox>("LEdgeFeathering3CheckBox")->click();
    rig.Find<SpinButtons>("RGammaWidth3UpDown")->UpButton()->click();
    rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->click();
    // The advanced box still switches the view; the units read were in basic mode.
    rig.Find<QCheckBox>("AdvanceModeCheckBox")->click();
    EXPECT_TRUE(rig.Find<QWidget>("EdgeFeather3GroupBox")->isHidden());
    rig.Find<QCheckBox>("AdvanceModeCheckBox")->click();
    EXPECT_FALSE(rig.Find<QWidget>("EdgeFeather3GroupBox")->isHidden());
    rig.Find<QRadioButton>("FeatherRadioGroupItem1")->click();
    rig.Find<QCheckBox>("EnDataDoubleCheckBox")->click();
    rig.Find<QPushButton>("DisplaySetupSystemSaveButton")->click();
    rig.Find<QPushButton>("ResetButton")->click();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Edit("Black3Edit")->text(), "99");
    EXPECT_EQ(Edit("RGammaWidth3Edit")->text(), "257");
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty()) << rig.Boxes.Texts().join(" | ").toStdString();

    const auto on = [this](const char* box) {
        return rig.Find<QCheckBox>(box)->isChecked() ? std::string("on") : std::string("off");
    };
    std::vector<std::string> changed;
    for (const SettingDifference& d : DiffConfigurations(before, rig.Form->Model())) {
        changed.push_back(std::to_string(d.Unit) + "/" + std::to_string(d.Screen) + " " +
                          std::string(d.Row->Key) + " " + d.ValueB);
    }
    const std::string basic = on("BasicEdgeFeatheringCheckBox");
    const std::string doubling = on("EnDataDoubleCheckBox");
    EXPECT_EQ(changed, (Lines{
                           "1/0 dataDoubling " + doubling,
                           "1/0 controlMode Adv",
                           "1/0 basicFeatherOn " + basic,
                           "1/0 featherCurve Linear",
                           "1/3 blackLevel 99",
                           "1/3 leftFeatherOn " + on("LEdgeFeathering3CheckBox"),
                           "1/3 leftGamma 3.3",
                           "1/3 rightGammaWidth 257",
                           "2/0 dataDoubling " + doubling,
                           "2/0 controlMode Adv",
                           "2/0 basicFeatherOn " + basic,
                           "2/0 featherCurve Linear",
                       }));
}

TEST_F(DisplaySetupLinkTest, TheWholeConfigurationSendTakesEachValueFromTheControls) {
    Start();
    Edit("Black2Edit")->setText("40");
    Edit("HaloWidth1Edit")->setText("8");
    Edit("LGamma4Edit")->setText("3.1");
    rig.Find<QComboBox>("TestPattern3ComboBox")->setCurrentIndex(6); // sends on its own
    Mark();
    // Each command as it would go to the unit of its screen (addresses 1 and 2).
    const auto text = [](const ControlCommand& command, int address) {
        EXPECT_TRUE(command.Valid);
        return command.Cmd ? ControllerText(*command.Cmd, address) : std::string("(none)");
    };
    const Lines commands = {
        text(page->TestPatternFromControls(3), 1),
        text(page->BlackLevelFromControls(2), 1),
        text(page->HaloFromControls(1, EdgeSide::Right), 1),
        text(page->HaloFromControls(8, EdgeSide::Left), 2),
        text(page->EdgeFeatherFromControls(4, EdgeSide::Left), 1),
        text(page->EdgeFeatherFromControls(7, EdgeSide::Right), 2),
        text(page->DataDoublingFromControls(), 2),
        text(page->BasicFeatheringFromControls(), 1),
        text(page->ControlModeFromControls(), 1),
        // Edges a channel lacks have nothing to send.
        text(page->EdgeFeatherFromControls(8, EdgeSide::Right), 2),
        text(page->HaloFromControls(1, EdgeSide::Left), 1),
    };
    EXPECT_EQ(commands,
              Lines({"*1OTPMZV 3 6 0 0!", "*1BLKGN 2 40!", "*1HALO 1 R 8 0!", "*2HALO 4 L 0 0!",
                     "*1PEFT 4 L 1  3.1 256 0!", "*2PEFT 3 R 0  2.2 256 0!", "*2DDBL 0!",
                     "*1EFTB 1  2.2!", "*1ZVCTRL 0!", "(none)", "(none)"}));
    EXPECT_TRUE(Sent().empty()) << "reading the controls sends nothing";

    // A control without a usable value, or one the unit would refuse, gives no command.
    Edit("Black2Edit")->setText("4x");
    Edit("Black3Edit")->setText("256");
    Edit("LGammaOffset4Edit")->setText("");
    Edit("RGamma5Edit")->setText("0.5");
    Edit("BasicGammaEdit")->setText("9");
    EXPECT_FALSE(page->BlackLevelFromControls(2).Valid);
    EXPECT_FALSE(page->BlackLevelFromControls(3).Valid);
    EXPECT_FALSE(page->EdgeFeatherFromControls(4, EdgeSide::Left).Valid);
    EXPECT_FALSE(page->EdgeFeatherFromControls(5, EdgeSide::Right).Valid);
    EXPECT_FALSE(page->BasicFeatheringFromControls().Valid);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupLinkTest, UnitWideSettingsGoToBothUnits) {
    Start();
    rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->click();
    page->SetServiceView(true);
    rig.Find<QRadioButton>("FeatherRadioGroupItem1")->click();
    rig.Find<QCheckBox>("EnDataDoubleCheckBox")->click();
    rig.Find<QPushButton>("DisplaySetupSystemSaveButton")->click();
    rig.Find<QPushButton>("SystemSaveButton")->click(); // the Information page's
    Leave("BasicGammaEdit", "3.5");
    EXPECT_EQ(Sent(), Lines({"*1EFTB 0  2.2!", "*2EFTB 0  2.2!", "*1FEATHER L!", "*2FEATHER L!",
                             "*1DDBL 1!", "*2DDBL 1!", "*1SYSAVE!", "*2SYSAVE!", "*1SYSAVE!",
                             "*2SYSAVE!", "*1EFTB 0  3.5!", "*2EFTB 0  3.5!"}));
    const ChannelSettings units = sim.State();
    for (int unit = 1; unit <= 2; ++unit) {
        EXPECT_EQ(units.UnitOutput(unit).FeatherCurve, 'L');
        EXPECT_EQ(units.UnitOutput(unit).DataDoubling, 1);
        EXPECT_FLOAT_EQ(units.UnitOutput(unit).BasicGamma, 3.5f);
    }
    // The basic box sends the gamma the field holds; a text that is not one is reported.
    Mark();
    Edit("BasicGammaEdit")->setText("abc");
    rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->click();
    EXPECT_EQ(rig.Boxes.Texts(),
              QStringList{"Error! 'abc' is not a valid Edge Feathering Gamma value."});
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

TEST_F(DisplaySetupLinkTest, OneUnitDirectlyGetsTheUnitWideSettingsAlone) {
    Start({"--mode", "direct"});
    rig.Find<QCheckBox>("EnDataDoubleCheckBox")->click();
    rig.Find<QPushButton>("SystemSaveButton")->click();
    EXPECT_EQ(Sent(), Lines({"DDBL 1", "SYSAVE"}));
}

TEST_F(DisplaySetupLinkTest, ResetAsksFirstThenResetsBothUnitsBehindTheProgressWindow) {
    Start();
    QAction* file = rig.Form->MenuAction("File1");
    QAction* search = rig.Form->MenuAction("SearchforZelvars1");
    std::vector<bool> menusDuringQuestion;
    rig.Boxes.OnShow([&](const ScriptedMessageBoxes::Call&) {
        menusDuringQuestion = {file->isEnabled(), search->isEnabled()};
    });
    auto* reset = rig.Find<QPushButton>("ResetButton");

    rig.Boxes.Answer(false);
    reset->click();
    ASSERT_EQ(rig.Boxes.Calls().size(), 1u);
    EXPECT_EQ(rig.Boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(rig.Boxes.Calls()[0].Caption, "Tarvel - Factory Reset Verification");
    EXPECT_EQ(rig.Boxes.Calls()[0].Text,
              "Resetting the Zelvar(s) will reset settings to default values. Are you sure you "
              "want to reset the Zelvar(s)?");
    EXPECT_EQ(menusDuringQuestion, std::vector<bool>({false, false}));
    EXPECT_TRUE(file->isEnabled());
    EXPECT_TRUE(search->isEnabled());
    EXPECT_TRUE(Sent().empty());

    // Change something first, so the reset shows in the units' state.
    Leave("BasicGammaEdit", "4.0");
    Mark();
    QStringList progressSeen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TInfoForm& info = rig.Form->InfoForm();
        if (info.isVisible() && !progressSeen.contains(info.Text())) {
            progressSeen << info.Text();
        }
    });
    watch.start(100);
    rig.Boxes.Answer(true);
    reset->click();
    watch.stop();
    EXPECT_EQ(Sent(), Lines({"*1RESETZV F!", "*2RESETZV F!"}));
    EXPECT_EQ(progressSeen, QStringList{"Zelvar reset in progress. Please wait...."});
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_TRUE(file->isEnabled());
    EXPECT_TRUE(search->isEnabled());
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FLOAT_EQ(sim.State().UnitOutput(2).BasicGamma, 2.2f);
    // The model and the page are not read again.
    EXPECT_FLOAT_EQ(rig.Form->Model().Channels.UnitOutput(2).BasicGamma, 4.0f);
    EXPECT_EQ(Edit("BasicGammaEdit")->text(), "4.0");
}

} // namespace
} // namespace tarvel::test
