#pragma once

#include "net/ConnectionLimits.h"

#include <array>

namespace net {

// Each seat's chat allowance: limits.chatLines lines within limits.chatWindowMs, said at once or
// spread out (a bucket of that many lines, filled again one line every chatWindowMs / chatLines).
// A line beyond it is dropped; the first one dropped tells the person, and they are told again
// only after a whole window without a dropped line, so a flood is told (and logged) once.
// Times are milliseconds on one steady clock, given by the caller.
class ChatLimiter
{
public:
    explicit ChatLimiter(const ConnectionLimits &limits);

    enum class Verdict { Pass, Drop, DropAndTell };
    // A line from seat (1..3) at nowMs.
    Verdict take(int seat, qint64 nowMs);
    // A new person sits at seat: the allowance is theirs, whole.
    void reset(int seat);

private:
    struct Allowance
    {
        bool used = false; // false: a whole bucket, however long ago the last line was
        double lines = 0; // lines left at `at`
        qint64 at = 0;
        bool told = false;
        qint64 lastDropMs = 0;
    };

    ConnectionLimits m_limits;
    std::array<Allowance, 4> m_seats {};
};

} // namespace net
