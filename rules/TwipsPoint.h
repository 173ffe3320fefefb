#pragma once

namespace cards {

// Card positions in twips, the table's unit (15 to a pixel): the top-left corner of a card slot.
struct TwipsPoint
{
    int left = 0;
    int top = 0;

    friend bool operator==(const TwipsPoint &, const TwipsPoint &) = default;
};

} // namespace cards
