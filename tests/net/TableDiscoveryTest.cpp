// Finding tables: an announcement's bytes read back as they were written and anything else is
// ignored; a finder on this machine's loopback hears an announcer, follows its changes, forgets
// it once it is silent, and keeps no more tables than its bound however many announce.
#include "net/TableDiscovery.h"
#include "support/RowName.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kProtocol = 1;

QByteArray cborMap(std::initializer_list<std::pair<const char *, QCborValue>> fields)
{
    QCborMap map;
    for (const auto &[key, value] : fields)
        map.insert(QString::fromLatin1(key), value);
    return map.toCborValue().toCbor();
}

QByteArray withFields(int protocol, QCborValue name, qint64 port, qint64 free)
{
    return cborMap(
        { { "pokdeng", protocol }, { "name", name }, { "port", port }, { "free", free } });
}

struct NotAnAnnouncement
{
    const char *name;
    QByteArray datagram;
};

class IgnoredDatagrams : public ::testing::TestWithParam<NotAnAnnouncement>
{
};

TEST_P(IgnoredDatagrams, AreNotTables)
{
    EXPECT_EQ(decodeAnnouncement(GetParam().datagram, kProtocol), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Announcements, IgnoredDatagrams,
    ::testing::Values(
        NotAnAnnouncement { "empty", {} },
        NotAnAnnouncement { "not cbor", QByteArrayLiteral("\xff\xff\x00hello") },
        NotAnAnnouncement { "truncated",
                            withFields(kProtocol, QStringLiteral("ก"), 47100, 2).chopped(3) },
        NotAnAnnouncement { "an array", QCborValue(QCborArray { 1, 2, 3 }).toCbor() },
        NotAnAnnouncement { "another protocol",
                            withFields(kProtocol + 1, QStringLiteral("ก"), 47100, 2) },
        NotAnAnnouncement { "port 0", withFields(kProtocol, QStringLiteral("ก"), 0, 2) },
        NotAnAnnouncement { "port past 65535",
                            withFields(kProtocol, QStringLiteral("ก"), 70000, 2) },
        NotAnAnnouncement { "four seats free",
                            withFields(kProtocol, QStringLiteral("ก"), 47100, 4) },
        NotAnAnnouncement { "a number for a name", withFields(kProtocol, 7, 47100, 1) },
        NotAnAnnouncement {
            "no port",
            cborMap({ { "pokdeng", kProtocol }, { "name", QStringLiteral("ก") }, { "free", 1 } }) },
        NotAnAnnouncement { "too long",
                            withFields(kProtocol, QString(600, QLatin1Char('a')), 47100, 1) }),
    RowNamer());

TEST(Announcements, ReadBackAsWrittenWithTheNameCut)
{
    const TableAnnouncement table { kProtocol, QStringLiteral("โต๊ะของสมชาย"), 47100, 2 };
    EXPECT_EQ(decodeAnnouncement(encodeAnnouncement(table), kProtocol), table);

    TableAnnouncement longName = table;
    longName.name = QString(100, QChar(0x0E01));
    const auto read = decodeAnnouncement(encodeAnnouncement(longName), kProtocol);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name.size(), kMostNameLength);
}

// Runs the event loop until done() or 10 s have passed; returns done().
bool waitFor(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

TEST(Discovery, AFinderHearsATableFollowsItAndForgetsItOnceSilent)
{
    TableFinder finder(kProtocol, QHostAddress::LocalHost, 0);
    ASSERT_TRUE(finder.isListening());
    finder.setForgetAfter(300);
    const AnnouncementTarget toFinder { QHostAddress::LocalHost, finder.port() };
    auto table = std::make_unique<TableAnnouncer>(
        TableAnnouncement { kProtocol, QStringLiteral("โต๊ะของสมชาย"), 47100, 2 },
        std::vector<AnnouncementTarget> { toFinder });

    ASSERT_TRUE(waitFor([&] { return finder.tables().size() == 1; }));
    EXPECT_EQ(finder.tables()[0].address, QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(finder.tables()[0].announcement.name, QStringLiteral("โต๊ะของสมชาย"));
    EXPECT_EQ(finder.tables()[0].announcement.port, 47100);

    table->setFreeSeats(1);
    EXPECT_TRUE(waitFor([&] { return finder.tables()[0].announcement.freeSeats == 1; }));

    table.reset();
    EXPECT_TRUE(waitFor([&] { return finder.tables().empty(); }));
}

TEST(Discovery, JunkIsIgnoredAndAFloodOfTablesIsBounded)
{
    TableFinder finder(kProtocol, QHostAddress::LocalHost, 0);
    ASSERT_TRUE(finder.isListening());
    QUdpSocket sender;
    sender.writeDatagram(QByteArrayLiteral("\x00\x01junk"), QHostAddress::LocalHost, finder.port());
    sender.writeDatagram(QByteArray(4096, 'x'), QHostAddress::LocalHost, finder.port());
    for (quint16 port = 1; port <= 100; ++port)
        sender.writeDatagram(encodeAnnouncement({ kProtocol, QStringLiteral("t"), port, 1 }),
                             QHostAddress::LocalHost, finder.port());
    ASSERT_TRUE(waitFor([&] { return finder.tables().size() == TableFinder::kMostTables; }));
    QEventLoop rest;
    QTimer::singleShot(200, &rest, &QEventLoop::quit);
    rest.exec();
    EXPECT_EQ(finder.tables().size(), TableFinder::kMostTables);
    for (const FoundTable &table : finder.tables())
        EXPECT_EQ(table.announcement.name, QStringLiteral("t"));
}

} // namespace
