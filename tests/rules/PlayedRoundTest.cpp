#include "rules/pokdeng/PlayedRound.h"

#include "rules/pokdeng/Round.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using namespace cards;

namespace {

Round settledRound(const char *table, bool userDraws, double stake)
{
    static ScriptedRandom noCoins;
    Round round(tableBySeat(table), stake, noCoins);
    round.playFirstSeat();
    if (userDraws)
        round.userDraws();
    else
        round.userStands();
    round.playLastSeat();
    round.playDealer();
    round.settle();
    return round;
}

} // namespace

// The history keeps the cards each side showed, never a third card that stayed in the pack.
TEST(PlayedRound, KeepsTheShownCardsTheHandsAndTheMoney)
{
    // The user stands on 5 with a suited pair of cards; the dealer's 2 draws a 6.
    const Round stood = settledRound("9S 9H KC | 2H 3H 5C | 5C 4D 2S | AD AS 6C", false, 1000);
    const PlayedRound played = playedRound(stood, 9000);
    EXPECT_EQ(played.stake, 1000);
    EXPECT_FALSE(played.user.drewThird);
    EXPECT_EQ(played.user.cardCount(), 2);
    EXPECT_EQ(played.user.cards, (std::array<Card, 3> { card("2H"), card("3H"), Card {} }));
    EXPECT_EQ(played.user.value.label, "5แต้มสองเด้ง");
    EXPECT_TRUE(played.dealer.drewThird);
    EXPECT_EQ(played.dealer.cards, (std::array<Card, 3> { card("AD"), card("AS"), card("6C") }));
    EXPECT_EQ(played.dealer.value.kind, 8);
    EXPECT_EQ(played.outcome, Settlement::Outcome::UserLoses);
    EXPECT_EQ(played.moneyChange, -1000);
    EXPECT_EQ(played.moneyAfter, 9000);
    EXPECT_EQ(played.playedAtMs, 0) << "the history stamps the time";

    const Round drew = settledRound("9S 9H KC | AC 3D 5H | 5C 4D 2S | 2H 3H 9D", true, 500.5);
    const PlayedRound won = playedRound(drew, 10500.5);
    EXPECT_TRUE(won.user.drewThird);
    EXPECT_EQ(won.user.cards[2], card("5H"));
    EXPECT_FALSE(won.dealer.drewThird);
    EXPECT_EQ(won.dealer.cards[2], Card {});
    EXPECT_EQ(won.outcome, Settlement::Outcome::UserWins);
    EXPECT_EQ(won.moneyChange, 500.5);
}
