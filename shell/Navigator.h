#pragma once

#include "toolkit/GameKind.h"

class QWidget;

// Runs the game windows one after another, each modal over parent, starting with first. A game
// window that asks for another (a menu switch, a restart) closes and the next one opens here, so
// modal levels never nest deeper than one however often the user switches. Returns when a game
// window is closed without asking for another, or when the program is ending.
void runGameWindows(GameKind first, QWidget *parent);
