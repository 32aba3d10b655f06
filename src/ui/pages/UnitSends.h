#pragma once

#include "device/SendResult.h"
#include "protocol/Command.h"

#include <functional>
#include <optional>

class QObject;

namespace tarvel {

class CommandEncoders;
struct UiContext;

// How a setting for the units in use ended.
enum class UnitsSent {
    Done,    // every unit was given the setting (or the link was down and the model took it)
    Stopped, // the user gave up on or cancelled a send, or the port was lost: the next unit
             // was not tried
    Gone,    // the window went away during a wait: touch nothing more
};

// How a value sent from the controls as they stand ended (the whole-configuration send).
enum class ControlSend {
    Sent,    // sent, or nothing to send (the link down, no such edge)
    Invalid, // a control holds no usable value: nothing was sent
    Stopped, // the user gave up on or cancelled the send, or the port was lost
};

ControlSend ControlSendOf(SendResult result);

// A send that ends what it is part of: the user gave up or cancelled, or the port was lost.
bool StopsOperation(SendResult result);

// What a setting's controls hold, as the command that would send it: Valid without Cmd when
// there is nothing to send (no such edge); not Valid when a control holds no usable value.
struct ControlCommand {
    bool Valid = true;
    std::optional<Command> Cmd;

    static ControlCommand Of(const Command& command) { return {true, command}; }
    static ControlCommand Refused() { return {false, std::nullopt}; }
};

// The link's encoders; null while the window has no link.
CommandEncoders* Encoders(const UiContext& context);

// Runs `send` for unit 1 and, when UnitCount is above 1, for unit 2: the unit-wide settings go
// to both units with the same value. `owner` is the object the caller goes on using; when it
// is destroyed during a send's wait the result is Gone.
UnitsSent SendToUnits(const UiContext& context, const QObject* owner,
                      const std::function<SendResult(CommandEncoders&, int unit)>& send);

// Runs `send` for channels 1-4 of unit 1 and, when UnitCount is above 1, of unit 2, stopping at
// the first send that did not go through (Stopped): the rest would only repeat its failure.
UnitsSent
SendToEveryChannel(const UiContext& context, const QObject* owner,
                   const std::function<SendResult(CommandEncoders&, int unit, int channel)>& send);

} // namespace tarvel
