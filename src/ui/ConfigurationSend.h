#pragma once

#include "config/SendPlan.h"

#include <QPointer>

#include <functional>

namespace tarvel {

class TTarvelForm;

// One run of "Send Current Settings to Zelvar(s)" from the window:
//
//  1. the controls that the send reads as they stand (the overlap width and the Display Setup
//     page) are committed into the model, in the order of the send, up to the first that holds
//     no usable value;
//  2. the send plan is built from the model and, after such a value, cut before the step that
//     would have sent it (what comes before it still goes out);
//  3. the plan runs over the link while the Source Setup and Seam Removal pages turn to each
//     channel in its turn and refused colour values are reported by their fields; the
//     Display Setup page shows the model once the control mode's read-back has run.
//
// The caller holds Busy and has checked the link. The run shows no message of its own: End
// says how it ended, and the caller tells the user once.
class ConfigurationSend {
public:
    enum class End {
        Done,
        Invalid,   // a control held no usable value; commands before it went out
        Stopped,   // the user gave up on a send, the port was lost or the link was closed
        Cancelled, // the user cancelled the run: CommandsSent of CommandCount went out
        Gone,      // the window is closing: touch nothing more
    };
    // Before each step: the steps run so far and the plan's size.
    using Progress = std::function<void(std::size_t run, std::size_t total)>;

    // Picks the steps of the plan to run, once the controls are in the model (the model then
    // holds what the whole send would send). Empty: every step.
    using Restriction = std::function<SendPlan(const SendPlan& plan, const SettingsModel& model)>;

    explicit ConfigurationSend(TTarvelForm& form, Restriction restriction = {});

    End Run(const Progress& progress = {});
    // The plan's commands, and how many of them went through.
    std::size_t CommandCount() const { return commandCount_; }
    std::size_t CommandsSent() const { return commandsSent_; }

private:
    // The controls into the model; false at the first unusable one, with cut_ saying which
    // step it would have been.
    bool CommitControls(int units, int& overlap);
    bool Commit(const struct ControlCommand& command, int unit);
    // The pages turn where a send through them would: Source Setup and Seam Removal select
    // each channel in its turn, refused colours are reported; every event before the step.
    bool TurnPages(const SendPlan& plan, std::size_t beforeStep);

    QPointer<TTarvelForm> form_;
    Restriction restriction_;
    std::function<bool(const SendStep&)> cut_;
    std::size_t nextEvent_ = 0;
    std::size_t commandCount_ = 0;
    std::size_t commandsSent_ = 0;
};

} // namespace tarvel
