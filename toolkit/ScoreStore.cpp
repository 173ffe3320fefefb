#include "toolkit/ScoreStore.h"

#include "rules/ScoreFile.h"

#include <QFile>
#include <QSaveFile>

#include <optional>
#include <string>

namespace {

const QString kFileName = QStringLiteral("point.pon");
const QString kNameNotStorable = QStringLiteral("ชื่อนี้มีตัวอักษรที่เก็บในไฟล์สถิติไม่ได้");
const QString kShortWrite = QStringLiteral("เขียนไฟล์สถิติได้ไม่ครบ ดิสก์อาจเต็ม");

bool fail(QString *errorString, const QString &reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

pokdeng::ScoreRecord readScoreFileAt(const QString &path)
{
    QFile file(path);
    if (!file.exists()) {
        // NewOnly: a file that appeared meanwhile is left as it is, never emptied. Should the
        // file not be creatable, there is nothing to read either way.
        static_cast<void>(QFile(path).open(QIODevice::WriteOnly | QIODevice::NewOnly));
        return {};
    }
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return pokdeng::parseScoreFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

QString scoreFilePath()
{
    return kFileName;
}

pokdeng::ScoreRecord readScoreFile()
{
    return readScoreFileAt(scoreFilePath());
}

bool writeScoreFile(const QString &name, double money, QString *errorString)
{
    return writeScoreFileAt(scoreFilePath(), name, money, errorString);
}

bool writeScoreFileAt(const QString &path, const QString &name, double money, QString *errorString)
{
    // A broken UTF-16 name would reach the code page as "?" and be stored as something else.
    if (!name.isValidUtf16())
        return fail(errorString, kNameNotStorable);
    const std::optional<std::string> bytes = pokdeng::scoreFileBytes(name.toStdString(), money);
    if (!bytes)
        return fail(errorString, kNameNotStorable);

    // The new record goes to a file of its own and replaces the old one only when whole.
    // Unbuffered, so a short write (a full disk) shows in write()'s count here and not as a
    // silently short file at commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(errorString, file.errorString());
    const qint64 size = static_cast<qint64>(bytes->size());
    if (file.write(bytes->data(), size) != size) {
        const QString reason
            = file.error() == QFileDevice::NoError ? kShortWrite : file.errorString();
        file.cancelWriting();
        return fail(errorString, reason);
    }
    if (!file.commit())
        return fail(errorString, file.errorString());
    return true;
}
