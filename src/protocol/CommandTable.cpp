#include "CommandTable.h"

#include <array>

namespace tarvel {

namespace {

// Unit channels outside 1..4 (or a unit other than 1 and 2) name no record; such a command
// stores nothing rather than write outside the model.
bool IsRecord(int unit, int channel) {
    return unit >= 1 && unit <= UnitCountMax && channel >= 1 && channel <= ChannelsPerUnit;
}

OutputSettings* ChannelOutput(const Command& c, ChannelSettings& channels, int unit) {
    return IsRecord(unit, c.Channel()) ? &channels.Output(unit, c.Channel()) : nullptr;
}

InputSettings* ChannelInput(const Command& c, ChannelSettings& channels, int unit) {
    return IsRecord(unit, c.Channel()) ? &channels.Input(unit, c.Channel()) : nullptr;
}

OutputSettings* UnitRecord(ChannelSettings& channels, int unit) {
    return IsRecord(unit, 1) ? &channels.UnitOutput(unit) : nullptr;
}

template <class Record, class Write> void With(Record* record, Write write) {
    if (record != nullptr) {
        write(*record);
    }
}

std::uint8_t Byte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

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

void StoreColour(const Command& c, ChannelSettings& channels, int unit, bool contrast) {
    With(ChannelInput(c, channels, unit), [&](InputSettings& in) {
        if (float* field = ColourField(in, c.CharArgument(1), contrast)) {
            *field = c.RealArgument(2);
        }
    });
}

// Arguments by position, as the factories in Command.cpp lay them out.
constexpr std::array<CommandSpec, CommandKindCount> Table{{
    {CommandKind::BlackLevel, "BLKGN", "*%dBLKGN %d %d!", "BLKGN %d %d\r", 0, false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelOutput(c, ch, unit),
              [&](OutputSettings& out) { out.BlackLevel = Byte(c.IntArgument(1)); });
     }},
    // The settle of 350 ms is for Basic; Advanced takes longer (see SendRule).
    {CommandKind::ControlMode, "ZVCTRL", "*%dZVCTRL %d!", "ZVCTRL %d\r", 350, true, 630, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit),
              [&](OutputSettings& out) { out.ControlMode = Byte(c.IntArgument(0)); });
     }},
    {CommandKind::DataDoubling, "DDBL", "*%dDDBL %d!", "DDBL %d\r", 0, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit),
              [&](OutputSettings& out) { out.DataDoubling = Byte(c.IntArgument(0)); });
     }},
    {CommandKind::Display, "DISP", "*%dDISP %d %d!", "DISP %d %d\r", 500, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit), [&](OutputSettings& out) {
             out.ImageAlignment = Byte(c.IntArgument(0));
             out.DisplayOverlap = c.IntArgument(1);
         });
     }},
    {CommandKind::BasicFeathering, "EFTB", "*%dEFTB %d %4.1f!", "EFTB %d %4.1f\r", 6, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit), [&](OutputSettings& out) {
             out.BasicFeatherOn = static_cast<std::int16_t>(c.IntArgument(0));
             out.BasicGamma = c.RealArgument(1);
         });
     }},
    {CommandKind::Halo, "HALO", "*%dHALO %d %c %d %d!", "HALO %d %c %d %d\r", 0, false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelOutput(c, ch, unit), [&](OutputSettings& out) {
             const char side = c.CharArgument(1);
             if (side == 'L') {
                 out.LeftHaloWidth = c.IntArgument(2);
                 out.LeftHaloOffset = c.IntArgument(3);
             } else if (side == 'R') {
                 out.RightHaloWidth = c.IntArgument(2);
                 out.RightHaloOffset = c.IntArgument(3);
             }
         });
     }},
    {CommandKind::Reset, "RESETZV", "*%dRESETZV %c!", "RESETZV %c\r", 7000, true, 810, 0, nullptr},
    {CommandKind::TestPattern, "OTPMZV", "*%dOTPMZV %d %d %d %d!", "OTPMZV %d %d %d %d\r", 0, true,
     80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         const auto write = [&](OutputSettings& out) {
             out.TestPattern = Byte(c.IntArgument(1));
             out.OutputRaster = Byte(c.IntArgument(2));
             out.TestGrid = Byte(c.IntArgument(3));
         };
         if (c.Channel() == AllChannels) {
             for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
                 if (IsRecord(unit, channel)) {
                     write(ch.Output(unit, channel));
                 }
             }
         } else {
             With(ChannelOutput(c, ch, unit), write);
         }
     }},
    {CommandKind::InputContrast, "ICNTZV", "*%dICNTZV %d %c %4.1f!", "ICNTZV %d %c %4.1f\r", 0,
     false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) { StoreColour(c, ch, unit, true); }},
    {CommandKind::InputBrightness, "IBRTZV", "*%dIBRTZV %d %c %4.1f!", "IBRTZV %d %c %4.1f\r", 0,
     false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) { StoreColour(c, ch, unit, false); }},
    {CommandKind::InputPhase, "ICPHOZV", "*%dICPHOZV %d M %d!", "ICPHOZV %d M %d\r", 0, false, 80,
     0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelInput(c, ch, unit), [&](InputSettings& in) { in.Phase = c.IntArgument(1); });
     }},
    {CommandKind::HorizontalPosition, "IRSPZV", "*%dIRSPZV %d M H %d!", "IRSPZV %d M H %d\r", 0,
     false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelInput(c, ch, unit),
              [&](InputSettings& in) { in.HPosition = c.IntArgument(1); });
     }},
    {CommandKind::VerticalPosition, "IRSPZV", "*%dIRSPZV %d M V %d!", "IRSPZV %d M V %d\r", 0,
     false, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelInput(c, ch, unit),
              [&](InputSettings& in) { in.VPosition = c.IntArgument(1); });
     }},
    {CommandKind::SaveInputConfig, "ICSAVZV", "*%dICSAVZV %d!", "ICSAVZV %d\r", 200, true, 80, 0,
     nullptr},
    {CommandKind::ResetInputConfig, "ICRSTZV", "*%dICRSTZV %d!", "ICRSTZV %d\r", 200, true, 80, 0,
     nullptr},
    {CommandKind::Projectors, "PRJ", "*%dPRJ %d %d!", "PRJ %d %d\r", 160, true, 180, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit), [&](OutputSettings& out) {
             out.ProjectorGroup = Byte(c.IntArgument(0));
             out.TotalProjectors = Byte(c.IntArgument(1));
         });
     }},
    {CommandKind::ManualSeam, "MANSEAM", "*%dMANSEAM %d %d %d %d %d %d %d %d %d %d!",
     "MANSEAM %d %d %d %d %d %d %d %d %d %d\r", 0, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelOutput(c, ch, unit), [&](OutputSettings& out) {
             out.SeamMode = c.IntArgument(1);
             for (std::size_t i = 0; i < out.SeamGain.size(); ++i) {
                 out.SeamGain[i] = Byte(c.IntArgument(2 + i));
             }
         });
     }},
    {CommandKind::SeamBridge, "BRDGSEAM", "*%dBRDGSEAM %d!", "BRDGSEAM %d\r", 20, true, 120, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit),
              [&](OutputSettings& out) { out.SeamBridge = Byte(c.IntArgument(0)); });
     }},
    {CommandKind::AutoSeam, "AUTOSEAM", "*%dAUTOSEAM %d!", "AUTOSEAM %d\r", 100, true, 120, 0,
     nullptr},
    {CommandKind::AutoColourBalance, "RGBADJ", "*%dRGBADJ!", "RGBADJ\r\r", 0, true, 37810, 5300,
     nullptr},
    {CommandKind::AutoPosition, "AUTOPOS", "*%dAUTOPOS!", "AUTOPOS\r\r", 0, true, 810, 750,
     nullptr},
    {CommandKind::AutoPhase, "APHASE", "*%dAPHASE!", "APHASE\r\r", 0, true, 21810, 3400, nullptr},
    // The poll's settle comes from the polled operation's row (see SendRule).
    {CommandKind::AutoPoll, "", "*%d !", "", 0, true, 80, 0, nullptr},
    {CommandKind::SystemSave, "SYSAVE", "*%dSYSAVE!", "SYSAVE\r", 1000, true, 80, 0, nullptr},
    {CommandKind::FeatherCurve, "FEATHER", "*%dFEATHER %c!", "FEATHER %c\r", 500, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit), [&](OutputSettings& out) {
             out.FeatherCurve = static_cast<std::uint8_t>(c.CharArgument(0));
         });
     }},
    // Stored like every other setting: otherwise an edge edited on the page would be saved to
    // the configuration file, and sent again by the whole-configuration send, with the value
    // it had before the edit.
    {CommandKind::EdgeFeather, "PEFT", "*%dPEFT %d %c %d %4.1f %d %d!",
     "PEFT %d %c %d %4.1f %d %d\r", 50, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(ChannelOutput(c, ch, unit), [&](OutputSettings& out) {
             const char side = c.CharArgument(1);
             const auto on = static_cast<std::int16_t>(c.IntArgument(2));
             if (side == 'L') {
                 out.LeftFeatherOn = on;
                 out.LeftGamma = c.RealArgument(3);
                 out.LeftGammaWidth = c.IntArgument(4);
                 out.LeftGammaOffset = c.IntArgument(5);
             } else if (side == 'R') {
                 out.RightFeatherOn = on;
                 out.RightGamma = c.RealArgument(3);
                 out.RightGammaWidth = c.IntArgument(4);
                 out.RightGammaOffset = c.IntArgument(5);
             }
         });
     }},
    {CommandKind::BridgeThreshold, "BRTHRS", "*%dBRTHRS %d!", "BRTHRS %d\r", 100, true, 80, 0,
     [](const Command& c, ChannelSettings& ch, int unit) {
         With(UnitRecord(ch, unit),
              [&](OutputSettings& out) { out.BridgeThreshold = Byte(c.IntArgument(0)); });
     }},
}};

constexpr bool RowsInKindOrder() {
    for (std::size_t i = 0; i < Table.size(); ++i) {
        if (static_cast<std::size_t>(Table[i].Kind) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInKindOrder(), "SpecOf indexes the table by kind");

} // namespace

const CommandSpec& SpecOf(CommandKind kind) {
    return Table[static_cast<std::size_t>(kind)];
}

} // namespace tarvel
