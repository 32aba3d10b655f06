#include "device/SendPlanRun.h"

#include "config/SendPlan.h"
#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "device/UnitQueries.h"

#include <QPointer>

namespace tarvel {

SendPlanEnd RunSendPlan(DeviceLink& link, const SendPlan& plan, const SendPlanProgress& progress) {
    const QPointer<DeviceLink> alive(&link);
    const DeviceLink::Operation operation(link);
    SendPlanEnd end;
    const auto stillGoing = [&] {
        if (!alive || link.Stopping()) {
            end.Result = SendPlanEnd::Outcome::Gone;
            return false;
        }
        if (link.CancelRequested()) {
            end.Result = SendPlanEnd::Outcome::Cancelled;
            return false;
        }
        if (!link.Connected()) {
            end.Result = SendPlanEnd::Outcome::Stopped; // disconnected or lost during a wait
            return false;
        }
        return true;
    };
    if (!stillGoing()) {
        return end;
    }
    for (const SendStep& step : plan.Steps) {
        if (progress && !progress(end.StepsRun, plan.Steps.size())) {
            end.Result = SendPlanEnd::Outcome::Cancelled;
            return end;
        }
        if (!stillGoing()) {
            return end;
        }
        switch (step.Kind) {
        case SendStepKind::Command: {
            const SendResult sent = link.Encoders().Send(step.Unit, *step.Cmd);
            if (sent == SendResult::Done) {
                break; // it went through; a cancel during its settle stops before the next step
            }
            if (!stillGoing()) {
                end.LastSend = sent;
                return end;
            }
            if (sent == SendResult::Cancelled) {
                end.Result = SendPlanEnd::Outcome::Cancelled;
                end.LastSend = sent;
                return end;
            }
            if (sent == SendResult::Stopped || sent == SendResult::PortLost ||
                sent == SendResult::Abandoned) {
                end.Result = SendPlanEnd::Outcome::Stopped;
                end.LastSend = sent;
                return end;
            }
            break;
        }
        case SendStepKind::QueryOutput:
            link.Queries().QueryOutputStatus(step.Unit, step.Channel);
            if (!stillGoing()) {
                return end;
            }
            break;
        case SendStepKind::RestoreOutputs:
            RestoreOutputs(plan, link.Model().Channels);
            break;
        }
        ++end.StepsRun;
    }
    // Every step went through: a cancel now comes too late to stop anything.
    if (!alive || link.Stopping()) {
        end.Result = SendPlanEnd::Outcome::Gone;
    } else if (!link.Connected()) {
        end.Result = SendPlanEnd::Outcome::Stopped;
    } else {
        end.Result = SendPlanEnd::Outcome::Done;
    }
    return end;
}

} // namespace tarvel
