#include "CommandEncoding.h"

#include "CommandTable.h"

#include <algorithm>
#include <array>

namespace tarvel {

namespace {
constexpr int AdvancedControlModeSettleMs = 1550;
} // namespace

int UnitAddress(int unitIndex, int address1, int address2) {
    switch (unitIndex) {
    case 1:
        return address1;
    case 2:
        return address2;
    default:
        return unitIndex;
    }
}

std::string ControllerText(const Command& command, int address) {
    const auto args = command.Arguments();
    std::array<FormatArg, Command::MaxArguments + 1> all{};
    all[0] = static_cast<std::int32_t>(address);
    std::copy(args.begin(), args.end(), all.begin() + 1);
    return FormatText(SpecOf(command.Kind()).ControllerForm,
                      std::span<const FormatArg>(all.data(), args.size() + 1));
}

std::string DirectText(const Command& command) {
    return FormatText(SpecOf(command.Kind()).DirectForm, command.Arguments());
}

CommandSendRule SendRule(const Command& command) {
    const CommandSpec& spec = SpecOf(command.Kind());
    CommandSendRule rule{spec.SettleMs, spec.Confirmed, spec.PromptWait};
    switch (command.Kind()) {
    case CommandKind::ControlMode:
        if (command.IntArgument(0) == 1) {
            rule.SettleMs = AdvancedControlModeSettleMs;
        }
        break;
    case CommandKind::AutoPoll: {
        const Command start = Command::AutoStart(command.PolledOperation());
        rule.SettleMs = SpecOf(start.Kind()).PollSettlePerProjectorMs * command.PollProjectors();
        break;
    }
    default:
        break;
    }
    return rule;
}

void StoreInModel(const Command& command, ChannelSettings& channels, int unit) {
    if (const StoreFunction store = SpecOf(command.Kind()).Store) {
        store(command, channels, unit);
    }
}

} // namespace tarvel
