#pragma once

#include <QtGlobal>

// What a table's host allows each connection and all of them, so that no player, hostile or
// unlucky, can guess the join code in an evening, take the host's memory or open files, or
// drown the table's chat. The defaults are the host's; tests choose smaller or longer ones.
namespace net {

struct ConnectionLimits
{
    // ---- Join-code tries (JoinGuard) ----
    // Wrong join codes answered per address (an IPv4 address, or an IPv6 /64 network) within
    // codeWindowMs, and from all addresses together; past either, a hello without a seat's token
    // is refused with Rejection::TooManyTries and its code is not looked at. At 20 a minute, a
    // six-digit code takes some 17 days to find on average; an evening of six hours tries 0.7 %
    // of the codes.
    int wrongCodesPerAddress = 5;
    int wrongCodesInAll = 20;
    int codeWindowMs = 60'000;
    // A refused code is answered (and its connection closed) only after this long.
    int wrongCodeDelayMs = 1'000;

    // ---- Connections ----
    // All connections the host holds, sockets still closing included: far below the process's
    // open-file limit. Past it a new connection is closed at once.
    int mostConnections = 64;
    // Connections that have not been seated yet (no correct hello), in all and from one address.
    // A connection from the address of a seat's person is not held to these, so a seated person
    // comes back through any crowd of strangers.
    int mostUnwelcomed = 16;
    int mostUnwelcomedPerAddress = 4;
    // How long a connection may take to be seated, and what it may have sent meanwhile (a hello
    // is some 150 bytes).
    int helloWithinMs = 10'000;
    qsizetype mostBytesBeforeHello = 1024;
    // What may wait to be sent to a connection that does not read; past it the connection is
    // closed as lost (the seat is kept).
    qint64 mostUnsentBytes = 256 * 1024;

    // ---- Chat (ChatLimiter) ----
    // Each person may say chatLines lines in chatWindowMs, as a burst or spread out; further
    // lines are dropped, and the person told once.
    int chatLines = 5;
    int chatWindowMs = 10'000;
};

} // namespace net
