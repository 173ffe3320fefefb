#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Points.h"
#include "support/CardFixtures.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using namespace cards;

namespace {

struct HandCase
{
    const char *name;
    const char *cards; // two cards: the third does not show
    HandValue expected;
};

// Points as the table works them out: the first two cards, then the third when it shows.
int pointsOf(const std::array<Card, 3> &cards, bool thirdShows)
{
    int points = (cardValue(cards[0].rank) + cardValue(cards[1].rank)) % 10;
    return thirdShows ? pointsWithThirdCard(points, cards[2].rank) : points;
}

class HandEvaluation : public ::testing::TestWithParam<HandCase>
{
};

TEST_P(HandEvaluation, KindMultiplierAndLabel)
{
    const HandCase &c = GetParam();
    const auto cards = cardList(c.cards);
    const bool thirdShows = cards.size() == 3;
    const auto h = hand(c.cards);
    EXPECT_EQ(evaluateHand(h, pointsOf(h, thirdShows), thirdShows), c.expected) << c.cards;
}

const HandCase kHands[] = {
    // The pok hands, with and without two-card deng.
    { "pok nine", "9S KH", { 16, 0, "ป๊อก 9" } },
    { "pok nine of one suit", "4S 5S", { 16, 2, "ป๊อก 9สองเด้ง" } },
    { "pok eight", "3D 5C", { 15, 0, "ป๊อก 8" } },
    { "pair of fours is a pok eight with deng", "4S 4H", { 15, 2, "ป๊อก 8สองเด้ง" } },
    // Three-card nine and eight.
    { "three threes are a nine, not three of a kind", "3S 3H 3D", { 9, 0, "9 หลัง" } },
    { "three-card nine", "2S 3H 4D", { 9, 0, "9 หลัง" } },
    { "three-card nine of one suit", "2S 3S 4S", { 9, 3, "9 หลังสามเด้ง" } },
    { "three-card eight", "KS 3H 5D", { 8, 0, "8 หลัง" } },
    // Three of a kind, tested before the eight and the points.
    { "three sixes are three of a kind before eight", "6S 6H 6D", { 14, 5, "ตอง 6" } },
    { "three aces", "AS AH AD", { 14, 5, "ตองA" } },
    { "three tens", "10S 10H 10C", { 14, 5, "ตอง 10" } },
    { "three kings", "KS KH KC", { 14, 5, "ตองK" } },
    { "three fives", "5S 5H 5C", { 14, 5, "ตอง 5" } },
    { "three queens", "QS QH QC", { 14, 5, "ตองQ" } },
    // The court-card kinds.
    { "king king queen", "KS KH QD", { 13, 3, "เซียน K" } },
    { "king king jack", "KS JH KD", { 13, 3, "เซียน K" } },
    { "queen queen king", "QS KH QD", { 12, 3, "เซียน Q" } },
    { "queen queen jack", "QS QH JD", { 12, 3, "เซียน Q" } },
    { "jack jack king", "JS JH KD", { 11, 3, "เซียน J" } },
    { "jack jack queen", "JS QH JD", { 11, 3, "เซียน J" } },
    { "king queen jack", "KS QH JD", { 10, 3, "สามเหลือง" } },
    { "king queen jack of one suit takes no three deng", "KS QS JS", { 10, 3, "สามเหลือง" } },
    // Hands worth nothing.
    { "king king ten is nothing", "KS KH 10D", { 0, 0, "บอดสนิท" } },
    { "queen queen ten is nothing", "QS QH 10D", { 0, 0, "บอดสนิท" } },
    { "nothing of one suit drops its deng, not its multiplier", "4S 6S KS", { 0, 3, "บอดสนิท" } },
    // Plain points, with the deng suffixes.
    { "two-card seven", "3S 4H", { 7, 0, "7แต้ม" } },
    { "three-card seven", "3S 4H KD", { 7, 0, "7แต้ม" } },
    { "pair of sevens", "7S 7H", { 4, 2, "4แต้มสองเด้ง" } },
    { "two cards of one suit", "2H 3H", { 5, 2, "5แต้มสองเด้ง" } },
    { "three cards of one suit", "2C 3C AC", { 6, 3, "6แต้มสามเด้ง" } },
    { "one point", "AS KH QD", { 1, 0, "1แต้ม" } },
};

INSTANTIATE_TEST_SUITE_P(Hands, HandEvaluation, ::testing::ValuesIn(kHands), RowNamer());

TEST(HandEvaluationEdges, HiddenThirdCardNeverMakesThreeOfAKind)
{
    const auto value = evaluateHand(hand("6S 6H 6D"), 2, false);
    EXPECT_EQ(value.kind, 2);
    EXPECT_EQ(value.label, "2แต้มสองเด้ง");
}

} // namespace
