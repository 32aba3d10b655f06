// Tarvel.ini of any content: random bytes, key=value lines with junk, cut-off files, huge lines
// and numbers out of range. Reading never fails in any other way than refusing the whole file,
// what is accepted is always usable, and what is written afterwards is a well-formed line that
// reads back as the same settings (or, for sizes too small for six decimals, is refused again).
#include "config/IniSettings.h"
#include "platform/SettingsFiles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <regex>
#include <string>

using namespace tarvel;
using test::Q;
using test::TempDir;

namespace {

const std::string Valid = "30.000000 10.000000 64 0 1 2";

// What a written file must look like: "%lf %lf %d %d %d %d", no line end.
bool WellFormed(const std::string& text) {
    static const std::regex line(R"(-?\d+\.\d{6} -?\d+\.\d{6} -?\d+ -?\d+ -?\d+ -?\d+)");
    return std::regex_match(text, line);
}

// An accepted file holds values the window can use as they are.
::testing::AssertionResult Usable(const IniSettings& s) {
    if (!(std::isfinite(s.HorizontalOutSize) && s.HorizontalOutSize > 0 &&
          std::isfinite(s.VerticalOutSize) && s.VerticalOutSize > 0))
        return ::testing::AssertionFailure()
               << "a size " << s.HorizontalOutSize << " " << s.VerticalOutSize;
    if (s.OverlapWidth <= 0)
        return ::testing::AssertionFailure() << "overlap " << s.OverlapWidth;
    if (s.ProjectorCountIndex < 0 || s.ProjectorCountIndex > 7 || s.AlignmentIndex < 0 ||
        s.AlignmentIndex > 1 || s.ResolutionIndex < 0 || s.ResolutionIndex > 5)
        return ::testing::AssertionFailure() << "an index outside its list";
    return ::testing::AssertionSuccess();
}

// Writing what was read gives a well-formed file that reads back as the same values, sizes
// rounded to six decimals; a size that rounds to 0.000000 is refused, as a size of 0 is.
void CheckWriteBack(const IniSettings& read, const std::string& context) {
    const std::string written = FormatIniSettings(read);
    ASSERT_TRUE(WellFormed(written)) << context << " -> " << written;
    const auto again = ParseIniSettings(written);
    const bool tiny = read.HorizontalOutSize < 0.0000005 || read.VerticalOutSize < 0.0000005;
    if (tiny) {
        EXPECT_EQ(again, std::nullopt) << context;
        return;
    }
    ASSERT_TRUE(again.has_value()) << context << " -> " << written;
    EXPECT_NEAR(again->HorizontalOutSize, read.HorizontalOutSize,
                0.0000005 + std::abs(read.HorizontalOutSize) * 1e-15)
        << context;
    EXPECT_NEAR(again->VerticalOutSize, read.VerticalOutSize,
                0.0000005 + std::abs(read.VerticalOutSize) * 1e-15)
        << context;
    EXPECT_EQ(again->OverlapWidth, read.OverlapWidth);
    EXPECT_EQ(again->ProjectorCountIndex, read.ProjectorCountIndex);
    EXPECT_EQ(again->AlignmentIndex, read.AlignmentIndex);
    EXPECT_EQ(again->ResolutionIndex, read.ResolutionIndex);
}

std::string RandomText(std::mt19937& random, std::size_t size, int lowest, int highest) {
    std::uniform_int_distribution<int> byte(lowest, highest);
    std::string text(size, ' ');
    for (char& c : text)
        c = static_cast<char>(byte(random));
    return text;
}

// "key=value" lines with junk around them.
std::string KeyValueJunk(std::mt19937& random) {
    static const char* const keys[] = {"Horizontal", "Vertical", "Overlap", "[Tarvel]", "Count",
                                       "x",          "",         "é",       "30"};
    static const char* const values[] = {"30",    "10.5", "-1", "nan", "64",
                                         "1e999", "abc",  "",   "2 3"};
    std::string text;
    const int lines = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < lines; ++i) {
        text += keys[random() % std::size(keys)];
        text += random() % 2 ? "=" : " = ";
        text += values[random() % std::size(values)];
        text += RandomText(random, random() % 4, 33, 126);
        text += random() % 2 ? "\r\n" : "\n";
    }
    return text;
}

} // namespace

TEST(IniSettingsInput, RandomBytesAreRefusedOrUsable) {
    std::mt19937 random(3101);
    int accepted = 0;
    for (int i = 0; i < 300; ++i) {
        const std::string text = RandomText(random, random() % 200, 0, 255);
        const auto settings = ParseIniSettings(text);
        if (settings) {
            ++accepted;
            EXPECT_TRUE(Usable(*settings)) << i;
            CheckWriteBack(*settings, "random " + std::to_string(i));
        }
    }
    EXPECT_EQ(accepted, 0) << "random bytes are no six numbers";
}

TEST(IniSettingsInput, KeyValueLinesAreRefusedAsAWhole) {
    std::mt19937 random(3102);
    for (int i = 0; i < 300; ++i) {
        const std::string text = KeyValueJunk(random);
        EXPECT_EQ(ParseIniSettings(text), std::nullopt) << text;
    }
}

TEST(IniSettingsInput, EveryCutOffFileIsRefusedAndTheWholeOneAccepted) {
    for (std::size_t length = 0; length < Valid.size(); ++length) {
        EXPECT_EQ(ParseIniSettings(Valid.substr(0, length)), std::nullopt) << length;
    }
    EXPECT_EQ(ParseIniSettings(Valid), (IniSettings{30, 10, 64, 0, 1, 2}));
    // Cut into, or followed by, a second copy: seven values or more.
    for (std::size_t length = 1; length <= Valid.size(); ++length) {
        EXPECT_EQ(ParseIniSettings(Valid + "\n" + Valid.substr(0, length)), std::nullopt) << length;
    }
}

TEST(IniSettingsInput, HugeLinesAndNumbersOutOfRange) {
    struct Case {
        std::string Text;
        bool Accepted;
    };
    const std::string thirtyDigits = "123456789012345678901234567890";
    const Case cases[] = {
        {std::string(100000, '9') + " 10 64 0 1 2", false},   // beyond a double
        {"1" + std::string(300, '0') + " 10 64 0 1 2", true}, // 1e300 is a size
        {"30 10 " + thirtyDigits + " 0 1 2", false},
        {"30 10 2147483647 0 1 2", true},
        {"30 10 2147483648 0 1 2", false},
        {"30 10 64 -2147483649 1 2", false},
        {"1e400 10 64 0 1 2", false},
        {"30 1e-400 64 0 1 2", false},
        {"-0 10 64 0 1 2", false},
        {"30 10 64 7 1 5", true},
        {"30 10 64 8 1 5", false},
        {"30 10 64 7 2 5", false},
        {"30 10 64 7 1 6", false},
        {"0x1E 10 64 0 1 2", false},
        {"30 10 0x40 0 1 2", false},
        {"30 10 64 0 1 2" + std::string(60000, ' '), true},
        {std::string(60000, '\n') + "30 10 64 0 1 2", true},
        {"30 10 64 0 1 " + std::string(60000, '0') + "2", true}, // leading zeros only
        {"30 10 64 0 1 2 " + std::string(60000, 'x'), false},
    };
    for (const Case& c : cases) {
        const auto settings = ParseIniSettings(c.Text);
        EXPECT_EQ(settings.has_value(), c.Accepted) << c.Text.substr(0, 60);
        if (settings) {
            EXPECT_TRUE(Usable(*settings));
            CheckWriteBack(*settings, c.Text.substr(0, 60));
        }
    }
}

TEST(IniSettingsInput, RandomFilesReadThenWrittenGiveAWellFormedFile) {
    TempDir dir;
    const auto path = dir / "Tarvel.ini";
    std::mt19937 random(3104);
    std::uniform_real_distribution<double> size(-5, 500);
    int loaded = 0;
    for (int i = 0; i < 300; ++i) {
        // Six values, each sometimes out of range or junk, with random white space between.
        std::string text;
        const auto gap = [&] { return std::string(1 + random() % 3, " \t\r\n"[random() % 4]); };
        text += (random() % 8 == 0 ? "junk" : std::to_string(size(random))) + gap();
        text += (random() % 8 == 0 ? "1e-9" : std::to_string(size(random))) + gap();
        text += std::to_string(static_cast<int>(random() % 700) - 20) + gap();
        text += std::to_string(static_cast<int>(random() % 10) - 1) + gap();
        text += std::to_string(static_cast<int>(random() % 3) - 1) + gap();
        text += std::to_string(static_cast<int>(random() % 8) - 1);
        if (random() % 6 == 0)
            text.resize(random() % text.size()); // cut off
        test::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));

        const auto read = ReadIniSettingsFile(Q(path));
        ASSERT_NE(read.Status, IniReadStatus::CannotOpen) << text;
        if (read.Status != IniReadStatus::Loaded)
            continue;
        ++loaded;
        EXPECT_TRUE(Usable(read.Settings)) << text;
        ASSERT_TRUE(WriteIniSettingsFile(Q(path), read.Settings)) << text;
        const auto bytes = test::ReadBytes(path);
        const std::string written(bytes.begin(), bytes.end());
        EXPECT_EQ(written, FormatIniSettings(read.Settings));
        CheckWriteBack(read.Settings, text);
    }
    EXPECT_GT(loaded, 20) << "the generator should also make files that load";
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Tarvel.ini"});
}
