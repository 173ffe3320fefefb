// The table's sounds heard for real: a sound server of the test's own whose only output is a null
// sink, a round played with sounds on through the real toolkit (and so through libcanberra and
// the server), and what reached the output recorded from its monitor. Each moment the table
// asked for a sound is compared with the moments sound began in the recording; with sounds off
// the recording stays silent.
#include "support/NullSink.h"
#include "support/ScriptedRandom.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "toolkit/GameSettings.h"
#include "toolkit/QtToolkit.h"
#include "windows/Frmpok.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace std::chrono_literals;
using Clock = SinkRecording::Clock;

namespace {

// Above this a sample is sound: the sink plays exact zeros when nothing plays, and the quietest
// sound's quietest moment is far above it.
constexpr int kSilence = 60;
// Sound that starts after this much silence is a new sound.
constexpr auto kGap = 30ms;
// A sound asked for before the ones before it have ended and gone quiet this long (with some
// room for the way to the output) sounds as one with them: the bet and the first card leave
// together, and a card lands as the next one leaves.
constexpr auto kApart = kGap + 30ms;
// The recording's clock is placed from when parec's chunks arrive, and the null sink renders a
// little ahead of the clock: a sound may seem to begin up to this much before its call.
constexpr auto kEarly = 20ms;
// The longest a sound may take from the table's call to the output, on a busy machine under the
// sanitizers too; the benchmark measures the real figure.
constexpr auto kMostLatency = 400ms;
// A sound's last milliseconds, faded, may still be above silence a little after its length.
constexpr auto kFadeMargin = 5ms;
// The longest sound, and then some: the recording goes on this long after the last call.
constexpr auto kLongestSound = 700ms;

// How long the sound lasts: its 16-bit mono file at 22,050 Hz, after the 44-byte header.
Clock::duration lengthOf(Sound sound)
{
    const QFile file(QStringLiteral(":/sounds/") + QLatin1String(SoundPlayer::fileName(sound)));
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(file.size() - 44) / 2 / 22050));
}

const char *nameOf(Sound sound)
{
    switch (sound) {
    case Sound::SlideOut:
        return "slide out";
    case Sound::Land:
        return "land";
    case Sound::TurnOver:
        return "turn over";
    case Sound::Bet:
        return "bet";
    case Sound::Win:
        return "win";
    case Sound::Lose:
        return "lose";
    }
    return "?";
}

// Answers every box as a player who goes on, and hands each sound to the real toolkit, noting
// when the table asked for it.
class HeardToolkit final : public Toolkit
{
public:
    struct Played
    {
        Sound sound;
        Clock::time_point at;
    };

    HeardToolkit() { Toolkit::install(this); }
    ~HeardToolkit() override { Toolkit::install(nullptr); }

    Answer messageBox(QWidget *, const QString &, Style style, const QString &) override
    {
        return style == Style::QuestionYesNo ? Answer::Yes : Answer::Ok;
    }
    void playSound(Sound sound) override
    {
        played.push_back({ sound, Clock::now() });
        real.playSound(sound);
    }
    void endProgram() override { }
    bool isEnding() const override { return false; }

    std::vector<Played> played;
    QtToolkit real;
};

class RealSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!sink.isRunning())
            GTEST_SKIP() << sink.whyNot();
        qputenv("PULSE_SERVER", QByteArray::fromStdString(sink.address()));
    }
    void TearDown() override
    {
        GameSettings().setSound(false);
        CardSlider::setInstant(true);
        qunsetenv("PULSE_SERVER");
    }

    // Plays a round, the user standing and winning (7 against the dealer's 6; the first seat
    // draws, the last seat and the dealer stand), and records until the last sound is over.
    void playRound(HeardToolkit &toolkit, SinkRecording &recording)
    {
        ScriptedRandom random;
        Frmpok table(nullptr, &random);
        ASSERT_TRUE(recording.waitForStart()) << "parec recorded nothing";
        tableround::bet(&table, random, "KS QS 8S | 3S 4H 2C | 5D 2D 3D | 6S KH 4C");
        tableround::shownTurn(&table)->click();
        ASSERT_FALSE(toolkit.played.empty());
        const Clock::time_point end = toolkit.played.back().at + kLongestSound;
        ASSERT_TRUE(QTest::qWaitFor([&] { return recording.sampleAt(end).has_value(); }, 10000))
            << "the recording stopped";
        recording.stop();
    }

    NullSink sink;
};

TEST_F(RealSound, EachSoundIsHeardWhenTheTablePlaysIt)
{
    GameSettings().setSound(true);
    CardSlider::setInstant(false);
    HeardToolkit toolkit;
    SinkRecording recording(sink);
    playRound(toolkit, recording);
    ASSERT_FALSE(HasFatalFailure());

    // The calls that sound as one: their first call, how long they sound, their names.
    struct Group
    {
        Clock::time_point asked;
        Clock::duration length {};
        std::string names;
    };
    std::vector<Group> groups;
    for (const HeardToolkit::Played &played : toolkit.played) {
        if (groups.empty() || played.at > groups.back().asked + groups.back().length + kApart)
            groups.push_back({ played.at, {}, {} });
        Group &group = groups.back();
        group.length = std::max(group.length, played.at + lengthOf(played.sound) - group.asked);
        group.names += std::string(group.names.empty() ? "" : " + ") + nameOf(played.sound);
    }

    const Clock::time_point start = groups.front().asked;
    const auto ms
        = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    // Each group is heard after its call, once the group before it has died away, and before
    // the next call: a sound of its own, even when a slow way to the output makes them overlap.
    std::printf("sound                    asked at   heard at   after\n");
    Clock::time_point quietFrom = start - kEarly;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Group &group = groups[g];
        Clock::time_point until = group.asked + kMostLatency;
        if (g + 1 < groups.size())
            until = std::min(until, groups[g + 1].asked - kEarly);
        Clock::time_point from = std::max(group.asked - kEarly, quietFrom);
        if (from >= until)
            from = group.asked - kEarly;
        const auto heard = recording.firstAbove(kSilence, from, until);
        if (!heard) {
            ADD_FAILURE() << group.names << " asked for at " << ms(group.asked - start)
                          << " ms was not heard between " << ms(from - start) << " and "
                          << ms(until - start) << " ms";
            quietFrom = until;
            continue;
        }
        std::printf("%-24s %8.1f ms %8.1f ms %6.1f ms\n", group.names.c_str(),
                    ms(group.asked - start), ms(*heard - start), ms(*heard - group.asked));
        quietFrom = *heard + group.length + kFadeMargin;
        // Begun after silence, its longest sound is heard to its end: the win's chime, not just
        // the card landing with it.
        if (*heard > from) {
            EXPECT_GT(recording.loudest(*heard + group.length - 60ms, *heard + group.length - 20ms),
                      kSilence)
                << group.names << " asked for at " << ms(group.asked - start)
                << " ms stopped short of " << ms(group.length) << " ms";
        }
    }
    // No sound the table did not ask for.
    for (Clock::time_point onset : recording.onsets(kSilence, kGap)) {
        const bool asked = std::any_of(groups.begin(), groups.end(), [&](const Group &group) {
            return onset >= group.asked - kEarly && onset - group.asked <= kMostLatency;
        });
        EXPECT_TRUE(asked) << "a sound at " << ms(onset - start) << " ms that no call asked for";
    }
    EXPECT_EQ(toolkit.real.soundPlayer().started(), int(toolkit.played.size()));
    EXPECT_EQ(toolkit.real.soundPlayer().failed(), 0);
}

TEST_F(RealSound, SoundsOffStaySilent)
{
    GameSettings().setSound(false);
    HeardToolkit toolkit;
    SinkRecording recording(sink);
    playRound(toolkit, recording);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GT(toolkit.played.size(), 10u) << "the table asked for its sounds all the same";
    EXPECT_EQ(
        recording.loudest(toolkit.played.front().at - 1s, toolkit.played.back().at + kLongestSound),
        0);
    EXPECT_EQ(toolkit.real.soundPlayer().asked(), 0) << "the player was never reached";
}

} // namespace
