#pragma once

#include "ui/FormState.h"

namespace tarvel {

// Sets UpdatingControls for the scope and gives it back the value it had, so a fill nested in
// another fill leaves the outer one's guard in force.
class UpdatingControlsGuard {
public:
    explicit UpdatingControlsGuard(FormState& state)
        : state_(state), previous_(state.UpdatingControls) {
        state_.UpdatingControls = true;
    }
    ~UpdatingControlsGuard() { state_.UpdatingControls = previous_; }
    UpdatingControlsGuard(const UpdatingControlsGuard&) = delete;
    UpdatingControlsGuard& operator=(const UpdatingControlsGuard&) = delete;

private:
    FormState& state_;
    bool previous_;
};

} // namespace tarvel
