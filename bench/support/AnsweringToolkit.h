#pragma once

#include "toolkit/Toolkit.h"

// Answers every message box at once, as a player who always goes on would: OK, and Yes to "play
// again?". Counts the boxes by style. Installed for the lifetime of the object.
class AnsweringToolkit final : public Toolkit
{
public:
    AnsweringToolkit();
    ~AnsweringToolkit() override;

    Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                      const QString &title) override;
    void endProgram() override { m_ending = true; }
    bool isEnding() const override { return m_ending; }

    int outcomes() const { return m_outcomes; }
    int gamesLost() const { return m_gamesLost; }

private:
    bool m_ending = false;
    int m_outcomes = 0;
    int m_gamesLost = 0;
};
