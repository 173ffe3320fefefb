#include "net/LocalAddresses.h"

#include <QNetworkInterface>

#include <algorithm>

namespace net {

QString tableAddressText(const QHostAddress &host, quint16 port)
{
    const QString text = host.toString();
    return host.protocol() == QAbstractSocket::IPv6Protocol
        ? QStringLiteral("[%1]:%2").arg(text).arg(port)
        : QStringLiteral("%1:%2").arg(text).arg(port);
}

QList<QHostAddress> reachableAddresses(const QList<QHostAddress> &addresses)
{
    QList<QHostAddress> reachable;
    for (const QHostAddress &address : addresses)
        if (!address.isLoopback() && !address.isLinkLocal() && !address.isNull()
            && address != QHostAddress::AnyIPv4 && address != QHostAddress::AnyIPv6
            && !reachable.contains(address))
            reachable.append(address);
    std::stable_partition(reachable.begin(), reachable.end(), [](const QHostAddress &address) {
        return address.protocol() == QAbstractSocket::IPv4Protocol;
    });
    return reachable;
}

QList<QHostAddress> localAddresses()
{
    QList<QHostAddress> addresses;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            addresses.append(entry.ip());
    }
    return reachableAddresses(addresses);
}

} // namespace net
