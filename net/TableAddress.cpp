#include "net/TableAddress.h"

#include <arpa/inet.h>

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

} // namespace net
