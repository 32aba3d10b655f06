#pragma once

#include "device/SendResult.h"

#include <cstddef>
#include <functional>

namespace tarvel {

class DeviceLink;
struct SendPlan;

// How a send plan ran.
struct SendPlanEnd {
    enum class Outcome {
        Done,      // every step ran
        Stopped,   // the user gave up on a send, the line was lost or the link disconnected
        Cancelled, // the progress callback asked to stop, or the user cancelled
        Gone,      // the link went away or stops (the program is closing): touch nothing more
    };
    Outcome Result = Outcome::Done;
    SendResult LastSend = SendResult::Done; // the send that ended a stopped run
    std::size_t StepsRun = 0;
};

// Called before each step with the number of steps run so far and the plan's size; returns
// false to stop before that step.
using SendPlanProgress = std::function<bool(std::size_t run, std::size_t total)>;

// Runs the plan's steps in order over the link: each command through the encoders (store,
// then send, in the link's mode), each read-back through the queries, the restore on the
// link's model. Stops at the first send that does not go through. The run is a cancellable
// operation of the link (DeviceLink::Operation); StepsRun counts the steps that went through.
SendPlanEnd RunSendPlan(DeviceLink& link, const SendPlan& plan,
                        const SendPlanProgress& progress = {});

} // namespace tarvel
