#pragma once

class QLabel;
class QString;
class QWidget;

// What screen readers speak as it happens, without the focus going there: the table's status
// line, result labels and money, the odds advisor's line, and sentences no label shows (the cards
// as they are turned over, a helper turned on or off). Qt 6.4 has no event that asks for a
// sentence to be spoken, but screen readers speak a notification as it shows. Such a label is
// therefore exposed as a notification, named by its text (or by the accessible name it is given),
// and shows itself again to screen readers whenever announce() is called. A live label with
// nothing to say is a plain label, so that showing it says nothing.
//
// The game windows are exposed as the program's main windows (frames), not as dialogs: a screen
// reader reads a dialog's name and its first long label before every notification inside it.
class LiveRegion
{
public:
    // Call before the label is first seen by a screen reader, when it is made. An empty label is
    // hidden until it has something to say.
    static void expose(QLabel *label);

    // Tells screen readers that the label's name changed and is to be spoken, showing the label
    // if it was hidden; a label whose name is now empty is hidden. A label not on the screen (in
    // a window still being made, or hidden with its parent) is not announced.
    static void announce(QLabel *label);

    // Speaks sentence in window, through a few labels of the window's own that only screen
    // readers find. Each sentence keeps its label until several more have been said, so that a
    // screen reader that reads the label a moment after the announcement still finds it.
    static void say(QWidget *window, const QString &sentence);
};
