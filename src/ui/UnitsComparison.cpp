#include "ui/UnitsComparison.h"

#include "config/ChangedSend.h"
#include "device/DeviceLink.h"
#include "device/UnitsRead.h"
#include "platform/FileIo.h"
#include "ui/BusyCursorScope.h"
#include "ui/BusyGuard.h"
#include "ui/ComparisonDialog.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/FileDialogs.h"
#include "ui/TTarvelForm.h"
#include "ui/UnsavedChanges.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/InformationPage.h"

#include <QDir>

#include <algorithm>

namespace tarvel {

const QString UnitsComparison::ReportErrorText =
    QStringLiteral("Error! Unable to save the report to %1.");

UnitsComparison::UnitsComparison(TTarvelForm& form) : form_(form) {}

UnitsComparison::~UnitsComparison() = default;

ComparisonDialog* UnitsComparison::Dialog() const {
    return dialog_;
}

void UnitsComparison::Run() {
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    const QPointer<TTarvelForm> alive(&form_);
    if (!ReadAndCompare() || !alive) {
        return;
    }
    auto* dialog = new ComparisonDialog(&form_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &ComparisonDialog::SendRequested, dialog,
                     [this] { SendTarvelValues(); });
    QObject::connect(dialog, &ComparisonDialog::TakeRequested, dialog,
                     [this] { TakeUnitsValues(); });
    QObject::connect(dialog, &ComparisonDialog::SaveReportRequested, dialog,
                     [this] { SaveReport(); });
    // Closed is gone, even before the deletion has run.
    QObject::connect(dialog, &QDialog::finished, dialog, [this] { dialog_ = nullptr; });
    dialog->ShowDifferences(differences_);
    dialog_ = dialog;
    dialog->open(); // modal to the window, without a loop of its own
}

bool UnitsComparison::ReadAndCompare() {
    BusyGuard busy(form_.State());
    if (!busy || form_.State().UpdatingControls) {
        return false;
    }
    DeviceLink& link = form_.Link();
    if (!form_.Connected() || link.ExchangeWaiting() || link.Stopping()) {
        return false;
    }
    const QPointer<TTarvelForm> alive(&form_);
    // Starting from the window's model, what a read does not carry (a second unit not in
    // use, the fields of the other output layout) compares equal.
    SettingsModel units = form_.Model();
    UnitsReadEnd end;
    form_.SetStatusText(ConfigurationTransfer::QueryingText);
    {
        BusyCursorScope cursor(form_.Observer());
        end = ReadUnits(link, units);
    }
    if (!alive) {
        return false;
    }
    form_.SetStatusText(QString());
    if (const QString message = UnitsReadMessage(end, UnitNaming::Plain); !message.isEmpty()) {
        form_.ShowMessageText(message);
    }
    if (end.Result != UnitsReadEnd::Outcome::Read) {
        return false;
    }
    units_ = units;
    differences_ = DiffAgainstUnits(form_.Model(), units_);
    comparedAt_ = QDateTime::currentDateTime();
    return true;
}

void UnitsComparison::SendTarvelValues() {
    const QPointer<TTarvelForm> alive(&form_);
    const QPointer<ComparisonDialog> dialog(dialog_);
    if (dialog) {
        dialog->SetActionsEnabled(false);
    }
    const SettingsModel units = units_;
    const bool sent =
        form_.Transfer().SendAllSettings([units](const SendPlan& plan, const SettingsModel& model) {
            return StepsThatChangeUnits(plan, model, units);
        });
    if (!alive) {
        return;
    }
    // After a cancel or a stop the user has had the message; no new read unasked.
    const bool compared = sent && ReadAndCompare();
    if (!alive || !dialog) {
        return;
    }
    if (compared) {
        dialog->ShowDifferences(differences_);
    } else {
        dialog->SetActionsEnabled(true);
        dialog->DisableTake();
    }
}

void UnitsComparison::TakeUnitsValues() {
    FormState& state = form_.State();
    if (state.Busy != 0 || state.UpdatingControls) {
        return;
    }
    if (dialog_) {
        dialog_->accept();
    }
    form_.Model() = units_;
    form_.Information().SetUnitsDetectedText(QString::number(units_.System.UnitCount));
    {
        UpdatingControlsGuard updating(state);
        form_.Transfer().FillPagesFromModel();
    }
    form_.Unsaved().Reset();
}

void UnitsComparison::SaveReport() {
    const QString name = form_.Dialogs().SaveComparisonReportName();
    if (name.isEmpty()) {
        return;
    }
    const std::string csv = ComparisonCsv(Header(), differences_);
    if (!WriteFileReplacing(name, QByteArray::fromStdString(csv))) {
        form_.ShowMessageText(ReportErrorText.arg(QDir::toNativeSeparators(name)));
    }
}

ComparisonHeader UnitsComparison::Header() const {
    DeviceLink& link = form_.Link();
    ComparisonHeader header;
    header.Date = comparedAt_.toString(Qt::ISODate).toStdString();
    const int com = form_.Port().ComNumber();
    QString port = QStringLiteral("COM %1").arg(com);
    if (const QString device = form_.Port().DeviceFor(com); !device.isEmpty()) {
        port += QStringLiteral(" (") + QDir::toNativeSeparators(device) + QStringLiteral(")");
    }
    header.Port = port.toStdString();
    const bool controller = link.Mode() == ConnectionMode::Controller;
    header.Mode = controller ? "Controller" : "Direct";
    const int unitCount = std::clamp(units_.System.UnitCount, 1, UnitCountMax);
    for (int unit = 1; unit <= unitCount; ++unit) {
        header.Units.push_back(
            {unit, controller ? link.UnitAddress(unit) : 0,
             FirmwareVersion(units_.System.UnitInfos[static_cast<std::size_t>(unit - 1)])});
    }
    header.File = QDir::toNativeSeparators(form_.Unsaved().FilePath()).toStdString();
    return header;
}

} // namespace tarvel
