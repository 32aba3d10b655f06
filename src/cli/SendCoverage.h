#pragma once

#include "config/ConfigurationDiff.h"
#include "config/SendPlan.h"

#include <QString>

namespace tarvel {

// Why a send of the file leaves this difference from the units standing: the send does not
// carry the setting at all (feather curve, seam bridge, bridge threshold), gives unit 2 unit
// 1's unit-wide values, leaves out the input and seam gains of a screen without video lock or
// beyond the number of projectors, or a colour the Source Setup page refuses. Empty when the
// send carries the value: the units then hold another one than they were sent.
QString NotCarriedReason(const SettingDifference& difference, const SettingsModel& file,
                         const SendPlan& plan, const SendPlanInput& input);

} // namespace tarvel
