#include "rules/pokdeng/SeatDecisions.h"
#include "rules/pokdeng/Points.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using namespace cards;

namespace {

TEST(Points, AfterTheDealAndWithAThirdCard)
{
    const SlotCards table = tableBySeat("10S KH 2C | 9S 8H 2D | AS 3H 2H | 5C 9C 2S");
    EXPECT_EQ(pointsAfterDeal(table, 1), 0);
    EXPECT_EQ(pointsAfterDeal(table, 2), 7);
    EXPECT_EQ(pointsAfterDeal(table, 3), 4);
    EXPECT_EQ(pointsAfterDeal(table, 4), 4);
    EXPECT_EQ(pointsAfterDeal(table, 5), 0);

    EXPECT_EQ(pointsWithThirdCard(3, 13), 3); // a king adds nothing
    EXPECT_EQ(pointsWithThirdCard(5, 9), 4);
    EXPECT_EQ(pointsWithThirdCard(2, 8), 0);
    EXPECT_EQ(pointsWithThirdCard(9, 9), 8);
}

struct SideSeatRow
{
    const char *cards; // the seat's two cards
    bool coinNeeded;
    bool drawsOnCoin1;
    bool drawsOnCoin2;
};

// The first and the last seat decide alike, each on its own two cards.
TEST(SideSeats, DrawBelowFourStandFromFiveFlipOnUnsuitedFour)
{
    const SideSeatRow rows[] = {
        { "10S KH", false, true, true }, // 0
        { "AS 2H", false, true, true }, // 3
        { "AS 3S", false, false, false }, // 4 of one suit
        { "AS 3H", true, true, false }, // 4 in two suits: the coin decides
        { "2S 3H", false, false, false }, // 5
        { "4S 4H", false, false, false }, // a pok
    };
    for (int seat : { kFirstSeat, kLastSeat }) {
        for (const auto &row : rows) {
            const auto two = cardList(row.cards);
            SlotCards table;
            table.set(seat, two[0]);
            table.set(seat + 4, two[1]);
            const int points = pointsAfterDeal(table, seat);
            for (bool coin : { true, false }) {
                ScriptedRandom random;
                if (row.coinNeeded)
                    random.coin(coin);
                EXPECT_EQ(sideSeatDraws(table, seat, points, random),
                          coin ? row.drawsOnCoin1 : row.drawsOnCoin2)
                    << "seat " << seat << " " << row.cards;
                EXPECT_TRUE(random.isUsedUp()) << row.cards;
            }
        }
    }
}

TEST(Dealer, DrawsByPointsAndWhetherTheUserDrew)
{
    // For each of the dealer's points: after the user drew, after the user stood.
    enum Decision { Draw, Stand, Coin };
    const Decision table[10][2] = {
        { Draw, Draw },  { Draw, Draw },   { Draw, Draw },   { Draw, Draw },   { Coin, Draw },
        { Stand, Draw }, { Stand, Stand }, { Stand, Stand }, { Stand, Stand }, { Stand, Stand },
    };
    for (int points = 0; points <= 9; ++points) {
        for (bool userDrew : { true, false }) {
            const Decision expected = table[points][userDrew ? 0 : 1];
            for (bool coin : { true, false }) {
                ScriptedRandom random;
                if (expected == Coin)
                    random.coin(coin);
                const bool draws = dealerDraws(points, userDrew, random);
                const bool expectedDraw = expected == Draw || (expected == Coin && coin);
                EXPECT_EQ(draws, expectedDraw) << points << " points, user drew " << userDrew;
                EXPECT_TRUE(random.isUsedUp());
            }
        }
    }
}

TEST(CoinFlip, EvenChance)
{
    SeededRandom random(99);
    int draws = 0;
    constexpr int flips = 100000;
    for (int i = 0; i < flips; ++i)
        draws += flipCoin(random) == 1;
    EXPECT_NEAR(draws / double(flips), 0.5, 0.01);
}

} // namespace
