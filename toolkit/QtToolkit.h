#pragma once

#include "toolkit/SoundPlayer.h"
#include "toolkit/Toolkit.h"

// The real toolkit: Qt message boxes with Thai buttons, sounds through the desktop's event-sound
// library while the player has them on, and QCoreApplication::exit().
class QtToolkit final : public Toolkit
{
public:
    Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                      const QString &title) override;
    void playSound(Sound sound) override;
    void endProgram() override;
    bool isEnding() const override { return m_ending; }

    const SoundPlayer &soundPlayer() const { return m_sounds; }

private:
    bool m_ending = false;
    SoundPlayer m_sounds;
};
