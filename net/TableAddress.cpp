#include "net/TableAddress.h"

#include <QNetworkInterface>

#include <arpa/inet.h>

#include <algorithm>

namespace net {

namespace {

    // Several colons and no brackets: only an IPv6 address itself (no port) can be meant.
    bool isIpv6Literal(const QString &text)
    {
        in6_addr address {};
        return inet_pton(AF_INET6, text.toLatin1().constData(), &address) == 1;
    }

} // namespace

std::optional<std::pair<QString, quint16>> parseTableAddress(const QString &text,
                                                             quint16 defaultPort)
{
    const QString trimmed = text.trimmed();
    QString host = trimmed;
    QString port;
    if (trimmed.startsWith(QLatin1Char('['))) {
        // "[v6 address]" or "[v6 address]:port"
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        host = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return std::nullopt;
        port = rest.mid(1);
        if (rest == QStringLiteral(":"))
            return std::nullopt;
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        host = trimmed.section(QLatin1Char(':'), 0, 0);
        port = trimmed.section(QLatin1Char(':'), 1);
        if (port.isEmpty())
            return std::nullopt;
    } else if (trimmed.count(QLatin1Char(':')) > 1 && !isIpv6Literal(trimmed)) {
        return std::nullopt;
    }
    if (host.isEmpty() || host.contains(QLatin1Char(' ')))
        return std::nullopt;
    quint16 number = defaultPort;
    if (!port.isEmpty()) {
        bool ok = false;
        const uint parsed = port.toUInt(&ok);
        if (!ok || parsed < 1 || parsed > 65535)
            return std::nullopt;
        number = static_cast<quint16>(parsed);
    }
    return std::make_pair(host, number);
}

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
