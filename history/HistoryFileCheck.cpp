#include "history/HistoryFileCheck.h"

#include "history/HistorySchema.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <array>
#include <atomic>

namespace {

bool isDamage(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 11 || code == 26); // SQLITE_CORRUPT, SQLITE_NOTADB
}

FileVerdict failed(const QSqlQuery &query, QSqlError *error)
{
    if (error)
        *error = query.lastError();
    return isDamage(query.lastError()) ? FileVerdict::Damaged : FileVerdict::Failed;
}

// A table's or index's statement as SQLite keeps it, without the blanks that mean nothing: the
// first version's files were made by statements spaced otherwise.
QString withoutBlanks(const QString &sql)
{
    static const QRegularExpression aroundPunctuation(QStringLiteral("\\s*([(),])\\s*"));
    return sql.simplified().replace(aroundPunctuation, QStringLiteral("\\1"));
}

// Every entry of the schema, one line each, in a fixed order. Empty with error set when it
// cannot be read.
QStringList schemaOf(QSqlDatabase &db, QSqlError *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QStringList entries;
    if (!query.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master "
                                   "ORDER BY type, name"))) {
        *error = query.lastError();
        return {};
    }
    while (query.next()) {
        entries << QStringList { query.value(0).toString(), query.value(1).toString(),
                                 query.value(2).toString(),
                                 withoutBlanks(query.value(3).toString()) }
                       .join(QLatin1Char('\n'));
    }
    if (query.lastError().isValid())
        *error = query.lastError();
    return entries;
}

// The schema the game makes at a version, made once in a database in memory with the game's own
// steps and read back as SQLite writes it.
const QStringList &schemaAt(int version)
{
    static const std::array<QStringList, kHistorySchemaVersion + 1> made = [] {
        std::array<QStringList, kHistorySchemaVersion + 1> schemas;
        static std::atomic<int> count { 0 };
        const QString name = QStringLiteral("pokdeng-history-model-%1").arg(++count);
        {
            QSqlDatabase model = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            model.setDatabaseName(QStringLiteral(":memory:"));
            if (model.open()) {
                QSqlError error;
                for (int v = 0; v <= kHistorySchemaVersion; ++v) {
                    if (v > 0 && !applyHistorySchemaStep(model, v, &error))
                        break;
                    schemas[static_cast<std::size_t>(v)] = schemaOf(model, &error);
                }
            }
            model.close();
        }
        QSqlDatabase::removeDatabase(name);
        return schemas;
    }();
    return made[static_cast<std::size_t>(version)];
}

} // namespace

FileVerdict checkHistoryFile(QSqlDatabase &db, int version, QSqlError *error)
{
    if (version < 0 || version > kHistorySchemaVersion)
        return FileVerdict::Foreign;
    QSqlError schemaError;
    const QStringList schema = schemaOf(db, &schemaError);
    if (schemaError.isValid()) {
        if (error)
            *error = schemaError;
        return isDamage(schemaError) ? FileVerdict::Damaged : FileVerdict::Failed;
    }
    if (schema != schemaAt(version))
        return FileVerdict::Foreign;
    if (schema.isEmpty())
        return FileVerdict::Sound;

    // Reads every page once: about 35 ms of processor time over 100,000 rounds.
    QSqlQuery check(db);
    check.setForwardOnly(true);
    if (!check.exec(QStringLiteral("PRAGMA quick_check(1)")) || !check.next())
        return failed(check, error);
    return check.value(0).toString() == QLatin1String("ok") ? FileVerdict::Sound
                                                            : FileVerdict::Damaged;
}

bool historyFileIsLinked(const QString &path)
{
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                   QStringLiteral("-journal") }) {
        if (QFileInfo(path + suffix).isSymLink())
            return true;
    }
    return false;
}
