#pragma once

#include "history/HistoryFigures.h"
#include "rules/pokdeng/PlayedRound.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class HistoryConnection;
class QSqlQuery;

// The rounds a read covers: every round stored, or those of the table now playing.
enum class HistoryScope { AllTime, ThisSession };

// What the windows read from the history: its figures, the money over the rounds and the latest
// rounds, of every round or of the table now playing.
//
// What is read is checked against what the game writes: counts whole and not below 0, money a
// number within bounds, texts no longer than a hand's. A file holding anything else is damaged:
// it is set aside (HistoryConnection::damaged()) and the read answers as if the history were
// empty. A read that cannot be made (the file cannot be opened, the database fails) also answers
// as if the history were empty, and the connection says why.
class HistoryReader
{
public:
    // Reads through connection, which must outlive the reader. currentSession gives the row of
    // the table now playing, nothing before its first round is stored: ThisSession then covers no
    // round.
    HistoryReader(HistoryConnection &connection,
                  std::function<std::optional<qint64>()> currentSession);
    HistoryReader(const HistoryReader &) = delete;
    HistoryReader &operator=(const HistoryReader &) = delete;

    // The figures of the scope's rounds; all nothing and 0 when there is none.
    HistoryFigures figures(HistoryScope scope);
    // The user's money over the rounds of the scope, table by table: each table's money before
    // its first round, then after each of its rounds. Empty when there is no round.
    MoneySeries moneySeries(HistoryScope scope);
    // The last count rounds of the scope, newest first; empty when count is not above 0.
    std::vector<pokdeng::PlayedRound> latestRounds(HistoryScope scope, int count);
    // How many rounds the scope has; 0 when the history cannot be read.
    qint64 roundCount(HistoryScope scope);

private:
    // What every read begins with: opens the history and runs sql (forward only), its %1
    // replaced by the WHERE clause on column that picks the scope's rows. Nothing when the
    // history cannot be opened, the scope has no row, or the statement fails (the connection
    // then says why).
    std::optional<QSqlQuery> select(HistoryScope scope, const QString &sql,
                                    const QString &column = QStringLiteral("session_id"));

    HistoryConnection &m_connection;
    std::function<std::optional<qint64>()> m_currentSession;
};
