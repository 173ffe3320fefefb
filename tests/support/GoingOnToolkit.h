#pragma once

#include "toolkit/Toolkit.h"

#include <functional>

// Answers every message box at once, as a player who always goes on would: OK to an outcome and
// to a lost game, Yes to "play again?", Cancel to anything else (such as the offer to save a
// record), which it counts as unexpected. Counts the boxes by kind and hands each outcome box to
// onOutcome while it is open. Counts the sounds played too. Installed for the lifetime of the
// object.
class GoingOnToolkit final : public Toolkit
{
public:
    GoingOnToolkit();
    ~GoingOnToolkit() override;

    std::function<void(const QString &prompt, const QString &title)> onOutcome;

    Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                      const QString &title) override;
    void playSound(Sound) override { ++m_sounds; }
    void endProgram() override { m_ending = true; }
    bool isEnding() const override { return m_ending; }

    int outcomes() const { return m_outcomes; }
    int gamesLost() const { return m_gamesLost; }
    int unexpectedBoxes() const { return m_unexpected; }
    int sounds() const { return m_sounds; }

private:
    bool m_ending = false;
    int m_outcomes = 0;
    int m_gamesLost = 0;
    int m_unexpected = 0;
    int m_sounds = 0;
};
