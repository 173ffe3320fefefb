#include "shell/FriendsTable.h"

#include "net/LocalAddresses.h"
#include "net/Protocol.h"
#include "net/SeatTokenKeeper.h"
#include "net/SeatTokenStore.h"
#include "net/TableAddress.h"
#include "net/TableAnnouncement.h"
#include "net/TableClient.h"
#include "net/TableDiscovery.h"
#include "net/TableHost.h"
#include "shell/TableLeaving.h"
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
#include <optional>

namespace {

const QString kHostLine = QStringLiteral("โต๊ะของคุณเปิดที่พอร์ต %1 รหัสเข้าร่วม %2");
const QString kTellFriends = QStringLiteral("บอกเพื่อน: %1");
const QString kWhereAndCode = QStringLiteral("%1 รหัส %2");
const QString kOr = QStringLiteral(" หรือ ");
// Addresses named at most on the line: a machine with many interfaces would crowd it.
constexpr int kMostAddressesTold = 2;
const QString kJoinedLine = QStringLiteral("เล่นที่โต๊ะ %1:%2");
const QString kCannotHost = QStringLiteral("เปิดโต๊ะที่พอร์ต %1 ไม่ได้: %2");
const QString kCannotJoin = QStringLiteral("เข้าร่วมโต๊ะไม่ได้");
const QString kNoAnswer = QStringLiteral("โต๊ะที่ %1:%2 ไม่ตอบ ตรวจที่อยู่และพอร์ตอีกครั้ง");
const QString kConnectionLost = QStringLiteral("การเชื่อมต่อกับโต๊ะหลุด");
const QString kRejoining = QStringLiteral("การเชื่อมต่อกับโต๊ะหลุด กำลังเชื่อมต่อใหม่…");
const QString kTitle = QStringLiteral("เล่นกับเพื่อน");
const QString kTableEnded = QStringLiteral("โต๊ะนี้ปิดแล้ว (%1) ปิดหน้าต่างนี้หรือเลือกเกมอื่นได้");

// How long a join waits for the host's answer.
constexpr int kJoinWaitMs = 10'000;
// How long a lost connection is tried again: as long as a host keeps the seat.
constexpr int kRejoinWithinMs = 60'000;
// How long a game that leaves waits for the host to take the seat back before it goes anyway.
constexpr int kLeaveWaitMs = 3'000;

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

// What the host tells friends to type: this machine's addresses on the local network with the
// port, and the join code ("192.168.1.20:47100 รหัส 816081"); empty when the machine has no
// address but the loopback.
QString whereToJoin(quint16 port, const QString &code)
{
    QStringList addresses;
    for (const QHostAddress &address : net::localAddresses().mid(0, kMostAddressesTold))
        addresses << net::tableAddressText(address, port);
    return addresses.isEmpty() ? QString() : kWhereAndCode.arg(addresses.join(kOr), code);
}

// Hosts the table until its window closes (leaving asks before it does); the window it asks
// for next. The table and its host are gone when it returns: everyone seated was told.
GameKind hostUntilClosed(const FriendsChoice &choice, QWidget *parent, TableLeaving &leaving)
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
    leaving.watch(window);
    if (const QString where = whereToJoin(host.port(), choice.code); !where.isEmpty())
        window.showTableLine(kTellFriends.arg(where), where);
    else
        window.showTableLine(kHostLine.arg(host.port()).arg(choice.code));
    connectChat(window, host, seat, choice.name);
    table.join(choice.name.toStdString(), &window, seat);
    std::optional<TableAnnouncer> announcer;
    if (choice.announce) {
        announcer.emplace(TableAnnouncement { net::kProtocolVersion, choice.name, host.port(), 2 });
        QObject::connect(&table, &table::TableController::roundSettled, &*announcer,
                         [&] { announcer->setFreeSeats(3 - table.personCount()); });
    }
    const GameKind next = run(window, parent);
    // The window goes before the table and its host, which would otherwise still tell it.
    table.leave(seat);
    return next;
}

GameKind host(const FriendsChoice &choice, QWidget *parent)
{
    // Leaving is closing the table, which the host does as it goes.
    TableLeaving leaving(TableLeaving::Role::Hosting, {});
    const GameKind next = hostUntilClosed(choice, parent, leaving);
    leaving.sayWhatWasDone(parent, next);
    return next;
}

// Connects client to the table of choice with token (may be empty), and waits for the host's
// answer: the seat given (0 when none), and why not in problem and reason.
int awaitSeat(net::TableClient &client, const FriendsChoice &choice, const QString &token,
              QString &problem, std::optional<net::Rejection> &reason)
{
    QEventLoop wait;
    int seat = 0;
    problem.clear();
    reason.reset();
    QObject::connect(&client, &net::TableClient::welcomed, &wait, [&](int given) {
        seat = given;
        wait.quit();
    });
    QObject::connect(&client, &net::TableClient::rejected, &wait,
                     [&](net::Rejection why, const QString &text) {
                         reason = why;
                         problem = text;
                         wait.quit();
                     });
    QObject::connect(&client, &net::TableClient::disconnected, &wait, [&] { wait.quit(); });
    QTimer::singleShot(kJoinWaitMs, &wait, &QEventLoop::quit);
    client.connectTo(choice.address, choice.port, choice.name, choice.code, token);
    wait.exec();
    return seat;
}

GameKind join(const FriendsChoice &choice, QWidget *parent)
{
    net::TableClient client;
    net::SeatTokenStore tokens;
    // A game at this table a moment ago that did not leave it (it crashed, or the program
    // ended) takes its seat and money back; a token the host no longer knows is let go, and the
    // game joins afresh.
    const QString kept = tokens.token(choice.address, choice.port, choice.code);
    QString problem;
    std::optional<net::Rejection> reason;
    int seat = awaitSeat(client, choice, kept, problem, reason);
    if (seat == 0 && !kept.isEmpty()
        && (reason == net::Rejection::UnknownToken || reason == net::Rejection::TokenInUse)) {
        if (reason == net::Rejection::UnknownToken)
            tokens.forget(choice.address, choice.port, choice.code);
        seat = awaitSeat(client, choice, {}, problem, reason);
    }
    if (seat == 0) {
        if (problem.isEmpty())
            problem = kNoAnswer.arg(choice.address).arg(choice.port);
        Toolkit::instance().messageBox(parent, problem, Toolkit::Style::StopOk, kCannotJoin);
        return GameKind::None;
    }
    net::SeatTokenKeeper keeper(client, tokens, choice.address, choice.port, choice.code);
    TableLeaving leaving(TableLeaving::Role::Joined, [&] {
        keeper.forget();
        client.leave();
    });
    Frmpok window(client, seat);
    leaving.watch(window);
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
    // The table is gone for this game: the host refused it (it closed the table, or it was
    // started again and knows the seat no more), or the connection could not be taken up again
    // in time. The window stops there, and may close without a question.
    QString ended;
    const auto tableEnded = [&](const QString &why) {
        if (leaving.hasLeft())
            return;
        leaving.ended();
        window.tableEnded(kTableEnded.arg(why));
    };
    QObject::connect(&client, &net::TableClient::rejected, &window,
                     [&](net::Rejection, const QString &why) {
                         ended = why;
                         tableEnded(why);
                     });
    QObject::connect(&client, &net::TableClient::disconnected, &window, [&] {
        if (ended.isEmpty())
            tableEnded(kConnectionLost);
    });
    const GameKind next = run(window, parent);
    client.setView(nullptr);
    // The host closes the connection once it has taken the seat back: until then the Leave may
    // still be on its way.
    if (leaving.hasLeft() && client.isConnected()) {
        QEventLoop wait;
        QObject::connect(&client, &net::TableClient::disconnected, &wait, &QEventLoop::quit);
        QTimer::singleShot(kLeaveWaitMs, &wait, &QEventLoop::quit);
        wait.exec();
    }
    leaving.sayWhatWasDone(parent, next);
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
