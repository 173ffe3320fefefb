#pragma once

#include <array>

namespace pokdeng {

// The four seats, in deal order. The user plays seat 2 against the dealer, seat 4; seats 1 and 3
// are computer players that are never settled.
inline constexpr int kFirstSeat = 1; // "ขา 1"
inline constexpr int kUserSeat = 2;
inline constexpr int kLastSeat = 3; // "ขาบ๊วย"
inline constexpr int kDealerSeat = 4; // "ไพ่ เจ้า มือ"

inline constexpr int kSeatCount = 4;
inline constexpr int kSlotCount = 12;

constexpr bool isValidSeat(int seat)
{
    return seat >= 1 && seat <= kSeatCount;
}
constexpr bool isValidSlot(int slot)
{
    return slot >= 1 && slot <= kSlotCount;
}

// Slots are dealt round by round: slots 1-4 are the first cards of seats 1-4, slots 5-8 their
// second cards, slots 9-12 their third cards. 0 for a slot outside 1..12.
constexpr int seatOfSlot(int slot)
{
    return isValidSlot(slot) ? (slot - 1) % 4 + 1 : 0;
}

// The seat's first, second and third slot; all 0 for a seat outside 1..4.
constexpr std::array<int, 3> slotsOfSeat(int seat)
{
    if (!isValidSeat(seat))
        return { 0, 0, 0 };
    return { seat, seat + 4, seat + 8 };
}

constexpr int thirdSlotOf(int seat)
{
    return slotsOfSeat(seat)[2];
}

} // namespace pokdeng
