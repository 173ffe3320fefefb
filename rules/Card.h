#pragma once

#include <cstdint>

namespace cards {

// One dealt card. Suits are numbered as the picture library holds them: 1 spades, 2 hearts,
// 3 diamonds, 4 clubs. Ranks run 1 (ace) to 13 (king); 11 is the jack and 12 the queen.
// A default card (suit 0, rank 0) stands for "nothing dealt yet".
struct Card
{
    std::uint8_t suit = 0;
    std::int16_t rank = 0;

    friend bool operator==(const Card &, const Card &) = default;
};

inline constexpr int kSpades = 1;
inline constexpr int kHearts = 2;
inline constexpr int kDiamonds = 3;
inline constexpr int kClubs = 4;

inline constexpr int kAce = 1;
inline constexpr int kTen = 10;
inline constexpr int kJack = 11;
inline constexpr int kQueen = 12;
inline constexpr int kKing = 13;

constexpr bool isValidSuit(int suit)
{
    return suit >= 1 && suit <= 4;
}
constexpr bool isValidRank(int rank)
{
    return rank >= 1 && rank <= 13;
}
constexpr bool isValidCard(const Card &card)
{
    return isValidSuit(card.suit) && isValidRank(card.rank);
}

// A card's worth in points: an ace 1, two to nine their rank, the ten and the court cards 0.
// Any rank outside 1..13 is worth 0.
constexpr int cardValue(int rank)
{
    return (rank >= 1 && rank < 10) ? rank : 0;
}

} // namespace cards
