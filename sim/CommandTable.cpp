#include "CommandTable.h"

#include "SimUnit.h"

#include <array>

namespace tarvel {

namespace {

using R = CommandResult;

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}
bool IsChannel(const CommandArgument& a) {
    return InRange(a.Int, 1, ChannelsPerUnit);
}
bool IsFlag(const CommandArgument& a) {
    return InRange(a.Int, 0, 1);
}
bool IsByte(const CommandArgument& a) {
    return InRange(a.Int, 0, 255);
}
bool IsGamma(const CommandArgument& a) {
    return a.Real >= 1.0 && a.Real <= 5.0;
}
bool IsColourValue(const CommandArgument& a) {
    return a.Real > -1000.0 && a.Real < 1000.0;
}
bool IsSide(const CommandArgument& a) {
    return a.Char == 'L' || a.Char == 'R';
}
std::uint8_t U8(const CommandArgument& a) {
    return static_cast<std::uint8_t>(a.Int);
}
float Single(const CommandArgument& a) {
    return static_cast<float>(a.Real);
}

R BlackLevel(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]) || !IsByte(a[1]))
        return R::Invalid;
    u.Output(a[0].Int).BlackLevel = U8(a[1]);
    return R::Done;
}

R ControlMode(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) { o.ControlMode = U8(a[0]); });
    return R::Done;
}

R DataDoubling(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) { o.DataDoubling = U8(a[0]); });
    return R::Done;
}

R Display(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]) || a[1].Int < 0)
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) {
        o.ImageAlignment = U8(a[0]);
        o.DisplayOverlap = a[1].Int;
    });
    return R::Done;
}

R BasicFeathering(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]) || !IsGamma(a[1]))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) {
        o.BasicFeatherOn = static_cast<std::int16_t>(a[0].Int);
        o.BasicGamma = Single(a[1]);
    });
    return R::Done;
}

R Halo(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]) || !IsSide(a[1]))
        return R::Invalid;
    OutputSettings& o = u.Output(a[0].Int);
    if (a[1].Char == 'L') {
        o.LeftHaloWidth = a[2].Int;
        o.LeftHaloOffset = a[3].Int;
    } else {
        o.RightHaloWidth = a[2].Int;
        o.RightHaloOffset = a[3].Int;
    }
    return R::Done;
}

R Reset(SimUnit& u, const CommandArguments& a) {
    if (a[0].Char != 'F')
        return R::Invalid;
    u.RestoreFactoryState();
    return R::Done;
}

R TestPattern(SimUnit& u, const CommandArguments& a) {
    if (!InRange(a[0].Int, 1, ChannelsPerUnit + 1) || !IsByte(a[1]) || !IsFlag(a[2]) ||
        !IsFlag(a[3]))
        return R::Invalid;
    const bool all = a[0].Int == ChannelsPerUnit + 1;
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        if (!all && channel != a[0].Int)
            continue;
        OutputSettings& o = u.Output(channel);
        o.TestPattern = U8(a[1]);
        o.OutputRaster = U8(a[2]);
        o.TestGrid = U8(a[3]);
    }
    return R::Done;
}

// The colour fields of a channel by letter: overall, red, green, blue.
float* ColourField(InputSettings& in, char colour, bool contrast) {
    switch (colour) {
    case 'C':
        return contrast ? &in.OverallContrast : &in.OverallBrightness;
    case 'R':
        return contrast ? &in.RedContrast : &in.RedBrightness;
    case 'G':
        return contrast ? &in.GreenContrast : &in.GreenBrightness;
    case 'B':
        return contrast ? &in.BlueContrast : &in.BlueBrightness;
    default:
        return nullptr;
    }
}

R Colour(SimUnit& u, const CommandArguments& a, bool contrast) {
    if (!IsChannel(a[0]) || !IsColourValue(a[2]))
        return R::Invalid;
    float* field = ColourField(u.Input(a[0].Int), a[1].Char, contrast);
    if (field == nullptr)
        return R::Invalid;
    *field = Single(a[2]);
    return R::Done;
}
R Contrast(SimUnit& u, const CommandArguments& a) {
    return Colour(u, a, true);
}
R Brightness(SimUnit& u, const CommandArguments& a) {
    return Colour(u, a, false);
}

R Phase(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]))
        return R::Invalid;
    u.Input(a[0].Int).Phase = a[1].Int;
    return R::Done;
}

// A position lies in [0, limit) where the unit reports a limit.
bool PositionFits(std::int32_t position, std::int32_t limit) {
    return position >= 0 && (limit < 0 || position < limit);
}

R Position(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]))
        return R::Invalid;
    InputSettings& in = u.Input(a[0].Int);
    if (a[1].Char == 'H' && PositionFits(a[2].Int, in.HPositionLimit))
        in.HPosition = a[2].Int;
    else if (a[1].Char == 'V' && PositionFits(a[2].Int, in.VPositionLimit))
        in.VPosition = a[2].Int;
    else
        return R::Invalid;
    return R::Done;
}

R SaveInput(SimUnit&, const CommandArguments& a) {
    return IsChannel(a[0]) ? R::Done : R::Invalid;
}

R ResetInput(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]))
        return R::Invalid;
    u.RestoreInputDefaults(a[0].Int);
    return R::Done;
}

R Projectors(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]) || !InRange(a[1].Int, 1, 8))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) {
        o.ProjectorGroup = U8(a[0]);
        o.TotalProjectors = U8(a[1]);
    });
    return R::Done;
}

R ManualSeam(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]))
        return R::Invalid;
    for (std::size_t k = 2; k < 10; ++k)
        if (!IsByte(a[k]))
            return R::Invalid;
    OutputSettings& o = u.Output(a[0].Int);
    o.SeamMode = a[1].Int;
    for (std::size_t k = 0; k < o.SeamGain.size(); ++k)
        o.SeamGain[k] = U8(a[k + 2]);
    return R::Done;
}

R SeamBridge(SimUnit& u, const CommandArguments& a) {
    if (!IsFlag(a[0]))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) { o.SeamBridge = U8(a[0]); });
    return R::Done;
}

R AutoSeam(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]))
        return R::Invalid;
    u.AutoSeam(a[0].Int);
    return R::Done;
}

R ColourBalance(SimUnit& u, const CommandArguments&) {
    u.AutoColourBalance();
    return R::Automatic;
}
R AutoPosition(SimUnit& u, const CommandArguments&) {
    u.AutoPosition();
    return R::Automatic;
}
R AutoPhase(SimUnit& u, const CommandArguments&) {
    u.AutoPhase();
    return R::Automatic;
}

R SystemSave(SimUnit&, const CommandArguments&) {
    return R::Done;
}

R Feather(SimUnit& u, const CommandArguments& a) {
    if (a[0].Char != 'S' && a[0].Char != 'L')
        return R::Invalid;
    u.SetUnitWide(
        [&](OutputSettings& o) { o.FeatherCurve = static_cast<std::uint8_t>(a[0].Char); });
    return R::Done;
}

R EdgeFeather(SimUnit& u, const CommandArguments& a) {
    if (!IsChannel(a[0]) || !IsSide(a[1]) || !IsFlag(a[2]) || !IsGamma(a[3]))
        return R::Invalid;
    OutputSettings& o = u.Output(a[0].Int);
    const auto on = static_cast<std::int16_t>(a[2].Int);
    if (a[1].Char == 'L') {
        o.LeftFeatherOn = on;
        o.LeftGamma = Single(a[3]);
        o.LeftGammaWidth = a[4].Int;
        o.LeftGammaOffset = a[5].Int;
    } else {
        o.RightFeatherOn = on;
        o.RightGamma = Single(a[3]);
        o.RightGammaWidth = a[4].Int;
        o.RightGammaOffset = a[5].Int;
    }
    return R::Done;
}

R BridgeThreshold(SimUnit& u, const CommandArguments& a) {
    if (!IsByte(a[0]))
        return R::Invalid;
    u.SetUnitWide([&](OutputSettings& o) { o.BridgeThreshold = U8(a[0]); });
    return R::Done;
}

constexpr std::array<CommandSpec, 25> Commands{{
    {"BLKGN", " %d %d", BlackLevel},
    {"ZVCTRL", " %d", ControlMode},
    {"DDBL", " %d", DataDoubling},
    {"DISP", " %d %d", Display},
    {"EFTB", " %d %4.1f", BasicFeathering},
    {"HALO", " %d %c %d %d", Halo},
    {"RESETZV", " %c", Reset},
    {"OTPMZV", " %d %d %d %d", TestPattern},
    {"ICNTZV", " %d %c %4.1f", Contrast},
    {"IBRTZV", " %d %c %4.1f", Brightness},
    {"ICPHOZV", " %d M %d", Phase},
    {"IRSPZV", " %d M %c %d", Position},
    {"ICSAVZV", " %d", SaveInput},
    {"ICRSTZV", " %d", ResetInput},
    {"PRJ", " %d %d", Projectors},
    {"MANSEAM", " %d %d %d %d %d %d %d %d %d %d", ManualSeam},
    {"BRDGSEAM", " %d", SeamBridge},
    {"AUTOSEAM", " %d", AutoSeam},
    {"RGBADJ", "", ColourBalance},
    {"AUTOPOS", "", AutoPosition},
    {"APHASE", "", AutoPhase},
    {"SYSAVE", "", SystemSave},
    {"FEATHER", " %c", Feather},
    {"PEFT", " %d %c %d %4.1f %d %d", EdgeFeather},
    {"BRTHRS", " %d", BridgeThreshold},
}};

} // namespace

const CommandSpec* FindCommand(std::string_view keywordAndArguments) {
    const std::string_view keyword = keywordAndArguments.substr(0, keywordAndArguments.find(' '));
    for (const CommandSpec& spec : Commands)
        if (spec.Keyword == keyword)
            return &spec;
    return nullptr;
}

CommandResult ExecuteCommand(SimUnit& unit, std::string_view keywordAndArguments) {
    const CommandSpec* spec = FindCommand(keywordAndArguments);
    if (spec == nullptr)
        return R::Invalid;
    CommandArguments args;
    if (!MatchFormat(spec->Arguments, keywordAndArguments.substr(spec->Keyword.size()), args))
        return R::Invalid;
    return spec->Apply(unit, args);
}

} // namespace tarvel
