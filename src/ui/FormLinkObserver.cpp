#include "ui/FormLinkObserver.h"

#include "device/DeviceLink.h"
#include "ui/ConnectionTools.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/UnsavedChanges.h"
#include "ui/pages/InformationPage.h"

#include <QAction>
#include <QGuiApplication>

namespace tarvel {

namespace {

// The Baud and Parity menu items, by rate and by parity code.
struct BaudItem {
    int Baud;
    const char* Name;
};
constexpr BaudItem BaudItems[] = {
    {9600, "N96001"}, {19200, "N192001"}, {38400, "N384001"}, {57600, "N576001"}};
constexpr const char* ParityItems[] = {"None1", "Odd1", "Even1", "Mark1", "Space1"};

} // namespace

void FormLinkObserver::StatusText(const QString& text) {
    form_.SetStatusText(text);
}

void FormLinkObserver::Waiting(bool waiting) {
    form_.SetPageControlEnabled(!waiting);
}

void FormLinkObserver::BusyCursor(bool on) {
    if (on) {
        if (cursorHolds_++ == 0) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (cursorHolds_ > 0 && --cursorHolds_ == 0) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void FormLinkObserver::HoldBusy(bool on) {
    if (on) {
        heldBusy_.push_back(form_.State().Busy);
        form_.State().Busy = 1;
    } else if (!heldBusy_.empty()) {
        form_.State().Busy = heldBusy_.back();
        heldBusy_.pop_back();
    }
}

void FormLinkObserver::ProgressShown(const QString& text) {
    form_.InfoForm().ShowProgress(text, form_.Link().OperationRunning());
}

void FormLinkObserver::ModelChanged() {
    form_.Unsaved().Check();
}

void FormLinkObserver::ProgressDots(const QString& dots) {
    form_.InfoForm().SetProgressDots(dots);
}

void FormLinkObserver::ProgressHidden() {
    form_.InfoForm().HideProgress();
}

void FormLinkObserver::ConnectedChanged(bool connected) {
    form_.SetReadSendEnabled(connected);
    form_.Information().SetLineMonitoring(connected);
    if (ConnectionTools* tools = form_.Tools()) {
        tools->ConnectedChanged(connected);
    }
}

void FormLinkObserver::LineLost() {
    if (ConnectionTools* tools = form_.Tools()) {
        tools->LineLost();
    }
}

void FormLinkObserver::LinkChanged() {
    if (ConnectionTools* tools = form_.Tools()) {
        tools->LinkChanged();
    }
}

void FormLinkObserver::Disconnected() {
    form_.PhasePageControlChange();
}

void FormLinkObserver::SettingsChanged(const LinkSettings& settings) {
    form_.Information().ShowLinkSettings(settings.Mode == ConnectionMode::Controller,
                                         settings.BaudIndex);
    // Without "Default values" the tick is on the rate the port runs at now.
    if (settings.DefaultBaud) {
        form_.MenuAction(QStringLiteral("Defaultvalues1"))->setChecked(true);
    } else {
        for (const BaudItem& item : BaudItems) {
            if (item.Baud == settings.Baud) {
                form_.MenuAction(QString::fromLatin1(item.Name))->setChecked(true);
            }
        }
    }
    if (settings.ParityCode >= 0 &&
        settings.ParityCode < static_cast<int>(std::size(ParityItems))) {
        form_.MenuAction(QString::fromLatin1(ParityItems[settings.ParityCode]))->setChecked(true);
    }
    LinkChanged();
}

void FormLinkObserver::ComNumberFound(int comNumber) {
    form_.Information().SetComNumberText(QString::number(comNumber));
}

void FormLinkObserver::UnitAddressChanged(int unit, const QString& text, bool visible) {
    form_.Information().ShowUnitAddress(unit, text, visible);
    LinkChanged();
}

void FormLinkObserver::VersionRead(const QString& text) {
    form_.Information().SetVersionText(text);
}

void FormLinkObserver::Abandoned(int exitCode) {
    form_.ExitApplication(exitCode);
}

} // namespace tarvel
