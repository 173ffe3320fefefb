#pragma once

#include "toolkit/Toolkit.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

// A toolkit for tests: records every message box and answers from a queue, and records every
// sound played. A box that comes when the queue is empty fails the test (and is answered
// Cancel/No so the test can go on). Installed for the lifetime of the object.
class ScriptedToolkit final : public Toolkit
{
public:
    struct Box
    {
        QString prompt;
        Style style;
        QString title;
    };

    ScriptedToolkit();
    ~ScriptedToolkit() override;

    void expect(Answer answer) { m_answers.push_back(answer); }
    // Called with every box as it opens, before it is answered: a test can look at the windows
    // while the box waits.
    void onBox(std::function<void(const Box &)> look) { m_look = std::move(look); }
    const std::vector<Box> &boxes() const { return m_boxes; }
    void clearBoxes() { m_boxes.clear(); }
    bool allAnswersUsed() const { return m_answers.empty(); }
    // The sounds played, in order, whether or not the player has sounds on.
    const std::vector<Sound> &sounds() const { return m_sounds; }
    void clearSounds() { m_sounds.clear(); }

    Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                      const QString &title) override;
    void playSound(Sound sound) override { m_sounds.push_back(sound); }
    void endProgram() override { m_ending = true; }
    bool isEnding() const override { return m_ending; }
    void resetEnding() { m_ending = false; }

private:
    std::deque<Answer> m_answers;
    std::vector<Box> m_boxes;
    std::vector<Sound> m_sounds;
    bool m_ending = false;
    std::function<void(const Box &)> m_look;
};
