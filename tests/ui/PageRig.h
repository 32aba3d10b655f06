#pragma once

#include "SimProcess.h"
#include "WindowTestSupport.h"

#include "device/DeviceLink.h"
#include "device/LinkView.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/TTarvelForm.h"

#include <QLineEdit>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarvel::test {

// LinkView for the page tests: routes the link to the main window as the window's own view
// does (status line, page control, Busy, progress window, the page fills under
// UpdatingControls, the page switch rule).
class FormLinkView : public LinkView {
public:
    explicit FormLinkView(TTarvelForm& form) : form_(form) {}

    MessageBoxes& Messages() override { return form_.Messages(); }
    void SetStatusText(const QString& text) override { form_.SetStatusText(text); }
    void SetPageControlEnabled(bool enabled) override { form_.SetPageControlEnabled(enabled); }
    void SetBusyCursor(bool busy) override { cursor_ = busy; }
    bool BusyCursorShown() const override { return cursor_; }
    int Busy() const override { return form_.State().Busy; }
    void SetBusy(int busy) override { form_.State().Busy = busy; }
    void SetReadSendEnabled(bool enabled) override { form_.SetReadSendEnabled(enabled); }
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
    void RefreshPage() override { form_.PhasePageControlChange(); }
    void FillDisplayPage() override;
    void FillSourcePage() override;
    void FillSeamPage() override;
    void ConnectedChanged(bool) override {}
    [[noreturn]] void ExitApplication(int code) override;

private:
    TTarvelForm& form_;
    bool cursor_ = false;
};

// The main window (scripted boxes, in a fresh working directory) with a link to zelvar-sim on
// the form's serial port. The simulator logs every command it receives.
class PageRig {
public:
    PageRig();
    ~PageRig();
    PageRig(const PageRig&) = delete;
    PageRig& operator=(const PageRig&) = delete;

    // Shows the window (the start-up question answered No) without a link.
    ::testing::AssertionResult ShowWindow();
    // Shows the window, starts the simulator with the options and connects through the
    // controller (when options say "--mode controller") or directly; the unit count is taken
    // from the controller. Afterwards the boxes and the log mark are cleared.
    ::testing::AssertionResult Connect(std::vector<std::string> simOptions);
    // Reads every unit's system, input and output status into the model (only the input
    // status without `outputs`: the model then holds no projector count).
    ::testing::AssertionResult ReadUnits(bool outputs = true);
    // Makes the page the active one (the page switch rule runs).
    void ShowPage(QWidget& page);

    // Every command the simulator received since the last Mark(), one per line.
    QStringList Sent() const;
    void Mark();

    template <typename T> T* Control(const QString& name) const {
        T* control = Form->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QLineEdit* Edit(const QString& name) const { return Control<QLineEdit>(name); }

    // Types the text over the edit's text as the user would (the focus goes there without
    // committing the field it leaves), and moves the focus to `to`, which commits the edit.
    void Type(QLineEdit* edit, const QString& text);
    void Leave(QWidget* to);
    void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* to);

    // The link the pages send through (after Connect).
    DeviceLink& Link() const { return *link_; }

    WorkingDirectory Directory;
    ScriptedMessageBoxes Boxes;
    std::unique_ptr<TTarvelForm> Form;

private:
    QStringList Log() const;

    // The form's own link where it has one; otherwise one made here on the form's port.
    DeviceLink* link_ = nullptr;
    std::unique_ptr<FormLinkView> ownView_;
    std::unique_ptr<DeviceLink> ownLink_;

    SimProcess sim_;
    std::string log_ = SimProcess::UniquePath("ui-page-log");
    std::string state_ = SimProcess::UniquePath("ui-page-state");
    int mark_ = 0;
};

} // namespace tarvel::test
