#pragma once

#include "table/TableController.h"
#include "table/TableEvents.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace table {

// How a view reaches the table it shows, from the seat its person holds: it sends the person's
// actions and says which paced event it has shown. The table may be in the same program
// (LocalSeat) or at the other end of a connection.
class SeatLink
{
public:
    virtual ~SeatLink() = default;
    virtual void act(const Action &action) = 0;
    virtual void shown(std::uint64_t step) = 0;
};

// A seat at a table in the same program. A refused action is handed to refused, when given.
class LocalSeat final : public SeatLink
{
public:
    LocalSeat(TableController &table, int seat, std::function<void(Refusal)> refused = {})
        : m_table(table)
        , m_seat(seat)
        , m_refused(std::move(refused))
    {
    }

    void act(const Action &action) override
    {
        if (const auto refusal = m_table.act(m_seat, action); refusal && m_refused)
            m_refused(*refusal);
    }
    void shown(std::uint64_t step) override { m_table.shown(m_seat, step); }

private:
    TableController &m_table;
    int m_seat;
    std::function<void(Refusal)> m_refused;
};

} // namespace table
