#pragma once

#include <cstdint>
#include <random>

namespace cards {

// Uniform numbers 0 <= r < 1 for the deal and the coin flips. The game uses SeededRandom; tests
// hand the rules a scripted source to deal known cards.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// A 64-bit Mersenne Twister seeded once. Seeding once and keeping the running state means a
// retried draw of the deal always gets a fresh number, even when the clock has not moved on.
// The uniform number is made from the generator's own bits, so a seed deals the same cards with
// every compiler.
class SeededRandom final : public RandomSource
{
public:
    // Seeded from std::random_device mixed with the clock.
    SeededRandom();
    explicit SeededRandom(std::uint64_t seed)
        : m_engine(seed)
    {
    }

    double next() override;

private:
    std::mt19937_64 m_engine;
};

// The source the game deals from: one SeededRandom for the whole run. Tests hand the table a
// source of their own instead.
RandomSource &gameRandom();

// Int(r x n) + 1: one of 1..n, each equally likely. A number outside [0, 1) is clamped, so a
// faulty source can never give a value outside the range.
int chooseOneOf(double r, int n);

// The coin flip: Int(r + r) + 1, 1 or 2 with an even chance. A seat that flips draws on 1.
int flipCoin(RandomSource &random);

} // namespace cards
