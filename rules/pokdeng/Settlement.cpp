#include "rules/pokdeng/Settlement.h"

#include "rules/PlainDecimal.h"

namespace pokdeng {

namespace {

    // Titles and pieces of the outcome texts. The blanks around the pieces differ from row to row
    // and are kept exactly as players have always seen them.
    const std::string kWinTitle = "ชนะ";
    const std::string kLoseTitle = "แพ้";
    const std::string kTieTitle = "ชน";
    const std::string kYou = "คุณ";
    const std::string kDealer = "เจ้า";
    const std::string kBaht = "บาท";
    const std::string kWonMoney = "คุณชนะได้เงินมา";
    const std::string kLostMoney = "คุณแพ้เสียเงิน";
    const std::string kTiePoints = "แต้ม ชน";

    std::string winText(const HandValue &user, const HandValue &dealer, int multiplier,
                        const std::string &amount)
    {
        const std::string &u = user.label;
        const std::string &d = dealer.label;
        if (user.kind == kTong)
            return kYou + u + "  " + kDealer + d + " " + kWonMoney + "  " + amount + " " + kBaht;
        if (user.kind >= kThreeCourtCards && user.kind <= kKingSian)
            return kYou + u + "  " + kDealer + d + " " + kWonMoney + " " + amount + " " + kBaht;
        if (multiplier == 2)
            return kYou + u + " " + kDealer + d + " " + kWonMoney + " " + amount + kBaht;
        if (multiplier == 3)
            return kYou + u + " " + kDealer + d + " " + kWonMoney + " " + amount + " " + kBaht;
        return kYou + u + "  " + kDealer + d + " " + kWonMoney + amount + kBaht;
    }

    std::string loseText(const HandValue &user, const HandValue &dealer, const std::string &amount)
    {
        const std::string gap = dealer.kind == kTong ? "  " : " ";
        return kDealer + dealer.label + "  " + kYou + user.label + gap + kLostMoney + " " + amount
            + " " + kBaht;
    }

} // namespace

int payoutMultiplier(int kind, int handMultiplier)
{
    if (kindPayout(kind) != 0)
        return kindPayout(kind);
    if (handMultiplier == 2 || handMultiplier == 3)
        return handMultiplier;
    return 1;
}

Settlement settle(const HandValue &user, const HandValue &dealer, int userPoints, double bet,
                  const std::string &decimalPoint)
{
    Settlement result;
    if (user.kind == dealer.kind) {
        result.outcome = Settlement::Outcome::Tie;
        result.title = kTieTitle;
        result.text = std::to_string(userPoints) + kTiePoints;
        return result;
    }

    const bool userWins = user.kind > dealer.kind;
    const HandValue &winner = userWins ? user : dealer;
    result.multiplier = payoutMultiplier(winner.kind, winner.multiplier);
    const double amount = result.multiplier * bet;
    const std::string amountText = cards::plainDecimal(amount, decimalPoint);
    if (userWins) {
        result.outcome = Settlement::Outcome::UserWins;
        result.moneyChange = amount;
        result.title = kWinTitle;
        result.text = winText(user, dealer, result.multiplier, amountText);
    } else {
        result.outcome = Settlement::Outcome::UserLoses;
        result.moneyChange = -amount;
        result.title = kLoseTitle;
        result.text = loseText(user, dealer, amountText);
    }
    return result;
}

} // namespace pokdeng
