#include "ui/ConfigurationTransfer.h"

#include "device/DeviceLink.h"
#include "device/UnitQueries.h"
#include "platform/SettingsFiles.h"
#include "ui/BusyCursorScope.h"
#include "ui/BusyGuard.h"
#include "ui/CancellableProgress.h"
#include "ui/ConfigurationSend.h"
#include "ui/FileDialogs.h"
#include "ui/TTarvelForm.h"
#include "ui/UnsavedChanges.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QPointer>

#include <algorithm>

namespace tarvel {

const QString ConfigurationTransfer::QueryingText =
    QStringLiteral("Querying Zelvar(s). Please wait....");

const QString ConfigurationTransfer::InvalidValueText =
    QStringLiteral("Error! Unable to send parameters to Zelvar(s). Invalid value exist in one of "
                   "the settings.");
const QString ConfigurationTransfer::SendStoppedText =
    QStringLiteral("Sending stopped. Only part of the current settings was sent to Zelvar(s).");
const QString ConfigurationTransfer::SendingText =
    QStringLiteral("Sending settings to Zelvar(s). Please wait....");
const QString ConfigurationTransfer::SendCancelledText =
    QStringLiteral("Sending cancelled after %1 of %2 commands. The Zelvar(s) hold only part of "
                   "the current settings.");
const QString ConfigurationTransfer::FileOpenedText =
    QStringLiteral("File open successful. Tarvel updated with settings from file.");

ConfigurationTransfer::ConfigurationTransfer(TTarvelForm& form) : form_(form) {}

bool ConfigurationTransfer::ReadUnits(const UiContext& context, UnitNaming naming) {
    DeviceLink* link = context.Link;
    if (link == nullptr) {
        return false;
    }
    const TTarvelForm* form = context.Form;
    const QPointer<const TTarvelForm> alive(form);
    const UnitsReadEnd end = tarvel::ReadUnits(*link, context.Model);
    if (form != nullptr && !alive) {
        return false;
    }
    if (end.UnitCount > 0 && context.Form != nullptr) {
        context.Form->Information().SetUnitsDetectedText(QString::number(end.UnitCount));
    }
    if (context.Form != nullptr) {
        context.Form->Unsaved().Check(); // what the units hold may differ from the file
    }
    const QString message = UnitsReadMessage(end, naming);
    if (!message.isEmpty()) {
        context.ShowMessage(message);
    }
    return end.Result == UnitsReadEnd::Outcome::Read;
}

void ConfigurationTransfer::ReadAllSettings() {
    DeviceLink& link = form_.Link();
    if (link.ExchangeWaiting() || link.Stopping()) {
        return; // the menu during another exchange's wait
    }
    form_.SetStatusText(QueryingText);
    {
        BusyCursorScope cursor(form_.Observer());
        if (ReadUnits(form_.Context(), UnitNaming::Plain)) {
            UpdatingControlsGuard updating(form_.State());
            FillPagesFromModel();
            form_.Unsaved().Reset();
        }
    }
    form_.SetStatusText(QString());
}

void ConfigurationTransfer::FillPagesFromModel() {
    const SystemSettings& system = form_.Model().System;
    if (system.ReadValid || system.FileValid) {
        form_.Information().FillInfoPanel();
    }
    form_.Planning().FillPlanningPage();
    form_.SourceSetup().FillSourcePage();
    form_.DisplaySetup().FillDisplayPage();
    form_.SeamRemoval().FillSeamPage();
    // The values that follow the overlap, and what the page control allows.
    form_.Planning().OWidthEditExit();
    form_.PhasePageControlChange();
}

void ConfigurationTransfer::SendAllSettings() {
    static_cast<void>(SendAllSettings({}));
}

bool ConfigurationTransfer::SendAllSettings(const ConfigurationSend::Restriction& restriction) {
    BusyGuard busy(form_.State());
    if (!busy) {
        return false;
    }
    DeviceLink& link = form_.Link();
    if (form_.State().UpdatingControls || !form_.Connected() || link.ExchangeWaiting() ||
        link.Stopping()) {
        return false;
    }
    const QPointer<TTarvelForm> alive(&form_);
    CancellableProgress progress(form_.Context(), SendingText);
    ConfigurationSend send(form_, restriction);
    const auto end = [&] {
        TTarvelForm::PageControlHold hold(form_);
        return send.Run([&progress](std::size_t run, std::size_t total) {
            // A dot for each quarter, as the read shows its steps.
            progress.SetDots(
                QString(static_cast<qsizetype>(total > 0 ? run * 4 / total : 0), QLatin1Char('.')));
        });
    }();
    if (end != ConfigurationSend::End::Gone) {
        progress.Hide();
    }
    switch (end) {
    case ConfigurationSend::End::Done:
        return true;
    case ConfigurationSend::End::Gone:
        return false;
    case ConfigurationSend::End::Cancelled:
        form_.ShowMessageText(SendCancelledText.arg(send.CommandsSent()).arg(send.CommandCount()));
        return false;
    case ConfigurationSend::End::Invalid:
        form_.ShowMessageText(InvalidValueText);
        return true;
    case ConfigurationSend::End::Stopped:
        if (alive) {
            form_.ShowMessageText(SendStoppedText);
        }
        return false;
    }
    return false;
}

void ConfigurationTransfer::OpenFile() {
    // Not while an action (and with it a wait of the link) is under way: the model it works
    // on would be replaced under it.
    if (form_.State().Busy != 0 || form_.State().UpdatingControls) {
        return;
    }
    const QString name = form_.Dialogs().OpenFileName();
    if (name.isEmpty()) {
        return;
    }
    SettingsModel& model = form_.Model();
    ConfigurationFileResult result;
    {
        BusyCursorScope cursor(form_.Observer());
        result = LoadConfigurationFile(name, model.Channels);
        if (result.Ok) {
            model.System.FileValid = true;
            UpdatingControlsGuard updating(form_.State());
            FillPagesFromModel();
            form_.Unsaved().Reset(name);
        }
    }
    form_.ShowMessageText(result.Ok ? FileOpenedText : QString::fromStdString(result.Message));
}

bool ConfigurationTransfer::SaveFile() {
    const QString name = form_.Dialogs().SaveFileName();
    if (name.isEmpty()) {
        return false;
    }
    ConfigurationFileResult result;
    {
        BusyCursorScope cursor(form_.Observer());
        result = SaveConfigurationFile(name, form_.Model().Channels);
    }
    if (!result.Ok) {
        form_.ShowMessageText(QString::fromStdString(result.Message));
        return false;
    }
    form_.Unsaved().Reset(name);
    return true;
}

} // namespace tarvel
