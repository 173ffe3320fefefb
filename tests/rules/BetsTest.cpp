#include "rules/pokdeng/Bets.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

using namespace pokdeng;

namespace {

TEST(Bets, StakesAndWhatIsOfferedAfterARound)
{
    EXPECT_EQ(stakeFor(BetOption::HalfMoney, 1001), 500.5);
    EXPECT_EQ(stakeFor(BetOption::AllMoney, 1234.5), 1234.5);
    EXPECT_EQ(stakeFor(BetOption::FiveThousand, 1234.5), 5000);

    // Money -> offered: 1,000 / 5,000 / 10,000 / half / all.
    const std::pair<double, std::array<bool, 5>> rows[] = {
        { 999, { false, false, false, false, true } },
        { 1000, { true, false, false, true, true } },
        { 4000, { true, false, false, true, true } },
        { 5000, { true, true, false, true, true } },
        { 10000, { true, true, true, true, true } },
        { -4000, { false, false, false, false, true } },
    };
    const BetOption options[]
        = { BetOption::Thousand, BetOption::FiveThousand, BetOption::TenThousand,
            BetOption::HalfMoney, BetOption::AllMoney };
    for (const auto &[money, offered] : rows)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(isOfferedAfterRound(options[i], money), offered[i])
                << money << " option " << i;
    EXPECT_TRUE(isGameOver(999.5));
    EXPECT_FALSE(isGameOver(1000));
}

} // namespace
