#pragma once

#include "protocol/ConnectionMode.h"

#include <QString>

namespace tarvel {

class MessageBoxes;

// What the Serial Port menu and the hidden link controls show: the RS485CheckBox, the
// BaudComboBox index, the ticks of the Baud and Parity menus.
struct LinkSettings {
    ConnectionMode Mode = ConnectionMode::Direct;
    int BaudIndex = 0;       // BaudComboBox: 0 "38400", 1 "57600"
    bool DefaultBaud = true; // "Default values" ticked
    int Baud = 38400;        // the port's rate now (the ticked rate when DefaultBaud is false)
    int ParityCode = 0;      // 0..4: None, Odd, Even, Mark, Space
};

// How the link reaches the main window. The window implements it; tests fake it. The link
// never touches a widget itself.
class LinkView {
public:
    virtual ~LinkView() = default;

    virtual MessageBoxes& Messages() = 0;
    virtual void SetStatusText(const QString& text) = 0;  // MainStatusBar
    virtual void SetPageControlEnabled(bool enabled) = 0; // PhasePageControl
    virtual void SetBusyCursor(bool busy) = 0;            // hourglass or arrow
    virtual bool BusyCursorShown() const = 0;
    virtual int Busy() const = 0; // TTarvelForm::Busy
    virtual void SetBusy(int busy) = 0;
    // "Read from Zelvar(s) ..." and "Send Current Settings to Zelvar(s)" together.
    virtual void SetReadSendEnabled(bool enabled) = 0;

    // The progress window TInfoForm: InfoLabel text (shown, dots emptied), InfoProgressLabel.
    virtual void ShowProgress(const QString& text) = 0;
    virtual void SetProgressDots(const QString& dots) = 0;
    virtual void HideProgress() = 0;

    virtual void SetComNumberText(const QString& text) = 0; // ComNumberLabel
    // ZelvarID1Edit (unit 1) or ZelvarID2Edit (unit 2) mirror the link's unit address texts.
    virtual void ShowUnitAddress(int unit, const QString& text, bool visible) = 0;
    virtual void SetVersionText(const QString& text) = 0; // Version1Label
    virtual void ShowLinkSettings(const LinkSettings& settings) = 0;

    virtual double PlannedProjectorCount() const = 0; // the planning values' ProjectorCount
    virtual int SelectedProjectorCount() const = 0;   // NumOfScreenComboBox index + 1

    // Window operations the link starts. Each fill sets UpdatingControls around itself.
    virtual void ReadAllSettings() = 0;
    virtual void RefreshPage() = 0; // the page-change handler
    virtual void FillDisplayPage() = 0;
    virtual void FillSourcePage() = 0;
    virtual void FillSeamPage() = 0;

    // Connected changed; the line-status lights follow it.
    virtual void ConnectedChanged(bool connected) = 0;
    // Ends the process at once with this exit code; the link has closed the port.
    [[noreturn]] virtual void ExitApplication(int code) = 0;
};

} // namespace tarvel
