#include "Command.h"

#include <algorithm>
#include <cassert>

namespace tarvel {

namespace {
FormatArg Letter(EdgeSide side) {
    return static_cast<char>(side);
}
FormatArg Letter(InputColour colour) {
    return static_cast<char>(colour);
}
} // namespace

Command::Command(CommandKind kind, int channel, std::initializer_list<FormatArg> args)
    : kind_(kind), channel_(channel), count_(args.size()) {
    assert(args.size() <= MaxArguments);
    std::copy(args.begin(), args.end(), args_.begin());
}

std::int32_t Command::IntArgument(std::size_t index) const {
    const auto* value = index < count_ ? std::get_if<std::int32_t>(&args_[index]) : nullptr;
    return value ? *value : 0;
}

char Command::CharArgument(std::size_t index) const {
    const auto* value = index < count_ ? std::get_if<char>(&args_[index]) : nullptr;
    return value ? *value : '\0';
}

float Command::RealArgument(std::size_t index) const {
    const auto* value = index < count_ ? std::get_if<float>(&args_[index]) : nullptr;
    return value ? *value : 0.0f;
}

Command Command::BlackLevel(int channel, int level) {
    return {CommandKind::BlackLevel, channel, {channel, level}};
}

Command Command::ControlMode(int mode) {
    return {CommandKind::ControlMode, 0, {mode}};
}

Command Command::DataDoubling(int on) {
    return {CommandKind::DataDoubling, 0, {on}};
}

Command Command::Display(int alignment, int overlap) {
    return {CommandKind::Display, 0, {alignment, overlap}};
}

Command Command::BasicFeathering(int on, float gamma) {
    return {CommandKind::BasicFeathering, 0, {on, gamma}};
}

Command Command::Halo(int channel, EdgeSide side, int width, int offset) {
    return {CommandKind::Halo, channel, {channel, Letter(side), width, offset}};
}

Command Command::Reset(char kind) {
    return {CommandKind::Reset, 0, {kind}};
}

Command Command::TestPattern(int channel, int pattern, int raster, int grid) {
    return {CommandKind::TestPattern, channel, {channel, pattern, raster, grid}};
}

Command Command::InputContrast(int channel, InputColour colour, float value) {
    return {CommandKind::InputContrast, channel, {channel, Letter(colour), value}};
}

Command Command::InputBrightness(int channel, InputColour colour, float value) {
    return {CommandKind::InputBrightness, channel, {channel, Letter(colour), value}};
}

Command Command::InputPhase(int channel, int phase) {
    return {CommandKind::InputPhase, channel, {channel, phase}};
}

Command Command::HorizontalPosition(int channel, int position) {
    return {CommandKind::HorizontalPosition, channel, {channel, position}};
}

Command Command::VerticalPosition(int channel, int position) {
    return {CommandKind::VerticalPosition, channel, {channel, position}};
}

Command Command::SaveInputConfig(int channel) {
    return {CommandKind::SaveInputConfig, channel, {channel}};
}

Command Command::ResetInputConfig(int channel) {
    return {CommandKind::ResetInputConfig, channel, {channel}};
}

Command Command::Projectors(int group, int total) {
    return {CommandKind::Projectors, 0, {group, total}};
}

Command Command::ManualSeam(int channel, int mode, const std::array<int, 8>& gains) {
    return {CommandKind::ManualSeam,
            channel,
            {channel, mode, gains[0], gains[1], gains[2], gains[3], gains[4], gains[5], gains[6],
             gains[7]}};
}

Command Command::SeamBridge(int on) {
    return {CommandKind::SeamBridge, 0, {on}};
}

Command Command::AutoSeam(int channel) {
    return {CommandKind::AutoSeam, channel, {channel}};
}

Command Command::AutoStart(AutoOperation operation) {
    switch (operation) {
    case AutoOperation::Position:
        return {CommandKind::AutoPosition, 0, {}};
    case AutoOperation::Phase:
        return {CommandKind::AutoPhase, 0, {}};
    case AutoOperation::ColourBalance:
        break;
    }
    return {CommandKind::AutoColourBalance, 0, {}};
}

Command Command::AutoPoll(AutoOperation operation, int totalProjectors) {
    Command poll{CommandKind::AutoPoll, 0, {}};
    poll.polled_ = operation;
    poll.pollProjectors_ = totalProjectors;
    return poll;
}

Command Command::SystemSave() {
    return {CommandKind::SystemSave, 0, {}};
}

Command Command::FeatherCurve(char curve) {
    return {CommandKind::FeatherCurve, 0, {curve}};
}

Command Command::EdgeFeather(int channel, EdgeSide side, int on, float gamma, int width,
                             int offset) {
    return {CommandKind::EdgeFeather, channel, {channel, Letter(side), on, gamma, width, offset}};
}

Command Command::BridgeThreshold(int threshold) {
    return {CommandKind::BridgeThreshold, 0, {threshold}};
}

} // namespace tarvel
