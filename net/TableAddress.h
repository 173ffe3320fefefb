#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace net {

// A table's address as a person types it: "host", "host:port", "[v6 address]:port"; the port
// is defaultPort when none is given. Nothing for an empty host or a port outside 1..65535.
std::optional<std::pair<QString, quint16>> parseTableAddress(const QString &text,
                                                             quint16 defaultPort);

// An address and port as a person types them: "192.168.1.20:47100", "[fd00::5]:47100".
QString tableAddressText(const QHostAddress &host, quint16 port);

// Of addresses, those a friend on the local network can reach this machine at, in the order to
// offer them: IPv4 first, then IPv6; never a loopback, link-local or unspecified one.
QList<QHostAddress> reachableAddresses(const QList<QHostAddress> &addresses);
// This machine's reachable addresses on the interfaces that are up; empty when it has only the
// loopback.
QList<QHostAddress> localAddresses();

} // namespace net
