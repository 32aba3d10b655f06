#include "WindowTestSupport.h"

#include "platform/ScriptedMessageBoxes.h"
#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/SpinButtons.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace tarvel {
namespace {

struct Sent {
    QString Group;
    std::vector<double> Values;
    int BusyDuringSend = 0;
    friend bool operator==(const Sent& a, const Sent& b) {
        return a.Group == b.Group && a.Values == b.Values;
    }
};

void PrintTo(const Sent& sent, std::ostream* os) {
    *os << sent.Group.toStdString() << "(";
    for (double v : sent.Values) {
        *os << v << " ";
    }
    *os << ")";
}

// A window of fields, one of each kind a page table holds, in this tab order:
//   Black1            integer 0..255, restores, Enter -> PhaseEdit, 5 characters
//   LGamma1           real 1.0..5.0, default "2.2"
//   GammaWidth1       integer 64..live maximum, paired with
//   GammaOffset1      integer 0..511
//   BridgeThreshold   integer 0..255, empty text: commit nothing, steps from 16
//   Phase             integer -16..15, steps report the field's own message, Enter -> Black1
//   LeftRContrast     real -25..25
//   OtherButton       a plain control to move the focus to
class NumericFieldTest : public ::testing::Test {
protected:
    void SetUp() override { Build(boxes); }

    void Build(MessageBoxes& messages) {
        context = std::make_unique<UiContext>(UiContext{
            model, messages, state, nullptr, [](const QString&) {}, [this] { return connected; }});
        window = std::make_unique<QWidget>();
        window->setObjectName("FieldWindow");
        auto* layout = new QVBoxLayout(window.get());

        const auto record = [this](const QString& group) {
            return [this, group](std::span<const double> values) {
                sent.push_back({group, {values.begin(), values.end()}, state.Busy});
                if (onSend) {
                    onSend();
                }
            };
        };
        const auto edit = [this](const char* name) -> QWidget* {
            return window->findChild<QWidget*>(name);
        };

        Add(layout, {.Stem = "Black1",
                     .Lower = 0,
                     .Upper = 255,
                     .RangeText = "(0 - 255)",
                     .MaxLength = 5,
                     .BoundsMessage = "Error! Value out of bounds! ",
                     .BoundsMessageWithRange = true,
                     .InvalidNumberEnding = "' is not a valid Black Level.",
                     .Restore = [this] { Field("Black1")->SetText("7"); },
                     .Send = record("Black1"),
                     .EnterTarget = [edit] { return edit("PhaseEdit"); }});
        Add(layout, {.Stem = "LGamma1",
                     .Kind = NumericKind::Real,
                     .Lower = 1.0,
                     .Upper = 5.0,
                     .RangeText = "(1.0 - 5.0)",
                     .DefaultText = "2.2",
                     .BoundsMessage = "Error! Value out of bounds! ",
                     .BoundsMessageWithRange = true,
                     .InvalidNumberEnding = "' is not a valid Edge Feathering Gamma value.",
                     .Send = record("LGamma1")});
        NumericField* width = Add(layout, {.Stem = "GammaWidth1",
                                           .Lower = 64,
                                           .Upper = [this] { return liveMaximum; },
                                           .MaxLength = 4,
                                           .BoundsMessage = "Error! Gamma width out of bounds. ",
                                           .InvalidNumberEnding = "' is not a valid width value."});
        NumericField* offset =
            Add(layout, {.Stem = "GammaOffset1",
                         .Lower = 0,
                         .Upper = 511,
                         .RangeText = "(0 - 511)",
                         .BoundsMessage = "Error! Offset out of bounds. ",
                         .BoundsMessageWithRange = true,
                         .InvalidNumberEnding = "' is not a valid offset value."});
        NumericField::MakePair(*width, *offset, record("Edge1"));
        Add(layout, {.Stem = "BridgeThreshold",
                     .Lower = 0,
                     .Upper = 255,
                     .RangeText = "(0 - 255)",
                     .DefaultText = "",
                     .BoundsMessage = "Error! Bridge Threshold value out of bounds! ",
                     .BoundsMessageWithRange = true,
                     .InvalidNumberEnding = "' is not a valid Bridge Threshold value.",
                     .EmptyStepValue = 16,
                     .EmptyCommitsNothing = true,
                     .Send = record("BridgeThreshold")});
        Add(layout, {.Stem = "Phase",
                     .Lower = -16,
                     .Upper = 15,
                     .RangeText = "(-16 - +15)",
                     .BoundsMessage = "Error! Phase Offset value out of bounds! ",
                     .BoundsMessageWithRange = true,
                     .InvalidNumberEnding = "' is not a valid Phase Value.",
                     .StepReport = StepConversionReport::OwnMessage,
                     .Send = record("Phase"),
                     .EnterTarget = [edit] { return edit("Black1Edit"); }});
        Add(layout, {.Stem = "LeftRContrast",
                     .Kind = NumericKind::Real,
                     .Lower = -25,
                     .Upper = 25,
                     .RangeText = "(-25 - +25)",
                     .BoundsMessage = "Error! Value out of bounds! ",
                     .BoundsMessageWithRange = true,
                     .InvalidNumberEnding = "' is not a valid Contrast Level.",
                     .Send = record("LeftRContrast")});
        auto* button = new QPushButton("Other", window.get());
        button->setObjectName("OtherButton");
        layout->addWidget(button);
        ASSERT_TRUE(test::ShowActive(*window));
    }

    void TearDown() override { window->close(); }

    NumericField* Add(QVBoxLayout* layout, NumericFieldRules spec) {
        auto* field = new NumericField(std::move(spec), *context, window.get());
        auto* row = new QHBoxLayout;
        row->addWidget(field->Edit());
        row->addWidget(field->Spin());
        layout->addLayout(row);
        return field;
    }

    NumericField* Field(const QString& stem) const {
        for (NumericField* field : window->findChildren<NumericField*>()) {
            if (field->Spec().Stem == stem) {
                return field;
            }
        }
        return nullptr;
    }
    QLineEdit* Edit(const QString& stem) const {
        return window->findChild<QLineEdit*>(stem + "Edit");
    }
    void Arrow(const QString& stem, bool up) const {
        auto* spin = window->findChild<SpinButtons*>(stem + "UpDown");
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
    // Puts the focus in the edit without committing the field it leaves (as a failed commit
    // does), then types over the text.
    void Type(const QString& stem, const QString& text) const {
        auto* edit = static_cast<FieldEdit*>(Edit(stem));
        edit->TakeFocusBack();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
    }
    void Tab() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    QString FocusName() const {
        return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                      : QString();
    }

    SettingsModel model;
    ScriptedMessageBoxes boxes;
    FormState state;
    bool connected = true;
    double liveMaximum = 640;
    std::unique_ptr<UiContext> context;
    std::unique_ptr<QWidget> window;
    std::vector<Sent> sent;
    std::function<void()> onSend;
};

// --- commit -------------------------------------------------------------------------------

TEST_F(NumericFieldTest, EveryPassThroughAValidFieldSendsItAgain) {
    Type("Black1", "12");
    Tab();
    EXPECT_EQ(FocusName(), "LGamma1Edit");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    Tab();
    EXPECT_EQ(sent, (std::vector<Sent>{{"Black1", {12}}, {"LGamma1", {2.2}}, {"Black1", {12}}}));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(NumericFieldTest, ClickingAnotherControlCommits) {
    Type("LGamma1", "3.5");
    QTest::mouseClick(window->findChild<QPushButton*>("OtherButton"), Qt::LeftButton);
    EXPECT_EQ(sent, (std::vector<Sent>{{"LGamma1", {3.5}}}));
}

// The group's send stores the value and sends it only while the link is up, so a value edited
// without a unit still reaches it; a value the program writes while it fills controls does not.
TEST_F(NumericFieldTest, WithoutALinkTheSendStillStoresButNothingWhileTheProgramFillsControls) {
    connected = false;
    Type("Black1", "12");
    Tab();
    EXPECT_EQ(sent, (std::vector<Sent>{{"Black1", {12}}}));
    sent.clear();
    connected = true;
    state.UpdatingControls = true;
    Type("Black1", "13");
    Tab();
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Edit("Black1")->text(), "13");
}

TEST_F(NumericFieldTest, ATextThatIsNotANumberIsReportedAndKeepsTheUserInTheField) {
    Type("Black1", "abc");
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! 'abc' is not a valid Black Level."});
    EXPECT_EQ(boxes.Calls()[0].Caption, "Prendel - Tarvel");
    EXPECT_EQ(state.MessageText, "Error! 'abc' is not a valid Black Level.");
    EXPECT_EQ(FocusName(), "Black1Edit");
    EXPECT_EQ(Edit("Black1")->text(), "abc") << "nothing is restored for a bad number";
    EXPECT_TRUE(sent.empty()) << "neither the field nor the one Tab went to is committed";

    Tab(); // each attempt to leave shows the message again
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(FocusName(), "Black1Edit");
}

TEST_F(NumericFieldTest, NanInfinityHugeAndCommaTextsAreNotNumbers) {
    for (const char* text : {"nan", "inf", "-inf", "1e999", "2,5", "", "-", "2.5x"}) {
        boxes.Clear();
        Type("LGamma1", text);
        Tab();
        EXPECT_EQ(boxes.Texts(),
                  QStringList{
                      QString("Error! '%1' is not a valid Edge Feathering Gamma value.").arg(text)})
            << text;
    }
    Type("Black1", "2.5");
    Tab();
    EXPECT_EQ(boxes.Texts().last(), "Error! '2.5' is not a valid Black Level.");
    EXPECT_TRUE(sent.empty());
}

TEST_F(NumericFieldTest, BoundsAreInclusiveAndOneStepBeyondIsRefused) {
    for (const char* text : {"0", "255", " +7 "}) {
        Type("Black1", text);
        Tab();
    }
    Type("LGamma1", "1.0");
    Tab();
    Type("LGamma1", "5");
    Tab();
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(sent, (std::vector<Sent>{{"Black1", {0}},
                                       {"Black1", {255}},
                                       {"Black1", {7}},
                                       {"LGamma1", {1.0}},
                                       {"LGamma1", {5.0}}}));
    sent.clear();

    for (const char* text : {"256", "-1"}) {
        Type("Black1", text);
        Tab();
    }
    for (const char* text : {"5.1", "0.9"}) {
        Type("LGamma1", text);
        Tab();
    }
    EXPECT_EQ(boxes.Texts(), (QStringList{"Error! Value out of bounds! (0 - 255)",
                                          "Error! Value out of bounds! (0 - 255)",
                                          "Error! Value out of bounds! (1.0 - 5.0)",
                                          "Error! Value out of bounds! (1.0 - 5.0)"}));
    EXPECT_TRUE(sent.empty());
}

TEST_F(NumericFieldTest, ABoundsErrorRestoresWhereTheRowSaysAndGivesTheFocusBack) {
    Type("Black1", "300");
    Tab();
    EXPECT_EQ(Edit("Black1")->text(), "7") << "the model's value is put back";
    EXPECT_EQ(FocusName(), "Black1Edit");

    Type("LGamma1", "6");
    Tab();
    EXPECT_EQ(Edit("LGamma1")->text(), "6") << "a field without restore keeps the bad text";
    EXPECT_EQ(FocusName(), "LGamma1Edit");
    EXPECT_TRUE(sent.empty());
}

TEST_F(NumericFieldTest, ALiveBoundIsReadAtTheMomentOfTheCheck) {
    liveMaximum = 100;
    Type("GammaWidth1", "101");
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! Gamma width out of bounds. "});
    liveMaximum = 200;
    Type("GammaWidth1", "101");
    Tab();
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(sent, (std::vector<Sent>{{"Edge1", {101, 0}}}));
}

TEST_F(NumericFieldTest, APairIsCheckedWidthFirstAndSentAsOne) {
    Type("GammaWidth1", "abc");
    Edit("GammaOffset1")->setText("xyz");
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! 'abc' is not a valid width value."});
    EXPECT_EQ(FocusName(), "GammaWidth1Edit");

    boxes.Clear();
    Type("GammaWidth1", "100");
    Tab(); // into the offset: the group's commit now finds the offset's bad text
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! 'xyz' is not a valid offset value."});
    EXPECT_EQ(FocusName(), "GammaOffset1Edit");

    boxes.Clear();
    Type("GammaOffset1", "600");
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! Offset out of bounds. (0 - 511)"});
    EXPECT_TRUE(sent.empty());

    Type("GammaOffset1", "20");
    Tab();
    EXPECT_EQ(sent, (std::vector<Sent>{{"Edge1", {100, 20}}}));
}

TEST_F(NumericFieldTest, AnEmptyThresholdCommitsNothingAndSaysNothing) {
    Type("BridgeThreshold", "");
    Tab();
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(sent.empty());
    Type("BridgeThreshold", "abc");
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! 'abc' is not a valid Bridge Threshold value."});
}

// --- focus ---------------------------------------------------------------------------------

TEST_F(NumericFieldTest, EnterMovesToTheTargetWhichCommitsTheField) {
    Type("Black1", "9");
    QTest::keyClick(Edit("Black1"), Qt::Key_Return);
    EXPECT_EQ(FocusName(), "PhaseEdit");
    EXPECT_EQ(Edit("Black1")->text(), "9");
    QTest::keyClick(Edit("Phase"), Qt::Key_Enter);
    EXPECT_EQ(FocusName(), "Black1Edit");
    EXPECT_EQ(sent, (std::vector<Sent>{{"Black1", {9}}, {"Phase", {0}}}));

    Type("LGamma1", "3"); // no Enter target: the focus stays
    QTest::keyClick(Edit("LGamma1"), Qt::Key_Return);
    EXPECT_EQ(FocusName(), "LGamma1Edit");
}

TEST_F(NumericFieldTest, TheKeyboardLimitStopsTypingButNotTheProgram) {
    Type("Black1", "1234567");
    EXPECT_EQ(Edit("Black1")->text(), "12345");
    Field("Black1")->SetText("-123456");
    EXPECT_EQ(Edit("Black1")->text(), "-123456");
    QTest::keyClick(Edit("Black1"), Qt::Key_End);
    QTest::keyClick(Edit("Black1"), Qt::Key_Backspace);
    EXPECT_EQ(Edit("Black1")->text(), "-12345") << "a long text can still be shortened";
    QTest::keyClick(Edit("Black1"), Qt::Key_1);
    EXPECT_EQ(Edit("Black1")->text(), "-12345");
}

TEST_F(NumericFieldTest, AnotherWindowTakingTheFocusDoesNotCommit) {
    Type("Black1", "abc");
    QWidget other;
    other.setObjectName("OtherWindow");
    ASSERT_TRUE(test::ShowActive(other));
    EXPECT_TRUE(boxes.Calls().empty());
    other.close();
    ASSERT_TRUE(test::Reactivate(*window));
    EXPECT_EQ(FocusName(), "Black1Edit");
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(sent.empty());
}

// Real modal boxes: the focus really moves into the box and back.
class NumericFieldRealBoxTest : public NumericFieldTest {
protected:
    void SetUp() override { Build(realBoxes); }
    test::RecordingQtMessageBoxes realBoxes;
};

TEST_F(NumericFieldRealBoxTest, AMessageBoxTakingTheFocusDoesNotCommit) {
    Type("Black1", "abc");
    test::ModalBoxCloser closer;
    context->ShowMessage("Sending command failed.");
    EXPECT_TRUE(closer.BoxesWereActive());
    ASSERT_TRUE(test::Reactivate(*window));
    QTest::qWait(50);
    EXPECT_EQ(realBoxes.Texts, QStringList{"Sending command failed."});
    EXPECT_EQ(FocusName(), "Black1Edit");
}

TEST_F(NumericFieldRealBoxTest, AFailedCommitShowsOneBoxAndCommitsNothingElse) {
    Type("Black1", "abc");
    test::ModalBoxCloser closer;
    Tab();
    EXPECT_TRUE(closer.BoxesWereActive());
    ASSERT_TRUE(test::Reactivate(*window));
    QTest::qWait(50);
    EXPECT_EQ(realBoxes.Texts, QStringList{"Error! 'abc' is not a valid Black Level."});
    EXPECT_EQ(FocusName(), "Black1Edit");
    EXPECT_TRUE(sent.empty()) << "LGamma1, where Tab went, is not committed";
}

// --- steps ---------------------------------------------------------------------------------

TEST_F(NumericFieldTest, IntegerArrowsStopAtTheBounds) {
    Field("Black1")->SetText("255");
    Arrow("Black1", true);
    EXPECT_EQ(Edit("Black1")->text(), "255");
    EXPECT_TRUE(sent.empty());
    Arrow("Black1", false);
    EXPECT_EQ(Edit("Black1")->text(), "254");
    Field("Black1")->SetText("0");
    Arrow("Black1", false);
    EXPECT_EQ(Edit("Black1")->text(), "0");
    Arrow("Black1", true);
    EXPECT_EQ(sent, (std::vector<Sent>{{"Black1", {254}, 1}, {"Black1", {1}, 1}}));
    EXPECT_EQ(sent[0].BusyDuringSend, 1) << "a step holds Busy through its send";
    EXPECT_EQ(state.Busy, 0);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(NumericFieldTest, ArrowsDoNotPullATypedValueBackIntoRange) {
    Field("Black1")->SetText("300");
    Arrow("Black1", true);
    Arrow("Black1", false);
    EXPECT_EQ(Edit("Black1")->text(), "300");
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(sent.empty());
    Edit("Black1")->setFocus();
    Tab();
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! Value out of bounds! (0 - 255)"});
}

TEST_F(NumericFieldTest, RealArrowsStepATenthAndShowOneDecimal) {
    Field("LGamma1")->SetText("4.9");
    Arrow("LGamma1", true);
    EXPECT_EQ(Edit("LGamma1")->text(), "5.0");
    Arrow("LGamma1", true);
    EXPECT_EQ(Edit("LGamma1")->text(), "5.0");
    Field("LGamma1")->SetText("1.1");
    Arrow("LGamma1", false);
    EXPECT_EQ(Edit("LGamma1")->text(), "1.0");
    Arrow("LGamma1", false);
    EXPECT_EQ(Edit("LGamma1")->text(), "1.0");
    Field("LGamma1")->SetText("2.2");
    Arrow("LGamma1", true);
    EXPECT_EQ(Edit("LGamma1")->text(), "2.3");
    EXPECT_EQ(sent,
              (std::vector<Sent>{{"LGamma1", {5.0}}, {"LGamma1", {1.0}}, {"LGamma1", {2.3}}}));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(NumericFieldTest, ARealStepUsesTheExactValueAndTheCommitChecksWhatIsShown) {
    Field("LGamma1")->SetText("2.04");
    Arrow("LGamma1", true);
    EXPECT_EQ(Edit("LGamma1")->text(), "2.1");
    EXPECT_EQ(sent, (std::vector<Sent>{{"LGamma1", {2.1}}})) << "the shown value is sent";

    Field("LGamma1")->SetText("4.96");
    Arrow("LGamma1", true);
    EXPECT_EQ(Edit("LGamma1")->text(), "5.1");
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! Value out of bounds! (1.0 - 5.0)"});
    EXPECT_EQ(sent.size(), 1u);

    Field("LeftRContrast")->SetText("0.06");
    Arrow("LeftRContrast", false);
    EXPECT_EQ(Edit("LeftRContrast")->text(), "0.0") << "no negative zero";
}

TEST_F(NumericFieldTest, AStepOnLettersReportsTheStandardTextAndReleasesBusy) {
    Field("Black1")->SetText("abc");
    Arrow("Black1", true);
    Field("LGamma1")->SetText("x");
    Arrow("LGamma1", false);
    EXPECT_EQ(boxes.Texts(), (QStringList{"'abc' is not a valid integer value",
                                          "'x' is not a valid floating point value"}));
    EXPECT_EQ(Edit("Black1")->text(), "abc");
    EXPECT_EQ(state.Busy, 0);
    Field("Black1")->SetText("5");
    Arrow("Black1", true);
    EXPECT_EQ(Edit("Black1")->text(), "6");
}

TEST_F(NumericFieldTest, AStepCanReportTheFieldsOwnMessageAndFocusTheEdit) {
    Edit("Black1")->setFocus();
    Field("Phase")->SetText("abc");
    Arrow("Phase", true);
    EXPECT_EQ(boxes.Texts(), QStringList{"Error! 'abc' is not a valid Phase Value."});
    EXPECT_EQ(FocusName(), "PhaseEdit");
    EXPECT_EQ(state.Busy, 0);
}

TEST_F(NumericFieldTest, AnEmptyThresholdStepsFromItsEmptyTextValue) {
    Arrow("BridgeThreshold", false);
    EXPECT_EQ(Edit("BridgeThreshold")->text(), "15");
    Field("BridgeThreshold")->SetText("");
    Arrow("BridgeThreshold", true);
    EXPECT_EQ(Edit("BridgeThreshold")->text(), "17");
    EXPECT_EQ(sent, (std::vector<Sent>{{"BridgeThreshold", {15}}, {"BridgeThreshold", {17}}}));
}

TEST_F(NumericFieldTest, StepsAreDroppedWhileBusy) {
    state.Busy = 1;
    Arrow("Black1", true);
    EXPECT_EQ(Edit("Black1")->text(), "0");
    EXPECT_EQ(state.Busy, 1);
    state.Busy = 0;

    // A tick that arrives while the step's send still waits for its reply.
    onSend = [this] {
        onSend = nullptr;
        Arrow("Black1", true);
    };
    Arrow("Black1", true);
    EXPECT_EQ(Edit("Black1")->text(), "1");
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(NumericFieldTest, PairArrowsUseTheLiveBoundAndSendTheWholeEdge) {
    liveMaximum = 100;
    Field("GammaWidth1")->SetText("100");
    Arrow("GammaWidth1", true);
    Field("GammaWidth1")->SetText("64");
    Arrow("GammaWidth1", false);
    EXPECT_TRUE(sent.empty());
    Arrow("GammaWidth1", true);
    Field("GammaOffset1")->SetText("511");
    Arrow("GammaOffset1", false);
    EXPECT_EQ(sent, (std::vector<Sent>{{"Edge1", {65, 0}}, {"Edge1", {65, 510}}}));
}

TEST_F(NumericFieldTest, AStepWhileTheProgramFillsControlsChangesTheTextOnly) {
    state.UpdatingControls = true;
    Arrow("Black1", true);
    EXPECT_EQ(Edit("Black1")->text(), "1");
    EXPECT_TRUE(sent.empty());
}

} // namespace
} // namespace tarvel
