#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/Seats.h"
#include "table/TableController.h"
#include "table/TableView.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

// A person at a headless table: keeps every event it is told, says at once that each paced one
// is shown (unless told to stop answering), and checks as they come that nothing names another
// seat's card before the reveal. Its choices wait in due() for the test to make them.
class ScriptedPerson final : public table::TableView
{
public:
    explicit ScriptedPerson(table::TableController &table)
        : m_table(table)
    {
    }

    void sitAt(int seat) { m_seat = seat; }
    int seat() const { return m_seat; }
    void stopAnswering() { m_answers = false; }
    // Keeps its outcome boxes open: answers every paced event but those.
    void holdOutcomes() { m_holdsOutcomes = true; }

    void tell(std::uint64_t step, const table::Event &event) override
    {
        events.push_back(event);
        steps.push_back(step);
        checkNothingHidden(event);
        if (const auto *bets = std::get_if<table::BetsOpen>(&event))
            offered = bets->offered;
        if (const auto *status = std::get_if<table::StatusShown>(&event);
            status && status->yourTurn)
            turn = *status;
        if (std::holds_alternative<table::GameOver>(event))
            gameOver = true;
        if (const auto *outcome = std::get_if<table::OutcomeShown>(&event))
            outcomes.push_back(*outcome);
        const bool held = m_holdsOutcomes && std::holds_alternative<table::OutcomeShown>(event);
        if (m_answers && !held && table::isPaced(event))
            m_table.shown(m_seat, step);
    }

    // Chooses a bet among those offered, or draws or stands at the person's turn, by random;
    // false when the person has nothing to do.
    bool actIfDue(cards::RandomSource &random)
    {
        if (turn) {
            const table::StatusShown status = *turn;
            turn.reset();
            const bool draws = status.mayDraw && (!status.mayStand || random.next() < 0.5);
            EXPECT_FALSE(m_table.act(m_seat,
                                     draws ? table::Action { table::Draw {} }
                                           : table::Action { table::Stand {} }));
            return true;
        }
        if (!offered.empty() && !gameOver) {
            const auto option = offered[static_cast<std::size_t>(random.next() * offered.size())];
            offered.clear();
            EXPECT_FALSE(m_table.act(m_seat, table::ChooseBet { option }));
            return true;
        }
        return false;
    }

    std::vector<table::Event> events;
    std::vector<std::uint64_t> steps; // each event's step number
    std::vector<pokdeng::BetOption> offered;
    std::optional<table::StatusShown> turn;
    std::vector<table::OutcomeShown> outcomes;
    bool gameOver = false;

private:
    // From its first card to the reveal, a round names no card of another seat to this view.
    void checkNothingHidden(const table::Event &event)
    {
        if (const auto *card = std::get_if<table::CardOut>(&event)) {
            if (card->slot == 1)
                m_revealed = false;
            const bool own = pokdeng::seatOfSlot(card->slot) == m_seat;
            if (card->faceUp)
                EXPECT_TRUE(own) << "slot " << card->slot << " shown face up to seat " << m_seat;
            else
                EXPECT_EQ(card->card, cards::Card {}) << "a face-down card carries its face";
        } else if (std::holds_alternative<table::CardsRevealed>(event)) {
            m_revealed = true;
        } else if (std::holds_alternative<table::HandSettled>(event)
                   || std::holds_alternative<table::OutcomeShown>(event)) {
            EXPECT_TRUE(m_revealed) << "a hand settled before the reveal";
        }
    }

    table::TableController &m_table;
    int m_seat = 0;
    bool m_answers = true;
    bool m_holdsOutcomes = false;
    bool m_revealed = true;
};
