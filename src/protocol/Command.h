#pragma once

#include "TextFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace tarvel {

// One per row of the command table (CommandTable.h), in its order.
enum class CommandKind : std::uint8_t {
    BlackLevel,
    ControlMode,
    DataDoubling,
    Display,
    BasicFeathering,
    Halo,
    Reset,
    TestPattern,
    InputContrast,
    InputBrightness,
    InputPhase,
    HorizontalPosition,
    VerticalPosition,
    SaveInputConfig,
    ResetInputConfig,
    Projectors,
    ManualSeam,
    SeamBridge,
    AutoSeam,
    AutoColourBalance,
    AutoPosition,
    AutoPhase,
    AutoPoll,
    SystemSave,
    FeatherCurve,
    EdgeFeather,
    BridgeThreshold,
};
inline constexpr std::size_t CommandKindCount =
    static_cast<std::size_t>(CommandKind::BridgeThreshold) + 1;

enum class EdgeSide : char { Left = 'L', Right = 'R' };
enum class InputColour : char { Overall = 'C', Red = 'R', Green = 'G', Blue = 'B' };
enum class AutoOperation { ColourBalance, Position, Phase };

// The colour selector of the source page (0 overall, 1 red, 2 green, 3 blue).
constexpr InputColour ColourForSelector(int selector) {
    switch (selector) {
    case 1:
        return InputColour::Red;
    case 2:
        return InputColour::Green;
    case 3:
        return InputColour::Blue;
    default:
        return InputColour::Overall;
    }
}

// The feather curve radio item (0 S-curve, 1 linear) as the letter the unit takes.
constexpr char FeatherCurveLetter(int item) {
    return item == 1 ? 'L' : 'S';
}

inline constexpr int AllChannels = 5; // test pattern channel meaning channels 1..4 of the unit

// One device command with its arguments, in the order its forms take them. The unit is not
// part of it: the controller form takes the unit's address when the text is made, the direct
// form goes to the one unit on the port.
class Command {
public:
    static constexpr std::size_t MaxArguments = 10;

    static Command BlackLevel(int channel, int level);
    static Command ControlMode(int mode); // 0 basic, 1 advanced
    static Command DataDoubling(int on);
    static Command Display(int alignment, int overlap); // alignment 0 left, 1 centre
    static Command BasicFeathering(int on, float gamma);
    static Command Halo(int channel, EdgeSide side, int width, int offset);
    static Command Reset(char kind = 'F');
    static Command TestPattern(int channel, int pattern, int raster, int grid); // channel 1..5
    static Command InputContrast(int channel, InputColour colour, float value);
    static Command InputBrightness(int channel, InputColour colour, float value);
    static Command InputPhase(int channel, int phase);
    static Command HorizontalPosition(int channel, int position);
    static Command VerticalPosition(int channel, int position);
    static Command SaveInputConfig(int channel);
    static Command ResetInputConfig(int channel);
    static Command Projectors(int group, int total); // group 0 for unit 1, 1 for unit 2
    static Command ManualSeam(int channel, int mode, const std::array<int, 8>& gains);
    static Command SeamBridge(int on);
    static Command AutoSeam(int channel);
    static Command AutoStart(AutoOperation operation);
    // The controller-only poll that follows an automatic operation's start; it settles for the
    // operation's time per projector of the wall.
    static Command AutoPoll(AutoOperation operation, int totalProjectors);
    static Command SystemSave();
    static Command FeatherCurve(char curve); // 'S' or 'L'
    static Command EdgeFeather(int channel, EdgeSide side, int on, float gamma, int width,
                               int offset);
    static Command BridgeThreshold(int threshold);

    CommandKind Kind() const { return kind_; }
    std::span<const FormatArg> Arguments() const { return {args_.data(), count_}; }
    // The unit channel the command addresses (1..4, 5 for a test pattern on all channels);
    // 0 for commands of the whole unit.
    int Channel() const { return channel_; }
    AutoOperation PolledOperation() const { return polled_; }
    int PollProjectors() const { return pollProjectors_; }

    std::int32_t IntArgument(std::size_t index) const;
    char CharArgument(std::size_t index) const;
    float RealArgument(std::size_t index) const;

    friend bool operator==(const Command&, const Command&) = default;

private:
    Command(CommandKind kind, int channel, std::initializer_list<FormatArg> args);

    CommandKind kind_;
    int channel_ = 0;
    std::array<FormatArg, MaxArguments> args_{};
    std::size_t count_ = 0;
    AutoOperation polled_ = AutoOperation::ColourBalance;
    int pollProjectors_ = 0;
};

} // namespace tarvel
