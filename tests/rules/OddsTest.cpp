#include "rules/pokdeng/Odds.h"

#include "rules/RandomSource.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/Round.h"

#include "support/CardFixtures.h"
#include "support/RowName.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

// Every card of the pack but the user's two, in a fixed order.
std::vector<Card> unseenCards(const Card &first, const Card &second)
{
    std::vector<Card> cards;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank) {
            const Card c { static_cast<std::uint8_t>(suit), static_cast<std::int16_t>(rank) };
            if (!(c == first) && !(c == second))
                cards.push_back(c);
        }
    return cards;
}

std::pair<Card, Card> twoCards(const std::string &text)
{
    const auto cards = cardList(text);
    return { cards.at(0), cards.at(1) };
}

const OptionOdds &oddsOf(const TurnOdds &odds, TurnChoice choice)
{
    return choice == TurnChoice::Draw ? odds.draw : odds.stand;
}

// Every case at the user's turn: a fall of the unseen cards counts once for each side of the
// dealer's coin. Standing: the dealer's two cards of 50 and its third of 48. Drawing: the user's
// third of 50, the dealer's two of 49 and its third of 47.
constexpr std::int64_t kStandCases = 2 * (50 * 49 / 2) * 48;
constexpr std::int64_t kDrawCases = 2 * 50 * (49 * 48 / 2) * 47;

} // namespace

// A pok can only stand, and no hand the dealer makes by drawing comes near it: the dealer can
// only tie or beat it with two cards. So counting the dealer's two-card 8s and 9s among the 50
// unseen cards gives the whole answer. For "9S KS": the dealer's 9s are a 0-card (15 left: 10, J,
// Q, K less KS) with a 9 (3 left): 45, and 1+8, 2+7, 3+6, 4+5: 16 each, 64; 109 ties of 1,225
// pairs, and the other 1,116 pay the user's two deng.
struct PokCase
{
    const char *name;
    const char *hand;
    int userMultiplier; // the user's payout multiplier when the pok wins
};

void PrintTo(const PokCase &c, std::ostream *out)
{
    *out << c.hand;
}

class PokOdds : public testing::TestWithParam<PokCase>
{
};

TEST_P(PokOdds, AreTheDealersTwoCardHandsCounted)
{
    const PokCase &c = GetParam();
    const auto [first, second] = twoCards(c.hand);
    const int userPoints = (cardValue(first.rank) + cardValue(second.rank)) % 10;
    ASSERT_GE(userPoints, 8);

    // Count the dealer's two-card hands: those that beat the pok (with the deng they pay), tie it,
    // and the rest, which lose to it.
    const auto unseen = unseenCards(first, second);
    std::int64_t pairs = 0, ties = 0, losses = 0, lostStakes = 0;
    for (std::size_t i = 0; i < unseen.size(); ++i)
        for (std::size_t j = i + 1; j < unseen.size(); ++j) {
            ++pairs;
            const Card &a = unseen[i], &b = unseen[j];
            const int points = (cardValue(a.rank) + cardValue(b.rank)) % 10;
            const bool deng = a.suit == b.suit || a.rank == b.rank;
            if (points == userPoints)
                ++ties;
            else if (points > userPoints) {
                ++losses;
                lostStakes += deng ? 2 : 1;
            }
        }
    ASSERT_EQ(pairs, 1225);
    const std::int64_t wins = pairs - ties - losses;

    const TurnOdds odds = oddsAtUsersTurn(first, second, 500);
    EXPECT_FALSE(odds.draw.offered);
    ASSERT_TRUE(odds.stand.offered);
    EXPECT_EQ(odds.better, TurnChoice::Stand);
    const OptionOdds &stand = odds.stand;
    EXPECT_EQ(stand.total, kStandCases);
    // The same fractions, compared exactly: counts over the cases against counts over the pairs.
    EXPECT_EQ(stand.wins * pairs, wins * stand.total);
    EXPECT_EQ(stand.ties * pairs, ties * stand.total);
    EXPECT_EQ(stand.losses * pairs, losses * stand.total);
    EXPECT_EQ(stand.netStakes * pairs, (wins * c.userMultiplier - lostStakes) * stand.total);
    EXPECT_DOUBLE_EQ(stand.expectedMoney,
                     500.0 * static_cast<double>(wins * c.userMultiplier - lostStakes) / 1225);
}

const PokCase kPoks[] = {
    { "pok 9 two deng", "9S KS", 2 },
    { "plain pok 9", "4C 5H", 1 },
    { "plain pok 8", "8S KH", 1 },
    { "pok 8 of a pair", "4S 4H", 2 },
};

INSTANTIATE_TEST_SUITE_P(Counted, PokOdds, testing::ValuesIn(kPoks), RowNamer());

TEST(Odds, PokNineTwoDengByHand)
{
    const TurnOdds odds = oddsAtUsersTurn(card("9S"), card("KS"), 1000);
    EXPECT_DOUBLE_EQ(odds.stand.tie, 109.0 / 1225);
    EXPECT_DOUBLE_EQ(odds.stand.win, 1116.0 / 1225);
    EXPECT_EQ(odds.stand.losses, 0);
    EXPECT_DOUBLE_EQ(odds.stand.expectedMoney, 2000.0 * 1116 / 1225);
}

// The count values a hand that stands on two cards without its third card; the rulebook reads
// the third rank for the court-card kinds even when it does not show. This holds from 1 to 9
// points (a hand of 0 never stands), and the count needs it.
TEST(Odds, HiddenThirdCardNeverChangesAStandingHand)
{
    for (int s1 = 1; s1 <= 4; ++s1)
        for (int r1 = 1; r1 <= 13; ++r1)
            for (int s2 = 1; s2 <= 4; ++s2)
                for (int r2 = 1; r2 <= 13; ++r2) {
                    const Card a { static_cast<std::uint8_t>(s1), static_cast<std::int16_t>(r1) };
                    const Card b { static_cast<std::uint8_t>(s2), static_cast<std::int16_t>(r2) };
                    const int points = (cardValue(r1) + cardValue(r2)) % 10;
                    if (a == b || points == 0)
                        continue;
                    const HandValue first = evaluateHand({ a, b, card("2C") }, points, false);
                    for (const Card &third : unseenCards(a, b))
                        ASSERT_EQ(evaluateHand({ a, b, third }, points, false), first)
                            << r1 << "/" << s1 << " " << r2 << "/" << s2;
                }
}

// Standing, every fall of the dealer's three cards is played through the real round once for
// each side of the coin: the counts must be the function's exactly.
TEST(Odds, StandingCountsEveryRoundTheTablePlays)
{
    for (const char *text : { "3S AH", "2D 4D" }) {
        SCOPED_TRACE(text);
        const auto [first, second] = twoCards(text);
        const auto unseen = unseenCards(first, second);
        const double stake = 1000;
        std::int64_t wins = 0, ties = 0, losses = 0;
        double money = 0;
        for (double coin : { 0.25, 0.75 }) {
            struct Coin final : RandomSource
            {
                double side;
                double next() override { return side; }
            } random;
            random.side = coin;
            for (std::size_t i = 0; i < unseen.size(); ++i)
                for (std::size_t j = i + 1; j < unseen.size(); ++j)
                    for (std::size_t k = 0; k < unseen.size(); ++k) {
                        if (k == i || k == j)
                            continue;
                        // The other five slots from the rest of the cards; they do not matter.
                        std::vector<Card> rest;
                        for (std::size_t m = 0; m < unseen.size() && rest.size() < 5; ++m)
                            if (m != i && m != j && m != k)
                                rest.push_back(unseen[m]);
                        SlotCards cards;
                        cards.set(1, rest[0]);
                        cards.set(5, rest[1]);
                        cards.set(9, rest[2]);
                        cards.set(3, rest[3]);
                        cards.set(7, rest[4]);
                        cards.set(11, rest[0]);
                        cards.set(2, first);
                        cards.set(6, second);
                        cards.set(10, rest[1]);
                        cards.set(4, unseen[i]);
                        cards.set(8, unseen[j]);
                        cards.set(12, unseen[k]);
                        Round round(cards, stake, random);
                        round.playFirstSeat();
                        round.userStands();
                        round.playLastSeat();
                        round.playDealer();
                        const Settlement &outcome = round.settle();
                        money += outcome.moneyChange;
                        wins += outcome.outcome == Settlement::Outcome::UserWins;
                        ties += outcome.outcome == Settlement::Outcome::Tie;
                        losses += outcome.outcome == Settlement::Outcome::UserLoses;
                    }
        }
        const OptionOdds stand = oddsAtUsersTurn(first, second, stake).stand;
        EXPECT_EQ(stand.wins, wins);
        EXPECT_EQ(stand.ties, ties);
        EXPECT_EQ(stand.losses, losses);
        EXPECT_DOUBLE_EQ(stand.expectedMoney, money / static_cast<double>(kStandCases));
    }
}

// The choices on offer are those of the user's status at the table, for every number of points
// and with and without deng; every offered choice covers all its cases, and the better choice
// is an offered one with the higher expected money.
TEST(Odds, OffersTheChoicesOfTheUsersStatus)
{
    const char *hands[] = { "KS QH", "KS KH", "AS KH", "AS KS", "2S KH", "2S 2H", "3S KH",
                            "3S KS", "4S KH", "2S 2C", "5S KH", "5S KS", "6S KH", "6S KS",
                            "7S KH", "7S KS", "8S KH", "8S KS", "9S KH", "9S KS" };
    for (const char *text : hands) {
        SCOPED_TRACE(text);
        const auto [first, second] = twoCards(text);
        ScriptedRandom coins;
        SlotCards cards = tableBySeat("KC KD KH | 2C 2D 2H | KC KD KH | 3C 3D 3H");
        cards.set(2, first);
        cards.set(6, second);
        Round round(cards, 500, coins);
        round.playFirstSeat();
        ASSERT_EQ(round.step(), Round::Step::UserTurn);

        const TurnOdds odds = oddsAtUsersTurn(first, second, 500);
        EXPECT_EQ(odds.draw.offered, round.mayDraw());
        EXPECT_EQ(odds.stand.offered, round.mayStand());
        for (TurnChoice choice : { TurnChoice::Draw, TurnChoice::Stand }) {
            const OptionOdds &o = oddsOf(odds, choice);
            if (!o.offered)
                continue;
            EXPECT_EQ(o.wins + o.ties + o.losses, o.total);
            EXPECT_EQ(o.total, choice == TurnChoice::Draw ? kDrawCases : kStandCases);
            EXPECT_NEAR(o.win + o.tie + o.loss, 1.0, 1e-12);
        }
        const OptionOdds &better = oddsOf(odds, odds.better);
        const OptionOdds &other
            = oddsOf(odds, odds.better == TurnChoice::Draw ? TurnChoice::Stand : TurnChoice::Draw);
        ASSERT_TRUE(better.offered);
        if (other.offered) {
            EXPECT_GE(better.expectedMoney, other.expectedMoney);
        }
    }
    // Both ways round: an unsuited 4 is better drawn, a 7 better kept.
    EXPECT_EQ(oddsAtUsersTurn(card("3S"), card("AH"), 500).better, TurnChoice::Draw);
    EXPECT_EQ(oddsAtUsersTurn(card("3C"), card("4H"), 500).better, TurnChoice::Stand);
}

TEST(Odds, MoneyScalesWithTheStakeAndChancesDoNot)
{
    const TurnOdds small = oddsAtUsersTurn(card("2D"), card("3D"), 500);
    const TurnOdds large = oddsAtUsersTurn(card("3D"), card("2D"), 10000);
    EXPECT_EQ(small.draw.wins, large.draw.wins);
    EXPECT_EQ(small.stand.netStakes, large.stand.netStakes);
    EXPECT_DOUBLE_EQ(large.draw.expectedMoney, 20 * small.draw.expectedMoney);
    EXPECT_DOUBLE_EQ(large.stand.expectedMoney, 20 * small.stand.expectedMoney);
}

namespace {

// Checks realised outcomes against the exact figures: each frequency within 4 standard errors of
// its chance, and the mean money change within 4 standard errors of the expected change.
struct Tally
{
    std::int64_t rounds = 0, wins = 0, ties = 0, losses = 0;
    double money = 0, moneySquares = 0;

    void add(const Settlement &outcome)
    {
        ++rounds;
        wins += outcome.outcome == Settlement::Outcome::UserWins;
        ties += outcome.outcome == Settlement::Outcome::Tie;
        losses += outcome.outcome == Settlement::Outcome::UserLoses;
        money += outcome.moneyChange;
        moneySquares += outcome.moneyChange * outcome.moneyChange;
    }
};

void expectFrequency(const char *what, std::int64_t count, std::int64_t rounds, double chance)
{
    const double n = static_cast<double>(rounds);
    const double frequency = static_cast<double>(count) / n;
    const double error = std::sqrt(chance * (1 - chance) / n);
    EXPECT_LE(std::abs(frequency - chance), 4 * error + 1e-12)
        << what << ": " << frequency << " over " << rounds << " rounds, exact " << chance;
}

void expectMean(const char *what, double sum, double squares, std::int64_t rounds, double expected)
{
    const double n = static_cast<double>(rounds);
    const double mean = sum / n;
    const double deviation = std::sqrt(std::max(0.0, squares / n - mean * mean));
    EXPECT_LE(std::abs(mean - expected), 4 * deviation / std::sqrt(n) + 1e-9)
        << what << ": " << mean << " over " << rounds << " rounds, exact " << expected;
}

// A Fisher-Yates shuffle from the game's own uniform numbers.
void shuffle(std::vector<Card> &cards, RandomSource &random)
{
    for (int i = static_cast<int>(cards.size()) - 1; i > 0; --i)
        std::swap(cards[i], cards[chooseOneOf(random.next(), i + 1) - 1]);
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build runs unoptimised and about thirty times slower: the rounds are fewer there
// (the figures still hold to 4 standard errors, of a wider spread), and the soak, whose cost is
// the odds of each new hand, is short. The ordinary build plays the full counts.
constexpr int kMonteCarloRounds = 50'000;
constexpr int kSoakRounds = 500;
#else
constexpr int kMonteCarloRounds = 200'000;
constexpr int kSoakRounds = 200'000;
#endif

struct MonteCarloCase
{
    const char *name;
    const char *hand;
    TurnChoice choice;
};

void PrintTo(const MonteCarloCase &c, std::ostream *out)
{
    *out << c.hand << (c.choice == TurnChoice::Draw ? " draws" : " stands");
}

class OddsMonteCarlo : public testing::TestWithParam<MonteCarloCase>
{
};

} // namespace

// The user's two cards stay; the other ten slots come from a seeded shuffle of the 50 others, the
// seats' coins from a seeded source, and the real round plays the choice to its settlement.
TEST_P(OddsMonteCarlo, AgreesWithRoundsPlayed)
{
    const MonteCarloCase &c = GetParam();
    const auto [first, second] = twoCards(c.hand);
    const double stake = 500;
    const OptionOdds exact = oddsOf(oddsAtUsersTurn(first, second, stake), c.choice);
    ASSERT_TRUE(exact.offered);

    SeededRandom shuffles(20240514);
    SeededRandom coins(7);
    std::vector<Card> unseen = unseenCards(first, second);
    Tally tally;
    for (int i = 0; i < kMonteCarloRounds; ++i) {
        shuffle(unseen, shuffles);
        SlotCards cards;
        int next = 0;
        for (int slot = 1; slot <= kSlotCount; ++slot)
            cards.set(slot, slot == 2 ? first : slot == 6 ? second : unseen[next++]);
        Round round(cards, stake, coins);
        round.playFirstSeat();
        if (c.choice == TurnChoice::Draw)
            round.userDraws();
        else
            round.userStands();
        round.playLastSeat();
        round.playDealer();
        tally.add(round.settle());
    }
    expectFrequency("wins", tally.wins, tally.rounds, exact.win);
    expectFrequency("ties", tally.ties, tally.rounds, exact.tie);
    expectFrequency("losses", tally.losses, tally.rounds, exact.loss);
    expectMean("money", tally.money, tally.moneySquares, tally.rounds, exact.expectedMoney);
}

const MonteCarloCase kMonteCarloHands[] = {
    { "0 points draws", "KS QH", TurnChoice::Draw },
    { "3 points draws", "AS 2H", TurnChoice::Draw },
    { "unsuited 4 draws", "3S AH", TurnChoice::Draw },
    { "suited 5 draws", "2D 3D", TurnChoice::Draw },
    { "suited 5 stands", "2D 3D", TurnChoice::Stand },
    { "7 stands", "3C 4H", TurnChoice::Stand },
    { "pok shows", "9S KS", TurnChoice::Stand },
};

INSTANTIATE_TEST_SUITE_P(Seeded, OddsMonteCarlo, testing::ValuesIn(kMonteCarloHands), RowNamer());

// Random deals and a player who picks among the offered choices at random: the exact figures of
// the choice taken, averaged over the rounds, match what the rounds paid.
TEST(Odds, AdvisorFiguresMatchALongSoak)
{
    SeededRandom table(99);
    SeededRandom player(5);
    const double stake = 1000;
    std::map<std::pair<int, int>, TurnOdds> known; // by the user's two cards
    const auto key = [](const Card &c) { return c.suit * 16 + c.rank; };

    Tally tally;
    double differences = 0, differenceSquares = 0, winChances = 0;
    const int rounds = kSoakRounds;
    for (int i = 0; i < rounds; ++i) {
        Round round(stake, table);
        round.playFirstSeat();
        const auto hand = round.cards().ofSeat(kUserSeat);
        const auto found = known.try_emplace({ key(hand[0]), key(hand[1]) });
        if (found.second)
            found.first->second = oddsAtUsersTurn(hand[0], hand[1], stake);
        const TurnOdds &odds = found.first->second;

        ASSERT_EQ(odds.draw.offered, round.mayDraw());
        ASSERT_EQ(odds.stand.offered, round.mayStand());
        const bool draws = odds.draw.offered && (!odds.stand.offered || player.next() < 0.5);
        if (draws)
            round.userDraws();
        else
            round.userStands();
        round.playLastSeat();
        round.playDealer();
        const Settlement &outcome = round.settle();
        tally.add(outcome);

        const OptionOdds &taken = draws ? odds.draw : odds.stand;
        winChances += taken.win;
        const double difference = outcome.moneyChange - taken.expectedMoney;
        differences += difference;
        differenceSquares += difference * difference;
    }
    // The mean of realised minus expected change is 0 within its standard error.
    expectMean("realised less expected money", differences, differenceSquares, rounds, 0.0);
    // The wins against the mean chance: rounds of different chances spread less than rounds of
    // the mean chance, so its error is the larger one.
    expectFrequency("wins", tally.wins, rounds, winChances / rounds);
}
