#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// Where friends can reach this machine: what a hosting game tells them to type. Kept apart from
// the parsing of typed addresses, which the program itself uses: these need Qt Network, which only
// the network-play module loads.
namespace net {

// An address and port as a person types them: "192.168.1.20:47100", "[fd00::5]:47100".
QString tableAddressText(const QHostAddress &host, quint16 port);

// Of addresses, those a friend on the local network can reach this machine at, in the order to
// offer them: IPv4 first, then IPv6; never a loopback, link-local or unspecified one.
QList<QHostAddress> reachableAddresses(const QList<QHostAddress> &addresses);
// This machine's reachable addresses on the interfaces that are up; empty when it has only the
// loopback.
QList<QHostAddress> localAddresses();

} // namespace net
