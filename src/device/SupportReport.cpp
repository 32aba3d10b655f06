#include "device/SupportReport.h"

#include "config/IniSettings.h"
#include "config/SettingCatalogue.h"
#include "device/DeviceLink.h"
#include "device/LinkSummary.h"
#include "model/ChannelSettings.h"
#include "platform/FileIo.h"
#include "platform/PortDescription.h"
#include "platform/SerialPort.h"

#include <QStringList>
#include <QSysInfo>
#include <QtGlobal>

namespace tarvel {

namespace {

constexpr const char* ParityNames[] = {"None", "Odd", "Even", "Mark", "Space"};
constexpr qint64 IniReadLimit = 4096;

QString YesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void Section(QStringList& lines, const QString& title) {
    lines << QString() << title;
}

void AddPorts(QStringList& lines) {
    Section(lines, QStringLiteral("Ports"));
    lines << QStringLiteral("  ") + PortDescription::ListSource();
    const QStringList ports = PortDescription::CurrentLines();
    if (ports.isEmpty()) {
        lines << QStringLiteral("  no serial ports");
    }
    for (const QString& port : ports) {
        lines << QStringLiteral("  ") + port;
    }
}

void AddLink(QStringList& lines, DeviceLink& link) {
    Section(lines, QStringLiteral("Link"));
    const LinkSummary summary = LinkSummary::Of(link);
    const LinkSettings settings = link.Settings();
    lines << QStringLiteral("  State: ") + summary.Text();
    lines << QStringLiteral("  Mode: %1, prompt '%2'")
                 .arg(settings.Mode == ConnectionMode::Controller ? QStringLiteral("controller")
                                                                  : QStringLiteral("direct"))
                 .arg(QLatin1Char(link.PromptCharacter()));
    lines << QStringLiteral("  Line: %1 baud (%2), parity %3, RTS/CTS flow control %4")
                 .arg(settings.Baud)
                 .arg(settings.DefaultBaud ? QStringLiteral("the mode's default")
                                           : QStringLiteral("chosen from the menu"))
                 .arg(QLatin1String(ParityNames[std::clamp(settings.ParityCode, 0, 4)]))
                 .arg(link.Port().HardwareFlowControl() ? QStringLiteral("on")
                                                        : QStringLiteral("off"));
    if (summary.Network) {
        lines << QStringLiteral("  The port is a network serial server: its line settings are "
                                "the server's, the ones above are not sent.");
    }
    lines << QStringLiteral("  Port open: %1; last opened: %2")
                 .arg(YesNo(link.Port().IsOpen()), link.OpenComNumber() == 0
                                                       ? QStringLiteral("none")
                                                       : QStringLiteral("COM %1 (%2)")
                                                             .arg(link.OpenComNumber())
                                                             .arg(link.OpenDevice()));
}

void AddUnits(QStringList& lines, const DeviceLink& link, const SettingsModel& model) {
    const SystemSettings& system = model.System;
    Section(lines, QStringLiteral("Units"));
    lines << QStringLiteral("  Units in use: %1; counted by the controller: %2; read from the "
                            "units: %3; loaded from a file: %4")
                 .arg(system.UnitCount)
                 .arg(system.ControllerUnitCount)
                 .arg(YesNo(system.ReadValid), YesNo(system.FileValid));
    const int units = std::clamp(system.UnitCount, 1, 2);
    for (int unit = 1; unit <= units; ++unit) {
        const UnitInfo& info = system.UnitInfos[static_cast<std::size_t>(unit - 1)];
        QStringList bytes;
        for (const std::uint8_t byte : info) {
            bytes << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        }
        lines << QStringLiteral("  Unit %1: address %2, firmware version \"%3\", system "
                                "information %4")
                     .arg(unit)
                     .arg(link.UnitAddressText(unit), QString::fromStdString(FirmwareVersion(info)),
                          bytes.join(' '));
    }
    // The status the units reported, per unit and screen, as the pages show it.
    QString heading;
    QStringList items;
    const auto flush = [&] {
        if (!items.isEmpty()) {
            lines << heading + QLatin1Char(' ') + items.join(QStringLiteral(", "));
        }
        items.clear();
    };
    ForEachSetting(units, [&](int unit, int screen, const SettingRow& row) {
        if (!row.Status ||
            (row.Scope != SettingScope::Input && !CarriedByReply(row, system.OutputReplyKind))) {
            return;
        }
        const QString rowHeading = screen == 0 ? QStringLiteral("    Unit %1:").arg(unit)
                                               : QStringLiteral("    Screen %1:").arg(screen);
        if (rowHeading != heading) {
            flush();
            heading = rowHeading;
        }
        const int channel = screen == 0 ? 1 : ScreenToUnitChannel(screen).Channel;
        items << QString::fromUtf8(row.Label.data(), static_cast<qsizetype>(row.Label.size())) +
                     QLatin1Char(' ') +
                     QString::fromStdString(SettingValueText(row, model, unit, channel));
    });
    flush();
}

void AddIni(QStringList& lines, const QString& path) {
    Section(lines, QStringLiteral("Tarvel.ini"));
    if (path.isEmpty()) {
        lines << QStringLiteral("  no path (the working directory is not known)");
        return;
    }
    lines << QStringLiteral("  Path: ") + path;
    const std::optional<QByteArray> bytes = ReadFilePrefix(path, IniReadLimit);
    if (!bytes) {
        lines << QStringLiteral("  missing or unreadable");
        return;
    }
    lines << QStringLiteral("  Content: \"%1\"").arg(QString::fromLatin1(bytes->left(200)));
    const std::optional<IniSettings> settings = ParseIniSettings(bytes->toStdString());
    if (!settings) {
        lines << QStringLiteral("  not six valid values: ignored at start-up");
        return;
    }
    lines << QStringLiteral("  Output size %1 x %2, overlap %3, projector count index %4, "
                            "alignment index %5, resolution index %6")
                 .arg(settings->HorizontalOutSize)
                 .arg(settings->VerticalOutSize)
                 .arg(settings->OverlapWidth)
                 .arg(settings->ProjectorCountIndex)
                 .arg(settings->AlignmentIndex)
                 .arg(settings->ResolutionIndex);
}

} // namespace

QString SupportReport::Text(DeviceLink& link, const SettingsModel& model,
                            const SupportReportContext& context) {
    QStringList lines;
    lines << QStringLiteral("Tarvel support report");
    lines << QStringLiteral("Written: ") + context.Written.toString(Qt::ISODate);
    lines << QStringLiteral("Program: Tarvel %1").arg(context.ProgramVersion);
    lines << QStringLiteral("Qt: %1 (built with %2)%3")
                 .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
                      context.WindowSystem.isEmpty()
                          ? QString()
                          : QStringLiteral(", window system ") + context.WindowSystem);
    lines << QStringLiteral("System: %1, %2 %3, %4")
                 .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                      QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
    AddPorts(lines);
    AddLink(lines, link);
    AddUnits(lines, link, model);
    AddIni(lines, context.IniPath);

    const Journal& journal = link.ExchangeJournal();
    Section(lines, QStringLiteral("Journal (%1 exchanges, newest last)")
                       .arg(static_cast<qulonglong>(journal.Entries().size())));
    QString text = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return text + journal.ToText();
}

} // namespace tarvel
