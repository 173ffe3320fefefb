#pragma once

#include <string>

// The figures of a benchmark run, kept for comparing one run with another (bench/compare.sh).
// Every figure is also appended as one JSON record a line,
//   {"name": "idle/xcb/table, waiting for the first bet/events", "value": 0, "unit": "events"}
// with "baseline" added where the figure is paired with one (the bare dialog of the start-up
// race, the figure after the first rounds of the growth run), to the file that the environment
// variable POKDENG_BENCH_FIGURES names; nothing is written when it is unset. Plain C++: the
// start-up race and the rules' benchmarks have no Qt.
namespace bench {

// Whether the run is a quick one (POKDENG_BENCH_QUICK set and not "0"): a few rounds only, to
// show that the benchmark still builds, runs and ends, its figures meaning nothing.
bool quick();

// full, or quickly in a quick run.
int rounds(int full, int quickly);

// What the names of this program's figures start with, such as "idle/xcb".
void setTopic(std::string topic);

void record(const std::string &name, double value, const std::string &unit);
void recordPaired(const std::string &name, double value, double baseline, const std::string &unit);

} // namespace bench
