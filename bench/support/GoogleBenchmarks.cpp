#include "support/GoogleBenchmarks.h"

#include "support/Figures.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The console's report, with each run's figures recorded on the way.
class RecordingReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred) {
                m_failed = true;
                continue;
            }
            const std::string name = run.benchmark_name();
            bench::record(name + "/real", run.GetAdjustedRealTime(),
                          benchmark::GetTimeUnitString(run.time_unit));
            bench::record(name + "/cpu", run.GetAdjustedCPUTime(),
                          benchmark::GetTimeUnitString(run.time_unit));
            for (const auto &[counter, value] : run.counters) {
                const bool perSecond = (value.flags & benchmark::Counter::kIsRate) != 0;
                const bool milliseconds
                    = counter.size() > 3 && counter.compare(counter.size() - 3, 3, "_ms") == 0;
                bench::record(name + '/' + counter, value.value,
                              perSecond ? "/s" : (milliseconds ? "ms" : ""));
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

} // namespace

int runGoogleBenchmarks(const char *topic, int argc, char **argv)
{
    bench::setTopic(topic);
    std::vector<char *> arguments(argv, argv + argc);
    // Last, so that it wins over a longer time asked for on the command line.
    char quickly[] = "--benchmark_min_time=0.001";
    if (bench::quick())
        arguments.push_back(quickly);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed() ? 1 : 0;
}
