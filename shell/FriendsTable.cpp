#include "shell/FriendsTable.h"

#include "net/Protocol.h"
#include "net/TableAnnouncement.h"
#include "net/TableClient.h"
#include "net/TableDiscovery.h"
#include "net/TableHost.h"
#include "table/SeatLink.h"
#include "table/TableController.h"
#include "toolkit/DisplayText.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowPlace.h"
#include "windows/ChatPanel.h"
#include "windows/FriendsDialog.h"
#include "windows/Frmpok.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {

const QString kHostLine = QStringLiteral("โต๊ะของคุณเปิดที่พอร์ต %1 รหัสเข้าร่วม %2");
const QString kJoinedLine = QStringLiteral("เล่นที่โต๊ะ %1:%2");
const QString kCannotHost = QStringLiteral("เปิดโต๊ะที่พอร์ต %1 ไม่ได้: %2");
const QString kCannotJoin = QStringLiteral("เข้าร่วมโต๊ะไม่ได้");
const QString kNoAnswer = QStringLiteral("โต๊ะที่ %1:%2 ไม่ตอบ ตรวจที่อยู่และพอร์ตอีกครั้ง");
const QString kConnectionLost = QStringLiteral("การเชื่อมต่อกับโต๊ะหลุด");
const QString kRejoining = QStringLiteral("การเชื่อมต่อกับโต๊ะหลุด กำลังเชื่อมต่อใหม่…");
const QString kTitle = QStringLiteral("เล่นกับเพื่อน");

// How long a join waits for the host's answer.
constexpr int kJoinWaitMs = 10'000;
// How long a lost connection is tried again: as long as a host keeps the seat.
constexpr int kRejoinWithinMs = 60'000;

// Runs the table window until it closes; the window it asks for next.
GameKind run(Frmpok &window, QWidget *parent)
{
    windowplace::placeOver(&window, parent);
    window.exec();
    return window.nextWindow();
}

void connectChat(Frmpok &window, net::TableHost &host, int seat, const QString &name)
{
    QObject::connect(window.chatPanel(), &ChatPanel::said, &host,
                     [&host, seat, name](const QString &text) { host.say(seat, name, text); });
    QObject::connect(window.chatPanel(), &ChatPanel::saidPhrase, &host,
                     [&host, seat, name](int phrase) { host.say(seat, name, {}, phrase); });
    QObject::connect(&host, &net::TableHost::chatted, window.chatPanel(),
                     [&window, seat](const net::Chat &line) {
                         window.chatPanel()->addLine(QString::fromStdString(line.name),
                                                     QString::fromStdString(net::chatText(line)),
                                                     line.seat == seat);
                     });
    QObject::connect(&host, &net::TableHost::noticed, window.chatPanel(),
                     [&window, seat](int to, const QString &text) {
                         if (to == seat)
                             window.chatPanel()->addNotice(text);
                     });
}

GameKind host(const FriendsChoice &choice, QWidget *parent)
{
    table::TableController table(cards::gameRandom());
    table.setDecimalPoint(localeDecimalPoint().toStdString());
    net::TableHost host(table, { choice.code });
    if (!host.listen(QHostAddress::Any, choice.port)) {
        Toolkit::instance().messageBox(parent, kCannotHost.arg(choice.port).arg(host.errorString()),
                                       Toolkit::Style::StopOk, kTitle);
        return GameKind::None;
    }
    const int seat = pokdeng::kUserSeat;
    table::LocalSeat link(table, seat);
    Frmpok window(link, seat);
    window.showTableLine(kHostLine.arg(host.port()).arg(choice.code));
    connectChat(window, host, seat, choice.name);
    table.join(choice.name.toStdString(), &window, seat);
    TableAnnouncer announcer({ net::kProtocolVersion, choice.name, host.port(), 2 });
    QObject::connect(&table, &table::TableController::roundSettled, &announcer,
                     [&] { announcer.setFreeSeats(3 - table.personCount()); });
    const GameKind next = run(window, parent);
    // The window goes before the table and its host, which would otherwise still tell it.
    table.leave(seat);
    return next;
}

GameKind join(const FriendsChoice &choice, QWidget *parent)
{
    net::TableClient client;
    QEventLoop wait;
    int seat = 0;
    QString problem;
    QObject::connect(&client, &net::TableClient::welcomed, &wait, [&](int given) {
        seat = given;
        wait.quit();
    });
    QObject::connect(&client, &net::TableClient::rejected, &wait,
                     [&](net::Rejection, const QString &text) {
                         problem = text;
                         wait.quit();
                     });
    QObject::connect(&client, &net::TableClient::disconnected, &wait, [&] { wait.quit(); });
    QTimer::singleShot(kJoinWaitMs, &wait, &QEventLoop::quit);
    client.connectTo(choice.address, choice.port, choice.name, choice.code);
    wait.exec();
    if (seat == 0) {
        if (problem.isEmpty())
            problem = kNoAnswer.arg(choice.address).arg(choice.port);
        Toolkit::instance().messageBox(parent, problem, Toolkit::Style::StopOk, kCannotJoin);
        return GameKind::None;
    }
    Frmpok window(client, seat);
    client.setView(&window);
    window.showTableLine(kJoinedLine.arg(choice.address).arg(choice.port));
    QObject::connect(window.chatPanel(), &ChatPanel::said, &client, &net::TableClient::say);
    QObject::connect(window.chatPanel(), &ChatPanel::saidPhrase, &client,
                     &net::TableClient::sayPhrase);
    QObject::connect(&client, &net::TableClient::chatted, window.chatPanel(),
                     [&window, seat](int from, const QString &name, const QString &text) {
                         window.chatPanel()->addLine(name, text, from == seat);
                     });
    QObject::connect(&client, &net::TableClient::noticed, window.chatPanel(),
                     &ChatPanel::addNotice);
    QObject::connect(
        &client, &net::TableClient::refused, &window,
        [&window](table::Refusal refusal, const QString &why) { window.refused(refusal, why); });
    // A lost connection is tried again as long as the host keeps the seat.
    client.setRejoinWithin(kRejoinWithinMs);
    QObject::connect(&client, &net::TableClient::rejoining, &window,
                     [&window] { window.showTableLine(kRejoining); });
    QObject::connect(&client, &net::TableClient::welcomed, &window, [&window, &choice] {
        window.showTableLine(kJoinedLine.arg(choice.address).arg(choice.port));
    });
    // Why the table was left, when the host said (it closed the table, the seat was given up).
    QString ended;
    QObject::connect(&client, &net::TableClient::rejected, &window,
                     [&](net::Rejection, const QString &why) {
                         ended = why;
                         window.showTableLine(why);
                     });
    QObject::connect(&client, &net::TableClient::disconnected, &window, [&] {
        if (ended.isEmpty())
            window.showTableLine(kConnectionLost);
    });
    const GameKind next = run(window, parent);
    client.setView(nullptr);
    return next;
}

} // namespace

GameKind playWithFriends(QWidget *parent)
{
    TableFinder finder(net::kProtocolVersion);
    QPointer<FriendsDialog> dialog(new FriendsDialog(&finder, parent));
    windowplace::placeOver(dialog, parent);
    dialog->exec();
    if (!dialog)
        return GameKind::None;
    const std::optional<FriendsChoice> choice = dialog->choice();
    delete dialog;
    if (!choice || Toolkit::instance().isEnding())
        return GameKind::None;
    return choice->role == FriendsChoice::Role::Host ? host(*choice, parent)
                                                     : join(*choice, parent);
}

GameKind joinTable(const FriendsChoice &choice, QWidget *parent)
{
    return join(choice, parent);
}
