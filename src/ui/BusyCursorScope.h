#pragma once

#include "device/LinkObserver.h"

namespace tarvel {

// The hourglass for the scope, shared with the link's own: it shows while any holder has it.
class BusyCursorScope {
public:
    explicit BusyCursorScope(LinkObserver& observer) : observer_(observer) {
        observer_.BusyCursor(true);
    }
    ~BusyCursorScope() { observer_.BusyCursor(false); }
    BusyCursorScope(const BusyCursorScope&) = delete;
    BusyCursorScope& operator=(const BusyCursorScope&) = delete;

private:
    LinkObserver& observer_;
};

} // namespace tarvel
