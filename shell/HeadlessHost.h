#pragma once

struct FriendsChoice;

// `pokdeng --host`: a table with no window, for a spare machine. It runs the table controller,
// its host on the network at choice.port on every address with choice.code, and, when
// choice.announce, its announcement on the local network under choice.name. No one plays at the
// host itself, so all three seats are open to people who join. It prints one line with the port and
// the code, then logs who joins, leaves, drops, comes back or is refused, and ends on SIGTERM or
// SIGINT.
//
// Needs a QCoreApplication (no display). Returns the program's exit code: 0 once a signal ended
// it, 1 when the port could not be taken.
int runHeadlessHost(const FriendsChoice &choice);
