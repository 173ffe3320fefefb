#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace art {

enum class Deck;

// Suits as the game numbers them: 1 spades, 2 hearts, 3 diamonds, 4 clubs. The colour of the
// suit in the deck.
QColor suitColour(int suit, Deck deck);

// The suit's sign as a filled outline in a unit box centred on the origin (x and y from -0.5
// to 0.5), point or stem down. Drawn as paths, not glyphs, so the art does not depend on the
// fonts of the machine that draws it.
QPainterPath suitSign(int suit);

// The spade's leaf without its stem, in the same box as suitSign(1).
QPainterPath spadeBody();

// Fills the sign of suit in a box of width x height centred on centre, turned upside down when
// asked (the pips of a card's lower half face the other player).
void drawSuitSign(QPainter &painter, int suit, QPointF centre, qreal width, qreal height, Deck deck,
                  bool upsideDown = false);

} // namespace art
