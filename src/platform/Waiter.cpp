#include "platform/Waiter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace tarvel {

namespace {

thread_local int depth = 0;

struct DepthScope {
    DepthScope() { ++depth; }
    ~DepthScope() { --depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

} // namespace

bool Waiter::WaitUntil(const Condition& condition, QDeadlineTimer deadline,
                       const QObject* context) {
    const bool hasContext = context != nullptr;
    QPointer<const QObject> guard(context);
    const auto contextGone = [&] { return hasContext && guard.isNull(); };

    if (contextGone()) {
        return false;
    }
    if (condition && condition()) {
        return true;
    }
    if (deadline.hasExpired()) {
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
    if (condition) {
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
            checkConnection =
                QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                    if (ended || contextGone()) {
                        return;
                    }
                    if (condition()) {
                        satisfied = true;
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
