#pragma once

#include "config/SendPlan.h"
#include "model/ChannelSettings.h"

namespace tarvel {

// The steps of a whole send that change what the units hold: the plan's commands are stored
// into a copy of the configuration first, so a setting counts as different when the value the
// send would carry differs from what the units reported (the Planning page's projector count,
// unit 1's unit-wide values given to unit 2), and then only those steps are kept
// (ChangedStepsOnly). `units` is a model read from the units.
SendPlan StepsThatChangeUnits(const SendPlan& plan, const SettingsModel& configuration,
                              const SettingsModel& units);

} // namespace tarvel
