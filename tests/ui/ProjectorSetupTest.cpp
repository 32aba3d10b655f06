// The Projector Setup page's task groups and the per-channel test pattern controls of the
// Display Setup page, against zelvar-sim.

#include "FormLinkRig.h"

#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/ProjectorSetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

QString Item(int group, int index) {
    return QStringLiteral("ProjTest%1RadioGroupItem%2").arg(group).arg(index);
}

class ProjectorSetupTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2"}));
        ASSERT_TRUE(rig.Show());
        ASSERT_TRUE(rig.ConnectController(sim.Path()));
        ASSERT_TRUE(rig.ReadUnits());
        rig.Form->DisplaySetup().EnableCalculatedControls();
        rig.Form->DisplaySetup().ShowChannels(8);
        rig.Form->PageControl()->setCurrentWidget(&rig.Form->ProjectorSetup());
        Mark();
    }
    void Mark() {
        mark = sim.Log().size();
        rig.Boxes.Clear();
    }
    Lines Sent() const { return sim.LogFrom(mark); }

    QRadioButton* Radio(int group, int index) const {
        return rig.Find<QRadioButton>(Item(group, index));
    }
    // The task groups that show a selection.
    std::vector<int> Selected() const {
        std::vector<int> groups;
        for (int group = 1; group <= 4; ++group) {
            for (int index = 0; Radio(group, index) != nullptr; ++index) {
                if (Radio(group, index)->isChecked()) {
                    groups.push_back(group);
                }
            }
        }
        return groups;
    }
    QCheckBox* Box(const char* name) const { return rig.Find<QCheckBox>(name); }
    QComboBox* List(int channel) const {
        return rig.Find<QComboBox>(QStringLiteral("TestPattern%1ComboBox").arg(channel));
    }
    QCheckBox* Grid(int channel) const {
        return rig.Find<QCheckBox>(QStringLiteral("TestGrid%1CheckBox").arg(channel));
    }
    QCheckBox* Raster(int channel) const {
        return rig.Find<QCheckBox>(QStringLiteral("OutputRaster%1CheckBox").arg(channel));
    }

    SimUnits sim;
    FormLinkRig rig;
    std::size_t mark = 0;
};

TEST_F(ProjectorSetupTest, TheNoteGroupsItemsAndInstructions) {
    EXPECT_EQ(rig.Find<QLabel>("ProjNoteLabel")->text(),
              "Note:  Please see projector documentation for correct projector adjustment "
              "instructions. ");
    const std::vector<std::pair<const char*, QStringList>> groups = {
        {"ProjTest1RadioGroup",
         {"Off", "Resolution 1 Pixel ON/ 1 Pixel OFF", "Resolution 2 Pixel ON/ 2 Pixel OFF"}},
        {"ProjTest2RadioGroup", {"Off", "Black with Raster Box", "Gray Scale with Raster Box"}},
        {"ProjTest3RadioGroup", {"Off", "Image Overlap Alignment with Raster Box"}},
        {"ProjTest4RadioGroup",
         {"Off", "Black", "Gray - 25%", "Gray - 50%", "Gray - 75%", "White", "H Bars"}},
    };
    const char* const outer[] = {"ProjPhaseGroupBox", "ProjInputSizeGroupBox",
                                 "DisplayImageGroupBox", "ProjColorGroupBox"};
    for (int g = 1; g <= 4; ++g) {
        auto* radio = rig.Find<QGroupBox>(groups[g - 1].first);
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->title(), "Test Patterns");
        EXPECT_EQ(radio->parentWidget()->objectName(), outer[g - 1]);
        QStringList items;
        for (int index = 0; Radio(g, index) != nullptr; ++index) {
            items << Radio(g, index)->text();
        }
        EXPECT_EQ(items, groups[g - 1].second);
    }
    EXPECT_TRUE(Selected().empty());
    // The colour group stands in three columns.
    EXPECT_EQ(Radio(4, 0)->y(), Radio(4, 2)->y());
    EXPECT_EQ(Radio(4, 0)->x(), Radio(4, 3)->x());
    EXPECT_EQ(Box("ProjTest1RasterCheckBox")->text(), "Output Raster Box");
    EXPECT_EQ(Box("ProjTest3GridCheckBox")->text(), "Output Test Grid");
    EXPECT_EQ(Box("ProjTest1RasterCheckBox")->parentWidget()->objectName(), "ProjPhaseGroupBox");

    const std::vector<QStringList> instructions = {
        {"Projector Phase Adjust:", "- Select one of the available Resolution test patterns.",
         "- For each projector, adjusts input sample clock phase to achieve one-to-one sampling "
         "of the test pattern."},
        {"Projector Input Size Adjust:", "- Select the Black Test Pattern With Raster Box",
         "- The Raster Box is a one-pixel outline of the of active display raster being input to "
         "the projector.  For each projector, adjust Input Horizontal and Vertical Position "
         "until the Raster Box test pattern is aligned with the projector's output display "
         "raster."},
        {"Display Image Alignment:",
         "Select the Projector Overlap Alignment Test Pattern.  The Overlap Alignment Test "
         "pattern displays a broken vertical line on each side of the image.  The position of "
         "the line has been calculated based on the required amount of image overlap. ",
         "Projectors will be correctly overlapped when the two broken Alignment lines from "
         "adjacent projectors combine to create a single solid vertical line."},
        {"Projector Color Balance Adjustment:",
         "- Select available test patterns, as required.  For each projector, adjust color "
         "balance, as required, to match all projectors."},
    };
    for (int g = 1; g <= 4; ++g) {
        QStringList texts;
        for (QLabel* label : rig.Find<QWidget>(QStringLiteral("ProjInstruction%1Panel").arg(g))
                                 ->findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_EQ(texts, instructions[g - 1]) << g;
    }
}

TEST_F(ProjectorSetupTest, EveryTaskChoiceSendsItsMappedPatternToAllChannelsOfBothUnits) {
    Start();
    struct Choice {
        int Group, Index;
        const char* Frame; // the command after the address, for unit 1 and unit 2 alike
    };
    const Choice choices[] = {
        {1, 0, "OTPMZV 5 0 0 0!"}, {1, 1, "OTPMZV 5 2 0 0!"}, {1, 2, "OTPMZV 5 3 0 0!"},
        {2, 0, "OTPMZV 5 0 0 0!"}, {2, 1, "OTPMZV 5 5 1 0!"}, {2, 2, "OTPMZV 5 4 1 0!"},
        {3, 0, "OTPMZV 5 0 0 0!"}, {3, 1, "OTPMZV 5 1 1 0!"}, {4, 0, "OTPMZV 5 0 0 0!"},
        {4, 1, "OTPMZV 5 5 0 0!"}, {4, 2, "OTPMZV 5 6 0 0!"}, {4, 3, "OTPMZV 5 7 0 0!"},
        {4, 4, "OTPMZV 5 8 0 0!"}, {4, 5, "OTPMZV 5 9 0 0!"}, {4, 6, "OTPMZV 5 4 0 0!"},
    };
    for (const Choice& choice : choices) {
        Mark();
        Radio(choice.Group, choice.Index)->click();
        EXPECT_EQ(Sent(),
                  Lines({std::string("*1") + choice.Frame, std::string("*2") + choice.Frame}))
            << choice.Group << "/" << choice.Index;
        EXPECT_EQ(Selected(), std::vector<int>{choice.Group});
    }
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(ProjectorSetupTest, BlackWithRasterBoxReachesEveryChannelAndClearsTheOtherGroups) {
    Start();
    Radio(1, 1)->click();
    Box("ProjTest1RasterCheckBox")->setChecked(true);
    Box("ProjTest3GridCheckBox")->setChecked(true);
    Mark();
    Radio(2, 1)->click();
    EXPECT_EQ(Sent(), Lines({"*1OTPMZV 5 5 1 0!", "*2OTPMZV 5 5 1 0!"}));
    for (int channel = 1; channel <= 8; ++channel) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(List(channel)->currentText(), "Black");
        EXPECT_TRUE(Raster(channel)->isChecked());
        EXPECT_FALSE(Grid(channel)->isChecked());
        const OutputSettings& output =
            rig.Form->Model().Channels.Output(ScreenToUnitChannel(channel));
        EXPECT_EQ(output.TestPattern, 5);
        EXPECT_EQ(output.OutputRaster, 1);
    }
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_FALSE(Box("ProjTest1RasterCheckBox")->isChecked());
    EXPECT_FALSE(Box("ProjTest3GridCheckBox")->isChecked());
    EXPECT_EQ(sim.State().Output(2, 4).TestPattern, 5);
    // The filled per-channel controls sent nothing themselves.
    EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(ProjectorSetupTest, TheExtraBoxesChooseOffFirstAndCarryTheirState) {
    Start();
    Box("ProjTest1RasterCheckBox")->click();
    EXPECT_TRUE(Radio(1, 0)->isChecked());
    EXPECT_EQ(Sent(), Lines({"*1OTPMZV 5 0 1 0!", "*2OTPMZV 5 0 1 0!"}));

    Mark();
    Radio(3, 1)->click();
    Box("ProjTest3GridCheckBox")->click();
    EXPECT_EQ(Sent(), Lines({"*1OTPMZV 5 1 1 0!", "*2OTPMZV 5 1 1 0!", "*1OTPMZV 5 1 1 1!",
                             "*2OTPMZV 5 1 1 1!"}));
    for (int channel = 1; channel <= 8; ++channel) {
        EXPECT_EQ(List(channel)->currentText(), "Alignment Position");
        EXPECT_TRUE(Grid(channel)->isChecked());
    }
    EXPECT_FALSE(Box("ProjTest1RasterCheckBox")->isChecked());
    EXPECT_EQ(Selected(), std::vector<int>{3});
}

TEST_F(ProjectorSetupTest, AChannelsOwnChoiceGoesToItsUnitChannelAndClearsEveryTaskGroup) {
    Start();
    Radio(2, 1)->click(); // every channel "Black" with the raster box
    Box("ProjTest3GridCheckBox")->setChecked(true);
    Mark();
    List(6)->setCurrentIndex(9);
    EXPECT_EQ(Sent(), Lines{"*2OTPMZV 2 9 1 0!"});
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(Box("ProjTest3GridCheckBox")->isChecked()); // boxes keep their state
    Grid(6)->click();
    Raster(1)->click();
    EXPECT_EQ(Sent(), Lines({"*2OTPMZV 2 9 1 0!", "*2OTPMZV 2 9 1 1!", "*1OTPMZV 1 5 0 0!"}));
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 2).TestPattern, 9);
}

TEST_F(ProjectorSetupTest, AFillSendsNothingButClearsTheTaskGroups) {
    Start();
    Radio(4, 5)->click();
    Mark();
    rig.Form->Model().Channels.Output(1, 2).TestGrid = 1;
    rig.Form->Model().Channels.Output(2, 3).TestPattern = 2;
    {
        UpdatingControlsGuard updating(rig.Form->State());
        rig.Form->DisplaySetup().FillDisplayPage();
    }
    EXPECT_TRUE(Grid(2)->isChecked());
    EXPECT_EQ(List(7)->currentText(), "1 Pixel On / 1 Pixel Off");
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(rig.Form->State().UpdatingControls);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ProjectorSetupTest, WhileDisconnectedAChoiceChangesOnlyTheModelAndTheLists) {
    Start();
    rig.Link->Disconnect();
    Radio(4, 6)->click();
    for (int channel = 1; channel <= 8; ++channel) {
        EXPECT_EQ(List(channel)->currentText(), "Horizontal Bars");
        EXPECT_EQ(rig.Form->Model().Channels.Output(ScreenToUnitChannel(channel)).TestPattern, 4);
    }
    // A channel's own choice is stored for that channel alone, and not sent either.
    List(3)->setCurrentIndex(7);
    EXPECT_EQ(rig.Form->Model().Channels.Output(1, 3).TestPattern, 7);
    EXPECT_EQ(rig.Form->Model().Channels.Output(1, 2).TestPattern, 4);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty());
}

TEST_F(ProjectorSetupTest, WithOneUnitOnlyItsChannelsChange) {
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    ASSERT_TRUE(rig.Show());
    ASSERT_TRUE(rig.ConnectDirect(sim.Path()));
    ASSERT_TRUE(rig.ReadUnits());
    Mark();
    Radio(2, 2)->click();
    EXPECT_EQ(Sent(), Lines{"OTPMZV 5 4 1 0"});
    EXPECT_EQ(List(4)->currentText(), "Horizontal Bars");
    EXPECT_EQ(List(5)->currentText(), "Off");
    EXPECT_EQ(rig.Form->Model().Channels.Output(2, 1).TestPattern, 0);
}

} // namespace
} // namespace tarvel::test
