#pragma once

class QLabel;

// Labels whose changes a screen reader speaks as they happen, without the focus going there: the
// table's status line, result labels and money. Qt 6.4 has no event that asks for a sentence to
// be spoken, but screen readers speak a notification as it shows. Such a label is therefore
// exposed as a notification, named by its text (or by the accessible name it is given), and
// shows itself again to screen readers whenever announce() is called.
class LiveRegion
{
public:
    // Call before the label is first seen by a screen reader, when it is made.
    static void expose(QLabel *label);

    // Tells screen readers that the label's name changed and is to be spoken. An empty name, or
    // a label not on the screen (in a window still being made), is not announced.
    static void announce(QLabel *label);
};
