#include "rules/pokdeng/Deal.h"

namespace pokdeng {

SlotCards deal(cards::RandomSource &random)
{
    SlotCards cards;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (;;) {
            cards::Card card;
            card.suit = static_cast<std::uint8_t>(cards::chooseOneOf(random.next(), 4));
            card.rank = static_cast<std::int16_t>(cards::chooseOneOf(random.next(), 13));
            bool alreadyDealt = false;
            for (int earlier = 1; earlier < slot; ++earlier)
                alreadyDealt = alreadyDealt || cards[earlier] == card;
            if (!alreadyDealt) {
                cards.set(slot, card);
                break;
            }
        }
    }
    return cards;
}

} // namespace pokdeng
