#pragma once

#include <QSqlError>
#include <QString>

class QSqlDatabase;

// Whether an existing history file may be used before anything is written to it.
enum class FileVerdict {
    Sound,
    Damaged, // SQLite finds its pages or its schema broken
    Foreign, // holds what the game never makes: triggers, views, tables or indexes of its own,
             // or tables changed from the game's, which would run or be read in place of ours
    Failed, // the check itself could not be made; error says why
};

// Checks the file open in db, which says it is of the given schema version (not newer than this
// game's): its schema must be exactly what the game makes at that version, and SQLite's quick
// check of every page must pass. Reads only.
FileVerdict checkHistoryFile(QSqlDatabase &db, int version, QSqlError *error);

// Whether a link stands at path or beside it where SQLite keeps the file's log, its shared
// index or its rollback journal: SQLite would follow it, wherever it leads.
bool historyFileIsLinked(const QString &path);
