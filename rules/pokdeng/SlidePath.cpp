#include "rules/pokdeng/SlidePath.h"

#include "rules/pokdeng/Seats.h"

#include <array>

namespace pokdeng {

namespace {

    constexpr int kDealStep = 2;
    constexpr int kThirdCardStep = 1;

    // Seats fan their cards 240 twips apart: the first seat top right, the user bottom right, the
    // last seat bottom left, the dealer top left.
    constexpr std::array<SlotPlace, kSlotCount> kPlaces = { {
        { { 4680, 240 }, kDealStep },
        { { 4560, 3600 }, kDealStep },
        { { 120, 3360 }, kDealStep },
        { { 960, 120 }, kDealStep },
        { { 4920, 240 }, kDealStep },
        { { 4800, 3600 }, kDealStep },
        { { 360, 3360 }, kDealStep },
        { { 1200, 120 }, kDealStep },
        { { 5160, 240 }, kThirdCardStep },
        { { 5040, 3600 }, kThirdCardStep },
        { { 600, 3360 }, kThirdCardStep },
        { { 1440, 120 }, kThirdCardStep },
    } };

    void appendRun(std::vector<cards::TwipsPoint> &path, cards::TwipsPoint from, int to, int step,
                   bool horizontal)
    {
        int &moving = horizontal ? from.left : from.top;
        const int direction = to >= moving ? step : -step;
        for (;;) {
            path.push_back(from);
            if (moving == to)
                break;
            // Never step past the end, even if it lay off the step grid.
            moving = (direction > 0) ? std::min(moving + direction, to)
                                     : std::max(moving + direction, to);
        }
    }

} // namespace

std::optional<SlotPlace> slotPlace(int slot)
{
    if (!isValidSlot(slot))
        return std::nullopt;
    return kPlaces[slot - 1];
}

std::vector<cards::TwipsPoint> slidePath(int slot)
{
    const auto place = slotPlace(slot);
    if (!place)
        return {};
    std::vector<cards::TwipsPoint> path;
    appendRun(path, kPackPosition, place->end.left, place->step, true);
    appendRun(path, { place->end.left, kPackPosition.top }, place->end.top, place->step, false);
    return path;
}

std::vector<cards::TwipsPoint> slideThirdCard(int seat)
{
    if (seat != kFirstSeat && seat != kLastSeat && seat != kDealerSeat)
        return {};
    return slidePath(thirdSlotOf(seat));
}

} // namespace pokdeng
