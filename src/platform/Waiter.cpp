#include "platform/Waiter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace tarvel {

namespace {

thread_local int depth = 0;
// The stop conditions of the StopScopes alive on this thread, innermost last.
thread_local std::vector<const Waiter::Condition*> stops;

struct DepthScope {
    DepthScope() { ++depth; }
    ~DepthScope() { --depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

} // namespace

Waiter::StopScope::StopScope(Condition stop) : stop_(std::move(stop)) {
    stops.push_back(&stop_);
}

Waiter::StopScope::~StopScope() {
    // Scopes live on the stack: the last one made is the first one gone.
    std::erase(stops, &stop_);
}

bool Waiter::WaitUntil(const Condition& condition, QDeadlineTimer deadline,
                       const QObject* context) {
    const bool hasContext = context != nullptr;
    QPointer<const QObject> guard(context);
    const auto contextGone = [&] { return hasContext && guard.isNull(); };
    // The scopes alive now outlive this wait, which runs inside them.
    const std::vector<const Condition*> stopsNow = stops;
    const auto stopped = [&] {
        return std::any_of(stopsNow.begin(), stopsNow.end(),
                           [](const Condition* stop) { return (*stop)(); });
    };

    if (contextGone()) {
        return false;
    }
    if (condition && condition()) {
        return true;
    }
    if (deadline.hasExpired() || stopped()) {
        return false;
    }

    QEventLoop loop;
    bool satisfied = false;
    bool ended = false;
    // Each way out quits the loop exactly once: a quit that repeats at every dispatcher
    // iteration would keep interrupting a nested loop and make it spin.
    const auto end = [&] {
        if (!ended) {
            ended = true;
            loop.quit();
        }
    };

    QMetaObject::Connection checkConnection;
    if (condition || !stopsNow.empty()) {
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
            checkConnection =
                QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                    if (ended || contextGone()) {
                        return;
                    }
                    if (condition && condition()) {
                        satisfied = true;
                        end();
                    } else if (stopped()) {
                        end();
                    }
                });
        }
    }

    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    deadlineTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, end);
    if (!deadline.isForever()) {
        const qint64 remaining = deadline.remainingTime();
        deadlineTimer.start(static_cast<int>(std::min<qint64>(remaining, INT_MAX)));
    }

    if (hasContext) {
        QObject::connect(context, &QObject::destroyed, &loop, end);
    }

    {
        DepthScope scope;
        loop.exec();
    }
    QObject::disconnect(checkConnection);

    if (contextGone()) {
        return false;
    }
    // The deadline may have ended the wait in the same pass that made the condition true.
    return satisfied || (condition && condition());
}

bool Waiter::WaitUntil(const Condition& condition, int timeoutMs, const QObject* context) {
    return WaitUntil(condition, QDeadlineTimer(std::max(timeoutMs, 0), Qt::PreciseTimer), context);
}

bool Waiter::Sleep(int ms, const QObject* context) {
    const bool hasContext = context != nullptr;
    QPointer<const QObject> guard(context);
    WaitUntil(Condition(), ms, context);
    return !(hasContext && guard.isNull());
}

void Waiter::ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int Waiter::Depth() {
    return depth;
}

} // namespace tarvel
