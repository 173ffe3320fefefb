// The main of a Google Benchmark program without Qt: its figures are named after the program,
// bench_rules's "rules/...".
#include "support/GoogleBenchmarks.h"

#include <string>

int main(int argc, char **argv)
{
    std::string topic = argc > 0 ? argv[0] : "";
    topic.erase(0, topic.find_last_of('/') + 1);
    if (topic.rfind("bench_", 0) == 0)
        topic.erase(0, 6);
    return runGoogleBenchmarks(topic.c_str(), argc, argv);
}
