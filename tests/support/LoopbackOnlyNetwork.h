#pragma once

#include <string>

// Keeps a test program's traffic on this machine. The program (and every process it starts) moves
// into a network namespace of its own in which only the loopback exists, brought up: a table it
// hosts cannot announce itself on the machine's network, and nothing it sends can leave. Making a
// namespace needs root; where it cannot be made, the tables' announcements are aimed at the
// loopback instead (through the announcer's environment variable, which started processes
// inherit).
//
// Called first thing in main(), before any thread or socket exists. Returns what was done; when
// it could not move, it says so on the standard error.
struct LoopbackOnly
{
    bool ownNamespace = false;
    std::string why; // when !ownNamespace: why the namespace could not be made
};
LoopbackOnly keepTrafficOnThisMachine();
