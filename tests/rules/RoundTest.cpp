#include "rules/pokdeng/Round.h"

#include "support/CardFixtures.h"
#include "support/RowName.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <optional>

using namespace pokdeng;

namespace {

// One scripted round: the cards by seat, the user's choice, the coins the seats flip (in the
// order they flip them), and what every seat does and how the round ends.
struct RoundCase
{
    const char *name;
    const char *table; // "first seat | user | last seat | dealer"
    bool userDraws;
    std::vector<bool> coins;
    bool firstDraws, lastDraws, dealerDraws;
    int userPoints, dealerPoints;
    Settlement::Outcome outcome;
    double moneyChange;
    const char *userLabel;
    const char *dealerLabel;
};

const RoundCase kRounds[] = {
    { "user stands on 4, dealer on 5 draws",
      "9S 9H KC | AC 3D 5H | 5C 4D 2S | 2H 3H 9D",
      false,
      {},
      false,
      false,
      true,
      4,
      4,
      Settlement::Outcome::Tie,
      0,
      "4แต้ม",
      "4แต้ม" },
    { "user draws, dealer on 5 stands",
      "9S 9H KC | AC 3D 5H | 5C 4D 2S | 2H 3H 9D",
      true,
      {},
      false,
      false,
      false,
      9,
      5,
      Settlement::Outcome::UserWins,
      1000,
      "9 หลัง",
      "5แต้มสองเด้ง" },
    { "dealer's 4 after a draw flips its coin",
      "9S 9H KC | AC 2C 5H | 5C 4D 2S | 2H 2D 9C",
      true,
      { true },
      false,
      false,
      true,
      8,
      3,
      Settlement::Outcome::UserWins,
      1000,
      "8 หลัง",
      "3แต้ม" },
    { "side seats on unsuited 4 flip, the first draws",
      "AS 3H 2C | KC QD 5H | 3C AD 2S | 6D 3S 9D",
      true,
      { true, false },
      true,
      false,
      false,
      5,
      9,
      Settlement::Outcome::UserLoses,
      -1000,
      "5แต้ม",
      "ป๊อก 9" },
    { "a pok stands and the dealer draws below 6",
      "9S 9H KC | 4C 4D 5H | 5C 4H 2S | 2H 3D 9D",
      false,
      {},
      false,
      false,
      true,
      8,
      4,
      Settlement::Outcome::UserWins,
      2000,
      "ป๊อก 8สองเด้ง",
      "4แต้ม" },
};

class RoundTest : public testing::TestWithParam<RoundCase>
{
};

} // namespace

TEST_P(RoundTest, PlaysInOrderOfPlay)
{
    const RoundCase &c = GetParam();
    ScriptedRandom coins;
    for (bool draws : c.coins)
        coins.coin(draws);
    Round round(tableBySeat(c.table), 1000, coins);

    EXPECT_EQ(round.playFirstSeat(), c.firstDraws);
    ASSERT_EQ(round.step(), Round::Step::UserTurn);
    if (c.userDraws)
        round.userDraws();
    else
        round.userStands();
    EXPECT_EQ(round.playLastSeat(), c.lastDraws);
    EXPECT_EQ(round.playDealer(), c.dealerDraws);
    const Settlement &outcome = round.settle();

    EXPECT_EQ(round.hasDrawn(kUserSeat), c.userDraws);
    EXPECT_EQ(round.points(kUserSeat), c.userPoints);
    EXPECT_EQ(round.points(kDealerSeat), c.dealerPoints);
    EXPECT_EQ(outcome.outcome, c.outcome);
    EXPECT_DOUBLE_EQ(outcome.moneyChange, c.moneyChange);
    EXPECT_EQ(round.userHand().label, c.userLabel);
    EXPECT_EQ(round.dealerHand().label, c.dealerLabel);
    EXPECT_TRUE(coins.isUsedUp()) << "every scripted coin is flipped";
    EXPECT_EQ(round.step(), Round::Step::Settled);
}

INSTANTIATE_TEST_SUITE_P(Scripted, RoundTest, testing::ValuesIn(kRounds), RowNamer());

TEST(Round, SideSeatPointsCountTheirThirdCard)
{
    ScriptedRandom coins;
    Round round(tableBySeat("AS 2H 5C | 9C 8D 5H | KC QD 7S | 9H 9D 2D"), 500, coins);
    EXPECT_TRUE(round.playFirstSeat());
    EXPECT_EQ(round.points(kFirstSeat), 8);
    round.userStands();
    EXPECT_TRUE(round.playLastSeat());
    EXPECT_EQ(round.points(kLastSeat), 7);
    EXPECT_TRUE(round.hasDrawn(kLastSeat));
}

TEST(Round, TheUsersTurnOffersWhatThePointsAllow)
{
    ScriptedRandom coins;
    struct
    {
        const char *user;
        bool mayDraw, mayStand;
    } const rows[]
        = { { "KC QD 5H", true, false }, { "4C 3D 5H", true, true }, { "9C KD 5H", false, true } };
    for (const auto &row : rows) {
        Round round(tableBySeat(std::string("9S 9H 2C | ") + row.user + " | 5C 5D 2S | 2H 3H 9D"),
                    1000, coins);
        EXPECT_FALSE(round.mayDraw()) << "nothing before the first seat has played";
        round.playFirstSeat();
        EXPECT_EQ(round.mayDraw(), row.mayDraw) << row.user;
        EXPECT_EQ(round.mayStand(), row.mayStand) << row.user;
    }
}

TEST(Round, ASeededRoundDrawsItsNumbersInTheTablesOrder)
{
    // The deal first, then one coin per seat that must flip: first seat, last seat, dealer.
    ScriptedRandom random;
    const SlotCards cards = tableBySeat("AS 3H 2C | KC 4D 5H | 3C AD 2S | 3S AH 9D");
    random.deal(cards).coin(false).coin(true).coin(false);
    Round round(1000, random);
    EXPECT_EQ(round.cards(), cards);
    EXPECT_FALSE(round.playFirstSeat());
    round.userDraws();
    EXPECT_TRUE(round.playLastSeat());
    EXPECT_FALSE(round.playDealer());
    EXPECT_TRUE(random.isUsedUp());
}
