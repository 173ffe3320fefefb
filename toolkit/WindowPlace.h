#pragma once

#include <QRect>

class QWidget;

// Where the game opens a window: beside the window it belongs to, or over it, always wholly
// within the free part of the screen that window is on (the screen less its panels). The
// rectangles are frames, title bar included.
namespace windowplace {

// The gap between a window and the one it opens beside.
inline constexpr int kGap = 8;

// rect moved into screen, and cut to it where it is larger.
QRect within(const QRect &rect, const QRect &screen);
// A window of frame size `size` beside owner: on its right where the screen has room, else on its
// left, else on the roomier side against the screen's edge, over the owner; its top level with
// the owner's top, moved only as far as the screen needs.
QRect beside(const QRect &owner, QSize size, const QRect &screen);
// A window of frame size `size` centred over owner, moved only as far as the screen needs.
QRect over(const QRect &owner, QSize size, const QRect &screen);

// Moves (and, where the screen is smaller than it, shrinks) a window that is about to be shown
// beside or over owner's window, on the screen owner's window is on. Without an owner the window
// is kept on the screen it would open on.
void placeBeside(QWidget *window, const QWidget *owner);
void placeOver(QWidget *window, const QWidget *owner);

} // namespace windowplace
