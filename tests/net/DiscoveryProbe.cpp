// A stand-in for a hosting and a joining game, for the network namespace test: `announce NAME`
// announces a table as a host does, to the broadcast address of every interface; `find` listens
// as a joining game does and prints each table it hears of as "ADDRESS PORT NAME", then ends.
// Both end by themselves after the seconds given.
#include "net/TableDiscovery.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const int seconds = args[2].toInt();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    constexpr int kProtocol = 1;
    if (args[1] == QStringLiteral("announce") && args.size() > 3) {
        TableAnnouncer announcer({ kProtocol, args[3], 47100, 2 });
        std::printf("announcing to %zu addresses\n", TableAnnouncer::broadcastTargets().size());
        std::fflush(stdout);
        return app.exec();
    }
    if (args[1] == QStringLiteral("find")) {
        TableFinder finder(kProtocol);
        QObject::connect(&finder, &TableFinder::tablesChanged, [&] {
            for (const FoundTable &table : finder.tables())
                std::printf("%s %u %s\n", qPrintable(table.address.toString()),
                            table.announcement.port, table.announcement.name.toUtf8().constData());
            std::fflush(stdout);
            if (!finder.tables().empty())
                app.quit();
        });
        return finder.isListening() ? app.exec() : 3;
    }
    return 2;
}
