#pragma once

#include "toolkit/GameKind.h"

#include <functional>

class GameWindow;
class QWidget;

// Leaving a table shared with friends from its window. Whatever would take the window away (its
// close box or key, เริ่มใหม่, another game, ออกจากเกม) first asks the person, in a box whose
// default answer keeps them at the table: a key pressed by habit must not end the others'
// evening. Yes leaves the table for real: leave() is called (once), so that the others stop
// waiting for the seat. No leaves the window as it was. Once the table has ended for this game
// (ended()), the window goes without a question.
class TableLeaving
{
public:
    // Hosting: leaving closes the table for everyone at it. Joined: it gives the seat back.
    enum class Role { Hosting, Joined };

    TableLeaving(Role role, std::function<void()> leave);

    // Becomes the departure check of window, the table's window, which must outlive it.
    void watch(GameWindow &window);
    // The table is gone for this game: nothing to leave, nothing to ask.
    void ended() { m_ended = true; }
    // Whether the person chose to leave (and leave() was called).
    bool hasLeft() const { return m_left; }

    // Once the window has closed and the table has gone: when the person left for a fresh game
    // of their own (เริ่มใหม่), says so in a box over parent. next: the window the table's window
    // asked for.
    void sayWhatWasDone(QWidget *parent, GameKind next) const;

private:
    bool mayGo(QWidget *window, GameKind next);

    Role m_role;
    std::function<void()> m_leave;
    bool m_ended = false;
    bool m_left = false;
};
