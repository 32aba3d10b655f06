#include "config/ChangedSend.h"

#include "config/ConfigurationDiff.h"
#include "protocol/CommandEncoding.h"

namespace tarvel {

SendPlan StepsThatChangeUnits(const SendPlan& plan, const SettingsModel& configuration,
                              const SettingsModel& units) {
    SettingsModel sent = configuration;
    for (const SendStep& step : plan.Steps) {
        if (step.Kind == SendStepKind::Command && step.Cmd) {
            StoreInModel(*step.Cmd, sent.Channels, step.Unit);
        }
    }
    return ChangedStepsOnly(plan, DiffAgainstUnits(sent, units));
}

} // namespace tarvel
