// Leaving a friends' table from the joining game's window (joinTable), with a host on this
// machine's loopback: every way out of the window asks first and then gives the seat back for
// real; a game that ended without leaving takes its seat and money back; a table whose host is
// gone stops the window rather than freezing it.
#include "shell/FriendsTable.h"
#include "net/SeatTokenStore.h"
#include "net/TableHost.h"
#include "rules/pokdeng/Seats.h"
#include "support/ScriptedToolkit.h"
#include "support/SharedTableSteps.h"
#include "table/TableController.h"
#include "toolkit/CardSlider.h"
#include "windows/FriendsDialog.h"
#include "windows/Frmpok.h"
#include "windows/PlayHistory.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace pokdeng;
using namespace sharedtable;
using Answer = Toolkit::Answer;

namespace {

const QString kCode = QStringLiteral("246810");
const QString kLeavePrompt = QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนหรือไม่\n"
                                            "ที่นั่งและเงินของคุณที่โต๊ะนี้จะไม่ถูกเก็บไว้");
const QString kLeaveForNewGamePrompt
    = QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนแล้วเริ่มเกมใหม่คนเดียวหรือไม่\n"
                     "ที่นั่งและเงินของคุณที่โต๊ะนี้จะไม่ถูกเก็บไว้");

void trigger(Frmpok &window, const char *entry)
{
    auto *action = window.findChild<QAction *>(QString::fromLatin1(entry));
    ASSERT_NE(action, nullptr) << entry;
    action->trigger();
}

QString tableLine(const Frmpok &window)
{
    return window.findChild<QLabel *>(QStringLiteral("tableLine"))->text();
}

// A table hosted on the loopback (its host may be started again on the same port), and the
// joining game of joinTable() at it.
class FriendsTable : public ::testing::Test
{
protected:
    FriendsTable()
    {
        // The host's log of who joins and leaves is for whoever runs a table, not for the test.
        QLoggingCategory::setFilterRules(QStringLiteral("default.info=false"));
        CardSlider::setInstant(true);
        PlayHistory::install(&history);
        startHost(0);
    }
    ~FriendsTable() override
    {
        host.reset();
        table.reset();
        PlayHistory::install(nullptr);
        QLoggingCategory::setFilterRules({});
    }

    void startHost(quint16 port)
    {
        host.reset();
        table = std::make_unique<table::TableController>(deals);
        host = std::make_unique<net::TableHost>(*table, net::TableHost::Options { kCode });
        ASSERT_TRUE(host->listen(QHostAddress::LocalHost, port)) << qPrintable(host->errorString());
        m_port = host->port();
    }

    FriendsChoice choice() const
    {
        return { FriendsChoice::Role::Join, QStringLiteral("ดำ"), QStringLiteral("127.0.0.1"),
                 m_port, kCode };
    }
    QString keptToken() const
    {
        return net::SeatTokenStore().token(QStringLiteral("127.0.0.1"), m_port, kCode);
    }

    // Joins the table as `pokdeng --join` does and runs play in the table window once it shows;
    // what joinTable() returned. A window play leaves open after a failure is closed, so that
    // the test ends.
    GameKind joinAndDo(const std::function<void(Frmpok &)> &play)
    {
        bool played = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, &look, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *window = qobject_cast<Frmpok *>(widget);
                if (!window || !window->isVisible())
                    continue;
                look.stop();
                play(*window);
                played = true;
                if (::testing::Test::HasFailure() && window->isVisible())
                    window->done(0);
                return;
            }
        });
        look.start(10);
        const GameKind next = joinTable(choice(), nullptr);
        EXPECT_TRUE(played);
        return next;
    }

    QTemporaryDir folder;
    PlayHistory history { folder.filePath(QStringLiteral("history.sqlite")) };
    cards::SeededRandom deals { 47 };
    std::unique_ptr<table::TableController> table;
    std::unique_ptr<net::TableHost> host;

private:
    quint16 m_port = 0;
};

// A key pressed by habit does not end the evening: เริ่มใหม่ asks (no is the default answer),
// no keeps the seat, yes gives it back at once and says so.
TEST_F(FriendsTable, RestartAsksFirstNoKeepsTheSeatAndYesLeavesForAGameAlone)
{
    ScriptedToolkit toolkit;
    toolkit.expect(Answer::No);
    toolkit.expect(Answer::Yes);
    toolkit.expect(Answer::Ok);
    int seat = 0;
    const GameKind next = joinAndDo([&](Frmpok &window) {
        seat = window.seat();
        trigger(window, "mnustart");
        ASSERT_EQ(toolkit.boxes().size(), 1u);
        EXPECT_EQ(toolkit.boxes()[0].prompt, kLeaveForNewGamePrompt);
        EXPECT_EQ(toolkit.boxes()[0].style, Toolkit::Style::QuestionYesNoDefaultNo);
        EXPECT_EQ(toolkit.boxes()[0].title, QStringLiteral("ออกจากโต๊ะ"));
        QApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(host->isConnected(seat));
        EXPECT_FALSE(keptToken().isEmpty());

        trigger(window, "mnustart");
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(next, GameKind::PokDeng);
    EXPECT_FALSE(table->isPerson(seat));
    EXPECT_TRUE(keptToken().isEmpty());
    ASSERT_EQ(toolkit.boxes().size(), 3u);
    EXPECT_EQ(toolkit.boxes()[2].prompt, QStringLiteral("ออกจากโต๊ะของเพื่อนแล้ว เริ่มเกมใหม่คนเดียว"));
    EXPECT_TRUE(toolkit.allAnswersUsed());
}

// Every other way out of the window asks the same question, and yes gives the seat back.
TEST_F(FriendsTable, EveryWayOutOfTheWindowAsksAndLeavesTheTableForReal)
{
    struct Row
    {
        const char *name;
        std::function<void(Frmpok &)> goOut;
        GameKind next;
    } rows[] = {
        { "ปิดหน้าต่าง (Ctrl+W)", [](Frmpok &w) { trigger(w, "closeWindow"); }, GameKind::None },
        { "the close box", [](Frmpok &w) { w.close(); }, GameKind::None },
        { "another game", [](Frmpok &w) { trigger(w, "mnu9ga"); }, GameKind::NineGa },
        { "เล่นกับเพื่อน again", [](Frmpok &w) { trigger(w, "mnufriends"); }, GameKind::WithFriends },
        // The real toolkit's end of the program unwinds the window's loop; this one only says
        // the program is ending, so the window is closed as the program would close it.
        { "ออกจากเกม",
          [](Frmpok &w) {
              trigger(w, "quit");
              if (Toolkit::instance().isEnding())
                  w.done(0);
          },
          GameKind::None },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedToolkit toolkit;
        toolkit.expect(Answer::Yes);
        int seat = 0;
        const GameKind next = joinAndDo([&](Frmpok &window) {
            seat = window.seat();
            row.goOut(window);
            EXPECT_FALSE(window.isVisible());
        });
        EXPECT_EQ(next, row.next);
        EXPECT_FALSE(table->isPerson(seat));
        EXPECT_TRUE(keptToken().isEmpty());
        ASSERT_EQ(toolkit.boxes().size(), 1u);
        EXPECT_EQ(toolkit.boxes()[0].prompt, kLeavePrompt);
        EXPECT_EQ(toolkit.boxes()[0].style, Toolkit::Style::QuestionYesNoDefaultNo);
        if (HasFailure())
            return;
    }
}

// The person has bet and the deal waits for another person's bet: the window still closes when
// asked, and gives the seat back, rather than keeping the person until the deal.
TEST_F(FriendsTable, AWindowWaitingForTheDealClosesWhenThePersonLeaves)
{
    // The host's own person, who has not bet: the deal waits for them.
    table->join("แดง", nullptr, kUserSeat);
    ScriptedToolkit toolkit;
    toolkit.expect(Answer::Yes);
    int seat = 0;
    const GameKind next = joinAndDo([&](Frmpok &window) {
        seat = window.seat();
        bet(window);
        ASSERT_EQ(window.phase(), Frmpok::Phase::Dealing);
        window.close();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(next, GameKind::None);
    EXPECT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_FALSE(host->isConnected(seat));
    EXPECT_TRUE(keptToken().isEmpty());
}

// The joining game ends without leaving (a crash, the program ended): the host keeps the seat,
// and the game started again takes it back with the money it had, not a fresh seat.
TEST_F(FriendsTable, AGameEndedWithoutLeavingTakesItsSeatAndMoneyBack)
{
    ScriptedToolkit toolkit;
    toolkit.expect(Answer::Ok); // the round's outcome
    int seat = 0;
    double money = 0;
    joinAndDo([&](Frmpok &window) {
        seat = window.seat();
        bet(window);
        playTurn(window);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return toolkit.boxes().size() == 1 && window.phase() == Frmpok::Phase::Betting; },
            10'000));
        money = table->money(seat);
        // Gone without a word: no Leave reaches the host.
        window.done(0);
    });
    ASSERT_NE(money, kStartingMoney);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !host->isConnected(seat); }, 10'000));
    EXPECT_TRUE(table->isPerson(seat));
    EXPECT_FALSE(keptToken().isEmpty());

    toolkit.expect(Answer::Yes);
    joinAndDo([&](Frmpok &window) {
        EXPECT_EQ(window.seat(), seat);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.money() == money; }, 10'000));
        EXPECT_EQ(table->money(seat), money);
        window.close();
    });
    EXPECT_FALSE(table->isPerson(seat));
    EXPECT_EQ(table->personCount(), 0);
    EXPECT_TRUE(keptToken().isEmpty());
}

// A token kept for the table that its host does not know (it was started again since) is let
// go: the game joins afresh, and keeps the new seat's token.
TEST_F(FriendsTable, ATokenTheHostDoesNotKnowIsLetGoAndTheGameJoinsAfresh)
{
    const QString unknown = QStringLiteral("00112233445566778899aabbccddeeff");
    ASSERT_TRUE(
        net::SeatTokenStore().keep(QStringLiteral("127.0.0.1"), host->port(), kCode, unknown));
    ScriptedToolkit toolkit;
    joinAndDo([&](Frmpok &window) {
        EXPECT_TRUE(table->isPerson(window.seat()));
        EXPECT_FALSE(keptToken().isEmpty());
        EXPECT_NE(keptToken(), unknown);
        window.done(0);
    });
    EXPECT_TRUE(toolkit.boxes().empty());
}

// The host is gone while the window waits for the deal (its bet made, another person still to
// bet): closed for everyone, or started again and knowing the seat no more. The window says the
// table has closed, offers nothing more and closes without a question.
TEST_F(FriendsTable, AWindowWhoseHostIsGoneStopsAndClosesWithoutAQuestion)
{
    struct Row
    {
        const char *name;
        bool startedAgain;
        QString why;
    } rows[] = {
        { "the host closed its table", false, QStringLiteral("เจ้าของโต๊ะปิดโต๊ะแล้ว") },
        { "the host was started again", true, QStringLiteral("ที่นั่งเดิมไม่ได้เก็บไว้ให้แล้ว") },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        startHost(0);
        // The host's own person, who has not bet: the deal waits for them.
        table->join("แดง", nullptr, kUserSeat);
        ScriptedToolkit toolkit;
        const GameKind next = joinAndDo([&](Frmpok &window) {
            bet(window);
            ASSERT_EQ(window.phase(), Frmpok::Phase::Dealing);
            if (row.startedAgain) {
                // The host's program dies: its connections end with no word, and the game
                // tries to come back to a host started again in its place.
                const quint16 port = host->port();
                for (QTcpSocket *socket : host->findChildren<QTcpSocket *>())
                    socket->abort();
                ASSERT_TRUE(QTest::qWaitFor(
                    [&] {
                        return tableLine(window).startsWith(QStringLiteral("การเชื่อมต่อกับโต๊ะหลุด"));
                    },
                    10'000));
                host.reset();
                startHost(port);
            } else {
                host.reset();
            }
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return tableLine(window).startsWith(QStringLiteral("โต๊ะนี้ปิดแล้ว")); }, 10'000));
            EXPECT_TRUE(tableLine(window).contains(row.why)) << qPrintable(tableLine(window));
            for (const QRadioButton *option : window.findChildren<QRadioButton *>())
                EXPECT_FALSE(option->isVisible() && option->isEnabled())
                    << qPrintable(option->objectName());
            EXPECT_TRUE(window.findChild<QPushButton *>(QStringLiteral("Cmdreq"))->isHidden());
            EXPECT_TRUE(window.findChild<QPushButton *>(QStringLiteral("cmdnoreq"))->isHidden());
            window.close();
            EXPECT_FALSE(window.isVisible());
        });
        EXPECT_EQ(next, GameKind::None);
        EXPECT_TRUE(toolkit.boxes().empty());
        EXPECT_TRUE(keptToken().isEmpty());
        if (HasFailure())
            return;
    }
}

} // namespace
