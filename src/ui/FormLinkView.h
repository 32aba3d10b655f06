#pragma once

#include "device/LinkView.h"

namespace tarvel {

class TTarvelForm;

// How the link reaches the main window: each call goes to the form, its pages, its menu or
// its progress window. Owned by the form.
class FormLinkView : public LinkView {
public:
    explicit FormLinkView(TTarvelForm& form) : form_(form) {}

    MessageBoxes& Messages() override;
    void SetStatusText(const QString& text) override;
    void SetPageControlEnabled(bool enabled) override;
    void SetBusyCursor(bool busy) override;
    bool BusyCursorShown() const override { return busyCursor_; }
    int Busy() const override;
    void SetBusy(int busy) override;
    void SetReadSendEnabled(bool enabled) override;

    void ShowProgress(const QString& text) override;
    void SetProgressDots(const QString& dots) override;
    void HideProgress() override;

    void SetComNumberText(const QString& text) override;
    void ShowUnitAddress(int unit, const QString& text, bool visible) override;
    void SetVersionText(const QString& text) override;
    void ShowLinkSettings(const LinkSettings& settings) override;

    double PlannedProjectorCount() const override;
    int SelectedProjectorCount() const override;

    void ReadAllSettings() override;
    void RefreshPage() override;
    void FillDisplayPage() override;
    void FillSourcePage() override;
    void FillSeamPage() override;

    void ConnectedChanged(bool connected) override;
    // Closes the port, flushes the standard streams and ends the process with the code at
    // once: no window closes, nothing asks, Tarvel.ini is not written.
    [[noreturn]] void ExitApplication(int code) override;

private:
    TTarvelForm& form_;
    bool busyCursor_ = false;
};

} // namespace tarvel
