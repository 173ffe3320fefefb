#pragma once

#include "rules/pokdeng/HandEvaluation.h"

#include <string>

namespace pokdeng {

// The outcome of a round between the user and the dealer.
struct Settlement
{
    enum class Outcome { UserWins, UserLoses, Tie };

    Outcome outcome = Outcome::Tie;
    int multiplier = 0; // the winner's payout multiplier; 0 on a tie
    double moneyChange = 0; // added to the user's money
    std::string title; // of the outcome message box
    std::string text; // its prompt, every blank as the table has always written it
};

// The winner's payout multiplier from its kind and the multiplier its evaluation set: three of a
// kind 5, the court-card kinds 3, otherwise the deng multiplier 2 or 3, otherwise 1.
int payoutMultiplier(int kind, int handMultiplier);

// Settles the user's hand against the dealer's for the stake. The loser pays the winner's
// multiplier times the stake; a tie moves no money and reports the user's points.
// decimalPoint separates the fraction digits of the amount in the text.
Settlement settle(const HandValue &user, const HandValue &dealer, int userPoints, double bet,
                  const std::string &decimalPoint = ".");

} // namespace pokdeng
