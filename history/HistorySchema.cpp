#include "history/HistorySchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <initializer_list>

namespace {

// Step n takes a file of version n - 1 to version n. A step once shipped is never changed: a
// later change of the tables is a new step.
const std::array<std::initializer_list<const char *>, kHistorySchemaVersion> kSteps = { {
    // 1: a table of table sessions and a table of rounds. Times are milliseconds since
    // 1970-01-01 UTC; cards are written as "2H 3H" or "AC 10D KS"; an outcome is 1 when the
    // user won, 0 on a tie and -1 when the user lost.
    {
        "CREATE TABLE sessions ("
        " id INTEGER PRIMARY KEY,"
        " started_at INTEGER NOT NULL,"
        " ended_at INTEGER NOT NULL,"
        " start_money REAL NOT NULL,"
        " end_money REAL NOT NULL)",
        "CREATE TABLE rounds ("
        " id INTEGER PRIMARY KEY,"
        " session_id INTEGER NOT NULL REFERENCES sessions(id),"
        " played_at INTEGER NOT NULL,"
        " stake REAL NOT NULL,"
        " user_cards TEXT NOT NULL,"
        " user_kind INTEGER NOT NULL,"
        " user_multiplier INTEGER NOT NULL,"
        " user_label TEXT NOT NULL,"
        " dealer_cards TEXT NOT NULL,"
        " dealer_kind INTEGER NOT NULL,"
        " dealer_multiplier INTEGER NOT NULL,"
        " dealer_label TEXT NOT NULL,"
        " outcome INTEGER NOT NULL,"
        " money_change REAL NOT NULL,"
        " money_after REAL NOT NULL)",
    },
    // 2: what the figures need kept as the rounds come, so that showing them reads a few rows
    // instead of every round: the outcomes, the most won and lost and the best money by table and
    // by the user's hand kind; the run of wins going on and the longest, by table and over all
    // rounds in the order they were recorded. Filled from the rounds a first version kept. Also
    // the rounds of one table found without reading them all.
    {
        "CREATE INDEX rounds_by_session ON rounds(session_id)",
        "CREATE TABLE kind_totals ("
        " session_id INTEGER NOT NULL,"
        " user_kind INTEGER NOT NULL,"
        " won INTEGER NOT NULL,"
        " tied INTEGER NOT NULL,"
        " lost INTEGER NOT NULL,"
        " most_won REAL NOT NULL,"
        " most_lost REAL NOT NULL,"
        " best_money REAL NOT NULL,"
        " PRIMARY KEY (session_id, user_kind)) WITHOUT ROWID",
        "INSERT INTO kind_totals SELECT session_id, user_kind, SUM(outcome > 0), SUM(outcome = 0),"
        " SUM(outcome < 0), MAX(MAX(money_change), 0), MAX(-MIN(money_change), 0),"
        " MAX(money_after) FROM rounds GROUP BY session_id, user_kind",
        "ALTER TABLE sessions ADD COLUMN run INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE sessions ADD COLUMN longest_run INTEGER NOT NULL DEFAULT 0",
        // Every round that is not a win starts a new group; a group's wins are a run, and the
        // last group's wins the run going on.
        "WITH marked AS (SELECT session_id, outcome, SUM(outcome <= 0) OVER ("
        "  PARTITION BY session_id ORDER BY id ROWS UNBOUNDED PRECEDING) AS grp FROM rounds),"
        " runs AS (SELECT session_id, grp, COUNT(*) AS wins FROM marked WHERE outcome > 0"
        "  GROUP BY session_id, grp),"
        " last AS (SELECT session_id, MAX(grp) AS grp FROM marked GROUP BY session_id)"
        " UPDATE sessions SET"
        "  longest_run = COALESCE((SELECT MAX(wins) FROM runs WHERE session_id = sessions.id), 0),"
        "  run = COALESCE((SELECT wins FROM runs JOIN last USING (session_id, grp)"
        "   WHERE session_id = sessions.id), 0)",
        "CREATE TABLE run_totals ("
        " id INTEGER PRIMARY KEY CHECK (id = 1),"
        " run INTEGER NOT NULL,"
        " longest_run INTEGER NOT NULL)",
        "WITH marked AS (SELECT outcome, SUM(outcome <= 0) OVER ("
        "  ORDER BY id ROWS UNBOUNDED PRECEDING) AS grp FROM rounds),"
        " runs AS (SELECT grp, COUNT(*) AS wins FROM marked WHERE outcome > 0 GROUP BY grp)"
        " INSERT INTO run_totals VALUES (1,"
        "  COALESCE((SELECT wins FROM runs WHERE grp = (SELECT MAX(grp) FROM marked)), 0),"
        "  COALESCE((SELECT MAX(wins) FROM runs), 0))",
    },
} };

bool run(QSqlQuery &query, const QString &statement, QSqlError *error)
{
    if (query.exec(statement))
        return true;
    if (error)
        *error = query.lastError();
    return false;
}

} // namespace

int historySchemaVersion(QSqlDatabase &db, QSqlError *error)
{
    QSqlQuery query(db);
    if (!run(query, QStringLiteral("PRAGMA user_version"), error))
        return -1;
    if (!query.next()) {
        if (error)
            *error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool applyHistorySchemaStep(QSqlDatabase &db, int step, QSqlError *error)
{
    QSqlQuery query(db);
    for (const char *statement : kSteps[static_cast<std::size_t>(step - 1)]) {
        if (!run(query, QString::fromLatin1(statement), error))
            return false;
    }
    return true;
}

SchemaResult upgradeHistorySchema(QSqlDatabase &db, QSqlError *error)
{
    // Cheap look first, without a lock: a current file needs nothing written.
    const int seen = historySchemaVersion(db, error);
    if (seen < 0)
        return SchemaResult::Failed;
    if (seen > kHistorySchemaVersion)
        return SchemaResult::Newer;
    if (seen == kHistorySchemaVersion)
        return SchemaResult::Ready;

    QSqlQuery query(db);
    if (!run(query, QStringLiteral("BEGIN IMMEDIATE"), error))
        return SchemaResult::Failed;
    const auto rollBack = [&](SchemaResult result) {
        query.exec(QStringLiteral("ROLLBACK"));
        return result;
    };
    const int version = historySchemaVersion(db, error);
    if (version < 0)
        return rollBack(SchemaResult::Failed);
    if (version > kHistorySchemaVersion)
        return rollBack(SchemaResult::Newer);
    for (int step = version + 1; step <= kHistorySchemaVersion; ++step) {
        if (!applyHistorySchemaStep(db, step, error))
            return rollBack(SchemaResult::Failed);
    }
    if (!run(query, QStringLiteral("PRAGMA user_version = %1").arg(kHistorySchemaVersion), error)
        || !run(query, QStringLiteral("COMMIT"), error))
        return rollBack(SchemaResult::Failed);
    return SchemaResult::Ready;
}
