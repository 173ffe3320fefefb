// Not a test by itself: saves records into "point.pon" in the current folder one after another
// until it is killed, for the crash-safety test. Record i is named "n<i>" and holds i baht, from
// the first argument on. One byte on standard output says the first save is about to begin.
#include "history/ScoreStore.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const long long first = std::stoll(argv[1]);
    if (write(STDOUT_FILENO, "s", 1) != 1)
        return 2;
    // Bounded, so that a helper nobody kills ends by itself; the test treats that as a failure.
    for (long long i = first; i < first + 1'000'000; ++i) {
        SaveProblem problem = SaveProblem::Other;
        if (!writeScoreFile(QStringLiteral("n%1").arg(i), static_cast<double>(i), &problem)) {
            std::fprintf(stderr, "save %lld failed: problem %d\n", i, static_cast<int>(problem));
            return 1;
        }
    }
    return 3;
}
