// Every numeric field of the Display Setup page: its names, default text, typing limit,
// bounds and their messages, what a bounds error puts back, the arrows and the Enter moves.
// Without a connection, so nothing here reaches a unit.

#include "FormLinkRig.h"

#include "ui/FieldEdit.h"
#include "ui/KeyboardLengthLimit.h"
#include "ui/NumericField.h"
#include "ui/SpinButtons.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace tarvel::test {
namespace {

struct FieldCase {
    QString Stem;
    int Channel = 0; // 0: a unit-wide field
    bool Real = false;
    QString Lower;      // the bound as the field shows it
    QString Upper;      // "" for the live MaxOverlap
    QString BelowLower; // a text just outside each bound
    QString AboveUpper;
    QString BoundsMessage;
    int Limit = 0;
    QString InvalidEnding;
    QString DefaultText;
    bool Restores = false;
};

const QString Integer255 = QStringLiteral("Error! Value out of bounds! (0 - 255)");
const QString GammaBounds = QStringLiteral("Error! Value out of bounds! (1.0 - 5.0)");
const QString GammaInvalid = QStringLiteral("' is not a valid Edge Feathering Gamma value.");
constexpr int MaxOverlap = 640;

// The field instances, written out from the page's field table.
std::vector<FieldCase> AllFields() {
    std::vector<FieldCase> cases;
    for (int c = 1; c <= 8; ++c) {
        cases.push_back({QStringLiteral("Black%1").arg(c), c, false, "0", "255", "-1", "256",
                         Integer255, c == 1 ? 5 : 0, "' is not a valid Black Level.", "0", true});
    }
    // Halo edges: channel 1 right only, channel 8 left only, both on 2..7.
    QStringList haloEdges = {"HaloWidth1", "HaloWidth8"};
    for (int c = 2; c <= 7; ++c) {
        haloEdges << QStringLiteral("LHaloWidth%1").arg(c) << QStringLiteral("RHaloWidth%1").arg(c);
    }
    for (const QString& width : haloEdges) {
        const int c = width.right(1).toInt();
        cases.push_back({width, c, false, "0", "64", "-1", "65",
                         "Error! Halo width out of bounds. (0 - 64)", 3,
                         "' is not a valid Halo width value.", "0", false});
        QString offset = width;
        offset.replace("Width", "Offset");
        cases.push_back({offset, c, false, "0", "255", "-1", "256",
                         "Error! Halo offset out of bounds. (0 - 255)", 4,
                         "' is not a valid Halo offset value.", "0", false});
    }
    // Feathered edges: both on channel 1, left only on channel 8.
    struct Edge {
        QString Gamma, Width, Offset;
        int Channel;
    };
    std::vector<Edge> edges = {{"LGamma1", "LGammaWidth1", "LGammaOffset1", 1},
                               {"Gamma1", "GammaWidth1", "GammaOffset1", 1},
                               {"Gamma8", "LGammaWidth8", "LGammaOffset8", 8}};
    for (int c = 2; c <= 7; ++c) {
        for (const QString side : {"L", "R"}) {
            edges.push_back({side + QStringLiteral("Gamma%1").arg(c),
                             side + QStringLiteral("GammaWidth%1").arg(c),
                             side + QStringLiteral("GammaOffset%1").arg(c), c});
        }
    }
    for (const Edge& edge : edges) {
        const bool first = edge.Channel == 1;
        cases.push_back({edge.Gamma, edge.Channel, true, "1.0", "5.0", "0.9", "5.1", GammaBounds, 0,
                         GammaInvalid, "2.2", false});
        cases.push_back({edge.Width, edge.Channel, false, "64", "", "63", "641",
                         "Error! Gamma width out of bounds. ", first ? 4 : 3,
                         "' is not a valid width value.", "0", false});
        cases.push_back({edge.Offset, edge.Channel, false, "0", "511", "-1", "512",
                         "Error! Offset out of bounds. (0 - 511)", first ? 3 : 4,
                         "' is not a valid offset value.", "0", false});
    }
    cases.push_back({"BasicGamma", 0, true, "1.0", "5.0", "0.9", "5.1", GammaBounds, 4,
                     GammaInvalid, "2.2", true});
    return cases;
}

class DisplaySetupFieldsTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = &rig.Form->DisplaySetup();
        page->SetMaxOverlap(MaxOverlap);
        // What a bounds error puts back.
        for (int c = 1; c <= 8; ++c) {
            Model().Channels.Output(ScreenToUnitChannel(c)).BlackLevel =
                static_cast<std::uint8_t>(100 + c);
        }
        Model().Channels.UnitOutput(1).BasicGamma = 3.3f;
        Model().Channels.UnitOutput(1).BasicFeatherOn = 1;
    }

    SettingsModel& Model() { return rig.Form->Model(); }
    NumericField* Field(const QString& stem) const {
        return rig.Find<NumericField>(stem + QStringLiteral("Field"));
    }
    QString LastMessage() const {
        return rig.Boxes.Calls().empty() ? QString() : rig.Boxes.Calls().back().Text;
    }
    QString Restored(const FieldCase& c) const {
        return c.Channel == 0 ? QStringLiteral("3.3") : QString::number(100 + c.Channel);
    }

    FormLinkRig rig;
    DisplaySetupPage* page = nullptr;
};

TEST_F(DisplaySetupFieldsTest, EveryFieldHasItsNamesDefaultTextAndTypingLimit) {
    const std::vector<FieldCase> cases = AllFields();
    ASSERT_EQ(cases.size(), 8u + 14u * 2u + 15u * 3u + 1u);
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.Stem.toStdString());
        NumericField* field = Field(c.Stem);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Edit(), rig.Find<FieldEdit>(c.Stem + "Edit"));
        EXPECT_EQ(field->Spin(), rig.Find<SpinButtons>(c.Stem + "UpDown"));
        EXPECT_EQ(field->Text(), c.DefaultText);
        const auto* limit = qobject_cast<const KeyboardLengthLimit*>(field->Edit()->validator());
        EXPECT_EQ(limit != nullptr ? limit->Limit() : 0, c.Limit);
    }
    // Channel 8 has no right feathered edge, channel 1 no left halo edge.
    for (const char* missing : {"RGamma8Edit", "RGammaWidth8Edit", "GammaWidth8Edit",
                                "LHaloWidth1Edit", "RHaloWidth8Edit", "LGamma8Edit"}) {
        EXPECT_EQ(rig.Find<QWidget>(missing), nullptr) << missing;
    }
    auto* twin = Field("DisplaySetupBridgeThreshold");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->Text(), "");
    EXPECT_EQ(qobject_cast<const KeyboardLengthLimit*>(twin->Edit()->validator())->Limit(), 4);
}

TEST_F(DisplaySetupFieldsTest, ValuesJustOutsideEachBoundGiveTheFieldsMessageAndItsRestoreRule) {
    for (const FieldCase& c : AllFields()) {
        SCOPED_TRACE(c.Stem.toStdString());
        NumericField* field = Field(c.Stem);
        ASSERT_NE(field, nullptr);
        for (const QString& outside : {c.BelowLower, c.AboveUpper}) {
            field->SetText(outside);
            rig.Boxes.Clear();
            EXPECT_FALSE(field->CommitField());
            EXPECT_EQ(rig.Boxes.Texts(), QStringList{c.BoundsMessage});
            EXPECT_EQ(field->Text(), c.Restores ? Restored(c) : outside);
        }
        field->SetText(QStringLiteral("x1"));
        rig.Boxes.Clear();
        EXPECT_FALSE(field->CommitField());
        EXPECT_EQ(LastMessage(), "Error! 'x1" + c.InvalidEnding);
        EXPECT_EQ(field->Text(), "x1");
        // The bounds themselves are values.
        for (const QString& bound :
             {c.Lower, c.Upper.isEmpty() ? QString::number(MaxOverlap) : c.Upper}) {
            field->SetText(bound);
            EXPECT_TRUE(field->CommitField()) << bound.toStdString();
        }
    }
    // The basic gamma's restore brings the basic enable box back too.
    rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->setChecked(false);
    Field("BasicGamma")->SetText("5.5");
    Field("BasicGamma")->CommitField();
    EXPECT_TRUE(rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->isChecked());
}

TEST_F(DisplaySetupFieldsTest, ArrowsStepInsideTheBoundsAndStopAtThem) {
    // Arrows of disabled controls do nothing: the sub-pages and the black levels usable.
    page->EnableCalculatedControls();
    page->SetServiceView(true);
    for (const FieldCase& c : AllFields()) {
        SCOPED_TRACE(c.Stem.toStdString());
        NumericField* field = Field(c.Stem);
        const QString upper = c.Upper.isEmpty() ? QString::number(MaxOverlap) : c.Upper;
        const double step = c.Real ? 0.1 : 1;
        const auto shown = [&](double v) {
            return c.Real ? QString::number(v, 'f', 1) : QString::number(v);
        };
        field->SetText(upper);
        field->Spin()->UpButton()->click();
        EXPECT_EQ(field->Text(), upper);
        field->Spin()->DownButton()->click();
        EXPECT_EQ(field->Text(), shown(upper.toDouble() - step));
        field->SetText(c.Lower);
        field->Spin()->DownButton()->click();
        EXPECT_EQ(field->Text(), c.Lower);
        field->Spin()->UpButton()->click();
        EXPECT_EQ(field->Text(), shown(c.Lower.toDouble() + step));
        EXPECT_EQ(rig.Form->State().Busy, 0);
    }
    // The gamma widths follow MaxOverlap as it stands at the click.
    NumericField* width = Field("RGammaWidth6");
    width->SetText("300");
    page->SetMaxOverlap(300);
    width->Spin()->UpButton()->click();
    EXPECT_EQ(width->Text(), "300");
    page->SetMaxOverlap(301);
    width->Spin()->UpButton()->click();
    EXPECT_EQ(width->Text(), "301");
    // An empty twin threshold steps from 16.
    NumericField* twin = Field("DisplaySetupBridgeThreshold");
    twin->Spin()->DownButton()->click();
    EXPECT_EQ(twin->Text(), "15");
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty()) << rig.Boxes.Texts().join(" | ").toStdString();
}

class DisplaySetupEnterTest : public DisplaySetupFieldsTest {
protected:
    void SetUp() override {
        DisplaySetupFieldsTest::SetUp();
        ASSERT_TRUE(rig.Show());
        page->EnableCalculatedControls();
        page->ShowChannels(8);
        page->SetServiceView(true);
        rig.Find<QCheckBox>("AdvanceModeCheckBox")->setChecked(true); // offline: view only
        rig.Form->PageControl()->setCurrentWidget(page);
        // Widths a read would bring; the default "0" is below their bound.
        for (QLineEdit* edit : page->findChildren<QLineEdit*>(QRegularExpression("GammaWidth"))) {
            edit->setText("256");
        }
    }

    // Enter in `from`: where the focus is afterwards.
    QString EnterFrom(const QString& from) {
        QWidget* edit = rig.Find<QWidget>(from + "Edit");
        if (edit == nullptr) {
            return "no such edit";
        }
        auto* subPages = rig.Find<QTabWidget>("ScreenPageControl");
        const int channel = from.right(1).toInt();
        subPages->setCurrentIndex(channel >= 5 && channel <= 8 ? 1 : 0);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("nothing");
    }
};

TEST_F(DisplaySetupEnterTest, EnterMovesAlongTheFieldTableChain) {
    const std::vector<std::pair<QString, QString>> moves = {
        {"LGamma1", "Gamma1Edit"},
        {"Gamma1", "TestPattern1ComboBox"},
        {"LGamma4", "TestPattern4ComboBox"},
        {"RGamma6", "TestPattern6ComboBox"},
        {"Gamma8", "TestPattern8ComboBox"},
        {"LGammaWidth3", "LGammaOffset3Edit"},
        {"GammaWidth1", "GammaOffset1Edit"},
        {"LGammaOffset1", "GammaWidth1Edit"},
        {"LGammaOffset7", "RGammaWidth7Edit"},
        {"RGammaOffset7", "TestPattern7ComboBox"},
        {"GammaOffset1", "TestPattern1ComboBox"},
        {"LGammaOffset8", "TestPattern8ComboBox"},
        {"BasicGamma", "OWidthEdit"},
        {"DisplaySetupBridgeThreshold", "BasicGammaEdit"},
    };
    for (const auto& [from, to] : moves) {
        EXPECT_EQ(EnterFrom(from), to) << from.toStdString();
    }
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty()) << rig.Boxes.Texts().join(" | ").toStdString();
}

TEST_F(DisplaySetupEnterTest, EnterTowardsAControlThatCannotTakeTheFocusCommitsInPlace) {
    // The halo widths never show: Enter in a black level keeps the focus and commits it.
    NumericField* black = Field("Black3");
    black->SetText("300");
    EXPECT_EQ(EnterFrom("Black3"), "Black3Edit");
    EXPECT_EQ(rig.Boxes.Texts(), QStringList{Integer255});
    EXPECT_EQ(black->Text(), "103");
    // One projector: no overlap field to go to from the basic gamma.
    page->ShowChannels(1);
    rig.Find<QCheckBox>("AdvanceModeCheckBox")->setChecked(false);
    rig.Boxes.Clear();
    Field("BasicGamma")->SetText("9");
    EXPECT_EQ(EnterFrom("BasicGamma"), "BasicGammaEdit");
    EXPECT_EQ(rig.Boxes.Texts(), QStringList{GammaBounds});
}

TEST_F(DisplaySetupEnterTest, HaloFieldsMoveBetweenWidthAndOffsetOfTheSameEdge) {
    // Shown here only to follow the chain; nothing in the program shows them.
    rig.Find<QGroupBox>("Halo3GroupBox")->show();
    rig.Find<QGroupBox>("Halo1GroupBox")->show();
    EXPECT_EQ(EnterFrom("LHaloWidth3"), "LHaloOffset3Edit");
    EXPECT_EQ(EnterFrom("RHaloOffset3"), "RHaloWidth3Edit");
    EXPECT_EQ(EnterFrom("Black1"), "HaloWidth1Edit");
    EXPECT_EQ(EnterFrom("Black3"), "LHaloWidth3Edit");
}

TEST_F(DisplaySetupEnterTest, TheFirstTestPatternListFollowsTheVisibleSubPage) {
    auto* subPages = rig.Find<QTabWidget>("ScreenPageControl");
    subPages->setCurrentIndex(0);
    EXPECT_EQ(page->FirstTestPatternList(), rig.Find<QComboBox>("TestPattern1ComboBox"));
    subPages->setCurrentIndex(1);
    EXPECT_EQ(page->FirstTestPatternList(), rig.Find<QComboBox>("TestPattern5ComboBox"));
}

} // namespace
} // namespace tarvel::test
