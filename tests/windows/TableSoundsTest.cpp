// The sounds a round asks the toolkit for, in order, counted by the scripted toolkit: whether
// they are heard is the real toolkit's affair (its tests, and the real-sound test).
#include "support/CardFixtures.h"
#include "support/RowName.h"
#include "support/ScriptedTable.h"
#include "support/TableRound.h"

#include <QPushButton>

#include <gtest/gtest.h>

using Answer = Toolkit::Answer;

namespace {

// A card sliding out of the pack and landing, n times.
std::vector<Sound> slides(int n)
{
    std::vector<Sound> sounds;
    for (int i = 0; i < n; ++i)
        sounds.insert(sounds.end(), { Sound::SlideOut, Sound::Land });
    return sounds;
}

std::vector<Sound> operator+(std::vector<Sound> a, const std::vector<Sound> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct RoundSounds
{
    const char *name;
    const char *bySeat; // first seat | user | last seat | dealer; the first seat always draws
    const char *turn; // the user's button
    std::vector<Sound> expected;
};

class TableSounds : public ScriptedTable, public ::testing::WithParamInterface<RoundSounds>
{
};

// The bet, the eight cards of the deal and the first seat's third card, each sliding out and
// landing; then any third cards; the faces turned over; the outcome: a win or a loss, a tie
// silent.
TEST_P(TableSounds, ARoundAsksForItsSoundsInOrder)
{
    const RoundSounds &row = GetParam();
    tableround::bet(table.get(), random, row.bySeat);
    toolkit.expect(Answer::Ok);
    control<QPushButton>(row.turn)->click();
    EXPECT_EQ(toolkit.sounds(), row.expected);
}

const RoundSounds kRounds[] = {
    { "won by standing", "KS QS 8S | 3S 4H 2C | 5D 2D 3D | 6S KH 4C", "cmdnoreq",
      std::vector { Sound::Bet } + slides(8 + 1) + std::vector { Sound::TurnOver, Sound::Win } },
    { "lost after drawing", "KS QS 8S | AS 2H 9D | 5D 2D 3D | 5S KH 3C", "Cmdreq",
      std::vector { Sound::Bet } + slides(8 + 1 + 1)
          + std::vector { Sound::TurnOver, Sound::Lose } },
    { "lost to the dealer's third card", "KS QS 8S | AS 3H 2C | 5D 2D 3D | 5S KH 3C", "cmdnoreq",
      std::vector { Sound::Bet } + slides(8 + 1 + 1)
          + std::vector { Sound::TurnOver, Sound::Lose } },
    { "a tie", "KS QS 8S | 3S 4H 2C | 5D 2D 3D | 7D KH 4C", "cmdnoreq",
      std::vector { Sound::Bet } + slides(8 + 1) + std::vector { Sound::TurnOver } },
};
INSTANTIATE_TEST_SUITE_P(Rounds, TableSounds, ::testing::ValuesIn(kRounds), RowNamer());

} // namespace
