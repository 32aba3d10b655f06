#pragma once

#include "device/SendResult.h"
#include "protocol/Command.h"

#include <array>

namespace tarvel {

class DeviceLink;

// One operation per device command: store the values in the model, then, when Connected, send
// the controller form (framed, with the command's settle) or the direct form (confirmed by the
// prompt within the command's prompt wait, or written unconfirmed). `unit` is 1 or 2 (any
// other index is used as an RS-485 address and stores nothing); channels are unit channels.
// Owned by the DeviceLink.
//
// Results: NotSent when not Connected (the model holds the value all the same); otherwise the
// transport's result. Any result but Done ends an operation made of several steps.
class CommandEncoders {
public:
    explicit CommandEncoders(DeviceLink& link);

    // Store, then send, for any command.
    SendResult Send(int unit, const Command& command);

    SendResult SendBlackLevel(int unit, int channel, int level);
    // Afterwards the output status of the unit's four channels is read back into the model
    // (Done only when it was: the caller then refills what shows the outputs); the hourglass
    // shows for the whole run.
    SendResult SendControlMode(int unit, int mode);
    SendResult SendDataDoubling(int unit, int on);
    SendResult SendDisplay(int unit, int alignment, int overlap);
    SendResult SendBasicFeathering(int unit, int on, float gamma);
    SendResult SendHalo(int unit, int channel, EdgeSide side, int width, int offset);
    SendResult SendReset(int unit, char kind = 'F');
    SendResult SendTestPattern(int unit, int channel, int pattern, int raster, int grid);
    SendResult SendInputContrast(int unit, int channel, InputColour colour, float value);
    SendResult SendInputBrightness(int unit, int channel, InputColour colour, float value);
    SendResult SendInputPhase(int unit, int channel, int phase);
    SendResult SendHorizontalPosition(int unit, int channel, int position);
    SendResult SendVerticalPosition(int unit, int channel, int position);
    SendResult SendSaveInputConfig(int unit, int channel);
    // Afterwards the input status of the unit's four channels is read back (Done only when it
    // was).
    SendResult SendResetInputConfig(int unit, int channel);
    SendResult SendProjectors(int unit, int group, int total);
    SendResult SendManualSeam(int unit, int channel, int mode, const std::array<int, 8>& gains);
    SendResult SendSeamBridge(int unit, int on);
    // Afterwards the channel's output status is read (through a controller: once more if that
    // fails); Done once that has been tried.
    SendResult SendAutoSeam(int unit, int channel);
    SendResult SendSystemSave(int unit);
    SendResult SendFeatherCurve(int unit, char curve);
    SendResult SendEdgeFeather(int unit, int channel, EdgeSide side, int on, float gamma, int width,
                               int offset);
    SendResult SendBridgeThreshold(int unit, int threshold);

    // How an automatic adjustment of one unit ended.
    struct AutomaticEnd {
        SendResult Sent = SendResult::Done;
        bool InputsRead = false; // the unit's input status was read into the model
        bool NoInput = false;    // colour balance: channel 1 has no video, nothing was started
    };
    // The automatic adjustments of one unit. The colour balance first reads the input status of
    // the unit's channels and stops (NoInput, Sent Done) when channel 1 has no video.
    // Afterwards the input status is read again. A cancellable operation of the link: after a
    // cancel Sent is Cancelled (the unit may still be at work).
    AutomaticEnd RunAutomatic(int unit, AutoOperation operation);

private:
    // Input (or output) status of channels 1..4; false when the link went away.
    bool ReadChannels(int unit, bool output);

    DeviceLink& link_;
};

} // namespace tarvel
