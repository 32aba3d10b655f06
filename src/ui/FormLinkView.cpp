#include "ui/FormLinkView.h"

#include "ui/ConfigurationTransfer.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

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

MessageBoxes& FormLinkView::Messages() {
    return form_.Messages();
}

void FormLinkView::SetStatusText(const QString& text) {
    form_.SetStatusText(text);
}

void FormLinkView::SetPageControlEnabled(bool enabled) {
    form_.SetPageControlEnabled(enabled);
}

void FormLinkView::SetBusyCursor(bool busy) {
    if (busy == busyCursor_) {
        return;
    }
    busyCursor_ = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

int FormLinkView::Busy() const {
    return form_.State().Busy;
}

void FormLinkView::SetBusy(int busy) {
    form_.State().Busy = busy;
}

void FormLinkView::SetReadSendEnabled(bool enabled) {
    form_.SetReadSendEnabled(enabled);
}

void FormLinkView::ShowProgress(const QString& text) {
    form_.InfoForm().ShowProgress(text);
}

void FormLinkView::SetProgressDots(const QString& dots) {
    form_.InfoForm().SetProgressDots(dots);
}

void FormLinkView::HideProgress() {
    form_.InfoForm().HideProgress();
}

void FormLinkView::SetComNumberText(const QString& text) {
    form_.Information().SetComNumberText(text);
}

void FormLinkView::ShowUnitAddress(int unit, const QString& text, bool visible) {
    form_.Information().ShowUnitAddress(unit, text, visible);
}

void FormLinkView::SetVersionText(const QString& text) {
    form_.Information().SetVersionText(text);
}

void FormLinkView::ShowLinkSettings(const LinkSettings& settings) {
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
}

double FormLinkView::PlannedProjectorCount() const {
    return form_.Planning().PlannedProjectorCount();
}

int FormLinkView::SelectedProjectorCount() const {
    return form_.Planning().SelectedProjectorCount();
}

void FormLinkView::ReadAllSettings() {
    form_.Transfer().ReadAllSettings();
}

void FormLinkView::RefreshPage() {
    form_.PhasePageControlChange();
}

void FormLinkView::FillDisplayPage() {
    UpdatingControlsGuard updating(form_.State());
    form_.DisplaySetup().FillDisplayPage();
}

void FormLinkView::FillSourcePage() {
    UpdatingControlsGuard updating(form_.State());
    form_.SourceSetup().FillSourcePage();
}

void FormLinkView::FillSeamPage() {
    UpdatingControlsGuard updating(form_.State());
    form_.SeamRemoval().FillSeamPage();
}

void FormLinkView::ConnectedChanged(bool connected) {
    form_.Information().SetLineMonitoring(connected);
}

void FormLinkView::ExitApplication(int code) {
    form_.Port().Close();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

} // namespace tarvel
