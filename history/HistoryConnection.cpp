#include "history/HistoryConnection.h"

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

#include <atomic>

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

} // namespace

struct HistoryConnection::Handle
{
    QString name;
    int serial = 0;
    std::vector<QSqlQuery> prepared;

    Handle(const QString &connectionName, int number)
        : name(connectionName)
        , serial(number)
    {
    }
};

HistoryConnection::HistoryConnection(const QString &path)
    : m_path(path)
{
}

HistoryConnection::~HistoryConnection()
{
    close();
}

QString HistoryConnection::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/')
        + kFileName;
}

void HistoryConnection::keepPrepared(std::vector<QString> statements)
{
    m_statements = std::move(statements);
}

bool HistoryConnection::isOpen() const
{
    return m_handle != nullptr;
}

int HistoryConnection::serial() const
{
    return m_handle ? m_handle->serial : 0;
}

QSqlDatabase HistoryConnection::database() const
{
    return m_handle ? QSqlDatabase::database(m_handle->name, false) : QSqlDatabase();
}

QSqlQuery &HistoryConnection::prepared(std::size_t which)
{
    return m_handle->prepared.at(which);
}

bool HistoryConnection::open()
{
    if (m_handle)
        return true;
    if (isLasting(m_trouble))
        return false;
    return openConnection(true);
}

bool HistoryConnection::fail(Trouble trouble, const QString &detail, const QString &path)
{
    m_trouble = trouble;
    m_troubleCode = -1;
    m_troubleDetail = detail;
    m_troublePath = path.isEmpty() ? m_path : path;
    if (isLasting(trouble))
        close();
    return false;
}

bool HistoryConnection::fail(const QSqlError &error)
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

bool HistoryConnection::openConnection(bool maySetAside)
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
    const int serial = ++made;
    m_handle = std::make_unique<Handle>(QStringLiteral("pokdeng-history-%1").arg(serial), serial);
    QSqlError error;
    const Opening opening = connect(error);
    if (opening == Opening::Ready) {
        m_trouble = Trouble::None;
        return true;
    }
    close();
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

HistoryConnection::Opening HistoryConnection::connect(QSqlError &error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_handle->name);
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

HistoryConnection::Opening HistoryConnection::ready(QSqlDatabase &db, QSqlError &error)
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

    m_handle->prepared.reserve(m_statements.size());
    for (const QString &statement : m_statements) {
        QSqlQuery &query = m_handle->prepared.emplace_back(db);
        if (!query.prepare(statement))
            return failed(query.lastError());
    }
    return Opening::Ready;
}

void HistoryConnection::close()
{
    if (!m_handle)
        return;
    const QString name = m_handle->name;
    m_handle.reset(); // the queries go before their connection
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool HistoryConnection::setAside(SetAside because)
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

void HistoryConnection::damaged(const QString &what)
{
    // Found after the file was opened: set aside now, and the next use begins a new history. The
    // history itself is whole again, only new.
    close();
    if (setAside(SetAside::Damaged))
        m_trouble = Trouble::None;
    else
        m_troubleDetail = what;
}
