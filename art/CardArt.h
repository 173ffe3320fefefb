#pragma once

#include <QImage>
#include <QSize>

// The game's card pictures, drawn by code at exactly the number of device pixels asked for: the
// same drawing gives the 71 x 96 design pictures (the committed bitmaps) and every larger or
// smaller size, so a card is never a stretched bitmap. Vector drawing only: no font, no file.
// Needs a QGuiApplication (QPainter on a QImage); any thread.
namespace art {

// The design size of a card face and of the back, and of the pack on the table.
inline constexpr QSize kCardSize(71, 96);
inline constexpr QSize kPackSize(80, 105);

// Square corners are the design bitmaps' (opaque, 24-bit). Rounded corners are what the game
// shows: the pixels outside the corner's curve are transparent, so the table or the card below
// shows through.
enum class Corners { Square, Rounded };

// The design's deck: hearts and diamonds red, spades and clubs black. The four-colour deck tells
// every suit by its colour (hearts red, diamonds blue, clubs green, spades black) and has larger
// corner indices; it differs from the design's deck in nothing else.
enum class Deck { Design, FourColour };

// The face of (suit, rank), suit 1 spades, 2 hearts, 3 diamonds, 4 clubs, rank 1 ace to
// 13 king, drawn at pixels (the design stretched to it, so any aspect works). A null image for
// a suit or rank outside the pack or a size without area.
QImage drawFace(int suit, int rank, QSize pixels, Corners corners = Corners::Rounded,
                Deck deck = Deck::Design);

// The back: a landscape inside a white border. A null image for a size without area.
QImage drawBack(QSize pixels, Corners corners = Corners::Rounded);

// The pack the cards wait in: the back on top of a pack whose card edges show as stripes along
// its left and bottom sides, on the felt that fills the two corners the cards leave free.
// Opaque; the cards' corners are rounded on the felt.
QImage drawPack(QSize pixels);

// Gives a square card picture (a design bitmap, or drawFace/drawBack with square corners) the
// rounded corners of Corners::Rounded, exactly as drawing it rounded would: the result is in
// ARGB32_Premultiplied. Only the corners change; the card's picture must have its design
// border (every face and the back do).
QImage roundCorners(const QImage &squareCard);

} // namespace art
