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
// Sounds asked for within this of one another sound as one: the bet and the first card leave
// together, and a card lands as the next one leaves.
constexpr auto kTogether = 40ms;
// The recording's clock is placed from when parec's chunks arrive, and the null sink renders a
// little ahead of the clock: a sound may seem to begin up to this much before its call.
constexpr auto kEarly = 20ms;
// The longest a sound may take from the table's call to the output, on a busy machine under the
// sanitizers too; the benchmark measures the real figure.
constexpr auto kMostLatency = 400ms;
// The longest sound, and then some: the recording goes on this long after the last call.
constexpr auto kLongestSound = 700ms;

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

    // The calls that sound as one, each group by its first call.
    std::vector<std::size_t> groups;
    for (std::size_t i = 0; i < toolkit.played.size(); ++i)
        if (i == 0 || toolkit.played[i].at - toolkit.played[i - 1].at > kTogether)
            groups.push_back(i);
    const std::vector<Clock::time_point> onsets = recording.onsets(kSilence, kGap);

    const Clock::time_point start = toolkit.played.front().at;
    const auto ms
        = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    // Each group is heard, in order, each by a sound of its own.
    std::printf("sound                    asked at   heard at   after\n");
    auto unmatched = onsets.begin();
    for (std::size_t group : groups) {
        const Clock::time_point asked = toolkit.played[group].at;
        std::string names;
        for (std::size_t i = group;
             i < toolkit.played.size() && (i == group || toolkit.played[i].at - asked <= kTogether);
             ++i)
            names += std::string(names.empty() ? "" : " + ") + nameOf(toolkit.played[i].sound);
        const auto heard = std::find_if(unmatched, onsets.end(), [&](Clock::time_point onset) {
            return onset >= asked - kEarly;
        });
        if (heard == onsets.end() || *heard - asked > kMostLatency) {
            ADD_FAILURE() << names << " asked for at " << ms(asked - start)
                          << " ms was not heard within " << ms(kMostLatency) << " ms";
            continue;
        }
        unmatched = heard + 1;
        std::printf("%-24s %8.1f ms %8.1f ms %6.1f ms\n", names.c_str(), ms(asked - start),
                    ms(*heard - start), ms(*heard - asked));
    }
    // No sound the table did not ask for.
    for (Clock::time_point onset : onsets) {
        const bool asked = std::any_of(groups.begin(), groups.end(), [&](std::size_t group) {
            const Clock::time_point at = toolkit.played[group].at;
            return onset >= at - kEarly && onset - at <= kMostLatency;
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
