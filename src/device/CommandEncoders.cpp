#include "device/CommandEncoders.h"

#include "device/DeviceLink.h"
#include "device/UnitQueries.h"
#include "model/ChannelSettings.h"
#include "protocol/CommandEncoding.h"

#include <QPointer>

namespace tarvel {

namespace {

QString AutomaticStatusText(AutoOperation operation) {
    switch (operation) {
    case AutoOperation::Position:
        return QStringLiteral("Automatic Position setup in progress. Please wait....");
    case AutoOperation::Phase:
        return QStringLiteral("Automatic Phase setup in progress. Please wait....");
    case AutoOperation::ColourBalance:
        break;
    }
    return QStringLiteral("Automatic Color Balance in progress. Please wait....");
}

// The hourglass for an operation; back to the arrow afterwards.
class BusyCursor {
public:
    explicit BusyCursor(DeviceLink& link) : link_(&link) { link.Observer().BusyCursor(true); }
    ~BusyCursor() {
        if (link_) {
            link_->Observer().BusyCursor(false);
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QPointer<DeviceLink> link_;
};

bool IsUnit(int unit) {
    return unit == 1 || unit == 2;
}

} // namespace

CommandEncoders::CommandEncoders(DeviceLink& link) : link_(link) {}

SendResult CommandEncoders::Send(int unit, const Command& command) {
    StoreInModel(command, link_.Model().Channels, unit);
    link_.Observer().ModelChanged();
    if (!link_.Connected()) {
        return SendResult::NotSent;
    }
    const CommandSendRule rule = SendRule(command);
    if (link_.Mode() == ConnectionMode::Controller) {
        return link_.SendFramed(ControllerText(command, link_.UnitAddress(unit)), rule.SettleMs);
    }
    const std::string text = DirectText(command);
    if (text.empty()) {
        return SendResult::NotSent; // a controller-only command
    }
    if (rule.Confirmed) {
        return link_.SendConfirmed(text, rule.PromptWait);
    }
    return link_.WriteText(text);
}

SendResult CommandEncoders::SendBlackLevel(int unit, int channel, int level) {
    return Send(unit, Command::BlackLevel(channel, level));
}

SendResult CommandEncoders::SendControlMode(int unit, int mode) {
    BusyCursor cursor(link_);
    const SendResult sent = Send(unit, Command::ControlMode(mode));
    if (sent != SendResult::Done || !ReadChannels(unit, true)) {
        return sent != SendResult::Done ? sent : link_.StopResult();
    }
    return SendResult::Done;
}

SendResult CommandEncoders::SendDataDoubling(int unit, int on) {
    return Send(unit, Command::DataDoubling(on));
}

SendResult CommandEncoders::SendDisplay(int unit, int alignment, int overlap) {
    return Send(unit, Command::Display(alignment, overlap));
}

SendResult CommandEncoders::SendBasicFeathering(int unit, int on, float gamma) {
    return Send(unit, Command::BasicFeathering(on, gamma));
}

SendResult CommandEncoders::SendHalo(int unit, int channel, EdgeSide side, int width, int offset) {
    return Send(unit, Command::Halo(channel, side, width, offset));
}

SendResult CommandEncoders::SendReset(int unit, char kind) {
    return Send(unit, Command::Reset(kind));
}

SendResult CommandEncoders::SendTestPattern(int unit, int channel, int pattern, int raster,
                                            int grid) {
    return Send(unit, Command::TestPattern(channel, pattern, raster, grid));
}

SendResult CommandEncoders::SendInputContrast(int unit, int channel, InputColour colour,
                                              float value) {
    return Send(unit, Command::InputContrast(channel, colour, value));
}

SendResult CommandEncoders::SendInputBrightness(int unit, int channel, InputColour colour,
                                                float value) {
    return Send(unit, Command::InputBrightness(channel, colour, value));
}

SendResult CommandEncoders::SendInputPhase(int unit, int channel, int phase) {
    return Send(unit, Command::InputPhase(channel, phase));
}

SendResult CommandEncoders::SendHorizontalPosition(int unit, int channel, int position) {
    return Send(unit, Command::HorizontalPosition(channel, position));
}

SendResult CommandEncoders::SendVerticalPosition(int unit, int channel, int position) {
    return Send(unit, Command::VerticalPosition(channel, position));
}

SendResult CommandEncoders::SendSaveInputConfig(int unit, int channel) {
    return Send(unit, Command::SaveInputConfig(channel));
}

SendResult CommandEncoders::SendResetInputConfig(int unit, int channel) {
    const SendResult sent = Send(unit, Command::ResetInputConfig(channel));
    if (sent != SendResult::Done || !ReadChannels(unit, false)) {
        return sent != SendResult::Done ? sent : link_.StopResult();
    }
    return SendResult::Done;
}

SendResult CommandEncoders::SendProjectors(int unit, int group, int total) {
    return Send(unit, Command::Projectors(group, total));
}

SendResult CommandEncoders::SendManualSeam(int unit, int channel, int mode,
                                           const std::array<int, 8>& gains) {
    return Send(unit, Command::ManualSeam(channel, mode, gains));
}

SendResult CommandEncoders::SendSeamBridge(int unit, int on) {
    return Send(unit, Command::SeamBridge(on));
}

SendResult CommandEncoders::SendAutoSeam(int unit, int channel) {
    const QPointer<DeviceLink> alive(&link_);
    const SendResult sent = Send(unit, Command::AutoSeam(channel));
    if (sent != SendResult::Done) {
        return sent;
    }
    const bool controller = link_.Mode() == ConnectionMode::Controller;
    if (controller && !link_.PumpOnce()) {
        return SendResult::NotSent;
    }
    QueryResult read = link_.Queries().QueryOutputStatus(unit, channel);
    if (controller && read == QueryResult::Failed) {
        read = link_.Queries().QueryOutputStatus(unit, channel);
    }
    if (!alive) {
        return SendResult::NotSent;
    }
    return read == QueryResult::Aborted ? link_.StopResult() : SendResult::Done;
}

SendResult CommandEncoders::SendSystemSave(int unit) {
    return Send(unit, Command::SystemSave());
}

SendResult CommandEncoders::SendFeatherCurve(int unit, char curve) {
    return Send(unit, Command::FeatherCurve(curve));
}

SendResult CommandEncoders::SendEdgeFeather(int unit, int channel, EdgeSide side, int on,
                                            float gamma, int width, int offset) {
    return Send(unit, Command::EdgeFeather(channel, side, on, gamma, width, offset));
}

SendResult CommandEncoders::SendBridgeThreshold(int unit, int threshold) {
    return Send(unit, Command::BridgeThreshold(threshold));
}

bool CommandEncoders::ReadChannels(int unit, bool output) {
    const QPointer<DeviceLink> alive(&link_);
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        UnitQueries& queries = link_.Queries();
        const QueryResult read = output ? queries.QueryOutputStatus(unit, channel)
                                        : queries.QueryInputStatus(unit, channel);
        if (!alive || read == QueryResult::Aborted) {
            return false;
        }
    }
    return true;
}

CommandEncoders::AutomaticEnd CommandEncoders::RunAutomatic(int unit, AutoOperation operation) {
    AutomaticEnd end;
    if (!link_.Connected()) {
        end.Sent = SendResult::NotSent;
        return end;
    }
    const QPointer<DeviceLink> alive(&link_);
    const DeviceLink::Operation cancellable(link_);
    SettingsModel& model = link_.Model();
    const auto stop = [&](SendResult result) {
        end.Sent = result == SendResult::NotSent && alive ? link_.StopResult() : result;
        return end;
    };
    if (operation == AutoOperation::ColourBalance) {
        if (!ReadChannels(unit, false)) {
            return stop(SendResult::NotSent);
        }
        end.InputsRead = true;
        if (IsUnit(unit) && model.Channels.Input(unit, 1).VideoLoaded == 0) {
            end.NoInput = true;
            return end;
        }
    }

    BusyCursor cursor(link_);
    link_.SetStatusText(AutomaticStatusText(operation));
    const Command start = Command::AutoStart(operation);
    SendResult sent = SendResult::Done;
    if (link_.Mode() == ConnectionMode::Controller) {
        const int address = link_.UnitAddress(unit);
        sent = link_.SendFramed(ControllerText(start, address), SendRule(start).SettleMs);
        if (sent != SendResult::Done) {
            return stop(sent);
        }
        const int projectors = IsUnit(unit) ? model.Channels.UnitOutput(unit).TotalProjectors : 0;
        const Command poll = Command::AutoPoll(operation, projectors);
        // While a colour balance runs the controller reports that the unit does not answer:
        // no message then, and a longer pause between polls.
        link_.SetColourBalanceWait(operation == AutoOperation::ColourBalance);
        sent = link_.SendFramed(ControllerText(poll, address), SendRule(poll).SettleMs);
        if (!alive) {
            end.Sent = SendResult::NotSent;
            return end;
        }
        link_.SetColourBalanceWait(false);
        if (sent != SendResult::Done || !link_.PumpOnce()) {
            return stop(sent != SendResult::Done ? sent : SendResult::NotSent);
        }
    } else {
        sent = link_.SendConfirmed(DirectText(start), SendRule(start).PromptWait);
        if (sent != SendResult::Done) {
            return stop(sent);
        }
    }
    link_.SetStatusText(QString());
    if (!ReadChannels(unit, false)) {
        return stop(SendResult::NotSent);
    }
    end.InputsRead = true;
    return end;
}

} // namespace tarvel
