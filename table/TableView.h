#pragma once

#include "table/TableEvents.h"

#include <cstdint>

namespace table {

// A view of a table from one seat: the table window, or a connection to a person's game.
//
// The table calls tell() with each event the view may know, in order. For a paced event
// (isPaced()) the view calls TableController::shown() with the same step once it has shown it
// (the slide ran, the box was closed); it may do so inside tell() or later. tell() may run a
// nested event loop; the table does not call it again meanwhile.
class TableView
{
public:
    virtual ~TableView() = default;
    virtual void tell(std::uint64_t step, const Event &event) = 0;
};

} // namespace table
