#include "history/HistoryStore.h"

#include "history/CardCodes.h"
#include "history/HistoryFileCheck.h"
#include "history/HistorySchema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cmath>

using pokdeng::PlayedHand;
using pokdeng::PlayedRound;
using pokdeng::Settlement;

namespace {

const QString kFileName = QStringLiteral("history.sqlite");
const QString kDriver = QStringLiteral("QSQLITE");
// Another copy of the game writes a round in well under a millisecond; a lock held longer than
// this is a copy that hangs, and waiting for it would hold up the outcome box.
const QString kConnectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=250");

// SQLite's primary result codes, the low byte of what the driver reports.
enum SqliteCode {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kInputOutput = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kAuth = 23,
    kNotADatabase = 26,
};

int sqliteCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

bool isDamage(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == kCorrupt || code == kNotADatabase;
}

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

Settlement::Outcome outcomeOf(int number)
{
    if (number > 0)
        return Settlement::Outcome::UserWins;
    if (number < 0)
        return Settlement::Outcome::UserLoses;
    return Settlement::Outcome::Tie;
}

// SQLite says "input or output error", not "full", when there is no room for a new file (the
// log or its shared index as a history opens): below this much room left, that is a full disk.
constexpr qint64 kRoomForTheLog = 1024 * 1024;

bool isNearlyFull(const QString &folder)
{
    const QStorageInfo disk(folder);
    return disk.isValid() && disk.bytesAvailable() < kRoomForTheLog;
}

// A history larger than this takes noticeable time to check as it opens.
constexpr qint64 kLargeFile = 32 * 1024 * 1024;

// What the game itself ever writes, and so the most the history's reading accepts: money within
// a thousand million million baht either way (the score file's own bound), counts of rounds well
// past a lifetime of play, hand kinds of the hand evaluation, and texts of a hand's label (at most
// 13 letters) and its cards ("10H 10D 10S").
constexpr double kMostMoney = 1e15;
constexpr double kMostCount = 1e12;
constexpr int kFirstKind = 0;
constexpr int kLastKind = 16;
constexpr int kLongestLabel = 40;
constexpr int kLongestCards = 12;

// A number read from the file: nothing when it is not a number SQLite keeps as one (text such as
// "nan" would read as not-a-number) or lies outside [least, most].
std::optional<double> numberIn(const QVariant &value, double least, double most)
{
    const int type = value.typeId();
    if (type != QMetaType::Double && type != QMetaType::LongLong && type != QMetaType::Int)
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= least && number <= most)) // not-a-number fails too
        return std::nullopt;
    return number;
}

std::optional<double> moneyIn(const QVariant &value)
{
    return numberIn(value, -kMostMoney, kMostMoney);
}

// A count: a whole number, not below 0, within reason.
std::optional<qint64> countIn(const QVariant &value)
{
    const std::optional<double> number = numberIn(value, 0, kMostCount);
    if (!number || *number != std::floor(*number))
        return std::nullopt;
    return static_cast<qint64>(*number);
}

const QString kRoundColumns = QStringLiteral(
    "played_at, stake, user_cards, user_kind, user_multiplier, user_label, dealer_cards, "
    "dealer_kind, dealer_multiplier, dealer_label, outcome, money_change, money_after");
// The same columns as they are read back, the texts no longer than the game writes them.
const QString kRoundsRead
    = QStringLiteral("played_at, stake, substr(user_cards, 1, %1), user_kind, user_multiplier, "
                     "substr(user_label, 1, %2), substr(dealer_cards, 1, %1), dealer_kind, "
                     "dealer_multiplier, substr(dealer_label, 1, %2), outcome, money_change, "
                     "money_after")
          .arg(kLongestCards)
          .arg(kLongestLabel);

} // namespace

struct HistoryStore::Connection
{
    QString name;
    QSqlQuery insertSession;
    QSqlQuery updateSession;
    QSqlQuery insertRound;
    QSqlQuery addToKind;
    QSqlQuery addToRun;

    explicit Connection(const QString &connectionName)
        : name(connectionName)
    {
    }
    QSqlDatabase database() const { return QSqlDatabase::database(name, false); }
};

HistoryStore::HistoryStore(const QString &path)
    : m_path(path)
{
}

HistoryStore::~HistoryStore()
{
    closeConnection();
}

QString HistoryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/')
        + kFileName;
}

bool HistoryStore::isOpen() const
{
    return m_connection != nullptr;
}

bool HistoryStore::open()
{
    if (m_connection)
        return true;
    if (isLasting(m_trouble))
        return false;
    return openConnection(true);
}

bool HistoryStore::fail(Trouble trouble, const QString &detail, const QString &path)
{
    m_trouble = trouble;
    m_troubleCode = -1;
    m_troubleDetail = detail;
    m_troublePath = path.isEmpty() ? m_path : path;
    if (isLasting(trouble))
        closeConnection();
    return false;
}

bool HistoryStore::fail(const QSqlError &error)
{
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const int code = sqliteCode(error);
    const auto failWith = [&](Trouble trouble) {
        fail(trouble, detail);
        m_troubleCode = code;
        return false;
    };
    switch (code) {
    case kBusy:
    case kLocked:
        return failWith(Trouble::Locked);
    case kFull:
        return failWith(Trouble::DiskFull);
    case kInputOutput:
        return failWith(isNearlyFull(QFileInfo(m_path).absolutePath()) ? Trouble::DiskFull
                                                                       : Trouble::InputOutput);
    case kPerm:
    case kReadOnly:
    case kCantOpen:
    case kAuth:
        return failWith(Trouble::CannotWrite);
    case kCorrupt:
    case kNotADatabase:
        damaged(detail);
        return false;
    default:
        return failWith(Trouble::Failed);
    }
}

bool HistoryStore::openConnection(bool maySetAside)
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(Trouble::CannotWrite, QString(), folder);
    // SQLite follows a link wherever it leads, even where nothing is yet.
    if (historyFileIsLinked(m_path))
        return fail(Trouble::Link, QString());

    // One connection per store: two stores (two tables, or a test's second look) never share
    // a transaction.
    static std::atomic<int> made { 0 };
    m_connection = std::make_unique<Connection>(QStringLiteral("pokdeng-history-%1").arg(++made));
    QSqlError error;
    const Opening opening = connect(error);
    if (opening == Opening::Ready) {
        m_trouble = Trouble::None;
        return true;
    }
    closeConnection();
    switch (opening) {
    case Opening::Damaged:
    case Opening::Foreign:
        if (maySetAside) {
            return setAside(opening == Opening::Damaged ? SetAside::Damaged : SetAside::Foreign)
                && openConnection(false);
        }
        if (opening == Opening::Foreign)
            return fail(Trouble::Unreadable, QString());
        break;
    case Opening::Newer:
        return fail(Trouble::NewerVersion, QString());
    case Opening::NoDriver:
        return fail(Trouble::NoDriver, QStringLiteral("no %1 driver").arg(kDriver));
    case Opening::NotWal:
        return fail(Trouble::CannotWrite, QString());
    case Opening::Ready:
    case Opening::Failed:
        break;
    }
    if (isDamage(error) && !maySetAside)
        return fail(Trouble::Unreadable, QString());
    return fail(error);
}

HistoryStore::Opening HistoryStore::connect(QSqlError &error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connection->name);
    if (!db.isValid())
        return Opening::NoDriver;
    db.setDatabaseName(m_path);
    db.setConnectOptions(kConnectOptions);
    if (!db.open()) {
        error = db.lastError();
        return Opening::Failed;
    }
    const auto failed = [&error](const QSqlError &found) {
        error = found;
        return isDamage(found) ? Opening::Damaged : Opening::Failed;
    };

    QSqlQuery pragma(db);
    // The file may come from anywhere: what its schema holds runs only as SQLite allows for
    // untrusted files, and every cell's size is checked against its page as it is read.
    for (const char *statement : { "PRAGMA trusted_schema = OFF", "PRAGMA cell_size_check = ON" }) {
        if (!pragma.exec(QString::fromLatin1(statement)))
            return failed(pragma.lastError());
    }

    // The version and the schema are read in one read transaction: another copy of the game
    // making the tables meanwhile is seen wholly or not at all, never as a version 0 file that
    // holds tables. The version is read before anything is written: a newer game's file stays
    // untouched.
    if (!pragma.exec(QStringLiteral("BEGIN")))
        return failed(pragma.lastError());
    const auto endReading = [&pragma] { pragma.exec(QStringLiteral("ROLLBACK")); };
    const int version = historySchemaVersion(db, &error);
    if (version == -1 && error.isValid()) {
        endReading();
        return failed(error);
    }
    if (version > kHistorySchemaVersion) {
        endReading();
        return Opening::Newer;
    }

    const bool large = QFileInfo(m_path).size() > kLargeFile;
    const bool busy
        = m_busy && version >= 0 && (large || (version > 0 && version < kHistorySchemaVersion));
    if (busy)
        m_busy(true);
    const FileVerdict verdict = checkHistoryFile(db, version, &error);
    endReading();
    Opening opening = Opening::Failed;
    switch (verdict) {
    case FileVerdict::Sound:
        opening = ready(db, error);
        break;
    case FileVerdict::Damaged:
        opening = Opening::Damaged;
        break;
    case FileVerdict::Foreign:
        opening = Opening::Foreign;
        break;
    case FileVerdict::Failed:
        break;
    }
    if (busy)
        m_busy(false);
    return opening;
}

HistoryStore::Opening HistoryStore::ready(QSqlDatabase &db, QSqlError &error)
{
    const auto failed = [&error](const QSqlError &found) {
        error = found;
        return isDamage(found) ? Opening::Damaged : Opening::Failed;
    };

    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !pragma.next())
        return failed(pragma.lastError());
    if (pragma.value(0).toString() != QLatin1String("wal"))
        return Opening::NotWal;
    // In WAL mode a commit is in the log file once it returns, which a killed process cannot
    // undo; only the log's copying into the database waits for the disk.
    if (!pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return failed(pragma.lastError());

    switch (upgradeHistorySchema(db, &error)) {
    case SchemaResult::Ready:
        break;
    case SchemaResult::Newer:
        return Opening::Newer;
    case SchemaResult::Failed:
        return isDamage(error) ? Opening::Damaged : Opening::Failed;
    }

    Connection &c = *m_connection;
    for (auto [query, statement] : {
             std::pair { &c.insertSession,
                         QStringLiteral("INSERT INTO sessions (started_at, ended_at, start_money, "
                                        "end_money, run, longest_run) VALUES (?, ?, ?, ?, ?, ?)") },
             std::pair { &c.updateSession,
                         QStringLiteral("UPDATE sessions SET ended_at = ?, end_money = ?, "
                                        "run = CASE WHEN ? THEN run + 1 ELSE 0 END, "
                                        "longest_run = MAX(longest_run, "
                                        "CASE WHEN ? THEN run + 1 ELSE 0 END) WHERE id = ?") },
             std::pair { &c.insertRound,
                         QStringLiteral("INSERT INTO rounds (session_id, %1) VALUES (?%2)")
                             .arg(kRoundColumns, QStringLiteral(", ?").repeated(13)) },
             std::pair { &c.addToKind,
                         QStringLiteral("INSERT INTO kind_totals VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
                                        "ON CONFLICT (session_id, user_kind) DO UPDATE SET "
                                        "won = won + excluded.won, tied = tied + excluded.tied, "
                                        "lost = lost + excluded.lost, "
                                        "most_won = MAX(most_won, excluded.most_won), "
                                        "most_lost = MAX(most_lost, excluded.most_lost), "
                                        "best_money = MAX(best_money, excluded.best_money)") },
             std::pair { &c.addToRun,
                         QStringLiteral("UPDATE run_totals SET "
                                        "run = CASE WHEN ? THEN run + 1 ELSE 0 END, "
                                        "longest_run = MAX(longest_run, "
                                        "CASE WHEN ? THEN run + 1 ELSE 0 END) WHERE id = 1") },
         }) {
        *query = QSqlQuery(db);
        if (!query->prepare(statement))
            return failed(query->lastError());
    }
    return Opening::Ready;
}

void HistoryStore::closeConnection()
{
    if (!m_connection)
        return;
    const QString name = m_connection->name;
    m_connection.reset(); // the queries go before their connection
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    // A session's rows belong to the file they were written to.
    m_sessionId.reset();
}

bool HistoryStore::setAside(SetAside because)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_path, target))
        return fail(Trouble::Unreadable, QString());
    // Its log and shared index belong with it; a new history must not start from them.
    for (const QString &suffix : { QStringLiteral("-wal"), QStringLiteral("-shm") }) {
        if (QFileInfo::exists(m_path + suffix))
            QFile::rename(m_path + suffix, target + suffix);
    }
    m_setAsidePath = target;
    m_setAsideBecause = because;
    return true;
}

void HistoryStore::beginSession(double money, qint64 atMs)
{
    m_sessionBegun = true;
    m_sessionStartMoney = money;
    m_sessionStartMs = atMs;
    m_sessionId.reset();
}

bool HistoryStore::record(const PlayedRound &round)
{
    assert(round.playedAtMs != 0);
    const QString setAsideBefore = m_setAsidePath;
    if (recordOnce(round))
        return true;
    // Damage met by this write set the file aside: the round goes into the new history.
    return m_setAsidePath != setAsideBefore && !m_connection && recordOnce(round);
}

bool HistoryStore::recordOnce(const PlayedRound &round)
{
    if (!open())
        return false;
    QSqlQuery transaction(m_connection->database());
    if (!transaction.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(transaction.lastError());
    const std::optional<qint64> sessionBefore = m_sessionId;
    QSqlError error;
    if (!writeRound(round, error) || !transaction.exec(QStringLiteral("COMMIT"))) {
        if (!error.isValid())
            error = transaction.lastError();
        transaction.exec(QStringLiteral("ROLLBACK"));
        m_sessionId = sessionBefore;
        return fail(error);
    }
    m_trouble = Trouble::None;
    return true;
}

bool HistoryStore::writeRound(const PlayedRound &round, QSqlError &error)
{
    Connection &c = *m_connection;
    const auto run = [&error](QSqlQuery &query) {
        if (query.exec())
            return true;
        error = query.lastError();
        return false;
    };
    const bool won = round.outcome == Settlement::Outcome::UserWins;
    const qint64 at = round.playedAtMs;

    if (m_sessionId) {
        c.updateSession.bindValue(0, at);
        c.updateSession.bindValue(1, round.moneyAfter);
        c.updateSession.bindValue(2, won);
        c.updateSession.bindValue(3, won);
        c.updateSession.bindValue(4, *m_sessionId);
        if (!run(c.updateSession))
            return false;
        // Cleared meanwhile by another copy of the game: the table goes on as a new session.
        if (c.updateSession.numRowsAffected() == 0)
            m_sessionId.reset();
    }
    if (!m_sessionId) {
        const double moneyBefore = round.moneyAfter - round.moneyChange;
        c.insertSession.bindValue(0, m_sessionBegun ? m_sessionStartMs : at);
        c.insertSession.bindValue(1, at);
        c.insertSession.bindValue(2, m_sessionBegun ? m_sessionStartMoney : moneyBefore);
        c.insertSession.bindValue(3, round.moneyAfter);
        c.insertSession.bindValue(4, won ? 1 : 0);
        c.insertSession.bindValue(5, won ? 1 : 0);
        if (!run(c.insertSession))
            return false;
        m_sessionId = c.insertSession.lastInsertId().toLongLong();
    }

    const auto bindHand = [&c](int first, const PlayedHand &hand) {
        c.insertRound.bindValue(first, cardCodes(hand));
        c.insertRound.bindValue(first + 1, hand.value.kind);
        c.insertRound.bindValue(first + 2, hand.value.multiplier);
        c.insertRound.bindValue(first + 3, QString::fromStdString(hand.value.label));
    };
    c.insertRound.bindValue(0, *m_sessionId);
    c.insertRound.bindValue(1, at);
    c.insertRound.bindValue(2, round.stake);
    bindHand(3, round.user);
    bindHand(7, round.dealer);
    c.insertRound.bindValue(11, outcomeNumber(round.outcome));
    c.insertRound.bindValue(12, round.moneyChange);
    c.insertRound.bindValue(13, round.moneyAfter);
    if (!run(c.insertRound))
        return false;

    c.addToKind.bindValue(0, *m_sessionId);
    c.addToKind.bindValue(1, round.user.value.kind);
    c.addToKind.bindValue(2, won ? 1 : 0);
    c.addToKind.bindValue(3, round.outcome == Settlement::Outcome::Tie ? 1 : 0);
    c.addToKind.bindValue(4, round.outcome == Settlement::Outcome::UserLoses ? 1 : 0);
    c.addToKind.bindValue(5, std::max(round.moneyChange, 0.0));
    c.addToKind.bindValue(6, std::max(-round.moneyChange, 0.0));
    c.addToKind.bindValue(7, round.moneyAfter);
    c.addToRun.bindValue(0, won);
    c.addToRun.bindValue(1, won);
    return run(c.addToKind) && run(c.addToRun);
}

void HistoryStore::endSession(qint64 atMs)
{
    if (m_connection && m_sessionId) {
        QSqlQuery end(m_connection->database());
        end.prepare(QStringLiteral("UPDATE sessions SET ended_at = ? WHERE id = ?"));
        end.addBindValue(atMs);
        end.addBindValue(*m_sessionId);
        if (!end.exec())
            fail(end.lastError());
    }
    m_sessionBegun = false;
    m_sessionId.reset();
}

std::optional<QString> HistoryStore::scopeFilter(Scope scope) const
{
    if (scope == Scope::AllTime)
        return QString();
    if (!m_sessionId)
        return std::nullopt;
    return QStringLiteral(" WHERE session_id = %1").arg(*m_sessionId);
}

HistoryFigures HistoryStore::figures(Scope scope)
{
    HistoryFigures figures;
    if (!open())
        return figures;
    const std::optional<QString> where = scopeFilter(scope);
    if (!where)
        return figures;

    // The totals kept as the rounds came, by table and hand kind: a few rows, however many
    // rounds there are. The counts are summed as real numbers, which never overflow, and each
    // row's own counts must be whole and not below 0.
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT user_kind, TOTAL(won), TOTAL(tied), TOTAL(lost), "
                                   "MAX(most_won), MAX(most_lost), MAX(best_money), "
                                   "MAX(typeof(won) <> 'integer' OR typeof(tied) <> 'integer' "
                                   "OR typeof(lost) <> 'integer' OR MIN(won, tied, lost) < 0) "
                                   "FROM kind_totals%1 GROUP BY user_kind ORDER BY user_kind DESC")
                        .arg(*where))) {
        fail(query.lastError());
        return figures;
    }
    while (query.next()) {
        const std::optional<double> kind = numberIn(query.value(0), kFirstKind, kLastKind);
        const std::optional<qint64> won = countIn(query.value(1));
        const std::optional<qint64> tied = countIn(query.value(2));
        const std::optional<qint64> lost = countIn(query.value(3));
        const std::optional<double> mostWon = numberIn(query.value(4), 0, kMostMoney);
        const std::optional<double> mostLost = numberIn(query.value(5), 0, kMostMoney);
        const std::optional<double> money = moneyIn(query.value(6));
        if (!kind || *kind != std::floor(*kind) || !won || !tied || !lost || !mostWon || !mostLost
            || !money || query.value(7).toInt() != 0)
            return damaged(QStringLiteral("kind_totals")), HistoryFigures {};
        KindOutcomes outcomes;
        outcomes.kind = static_cast<int>(*kind);
        outcomes.counts = { *won, *tied, *lost };
        if (outcomes.counts.rounds() == 0)
            continue;
        figures.byUserKind.push_back(outcomes);
        // At most 17 kinds of at most kMostCount each: far below overflowing.
        figures.outcomes.won += *won;
        figures.outcomes.tied += *tied;
        figures.outcomes.lost += *lost;
        if (*mostWon > figures.biggestWin.value_or(0))
            figures.biggestWin = mostWon;
        if (*mostLost > figures.biggestLoss.value_or(0))
            figures.biggestLoss = mostLost;
        if (!figures.bestMoney || *money > *figures.bestMoney)
            figures.bestMoney = money;
    }
    if (figures.byUserKind.empty())
        return figures;

    // Each table's longest run, and the money it started with, which may be the most it ever
    // held.
    const QString sessions
        = scope == Scope::AllTime ? QString() : QStringLiteral(" WHERE id = %1").arg(*m_sessionId);
    if (!query.exec(QStringLiteral("SELECT MAX(longest_run), MAX(start_money), "
                                   "MAX(typeof(longest_run) <> 'integer' OR longest_run < 0 "
                                   "OR typeof(start_money) NOT IN ('integer', 'real')) "
                                   "FROM sessions%1")
                        .arg(sessions))) {
        fail(query.lastError());
        return figures;
    }
    if (query.next() && !query.isNull(0)) {
        const std::optional<qint64> longest = countIn(query.value(0));
        const std::optional<double> started = moneyIn(query.value(1));
        if (!longest || !started || query.value(2).toInt() != 0)
            return damaged(QStringLiteral("sessions")), HistoryFigures {};
        figures.longestWinningRun = *longest;
        figures.bestMoney = std::max(*figures.bestMoney, *started);
    }
    return figures;
}

MoneySeries HistoryStore::moneySeries(Scope scope)
{
    MoneySeries series;
    if (!open())
        return series;
    const std::optional<QString> where = scopeFilter(scope);
    if (!where)
        return series;
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    // Table by table, each table's rounds in the order played (two copies of the game may have
    // played at once). The second column, the money before a table's first round, is read only
    // where a table begins: the rows are many, and each column read costs more than SQLite's own
    // work.
    if (!query.exec(QStringLiteral("SELECT money_after, CASE WHEN session_id IS LAG(session_id) "
                                   "OVER (ORDER BY session_id, id) THEN NULL "
                                   "ELSE money_after - money_change END "
                                   "FROM rounds%1 ORDER BY session_id, id")
                        .arg(*where))) {
        fail(query.lastError());
        return series;
    }
    series.money.reserve(static_cast<std::size_t>(roundCount(scope)) + 1);
    while (query.next()) {
        const QVariant before = query.value(1);
        if (!before.isNull()) {
            const std::optional<double> started = moneyIn(before);
            if (!started)
                return damaged(QStringLiteral("rounds")), MoneySeries {};
            if (!series.money.empty())
                series.tableStarts.push_back(series.money.size());
            series.money.push_back(*started);
        }
        const std::optional<double> after = moneyIn(query.value(0));
        if (!after)
            return damaged(QStringLiteral("rounds")), MoneySeries {};
        series.money.push_back(*after);
    }
    return series;
}

std::vector<PlayedRound> HistoryStore::latestRounds(Scope scope, int count)
{
    std::vector<PlayedRound> rounds;
    if (count <= 0 || !open())
        return rounds;
    const std::optional<QString> where = scopeFilter(scope);
    if (!where)
        return rounds;
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM rounds%2 ORDER BY id DESC LIMIT %3")
                        .arg(kRoundsRead, *where)
                        .arg(count))) {
        fail(query.lastError());
        return rounds;
    }
    const auto readHand = [&query](int first, PlayedHand &hand) {
        readCardCodes(query.value(first).toString(), hand);
        hand.value.kind = query.value(first + 1).toInt();
        hand.value.multiplier = query.value(first + 2).toInt();
        hand.value.label = query.value(first + 3).toString().toStdString();
    };
    while (query.next()) {
        PlayedRound round;
        round.playedAtMs = query.value(0).toLongLong();
        const std::optional<double> stake = numberIn(query.value(1), 0, kMostMoney);
        const std::optional<double> change = moneyIn(query.value(11));
        const std::optional<double> after = moneyIn(query.value(12));
        if (!stake || !change || !after)
            return damaged(QStringLiteral("rounds")), std::vector<PlayedRound> {};
        round.stake = *stake;
        readHand(2, round.user);
        readHand(6, round.dealer);
        round.outcome = outcomeOf(query.value(10).toInt());
        round.moneyChange = *change;
        round.moneyAfter = *after;
        rounds.push_back(round);
    }
    return rounds;
}

qint64 HistoryStore::roundCount(Scope scope)
{
    if (!open())
        return 0;
    const std::optional<QString> where = scopeFilter(scope);
    if (!where)
        return 0;
    QSqlQuery query(m_connection->database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM rounds%1").arg(*where)) || !query.next()) {
        fail(query.lastError());
        return 0;
    }
    return query.value(0).toLongLong();
}

void HistoryStore::damaged(const QString &what)
{
    // Found after the file was opened: set aside now, and the next use begins a new history. The
    // history itself is whole again, only new.
    closeConnection();
    if (setAside(SetAside::Damaged))
        m_trouble = Trouble::None;
    else
        m_troubleDetail = what;
}

bool HistoryStore::clear()
{
    if (!open())
        return false;
    QSqlQuery query(m_connection->database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());
    if (!query.exec(QStringLiteral("DELETE FROM rounds"))
        || !query.exec(QStringLiteral("DELETE FROM sessions"))
        || !query.exec(QStringLiteral("DELETE FROM kind_totals"))
        || !query.exec(QStringLiteral("UPDATE run_totals SET run = 0, longest_run = 0"))
        || !query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return fail(error);
    }
    m_sessionId.reset();
    m_sessionBegun = false;
    // Give the space back. Either may fail while another copy of the game reads the file; the
    // history is empty all the same.
    query.exec(QStringLiteral("VACUUM"));
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    m_trouble = Trouble::None;
    return true;
}
