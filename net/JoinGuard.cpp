#include "net/JoinGuard.h"

namespace net {

QString addressKey(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    if (isIPv4)
        return QHostAddress(ipv4).toString();
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return address.toString();
    Q_IPV6ADDR bytes = address.toIPv6Address();
    for (int i = 8; i < 16; ++i)
        bytes[i] = 0;
    return QHostAddress(bytes).toString() + QStringLiteral("/64");
}

JoinGuard::JoinGuard(const ConnectionLimits &limits)
    : m_limits(limits)
{
}

void JoinGuard::forget(qint64 nowMs)
{
    const qint64 since = nowMs - m_limits.codeWindowMs;
    while (!m_all.empty() && m_all.front() <= since)
        m_all.pop_front();
    for (auto it = m_byAddress.begin(); it != m_byAddress.end();) {
        std::deque<qint64> &tries = it->second;
        while (!tries.empty() && tries.front() <= since)
            tries.pop_front();
        it = tries.empty() ? m_byAddress.erase(it) : std::next(it);
    }
}

JoinGuard::Door JoinGuard::door(const QString &address, qint64 nowMs)
{
    forget(nowMs);
    if (static_cast<int>(m_all.size()) >= m_limits.wrongCodesInAll)
        return Door::AllLockedOut;
    const auto it = m_byAddress.find(address);
    if (it != m_byAddress.end()
        && static_cast<int>(it->second.size()) >= m_limits.wrongCodesPerAddress)
        return Door::AddressLockedOut;
    return Door::Open;
}

JoinGuard::Door JoinGuard::wrongCode(const QString &address, qint64 nowMs)
{
    // Only a try the door let in is counted: the counts never pass their limits.
    if (door(address, nowMs) != Door::Open)
        return Door::Open;
    m_all.push_back(nowMs);
    std::deque<qint64> &tries = m_byAddress[address];
    tries.push_back(nowMs);
    if (static_cast<int>(m_all.size()) >= m_limits.wrongCodesInAll)
        return Door::AllLockedOut;
    if (static_cast<int>(tries.size()) >= m_limits.wrongCodesPerAddress)
        return Door::AddressLockedOut;
    return Door::Open;
}

} // namespace net
