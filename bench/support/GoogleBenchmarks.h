#pragma once

// Runs the Google Benchmark cases of a program, printing them as usual and recording every run's
// time and counters as figures under topic (support/Figures.h). A quick run (bench::quick())
// gives each case only a moment. Returns the program's exit status.
int runGoogleBenchmarks(const char *topic, int argc, char **argv);
