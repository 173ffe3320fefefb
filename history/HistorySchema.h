#pragma once

#include <QSqlError>

class QSqlDatabase;

// The version of the history's tables that this game reads and writes, kept in the database
// file's PRAGMA user_version. 0 is a file with no tables yet.
inline constexpr int kHistorySchemaVersion = 2;

// What the schema step found.
enum class SchemaResult { Ready, Newer, Failed };

// Brings the database's tables up to kHistorySchemaVersion, all steps in one write transaction,
// so a kill midway leaves the old version whole. The version is read inside that transaction: a
// second copy of the game that upgraded the file meanwhile is seen. A file of a newer version is
// left exactly as it was (Newer). On Failed, error says why.
SchemaResult upgradeHistorySchema(QSqlDatabase &db, QSqlError *error);

// The version the file says it has; -1 when it cannot be read (error then says why).
int historySchemaVersion(QSqlDatabase &db, QSqlError *error);

// Runs the statements of one step (1 to kHistorySchemaVersion) in db, inside whatever transaction
// the caller holds. Returns whether all of them ran; error says why not.
bool applyHistorySchemaStep(QSqlDatabase &db, int step, QSqlError *error);
