// The table's sounds: how long from the table's call to the sound starting on the output, and
// what sounds on cost the process. The output is the null sink of a PulseAudio server of the
// benchmark's own, recorded from its monitor; every sound is played through the real toolkit
// in turn, far enough apart that each begins after silence. The first sound also loads the
// library, reaches the server and hands it the sound files, so it is reported apart.
//
// Also: a call with sounds off (the toolkit only asks the settings), and the resident memory and
// threads the process has before any sound and after them.
#include "support/Figures.h"
#include "support/NullSink.h"
#include "support/OffscreenApplication.h"
#include "support/ProcessStats.h"
#include "toolkit/GameSettings.h"
#include "toolkit/QtToolkit.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = SinkRecording::Clock;

namespace {

constexpr Sound kSounds[]
    = { Sound::SlideOut, Sound::Land, Sound::TurnOver, Sound::Bet, Sound::Win, Sound::Lose };
// Longer than the longest sound and its way to the output: each sound begins after silence.
constexpr auto kApart = 700ms;
constexpr int kSilence = 60;
constexpr auto kGap = 30ms;
// The recording's clock is placed from when parec's chunks arrive, and the null sink renders a
// little ahead of the clock: a sound may seem to begin up to this much before its call.
constexpr auto kEarly = 20ms;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    bench::setTopic("sound");
    NullSink sink;
    if (!sink.isRunning()) {
        std::fprintf(stderr, "no sound server: %s\n", sink.whyNot().c_str());
        return 1;
    }
    qputenv("PULSE_SERVER", QByteArray::fromStdString(sink.address()));
    QtToolkit toolkit;

    // Sounds off: the call asks the settings and goes no further.
    GameSettings().setSound(false);
    const int offCalls = bench::rounds(10000, 100);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < offCalls; ++i)
        toolkit.playSound(kSounds[i % std::size(kSounds)]);
    const double offMicroseconds = timer.nsecsElapsed() / 1e3 / offCalls;
    const long residentBefore = bench::residentKib();
    const int threadsBefore = bench::threadCount();

    GameSettings().setSound(true);
    SinkRecording recording(sink);
    if (!recording.waitForStart()) {
        std::fprintf(stderr, "parec recorded nothing\n");
        return 1;
    }
    const int rounds = bench::rounds(6, 1);
    std::vector<Clock::time_point> asked;
    for (int round = 0; round < rounds; ++round)
        for (Sound sound : kSounds) {
            asked.push_back(Clock::now());
            toolkit.playSound(sound);
            std::this_thread::sleep_for(kApart);
        }
    recording.stop();
    const long residentAfter = bench::residentKib();
    const int threadsAfter = bench::threadCount();

    const std::vector<Clock::time_point> onsets = recording.onsets(kSilence, kGap);
    std::vector<double> later;
    double first = -1;
    int unheard = 0;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const auto heard = std::find_if(onsets.begin(), onsets.end(), [&](Clock::time_point t) {
            return t >= asked[i] - kEarly;
        });
        if (heard == onsets.end() || *heard - asked[i] >= kApart) {
            ++unheard;
            continue;
        }
        if (i == 0)
            first = ms(*heard - asked[i]);
        else
            later.push_back(ms(*heard - asked[i]));
    }
    if (unheard > 0 || later.empty()) {
        std::fprintf(stderr, "%d of %zu sounds were not heard\n", unheard, asked.size());
        return 1;
    }

    std::printf("Sounds through libcanberra to a PulseAudio null sink, %zu sounds\n", asked.size());
    std::printf("  the first sound (library, server, files): %7.1f ms from the call\n", first);
    std::printf("  later sounds: median %7.1f ms, %.1f to %.1f\n", median(later),
                *std::min_element(later.begin(), later.end()),
                *std::max_element(later.begin(), later.end()));
    std::printf("  a call with sounds off: %.2f us\n", offMicroseconds);
    std::printf("  resident memory %ld KiB before any sound, %ld KiB after (+%ld); threads %d, "
                "then %d\n",
                residentBefore, residentAfter, residentAfter - residentBefore, threadsBefore,
                threadsAfter);
    bench::record("first sound, call to output", first, "ms");
    bench::record("later sounds, call to output, median", median(later), "ms");
    bench::record("later sounds, call to output, slowest",
                  *std::max_element(later.begin(), later.end()), "ms");
    bench::record("a call with sounds off", offMicroseconds, "us");
    bench::recordPaired("resident memory after sounds", static_cast<double>(residentAfter),
                        static_cast<double>(residentBefore), "KiB");
    bench::recordPaired("threads after sounds", threadsAfter, threadsBefore, "threads");
    return 0;
}
