#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The game's pictures: the 52 card faces, the back, the pack on the table and the window icon.
//
// At their design size (71 x 96 for a card, 80 x 105 for the pack) on a screen of device pixel
// ratio 1, the pictures are the design bitmaps embedded as resources; every other size, and
// every other ratio, is drawn by the card drawing code at exactly the device pixels it is shown
// at, never stretched. Faces and the back have rounded corners, transparent outside the curve.
//
// Pictures are made the first time they are asked for. Design pictures are then kept for the
// program's life: two card slots show the same picture (equal cacheKey()) exactly when they
// hold the same card. Drawn pictures are kept per card and device size in a cache of bounded
// memory, so asking again for a size in use gives the same pixmap without drawing.
// Needs a QGuiApplication; use from the GUI thread only.
class CardLibrary
{
public:
    // The faces' style: the design's deck, or the four-colour deck (every suit its own colour,
    // larger corner indices). Pictures asked for after a change are in the new style; a picture
    // already shown keeps its own until it is asked for again (CardPicture::redraw).
    enum class Deck { Design, FourColour };
    static void setDeck(Deck deck);
    static Deck deck();

    // The face of suit (1 spades, 2 hearts, 3 diamonds, 4 clubs) and rank (1 ace to 13 king)
    // at its design size, for the screens' device pixel ratio. Any other suit or rank is a
    // programming error: it stops a debug build, and a release build shows the back.
    static QPixmap face(int suit, int rank);
    static QPixmap back();
    // The pack the cards wait in on the table, 80 x 105.
    static QPixmap pack();

    // The same pictures at logicalSize (widget pixels), for a screen of devicePixelRatio: the
    // pixmap has qRound(logicalSize * devicePixelRatio) device pixels and that ratio, so it
    // paints one to one onto the screen's pixels. A logical size without area gives a null
    // pixmap; a side beyond kMaxDevicePixels is drawn at that many pixels (with a ratio that
    // keeps the logical size).
    static QPixmap face(int suit, int rank, QSize logicalSize, qreal devicePixelRatio);
    static QPixmap back(QSize logicalSize, qreal devicePixelRatio);
    static QPixmap pack(QSize logicalSize, qreal devicePixelRatio);
    static constexpr int kMaxDevicePixels = 4096;

    // The 32 x 32 sheet with the suit signs and J Q K A, with its 64 x 64 version.
    static QIcon windowIcon();
};
