#include "history/HistoryWriter.h"

#include "history/CardCodes.h"
#include "history/HistoryConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cassert>

using pokdeng::PlayedHand;
using pokdeng::PlayedRound;
using pokdeng::Settlement;

namespace {

int outcomeNumber(Settlement::Outcome outcome)
{
    switch (outcome) {
    case Settlement::Outcome::UserWins:
        return 1;
    case Settlement::Outcome::UserLoses:
        return -1;
    case Settlement::Outcome::Tie:
        return 0;
    }
    return 0;
}

// The statements every round runs, kept prepared on the connection in this order.
enum Statement : std::size_t { InsertSession, UpdateSession, InsertRound, AddToKind, AddToRun };

std::vector<QString> writeStatements()
{
    return {
        QStringLiteral("INSERT INTO sessions (started_at, ended_at, start_money, end_money, run, "
                       "longest_run) VALUES (:started, :ended, :start_money, :end_money, :run, "
                       ":longest_run)"),
        QStringLiteral("UPDATE sessions SET ended_at = :ended, end_money = :end_money, "
                       "run = CASE WHEN :won THEN run + 1 ELSE 0 END, "
                       "longest_run = MAX(longest_run, CASE WHEN :won THEN run + 1 ELSE 0 END) "
                       "WHERE id = :session"),
        QStringLiteral("INSERT INTO rounds (session_id, played_at, stake, user_cards, user_kind, "
                       "user_multiplier, user_label, dealer_cards, dealer_kind, dealer_multiplier, "
                       "dealer_label, outcome, money_change, money_after) VALUES (:session, "
                       ":played_at, :stake, :user_cards, :user_kind, :user_multiplier, "
                       ":user_label, :dealer_cards, :dealer_kind, :dealer_multiplier, "
                       ":dealer_label, :outcome, :money_change, :money_after)"),
        QStringLiteral("INSERT INTO kind_totals (session_id, user_kind, won, tied, lost, most_won, "
                       "most_lost, best_money) VALUES (:session, :user_kind, :won, :tied, :lost, "
                       ":most_won, :most_lost, :best_money) "
                       "ON CONFLICT (session_id, user_kind) DO UPDATE SET "
                       "won = won + excluded.won, tied = tied + excluded.tied, "
                       "lost = lost + excluded.lost, "
                       "most_won = MAX(most_won, excluded.most_won), "
                       "most_lost = MAX(most_lost, excluded.most_lost), "
                       "best_money = MAX(best_money, excluded.best_money)"),
        QStringLiteral("UPDATE run_totals SET run = CASE WHEN :won THEN run + 1 ELSE 0 END, "
                       "longest_run = MAX(longest_run, CASE WHEN :won THEN run + 1 ELSE 0 END) "
                       "WHERE id = 1"),
    };
}

} // namespace

HistoryWriter::HistoryWriter(HistoryConnection &connection)
    : m_connection(connection)
{
    m_connection.keepPrepared(writeStatements());
}

std::optional<qint64> HistoryWriter::sessionId() const
{
    if (m_sessionConnection != m_connection.serial())
        return std::nullopt;
    return m_sessionId;
}

void HistoryWriter::beginSession(double money, qint64 atMs)
{
    m_sessionBegun = true;
    m_sessionStartMoney = money;
    m_sessionStartMs = atMs;
    m_sessionId.reset();
}

bool HistoryWriter::record(const PlayedRound &round)
{
    assert(round.playedAtMs != 0);
    const QString setAsideBefore = m_connection.setAsidePath();
    if (recordOnce(round))
        return true;
    // Damage met by this write set the file aside: the round goes into the new history.
    return m_connection.setAsidePath() != setAsideBefore && !m_connection.isOpen()
        && recordOnce(round);
}

bool HistoryWriter::recordOnce(const PlayedRound &round)
{
    if (!m_connection.open())
        return false;
    QSqlQuery transaction(m_connection.database());
    if (!transaction.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return m_connection.fail(transaction.lastError());
    const std::optional<qint64> sessionBefore = sessionId();
    QSqlError error;
    if (!writeRound(round, error) || !transaction.exec(QStringLiteral("COMMIT"))) {
        if (!error.isValid())
            error = transaction.lastError();
        transaction.exec(QStringLiteral("ROLLBACK"));
        m_sessionId = sessionBefore;
        return m_connection.fail(error);
    }
    m_connection.succeeded();
    return true;
}

bool HistoryWriter::writeRound(const PlayedRound &round, QSqlError &error)
{
    const auto run = [&error](QSqlQuery &query) {
        if (query.exec())
            return true;
        error = query.lastError();
        return false;
    };
    const bool won = round.outcome == Settlement::Outcome::UserWins;
    const qint64 at = round.playedAtMs;

    if (const std::optional<qint64> session = sessionId()) {
        QSqlQuery &update = m_connection.prepared(UpdateSession);
        update.bindValue(QStringLiteral(":ended"), at);
        update.bindValue(QStringLiteral(":end_money"), round.moneyAfter);
        update.bindValue(QStringLiteral(":won"), won);
        update.bindValue(QStringLiteral(":session"), *session);
        if (!run(update))
            return false;
        // Cleared meanwhile by another copy of the game: the table goes on as a new session.
        if (update.numRowsAffected() == 0)
            m_sessionId.reset();
    }
    if (!sessionId()) {
        const double moneyBefore = round.moneyAfter - round.moneyChange;
        QSqlQuery &insert = m_connection.prepared(InsertSession);
        insert.bindValue(QStringLiteral(":started"), m_sessionBegun ? m_sessionStartMs : at);
        insert.bindValue(QStringLiteral(":ended"), at);
        insert.bindValue(QStringLiteral(":start_money"),
                         m_sessionBegun ? m_sessionStartMoney : moneyBefore);
        insert.bindValue(QStringLiteral(":end_money"), round.moneyAfter);
        insert.bindValue(QStringLiteral(":run"), won ? 1 : 0);
        insert.bindValue(QStringLiteral(":longest_run"), won ? 1 : 0);
        if (!run(insert))
            return false;
        m_sessionId = insert.lastInsertId().toLongLong();
        m_sessionConnection = m_connection.serial();
    }
    const qint64 session = *m_sessionId;

    QSqlQuery &insertRound = m_connection.prepared(InsertRound);
    const auto bindHand = [&insertRound](const QString &owner, const PlayedHand &hand) {
        const QString prefix = QLatin1Char(':') + owner;
        insertRound.bindValue(prefix + QStringLiteral("_cards"), cardCodes(hand));
        insertRound.bindValue(prefix + QStringLiteral("_kind"), hand.value.kind);
        insertRound.bindValue(prefix + QStringLiteral("_multiplier"), hand.value.multiplier);
        insertRound.bindValue(prefix + QStringLiteral("_label"),
                              QString::fromStdString(hand.value.label));
    };
    insertRound.bindValue(QStringLiteral(":session"), session);
    insertRound.bindValue(QStringLiteral(":played_at"), at);
    insertRound.bindValue(QStringLiteral(":stake"), round.stake);
    bindHand(QStringLiteral("user"), round.user);
    bindHand(QStringLiteral("dealer"), round.dealer);
    insertRound.bindValue(QStringLiteral(":outcome"), outcomeNumber(round.outcome));
    insertRound.bindValue(QStringLiteral(":money_change"), round.moneyChange);
    insertRound.bindValue(QStringLiteral(":money_after"), round.moneyAfter);
    if (!run(insertRound))
        return false;

    QSqlQuery &addToKind = m_connection.prepared(AddToKind);
    addToKind.bindValue(QStringLiteral(":session"), session);
    addToKind.bindValue(QStringLiteral(":user_kind"), round.user.value.kind);
    addToKind.bindValue(QStringLiteral(":won"), won ? 1 : 0);
    addToKind.bindValue(QStringLiteral(":tied"), round.outcome == Settlement::Outcome::Tie ? 1 : 0);
    addToKind.bindValue(QStringLiteral(":lost"),
                        round.outcome == Settlement::Outcome::UserLoses ? 1 : 0);
    addToKind.bindValue(QStringLiteral(":most_won"), std::max(round.moneyChange, 0.0));
    addToKind.bindValue(QStringLiteral(":most_lost"), std::max(-round.moneyChange, 0.0));
    addToKind.bindValue(QStringLiteral(":best_money"), round.moneyAfter);
    QSqlQuery &addToRun = m_connection.prepared(AddToRun);
    addToRun.bindValue(QStringLiteral(":won"), won);
    return run(addToKind) && run(addToRun);
}

void HistoryWriter::endSession(qint64 atMs)
{
    if (const std::optional<qint64> session = sessionId(); m_connection.isOpen() && session) {
        QSqlQuery end(m_connection.database());
        end.prepare(QStringLiteral("UPDATE sessions SET ended_at = :ended WHERE id = :session"));
        end.bindValue(QStringLiteral(":ended"), atMs);
        end.bindValue(QStringLiteral(":session"), *session);
        if (!end.exec())
            m_connection.fail(end.lastError());
    }
    m_sessionBegun = false;
    m_sessionId.reset();
}

bool HistoryWriter::clear()
{
    if (!m_connection.open())
        return false;
    QSqlQuery query(m_connection.database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return m_connection.fail(query.lastError());
    if (!query.exec(QStringLiteral("DELETE FROM rounds"))
        || !query.exec(QStringLiteral("DELETE FROM sessions"))
        || !query.exec(QStringLiteral("DELETE FROM kind_totals"))
        || !query.exec(QStringLiteral("UPDATE run_totals SET run = 0, longest_run = 0"))
        || !query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return m_connection.fail(error);
    }
    m_sessionId.reset();
    m_sessionBegun = false;
    // Give the space back. Either may fail while another copy of the game reads the file; the
    // history is empty all the same.
    query.exec(QStringLiteral("VACUUM"));
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    m_connection.succeeded();
    return true;
}
