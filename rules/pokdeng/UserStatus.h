#pragma once

#include "rules/Card.h"

#include <array>
#include <string>

namespace pokdeng {

// What the user's status line says and which turn buttons it offers.
struct UserStatus
{
    enum class StandButton { Untouched, Shown, Hidden };

    std::string label; // the user's result label (UTF-8)
    int points = 0; // the user's points, the third card added when it shows
    bool drawShown = false; // "จั่วไพ่"
    StandButton stand = StandButton::Untouched;
    // A pok turns the stand button into "หงายไพ่"; nothing turns it back while the table is open.
    bool standBecomesShowCards = false;

    friend bool operator==(const UserStatus &, const UserStatus &) = default;
};

// The user's status from the user's three cards, points after the deal and whether the third card
// shows. With two cards: a pok (8 or 9) may only stand, below 4 the user must draw, 4 to 7 may
// draw (the round start offers the stand). With the third card showing its value is added to the
// points and the draw button goes.
UserStatus userStatus(const std::array<cards::Card, 3> &hand, int points, bool thirdShows);

} // namespace pokdeng
