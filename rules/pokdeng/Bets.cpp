#include "rules/pokdeng/Bets.h"

namespace pokdeng {

double stakeFor(BetOption option, double money)
{
    switch (option) {
    case BetOption::Thousand:
        return 1000;
    case BetOption::FiveThousand:
        return 5000;
    case BetOption::TenThousand:
        return 10000;
    case BetOption::HalfMoney:
        return money / 2;
    case BetOption::AllMoney:
        return money;
    }
    return 0;
}

bool isOfferedAfterRound(BetOption option, double money)
{
    switch (option) {
    case BetOption::Thousand:
    case BetOption::HalfMoney:
        return money >= 1000;
    case BetOption::FiveThousand:
        return money >= 5000;
    case BetOption::TenThousand:
        return money >= 10000;
    case BetOption::AllMoney:
        return true;
    }
    return false;
}

} // namespace pokdeng
