#include "rules/PlainDecimal.h"
#include "rules/Bets.h"
#include "rules/CardName.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pokdeng;

namespace {

TEST(PlainDecimal, WholeFractionsAndSigns)
{
    const std::pair<double, const char *> cases[] = {
        { 10000, "10000" },
        { 500.5, "500.5" },
        { 0.25, "0.25" },
        { -4000, "-4000" },
        { 0, "0" },
        { -0.0, "0" },
        { 750.125, "750.125" },
        { -0.5, "-0.5" },
        { 1e14, "100000000000000" },
        { 123456789012.345, "123456789012.345" },
        { 0.1 + 0.2, "0.3" },
        { std::nan(""), "0" },
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(plainDecimal(value), text) << value;
}

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

TEST(CardName, WhatAScreenReaderSays)
{
    EXPECT_EQ(cardName({ 1, 9 }), "9 โพดำ");
    EXPECT_EQ(cardName({ 3, 12 }), "Q ข้าวหลามตัด");
    EXPECT_EQ(cardName({ 2, 1 }), "A โพแดง");
    EXPECT_EQ(cardName({ 4, 10 }), "10 ดอกจิก");
    EXPECT_EQ(cardName({ 0, 0 }), "หลังไพ่");
    EXPECT_EQ(cardName({ 5, 3 }), "หลังไพ่");
}

} // namespace
