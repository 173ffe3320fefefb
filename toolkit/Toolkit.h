#pragma once

#include <QString>

class QWidget;

// The table's sounds: a card sliding out of the pack, a card landing, a card turned over, a bet
// placed, a round won and a round lost.
enum class Sound { SlideOut, Land, TurnOver, Bet, Win, Lose };

// What the game asks of the windowing system beyond its own widgets: modal message boxes, the
// table's sounds and the end of the program. The game reaches these through Toolkit::instance(),
// so a test can put a scripted stand-in in place, answer every box and count the sounds without
// a person or a sound card.
class Toolkit
{
public:
    // The message box styles the game uses, with their classic numbers.
    enum class Style : int {
        Ok = 0, // no icon, OK
        StopOk = 16, // stop sign, OK
        QuestionYesNo = 36, // question mark, Yes and No
        // Yes and No with No the default: a question whose yes cannot be undone, so a key
        // pressed by habit answers no.
        QuestionYesNoDefaultNo = 292,
        WarningOkCancel = 49, // exclamation mark, OK and Cancel
    };
    // The button pressed. Closing a box with its close box or Escape answers Cancel/No.
    enum class Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~Toolkit() = default;

    // Shows a modal box over parent (or the active window) and waits for the answer.
    virtual Answer messageBox(QWidget *parent, const QString &prompt, Style style,
                              const QString &title)
        = 0;

    // Plays sound when the player has sounds on ("เสียง"; the real toolkit asks the settings),
    // and returns at once: it never waits for the sound, and with no sound server or device it
    // stays silent and says nothing.
    virtual void playSound(Sound sound) = 0;

    // Ends the program: every window closes and no further window opens. Code that runs after
    // a modal window returns checks isEnding() before it goes on.
    virtual void endProgram() = 0;
    virtual bool isEnding() const = 0;

    // The toolkit in use: the real one unless a test installed another.
    static Toolkit &instance();
    // Puts toolkit in place (nullptr restores the real one). The caller keeps ownership.
    static void install(Toolkit *toolkit);
};
