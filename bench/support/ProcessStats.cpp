#include "support/ProcessStats.h"

#include <dirent.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bench {

namespace {

    // The number after "field:" in a /proc status file.
    long statusField(const std::string &path, const char *field)
    {
        FILE *status = std::fopen(path.c_str(), "r");
        if (!status)
            return -1;
        const std::size_t length = std::strlen(field);
        char line[256];
        long value = -1;
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, field, length) == 0 && line[length] == ':')
                value = std::strtol(line + length + 1, nullptr, 10);
        std::fclose(status);
        return value;
    }

    template<class Visit> void forEachThread(Visit visit)
    {
        DIR *tasks = opendir("/proc/self/task");
        if (!tasks)
            return;
        while (const dirent *entry = readdir(tasks))
            if (entry->d_name[0] != '.')
                visit(std::string("/proc/self/task/") + entry->d_name + "/status");
        closedir(tasks);
    }

} // namespace

long residentKib()
{
    malloc_trim(0);
    return statusField("/proc/self/status", "VmRSS");
}

long heapInUseKib()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

long peakResidentKib()
{
    return statusField("/proc/self/status", "VmHWM");
}

Switches switchesOfThisThread()
{
    return { statusField("/proc/thread-self/status", "voluntary_ctxt_switches"),
             statusField("/proc/thread-self/status", "nonvoluntary_ctxt_switches") };
}

long switchesOfAllThreads()
{
    long total = 0;
    forEachThread([&](const std::string &status) {
        total += statusField(status, "voluntary_ctxt_switches")
            + statusField(status, "nonvoluntary_ctxt_switches");
    });
    return total;
}

int threadCount()
{
    int count = 0;
    forEachThread([&](const std::string &) { ++count; });
    return count;
}

} // namespace bench
