#pragma once

#include <functional>
#include <vector>

class CardPicture;

// Turns cards over where they lie, as a hand turns a card on a table: each picture narrows about
// its vertical centre line until it is edge on, showing what it showed; then turnFaces() is
// called (it gives the cards their faces) and the pictures widen again to their full width, in
// kMilliseconds in all. Holds up its caller until the cards lie flat again, like a slide. While
// they turn the cards are drawn above every other control and the user's mouse and key input is
// dropped; afterwards each card goes back to its place in the stack. The turn sounds
// (Sound::TurnOver) as it starts.
class CardFlip
{
public:
    static constexpr int kMilliseconds = 150;

    // Returns false when the program began to end meanwhile; the caller then stops.
    static bool turnOver(const std::vector<CardPicture *> &cards,
                         const std::function<void()> &turnFaces);

    // The part of its width a card shows elapsedMs into a flip: all of it at the start and the
    // end, none halfway.
    static double widthAt(double elapsedMs);

    // Tests jump straight to the faces.
    static void setInstant(bool instant);
    static bool isTurning();
};
