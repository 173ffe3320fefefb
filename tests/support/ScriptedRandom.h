#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/SlotCards.h"

#include <gtest/gtest.h>

#include <deque>

// A random source that gives the numbers a test scripted: the cards of a deal and the coin flips,
// in the order the table asks for them. Running dry fails the test.
class ScriptedRandom final : public cards::RandomSource
{
public:
    // The two numbers that make the deal draw this card.
    ScriptedRandom &card(const cards::Card &card)
    {
        m_numbers.push_back((card.suit - 0.5) / 4);
        m_numbers.push_back((card.rank - 0.5) / 13);
        return *this;
    }
    // Numbers that deal the twelve slots in order.
    ScriptedRandom &deal(const pokdeng::SlotCards &cards)
    {
        for (int slot = 1; slot <= pokdeng::kSlotCount; ++slot)
            card(cards[slot]);
        return *this;
    }
    // A coin flip that comes up "draw" (1) or "stand" (2).
    ScriptedRandom &coin(bool draws)
    {
        m_numbers.push_back(draws ? 0.25 : 0.75);
        return *this;
    }
    ScriptedRandom &number(double r)
    {
        m_numbers.push_back(r);
        return *this;
    }

    double next() override
    {
        if (m_numbers.empty()) {
            ADD_FAILURE() << "the scripted random numbers ran out";
            return m_fallback = m_fallback + 0.013 >= 1 ? 0 : m_fallback + 0.013;
        }
        const double r = m_numbers.front();
        m_numbers.pop_front();
        return r;
    }
    bool isUsedUp() const { return m_numbers.empty(); }

private:
    std::deque<double> m_numbers;
    double m_fallback = 0;
};
