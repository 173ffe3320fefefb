#pragma once

#include "rules/pokdeng/SlidePath.h"

#include <vector>

class QWidget;

// Moves a card widget along a slide path at the table's constant pace, holding up its caller
// until the card has arrived, as the round's steps expect. Each frame shows the position the path
// has reached by then; the last frame is exactly the end of the path. The path is in twips: on a
// design canvas the card moves in the canvas's design units, so a slide takes the same time at
// any scale and ends where the canvas lays the card out; elsewhere a twip is a fifteenth of a
// pixel. While it moves the card is drawn above every other control but cover (the pack it
// leaves, which hides it until it comes out from under it), and back at rest both return to
// their own places in the stack. The user's mouse and key input during a slide is dropped, not
// kept for afterwards. The card sounds as it leaves (Sound::SlideOut) and as it lands
// (Sound::Land), instant slides too.
class CardSlider
{
public:
    // Returns false when the program began to end during the slide; the caller then stops.
    static bool slide(QWidget *card, const std::vector<cards::TwipsPoint> &path,
                      QWidget *cover = nullptr);

    // Tests and benchmarks jump straight to the end of every path.
    static void setInstant(bool instant);
    static bool isSliding();
};
