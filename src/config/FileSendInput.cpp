#include "config/FileSendInput.h"

#include "config/PlanningLists.h"
#include "config/PlanningSteps.h"

namespace tarvel {

FileSendInput SendInputFromFile(const SettingsModel& file, int unitCount, ConnectionMode mode,
                                int shownAlignment) {
    const OutputSettings& unit1 = file.Channels.UnitOutput(1);
    FileSendInput result;
    result.Input.Projectors = CountIndexFromUnits(unit1.TotalProjectors) + 1;
    result.ProjectorsOutsideList = result.Input.Projectors != unit1.TotalProjectors;
    if (unit1.ImageAlignment == LeftJustified || unit1.ImageAlignment == Centered) {
        result.Input.Alignment = unit1.ImageAlignment;
    } else {
        result.Input.Alignment = shownAlignment;
        result.AlignmentKept = true;
    }
    result.Input.Overlap = unit1.DisplayOverlap;
    result.Input.UnitCount = unitCount > 1 ? 2 : 1;
    result.Input.Mode = mode;
    return result;
}

} // namespace tarvel
