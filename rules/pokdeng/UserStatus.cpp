#include "rules/pokdeng/UserStatus.h"

#include "rules/pokdeng/HandWords.h"
#include "rules/pokdeng/Points.h"

namespace pokdeng {

namespace {
    const std::string kPokLine = "คุณป๊อก";
    const std::string kTooFewLine = "มีแต้มแค่";
    const std::string kTooFewEnd = "อยู่ไม่ได้";
    const std::string kPointsLine = "คุณได้แต้ม=";
} // namespace

UserStatus userStatus(const std::array<cards::Card, 3> &hand, int points, bool thirdShows)
{
    UserStatus status;
    status.points = points;

    const bool twoDeng = hand[0].suit == hand[1].suit || hand[0].rank == hand[1].rank;
    std::string suffix = twoDeng ? kTwoDengSuffix : std::string();
    const std::string p = std::to_string(points);
    if (points == 8 || points == 9) {
        status.label = kPokLine + p + suffix;
        status.standBecomesShowCards = true;
        status.drawShown = false;
        status.stand = UserStatus::StandButton::Shown;
    } else if (points < 4) {
        status.stand = UserStatus::StandButton::Hidden;
        status.drawShown = true;
        status.label = kTooFewLine + p + suffix + kTooFewEnd;
    } else {
        status.drawShown = true;
        status.label = kPointsLine + p + suffix;
    }

    if (thirdShows) {
        const bool threeDeng = hand[0].suit == hand[1].suit && hand[1].suit == hand[2].suit;
        suffix = threeDeng ? kThreeDengSuffix : std::string();
        status.points = pointsWithThirdCard(points, hand[2].rank);
        status.label = kPointsLine + std::to_string(status.points) + suffix;
        status.drawShown = false;
    }
    return status;
}

} // namespace pokdeng
