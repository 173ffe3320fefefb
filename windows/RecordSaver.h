#pragma once

#include <QString>

class QWidget;

// What became of a press on the table's save button.
enum class SaveOutcome {
    Cancelled, // the confirmation was not answered OK: nothing changed
    NoName, // confirmed with an empty name box: told so, nothing written
    Failed, // the file could not be written: told so, the old record kept
    Saved, // the record is in the file: the table starts afresh
};

// Writes the record. When that fails, tells the user in a message box over parent, in Thai, that
// the record was not saved, that the old one is kept (when there was one) and why, and returns
// false; the old file is left as it was.
bool saveRecord(QWidget *parent, const QString &name, double money);

// The save button's whole conversation: asks for confirmation (saving ends the game), asks for
// a name when the box is empty, then saves with saveRecord(). Only Saved should restart the
// table; on every other outcome the game goes on as it was.
SaveOutcome confirmAndSaveRecord(QWidget *parent, const QString &name, double money);
