#pragma once

#include <QString>

#include <optional>

namespace tarvel {

// A network serial server's address as a port entry names it: "tcp://HOST:PORT", HOST an IPv4
// address, an IPv6 address in brackets or a host name. The bytes on such a connection are the
// serial line's bytes, raw: the server sets the line's rate, parity and flow control.
struct NetworkAddress {
    static constexpr const char* Scheme = "tcp://";

    QString Host; // without brackets
    quint16 Port = 0;

    // Whether the entry names a network port at all (starts with "tcp://", in any case), valid
    // or not: such an entry never names a device file.
    static bool IsNetworkEntry(const QString& entry);
    // The address of a well-formed entry; nullopt for anything else (a missing or zero port,
    // an empty host, a host with blanks or slashes, text after the port).
    static std::optional<NetworkAddress> Parse(const QString& entry);
    // What a user types: an entry, or HOST:PORT without the scheme; blanks around are ignored.
    static std::optional<NetworkAddress> FromUserText(const QString& text);

    // "tcp://HOST:PORT", an IPv6 host in brackets.
    QString Entry() const;
    // "HOST:PORT" (IPv6 in brackets), for messages.
    QString HostAndPort() const;

    friend bool operator==(const NetworkAddress&, const NetworkAddress&) = default;
};

} // namespace tarvel
