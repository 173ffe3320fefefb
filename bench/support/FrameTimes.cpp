#include "support/FrameTimes.h"

#include "support/Figures.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

double threadCpuMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

void FrameTimes::report(const char *what, const std::string &name)
{
    std::printf("  %s, %zu frames%s\n", what, wall.size(),
                framesWithoutPaint ? " (some frames did not paint!)" : "");
    for (auto [clock, times] : { std::pair { "wall clock", &wall }, { "thread CPU", &cpu } }) {
        std::sort(times->begin(), times->end());
        const auto at = [&](double share) {
            return (*times)[static_cast<std::size_t>(share * (times->size() - 1))];
        };
        std::printf("    %-10s median %6.1f us, 99th %6.1f us, worst %7.1f us\n", clock, at(0.5),
                    at(0.99), times->back());
        const std::string figure = name + '/' + clock;
        bench::record(figure + " median", at(0.5), "us");
        bench::record(figure + " 99th", at(0.99), "us");
        bench::record(figure + " worst", times->back(), "us");
    }
}
