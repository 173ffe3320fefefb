#pragma once

#include "toolkit/FixedDialog.h"
#include "toolkit/GameKind.h"

#include <array>
#include <cstddef>
#include <iterator>

class QLabel;
class QPushButton;

// The start window "Quindelo": a panel for each game of the games' list, each with a fanned
// sample hand and the button that opens the game. A game window opens modally over it; the start
// window stays behind and is usable again when the game closes. Closing the start window ends the
// program. Its controls carry the design's names as object names (Command1..3, Image1..9). Below
// the panels, a row of buttons offers the rest: เล่นกับเพื่อน, วิธีเล่น and ประวัติการเล่น, each
// showing its key (cmdfriends, cmdrules, cmdhistory); the window's context menu offers them too.
class Form1 final : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    // A click on the button of the games' list's game index (Command1 is index 0).
    void Command_Click(std::size_t index);

    std::array<QPushButton *, std::size(kGames)> m_Command {}; // Command1..
    std::array<QLabel *, 9> m_Image {}; // Image1..Image9
};
