#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// A PulseAudio sound server of the caller's own, with no sound card: its one output is a null
// sink ("out") that plays into nothing, and what reaches it can be recorded from its monitor. It
// runs in a private temporary folder and is reached only through the socket there, so the
// desktop's own server (if any) is neither used nor disturbed. Needs the Debian packages
// pulseaudio and pulseaudio-utils (parec).
class NullSink
{
public:
    // Starts the server and waits (at most ten seconds) until it takes connections.
    NullSink();
    // Ends the server.
    ~NullSink();
    NullSink(const NullSink &) = delete;
    NullSink &operator=(const NullSink &) = delete;

    // Whether it runs; if not, why not, in a sentence for a skipped test.
    bool isRunning() const { return m_server > 0; }
    const std::string &whyNot() const { return m_whyNot; }

    // What PULSE_SERVER is set to for a program to play here: "unix:/tmp/.../native".
    const std::string &address() const { return m_address; }

private:
    std::string m_folder;
    std::string m_address;
    std::string m_whyNot;
    pid_t m_server = 0;
};

// Records what a null sink plays, as mono 16-bit samples at kRate, from the moment it is made
// until stop(). A thread of its own reads the recorder's output, so the moments stay right while
// the caller's thread is busy; each sample is placed on the steady clock.
class SinkRecording
{
public:
    static constexpr int kRate = 44100;
    using Clock = std::chrono::steady_clock;

    explicit SinkRecording(const NullSink &sink);
    ~SinkRecording();
    SinkRecording(const SinkRecording &) = delete;
    SinkRecording &operator=(const SinkRecording &) = delete;

    // Waits (at most ten seconds) until the first samples came; false if they never did.
    bool waitForStart();
    // Ends the recording; the samples stay.
    void stop();

    // Where the samples lie on the steady clock. The sink plays at a steady rate, so sample i
    // lies i / kRate after the first. Each chunk that came places the first sample by its own
    // arrival (its last sample played just before it came); the median of those is taken, so a
    // chunk held up or rendered ahead does not shift the rest. Moments read so are late by about
    // the recorder's 2 ms chunks rather than early.
    Clock::time_point timeOf(std::size_t sample) const;
    std::optional<std::size_t> sampleAt(Clock::time_point moment) const;

    // The loudest sample's magnitude between two moments (0 when none was recorded there).
    int loudest(Clock::time_point from, Clock::time_point to) const;
    // The moment of the first sample above threshold between two moments; nothing when there is
    // none.
    std::optional<Clock::time_point> firstAbove(int threshold, Clock::time_point from,
                                                Clock::time_point to) const;
    // The beginnings of sound: moments where a sample above threshold follows at least gap of
    // samples at or below it (or the start of the recording).
    std::vector<Clock::time_point> onsets(int threshold, std::chrono::milliseconds gap) const;

    std::size_t size() const;

private:
    void read();
    std::optional<Clock::time_point> first() const; // with m_mutex held

    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
    std::vector<Clock::time_point> m_firsts; // the first sample's place, by each chunk
    std::vector<unsigned char> m_partial; // an odd byte left from the last chunk
    pid_t m_recorder = 0;
    int m_pipe = -1;
    std::thread m_reader;
};
