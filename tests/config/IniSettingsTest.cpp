#include "config/IniSettings.h"
#include "platform/SettingsFiles.h"

#include "TempDir.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tarvel;
using test::Q;
using test::TempDir;

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = test::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(IniSettings, FormatIsSixValuesWithSixDecimalsAndNoLineEnd) {
    EXPECT_EQ(FormatIniSettings({30, 10, 64, 0, 1, 2}), "30.000000 10.000000 64 0 1 2");
    EXPECT_EQ(FormatIniSettings({38.333333333, 12.3456789, 384, 2, 1, 5}),
              "38.333333 12.345679 384 2 1 5");
    EXPECT_EQ(FormatIniSettings({40, 10, 0, 0, 1, 2}), "40.000000 10.000000 0 0 1 2");
}

TEST(IniSettings, ParsesWhatItWritesAndAnyWhiteSpace) {
    EXPECT_EQ(ParseIniSettings("30.000000 10.000000 64 0 1 2"), (IniSettings{30, 10, 64, 0, 1, 2}));
    EXPECT_EQ(ParseIniSettings("40 10 64 3 0 1"), (IniSettings{40, 10, 64, 3, 0, 1}));
    EXPECT_EQ(ParseIniSettings("\n 12.5\t7.25\r\n64   7 1 5\r\n"),
              (IniSettings{12.5, 7.25, 64, 7, 1, 5}));
    EXPECT_EQ(ParseIniSettings("+3e1 1E1 +64 0 0 0"), (IniSettings{30, 10, 64, 0, 0, 0}));
}

TEST(IniSettings, AnyInvalidValueRefusesTheWholeFile) {
    for (const char* text : {
             "",
             "30 10 64 0 1",     // five values
             "30 10 64 -1 1 2",  // no projector count selected
             "30 10 64 0 -1 2",  // no alignment
             "30 10 64 0 1 -1",  // no resolution
             "30 10 64 8 1 2",   // past the end of the count list
             "30 10 64 0 2 2",   // past the end of the alignment list
             "30 10 64 0 1 6",   // past the end of the resolution list
             "0 10 64 0 1 2",    // size 0
             "30 0 64 0 1 2",    //
             "-30 10 64 0 1 2",  // negative first value
             "30 10 0 0 1 2",    // overlap 0 (one projector)
             "30 10 -64 0 1 2",  //
             "30 10 64 0 1 2 7", // a seventh value
             "30 10 64 0 1 2 x", // trailing text
             "30 10 64 0 1 2x",  //
             "30 10 64.5 0 1 2", // an int that is not one
             "30,5 10 64 0 1 2", // a decimal comma
             "inf 10 64 0 1 2",  //
             "nan 10 64 0 1 2",  //
             "30 10 99999999999 0 1 2",
         }) {
        EXPECT_EQ(ParseIniSettings(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(IniSettings, PathIsTheFolderJoinedWithTheFileName) {
    EXPECT_EQ(IniSettingsPath("some/folder"), "some/folder/Tarvel.ini");
    EXPECT_EQ(IniSettingsPath("some/folder/"), "some/folder/Tarvel.ini");
}

TEST(IniSettingsFile, WriteThenReadInAFolderWithALongPath) {
    TempDir dir;
    // Far beyond 249 characters: no limit of its own.
    auto folder = dir.Path();
    for (int i = 0; i < 6; ++i)
        folder /= std::string(60, static_cast<char>('a' + i));
    std::filesystem::create_directories(folder);
    const QString path = IniSettingsPath(Q(folder));
    ASSERT_GT(path.size(), 300);

    ASSERT_TRUE(WriteIniSettingsFile(path, {38.333, 10, 64, 2, 0, 1}));
    EXPECT_EQ(ReadText(folder / "Tarvel.ini"), "38.333000 10.000000 64 2 0 1");
    const auto read = ReadIniSettingsFile(path);
    EXPECT_EQ(read.Status, IniReadStatus::Loaded);
    EXPECT_EQ(read.Settings, (IniSettings{38.333, 10, 64, 2, 0, 1}));
}

TEST(IniSettingsFile, MissingAndInvalidFilesAreToldApart) {
    TempDir dir;
    EXPECT_EQ(ReadIniSettingsFile(Q(dir / "Tarvel.ini")).Status, IniReadStatus::CannotOpen);
    EXPECT_EQ(ReadIniSettingsFile(Q(dir.Path())).Status, IniReadStatus::CannotOpen);
    WriteText(dir / "Tarvel.ini", "30 10 0 0 1 2");
    EXPECT_EQ(ReadIniSettingsFile(Q(dir / "Tarvel.ini")).Status, IniReadStatus::Invalid);
    WriteText(dir / "Tarvel.ini", "");
    EXPECT_EQ(ReadIniSettingsFile(Q(dir / "Tarvel.ini")).Status, IniReadStatus::Invalid);
    WriteText(dir / "Tarvel.ini", "30 10 64 0 1 2" + std::string(70000, ' '));
    EXPECT_EQ(ReadIniSettingsFile(Q(dir / "Tarvel.ini")).Status, IniReadStatus::Invalid);
}

TEST(IniSettingsFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    WriteText(dir / "Tarvel.ini", "30.000000 10.000000 64 0 1 2");
    ASSERT_TRUE(WriteIniSettingsFile(Q(dir / "Tarvel.ini"), {40, 10, 64, 3, 0, 1}));
    EXPECT_EQ(ReadText(dir / "Tarvel.ini"), "40.000000 10.000000 64 3 0 1");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Tarvel.ini"});

    // Where the folder should be there is the file itself: nothing can be created.
    EXPECT_FALSE(WriteIniSettingsFile(Q(dir / "Tarvel.ini" / "Tarvel.ini"), {30, 10, 64, 0, 1, 2}));
    EXPECT_EQ(ReadText(dir / "Tarvel.ini"), "40.000000 10.000000 64 3 0 1");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Tarvel.ini"});
}

TEST(IniSettingsFile, ADecimalCommaLocaleChangesNothing) {
    test::CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be set or compiled";
    TempDir dir;
    const auto path = dir / "Tarvel.ini";
    ASSERT_TRUE(WriteIniSettingsFile(Q(path), {30.5, 10, 64, 0, 1, 2}));
    EXPECT_EQ(ReadText(path), "30.500000 10.000000 64 0 1 2");
    const auto read = ReadIniSettingsFile(Q(path));
    EXPECT_EQ(read.Status, IniReadStatus::Loaded);
    EXPECT_EQ(read.Settings, (IniSettings{30.5, 10, 64, 0, 1, 2}));
    EXPECT_EQ(ParseIniSettings("30,500000 10,000000 64 0 1 2"), std::nullopt);
}
