#include "rules/pokdeng/HandEvaluation.h"

#include "rules/CardName.h"
#include "rules/pokdeng/HandWords.h"

namespace pokdeng {

namespace {

    // The rank in a three-of-a-kind label: a letter for the ace and the court cards, otherwise one
    // blank and the number ("ตอง 5", "ตองK").
    std::string tongRankText(int rank)
    {
        if (rank == cards::kAce || rank >= cards::kJack)
            return cards::rankText(rank);
        // Appended rather than " " + to_string(): GCC 12 at -O3 warns falsely (-Wrestrict) about
        // the operator+ form, which breaks the Release build.
        std::string text(1, ' ');
        text += std::to_string(rank);
        return text;
    }

} // namespace

std::string kindName(int kind)
{
    switch (kind) {
    case kPokNine:
        return "ป๊อก 9";
    case kPokEight:
        return "ป๊อก 8";
    case kTong:
        return "ตอง";
    case kKingSian:
        return "เซียน K";
    case kQueenSian:
        return "เซียน Q";
    case kJackSian:
        return "เซียน J";
    case kThreeCourtCards:
        return "สามเหลือง";
    case kThreeCardNine:
        return "9 หลัง";
    case kThreeCardEight:
        return "8 หลัง";
    case kNothing:
        return "บอดสนิท";
    default:
        return std::to_string(kind) + kPointsWord;
    }
}

HandValue evaluateHand(const std::array<cards::Card, 3> &hand, int points, bool thirdShows)
{
    const int r1 = hand[0].rank, r2 = hand[1].rank, r3 = hand[2].rank;
    const int u1 = hand[0].suit, u2 = hand[1].suit, u3 = hand[2].suit;
    HandValue value;

    if (points == 9) {
        value.kind = thirdShows ? kThreeCardNine : kPokNine;
        value.label = thirdShows ? kindName(kThreeCardNine) : kindName(kPokNine);
    } else if (thirdShows && r1 == r2 && r2 == r3) {
        value.kind = kTong;
        value.multiplier = kindPayout(kTong);
        value.label = kindName(kTong) + tongRankText(r1);
    } else if (points == 8) {
        value.kind = thirdShows ? kThreeCardEight : kPokEight;
        value.label = thirdShows ? kindName(kThreeCardEight) : kindName(kPokEight);
    } else {
        // The court-card kinds, told apart by the rank sum. These read the third rank even when
        // it does not show; a two-card hand of court cards is worth 0 and always draws, so that
        // never decides a settled hand.
        const int sum = r1 + r2 + r3;
        const auto has = [&](int rank) { return r1 == rank || r2 == rank || r3 == rank; };
        const bool allCourt = r1 > cards::kTen && r2 > cards::kTen && r3 > cards::kTen;
        if (sum == 38 || (sum == 37 && !has(cards::kQueen))) {
            value.kind = kKingSian;
            value.label = kindName(kKingSian);
        } else if ((sum == 37 && !has(cards::kJack)) || (sum == 35 && !has(cards::kKing))) {
            value.kind = kQueenSian;
            value.label = kindName(kQueenSian);
        } else if ((sum == 34 && !has(cards::kTen)) || (sum == 35 && !has(cards::kQueen))) {
            value.kind = kJackSian;
            value.label = kindName(kJackSian);
        } else if (sum == 36 && allCourt) {
            value.kind = kThreeCourtCards;
            value.label = kindName(kThreeCourtCards);
        }
        value.multiplier = kindPayout(value.kind);
    }

    if (points >= 1 && points <= 7 && value.kind != kTong) {
        value.kind = points;
        value.label = kindName(points);
    }

    if (!thirdShows) {
        if (u1 == u2) {
            value.multiplier = 2;
            value.label += kTwoDengSuffix;
        }
        if (r1 == r2 && value.kind != kTong) {
            value.multiplier = 2;
            value.label += kTwoDengSuffix;
        }
    }

    if (thirdShows && u1 == u2 && u2 == u3 && value.kind < kThreeCourtCards) {
        value.multiplier = 3;
        value.label += kThreeDengSuffix;
    }

    // "บอดสนิท" replaces the whole label, deng suffix included; the multiplier stays but a hand
    // of kind 0 can never win.
    if (value.kind == kNothing)
        value.label = kindName(kNothing);
    return value;
}

} // namespace pokdeng
