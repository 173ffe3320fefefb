#pragma once

class QAction;

// Qt matches a shortcut by the character the key types in the layout in use. In the Thai
// Kedmanee layout the letter and digit keys type Thai letters, "/", "-" and the like, so "D" or
// "Ctrl+N" would never come; Qt tries a Latin layout's key only when one is loaded beside the
// Thai one, and even then not for keys that type Latin punctuation. A key press that no shortcut
// took is therefore looked at once more by the key's place on the keyboard: when a US keyboard
// has a letter or digit there that a bound action takes, that action is triggered and the key
// press is spent.
namespace layoutfree {

// Has the action's letter and digit keys work by their place on the keyboard too, whatever the
// layout in use types on them. Actions that are gone are forgotten.
void add(QAction *action);

} // namespace layoutfree
