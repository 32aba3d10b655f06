#include "device/LinkSummary.h"

#include "device/DeviceLink.h"
#include "platform/PortList.h"
#include "platform/PortOpenResult.h"

namespace tarvel {

const QString LinkSummary::NotConnectedText = QStringLiteral("Not connected");

LinkSummary LinkSummary::Of(const DeviceLink& link) {
    LinkSummary summary;
    summary.Connected = link.Connected();
    summary.Mode = link.Mode();
    summary.ComNumber = link.OpenComNumber();
    summary.Device = link.OpenDevice();
    summary.Network = PortList::IsNetworkPort(summary.Device);
    summary.Baud = link.Settings().Baud;
    if (summary.Mode == ConnectionMode::Controller) {
        for (int unit = 1; unit <= 2; ++unit) {
            if (link.UnitAddressShown(unit)) {
                summary.UnitAddresses << link.UnitAddressText(unit);
            }
        }
    }
    return summary;
}

QString LinkSummary::Text() const {
    if (!Connected) {
        return NotConnectedText;
    }
    const QString separator = QStringLiteral(" \u00B7 ");
    QStringList parts;
    parts << (Mode == ConnectionMode::Controller ? QStringLiteral("Controller")
                                                 : QStringLiteral("Direct"));
    parts << PortOpenResult::PortLabel(ComNumber, Device);
    if (!Network) {
        parts << QString::number(Baud);
    }
    if (Mode == ConnectionMode::Direct) {
        parts << QStringLiteral("1 unit");
    } else if (UnitAddresses.size() == 1) {
        parts << QStringLiteral("unit ") + UnitAddresses.constFirst();
    } else if (UnitAddresses.size() > 1) {
        parts << QStringLiteral("units ") + UnitAddresses.join(QStringLiteral(" and "));
    }
    return parts.join(separator);
}

} // namespace tarvel
