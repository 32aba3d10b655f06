#pragma once

#include "WindowTestSupport.h"

#include "SimProcess.h"

#include "device/DeviceLink.h"
#include "device/LinkView.h"
#include "model/ChannelSettings.h"
#include "platform/QtSerialPort.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/TTarvelForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarvel::test {

// zelvar-sim for one test, with its command log and state file (removed afterwards).
class SimUnits {
public:
    SimUnits() = default;
    ~SimUnits();
    SimUnits(const SimUnits&) = delete;
    SimUnits& operator=(const SimUnits&) = delete;

    ::testing::AssertionResult Start(std::vector<std::string> options);
    QString Path() const { return QString::fromStdString(process_.PtyPath()); }
    // Every command the simulator received, one per line, in order.
    std::vector<std::string> Log() const;
    // The log from line `from` on (commands after a point the test marked).
    std::vector<std::string> LogFrom(std::size_t from) const;
    // The units' records as the simulator holds them now.
    ChannelSettings State() const;

private:
    SimProcess process_;
    std::string log_ = SimProcess::UniquePath("ui-log");
    std::string state_ = SimProcess::UniquePath("ui-state");
};

// The main window with a DeviceLink on the real serial port, wired the way the window holds
// its link: the link reports to the window (status line, page control, Busy, progress window)
// and the control mode command's read-back refills the Display Setup page. The window runs in
// a fresh working directory with scripted message boxes.
class FormLinkRig : public LinkView {
public:
    FormLinkRig();
    ~FormLinkRig() override;
    FormLinkRig(const FormLinkRig&) = delete;
    FormLinkRig& operator=(const FormLinkRig&) = delete;

    // Shows the window active, lets the start-up question pass (answered No) and forgets its
    // boxes.
    ::testing::AssertionResult Show();
    // Connects on COM 1 = `path` and declines the read question.
    ::testing::AssertionResult ConnectController(const QString& path);
    ::testing::AssertionResult ConnectDirect(const QString& path);
    // Reads every unit and fills the Display Setup page from the model, as a read from the
    // units does.
    ::testing::AssertionResult ReadUnits();
    // Makes the window the active one again (after another window was shown).
    bool Activate();

    template <typename T> T* Find(const QString& name) const { return Form->findChild<T*>(name); }

    ScriptedMessageBoxes Boxes;
    WorkingDirectory Directory;
    std::unique_ptr<TTarvelForm> Form;
    QtSerialPort Port;
    std::unique_ptr<DeviceLink> Link;
    int FillDisplayCount = 0;

    // LinkView.
    MessageBoxes& Messages() override { return Boxes; }
    void SetStatusText(const QString& text) override { Form->SetStatusText(text); }
    void SetPageControlEnabled(bool enabled) override { Form->SetPageControlEnabled(enabled); }
    void SetBusyCursor(bool busy) override { busyCursor_ = busy; }
    bool BusyCursorShown() const override { return busyCursor_; }
    int Busy() const override { return Form->State().Busy; }
    void SetBusy(int busy) override { Form->State().Busy = busy; }
    void SetReadSendEnabled(bool enabled) override { Form->SetReadSendEnabled(enabled); }
    void ShowProgress(const QString& text) override;
    void SetProgressDots(const QString& dots) override;
    void HideProgress() override;
    void SetComNumberText(const QString&) override {}
    void ShowUnitAddress(int, const QString&, bool) override {}
    void SetVersionText(const QString&) override {}
    void ShowLinkSettings(const LinkSettings&) override {}
    double PlannedProjectorCount() const override { return 1.0; }
    int SelectedProjectorCount() const override { return 1; }
    void ReadAllSettings() override {}
    void RefreshPage() override {}
    void FillDisplayPage() override;
    void FillSourcePage() override {}
    void FillSeamPage() override {}
    void ConnectedChanged(bool) override {}
    [[noreturn]] void ExitApplication(int code) override;

private:
    ::testing::AssertionResult Connect(const QString& path, bool controller);

    bool busyCursor_ = false;
};

} // namespace tarvel::test
