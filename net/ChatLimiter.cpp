#include "net/ChatLimiter.h"

#include <algorithm>

namespace net {

ChatLimiter::ChatLimiter(const ConnectionLimits &limits)
    : m_limits(limits)
{
}

void ChatLimiter::reset(int seat)
{
    if (seat >= 0 && seat < static_cast<int>(m_seats.size()))
        m_seats[static_cast<std::size_t>(seat)] = Allowance {};
}

ChatLimiter::Verdict ChatLimiter::take(int seat, qint64 nowMs)
{
    if (seat < 0 || seat >= static_cast<int>(m_seats.size()) || m_limits.chatLines <= 0)
        return Verdict::Drop;
    Allowance &a = m_seats[static_cast<std::size_t>(seat)];
    const double most = m_limits.chatLines;
    if (!a.used) {
        a.used = true;
        a.lines = most;
    } else {
        const double perMs = most / std::max(1, m_limits.chatWindowMs);
        a.lines = std::min(most, a.lines + static_cast<double>(nowMs - a.at) * perMs);
    }
    a.at = nowMs;
    if (a.told && nowMs - a.lastDropMs >= m_limits.chatWindowMs)
        a.told = false;
    if (a.lines >= 1) {
        a.lines -= 1;
        return Verdict::Pass;
    }
    a.lastDropMs = nowMs;
    if (a.told)
        return Verdict::Drop;
    a.told = true;
    return Verdict::DropAndTell;
}

} // namespace net
