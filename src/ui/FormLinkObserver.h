#pragma once

#include "device/LinkObserver.h"

#include <vector>

namespace tarvel {

class TTarvelForm;

// The main window watching its link: each report goes to the form, its pages, its menu or its
// progress window. Owned by the form.
class FormLinkObserver : public LinkObserver {
public:
    explicit FormLinkObserver(TTarvelForm& form) : form_(form) {}

    void StatusText(const QString& text) override;
    void Waiting(bool waiting) override;
    void BusyCursor(bool on) override;
    void HoldBusy(bool on) override;

    void ProgressShown(const QString& text) override;
    void ProgressDots(const QString& dots) override;
    void ProgressHidden() override;
    void ModelChanged() override;

    void ConnectedChanged(bool connected) override;
    void LineLost() override;
    void Disconnected() override;
    void SettingsChanged(const LinkSettings& settings) override;
    void ComNumberFound(int comNumber) override;
    void UnitAddressChanged(int unit, const QString& text, bool visible) override;
    void VersionRead(const QString& text) override;
    void Abandoned(int exitCode) override;

    // The hourglass is shown while at least one holder (the link's or the window's) has it.
    bool BusyCursorShown() const { return cursorHolds_ > 0; }

private:
    // The status bar's connection part follows every change of the link.
    void LinkChanged();

    TTarvelForm& form_;
    int cursorHolds_ = 0;
    std::vector<int> heldBusy_; // the Busy values to restore, innermost last
};

} // namespace tarvel
