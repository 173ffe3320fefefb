#pragma once

#include "toolkit/GameWindow.h"

// A game that is still being made: the games' menu and a notice, nothing else. Its title and
// its entry come from the games' list.
class PlaceholderGame : public GameWindow
{
    Q_OBJECT
protected:
    PlaceholderGame(GameKind kind, int widthTwips, QRect noticeTwips, QWidget *parent);
};

// "9เก"
class Frm9ga final : public PlaceholderGame
{
    Q_OBJECT
public:
    explicit Frm9ga(QWidget *parent = nullptr);
};

// "ดัมมี่"
class Frmdum final : public PlaceholderGame
{
    Q_OBJECT
public:
    explicit Frmdum(QWidget *parent = nullptr);
};
