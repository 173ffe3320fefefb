#pragma once

#include "history/HistoryStore.h"

#include <QString>

// What the user is told (Thai) about the play history's present trouble: why it cannot be kept
// or read, naming the file or folder concerned; empty when there is none. Never the database's
// own (English) words.
QString historyTroubleText(const HistoryStore &store);
// The same for a trouble about path, with SQLite's result code when it came from SQLite.
QString historyTroubleText(HistoryStore::Trouble trouble, const QString &path, int code);
// What the user is told of a history file that was moved to setAsidePath, and why.
QString historySetAsideText(const QString &setAsidePath,
                            HistoryStore::SetAside because = HistoryStore::SetAside::Damaged);
