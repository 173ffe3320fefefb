#include "rules/pokdeng/UserStatus.h"
#include "rules/pokdeng/Points.h"
#include "support/CardFixtures.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using Stand = UserStatus::StandButton;

namespace {

struct StatusCase
{
    const char *cards; // two cards, or three when the user drew
    UserStatus expected;
};

TEST(UserStatus, LineAndButtons)
{
    const StatusCase cases[] = {
        { "4S 5S", { "คุณป๊อก9สองเด้ง", 9, false, Stand::Shown, true } },
        { "4S 4H", { "คุณป๊อก8สองเด้ง", 8, false, Stand::Shown, true } },
        { "KS QH", { "มีแต้มแค่0อยู่ไม่ได้", 0, true, Stand::Hidden, false } },
        { "KS KH", { "มีแต้มแค่0สองเด้งอยู่ไม่ได้", 0, true, Stand::Hidden, false } },
        { "AS 2H", { "มีแต้มแค่3อยู่ไม่ได้", 3, true, Stand::Hidden, false } },
        { "AS 3H", { "คุณได้แต้ม=4", 4, true, Stand::Untouched, false } },
        { "2S 3S", { "คุณได้แต้ม=5สองเด้ง", 5, true, Stand::Untouched, false } },
        // After a draw only the three-card line is left and the draw button goes.
        { "2S 3H 9D", { "คุณได้แต้ม=4", 4, false, Stand::Untouched, false } },
        { "2S 3S 9S", { "คุณได้แต้ม=4สามเด้ง", 4, false, Stand::Untouched, false } },
        { "2S 3S 9H", { "คุณได้แต้ม=4", 4, false, Stand::Untouched, false } },
        { "AS 2H KD", { "คุณได้แต้ม=3", 3, false, Stand::Hidden, false } },
        { "KS QS JS", { "คุณได้แต้ม=0สามเด้ง", 0, false, Stand::Hidden, false } },
    };
    for (const auto &c : cases) {
        const auto cards = cardList(c.cards);
        const bool thirdShows = cards.size() == 3;
        const auto h = hand(c.cards);
        SlotCards table;
        table.set(2, h[0]);
        table.set(6, h[1]);
        EXPECT_EQ(userStatus(h, pointsAfterDeal(table, kUserSeat), thirdShows), c.expected)
            << c.cards;
    }
}

} // namespace
