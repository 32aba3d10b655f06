#include "platform/NetworkAddress.h"

#include <QHostAddress>

namespace tarvel {

namespace {

constexpr qsizetype SchemeLength = 6; // "tcp://"

bool ValidHostName(const QString& host) {
    if (host.isEmpty()) {
        return false;
    }
    for (const QChar c : host) {
        if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char(':') ||
            c == QLatin1Char('@') || c == QLatin1Char('[') || c == QLatin1Char(']') ||
            c == QLatin1Char(';') || c == QLatin1Char('?') || c == QLatin1Char('#')) {
            return false;
        }
    }
    return true;
}

std::optional<quint16> ParsePort(QStringView text) {
    if (text.isEmpty() || text.size() > 5) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    const int port = text.toInt();
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    return static_cast<quint16>(port);
}

} // namespace

bool NetworkAddress::IsNetworkEntry(const QString& entry) {
    return entry.startsWith(QLatin1String(Scheme), Qt::CaseInsensitive);
}

std::optional<NetworkAddress> NetworkAddress::Parse(const QString& entry) {
    if (!IsNetworkEntry(entry)) {
        return std::nullopt;
    }
    const QStringView rest = QStringView(entry).sliced(SchemeLength);
    NetworkAddress address;
    QStringView portText;
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0 || close + 1 >= rest.size() || rest[close + 1] != QLatin1Char(':')) {
            return std::nullopt;
        }
        address.Host = rest.sliced(1, close - 1).toString();
        if (QHostAddress(address.Host).protocol() != QAbstractSocket::IPv6Protocol) {
            return std::nullopt;
        }
        portText = rest.sliced(close + 2);
    } else {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            return std::nullopt;
        }
        address.Host = rest.first(colon).toString();
        if (!ValidHostName(address.Host)) {
            return std::nullopt;
        }
        portText = rest.sliced(colon + 1);
    }
    const std::optional<quint16> port = ParsePort(portText);
    if (!port) {
        return std::nullopt;
    }
    address.Port = *port;
    return address;
}

std::optional<NetworkAddress> NetworkAddress::FromUserText(const QString& text) {
    const QString trimmed = text.trimmed();
    return Parse(IsNetworkEntry(trimmed) ? trimmed : QLatin1String(Scheme) + trimmed);
}

QString NetworkAddress::HostAndPort() const {
    const bool ipv6 = Host.contains(QLatin1Char(':'));
    return (ipv6 ? QLatin1Char('[') + Host + QLatin1Char(']') : Host) + QLatin1Char(':') +
           QString::number(Port);
}

QString NetworkAddress::Entry() const {
    return QLatin1String(Scheme) + HostAndPort();
}

} // namespace tarvel
