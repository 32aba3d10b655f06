#include "platform/PortList.h"

#include "platform/SerialPort.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QtGlobal>

#include <algorithm>

namespace tarvel {

namespace {

QString BaseName(const QString& device) {
    return device.mid(device.lastIndexOf(QLatin1Char('/')) + 1);
}

// Name order with digit runs compared by value.
bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype iEnd = i;
            qsizetype jEnd = j;
            while (iEnd < a.size() && a[iEnd].isDigit()) {
                ++iEnd;
            }
            while (jEnd < b.size() && b[jEnd].isDigit()) {
                ++jEnd;
            }
            // Compare by value without overflow: strip leading zeros, then length, then text.
            QStringView da = QStringView(a).sliced(i, iEnd - i);
            QStringView db = QStringView(b).sliced(j, jEnd - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0')) {
                da = da.sliced(1);
            }
            while (db.size() > 1 && db.front() == QLatin1Char('0')) {
                db = db.sliced(1);
            }
            if (da.size() != db.size()) {
                return da.size() < db.size();
            }
            if (const int c = da.compare(db); c != 0) {
                return c < 0;
            }
            i = iEnd;
            j = jEnd;
            continue;
        }
        if (a[i] != b[j]) {
            return a[i] < b[j];
        }
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) {
        return (a.size() - i) < (b.size() - j);
    }
    return a < b;
}

} // namespace

bool PortList::IsUsbAdapter(const QString& device) {
    const QString name = BaseName(device);
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

QStringList PortList::ParseOverride(const QString& text, QChar separator) {
    return text.split(separator, Qt::KeepEmptyParts);
}

QStringList PortList::OrderSystemPorts(QStringList systemPorts) {
    std::stable_sort(systemPorts.begin(), systemPorts.end(),
                     [](const QString& a, const QString& b) {
                         const bool usbA = IsUsbAdapter(a);
                         const bool usbB = IsUsbAdapter(b);
                         if (usbA != usbB) {
                             return usbA;
                         }
                         const QString nameA = BaseName(a);
                         const QString nameB = BaseName(b);
                         if (nameA != nameB) {
                             return NaturalLess(nameA, nameB);
                         }
                         return NaturalLess(a, b);
                     });
    return systemPorts;
}

QStringList PortList::Build(const std::optional<QString>& override, bool windows,
                            const QStringList& systemPorts) {
    if (override) {
        return ParseOverride(*override, windows ? QLatin1Char(';') : QLatin1Char(':'));
    }
    if (windows) {
        QStringList ports;
        for (int n = SerialPort::FirstComNumber; n <= SerialPort::LastComNumber; ++n) {
            ports << QStringLiteral("COM%1").arg(n);
        }
        return ports;
    }
    return OrderSystemPorts(systemPorts);
}

QStringList PortList::SystemPorts() {
    QStringList ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        ports << info.systemLocation();
    }
    return ports;
}

QStringList PortList::Current() {
#ifdef Q_OS_WIN
    constexpr bool windows = true;
#else
    constexpr bool windows = false;
#endif
    std::optional<QString> override;
    if (qEnvironmentVariableIsSet(EnvironmentVariable)) {
        override = qEnvironmentVariable(EnvironmentVariable);
    }
    // Only ask the system when its answer is used.
    return Build(override, windows, override || windows ? QStringList() : SystemPorts());
}

QString PortList::DeviceFor(int comNumber) {
    if (comNumber < 1) {
        return QString();
    }
    const QStringList ports = Current();
    return comNumber <= ports.size() ? ports[comNumber - 1] : QString();
}

QChar PortList::Separator() {
#ifdef Q_OS_WIN
    return QLatin1Char(';');
#else
    return QLatin1Char(':');
#endif
}

QString PortList::OverrideText(const QStringList& devices, QChar separator) {
    return devices.join(separator);
}

QList<PortListEntry> PortList::Describe(const QStringList& list, const QList<PortDetails>& known) {
    QList<PortListEntry> entries;
    int comNumber = 0;
    for (const QString& device : list) {
        PortListEntry entry;
        entry.ComNumber = ++comNumber;
        entry.Device = device;
        for (const PortDetails& details : known) {
            if (!device.isEmpty() && (details.Location == device ||
                                      details.Name.compare(device, Qt::CaseInsensitive) == 0)) {
                entry.Details = details;
                break;
            }
        }
        entries << entry;
    }
    return entries;
}

QList<PortListEntry> PortList::CurrentEntries() {
    QList<PortDetails> known;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        known << PortDetails{info.portName(), info.systemLocation(), info.description(),
                             info.manufacturer(), info.serialNumber()};
    }
    const QStringList list = Current();
    QStringList resolved;
    for (const QString& device : list) {
        // A name under /dev/serial/by-id is a link to the device the system lists.
        const QString target = device.isEmpty() ? QString() : QFileInfo(device).canonicalFilePath();
        resolved << (target.isEmpty() ? device : target);
    }
    QList<PortListEntry> entries = Describe(resolved, known);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i].Device = list[i]; // as the list names it
    }
    return entries;
}

} // namespace tarvel
