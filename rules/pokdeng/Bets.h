#pragma once

#include <array>

namespace pokdeng {

// The bet options, top to bottom as the table lists them.
enum class BetOption { Thousand, FiveThousand, TenThousand, HalfMoney, AllMoney };
inline constexpr std::array<BetOption, 5> kBetOptions = {
    BetOption::Thousand,  BetOption::FiveThousand, BetOption::TenThousand,
    BetOption::HalfMoney, BetOption::AllMoney,
};

inline constexpr double kStartingMoney = 10000;
// Below this the game is over.
inline constexpr double kMinimumMoney = 1000;

// The stake an option sets: half the money (not rounded) or all of it, or a fixed amount.
double stakeFor(BetOption option, double money);

// Whether the option is offered once a round is over. "หมดหน้าตัก" always is; the game ends
// before a money below 1000 could stake it.
bool isOfferedAfterRound(BetOption option, double money);

constexpr bool isGameOver(double money)
{
    return money < kMinimumMoney;
}

// A record can be saved only with money strictly above the one on record.
constexpr bool beatsRecord(double money, double recordMoney)
{
    return money > recordMoney;
}

} // namespace pokdeng
