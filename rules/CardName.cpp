#include "rules/CardName.h"

#include <array>

namespace cards {

std::string rankText(int rank)
{
    switch (rank) {
    case kAce:
        return "A";
    case kJack:
        return "J";
    case kQueen:
        return "Q";
    case kKing:
        return "K";
    default:
        return isValidRank(rank) ? std::to_string(rank) : std::string();
    }
}

std::string cardBackName()
{
    return "หลังไพ่";
}

std::string cardName(const Card &card)
{
    static const std::array<const char *, 4> suitNames = { "โพดำ", "โพแดง", "ข้าวหลามตัด", "ดอกจิก" };
    if (!isValidCard(card))
        return cardBackName();
    return rankText(card.rank) + " " + suitNames[card.suit - 1];
}

} // namespace cards
