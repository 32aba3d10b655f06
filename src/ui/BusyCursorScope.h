#pragma once

#include "device/LinkView.h"

namespace tarvel {

// The hourglass for the scope, unless it is already shown; the arrow again on every way out.
class BusyCursorScope {
public:
    explicit BusyCursorScope(LinkView& view) : view_(view), changed_(!view.BusyCursorShown()) {
        if (changed_) {
            view_.SetBusyCursor(true);
        }
    }
    ~BusyCursorScope() {
        if (changed_) {
            view_.SetBusyCursor(false);
        }
    }
    BusyCursorScope(const BusyCursorScope&) = delete;
    BusyCursorScope& operator=(const BusyCursorScope&) = delete;

private:
    LinkView& view_;
    bool changed_;
};

} // namespace tarvel
