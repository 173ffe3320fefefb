#include "rules/pokdeng/Deal.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <set>

using namespace pokdeng;
using namespace cards;

namespace {

TEST(Deal, ScriptedNumbersDealTheirCardsSuitThenRank)
{
    const SlotCards table = tableBySeat("9S 8S 2C | AH 3H 5D | KC QC JC | 10D 4D 6H");
    ScriptedRandom random;
    random.deal(table);
    EXPECT_EQ(deal(random), table);
    EXPECT_TRUE(random.isUsedUp());
}

TEST(Deal, RepeatedCardIsDrawnAgainWhole)
{
    const SlotCards table = tableBySeat("9S 8S 2C | AH 3H 5D | KC QC JC | 10D 4D 6H");
    ScriptedRandom random;
    for (int slot = 1; slot <= 3; ++slot)
        random.card(table[slot]);
    random.card(table[1]); // slot 4 first draws the nine of spades again
    random.card(table[2]); // and then the ace of hearts
    for (int slot = 4; slot <= 12; ++slot)
        random.card(table[slot]);
    EXPECT_EQ(deal(random), table);
    EXPECT_TRUE(random.isUsedUp());
}

TEST(Deal, TwelveDistinctValidCardsEveryTime)
{
    SeededRandom random(20261210);
    for (int round = 0; round < 20000; ++round) {
        const SlotCards cards = deal(random);
        std::set<std::pair<int, int>> seen;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            ASSERT_TRUE(isValidCard(cards[slot])) << "slot " << slot;
            seen.insert({ cards[slot].suit, cards[slot].rank });
        }
        ASSERT_EQ(seen.size(), 12u) << "round " << round;
    }
}

// Every card turns up in every slot about equally often, third-card slots included: a
// chi-square test per slot over the 52 cards, with a fixed seed so the test never flickers.
TEST(Deal, EveryCardEquallyLikelyInEverySlot)
{
    constexpr int rounds = 52 * 400;
    SeededRandom random(7);
    std::array<std::array<int, 52>, kSlotCount> counts {};
    for (int round = 0; round < rounds; ++round) {
        const SlotCards cards = deal(random);
        for (int slot = 1; slot <= kSlotCount; ++slot)
            ++counts[slot - 1][(cards[slot].suit - 1) * 13 + cards[slot].rank - 1];
    }
    const double expected = rounds / 52.0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        double chiSquare = 0;
        for (int count : counts[slot])
            chiSquare += (count - expected) * (count - expected) / expected;
        // 51 degrees of freedom: the 99.9th percentile is about 87.
        EXPECT_LT(chiSquare, 87.0) << "slot " << slot + 1;
    }
}

TEST(ChooseOneOf, StaysInRangeForAnyNumber)
{
    EXPECT_EQ(chooseOneOf(0.0, 4), 1);
    EXPECT_EQ(chooseOneOf(0.999999, 4), 4);
    EXPECT_EQ(chooseOneOf(1.0, 13), 13);
    EXPECT_EQ(chooseOneOf(-0.5, 13), 1);
    EXPECT_EQ(chooseOneOf(std::nan(""), 13), 1);
}

TEST(SeededRandom, NumbersLieInTheUnitInterval)
{
    SeededRandom random;
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

} // namespace
