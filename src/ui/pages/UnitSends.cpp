#include "ui/pages/UnitSends.h"

#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "ui/UiContext.h"

#include <QPointer>

namespace tarvel {

ControlSend ControlSendOf(SendResult result) {
    return StopsOperation(result) ? ControlSend::Stopped : ControlSend::Sent;
}

bool StopsOperation(SendResult result) {
    return result == SendResult::Stopped || result == SendResult::PortLost ||
           result == SendResult::Cancelled;
}

CommandEncoders* Encoders(const UiContext& context) {
    return context.Link != nullptr ? &context.Link->Encoders() : nullptr;
}

UnitsSent SendToUnits(const UiContext& context, const QObject* owner,
                      const std::function<SendResult(CommandEncoders&, int unit)>& send) {
    const QPointer<const QObject> alive(owner);
    const int units = context.Model.System.UnitCount > 1 ? 2 : 1;
    for (int unit = 1; unit <= units; ++unit) {
        CommandEncoders* encoders = Encoders(context);
        if (encoders == nullptr) {
            return UnitsSent::Done;
        }
        const SendResult result = send(*encoders, unit);
        if (alive.isNull()) {
            return UnitsSent::Gone;
        }
        if (StopsOperation(result)) {
            return UnitsSent::Stopped;
        }
    }
    return UnitsSent::Done;
}

UnitsSent
SendToEveryChannel(const UiContext& context, const QObject* owner,
                   const std::function<SendResult(CommandEncoders&, int unit, int channel)>& send) {
    const QPointer<const QObject> alive(owner);
    const int units = context.Model.System.UnitCount > 1 ? 2 : 1;
    for (int unit = 1; unit <= units; ++unit) {
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            CommandEncoders* encoders = Encoders(context);
            if (encoders == nullptr) {
                return UnitsSent::Done;
            }
            const SendResult result = send(*encoders, unit, channel);
            if (alive.isNull()) {
                return UnitsSent::Gone;
            }
            if (result != SendResult::Done) {
                return UnitsSent::Stopped;
            }
        }
    }
    return UnitsSent::Done;
}

} // namespace tarvel
