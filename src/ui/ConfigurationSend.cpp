#include "ui/ConfigurationSend.h"

#include "config/NumberFormat.h"
#include "device/DeviceLink.h"
#include "device/SendPlanRun.h"
#include "protocol/CommandEncoding.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"
#include "ui/pages/UnitSends.h"

#include <algorithm>
#include <utility>

namespace tarvel {

namespace {

int FirstScreenOf(int unit) {
    return (unit - 1) * ChannelsPerUnit + 1;
}

// The step that sends a command of this kind to the unit (and, for commands of one channel,
// to that channel and side).
std::function<bool(const SendStep&)> StepOf(CommandKind kind, int unit = 0, int channel = 0,
                                            char side = 0) {
    return [=](const SendStep& step) {
        if (step.Kind != SendStepKind::Command || !step.Cmd || step.Cmd->Kind() != kind) {
            return false;
        }
        if (unit != 0 && (step.Unit != unit || step.Cmd->Channel() != channel)) {
            return false;
        }
        return side == 0 || step.Cmd->CharArgument(1) == side;
    };
}

} // namespace

ConfigurationSend::ConfigurationSend(TTarvelForm& form, Restriction restriction)
    : form_(&form), restriction_(std::move(restriction)) {}

bool ConfigurationSend::Commit(const ControlCommand& command, int unit) {
    if (!command.Valid) {
        return false;
    }
    if (command.Cmd) {
        StoreInModel(*command.Cmd, form_->Model().Channels, unit);
    }
    return true;
}

bool ConfigurationSend::CommitControls(int units, int& overlap) {
    const std::optional<int> typed = ParseInt(form_->DisplaySetup().OverlapText().toStdString());
    if (!typed) {
        cut_ = StepOf(CommandKind::Display);
        return false;
    }
    overlap = *typed;
    DisplaySetupPage& display = form_->DisplaySetup();
    const auto outputs = [&](int unit) {
        const int first = FirstScreenOf(unit);
        for (int screen = first; screen < first + ChannelsPerUnit; ++screen) {
            if (!Commit(display.TestPatternFromControls(screen), unit)) {
                cut_ = StepOf(CommandKind::TestPattern, unit, screen - first + 1);
                return false;
            }
        }
        for (int screen = first; screen < first + ChannelsPerUnit; ++screen) {
            if (!Commit(display.BlackLevelFromControls(screen), unit)) {
                cut_ = StepOf(CommandKind::BlackLevel, unit, screen - first + 1);
                return false;
            }
        }
        const struct {
            bool Halo;
            EdgeSide Side;
        } edges[] = {{true, EdgeSide::Left},
                     {true, EdgeSide::Right},
                     {false, EdgeSide::Right},
                     {false, EdgeSide::Left}};
        for (const auto& edge : edges) {
            for (int screen = first; screen < first + ChannelsPerUnit; ++screen) {
                const bool left = edge.Side == EdgeSide::Left;
                if ((left && screen == 1) || (!left && screen == ScreenCount)) {
                    continue;
                }
                const ControlCommand command =
                    edge.Halo ? display.HaloFromControls(screen, edge.Side)
                              : display.EdgeFeatherFromControls(screen, edge.Side);
                if (!Commit(command, unit)) {
                    cut_ = StepOf(edge.Halo ? CommandKind::Halo : CommandKind::EdgeFeather, unit,
                                  screen - first + 1, static_cast<char>(edge.Side));
                    return false;
                }
            }
        }
        return true;
    };
    if (!outputs(1)) {
        return false;
    }
    // The unit-wide settings as this page shows them; the plan sends unit 1's to every unit.
    if (!Commit(display.DataDoublingFromControls(), 1)) {
        cut_ = StepOf(CommandKind::DataDoubling);
        return false;
    }
    if (!Commit(display.BasicFeatheringFromControls(), 1)) {
        cut_ = StepOf(CommandKind::BasicFeathering);
        return false;
    }
    if (!Commit(display.ControlModeFromControls(), 1)) {
        cut_ = StepOf(CommandKind::ControlMode);
        return false;
    }
    return units < 2 || outputs(2);
}

bool ConfigurationSend::TurnPages(const SendPlan& plan, std::size_t beforeStep) {
    const auto& events = plan.PageEvents;
    for (; nextEvent_ < events.size() && events[nextEvent_].StepIndex <= beforeStep; ++nextEvent_) {
        if (!form_) {
            return false;
        }
        const PageEvent& event = events[nextEvent_];
        switch (event.What) {
        case PageEvent::Kind::InputChannel:
            form_->SourceSetup().SelectChannel(event.Screen);
            break;
        case PageEvent::Kind::RefusedColour:
            // The field says why, as when the user leaves it with that value.
            form_->SourceSetup().RefuseColour(plan.Skipped[event.Skipped].Rule);
            break;
        case PageEvent::Kind::SeamChannel:
            form_->SeamRemoval().SelectChannel(event.Screen);
            break;
        }
    }
    return !form_.isNull();
}

ConfigurationSend::End ConfigurationSend::Run(const Progress& progress) {
    if (!form_ || form_->Link().Stopping()) {
        return End::Gone;
    }
    if (!form_->Connected()) {
        return End::Stopped;
    }
    TTarvelForm& form = *form_;
    const int units = form.Model().System.UnitCount > 1 ? 2 : 1;
    int overlap = 0;
    const bool committed = CommitControls(units, overlap);

    SendPlanInput input;
    input.Projectors = form.Planning().ProjectorCountIndex() + 1;
    input.Alignment = form.Planning().AlignmentIndex();
    input.Overlap = overlap;
    input.UnitCount = units;
    input.Mode = form.Link().Mode();
    SendPlan plan = BuildSendPlan(form.Model(), input);
    if (!committed) {
        plan.CutBefore(cut_);
    }
    if (restriction_) {
        plan = restriction_(plan, form.Model());
    }

    const auto isCommand = [](const SendStep& step) { return step.Kind == SendStepKind::Command; };
    commandCount_ =
        static_cast<std::size_t>(std::count_if(plan.Steps.begin(), plan.Steps.end(), isCommand));
    const SendPlanEnd end = RunSendPlan(form.Link(), plan, [&](std::size_t run, std::size_t total) {
        if (progress) {
            progress(run, total);
        }
        return TurnPages(plan, run);
    });
    if (!form_ || end.Result == SendPlanEnd::Outcome::Gone) {
        return End::Gone;
    }
    if (end.Result == SendPlanEnd::Outcome::Done && !TurnPages(plan, plan.Steps.size())) {
        return End::Gone;
    }
    const auto ran = plan.Steps.begin() + static_cast<std::ptrdiff_t>(end.StepsRun);
    commandsSent_ = static_cast<std::size_t>(std::count_if(plan.Steps.begin(), ran, isCommand));
    if (std::any_of(plan.Steps.begin(), ran,
                    [](const SendStep& step) { return step.Kind == SendStepKind::QueryOutput; })) {
        // The control mode's read-back brought the units' outputs into the model.
        form_->DisplaySetup().FillDisplayPage();
    }
    if (end.Result == SendPlanEnd::Outcome::Cancelled && form_->Link().CancelRequested()) {
        return End::Cancelled;
    }
    if (end.Result != SendPlanEnd::Outcome::Done) {
        return End::Stopped;
    }
    return committed && !plan.Invalid ? End::Done : End::Invalid;
}

} // namespace tarvel
