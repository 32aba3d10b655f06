#include "ui/ConfigurationTransfer.h"

#include "device/DeviceLink.h"
#include "device/UnitQueries.h"
#include "platform/SettingsFiles.h"
#include "ui/BusyCursorScope.h"
#include "ui/BusyGuard.h"
#include "ui/ConfigurationSend.h"
#include "ui/FileDialogs.h"
#include "ui/TTarvelForm.h"
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
const QString ConfigurationTransfer::NotDetectedByControllerText =
    QStringLiteral("Zelvar not detected by Controller.\n(1)Check cables.\n(2)Make sure the Zelvar "
                   "has booted up completely and reboot the Controller.");

const QString ConfigurationTransfer::InvalidValueText =
    QStringLiteral("Error! Unable to send parameters to Zelvar(s). Invalid value exist in one of "
                   "the settings.");
const QString ConfigurationTransfer::SendStoppedText =
    QStringLiteral("Sending stopped. Only part of the current settings was sent to Zelvar(s).");
const QString ConfigurationTransfer::FileOpenedText =
    QStringLiteral("File open successful. Tarvel updated with settings from file.");

ConfigurationTransfer::ConfigurationTransfer(TTarvelForm& form) : form_(form) {}

bool ConfigurationTransfer::ReadUnits(const UiContext& context, UnitNaming naming) {
    DeviceLink* link = context.Link;
    if (link == nullptr) {
        return false;
    }
    int count = 1;
    if (link->Mode() == ConnectionMode::Controller) {
        if (link->Queries().ReadUnitCount(count) == QueryResult::Aborted) {
            return false;
        }
        if (count < 1) {
            context.ShowMessage(NotDetectedByControllerText);
            return false;
        }
    }
    // Two units at most are driven, whatever else the controller sees.
    SystemSettings& system = context.Model.System;
    system.UnitCount = std::min(count, 2);
    if (context.Form != nullptr) {
        context.Form->Information().SetUnitsDetectedText(QString::number(system.UnitCount));
    }

    for (int unit = 1; unit <= system.UnitCount; ++unit) {
        const int result = link->Queries().QueryUnit(unit);
        if (result > 0) {
            continue;
        }
        if (result < 0) { // 0: the link went away and the user has been told
            const QString name = unit == 1 && naming == UnitNaming::Plain
                                     ? QStringLiteral("Zelvar")
                                     : QStringLiteral("Zelvar %1").arg(unit);
            context.ShowMessage(name + QStringLiteral(" communication error! Please check Serial "
                                                      "connections and try again (%1)")
                                           .arg(result));
        }
        return false;
    }
    return true;
}

void ConfigurationTransfer::ReadAllSettings() {
    DeviceLink& link = form_.Link();
    if (link.ExchangeWaiting() || link.Stopping()) {
        return; // the menu during another exchange's wait
    }
    form_.SetStatusText(QueryingText);
    {
        BusyCursorScope cursor(link.View());
        if (ReadUnits(form_.Context(), UnitNaming::Plain)) {
            UpdatingControlsGuard updating(form_.State());
            FillPagesFromModel();
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
    BusyGuard busy(form_.State());
    if (!busy) {
        return;
    }
    DeviceLink& link = form_.Link();
    if (form_.State().UpdatingControls || !form_.Connected() || link.ExchangeWaiting() ||
        link.Stopping()) {
        return;
    }
    const QPointer<TTarvelForm> alive(&form_);
    const auto end = [this] {
        TTarvelForm::PageControlHold hold(form_);
        return ConfigurationSend(form_).Run();
    }();
    switch (end) {
    case ConfigurationSend::End::Done:
    case ConfigurationSend::End::Gone:
        break;
    case ConfigurationSend::End::Invalid:
        form_.ShowMessageText(InvalidValueText);
        break;
    case ConfigurationSend::End::Stopped:
        if (alive) {
            form_.ShowMessageText(SendStoppedText);
        }
        break;
    }
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
        BusyCursorScope cursor(form_.View());
        result = LoadConfigurationFile(name, model.Channels);
        if (result.Ok) {
            model.System.FileValid = true;
            UpdatingControlsGuard updating(form_.State());
            FillPagesFromModel();
        }
    }
    form_.ShowMessageText(result.Ok ? FileOpenedText : QString::fromStdString(result.Message));
}

void ConfigurationTransfer::SaveFile() {
    const QString name = form_.Dialogs().SaveFileName();
    if (name.isEmpty()) {
        return;
    }
    ConfigurationFileResult result;
    {
        BusyCursorScope cursor(form_.View());
        result = SaveConfigurationFile(name, form_.Model().Channels);
    }
    if (!result.Ok) {
        form_.ShowMessageText(QString::fromStdString(result.Message));
    }
}

} // namespace tarvel
