#pragma once

#include "config/SendPlan.h"
#include "model/ChannelSettings.h"
#include "protocol/ConnectionMode.h"

namespace tarvel {

// What "Send Current Settings to Zelvar(s)" takes from the pages once a configuration file has
// been opened: the Planning page is filled from unit 1's channel-1 output record (the units
// win), and the overlap field shows its DisplayOverlap whatever its bounds. A program without
// pages takes the same values from the file, so its send is the window's.
struct FileSendInput {
    SendPlanInput Input;
    // The file's number of projectors lies outside the list (1..8): the nearest entry is sent.
    bool ProjectorsOutsideList = false;
    // The file's alignment is no entry of the list: the page keeps what it showed before
    // (shownAlignment), and that is sent.
    bool AlignmentKept = false;
};

// unitCount: the units in use as a read of the units found them (the controller's unit count,
// 1 directly). shownAlignment: the Planning page's alignment before the file was opened.
FileSendInput SendInputFromFile(const SettingsModel& file, int unitCount, ConnectionMode mode,
                                int shownAlignment);

} // namespace tarvel
