#pragma once

#include "rules/pokdeng/PlayedRound.h"

#include <QString>

#include <optional>

// How the history writes a hand's cards: each card as its corner rank and a suit letter (S spades,
// H hearts, D diamonds, C clubs), separated by one blank: "2H 3H", "AC 10D KS".
QString cardCodes(const pokdeng::PlayedHand &hand);

// Reads cardCodes() back into hand's cards and drewThird (two or three valid, different cards);
// false for any other text, and hand is then left as it was.
bool readCardCodes(const QString &codes, pokdeng::PlayedHand &hand);
