#pragma once

// Figures of this process from /proc, for the benchmarks' reports. Each is -1 where /proc does not
// give it.
namespace bench {

// Resident memory now, in KiB, after the allocator has handed its free pages back to the system:
// what stays is what the program still holds, not what the allocator keeps for later.
long residentKib();

// The bytes the program has allocated and not yet freed, in KiB: unlike resident memory this
// does not count free memory the allocator keeps in pages it cannot hand back.
long heapInUseKib();

// The most resident memory the process has had, in KiB.
long peakResidentKib();

// Context switches of the calling thread, voluntary and involuntary: every time it went to sleep
// (a wake-up follows each) or was put aside.
struct Switches
{
    long voluntary = -1;
    long involuntary = -1;
};
Switches switchesOfThisThread();

// Context switches of every thread of the process, both kinds added.
long switchesOfAllThreads();

// Threads the process has now.
int threadCount();

} // namespace bench
