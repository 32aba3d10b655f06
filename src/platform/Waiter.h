#pragma once

#include <QDeadlineTimer>

#include <functional>

class QObject;

namespace tarvel {

// The one way the program waits. Every wait runs a QEventLoop, so window messages, timers and
// port data keep flowing while the caller's code stands still, and an idle wait sleeps in the
// event dispatcher instead of spinning.
//
// How a condition is re-checked: once before the wait starts, and then each time the thread's
// event dispatcher is about to block (QAbstractEventDispatcher::aboutToBlock). Every state
// change happens inside some event handler, and the dispatcher cannot go to sleep again without
// passing aboutToBlock first, so a wait cannot miss the change that satisfies it; no explicit
// wake-up call is needed. The check also runs while a nested loop (a message box, another wait)
// is active: the outer wait then ends as soon as control returns to it.
//
// Conditions must be cheap and must not wait, show a box or change state.
//
// A wait with a context object ends when that object is destroyed (window closed, port gone);
// the condition is then never evaluated again and the wait reports false.
//
// A StopScope ends waits from outside: every wait started on the thread while the scope lives
// (nested ones included) also ends as soon as the scope's stop condition holds. That is how a
// wait that another layer started (the port's prompt wait) ends at once when the user cancels,
// without closing what it waits on. The wait then reports whether its own condition held, as
// at its deadline. A wait started before the scope is not affected.
class Waiter {
public:
    using Condition = std::function<bool()>;

    class StopScope {
    public:
        // The stop condition follows the rules of conditions and must stay valid (capture a
        // guarded pointer) for the scope's life.
        explicit StopScope(Condition stop);
        ~StopScope();
        StopScope(const StopScope&) = delete;
        StopScope& operator=(const StopScope&) = delete;

    private:
        Condition stop_;
    };

    // Waits until the condition holds or the deadline passes. Returns whether the condition
    // held when the wait ended. A negative time-out counts as 0; QDeadlineTimer::Forever waits
    // for the condition (or the context) alone. Without a QCoreApplication nothing runs and
    // the condition is only checked.
    static bool WaitUntil(const Condition& condition, QDeadlineTimer deadline,
                          const QObject* context = nullptr);
    static bool WaitUntil(const Condition& condition, int timeoutMs,
                          const QObject* context = nullptr);

    // Lets window messages run for the given time (less when a StopScope stops it). Returns
    // false when the context object was destroyed meanwhile.
    static bool Sleep(int ms, const QObject* context = nullptr);

    // Lets the messages already pending run once, without waiting for new ones.
    static void ProcessPendingMessages();

    // Number of waits currently running on this thread, nested ones included.
    static int Depth();
};

} // namespace tarvel
