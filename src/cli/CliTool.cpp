#include "cli/CliTool.h"

#include "cli/CliLink.h"
#include "cli/CliSend.h"
#include "cli/ConfigurationJson.h"
#include "cli/ConfigurationText.h"
#include "cli/Console.h"
#include "config/ConfigurationDiff.h"
#include "config/ConfigurationView.h"
#include "device/UnitQueries.h"
#include "model/ChannelSettings.h"
#include "platform/PortList.h"
#include "platform/SerialPort.h"
#include "platform/SettingsFiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace tarvel {

namespace {

QString ParityName(int code) {
    static const char* const names[] = {"none", "odd", "even", "mark", "space"};
    return QString::fromLatin1(code >= 0 && code <= 4 ? names[code] : "?");
}

QString Columns(const QList<QStringList>& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) {
                widths << 0;
            }
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        }
        text += line.trimmed() + QLatin1Char('\n');
    }
    return text;
}

// Where a file of this name cannot be written, say so before the units are read for nothing.
QString UnwritableReason(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) {
        return QStringLiteral("is a folder");
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        return QStringLiteral("its folder does not exist");
    }
    if (file.exists() ? !file.isWritable() : !folder.isWritable()) {
        return QStringLiteral("may not be written");
    }
    return QString();
}

} // namespace

CliTool::CliTool(const CliOptions& options, Console& console)
    : options_(options), console_(console) {}

ExitCode CliTool::Run() {
    // The journal is written at the end: a name it cannot have is said before the work.
    if (!options_.JournalPath.isEmpty()) {
        if (const QString reason = UnwritableReason(options_.JournalPath); !reason.isEmpty()) {
            console_.Error(QStringLiteral("%1: %2; the journal could not be saved")
                               .arg(options_.JournalPath, reason));
            return ExitCode::FileError;
        }
    }
    switch (options_.Command) {
    case CliCommand::Ports:
        return Ports();
    case CliCommand::Search:
        return Search();
    case CliCommand::Read:
        return Read();
    case CliCommand::Send:
        return Send();
    case CliCommand::Show:
        return Show();
    case CliCommand::Diff:
        return Diff();
    }
    return ExitCode::Usage;
}

void CliTool::PrintJson(const QJsonObject& object) {
    console_.Out(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

bool CliTool::Load(const QString& path, SettingsModel& model) {
    const ConfigurationFileResult result = LoadConfigurationFile(path, model.Channels);
    if (!result.Ok) {
        console_.Error(QStringLiteral("%1: %2").arg(path, QString::fromStdString(result.Message)));
    }
    return result.Ok;
}

ExitCode CliTool::Ports() {
    const QList<PortListEntry> entries = PortList::CurrentEntries();
    const bool fromVariable = qEnvironmentVariableIsSet(PortList::EnvironmentVariable);
    if (options_.Json) {
        QJsonArray ports;
        for (const PortListEntry& entry : entries) {
            ports.append(QJsonObject{
                {QStringLiteral("com"), entry.ComNumber},
                {QStringLiteral("device"), entry.Device},
                {QStringLiteral("description"), entry.Details.Description},
                {QStringLiteral("manufacturer"), entry.Details.Manufacturer},
                {QStringLiteral("serialNumber"), entry.Details.SerialNumber},
                {QStringLiteral("searched"), entry.ComNumber <= SerialPort::LastComNumber},
            });
        }
        PrintJson(QJsonObject{
            {QStringLiteral("source"),
             fromVariable ? QStringLiteral("TARVEL_PORTS") : QStringLiteral("system")},
            {QStringLiteral("ports"), ports},
        });
        return ExitCode::Success;
    }
    if (entries.isEmpty()) {
        console_.Note(fromVariable ? QStringLiteral("TARVEL_PORTS names no port")
                                   : QStringLiteral("the system reports no serial port"));
        return ExitCode::Success;
    }
    QList<QStringList> rows;
    for (const PortListEntry& entry : entries) {
        QStringList details;
        for (const QString& detail : {entry.Details.Description, entry.Details.Manufacturer}) {
            if (!detail.isEmpty()) {
                details << detail;
            }
        }
        if (!entry.Details.SerialNumber.isEmpty()) {
            details << QStringLiteral("serial number ") + entry.Details.SerialNumber;
        }
        if (entry.ComNumber > SerialPort::LastComNumber) {
            details << QStringLiteral("not searched (beyond COM 8)");
        }
        rows << QStringList{QStringLiteral("COM %1").arg(entry.ComNumber),
                            entry.Device.isEmpty() ? QStringLiteral("(no device)") : entry.Device,
                            details.join(QStringLiteral(", "))};
    }
    console_.Out(Columns(rows));
    if (fromVariable) {
        console_.Note(QStringLiteral("the list is TARVEL_PORTS"));
    }
    return ExitCode::Success;
}

ExitCode CliTool::Search() {
    SettingsModel model;
    CliLink link(options_, console_, model);
    if (const ExitCode connected = link.Connect(); connected != ExitCode::Success) {
        return link.Finish(connected);
    }
    int count = 1;
    if (const ExitCode counted = link.CountUnits(model, count); counted != ExitCode::Success) {
        return link.Finish(counted);
    }
    DeviceLink& device = link.Link();
    const bool controller = device.Mode() == ConnectionMode::Controller;
    for (int unit = 1; unit <= count; ++unit) {
        console_.Progress(QStringLiteral("Asking unit %1 for its version").arg(unit));
        if (device.Queries().QuerySystemInfo(model, unit) != QueryResult::Ok) {
            return link.Finish(link.LineFailure(
                QStringLiteral("unit %1 did not give its system information").arg(unit)));
        }
    }
    console_.EndProgress();

    const LinkSettings settings = device.Settings();
    const int com = device.ComNumber();
    const QString path = PortList::DeviceFor(com);
    const QString mode = controller ? QStringLiteral("controller") : QStringLiteral("direct");
    if (options_.Json) {
        QJsonArray units;
        for (int unit = 1; unit <= count; ++unit) {
            QJsonObject entry{
                {QStringLiteral("unit"), unit},
                {QStringLiteral("firmware"),
                 QString::fromStdString(
                     FirmwareVersion(model.System.UnitInfos[static_cast<std::size_t>(unit - 1)]))},
            };
            if (controller) {
                entry.insert(QStringLiteral("address"), device.UnitAddress(unit));
            }
            units.append(entry);
        }
        PrintJson(QJsonObject{
            {QStringLiteral("mode"), mode},
            {QStringLiteral("com"), com},
            {QStringLiteral("device"), path},
            {QStringLiteral("baud"), settings.Baud},
            {QStringLiteral("parity"), ParityName(settings.ParityCode)},
            {QStringLiteral("flowControl"),
             controller ? QStringLiteral("RTS/CTS") : QStringLiteral("none")},
            {QStringLiteral("controllerUnitCount"),
             controller ? model.System.ControllerUnitCount : 1},
            {QStringLiteral("units"), units},
        });
        return link.Finish(ExitCode::Success);
    }
    QList<QStringList> rows{
        {QStringLiteral("mode"), mode},
        {QStringLiteral("port"),
         QStringLiteral("COM %1%2")
             .arg(com)
             .arg(path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(path))},
        {QStringLiteral("line"),
         QStringLiteral("%1 baud, parity %2, flow control %3")
             .arg(settings.Baud)
             .arg(ParityName(settings.ParityCode),
                  controller ? QStringLiteral("RTS/CTS") : QStringLiteral("none"))},
        {QStringLiteral("units"), QString::number(count)},
    };
    for (int unit = 1; unit <= count; ++unit) {
        const QString firmware = QString::fromStdString(
            FirmwareVersion(model.System.UnitInfos[static_cast<std::size_t>(unit - 1)]));
        rows << QStringList{QStringLiteral("unit %1").arg(unit),
                            (controller
                                 ? QStringLiteral("address %1, ").arg(device.UnitAddress(unit))
                                 : QString()) +
                                QStringLiteral("firmware %1").arg(firmware)};
    }
    console_.Out(Columns(rows));
    if (controller && model.System.ControllerUnitCount > count) {
        console_.Note(QStringLiteral("the controller sees %1 units; Tarvel drives the first two")
                          .arg(model.System.ControllerUnitCount));
    }
    return link.Finish(ExitCode::Success);
}

ExitCode CliTool::Read() {
    if (const QString reason = UnwritableReason(options_.OutputPath); !reason.isEmpty()) {
        console_.Error(QStringLiteral("%1: %2; nothing read").arg(options_.OutputPath, reason));
        return ExitCode::FileError;
    }
    SettingsModel model;
    CliLink link(options_, console_, model);
    if (const ExitCode connected = link.Connect(); connected != ExitCode::Success) {
        return link.Finish(connected);
    }
    if (const ExitCode read = link.ReadInto(model); read != ExitCode::Success) {
        return link.Finish(read);
    }
    const ConfigurationFileResult saved =
        SaveConfigurationFile(options_.OutputPath, model.Channels);
    if (!saved.Ok) {
        console_.Error(QStringLiteral("%1: %2").arg(options_.OutputPath,
                                                    QString::fromStdString(saved.Message)));
        return link.Finish(ExitCode::FileError);
    }
    console_.Out(
        QStringLiteral("%1: %2 %3 read (%4)\n")
            .arg(options_.OutputPath)
            .arg(model.System.UnitCount)
            .arg(model.System.UnitCount == 1 ? QStringLiteral("unit") : QStringLiteral("units"),
                 link.Where()));
    return link.Finish(ExitCode::Success);
}

ExitCode CliTool::Send() {
    SettingsModel file;
    if (!Load(options_.Files.front(), file)) {
        return ExitCode::FileError;
    }
    return CliSend(options_, console_, file).Run();
}

ExitCode CliTool::Show() {
    SettingsModel model;
    if (!Load(options_.Files.front(), model)) {
        return ExitCode::FileError;
    }
    // A file holds both units.
    const ConfigurationView view = MakeConfigurationView(model, UnitCountMax);
    if (options_.Json) {
        QJsonObject object = ViewJson(view);
        object.insert(QStringLiteral("file"), options_.Files.front());
        PrintJson(object);
    } else {
        console_.Out(ShowText(view));
    }
    return ExitCode::Success;
}

ExitCode CliTool::Diff() {
    SettingsModel a;
    if (!Load(options_.Files.front(), a)) {
        return ExitCode::FileError;
    }
    const DiffOptions diffOptions{.IncludeStatus = options_.Status};
    if (!options_.Live) {
        SettingsModel b;
        if (!Load(options_.Files.back(), b)) {
            return ExitCode::FileError;
        }
        const auto differences = DiffConfigurations(a, b, diffOptions);
        if (options_.Json) {
            QJsonObject object = DiffJson(differences);
            object.insert(QStringLiteral("a"), options_.Files.front());
            object.insert(QStringLiteral("b"), options_.Files.back());
            PrintJson(object);
        } else {
            console_.Out(DiffText(differences));
        }
        return differences.empty() ? ExitCode::Success : ExitCode::Differ;
    }

    SettingsModel units;
    CliLink link(options_, console_, units);
    if (const ExitCode connected = link.Connect(); connected != ExitCode::Success) {
        return link.Finish(connected);
    }
    if (const ExitCode read = link.ReadInto(units); read != ExitCode::Success) {
        return link.Finish(read);
    }
    const auto differences = DiffAgainstUnits(a, units, diffOptions);
    const QStringList notReported = NotReportedLabels(units.System.OutputReplyKind);
    if (options_.Json) {
        QJsonObject object = DiffJson(differences);
        object.insert(QStringLiteral("a"), options_.Files.front());
        object.insert(QStringLiteral("b"), QStringLiteral("units"));
        object.insert(QStringLiteral("unitsRead"), units.System.UnitCount);
        object.insert(QStringLiteral("notReported"), QJsonArray::fromStringList(notReported));
        PrintJson(object);
    } else {
        console_.Out(DiffText(differences));
    }
    if (!notReported.isEmpty()) {
        console_.Note(QStringLiteral("not compared, the units do not report them: ") +
                      notReported.join(QStringLiteral(", ")));
    }
    return link.Finish(differences.empty() ? ExitCode::Success : ExitCode::Differ);
}

} // namespace tarvel
