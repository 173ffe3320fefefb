#pragma once

#include "history/HistoryStore.h"

#include <QString>

// What the user is told (Thai) about the play history's present trouble: why it cannot be kept
// or read, naming the file or folder concerned; empty when there is none.
QString historyTroubleText(const HistoryStore &store);
// What the user is told of an unreadable history file that was moved to setAsidePath.
QString historySetAsideText(const QString &setAsidePath);
