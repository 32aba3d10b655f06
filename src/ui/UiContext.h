#pragma once

#include "model/ChannelSettings.h"
#include "platform/MessageBoxes.h"
#include "ui/FormState.h"

#include <QString>

#include <functional>

namespace tarvel {

class DeviceLink;
class LinkObserver;
class TTarvelForm;

// What every page and field is given: the program-wide model, the message boxes, the window's
// flags, the status line and the link's state. Pages reach each other only through Form
// (form.DisplaySetup() and the like), never through another page's widgets.
//
// Form is null where there is no main window (field tests); the window always sets it.
struct UiContext {
    SettingsModel& Model;
    MessageBoxes& Messages;
    FormState& State;
    TTarvelForm* Form = nullptr;
    // The one line of MainStatusBar.
    std::function<void(const QString&)> SetStatusText;
    // The link's Connected (tests may answer it themselves).
    std::function<bool()> Connected;
    // The serial link with its encoders (Link->Encoders()) and queries (Link->Queries()). The
    // window sets it once the link exists; null in field tests.
    DeviceLink* Link = nullptr;
    // What watches the link in the window (the hourglass shared with it); null in field tests.
    LinkObserver* Observer = nullptr;

    bool IsConnected() const { return Connected && Connected(); }
    // An action may go to the units: the program is not filling controls and the link is up.
    bool MaySend() const { return !State.UpdatingControls && IsConnected(); }
    // A value the user committed may be stored: the program is not filling controls. The
    // encoders store first and send only while the link is up, so a value edited without a
    // unit still reaches the model, and with it the configuration file.
    bool MayCommit() const { return !State.UpdatingControls; }

    // An information box with the application title, kept as MessageText.
    void ShowMessage(const QString& text) const {
        State.MessageText = text;
        Messages.Information(text);
    }
    void ShowStatus(const QString& text) const {
        if (SetStatusText) {
            SetStatusText(text);
        }
    }
};

} // namespace tarvel
