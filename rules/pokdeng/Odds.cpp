#include "rules/pokdeng/Odds.h"

#include "rules/RandomSource.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/SeatDecisions.h"
#include "rules/pokdeng/Settlement.h"
#include "rules/pokdeng/SlotCards.h"
#include "rules/pokdeng/UserStatus.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pokdeng {

namespace {

    // How the count works. A hand's value depends on its cards' ranks and on whether its cards
    // share a suit, nothing more, so the rulebook values every pattern once (the tables below) and
    // the count runs over ranks: for each pair of ranks the dealer can hold, how many of the
    // unseen pairs have them (suited and not), and for each rank of its third card how many
    // unseen cards make three of a suit and how many do not. A hand that stands on its two cards
    // is valued without its third card: from 1 to 9 points no third card can change a two-card
    // hand's value, and a hand of 0 always draws.

    constexpr int kRankCount = 13;
    constexpr int kSuitCount = 4;

    cards::Card makeCard(int suit, int rank)
    {
        return { static_cast<std::uint8_t>(suit), static_cast<std::int16_t>(rank) };
    }

    // A coin that always falls the same way, to learn on which sides the dealer draws.
    class FixedCoin final : public cards::RandomSource
    {
    public:
        explicit FixedCoin(double r)
            : m_r(r)
        {
        }
        double next() override { return m_r; }

    private:
        double m_r;
    };

    // The settlement reads a hand's kind and multiplier only; hands equal in both are one class.
    class HandClasses
    {
    public:
        std::uint8_t classOf(const HandValue &value)
        {
            const int key = value.kind * kMultiplierSlots + value.multiplier;
            if (m_index[key] < 0) {
                m_index[key] = static_cast<int>(m_values.size());
                m_values.push_back(value);
            }
            return static_cast<std::uint8_t>(m_index[key]);
        }
        const std::vector<HandValue> &values() const { return m_values; }

    private:
        static constexpr int kMultiplierSlots = 8; // multipliers run 0..5
        std::array<int, (kPokNine + 1) *kMultiplierSlots> m_index = filledWithMinusOne();
        std::vector<HandValue> m_values;

        static std::array<int, (kPokNine + 1) * kMultiplierSlots> filledWithMinusOne()
        {
            std::array<int, (kPokNine + 1) * kMultiplierSlots> index {};
            index.fill(-1);
            return index;
        }
    };

    struct Tables
    {
        HandClasses classes;
        // The points of two cards of ranks a and b, by rank 1..13.
        std::array<std::array<int, kRankCount + 1>, kRankCount + 1> pairPoints {};
        // The class of a hand standing on ranks a and b, [suited]: one suit or two.
        std::array<std::array<std::array<std::uint8_t, 2>, kRankCount + 1>, kRankCount + 1>
            standing {};
        // The class of a hand of ranks a, b and a third card c that shows, [all of one suit].
        std::array<
            std::array<std::array<std::array<std::uint8_t, 2>, kRankCount + 1>, kRankCount + 1>,
            kRankCount + 1>
            drawn {};
        // On how many of the coin's two sides the dealer draws, by its points and [user drew]:
        // 2 always, 0 never, 1 when it flips.
        std::array<std::array<int, 2>, 10> dealerDrawSides {};
    };

    int pointsOfTwo(const cards::Card &first, const cards::Card &second)
    {
        SlotCards cards;
        const auto slots = slotsOfSeat(kDealerSeat);
        cards.set(slots[0], first);
        cards.set(slots[1], second);
        return pointsAfterDeal(cards, kDealerSeat);
    }

    Tables buildTables()
    {
        Tables t;
        for (int a = 1; a <= kRankCount; ++a) {
            for (int b = 1; b <= kRankCount; ++b) {
                const int points
                    = pointsOfTwo(makeCard(cards::kSpades, a), makeCard(cards::kHearts, b));
                t.pairPoints[a][b] = points;
                for (int suited = 0; suited < 2; ++suited) {
                    // The third card is a placeholder: it does not show.
                    const std::array<cards::Card, 3> hand {
                        makeCard(cards::kSpades, a),
                        makeCard(suited ? cards::kSpades : cards::kHearts, b),
                        makeCard(cards::kDiamonds, cards::kTen)
                    };
                    t.standing[a][b][suited] = t.classes.classOf(evaluateHand(hand, points, false));
                }
                for (int c = 1; c <= kRankCount; ++c) {
                    const int drawnPoints = pointsWithThirdCard(points, c);
                    for (int allSuited = 0; allSuited < 2; ++allSuited) {
                        const std::array<cards::Card, 3> hand {
                            makeCard(cards::kSpades, a),
                            makeCard(allSuited ? cards::kSpades : cards::kHearts, b),
                            makeCard(allSuited ? cards::kSpades : cards::kDiamonds, c)
                        };
                        t.drawn[a][b][c][allSuited]
                            = t.classes.classOf(evaluateHand(hand, drawnPoints, true));
                    }
                }
            }
        }
        for (int points = 0; points <= 9; ++points) {
            for (int userDrew = 0; userDrew < 2; ++userDrew) {
                int sides = 0;
                for (double coin : { 0.25, 0.75 }) { // the coin's two sides, 1 and 2
                    FixedCoin fixed(coin);
                    sides += dealerDraws(points, userDrew != 0, fixed) ? 1 : 0;
                }
                t.dealerDrawSides[points][userDrew] = sides;
            }
        }
        return t;
    }

    const Tables &tables()
    {
        static const Tables t = buildTables();
        return t;
    }

    // The unseen cards: [rank][suit - 1] is 1 when the card is unseen.
    using Deck = std::array<std::array<int, kSuitCount>, kRankCount + 1>;

    // Adds to counts[dealer's class] every case of the dealer's hand from deck: its two cards,
    // its third card and the side of its coin, against a user who drew or stood.
    void countDealerHands(const Tables &t, const Deck &deck, bool userDrew,
                          std::vector<std::int64_t> &counts)
    {
        std::array<std::int64_t, kRankCount + 1> ofRank {};
        std::int64_t cardCount = 0;
        for (int r = 1; r <= kRankCount; ++r) {
            for (int s = 0; s < kSuitCount; ++s)
                ofRank[r] += deck[r][s];
            cardCount += ofRank[r];
        }
        const std::int64_t thirdCards = cardCount - 2;

        for (int a = 1; a <= kRankCount; ++a) {
            for (int b = a; b <= kRankCount; ++b) {
                // Unsuited pairs of ranks a and b, and suited ones by their suit.
                std::array<std::int64_t, kSuitCount> suitedOf {};
                std::int64_t suited = 0;
                std::int64_t unsuited = 0;
                if (a == b) {
                    unsuited = ofRank[a] * (ofRank[a] - 1) / 2;
                } else {
                    for (int s = 0; s < kSuitCount; ++s) {
                        suitedOf[s] = deck[a][s] * deck[b][s];
                        suited += suitedOf[s];
                    }
                    unsuited = ofRank[a] * ofRank[b] - suited;
                }
                if (suited + unsuited == 0)
                    continue;

                const int drawSides = t.dealerDrawSides[t.pairPoints[a][b]][userDrew ? 1 : 0];
                const int standSides = 2 - drawSides;
                if (standSides > 0) {
                    counts[t.standing[a][b][0]] += unsuited * thirdCards * standSides;
                    counts[t.standing[a][b][1]] += suited * thirdCards * standSides;
                }
                if (drawSides == 0)
                    continue;
                for (int c = 1; c <= kRankCount; ++c) {
                    const std::int64_t left = ofRank[c] - (c == a) - (c == b);
                    if (left <= 0)
                        continue;
                    // A suited pair makes three of a suit with the unseen card of rank c in its
                    // suit; the pair's own cards are not among those left.
                    std::int64_t sameSuit = 0;
                    std::int64_t mixed = unsuited * left;
                    for (int s = 0; s < kSuitCount; ++s) {
                        if (suitedOf[s] == 0)
                            continue;
                        const std::int64_t inSuit = deck[c][s] - (c == a) - (c == b);
                        sameSuit += inSuit;
                        mixed += left - inSuit;
                    }
                    counts[t.drawn[a][b][c][0]] += mixed * drawSides;
                    counts[t.drawn[a][b][c][1]] += sameSuit * drawSides;
                }
            }
        }
    }

    // Settles every pair of classes that has cases: counts[user class * classes + dealer class].
    OptionOdds settleCounts(const Tables &t, const std::vector<std::int64_t> &counts, double stake)
    {
        OptionOdds odds;
        odds.offered = true;
        const auto &values = t.classes.values();
        const std::size_t classCount = values.size();
        double money = 0;
        for (std::size_t user = 0; user < classCount; ++user) {
            for (std::size_t dealer = 0; dealer < classCount; ++dealer) {
                const std::int64_t cases = counts[user * classCount + dealer];
                if (cases == 0)
                    continue;
                const Settlement outcome = settle(values[user], values[dealer], 0, stake);
                money += static_cast<double>(cases) * outcome.moneyChange;
                switch (outcome.outcome) {
                case Settlement::Outcome::UserWins:
                    odds.wins += cases;
                    odds.netStakes += cases * outcome.multiplier;
                    break;
                case Settlement::Outcome::UserLoses:
                    odds.losses += cases;
                    odds.netStakes -= cases * outcome.multiplier;
                    break;
                case Settlement::Outcome::Tie:
                    odds.ties += cases;
                    break;
                }
            }
        }
        odds.total = odds.wins + odds.ties + odds.losses;
        if (odds.total > 0) {
            const double total = static_cast<double>(odds.total);
            odds.win = static_cast<double>(odds.wins) / total;
            odds.tie = static_cast<double>(odds.ties) / total;
            odds.loss = static_cast<double>(odds.losses) / total;
            odds.expectedMoney = money / total;
        }
        return odds;
    }

    Deck unseenCards(const cards::Card &first, const cards::Card &second)
    {
        Deck deck {};
        for (int r = 1; r <= kRankCount; ++r)
            deck[r].fill(1);
        for (const cards::Card &card : { first, second })
            if (cards::isValidCard(card))
                deck[card.rank][card.suit - 1] = 0;
        return deck;
    }

    OptionOdds standOdds(const Tables &t, const cards::Card &first, const cards::Card &second,
                         double stake)
    {
        const std::size_t classCount = t.classes.values().size();
        std::vector<std::int64_t> dealerCounts(classCount);
        countDealerHands(t, unseenCards(first, second), false, dealerCounts);
        const std::uint8_t user = t.standing[first.rank][second.rank][first.suit == second.suit];
        std::vector<std::int64_t> counts(classCount * classCount);
        for (std::size_t dealer = 0; dealer < classCount; ++dealer)
            counts[user * classCount + dealer] = dealerCounts[dealer];
        return settleCounts(t, counts, stake);
    }

    OptionOdds drawOdds(const Tables &t, const cards::Card &first, const cards::Card &second,
                        double stake)
    {
        const std::size_t classCount = t.classes.values().size();
        std::vector<std::int64_t> counts(classCount * classCount);
        std::vector<std::int64_t> dealerCounts(classCount);
        Deck deck = unseenCards(first, second);
        for (int rank = 1; rank <= kRankCount; ++rank) {
            for (int suit = 1; suit <= kSuitCount; ++suit) {
                if (deck[rank][suit - 1] == 0)
                    continue;
                // The user's third card is this one; the dealer's cards come from the rest.
                deck[rank][suit - 1] = 0;
                std::fill(dealerCounts.begin(), dealerCounts.end(), 0);
                countDealerHands(t, deck, true, dealerCounts);
                deck[rank][suit - 1] = 1;
                const bool allSuited = first.suit == second.suit && second.suit == suit;
                const std::uint8_t user = t.drawn[first.rank][second.rank][rank][allSuited];
                for (std::size_t dealer = 0; dealer < classCount; ++dealer)
                    counts[user * classCount + dealer] += dealerCounts[dealer];
            }
        }
        return settleCounts(t, counts, stake);
    }

} // namespace

TurnOdds oddsAtUsersTurn(const cards::Card &first, const cards::Card &second, double stake)
{
    TurnOdds odds;
    if (!cards::isValidCard(first) || !cards::isValidCard(second) || first == second)
        return odds;
    const Tables &t = tables();
    const int points = pointsOfTwo(first, second);
    const UserStatus status = userStatus({ first, second, cards::Card {} }, points, false);
    if (status.drawShown)
        odds.draw = drawOdds(t, first, second, stake);
    if (status.stand != UserStatus::StandButton::Hidden)
        odds.stand = standOdds(t, first, second, stake);

    if (!odds.stand.offered)
        odds.better = TurnChoice::Draw;
    else if (odds.draw.offered
             && odds.draw.netStakes * odds.stand.total > odds.stand.netStakes * odds.draw.total)
        odds.better = TurnChoice::Draw;
    else
        odds.better = TurnChoice::Stand;
    return odds;
}

} // namespace pokdeng
