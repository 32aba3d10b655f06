#include "config/ConfigurationDiff.h"
#include "config/ConfigurationFile.h"
#include "protocol/StatusParsers.h"
#include "protocol/TextFormat.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

using namespace tarvel;

namespace {

// The record layouts, field by field: which catalogue key reads the field at each offset.
// Offsets not listed are padding.
struct FieldKey {
    std::size_t Offset;
    const char* Key;
    bool UnitWide = false;
};

const FieldKey InputKeys[] = {
    {0, "videoLoaded"},        {1, "videoLocked"},       {4, "phase"},
    {8, "inputAux1"},          {9, "inputAux2"},         {12, "hTotal"},
    {16, "hPositionCentre"},   {20, "hPosition"},        {24, "vPositionCentre"},
    {28, "vPosition"},         {32, "hActive"},          {36, "vActive"},
    {40, "syncSelect"},        {41, "inputTermination"}, {44, "overallContrast"},
    {48, "overallBrightness"}, {52, "redContrast"},      {56, "redBrightness"},
    {60, "greenContrast"},     {64, "greenBrightness"},  {68, "blueContrast"},
    {72, "blueBrightness"},    {76, "hPositionLimit"},   {80, "vPositionLimit"},
};

const FieldKey OutputKeys[] = {
    {0, "outputFormat"},
    {1, "outputFrameRate"},
    {2, "outputSync"},
    {3, "controlMode", true},
    {4, "projectorGroup", true},
    {5, "totalProjectors", true},
    {6, "dataDoubling", true},
    {7, "imageAlignment", true},
    {8, "displayOverlap", true},
    {12, "basicGamma", true},
    {16, "basicFeatherOn", true},
    {20, "leftGamma"},
    {24, "leftFeatherOn"},
    {28, "rightGamma"},
    {32, "rightFeatherOn"},
    {36, "leftHaloWidth"},
    {40, "leftHaloOffset"},
    {44, "rightHaloWidth"},
    {48, "rightHaloOffset"},
    {52, "leftGammaWidth"},
    {56, "leftGammaOffset"},
    {60, "rightGammaWidth"},
    {64, "rightGammaOffset"},
    {68, "blackLevel"},
    {69, "testPattern"},
    {70, "outputRaster"},
    {71, "testGrid"},
    {72, "seamMode"},
    {76, "seamGain1"},
    {77, "seamGain2"},
    {78, "seamGain3"},
    {79, "seamGain4"},
    {80, "seamGain5"},
    {81, "seamGain6"},
    {82, "seamGain7"},
    {83, "seamGain8"},
    {84, "seamBridge", true},
    {85, "featherCurve", true},
    {86, "bridgeThreshold", true},
};

// Edges the pages do not have: the wall's first screen has no left halo, the last one no
// right halo and no right edge feather.
const std::set<std::string> NotOnScreen1{"leftHaloWidth", "leftHaloOffset"};
const std::set<std::string> NotOnScreen8{"rightHaloWidth", "rightHaloOffset", "rightFeatherOn",
                                         "rightGamma",     "rightGammaWidth", "rightGammaOffset"};

const FieldKey* FindKey(std::span<const FieldKey> keys, std::size_t offset) {
    for (const FieldKey& key : keys) {
        if (key.Offset == offset) {
            return &key;
        }
    }
    return nullptr;
}

// One field of one record of the 1720-byte image: where it lies and how wide it is.
struct ImageField {
    std::size_t Position; // in the image
    std::size_t Offset;   // in the record
    std::size_t Size;
    bool Real;
};

// Every field (each array element on its own) of one record type, by the model's own list.
template <class Record> std::vector<ImageField> FieldsOf(std::size_t recordStart) {
    std::vector<ImageField> fields;
    Record record{};
    ForEachField(record, [&](std::size_t offset, auto& member) {
        using T = std::remove_cvref_t<decltype(member)>;
        if constexpr (std::is_array_v<T> || requires { member.size(); }) {
            for (std::size_t i = 0; i < member.size(); ++i) {
                fields.push_back({recordStart + offset + i, offset + i, 1, false});
            }
        } else {
            fields.push_back({recordStart + offset, offset, sizeof(T), std::is_same_v<T, float>});
        }
    });
    return fields;
}

// Writes 7 (or 3.0 for a single) little-endian into the field's bytes.
void SetField(ConfigurationImage& image, const ImageField& field) {
    const std::uint32_t bits = field.Real ? std::bit_cast<std::uint32_t>(3.0f) : 7u;
    for (std::size_t i = 0; i < field.Size; ++i) {
        image[field.Position + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

// The model's single after the input status parser's conversion of `tenths` (as the units
// report it): the real parser on a long input status reply carrying it as red contrast.
float ReadBackFromUnit(std::int32_t tenths) {
    std::vector<std::uint8_t> reply{0x01, 'N'};
    reply.resize(2 + 78);
    const auto value = static_cast<std::uint32_t>(tenths);
    for (int i = 0; i < 4; ++i) {
        reply[2 + 46 + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
    InputSettings record;
    EXPECT_TRUE(ParseInputStatus(reply, record));
    return record.RedContrast;
}

std::string Describe(const std::vector<SettingDifference>& differences) {
    std::string text;
    for (const SettingDifference& d : differences) {
        text += std::to_string(d.Unit) + "/" + std::to_string(d.Screen) + " " +
                std::string(d.Row->Key) + " " + d.ValueA + " -> " + d.ValueB + "\n";
    }
    return text;
}

} // namespace

TEST(ConfigurationDiff, EveryFieldOfTheImageIsReadByExactlyOneRowInItsPlace) {
    struct Block {
        std::size_t Start;
        int Unit;
        bool Input;
    };
    const Block blocks[] = {{0, 1, true}, {420, 2, true}, {840, 1, false}, {1280, 2, false}};

    SettingsModel zero;
    std::map<std::string, int> hits;
    for (const Block& block : blocks) {
        for (int record = 0; record < RecordsPerUnit; ++record) {
            const std::size_t recordSize = block.Input ? InputRecordSize : OutputRecordSize;
            const std::size_t start = block.Start + static_cast<std::size_t>(record) * recordSize;
            const auto fields =
                block.Input ? FieldsOf<InputSettings>(start) : FieldsOf<OutputSettings>(start);
            for (const ImageField& field : fields) {
                ConfigurationImage image{};
                SetField(image, field);
                SettingsModel model;
                ASSERT_TRUE(LoadConfigurationImage(image, model.Channels));
                const auto differences = DiffConfigurations(zero, model, {.IncludeStatus = true});

                const FieldKey* key = FindKey(block.Input ? std::span<const FieldKey>(InputKeys)
                                                          : std::span<const FieldKey>(OutputKeys),
                                              field.Offset);
                const int screen = UnitChannelToScreen(block.Unit, record);
                const bool expected = key != nullptr && record != 0 &&
                                      (!key->UnitWide || record == 1) &&
                                      !(screen == 1 && NotOnScreen1.contains(key->Key)) &&
                                      !(screen == ScreenCount && NotOnScreen8.contains(key->Key));
                SCOPED_TRACE("image byte " + std::to_string(field.Position) + ", record " +
                             std::to_string(record) + ", offset " + std::to_string(field.Offset));
                if (!expected) {
                    EXPECT_TRUE(differences.empty()) << Describe(differences);
                    continue;
                }
                ASSERT_EQ(differences.size(), 1u) << Describe(differences);
                const SettingDifference& d = differences.front();
                EXPECT_EQ(d.Row->Key, key->Key);
                EXPECT_EQ(d.Unit, block.Unit);
                EXPECT_EQ(d.Screen, key->UnitWide ? 0 : screen);
                if (key->UnitWide) { // whichever channel is asked, the channel 1 copy
                    EXPECT_EQ(SettingValueText(*d.Row, model, d.Unit, 4), d.ValueB);
                }
                EXPECT_EQ(d.Row->Scope, key->UnitWide ? SettingScope::Unit
                                        : block.Input ? SettingScope::Input
                                                      : SettingScope::Output);
                ++hits[key->Key];
            }
        }
    }
    // No row reads a field of its own making: each was reached through its field.
    for (const SettingRow& row : SettingCatalogue()) {
        EXPECT_GT(hits[std::string(row.Key)], 0) << row.Key;
    }
}

TEST(ConfigurationDiff, RealsCompareInTenthsAsTheWireCarriesThem) {
    const auto differences = [](float a, float b) {
        SettingsModel first;
        SettingsModel second;
        first.Channels.Input(1, 2).RedContrast = a;
        second.Channels.Input(1, 2).RedContrast = b;
        return DiffConfigurations(first, second);
    };
    const float typed = static_cast<float>(4.2); // "4.2" committed in a field, kept in a file
    const float readBack = ReadBackFromUnit(42);
    const float nextImage = std::nextafter(typed, 5.0f);
    ASSERT_NE(std::bit_cast<std::uint32_t>(typed), std::bit_cast<std::uint32_t>(nextImage));
    EXPECT_TRUE(differences(typed, readBack).empty());
    EXPECT_TRUE(differences(typed, nextImage).empty());

    EXPECT_TRUE(differences(-0.0f, 0.0f).empty());
    EXPECT_TRUE(differences(-0.04f, 0.0f).empty()); // "%4.1f" writes -0.0
    EXPECT_TRUE(differences(2.25f, 2.2f).empty());  // exactly 2.25: the tie goes to 2.2
    EXPECT_TRUE(differences(2.35f, 2.3f).empty());  // 2.3499999...
    EXPECT_TRUE(differences(ReadBackFromUnit(-250), -25.0f).empty());

    const auto real = differences(4.2f, 4.3f);
    ASSERT_EQ(real.size(), 1u);
    EXPECT_EQ(real[0].Row->Key, "redContrast");
    EXPECT_EQ(real[0].Screen, 2);
    EXPECT_EQ(real[0].ValueA, "4.2");
    EXPECT_EQ(real[0].ValueB, "4.3");
    EXPECT_EQ(differences(2.25f, 2.3f).size(), 1u);

    // The value text is what the command writes into its "%4.1f", blanks aside.
    const SettingRow& row = *FindSetting("redContrast");
    for (const float value : {typed, readBack, 2.25f, 2.35f, -0.04f, 125.0f, -25.0f, 0.05f}) {
        const FormatArg arg = value;
        std::string wire = FormatText("%4.1f", std::span(&arg, 1));
        wire.erase(0, wire.find_first_not_of(' '));
        if (wire == "-0.0") {
            wire = "0.0";
        }
        EXPECT_EQ(SettingValueText(row, value), wire) << value;
    }
}

TEST(ConfigurationDiff, LiveComparisonLeavesOutWhatTheReadDidNotCarry) {
    SettingsModel file;
    file.Channels.Input(1, 2).Phase = 3;
    file.Channels.Output(1, 2).LeftGammaWidth = 100;
    file.Channels.Output(1, 2).LeftHaloWidth = 5;
    file.Channels.UnitOutput(1).BridgeThreshold = 16;
    file.Channels.Output(2, 1).BlackLevel = 40; // unit 2

    SettingsModel units;
    units.System.UnitCount = 1;
    const auto keys = [&](char replyKind) {
        units.System.OutputReplyKind = replyKind;
        std::vector<std::string> found;
        for (const SettingDifference& d : DiffAgainstUnits(file, units)) {
            found.push_back(std::to_string(d.Screen) + " " + std::string(d.Row->Key));
        }
        return found;
    };
    using Keys = std::vector<std::string>;
    for (const char old : {'@', '>', '?'}) {
        EXPECT_EQ(keys(old), (Keys{"2 phase", "2 leftHaloWidth"})) << old;
    }
    EXPECT_EQ(keys('B'), (Keys{"0 bridgeThreshold", "2 phase", "2 leftGammaWidth"}));
    EXPECT_EQ(keys(0), (Keys{"2 phase"})); // no output status read

    units.System.UnitCount = 2;
    EXPECT_EQ(keys('B'),
              (Keys{"0 bridgeThreshold", "2 phase", "2 leftGammaWidth", "5 blackLevel"}));

    // Files hold both units and every field, whatever layout they were read with.
    EXPECT_EQ(DiffConfigurations(file, units).size(), 5u);
}

TEST(ConfigurationDiff, OrderIsUnitThenItsScreensAndStatusOnlyOnRequest) {
    SettingsModel a;
    SettingsModel b;
    b.Channels.Output(2, 2).BlackLevel = 9;      // screen 6
    b.Channels.UnitOutput(2).ControlMode = 1;    // unit 2, unit-wide
    b.Channels.Input(2, 1).HPosition = -3;       // screen 5
    b.Channels.Input(1, 1).Phase = 2;            // screen 1
    b.Channels.UnitOutput(1).FeatherCurve = 'L'; // unit 1, unit-wide
    b.Channels.Output(1, 3).ControlMode = 1;     // a copy in channel 3: not a setting
    b.Channels.Input(1, 4).VideoLocked = 1;      // status
    b.Channels.Outputs[0][0].BlackLevel = 1;     // record 0

    const auto settings = DiffConfigurations(a, b);
    EXPECT_EQ(Describe(settings), "1/0 featherCurve 0 -> Linear\n"
                                  "1/1 phase 0 -> 2\n"
                                  "2/0 controlMode Basic -> Adv\n"
                                  "2/5 hPosition 0 -> -3\n"
                                  "2/6 blackLevel 0 -> 9\n");

    const auto withStatus = DiffConfigurations(a, b, {.IncludeStatus = true});
    ASSERT_EQ(withStatus.size(), 6u);
    EXPECT_EQ(withStatus[2].Row->Key, "videoLocked");
    EXPECT_EQ(withStatus[2].Screen, 4);
    EXPECT_EQ(withStatus[2].ValueB, "True");
}
