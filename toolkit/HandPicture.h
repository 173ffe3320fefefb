#pragma once

#include "rules/Card.h"

#include <QPixmap>

#include <span>

// A hand's cards as one picture: the faces from the card library side by side, each laid over
// the one before it so that the corner with its rank stays in sight, cardHeight logical pixels
// high, drawn for a screen of devicePixelRatio so it stays sharp there. A card outside the pack
// shows the back. No cards give a null picture.
QPixmap handPicture(std::span<const cards::Card> cards, int cardHeight, qreal devicePixelRatio);

// The logical width of handPicture() for count cards of that height.
int handPictureWidth(int count, int cardHeight);
