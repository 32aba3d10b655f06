#include "platform/PortDescription.h"

namespace tarvel {

QString PortDescription::Text(const PortListEntry& entry) {
    QString text = QStringLiteral("COM %1  ").arg(entry.ComNumber);
    if (entry.Device.isEmpty()) {
        return text + QStringLiteral("no device");
    }
    text += entry.Device;
    if (PortList::IsNetworkPort(entry.Device)) {
        return text + QStringLiteral("  network serial server");
    }
    QStringList known;
    for (const QString& part : {entry.Details.Description, entry.Details.Manufacturer}) {
        if (!part.isEmpty()) {
            known << part;
        }
    }
    if (!entry.Details.SerialNumber.isEmpty()) {
        known << QStringLiteral("serial number ") + entry.Details.SerialNumber;
    }
    return known.isEmpty() ? text : text + QStringLiteral("  ") + known.join(QStringLiteral(", "));
}

QStringList PortDescription::CurrentLines() {
    QStringList lines;
    const QList<PortListEntry> entries = PortList::CurrentEntries();
    for (const PortListEntry& entry : entries) {
        lines << Text(entry);
    }
    return lines;
}

QString PortDescription::ListSource() {
    QString source = qEnvironmentVariableIsSet(PortList::EnvironmentVariable)
                         ? QStringLiteral("The list is TARVEL_PORTS (%1).")
                               .arg(qEnvironmentVariable(PortList::EnvironmentVariable))
                         : QStringLiteral("The list is the serial ports the system reports, USB "
                                          "adapters first.");
    if (!PortList::FirstPort().isEmpty()) {
        source += QStringLiteral(" The network port %1 comes first, as COM 1.")
                      .arg(PortList::FirstPort());
    }
    return source;
}

} // namespace tarvel
