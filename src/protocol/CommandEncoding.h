#pragma once

#include "Command.h"
#include "model/ChannelSettings.h"

#include <string>

namespace tarvel {

// How a command is sent: the settle after a controller's accept, whether Direct mode waits
// for the prompt, and for how many ticks of 55 ms.
struct CommandSendRule {
    int SettleMs = 0;
    bool Confirmed = false;
    int PromptWait = 80;
    friend bool operator==(const CommandSendRule&, const CommandSendRule&) = default;
};

// The RS-485 address of a unit: units 1 and 2 take theirs, any other index is an address.
int UnitAddress(int unitIndex, int address1, int address2);

// The controller form filled with the unit's address and the arguments ("*7BLKGN 2 128!").
std::string ControllerText(const Command& command, int address);
// The direct form filled with the arguments ("BLKGN 2 128\r"); empty for the poll, which
// exists in Controller mode only.
std::string DirectText(const Command& command);

CommandSendRule SendRule(const Command& command);

// Store, then send: writes exactly the model fields the command carries, for unit 1 or 2.
// Settings of the whole unit go to the unit's channel-1 output record; a test pattern on
// channel 5 goes to all four channels. Commands without a field, and a unit or channel that
// names no record, store nothing.
void StoreInModel(const Command& command, ChannelSettings& channels, int unit);

} // namespace tarvel
