#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <ostream>

// Readable failures for Thai text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// The score file of the test's own folder (the test main makes one per run).
inline const QString kScoreFile = QStringLiteral("point.pon");

// "Ann$ 10000", as stored: each byte shifted up by four.
inline const QByteArray kAnnStored = QByteArrayLiteral("Err($54444");

// The score file's bytes, or a null array when there is no file.
inline QByteArray rawScoreFile()
{
    QFile file(kScoreFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void putRawScoreFile(const QByteArray &bytes)
{
    QFile file(kScoreFile);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Takes away the score file, or the folder a test put in its place.
inline void removeScoreFile()
{
    QFile::remove(kScoreFile);
    QDir(kScoreFile).removeRecursively();
}

// A folder where the score file should be: no save can replace it, even as root.
inline void blockScoreFileWithFolder()
{
    removeScoreFile();
    QDir().mkdir(kScoreFile);
}
