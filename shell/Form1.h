#pragma once

#include "toolkit/FixedDialog.h"

#include <array>

class QLabel;
class QPushButton;

// The start window "Quindelo": three panels, one per game, each with a fanned sample hand and
// the button that opens the game. A game window opens modally over it; the start window stays
// behind and is usable again when the game closes. Closing the start window ends the program.
// Its controls carry the design's names as object names (Command1..3, Image1..9).
class Form1 final : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    std::array<QLabel *, 9> m_Image {}; // Image1..Image9
};
