#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace tarvel {

// Turns Ctrl-C (SIGINT) and SIGTERM into a call on the event loop, so the tool ends its wait,
// saves its journal and leaves with its own exit code instead of being killed mid-write. One
// at a time; without POSIX signals it watches nothing.
class InterruptWatch {
public:
    explicit InterruptWatch(std::function<void()> onInterrupt);
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool Caught() const { return caught_; }

private:
    std::function<void()> onInterrupt_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool caught_ = false;
};

} // namespace tarvel
