#include "config/FileSendInput.h"
#include "config/PlanningLists.h"

#include <gtest/gtest.h>

using namespace tarvel;

namespace {

SettingsModel FileWith(int projectors, int alignment, int overlap) {
    SettingsModel file;
    OutputSettings& unit1 = file.Channels.UnitOutput(1);
    unit1.TotalProjectors = static_cast<std::uint8_t>(projectors);
    unit1.ImageAlignment = static_cast<std::uint8_t>(alignment);
    unit1.DisplayOverlap = overlap;
    // Unit 2's copies never reach the Planning page.
    OutputSettings& unit2 = file.Channels.UnitOutput(2);
    unit2.TotalProjectors = 3;
    unit2.ImageAlignment = 1;
    unit2.DisplayOverlap = 99;
    return file;
}

TEST(FileSendInputTest, ThePlanningPageAsAnOpenedFileFillsIt) {
    const FileSendInput wall =
        SendInputFromFile(FileWith(6, LeftJustified, 256), 2, ConnectionMode::Controller, Centered);
    EXPECT_EQ(wall.Input.Projectors, 6);
    EXPECT_EQ(wall.Input.Alignment, LeftJustified);
    EXPECT_EQ(wall.Input.Overlap, 256);
    EXPECT_EQ(wall.Input.UnitCount, 2);
    EXPECT_EQ(wall.Input.Mode, ConnectionMode::Controller);
    EXPECT_FALSE(wall.ProjectorsOutsideList);
    EXPECT_FALSE(wall.AlignmentKept);

    // The overlap field shows the file's width whatever its bounds (an odd, small or negative
    // width is put back from the model when the field refuses it), so that goes out.
    for (const int overlap : {63, 0, -5, 5000}) {
        EXPECT_EQ(SendInputFromFile(FileWith(3, Centered, overlap), 1, ConnectionMode::Direct,
                                    LeftJustified)
                      .Input.Overlap,
                  overlap);
    }
    // More units than two are driven as two.
    EXPECT_EQ(SendInputFromFile(FileWith(6, 0, 256), 3, ConnectionMode::Controller, Centered)
                  .Input.UnitCount,
              2);
}

TEST(FileSendInputTest, ValuesOutsideTheListsAreWhatThePageShows) {
    // The count list holds 1..8: a count beyond it selects the nearest entry.
    const FileSendInput none = SendInputFromFile(FileWith(0, 0, 64), 1, ConnectionMode::Direct, 1);
    EXPECT_EQ(none.Input.Projectors, 1);
    EXPECT_TRUE(none.ProjectorsOutsideList);
    const FileSendInput many =
        SendInputFromFile(FileWith(200, 0, 64), 2, ConnectionMode::Controller, 1);
    EXPECT_EQ(many.Input.Projectors, 8);
    EXPECT_TRUE(many.ProjectorsOutsideList);

    // An alignment that is no list entry leaves the page as it was.
    for (const int shown : {LeftJustified, Centered}) {
        const FileSendInput odd =
            SendInputFromFile(FileWith(4, 7, 64), 1, ConnectionMode::Controller, shown);
        EXPECT_EQ(odd.Input.Alignment, shown);
        EXPECT_TRUE(odd.AlignmentKept);
    }
}

} // namespace
