#pragma once

#include "net/ConnectionLimits.h"

#include <QHostAddress>
#include <QString>

#include <deque>
#include <map>

namespace net {

// Who a limit per address counts as one: an IPv4 address (also when it comes IPv4-mapped), or
// the /64 network of an IPv6 address, which one home is given whole.
QString addressKey(const QHostAddress &address);

// The join code's door: wrong codes are counted per address and from everyone within a sliding
// window; once either count is full, no further code is looked at from that address (or from
// anyone) until the oldest wrong try leaves the window. Guessing then gains nothing, since a
// try that is not looked at tells nothing. Times are milliseconds on one steady clock, given by
// the caller. Memory: at most limits.wrongCodesInAll tries are remembered in all.
class JoinGuard
{
public:
    explicit JoinGuard(const ConnectionLimits &limits);

    enum class Door { Open, AddressLockedOut, AllLockedOut };
    // Whether a code from address (an addressKey) may be looked at now.
    Door door(const QString &address, qint64 nowMs);
    // A wrong code from address was refused. Returns which door this try closed (Open: none), so
    // the closing is logged once.
    Door wrongCode(const QString &address, qint64 nowMs);

private:
    void forget(qint64 nowMs);

    ConnectionLimits m_limits;
    std::deque<qint64> m_all; // the times of the wrong tries still in the window, oldest first
    std::map<QString, std::deque<qint64>> m_byAddress;
};

} // namespace net
