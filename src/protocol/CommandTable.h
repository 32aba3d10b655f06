#pragma once

#include "Command.h"
#include "model/ChannelSettings.h"

#include <string_view>

namespace tarvel {

inline constexpr int PromptTickMs = 55;
inline constexpr int DefaultPromptWait = 80; // ticks: 4.4 s

// Writes the model fields a command carries. `unit` is 1 or 2; the record is the unit's
// channel-1 output record for settings of the whole unit.
using StoreFunction = void (*)(const Command& command, ChannelSettings& channels, int unit);

// One row of the command table. The controller form takes the unit's address first, then the
// arguments in the order the command holds them; the direct form takes the arguments only.
struct CommandSpec {
    CommandKind Kind;
    std::string_view Keyword;
    std::string_view ControllerForm;
    std::string_view DirectForm;  // empty: sent in Controller mode only
    int SettleMs;                 // wait after a controller's accept
    bool Confirmed;               // Direct mode waits for the prompt
    int PromptWait;               // ticks of 55 ms for that wait
    int PollSettlePerProjectorMs; // automatic operations: the poll's settle per projector
    StoreFunction Store;          // nullptr: the command carries no model field
};

const CommandSpec& SpecOf(CommandKind kind);

} // namespace tarvel
