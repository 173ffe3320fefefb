// The seat tokens a joining game keeps on disk: one table's token comes back for that table
// alone, only its owner may read it, and one kept longer ago than a host keeps a seat is not
// given.
#include "net/SeatTokenStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kHost = QStringLiteral("192.168.1.20");
constexpr quint16 kPort = 5150;
const QString kCode = QStringLiteral("246810");
const QString kToken = QStringLiteral("0123456789abcdef0123456789abcdef");

class SeatTokens : public ::testing::Test
{
protected:
    QTemporaryDir folder;
    net::SeatTokenStore store { folder.filePath(QStringLiteral("seats")) };
};

TEST_F(SeatTokens, ATableGetsBackItsOwnTokenOnlyAndItsFileIsTheOwnersAlone)
{
    ASSERT_TRUE(store.keep(kHost, kPort, kCode, kToken));
    EXPECT_EQ(store.token(kHost, kPort, kCode), kToken);
    EXPECT_TRUE(store.token(kHost, kPort + 1, kCode).isEmpty());
    EXPECT_TRUE(store.token(QStringLiteral("192.168.1.21"), kPort, kCode).isEmpty());
    EXPECT_TRUE(store.token(kHost, kPort, QStringLiteral("135790")).isEmpty());

    const QString path = store.filePath(kHost, kPort, kCode);
    struct stat info
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // The join code is not written in the clear, in the file's name or in it.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains(kCode.toUtf8()));
    EXPECT_FALSE(QFileInfo(path).fileName().contains(kCode));

    // Kept again (a later seat at the same table), the newer token is the one given.
    const QString later = QStringLiteral("fedcba9876543210fedcba9876543210");
    ASSERT_TRUE(store.keep(kHost, kPort, kCode, later));
    EXPECT_EQ(store.token(kHost, kPort, kCode), later);

    store.forget(kHost, kPort, kCode);
    EXPECT_TRUE(store.token(kHost, kPort, kCode).isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

// The file says when the token was last kept; these rows change that time, or the file.
TEST_F(SeatTokens, ATokenOlderThanTheHostKeepsASeatOrAFileNotOursIsNotGiven)
{
    struct Row
    {
        const char *name;
        qint64 keptMsAgo; // -1: the time is left out
        QByteArray replacedBy; // when not empty: the file's bytes
        bool given;
    } rows[] = {
        { "kept a moment ago", 1'000, {}, true },
        { "kept 59 s ago", 59'000, {}, true },
        { "kept 61 s ago: the host has given the seat away", 61'000, {}, false },
        { "kept in the future: a clock set back", -60'000, {}, false },
        { "no time", -1, {}, false },
        { "not JSON", 0, "token=0123", false },
    };
    for (const Row &row : rows) {
        ASSERT_TRUE(store.keep(kHost, kPort, kCode, kToken));
        const QString path = store.filePath(kHost, kPort, kCode);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QJsonObject kept = QJsonDocument::fromJson(file.readAll()).object();
        file.close();
        if (row.keptMsAgo == -1)
            kept.remove(QStringLiteral("kept"));
        else
            kept.insert(QStringLiteral("kept"),
                        QDateTime::currentMSecsSinceEpoch() - row.keptMsAgo);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.replacedBy.isEmpty() ? QJsonDocument(kept).toJson() : row.replacedBy);
        file.close();
        EXPECT_EQ(store.token(kHost, kPort, kCode), row.given ? kToken : QString()) << row.name;
    }
}

TEST_F(SeatTokens, AFolderThatCannotBeMadeKeepsNothing)
{
    QFile blocker(folder.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    net::SeatTokenStore blocked(folder.filePath(QStringLiteral("file/seats")));
    EXPECT_FALSE(blocked.keep(kHost, kPort, kCode, kToken));
    EXPECT_TRUE(blocked.token(kHost, kPort, kCode).isEmpty());
}

} // namespace
