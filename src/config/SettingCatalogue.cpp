#include "SettingCatalogue.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace tarvel {

namespace {

using enum SettingScope;
using enum SettingKind;

template <auto Field> double In(const SettingsModel& model, int unit, int channel) {
    return static_cast<double>(model.Channels.Input(unit, channel).*Field);
}

template <auto Field> double Out(const SettingsModel& model, int unit, int channel) {
    return static_cast<double>(model.Channels.Output(unit, channel).*Field);
}

template <auto Field> double UnitWide(const SettingsModel& model, int unit, int /*channel*/) {
    return static_cast<double>(model.Channels.UnitOutput(unit).*Field);
}

template <std::size_t Index> double Gain(const SettingsModel& model, int unit, int channel) {
    return static_cast<double>(model.Channels.Output(unit, channel).SeamGain[Index]);
}

constexpr ChoiceName OnOff[] = {{0, "off"}, {1, "on"}};
constexpr ChoiceName BlendLevels[] = {{0, "Basic"}, {1, "Adv"}};
constexpr ChoiceName ProjectorGroups[] = {{0, "1-4"}, {1, "5-8"}};
constexpr ChoiceName Alignments[] = {{0, "Left"}, {1, "Center"}};
constexpr ChoiceName FeatherCurves[] = {{'S', "S-Curve"}, {'L', "Linear"}};
constexpr ChoiceName TrueFalse[] = {{0, "False"}, {1, "True"}};
constexpr ChoiceName SyncSelects[] = {{0, "SOG"}, {1, "COMP"}, {2, "H/V"}, {3, "AUTO"}};
constexpr ChoiceName Terminations[] = {{0, "HI-Z"}, {1, "75 Ohm"}};
constexpr ChoiceName OutputFormats[] = {{0, "640x480"},   {1, "800x600"},  {2, "1024x768"},
                                        {3, "1280x1024"}, {4, "1280x720"}, {5, "1400x1050"}};
constexpr ChoiceName FrameRates[] = {{0, "@ 50Hz"}, {1, "@ 59.94Hz"}, {2, "@ 75Hz"}};
constexpr ChoiceName TestPatterns[] = {
    {0, "Off"},
    {1, "Alignment Position"},
    {2, "1 Pixel On / 1 Pixel Off"},
    {3, "2 Pixel On / 2 Pixel Off"},
    {4, "Horizontal Bars"},
    {5, "Black"},
    {6, "Grey - 25%"},
    {7, "Grey - 50%"},
    {8, "Grey - 75%"},
    {9, "White"},
    {10, "Horizontal Ramp"},
};

using I = InputSettings;
using O = OutputSettings;
using Reader = double (*)(const SettingsModel&, int, int);

constexpr SettingRow Make(SettingScope scope, std::string_view key, std::string_view label,
                          SettingKind kind, Reader read, std::span<const ChoiceName> names = {}) {
    SettingRow row;
    row.Key = key;
    row.Label = label;
    row.Scope = scope;
    row.Kind = kind;
    row.Names = names;
    row.Read = read;
    return row;
}

constexpr SettingRow Status(SettingRow row) {
    row.Status = true;
    return row;
}

constexpr SettingRow Measured(std::string_view unit, SettingRow row) {
    row.Unit = unit;
    return row;
}

constexpr SettingRow Carried(ReplyLayouts layouts, SettingRow row) {
    row.Layouts = layouts;
    return row;
}

constexpr SettingRow On(SettingScreens screens, SettingRow row) {
    row.Screens = screens;
    return row;
}

constexpr auto Old = ReplyLayouts::Old;
constexpr auto New = ReplyLayouts::New;
constexpr auto NotFirst = SettingScreens::NotFirst;
constexpr auto NotLast = SettingScreens::NotLast;

// Labels are the pages' own words; where one screen shows the same caption twice ("Width(L)"
// of the halo and of the edge feather) the group's word goes in front, as the pages' messages
// say it.
constexpr SettingRow Rows[] = {
    // Unit-wide, in the unit's channel 1 output record.
    Make(Unit, "totalProjectors", "Number of Projectors", Integer, &UnitWide<&O::TotalProjectors>),
    Make(Unit, "imageAlignment", "Input Material Alignment", Choice, &UnitWide<&O::ImageAlignment>,
         Alignments),
    Measured("pixels",
             Make(Unit, "displayOverlap", "Overlap Width", Integer, &UnitWide<&O::DisplayOverlap>)),
    Make(Unit, "dataDoubling", "Data Doubling", Switch, &UnitWide<&O::DataDoubling>, OnOff),
    Make(Unit, "controlMode", "Blend Level", Switch, &UnitWide<&O::ControlMode>, BlendLevels),
    Make(Unit, "basicFeatherOn", "Edge Feathering Basic Mode", Switch,
         &UnitWide<&O::BasicFeatherOn>, OnOff),
    Make(Unit, "basicGamma", "Basic Gamma", Tenths, &UnitWide<&O::BasicGamma>),
    Make(Unit, "featherCurve", "Feather Curve", Choice, &UnitWide<&O::FeatherCurve>, FeatherCurves),
    Make(Unit, "seamBridge", "Seam Bridge", Switch, &UnitWide<&O::SeamBridge>, OnOff),
    Carried(New, Make(Unit, "bridgeThreshold", "Bridge Threshold", Integer,
                      &UnitWide<&O::BridgeThreshold>)),
    Status(Make(Unit, "projectorGroup", "Projectors", Choice, &UnitWide<&O::ProjectorGroup>,
                ProjectorGroups)),

    // Input, per screen.
    Make(Input, "hPosition", "H Position", Integer, &In<&I::HPosition>),
    Make(Input, "vPosition", "V Position", Integer, &In<&I::VPosition>),
    Make(Input, "phase", "Phase", Integer, &In<&I::Phase>),
    Make(Input, "overallContrast", "Overall Contrast", Tenths, &In<&I::OverallContrast>),
    Make(Input, "overallBrightness", "Overall Brightness", Tenths, &In<&I::OverallBrightness>),
    Make(Input, "redContrast", "Red Contrast", Tenths, &In<&I::RedContrast>),
    Make(Input, "redBrightness", "Red Brightness", Tenths, &In<&I::RedBrightness>),
    Make(Input, "greenContrast", "Green Contrast", Tenths, &In<&I::GreenContrast>),
    Make(Input, "greenBrightness", "Green Brightness", Tenths, &In<&I::GreenBrightness>),
    Make(Input, "blueContrast", "Blue Contrast", Tenths, &In<&I::BlueContrast>),
    Make(Input, "blueBrightness", "Blue Brightness", Tenths, &In<&I::BlueBrightness>),
    Status(Make(Input, "videoLoaded", "Video Loaded", Choice, &In<&I::VideoLoaded>, TrueFalse)),
    Status(Make(Input, "videoLocked", "Video Locked", Choice, &In<&I::VideoLocked>, TrueFalse)),
    Status(Measured("pixels", Make(Input, "hTotal", "H Total", Integer, &In<&I::HTotal>))),
    Status(Measured("pixels", Make(Input, "hActive", "H Active", Integer, &In<&I::HActive>))),
    Status(Measured("lines", Make(Input, "vActive", "V Active", Integer, &In<&I::VActive>))),
    Status(Make(Input, "hPositionCentre", "H Position Centre", Integer, &In<&I::HPositionCentre>)),
    Status(Make(Input, "hPositionLimit", "H Position Limit", Integer, &In<&I::HPositionLimit>)),
    Status(Make(Input, "vPositionCentre", "V Position Centre", Integer, &In<&I::VPositionCentre>)),
    Status(Make(Input, "vPositionLimit", "V Position Limit", Integer, &In<&I::VPositionLimit>)),
    Status(Make(Input, "syncSelect", "Sync", Choice, &In<&I::SyncSelect>, SyncSelects)),
    Status(Make(Input, "inputTermination", "Termination", Switch, &In<&I::InputTermination>,
                Terminations)),
    Status(Make(Input, "inputAux1", "Input Aux 1", Integer, &In<&I::InputAux1>)),
    Status(Make(Input, "inputAux2", "Input Aux 2", Integer, &In<&I::InputAux2>)),

    // Output, per screen.
    Make(Output, "testPattern", "Test Pattern", Choice, &Out<&O::TestPattern>, TestPatterns),
    Make(Output, "outputRaster", "Output Raster Box", Switch, &Out<&O::OutputRaster>, OnOff),
    Make(Output, "testGrid", "Test Grid", Switch, &Out<&O::TestGrid>, OnOff),
    Make(Output, "blackLevel", "Black Level", Integer, &Out<&O::BlackLevel>),
    Make(Output, "leftFeatherOn", "Enable (L)", Switch, &Out<&O::LeftFeatherOn>, OnOff),
    Make(Output, "leftGamma", "Gamma(L)", Tenths, &Out<&O::LeftGamma>),
    Carried(New,
            Make(Output, "leftGammaWidth", "Gamma Width(L)", Integer, &Out<&O::LeftGammaWidth>)),
    Carried(New,
            Make(Output, "leftGammaOffset", "Gamma Offset(L)", Integer, &Out<&O::LeftGammaOffset>)),
    On(NotLast,
       Make(Output, "rightFeatherOn", "Enable (R)", Switch, &Out<&O::RightFeatherOn>, OnOff)),
    On(NotLast, Make(Output, "rightGamma", "Gamma(R)", Tenths, &Out<&O::RightGamma>)),
    On(NotLast, Carried(New, Make(Output, "rightGammaWidth", "Gamma Width(R)", Integer,
                                  &Out<&O::RightGammaWidth>))),
    On(NotLast, Carried(New, Make(Output, "rightGammaOffset", "Gamma Offset(R)", Integer,
                                  &Out<&O::RightGammaOffset>))),
    On(NotFirst, Carried(Old, Make(Output, "leftHaloWidth", "Halo Width(L)", Integer,
                                   &Out<&O::LeftHaloWidth>))),
    On(NotFirst, Carried(Old, Make(Output, "leftHaloOffset", "Halo Offset(L)", Integer,
                                   &Out<&O::LeftHaloOffset>))),
    On(NotLast, Carried(Old, Make(Output, "rightHaloWidth", "Halo Width(R)", Integer,
                                  &Out<&O::RightHaloWidth>))),
    On(NotLast, Carried(Old, Make(Output, "rightHaloOffset", "Halo Offset(R)", Integer,
                                  &Out<&O::RightHaloOffset>))),
    Make(Output, "seamGain1", "Gain -4", Integer, &Gain<0>),
    Make(Output, "seamGain2", "Gain -3", Integer, &Gain<1>),
    Make(Output, "seamGain3", "Gain -2", Integer, &Gain<2>),
    Make(Output, "seamGain4", "Gain -1", Integer, &Gain<3>),
    Make(Output, "seamGain5", "Gain +1", Integer, &Gain<4>),
    Make(Output, "seamGain6", "Gain +2", Integer, &Gain<5>),
    Make(Output, "seamGain7", "Gain +3", Integer, &Gain<6>),
    Make(Output, "seamGain8", "Gain +4", Integer, &Gain<7>),
    Status(Make(Output, "seamMode", "Seam Mode", Integer, &Out<&O::SeamMode>)),
    Status(Make(Output, "outputFormat", "Output Format", Choice, &Out<&O::OutputFormat>,
                OutputFormats)),
    Status(Make(Output, "outputFrameRate", "Frame Rate", Choice, &Out<&O::OutputFrameRate>,
                FrameRates)),
    Status(Make(Output, "outputSync", "Out Sync", Integer, &Out<&O::OutputSync>)),
};

std::string IntegerText(double value) {
    return std::to_string(static_cast<std::int64_t>(value));
}

// As the commands' "%4.1f" writes it, without the blanks: the single's exact binary value
// rounded to one decimal as printf does, in the C locale.
std::string TenthsText(double value) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 1);
    std::string text(buffer.data(), result.ptr);
    if (text == "-0.0" || text == "-nan") {
        text.erase(0, 1); // the units hold no negative zero, and every NaN is the same
    }
    return text;
}

} // namespace

std::span<const SettingRow> SettingCatalogue() {
    return Rows;
}

const SettingRow* FindSetting(std::string_view key) {
    for (const SettingRow& row : Rows) {
        if (row.Key == key) {
            return &row;
        }
    }
    return nullptr;
}

std::string SettingValueText(const SettingRow& row, double value) {
    switch (row.Kind) {
    case Tenths:
        return TenthsText(value);
    case Switch:
        return std::string(row.Names[value != 0 ? 1 : 0].Name);
    case Choice:
        for (const ChoiceName& name : row.Names) {
            if (name.Code == value) {
                return std::string(name.Name);
            }
        }
        return IntegerText(value);
    case Integer:
        break;
    }
    return IntegerText(value);
}

std::string SettingValueText(const SettingRow& row, const SettingsModel& model, int unit,
                             int channel) {
    return SettingValueText(row, row.Read(model, unit, channel));
}

bool ShownOnScreen(const SettingRow& row, int screen) {
    switch (row.Screens) {
    case SettingScreens::NotFirst:
        return screen != 1;
    case SettingScreens::NotLast:
        return screen != ScreenCount;
    case SettingScreens::All:
        break;
    }
    return true;
}

bool CarriedByReply(const SettingRow& row, char outputReplyKind) {
    if (row.Scope == Input) {
        return true;
    }
    if (outputReplyKind == 0) {
        return false;
    }
    const bool newLayout = static_cast<unsigned char>(outputReplyKind) >= 'B';
    switch (row.Layouts) {
    case ReplyLayouts::Old:
        return !newLayout;
    case ReplyLayouts::New:
        return newLayout;
    case ReplyLayouts::All:
        break;
    }
    return true;
}

} // namespace tarvel
