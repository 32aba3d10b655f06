#pragma once

#include "config/ConfigurationDiff.h"
#include "config/ConfigurationView.h"
#include "config/SendPlan.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What tarvel-cli prints for a person: a configuration, the settings in which two differ, a
// send plan. Pure: the same input always gives the same text.
namespace tarvel {

// Per unit its unit-wide settings, then per screen its input and its outputs; one setting a
// line, label and value (with the unit of measure where the pages name one) in two columns.
// Status values are marked "(status)".
QString ShowText(const ConfigurationView& view);

// Where a difference lies, as a person names it: "screen 3", or "unit 2" for a unit-wide one.
QString DifferencePlace(const SettingDifference& difference);

// One line a difference: place, setting, value in A, value in B, in aligned columns.
QString DiffText(const std::vector<SettingDifference>& differences);

// The catalogue labels of the settings the units' read did not report and so were not
// compared (docs/cli.md), for a note after a comparison with the units.
QStringList NotReportedLabels(char outputReplyKind);

// One line a step as the units would receive it: the command as the simulator logs it
// (controller form with the unit's address, or the direct form), a read-back as its query.
// The restore of the configuration's values after the read-backs goes nowhere and is left out.
QStringList PlanLines(const SendPlan& plan, ConnectionMode mode,
                      const std::array<int, 2>& addresses);

} // namespace tarvel
