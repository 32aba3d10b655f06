#include "ui/ConfigurationTransfer.h"

#include "device/DeviceLink.h"
#include "device/UnitQueries.h"
#include "ui/BusyCursorScope.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <algorithm>

namespace tarvel {

const QString ConfigurationTransfer::QueryingText =
    QStringLiteral("Querying Zelvar(s). Please wait....");
const QString ConfigurationTransfer::NotDetectedByControllerText =
    QStringLiteral("Zelvar not detected by Controller.\n(1)Check cables.\n(2)Make sure the Zelvar "
                   "has booted up completely and reboot the Controller.");

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

} // namespace tarvel
