#include "shell/HeadlessHost.h"

#include "net/Protocol.h"
#include "net/TableDiscovery.h"
#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "shell/EndSignals.h"
#include "table/TableController.h"
#include "windows/FriendsDialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLocale>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

// The first line the host prints; scripts read the port from it (with --port 0 it is the one the
// system chose).
const QString kOpenLine = QStringLiteral("เปิดโต๊ะแล้วที่พอร์ต %1 รหัสเข้าร่วม %2 ชื่อโต๊ะ %3\n");
const QString kCannotHost = QStringLiteral("เปิดโต๊ะที่พอร์ต %1 ไม่ได้: %2\n");
const QString kClosing = QStringLiteral("ได้รับ %1 ปิดโต๊ะ");

constexpr int kSeats = 3;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

int runHeadlessHost(const FriendsChoice &choice)
{
    // A host's log is read later: each line says when.
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss} %{message}"));
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::received, [](int signal) {
        qInfo().noquote() << kClosing.arg(signal == SIGINT ? QStringLiteral("SIGINT")
                                                           : QStringLiteral("SIGTERM"));
        QCoreApplication::quit();
    });

    table::TableController table(cards::gameRandom());
    table.setDecimalPoint(QLocale().decimalPoint().toStdString());
    net::TableHost host(table, { choice.code });
    if (!host.listen(QHostAddress::Any, choice.port)) {
        print(stderr, kCannotHost.arg(choice.port).arg(host.errorString()));
        return 1;
    }
    std::optional<TableAnnouncer> announcer;
    QTimer seats;
    if (choice.announce) {
        announcer.emplace(
            TableAnnouncement { net::kProtocolVersion, choice.name, host.port(), kSeats });
        // The free seats change as people come and go; the announcement goes out every second.
        QObject::connect(&seats, &QTimer::timeout, &*announcer,
                         [&] { announcer->setFreeSeats(kSeats - table.personCount()); });
        seats.start(1000);
    }
    print(stdout, kOpenLine.arg(host.port()).arg(choice.code, choice.name));
    QCoreApplication::exec();
    return 0;
}
