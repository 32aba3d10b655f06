#pragma once

#include "device/LinkObserver.h"
#include "device/LinkUser.h"
#include "platform/ScriptedMessageBoxes.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace tarvel::test {

// The link's user and observer for tests: answers questions from a script and records every
// box and everything the link reports, as a window would show it.
class LinkRecorder : public LinkObserver {
public:
    ScriptedMessageBoxes Boxes;
    MessageBoxLinkUser User{Boxes};

    QStringList StatusTexts; // every text put in the status line, in order
    std::vector<bool> PageEnabledHistory;
    bool PageEnabled = true;
    bool Cursor = false;
    int CursorHolds = 0;
    int BusyCursorChanges = 0; // the hourglass shown or taken away
    int BusyValue = 0;         // the window's Busy as the link holds it
    std::vector<int> HeldBusy;
    bool ReadSendEnabled = false; // follows Connected, as the window's menu items
    QStringList Progress;         // "show:<text>", "dots:<dots>", "hide"
    QString ComNumberText = QStringLiteral("None");
    std::array<QString, 2> AddressTexts{QStringLiteral("1"), QStringLiteral("2")};
    std::array<bool, 2> AddressVisible{false, false};
    QString VersionText;
    LinkSettings LastSettings;
    std::vector<LinkSettings> SettingsHistory;
    double Planned = 1.0; // what the window would pass as the planned projector count
    int Selected = 1;     // and as the selected one
    int DisconnectedCount = 0;
    std::vector<bool> ConnectedHistory;
    std::vector<int> AbandonedCodes;

    void StatusText(const QString& text) override { StatusTexts << text; }
    void Waiting(bool waiting) override {
        PageEnabled = !waiting;
        PageEnabledHistory.push_back(!waiting);
    }
    void BusyCursor(bool on) override {
        const bool before = CursorHolds > 0;
        CursorHolds = on ? CursorHolds + 1 : std::max(0, CursorHolds - 1);
        Cursor = CursorHolds > 0;
        if (Cursor != before) {
            ++BusyCursorChanges;
        }
    }
    void HoldBusy(bool on) override {
        if (on) {
            HeldBusy.push_back(BusyValue);
            BusyValue = 1;
        } else if (!HeldBusy.empty()) {
            BusyValue = HeldBusy.back();
            HeldBusy.pop_back();
        }
    }
    void ProgressShown(const QString& text) override { Progress << QStringLiteral("show:") + text; }
    void ProgressDots(const QString& dots) override { Progress << QStringLiteral("dots:") + dots; }
    void ProgressHidden() override { Progress << QStringLiteral("hide"); }
    void ConnectedChanged(bool connected) override {
        ConnectedHistory.push_back(connected);
        ReadSendEnabled = connected;
    }
    void Disconnected() override { ++DisconnectedCount; }
    void SettingsChanged(const LinkSettings& settings) override {
        LastSettings = settings;
        SettingsHistory.push_back(settings);
    }
    void ComNumberFound(int comNumber) override { ComNumberText = QString::number(comNumber); }
    void UnitAddressChanged(int unit, const QString& text, bool visible) override {
        AddressTexts[static_cast<std::size_t>(unit - 1)] = text;
        AddressVisible[static_cast<std::size_t>(unit - 1)] = visible;
    }
    void VersionRead(const QString& text) override { VersionText = text; }
    void Abandoned(int exitCode) override { AbandonedCodes.push_back(exitCode); }
};

} // namespace tarvel::test
