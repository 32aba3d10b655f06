#pragma once

#include "ui/FormState.h"

namespace tarvel {

// The scope of a guarded handler:
//
//     BusyGuard busy(context.State);
//     if (!busy) {
//         return; // another action is under way
//     }
//
// When Busy was clear the guard sets it and clears it again on every way out of the scope;
// when Busy was already set the guard leaves it alone.
class BusyGuard {
public:
    explicit BusyGuard(FormState& state) : state_(state), acquired_(state.Busy == 0) {
        if (acquired_) {
            state_.Busy = 1;
        }
    }
    ~BusyGuard() {
        if (acquired_) {
            state_.Busy = 0;
        }
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    // True when this guard holds Busy, that is when the handler may go on.
    explicit operator bool() const { return acquired_; }

private:
    FormState& state_;
    bool acquired_;
};

} // namespace tarvel
