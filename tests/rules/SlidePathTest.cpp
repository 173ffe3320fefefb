#include "rules/pokdeng/SlidePath.h"

#include <gtest/gtest.h>

using namespace pokdeng;
using namespace cards;

namespace {

TEST(SlidePath, LShapedRunsFromThePackToEverySlotsPlace)
{
    struct Row
    {
        int slot, left, top, step;
    } rows[] = {
        { 1, 4680, 240, 2 }, { 2, 4560, 3600, 2 },  { 3, 120, 3360, 2 },  { 4, 960, 120, 2 },
        { 5, 4920, 240, 2 }, { 6, 4800, 3600, 2 },  { 7, 360, 3360, 2 },  { 8, 1200, 120, 2 },
        { 9, 5160, 240, 1 }, { 10, 5040, 3600, 1 }, { 11, 600, 3360, 1 }, { 12, 1440, 120, 1 },
    };
    for (const auto &row : rows) {
        const auto path = slidePath(row.slot);
        const int across = std::abs(row.left - 2880) / row.step + 1;
        const int down = std::abs(row.top - 1680) / row.step + 1;
        ASSERT_EQ(path.size(), size_t(across + down)) << "slot " << row.slot;
        EXPECT_EQ(path.front(), (TwipsPoint { 2880, 1680 }));
        EXPECT_EQ(path[across - 1], (TwipsPoint { row.left, 1680 })) << "slot " << row.slot;
        EXPECT_EQ(path.back(), (TwipsPoint { row.left, row.top })) << "slot " << row.slot;
        for (size_t i = 1; i < path.size(); ++i) {
            // Sideways along the pack's Top first, then up or down at the final Left.
            const bool sideways = i < size_t(across);
            const int moved = std::abs(path[i].left - path[i - 1].left)
                + std::abs(path[i].top - path[i - 1].top);
            ASSERT_EQ(moved, i == size_t(across) ? 0 : row.step)
                << "slot " << row.slot << " step " << i;
            if (sideways)
                ASSERT_EQ(path[i].top, 1680);
            else
                ASSERT_EQ(path[i].left, row.left);
        }
    }
}

TEST(SlidePath, ThirdCardsOnlyForTheComputerSeats)
{
    EXPECT_EQ(slideThirdCard(1), slidePath(9));
    EXPECT_EQ(slideThirdCard(3), slidePath(11));
    EXPECT_EQ(slideThirdCard(4), slidePath(12));
    for (int seat : { 0, 2, 5, -1 })
        EXPECT_TRUE(slideThirdCard(seat).empty()) << "seat " << seat;
    for (int slot : { 0, 13 })
        EXPECT_TRUE(slidePath(slot).empty()) << "slot " << slot;
}

} // namespace
