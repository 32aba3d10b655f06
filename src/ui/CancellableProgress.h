#pragma once

#include "device/DeviceLink.h"

#include <QPointer>
#include <QString>

#include <optional>

namespace tarvel {

class TInfoForm;
struct UiContext;

// A long operation on the units behind the progress window with its Cancel button. While the
// scope lives the link runs a cancellable operation; Cancel stops it at the link's next safe
// point. The window is hidden on every way out.
class CancellableProgress {
public:
    CancellableProgress(const UiContext& context, const QString& text);
    ~CancellableProgress();
    CancellableProgress(const CancellableProgress&) = delete;
    CancellableProgress& operator=(const CancellableProgress&) = delete;

    // The user cancelled (false once the link is gone).
    bool Cancelled() const;
    void SetDots(const QString& dots);
    // Hides the window before the scope ends, so that a message afterwards stands alone.
    void Hide();

    // The message after an automatic operation was cancelled ("Auto Color Balance").
    static QString AutomaticCancelledText(const QString& operation);

private:
    QPointer<DeviceLink> link_;
    std::optional<DeviceLink::Operation> operation_;
    QPointer<TInfoForm> window_;
};

} // namespace tarvel
