#pragma once

#include <QString>

namespace tarvel {

// The window-wide flags every handler looks at. Set and cleared through BusyGuard and
// UpdatingControlsGuard only, so no way out of a handler can leave one set.
struct FormState {
    // 1 while a user action that talks to the units or recalculates is under way; guarded
    // handlers return at once while it is set.
    int Busy = 0;
    // Set while the program itself fills or changes controls: change handlers then update the
    // window only and send nothing.
    bool UpdatingControls = false;
    // The last message built for a message box.
    QString MessageText;
};

} // namespace tarvel
