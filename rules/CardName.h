#pragma once

#include "rules/Card.h"

#include <string>

namespace cards {

// What a screen reader says for a card slot (UTF-8): "<rank> <suit>" for a face, such as
// "9 โพดำ" or "Q ข้าวหลามตัด", and "หลังไพ่" for the back. A card outside the pack reads as the back.
std::string cardName(const Card &card);
std::string cardBackName();

// The rank as the card's corner shows it: A, 2..10, J, Q, K; empty outside 1..13.
std::string rankText(int rank);

} // namespace cards
