#include "history/ScoreStore.h"

#include "rules/ScoreFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <optional>
#include <string>

#include <unistd.h>

namespace {

const QString kFileName = QStringLiteral("point.pon");

bool fail(SaveProblem *problem, SaveProblem what)
{
    if (problem)
        *problem = what;
    return false;
}

// What stopped the save of the file at path, from the errno of the call that failed; where that
// says nothing clear, the folder is asked whether it may be written.
SaveProblem problemOf(const QString &path, int error)
{
    const QFileInfo target(path);
    if (target.isDir())
        return SaveProblem::FolderInTheWay;
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        return SaveProblem::NoRoom;
    if (error != EROFS && error != EACCES && error != EPERM
        && access(QFile::encodeName(target.absolutePath()).constData(), W_OK) != 0)
        error = errno;
    if (error == EROFS)
        return SaveProblem::ReadOnly;
    if (error == EACCES || error == EPERM)
        return SaveProblem::NoPermission;
    return SaveProblem::Other;
}

cards::ScoreRecord readScoreFileAt(const QString &path)
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
    return cards::parseScoreFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

QString scoreFilePath()
{
    return kFileName;
}

cards::ScoreRecord readScoreFile()
{
    return readScoreFileAt(scoreFilePath());
}

bool hasScoreRecord()
{
    const QFileInfo file(scoreFilePath());
    return file.isFile() && file.size() > 0;
}

bool writeScoreFile(const QString &name, double money, SaveProblem *problem)
{
    return writeScoreFileAt(scoreFilePath(), name, money, problem);
}

bool writeScoreFileAt(const QString &path, const QString &name, double money, SaveProblem *problem)
{
    // A broken UTF-16 name would reach the code page as "?" and be stored as something else.
    if (!name.isValidUtf16())
        return fail(problem, SaveProblem::NameNotStorable);
    const std::optional<std::string> bytes = cards::scoreFileBytes(name.toStdString(), money);
    if (!bytes)
        return fail(problem, SaveProblem::NameNotStorable);

    // The new record goes to a file of its own and replaces the old one only when whole.
    // Unbuffered, so a short write (a full disk) shows in write()'s count here and not as a
    // silently short file at commit().
    // errno is read right after the call that failed, before anything else can change it.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(problem, problemOf(path, errno));
    const qint64 size = static_cast<qint64>(bytes->size());
    errno = 0;
    if (file.write(bytes->data(), size) != size) {
        // A short count with no error is a disk that filled up.
        const int error = file.error() == QFileDevice::NoError ? ENOSPC : errno;
        file.cancelWriting();
        return fail(problem, problemOf(path, error));
    }
    errno = 0;
    if (!file.commit())
        return fail(problem, problemOf(path, errno));
    return true;
}
