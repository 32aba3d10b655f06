#pragma once

#include "device/DeviceLink.h"
#include "device/LinkView.h"
#include "model/ChannelSettings.h"
#include "platform/QtSerialPort.h"
#include "platform/ScriptedMessageBoxes.h"

#include <string>

namespace tarvel::bench {

// A window that shows nothing and answers every question No / Cancel.
class NullView : public LinkView {
public:
    ScriptedMessageBoxes Boxes;

    MessageBoxes& Messages() override { return Boxes; }
    void SetStatusText(const QString&) override {}
    void SetPageControlEnabled(bool) override {}
    void SetBusyCursor(bool busy) override { cursor_ = busy; }
    bool BusyCursorShown() const override { return cursor_; }
    int Busy() const override { return busy_; }
    void SetBusy(int busy) override { busy_ = busy; }
    void SetReadSendEnabled(bool) override {}
    void ShowProgress(const QString&) override {}
    void SetProgressDots(const QString&) override {}
    void HideProgress() override {}
    void SetComNumberText(const QString&) override {}
    void ShowUnitAddress(int, const QString&, bool) override {}
    void SetVersionText(const QString&) override {}
    void ShowLinkSettings(const LinkSettings&) override {}
    double PlannedProjectorCount() const override { return 1.0; }
    int SelectedProjectorCount() const override { return 1; }
    void ReadAllSettings() override {}
    void RefreshPage() override {}
    void FillDisplayPage() override {}
    void FillSourcePage() override {}
    void FillSeamPage() override {}
    void ConnectedChanged(bool) override {}
    [[noreturn]] void ExitApplication(int code) override;

private:
    bool cursor_ = false;
    int busy_ = 0;
};

// The link on the real serial port, COM 1 being the given device.
struct BenchLink {
    explicit BenchLink(const std::string& device);

    NullView View;
    SettingsModel Model;
    QtSerialPort Port;
    DeviceLink Link{Port, View, Model};
};

// Processor time of this process so far (user and system), in milliseconds.
double CpuMs();

} // namespace tarvel::bench
