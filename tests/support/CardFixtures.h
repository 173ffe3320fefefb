#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/SlotCards.h"

#include <array>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// Cards written as a card player reads them: "9S", "10H", "KD", "AC" (S spades, H hearts,
// D diamonds, C clubs).
inline cards::Card card(const std::string &text)
{
    if (text.size() < 2)
        throw std::invalid_argument("bad card " + text);
    const std::string rankPart = text.substr(0, text.size() - 1);
    const char suitLetter = text.back();
    const std::string suits = "SHDC";
    const auto suit = suits.find(suitLetter);
    int rank = 0;
    if (rankPart == "A")
        rank = 1;
    else if (rankPart == "J")
        rank = 11;
    else if (rankPart == "Q")
        rank = 12;
    else if (rankPart == "K")
        rank = 13;
    else
        rank = std::stoi(rankPart);
    if (suit == std::string::npos || rank < 1 || rank > 13)
        throw std::invalid_argument("bad card " + text);
    return { static_cast<std::uint8_t>(suit + 1), static_cast<std::int16_t>(rank) };
}

inline std::vector<cards::Card> cardList(const std::string &text)
{
    std::istringstream in(text);
    std::vector<cards::Card> result;
    for (std::string word; in >> word;)
        result.push_back(card(word));
    return result;
}

// Two or three cards as a hand; a two-card hand gets a third card that never matters
// (it does not show), unless the test passes one.
inline std::array<cards::Card, 3> hand(const std::string &text)
{
    auto cards = cardList(text);
    if (cards.size() == 2)
        cards.push_back(card("2C"));
    if (cards.size() != 3)
        throw std::invalid_argument("a hand has two or three cards: " + text);
    return { cards[0], cards[1], cards[2] };
}

// Twelve cards by seat, as "first seat | user | last seat | dealer", each seat's three cards in
// order: "9S 8S 2C | ..." fills slots 1, 5, 9 for seat 1 and so on.
inline pokdeng::SlotCards tableBySeat(const std::string &text)
{
    pokdeng::SlotCards table;
    std::istringstream in(text);
    std::string seatText;
    int seat = 1;
    while (std::getline(in, seatText, '|')) {
        const auto cards = cardList(seatText);
        if (cards.size() != 3 || seat > 4)
            throw std::invalid_argument("each of four seats needs three cards: " + text);
        for (int round = 0; round < 3; ++round)
            table.set(seat + 4 * round, cards[round]);
        ++seat;
    }
    if (seat != 5)
        throw std::invalid_argument("four seats needed: " + text);
    return table;
}
