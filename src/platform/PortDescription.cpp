#include "platform/PortDescription.h"

#include "platform/PortList.h"

#include <QSerialPortInfo>
#include <QStringList>

namespace tarvel {

QString PortDescription::Text() const {
    QString text = QStringLiteral("COM %1  ").arg(ComNumber);
    if (Device.isEmpty()) {
        return text + QStringLiteral("no device");
    }
    text += Device;
    if (Network) {
        return text + QStringLiteral("  network serial server");
    }
    QStringList known;
    for (const QString& part : {Description, Manufacturer}) {
        if (!part.isEmpty()) {
            known << part;
        }
    }
    if (!SerialNumber.isEmpty()) {
        known << QStringLiteral("serial number ") + SerialNumber;
    }
    return known.isEmpty() ? text : text + QStringLiteral("  ") + known.join(QStringLiteral(", "));
}

QList<PortDescription> PortDescription::CurrentList() {
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QList<PortDescription> list;
    const QStringList ports = PortList::Current();
    for (qsizetype i = 0; i < ports.size(); ++i) {
        PortDescription port;
        port.ComNumber = static_cast<int>(i + 1);
        port.Device = ports[i];
        port.Network = PortList::IsNetworkPort(port.Device);
        for (const QSerialPortInfo& info : infos) {
            if (!port.Device.isEmpty() && !port.Network &&
                (info.systemLocation() == port.Device ||
                 info.portName().compare(port.Device, Qt::CaseInsensitive) == 0)) {
                port.Description = info.description();
                port.Manufacturer = info.manufacturer();
                port.SerialNumber = info.serialNumber();
                break;
            }
        }
        list << port;
    }
    return list;
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
