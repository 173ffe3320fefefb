#include "rules/RandomSource.h"

#include <chrono>
#include <cmath>

namespace cards {

SeededRandom::SeededRandom()
{
    std::random_device device;
    const auto clock = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seeds { device(), device(), static_cast<unsigned>(clock),
                          static_cast<unsigned>(clock >> 32) };
    m_engine.seed(seeds);
}

double SeededRandom::next()
{
    // The top 53 bits make a double in [0, 1) with every value equally likely.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

RandomSource &gameRandom()
{
    static SeededRandom random;
    return random;
}

int chooseOneOf(double r, int n)
{
    if (n < 1)
        return 1;
    if (!(r >= 0)) // also catches NaN
        return 1;
    const double scaled = std::floor(r * n);
    if (scaled >= n)
        return n;
    return static_cast<int>(scaled) + 1;
}

int flipCoin(RandomSource &random)
{
    return chooseOneOf(random.next(), 2);
}

} // namespace cards
