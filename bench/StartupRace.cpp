// The start-up race: runs the game and the bare dialog in turn, each with the first-paint probe
// preloaded, and compares their medians of time to the first painted frame and of peak memory.
//
//   bench_startup RUNS GAME BASELINE PROBE
//
// The two programs alternate run by run (and swap who goes first every other pair), so a drift of
// the machine during the race (caches warming, other load) falls on both alike. One unrecorded
// run of each comes first to warm the file caches. Both run in a fresh empty folder.
#include "support/Figures.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Sample
{
    double milliseconds = 0;
    long peakKib = 0;
};

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Runs program once; nothing when it did not report a first paint within half a minute.
std::optional<Sample> runOnce(const std::string &program, const std::string &probe)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;

    std::vector<std::string> environment;
    for (char **variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "LD_PRELOAD=", 11) != 0
            && std::strncmp(*variable, "BENCH_START_NS=", 15) != 0)
            environment.emplace_back(*variable);
    environment.push_back("LD_PRELOAD=" + probe);
    const std::size_t startIndex = environment.size();
    environment.emplace_back();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // The programs' own warnings (the offscreen platform has one per window) would bury the
    // figures.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    // The clock starts as late as it can: just before the spawn.
    const long long start = monotonicNs();
    environment[startIndex] = "BENCH_START_NS=" + std::to_string(start);
    std::vector<char *> envp;
    for (std::string &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string programCopy = program;
    char *argv[] = { programCopy.data(), nullptr };
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
        return std::nullopt;
    }

    std::string report;
    char buffer[256];
    pollfd waiting { out[0], POLLIN, 0 };
    while (poll(&waiting, 1, 30'000) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        report.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    kill(child, SIGKILL); // harmless when it has already ended, as the probe makes it do
    int status = 0;
    waitpid(child, &status, 0);

    long long elapsed = 0;
    long peak = 0;
    const auto at = report.find("first-paint-ns");
    if (at == std::string::npos
        || std::sscanf(report.c_str() + at, "first-paint-ns %lld peak-rss-kib %ld", &elapsed, &peak)
            != 2) {
        std::fprintf(stderr, "%s gave no first-paint report\n", program.c_str());
        return std::nullopt;
    }
    return Sample { elapsed / 1e6, peak };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures
{
    std::vector<double> milliseconds;
    std::vector<double> peakKib;
};

void printRow(const char *name, const Figures &figures)
{
    const auto [fastest, slowest]
        = std::minmax_element(figures.milliseconds.begin(), figures.milliseconds.end());
    std::printf("  %-10s first paint median %7.1f ms (%.1f to %.1f)   peak RSS median %7.0f KiB\n",
                name, median(figures.milliseconds), *fastest, *slowest, median(figures.peakKib));
}

// The game's medians, each paired with the bare dialog's.
void recordFigures(const Figures &game, const Figures &bare)
{
    bench::recordPaired("first paint median", median(game.milliseconds), median(bare.milliseconds),
                        "ms");
    bench::recordPaired("peak RSS median", median(game.peakKib), median(bare.peakKib), "KiB");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s RUNS GAME BASELINE PROBE\n", argv[0]);
        return 2;
    }
    // One pair in a quick run.
    const int runs = bench::rounds(std::max(1, std::atoi(argv[1])), 1);
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    // A run with another setting (POKDENG_STARTUP_VARIANT="sounds on") is named apart.
    const char *variant = std::getenv("POKDENG_STARTUP_VARIANT");
    bench::setTopic(std::string("startup/") + (platform ? platform : "default")
                    + (variant && *variant ? std::string("/") + variant : std::string()));
    // Made absolute before the race moves to its own folder.
    const auto absolute = [](const char *path) {
        char *resolved = realpath(path, nullptr);
        std::string result = resolved ? resolved : path;
        std::free(resolved);
        return result;
    };
    const std::string game = absolute(argv[2]), baseline = absolute(argv[3]),
                      probe = absolute(argv[4]);

    char folder[] = "/tmp/pokdeng-startup-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) {
        std::perror("work folder");
        return 1;
    }

    if (!runOnce(baseline, probe) || !runOnce(game, probe))
        return 1;
    Figures gameFigures, baselineFigures;
    std::vector<double> timeRatios, memoryRatios;
    for (int run = 0; run < runs; ++run) {
        std::optional<Sample> g, b;
        if (run % 2 == 0) {
            b = runOnce(baseline, probe);
            g = runOnce(game, probe);
        } else {
            g = runOnce(game, probe);
            b = runOnce(baseline, probe);
        }
        if (!g || !b)
            return 1;
        gameFigures.milliseconds.push_back(g->milliseconds);
        gameFigures.peakKib.push_back(static_cast<double>(g->peakKib));
        baselineFigures.milliseconds.push_back(b->milliseconds);
        baselineFigures.peakKib.push_back(static_cast<double>(b->peakKib));
        timeRatios.push_back(g->milliseconds / b->milliseconds);
        memoryRatios.push_back(static_cast<double>(g->peakKib) / static_cast<double>(b->peakKib));
    }
    rmdir(folder);

    std::printf("Start-up to the first painted frame, %d alternating runs each (QPA: %s%s%s)\n",
                runs, platform ? platform : "default", variant && *variant ? ", " : "",
                variant ? variant : "");
    printRow("game", gameFigures);
    printRow("bare", baselineFigures);
    std::printf("  ratio game / bare: time %.3fx, peak RSS %.3fx (medians of the run pairs; "
                "goal <= 1.15x each)\n",
                median(timeRatios), median(memoryRatios));
    recordFigures(gameFigures, baselineFigures);
    bench::record("time ratio game / bare, median of pairs", median(timeRatios), "x");
    bench::record("peak RSS ratio game / bare, median of pairs", median(memoryRatios), "x");
    return 0;
}
