#pragma once

#include "device/LinkView.h"
#include "platform/ScriptedMessageBoxes.h"

#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace tarvel::test {

// LinkView for tests: records what the window would show, answers boxes from a script.
class FakeLinkView : public LinkView {
public:
    ScriptedMessageBoxes Boxes;
    QStringList StatusTexts; // every text put in the status bar, in order
    std::vector<bool> PageEnabledHistory;
    bool PageEnabled = true;
    bool Cursor = false;
    int BusyCursorChanges = 0;
    int BusyValue = 0;
    bool ReadSendEnabled = false;
    QStringList Progress; // "show:<text>", "dots:<dots>", "hide"
    QString ComNumberText = QStringLiteral("None");
    std::array<QString, 2> AddressTexts{QStringLiteral("1"), QStringLiteral("2")};
    std::array<bool, 2> AddressVisible{false, false};
    QString VersionText;
    LinkSettings LastSettings;
    std::vector<LinkSettings> SettingsHistory;
    double Planned = 1.0;
    int Selected = 1;
    int ReadAllCount = 0;
    int RefreshCount = 0;
    int FillDisplayCount = 0;
    int FillSourceCount = 0;
    int FillSeamCount = 0;
    std::vector<bool> ConnectedHistory;
    std::function<void()> OnReadAll;

    MessageBoxes& Messages() override { return Boxes; }
    void SetStatusText(const QString& text) override { StatusTexts << text; }
    void SetPageControlEnabled(bool enabled) override {
        PageEnabled = enabled;
        PageEnabledHistory.push_back(enabled);
    }
    void SetBusyCursor(bool busy) override {
        Cursor = busy;
        ++BusyCursorChanges;
    }
    bool BusyCursorShown() const override { return Cursor; }
    int Busy() const override { return BusyValue; }
    void SetBusy(int busy) override { BusyValue = busy; }
    void SetReadSendEnabled(bool enabled) override { ReadSendEnabled = enabled; }
    void ShowProgress(const QString& text) override { Progress << QStringLiteral("show:") + text; }
    void SetProgressDots(const QString& dots) override {
        Progress << QStringLiteral("dots:") + dots;
    }
    void HideProgress() override { Progress << QStringLiteral("hide"); }
    void SetComNumberText(const QString& text) override { ComNumberText = text; }
    void ShowUnitAddress(int unit, const QString& text, bool visible) override {
        AddressTexts[static_cast<std::size_t>(unit - 1)] = text;
        AddressVisible[static_cast<std::size_t>(unit - 1)] = visible;
    }
    void SetVersionText(const QString& text) override { VersionText = text; }
    void ShowLinkSettings(const LinkSettings& settings) override {
        LastSettings = settings;
        SettingsHistory.push_back(settings);
    }
    double PlannedProjectorCount() const override { return Planned; }
    int SelectedProjectorCount() const override { return Selected; }
    void ReadAllSettings() override {
        ++ReadAllCount;
        if (OnReadAll) {
            OnReadAll();
        }
    }
    void RefreshPage() override { ++RefreshCount; }
    void FillDisplayPage() override { ++FillDisplayCount; }
    void FillSourcePage() override { ++FillSourceCount; }
    void FillSeamPage() override { ++FillSeamCount; }
    void ConnectedChanged(bool connected) override { ConnectedHistory.push_back(connected); }
    // Only child processes get here: the exit code is the test's observation.
    [[noreturn]] void ExitApplication(int code) override;
};

} // namespace tarvel::test
