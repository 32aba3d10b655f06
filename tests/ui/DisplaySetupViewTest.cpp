// What the Display Setup page shows: its start state, the controls for N projectors, the
// basic/advanced view, the service view, the texts, and the fill from the model.

#include "FormLinkRig.h"

#include "ui/FieldEdit.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace tarvel::test {
namespace {

class DisplaySetupViewTest : public ::testing::Test {
protected:
    void SetUp() override { page = &rig.Form->DisplaySetup(); }

    // Shown on the page when its sub-page is the current one (whether or not the page itself
    // is on screen).
    bool Shown(const QString& name) const {
        QWidget* widget = rig.Find<QWidget>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        for (QWidget* w = widget; w != nullptr && w != page; w = w->parentWidget()) {
            const bool subPage =
                w->parentWidget() != nullptr && w->parentWidget()->parentWidget() == SubPages();
            if (w->isHidden() && !subPage) {
                return false;
            }
        }
        return widget != nullptr;
    }
    bool Enabled(const QString& name) const {
        QWidget* widget = rig.Find<QWidget>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget != nullptr && widget->isEnabled();
    }
    QTabWidget* SubPages() const { return rig.Find<QTabWidget>("ScreenPageControl"); }
    QString Text(const QString& name) const { return rig.Find<QLineEdit>(name)->text(); }

    FormLinkRig rig;
    DisplaySetupPage* page = nullptr;
};

TEST_F(DisplaySetupViewTest, StartState) {
    // Before the first showing applies a mode.
    EXPECT_FALSE(Enabled("ScreenPageControl"));
    EXPECT_FALSE(Enabled("BasicEdgeFeatheringCheckBox"));
    EXPECT_FALSE(Shown("AdvanceModeCheckBox"));
    EXPECT_FALSE(Shown("DataDoubleGroupBox"));
    EXPECT_FALSE(Shown("FeatherRadioGroup"));
    EXPECT_TRUE(Shown("EdgeFeatherBasicGroupBox"));
    auto* curve = rig.Find<QGroupBox>("FeatherRadioGroup");
    for (QRadioButton* item : curve->findChildren<QRadioButton*>()) {
        EXPECT_FALSE(item->isChecked());
    }
    for (int c = 1; c <= 8; ++c) {
        SCOPED_TRACE(c);
        EXPECT_FALSE(Shown(QStringLiteral("Halo%1GroupBox").arg(c)));
        EXPECT_FALSE(Shown(QStringLiteral("EdgeAdv%1GroupBox").arg(c)));
        EXPECT_TRUE(
            rig.Find<QWidget>(QStringLiteral("EdgeFeather%1GroupBox").arg(c))
                ->isVisibleTo(rig.Find<QWidget>(QStringLiteral("Screen%1GroupBox").arg(c))));
        for (const QString stem : {"BlackLabel%1", "Black%1Edit", "Black%1UpDown"}) {
            EXPECT_FALSE(Enabled(stem.arg(c)));
        }
        EXPECT_EQ(Text(QStringLiteral("Black%1Edit").arg(c)), "0");
        EXPECT_EQ(
            rig.Find<QComboBox>(QStringLiteral("TestPattern%1ComboBox").arg(c))->currentText(),
            "Off");
    }
    EXPECT_EQ(Text("OWidthEdit"), "64");
    EXPECT_EQ(Text("BasicGammaEdit"), "2.2");
    EXPECT_EQ(Text("DisplaySetupBridgeThresholdEdit"), "");

    // The first showing applies the (basic) mode: the advanced groups go.
    ASSERT_TRUE(rig.Show());
    for (int c = 1; c <= 8; ++c) {
        EXPECT_TRUE(rig.Find<QWidget>(QStringLiteral("EdgeFeather%1GroupBox").arg(c))->isHidden());
    }
    page->EnableCalculatedControls();
    EXPECT_TRUE(Enabled("ScreenPageControl"));
    EXPECT_TRUE(Enabled("BasicEdgeFeatheringCheckBox"));
}

TEST_F(DisplaySetupViewTest, CaptionsListsAndHelpTexts) {
    EXPECT_EQ(SubPages()->tabText(0), "Screens 1-4 Controls");
    EXPECT_EQ(SubPages()->tabText(1), "Screen 5-8 Controls");
    EXPECT_EQ(SubPages()->widget(0)->objectName(), "Screen14TabSheet");
    EXPECT_EQ(SubPages()->widget(1)->objectName(), "Screen58TabSheet");
    for (int c = 1; c <= 8; ++c) {
        auto* group = rig.Find<QGroupBox>(QStringLiteral("Screen%1GroupBox").arg(c));
        EXPECT_EQ(group->title(), QStringLiteral("Screen %1 Controls").arg(c));
        EXPECT_EQ(group->parentWidget(), SubPages()->widget(c <= 4 ? 0 : 1));
        auto* list = rig.Find<QComboBox>(QStringLiteral("TestPattern%1ComboBox").arg(c));
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        EXPECT_EQ(items,
                  QStringList({"Off", "Alignment Position", "1 Pixel On / 1 Pixel Off",
                               "2 Pixel On / 2 Pixel Off", "Horizontal Bars", "Black", "Grey - 25%",
                               "Grey - 50%", "Grey - 75%", "White", "Horizontal Ramp"}));
        EXPECT_EQ(list->maxVisibleItems(), 11);
        EXPECT_EQ(rig.Find<QCheckBox>(QStringLiteral("TestGrid%1CheckBox").arg(c))->text(),
                  "Test Grid");
        EXPECT_EQ(rig.Find<QCheckBox>(QStringLiteral("OutputRaster%1CheckBox").arg(c))->text(),
                  "Output Raster Box");
        EXPECT_EQ(rig.Find<QLabel>(QStringLiteral("BlackLabel%1").arg(c))->text(), "Black Level ");
        EXPECT_EQ(rig.Find<QGroupBox>(QStringLiteral("EdgeFeather%1GroupBox").arg(c))->title(),
                  "Edge Feathering (Advanced)");
        EXPECT_EQ(rig.Find<QGroupBox>(QStringLiteral("Halo%1GroupBox").arg(c))->title(),
                  "Halo Removal");
    }
    // Odd channel on top, the first pair in the left column.
    const auto pos = [&](int c) {
        return rig.Find<QWidget>(QStringLiteral("Screen%1GroupBox").arg(c))->pos();
    };
    EXPECT_EQ(pos(1).x(), pos(2).x());
    EXPECT_LT(pos(1).y(), pos(2).y());
    EXPECT_LT(pos(1).x(), pos(3).x());
    EXPECT_EQ(pos(3).y(), pos(1).y());
    EXPECT_EQ(pos(8).y(), pos(6).y());

    EXPECT_EQ(rig.Find<QCheckBox>("LEdgeFeathering1CheckBox")->text(), "Enable (L)");
    EXPECT_EQ(rig.Find<QCheckBox>("EdgeFeathering1CheckBox")->text(), "Enable (R)");
    EXPECT_EQ(rig.Find<QCheckBox>("EdgeFeathering8CheckBox")->text(), "Enable (L)");
    EXPECT_EQ(rig.Find<QCheckBox>("REdgeFeathering5CheckBox")->text(), "Enable (R)");

    QStringList help;
    for (int i = 1; i <= 6; ++i) {
        help << rig.Find<QLabel>(QStringLiteral("DisplaySetupHelp%1Label").arg(i))->text();
    }
    EXPECT_EQ(
        help,
        QStringList(
            {"OUTPUT RASTER BOX:  Displays a 1- pixel outline of the of active display. ",
             "TEST GRID:  Provides a Grid of 1-pixel lines. Grid is displayed in combination "
             "with selected Test Pattern or Live video and Raster Box, if enabled.  \r\n\r\n",
             "BLACK LEVEL: Adjusts  brightness of non-overlapped image area to \r\ncompensate for "
             "excess light in overlapped image area due to light leakage from the two "
             "overlapping projectors.",
             "DATA DOUBLING OVERLAP WIDTH:  Adjusts the width of the projector overlap area. The "
             "Overlap Width is used to control the amount of data doubling required and the "
             "width of the associated edge feathering.",
             "EDGE FEATHERING BASIC MODE: In this mode, all Edge Feathered regions are enabled and "
             "set to a single common Gamma value as a group.",
             "EDGE FEATHERING ADVANCED MODE:  Selecting this mode allows the user to "
             "independently enable and set Edge Feathering Gamma for each edge of each screen. "}));
    EXPECT_EQ(rig.Find<QPushButton>("DisplaySetupSystemSaveButton")->text(),
              "System Save Zelvar(s)");
    EXPECT_EQ(rig.Find<QGroupBox>("DataDoubleGroupBox")->title(), "Data Doubling");
    EXPECT_EQ(rig.Find<QCheckBox>("EnDataDoubleCheckBox")->text(), "Enable");
    EXPECT_EQ(rig.Find<QCheckBox>("DisplaySetupSeamBridgeAllConfigCheckBox")->text(), "Enable");
    EXPECT_EQ(rig.Find<QGroupBox>("EdgeFeatherBasicGroupBox")->title(),
              "Edge Feathering Basic Mode");
    EXPECT_EQ(rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->text(), "Enable ");
    EXPECT_EQ(rig.Find<QCheckBox>("AdvanceModeCheckBox")->text(), "Edge Feathering Advanced Mode");
    EXPECT_EQ(rig.Find<QRadioButton>("FeatherRadioGroupItem0")->text(), "S-Curve");
    EXPECT_EQ(rig.Find<QRadioButton>("FeatherRadioGroupItem1")->text(), "Linear");
    EXPECT_EQ(rig.Find<QPushButton>("ResetButton")->text(), "Reset Zelvar(s)");
    EXPECT_EQ(rig.Find<QPushButton>("SystemSaveButton")->text(), "System Save Zelvar(s)");
}

// The right-edge controls of a channel that the projector count governs.
QStringList RightEdge(int c) {
    return {QStringLiteral("REdgeFeathering%1CheckBox").arg(c),
            QStringLiteral("RGamma%1Edit").arg(c),
            QStringLiteral("RGamma%1UpDown").arg(c),
            QStringLiteral("RHaloWidth%1Edit").arg(c),
            QStringLiteral("RHaloOffset%1Edit").arg(c),
            QStringLiteral("RHaloWidth%1UpDown").arg(c)};
}

TEST_F(DisplaySetupViewTest, OneProjector) {
    ASSERT_TRUE(rig.Show());
    page->ShowChannels(1);
    EXPECT_FALSE(Shown("AdvanceModeCheckBox"));
    EXPECT_FALSE(Shown("EdgeFeatherBasicGroupBox"));
    EXPECT_FALSE(Shown("DataDoubleGroupBox"));
    EXPECT_TRUE(Shown("Screen1GroupBox"));
    for (int c = 2; c <= 8; ++c) {
        EXPECT_FALSE(Shown(QStringLiteral("Screen%1GroupBox").arg(c))) << c;
    }
    EXPECT_FALSE(SubPages()->isTabVisible(1));
    // Channel 1 keeps both gamma edges.
    auto* group1 = rig.Find<QWidget>("EdgeFeather1GroupBox");
    for (const char* name :
         {"LGamma1Edit", "Gamma1Edit", "LEdgeFeathering1CheckBox", "EdgeFeathering1CheckBox"}) {
        EXPECT_TRUE(rig.Find<QWidget>(name)->isVisibleTo(group1)) << name;
    }
}

TEST_F(DisplaySetupViewTest, FourProjectors) {
    ASSERT_TRUE(rig.Show());
    page->ShowChannels(8);
    page->ShowChannels(4);
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(Shown(QStringLiteral("Screen%1GroupBox").arg(c)), c <= 4) << c;
    }
    for (int c = 2; c <= 7; ++c) {
        // Each control's own state (the halo group around some of them never shows).
        for (const QString& name : RightEdge(c)) {
            EXPECT_EQ(!rig.Find<QWidget>(name)->isHidden(), c <= 3) << name.toStdString();
        }
    }
    EXPECT_FALSE(SubPages()->isTabVisible(1));
    EXPECT_TRUE(Shown("AdvanceModeCheckBox"));
    EXPECT_TRUE(Shown("EdgeFeatherBasicGroupBox"));
    EXPECT_TRUE(Shown("DataDoubleGroupBox"));
}

TEST_F(DisplaySetupViewTest, EightProjectors) {
    ASSERT_TRUE(rig.Show());
    page->ShowChannels(8);
    for (int c = 1; c <= 8; ++c) {
        EXPECT_TRUE(Shown(QStringLiteral("Screen%1GroupBox").arg(c))) << c;
    }
    for (int c = 2; c <= 7; ++c) {
        for (const QString& name : RightEdge(c)) {
            EXPECT_FALSE(rig.Find<QWidget>(name)->isHidden()) << name.toStdString();
        }
    }
    EXPECT_TRUE(SubPages()->isTabVisible(1));
    // Channel 8: the left edge only.
    auto* group8 = rig.Find<QWidget>("Screen8GroupBox");
    EXPECT_FALSE(rig.Find<QWidget>("Gamma8Edit")->isHidden());
    EXPECT_FALSE(rig.Find<QWidget>("EdgeFeathering8CheckBox")->isHidden());
    EXPECT_TRUE(group8->findChildren<QCheckBox*>(QRegularExpression("Feathering")).size() == 1);
    EXPECT_TRUE(group8->findChildren<QLineEdit*>(QRegularExpression("^R")).isEmpty());
}

TEST_F(DisplaySetupViewTest, BasicAndAdvancedViewFollowTheBoxAndTheServiceViewItsOwnControls) {
    ASSERT_TRUE(rig.Show());
    page->EnableCalculatedControls();
    page->ShowChannels(8);
    auto* advanced = rig.Find<QCheckBox>("AdvanceModeCheckBox");
    advanced->click(); // not connected: the view only
    EXPECT_FALSE(Shown("EdgeFeatherBasicGroupBox"));
    for (int c = 1; c <= 8; ++c) {
        EXPECT_TRUE(Shown(QStringLiteral("EdgeFeather%1GroupBox").arg(c)));
    }
    advanced->click();
    EXPECT_TRUE(Shown("EdgeFeatherBasicGroupBox"));
    for (int c = 1; c <= 8; ++c) {
        EXPECT_FALSE(Shown(QStringLiteral("EdgeFeather%1GroupBox").arg(c)));
    }
    // Advanced mode, then a change of the count keeps the basic group away.
    advanced->click();
    page->ShowChannels(6);
    EXPECT_FALSE(Shown("EdgeFeatherBasicGroupBox"));

    page->SetServiceView(true);
    EXPECT_TRUE(Shown("FeatherRadioGroup"));
    for (int c = 1; c <= 6; ++c) {
        EXPECT_TRUE(Shown(QStringLiteral("EdgeAdv%1GroupBox").arg(c)));
        EXPECT_TRUE(Enabled(QStringLiteral("Black%1Edit").arg(c)));
        EXPECT_TRUE(Enabled(QStringLiteral("BlackLabel%1").arg(c)));
        EXPECT_TRUE(Enabled(QStringLiteral("Black%1UpDown").arg(c)));
    }
    // Hidden channels keep their advanced sub-groups out of sight until the count shows them.
    EXPECT_FALSE(Shown("EdgeAdv7GroupBox"));
    page->ShowChannels(8);
    EXPECT_TRUE(Shown("EdgeAdv7GroupBox"));
    rig.Find<QLineEdit>("Black2Edit")->setText("77");
    page->SetServiceView(false);
    EXPECT_FALSE(Shown("FeatherRadioGroup"));
    EXPECT_FALSE(Shown("EdgeAdv2GroupBox"));
    EXPECT_FALSE(Enabled("Black2Edit"));
    EXPECT_EQ(Text("Black2Edit"), "77");
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupViewTest, TheFillShowsTheModelAndAppliesAChangedMode) {
    ASSERT_TRUE(rig.Show());
    page->ShowChannels(8);
    SettingsModel& model = rig.Form->Model();
    OutputSettings& c3 = model.Channels.Output(1, 3);
    c3.TestPattern = 9;
    c3.TestGrid = 1;
    c3.OutputRaster = 0;
    c3.BlackLevel = 33;
    c3.LeftHaloWidth = 11;
    c3.LeftHaloOffset = 12;
    c3.RightHaloWidth = 13;
    c3.RightHaloOffset = 14;
    c3.LeftGamma = 2.4f;
    c3.LeftFeatherOn = 0;
    c3.RightGamma = 3.7f;
    c3.RightFeatherOn = 1;
    c3.LeftGammaWidth = 250;
    c3.LeftGammaOffset = 5;
    c3.RightGammaWidth = 260;
    c3.RightGammaOffset = 6;
    OutputSettings& c8 = model.Channels.Output(2, 4);
    c8.LeftGamma = 1.5f;
    c8.LeftFeatherOn = 1;
    c8.LeftHaloWidth = 21;
    c8.LeftHaloOffset = 22;
    c8.LeftGammaWidth = 128;
    OutputSettings& c1 = model.Channels.Output(1, 1);
    c1.RightHaloWidth = 31;
    c1.RightHaloOffset = 32;
    c1.ControlMode = 1;
    c1.BasicGamma = 2.2f;
    c1.BasicFeatherOn = 0;
    c1.DisplayOverlap = 200;
    c1.DataDoubling = 1;
    c1.FeatherCurve = 'L';
    c1.SeamBridge = 1;
    c1.BridgeThreshold = 0;
    rig.Find<QLineEdit>("DisplaySetupBridgeThresholdEdit")->setText("40");

    page->FillDisplayPage();
    EXPECT_FALSE(rig.Form->State().UpdatingControls);
    EXPECT_EQ(rig.Find<QComboBox>("TestPattern3ComboBox")->currentText(), "White");
    EXPECT_TRUE(rig.Find<QCheckBox>("TestGrid3CheckBox")->isChecked());
    EXPECT_FALSE(rig.Find<QCheckBox>("OutputRaster3CheckBox")->isChecked());
    const std::vector<std::pair<QString, QString>> texts = {
        {"Black3Edit", "33"},
        {"LHaloWidth3Edit", "11"},
        {"LHaloOffset3Edit", "12"},
        {"RHaloWidth3Edit", "13"},
        {"RHaloOffset3Edit", "14"},
        {"LGamma3Edit", "2.4"},
        {"RGamma3Edit", "3.7"},
        {"LGammaWidth3Edit", "250"},
        {"LGammaOffset3Edit", "5"},
        {"RGammaWidth3Edit", "260"},
        {"RGammaOffset3Edit", "6"},
        {"Gamma8Edit", "1.5"},
        {"HaloWidth8Edit", "21"},
        {"HaloOffset8Edit", "22"},
        {"LGammaWidth8Edit", "128"},
        {"HaloWidth1Edit", "31"},
        {"HaloOffset1Edit", "32"},
        {"BasicGammaEdit", "2.2"},
        {"OWidthEdit", "200"},
        // A threshold of 0 leaves the field as it was.
        {"DisplaySetupBridgeThresholdEdit", "40"},
    };
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(Text(name), text) << name.toStdString();
    }
    EXPECT_FALSE(rig.Find<QCheckBox>("LEdgeFeathering3CheckBox")->isChecked());
    EXPECT_TRUE(rig.Find<QCheckBox>("REdgeFeathering3CheckBox")->isChecked());
    EXPECT_TRUE(rig.Find<QCheckBox>("EdgeFeathering8CheckBox")->isChecked());
    EXPECT_FALSE(rig.Find<QCheckBox>("BasicEdgeFeatheringCheckBox")->isChecked());
    EXPECT_TRUE(rig.Find<QCheckBox>("EnDataDoubleCheckBox")->isChecked());
    EXPECT_TRUE(rig.Find<QRadioButton>("FeatherRadioGroupItem1")->isChecked());
    EXPECT_TRUE(rig.Find<QCheckBox>("DisplaySetupSeamBridgeAllConfigCheckBox")->isChecked());
    // The mode changed with the fill: the advanced view, nothing sent (no link anyway).
    EXPECT_TRUE(rig.Find<QCheckBox>("AdvanceModeCheckBox")->isChecked());
    EXPECT_FALSE(Shown("EdgeFeatherBasicGroupBox"));
    EXPECT_TRUE(Shown("EdgeFeather3GroupBox"));

    // A curve the list does not know leaves the choice as it was; a threshold is shown.
    c1.FeatherCurve = 'X';
    c1.BridgeThreshold = 99;
    c1.BasicGamma = 3.14159f;
    page->FillDisplayPage();
    EXPECT_TRUE(rig.Find<QRadioButton>("FeatherRadioGroupItem1")->isChecked());
    EXPECT_EQ(Text("DisplaySetupBridgeThresholdEdit"), "99");
    EXPECT_EQ(Text("BasicGammaEdit"), "3.14");
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(DisplaySetupViewTest, TheSeamBridgeTwinsForwardWhatTheUserDoes) {
    ASSERT_TRUE(rig.Show());
    page->ShowChannels(8);
    rig.Form->PageControl()->setCurrentWidget(page);
    QStringList committed;
    std::vector<bool> clicked;
    QObject::connect(page, &DisplaySetupPage::BridgeThresholdTwinCommitted,
                     [&](const QString& text) { committed << text; });
    QObject::connect(page, &DisplaySetupPage::SeamBridgeTwinClicked,
                     [&](bool checked) { clicked.push_back(checked); });

    auto* box = rig.Find<QCheckBox>("DisplaySetupSeamBridgeAllConfigCheckBox");
    box->click();
    page->SetSeamBridgeTwin(false); // the seam page copying its state: no signal
    EXPECT_EQ(clicked, std::vector<bool>{true});
    EXPECT_FALSE(box->isChecked());

    auto* edit = rig.Find<FieldEdit>("DisplaySetupBridgeThresholdEdit");
    edit->setFocus();
    edit->setText("abc"); // checked by the seam page's field, not here
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), rig.Find<QWidget>("BasicGammaEdit"));
    page->SetBridgeThresholdTwinText("");
    rig.Find<QWidget>("DisplaySetupBridgeThresholdUpDown")->findChild<QToolButton*>("Up")->click();
    EXPECT_EQ(committed, QStringList({"abc", "17"}));
    EXPECT_EQ(page->BridgeThresholdTwinText(), "17");
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

} // namespace
} // namespace tarvel::test
