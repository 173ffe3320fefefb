#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/Seats.h"

#include <array>
#include <cassert>

namespace pokdeng {

// The twelve cards of a round, indexed by slot 1..12 as the table numbers them.
class SlotCards
{
public:
    // The card in slot (1..12). A slot outside that range is a programming error; release
    // builds answer with an empty card instead of reading out of bounds.
    const cards::Card &operator[](int slot) const
    {
        assert(isValidSlot(slot));
        return isValidSlot(slot) ? m_cards[slot - 1] : m_none;
    }
    void set(int slot, const cards::Card &card)
    {
        assert(isValidSlot(slot));
        if (isValidSlot(slot))
            m_cards[slot - 1] = card;
    }

    // The seat's cards, first to third.
    std::array<cards::Card, 3> ofSeat(int seat) const
    {
        const auto seatSlots = slotsOfSeat(seat);
        if (!isValidSeat(seat))
            return {};
        return { (*this)[seatSlots[0]], (*this)[seatSlots[1]], (*this)[seatSlots[2]] };
    }

    friend bool operator==(const SlotCards &, const SlotCards &) = default;

private:
    std::array<cards::Card, kSlotCount> m_cards {};
    cards::Card m_none {};
};

} // namespace pokdeng
