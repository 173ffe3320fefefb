// The play history as the user meets it: the statistics window over a known history, clearing it
// after a confirmation, and the one notice a history that cannot be kept gives.
#include "history/HistoryStore.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "support/CardFixtures.h"
#include "support/RecordFiles.h"
#include "support/ScriptedToolkit.h"
#include "windows/Frmhistory.h"
#include "windows/Frmrules.h"
#include "windows/HistoryTrouble.h"
#include "windows/MoneyChart.h"
#include "windows/PlayHistory.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

using namespace pokdeng;
using Answer = Toolkit::Answer;
using Scope = HistoryStore::Scope;

namespace {

PlayedHand hand(const std::string &cards, int kind, const std::string &label, int multiplier = 0)
{
    const auto list = cardList(cards);
    PlayedHand played;
    for (std::size_t i = 0; i < list.size(); ++i)
        played.cards[i] = list[i];
    played.drewThird = list.size() == 3;
    played.value = { kind, multiplier, label };
    return played;
}

PlayedRound round(std::int64_t atMs, double before, double change, PlayedHand user)
{
    PlayedRound played;
    played.playedAtMs = atMs;
    played.stake = 1000;
    played.user = std::move(user);
    played.dealer = hand("7S 10H", 7, "7แต้ม");
    played.outcome = change > 0 ? Settlement::Outcome::UserWins
        : change < 0            ? Settlement::Outcome::UserLoses
                                : Settlement::Outcome::Tie;
    played.moneyChange = change;
    played.moneyAfter = before + change;
    return played;
}

class HistoryWindows : public ::testing::Test
{
protected:
    QString path() const { return m_folder.filePath(QStringLiteral("history.sqlite")); }

    // An earlier table of 55 rounds (won, lost, won, ...), then this table: a pok 9 with deng
    // won, a tie, three of a kind won, a loss.
    void playTwoTables(HistoryStore &store)
    {
        store.beginSession(10000, 1000);
        double money = 10000;
        for (int i = 0; i < 55; ++i) {
            const double change = i % 2 == 0 ? 1000 : -1000;
            ASSERT_TRUE(store.record(round(1001 + i, money, change, hand("2C 3D", 5, "5แต้ม"))));
            money += change;
        }
        store.endSession(2000);
        store.beginSession(10000, 1'765'000'000'000);
        for (const PlayedRound &played : {
                 round(1'765'000'060'000, 10000, 2000, hand("4H 5H", kPokNine, "ป๊อก 9สองเด้ง", 2)),
                 round(1'765'000'120'000, 12000, 0, hand("3C 4D", 7, "7แต้ม")),
                 round(1'765'000'180'000, 12000, 5000, hand("6S 6H 6D", kTong, "ตอง 6", 5)),
                 round(1'765'000'240'000, 17000, -1000, hand("AC 2D", 3, "3แต้ม")),
             })
            ASSERT_TRUE(store.record(played));
    }

    static QString text(const QWidget &window, const char *label)
    {
        const auto *widget = window.findChild<QLabel *>(QString::fromLatin1(label));
        EXPECT_NE(widget, nullptr) << label;
        return widget ? widget->text() : QString();
    }
    static QTableWidget *table(const QWidget &window, const char *name)
    {
        return window.findChild<QTableWidget *>(QString::fromLatin1(name));
    }
    static QString cellText(QTableWidget *table, int row, int column)
    {
        const QTableWidgetItem *item = table->item(row, column);
        return item ? item->text() : QString();
    }

    ScriptedToolkit toolkit;

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(HistoryWindows, StatisticsShowThisTableFirstThenEveryRound)
{
    HistoryStore store(path());
    playTwoTables(store);
    Frmhistory window(store);
    window.show();
    QApplication::processEvents();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("ประวัติการเล่น"));
    ASSERT_EQ(window.scope(), Scope::ThisSession);
    EXPECT_TRUE(window.findChild<QRadioButton *>(QStringLiteral("optTable"))->isChecked());
    EXPECT_EQ(text(window, "lblRounds"), QStringLiteral("4 ตา"));
    EXPECT_EQ(text(window, "lblWon"), QStringLiteral("2 ตา (50%)"));
    EXPECT_EQ(text(window, "lblTied"), QStringLiteral("1 ตา (25%)"));
    EXPECT_EQ(text(window, "lblLost"), QStringLiteral("1 ตา (25%)"));
    EXPECT_EQ(text(window, "lblBiggestWin"), QStringLiteral("5000 บาท"));
    EXPECT_EQ(text(window, "lblBiggestLoss"), QStringLiteral("1000 บาท"));
    EXPECT_EQ(text(window, "lblBestMoney"), QStringLiteral("17000 บาท"));
    EXPECT_EQ(text(window, "lblLongestRun"), QStringLiteral("1 ตา"));
    const auto *chart = window.findChild<MoneyChart *>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->series(), (std::vector<double> { 10000, 12000, 12000, 17000, 16000 }));

    QTableWidget *kinds = table(window, "tblKinds");
    ASSERT_EQ(kinds->rowCount(), 4);
    const QStringList kindNames = { QStringLiteral("ป๊อก 9"), QStringLiteral("ตอง"),
                                    QStringLiteral("7แต้ม"), QStringLiteral("3แต้ม") };
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(cellText(kinds, row, 0), kindNames[row]) << row;
    EXPECT_EQ(cellText(kinds, 1, 2), QStringLiteral("1")) << "three of a kind won once";

    // Newest first, with the cards drawn and the labels, outcome and money beside them.
    QTableWidget *latest = table(window, "tblLatest");
    ASSERT_EQ(latest->rowCount(), 4);
    EXPECT_EQ(cellText(latest, 0, 2), QStringLiteral("3แต้ม"));
    EXPECT_EQ(cellText(latest, 0, 4), QStringLiteral("แพ้"));
    EXPECT_EQ(cellText(latest, 0, 5), QStringLiteral("-1000"));
    EXPECT_EQ(cellText(latest, 0, 6), QStringLiteral("16000"));
    EXPECT_EQ(cellText(latest, 3, 2), QStringLiteral("ป๊อก 9สองเด้ง"));
    EXPECT_EQ(cellText(latest, 3, 5), QStringLiteral("+2000"));
    const QPixmap cards = latest->item(3, 2)->data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_FALSE(cards.isNull());
    EXPECT_GE(cards.height() / cards.devicePixelRatio(), 48) << "cards tall enough to read";
    EXPECT_EQ(latest->item(3, 2)->toolTip(), QStringLiteral("4 โพแดง, 5 โพแดง"));
    EXPECT_EQ(latest->item(3, 2)->data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("ป๊อก 9สองเด้ง: 4 โพแดง, 5 โพแดง"));
    EXPECT_LT(cards.width() / cards.devicePixelRatio(),
              latest->item(1, 2)->data(Qt::DecorationRole).value<QPixmap>().width()
                  / cards.devicePixelRatio())
        << "two cards drawn narrower than three";

    window.findChild<QRadioButton *>(QStringLiteral("optAll"))->click();
    EXPECT_EQ(window.scope(), Scope::AllTime);
    EXPECT_EQ(text(window, "lblRounds"), QStringLiteral("59 ตา"));
    EXPECT_EQ(text(window, "lblWon"), QStringLiteral("30 ตา (50.8%)"));
    // Each table its own line: the second starts again at its own money.
    EXPECT_EQ(chart->series().size(), 61u);
    EXPECT_EQ(chart->tableStarts(), std::vector<std::size_t> { 56 });
    EXPECT_EQ(chart->series()[56], 10000);
    EXPECT_EQ(latest->rowCount(), Frmhistory::kLatestRounds);
    EXPECT_EQ(cellText(latest, 0, 2), QStringLiteral("3แต้ม")) << "still newest first";
    EXPECT_EQ(table(window, "tblKinds")->rowCount(), 5);
}

TEST_F(HistoryWindows, ClearingAsksFirstAndEmptiesEverything)
{
    HistoryStore store(path());
    playTwoTables(store);
    Frmhistory window(store);
    auto *clear = window.findChild<QPushButton *>(QStringLiteral("cmdClear"));
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->text(), QStringLiteral("ล้างประวัติ"));

    toolkit.expect(Answer::No);
    clear->click();
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_EQ(toolkit.boxes()[0].style, Toolkit::Style::QuestionYesNo);
    EXPECT_EQ(toolkit.boxes()[0].title, QStringLiteral("ล้างประวัติ"));
    EXPECT_EQ(store.roundCount(Scope::AllTime), 59) << "No keeps every round";

    toolkit.expect(Answer::Yes);
    clear->click();
    EXPECT_EQ(store.roundCount(Scope::AllTime), 0);
    EXPECT_EQ(window.scope(), Scope::AllTime);
    EXPECT_EQ(text(window, "lblRounds"), QStringLiteral("0 ตา"));
    EXPECT_EQ(text(window, "lblWon"), QStringLiteral("0 ตา (0%)"));
    EXPECT_EQ(text(window, "lblBestMoney"), QStringLiteral("-"));
    EXPECT_TRUE(window.findChild<MoneyChart *>()->series().empty());
    EXPECT_EQ(table(window, "tblLatest")->rowCount(), 0);
    EXPECT_FALSE(window.findChild<QRadioButton *>(QStringLiteral("optTable"))->isEnabled())
        << "this table has no rounds left until it plays again";
    EXPECT_TRUE(toolkit.allAnswersUsed());
}

// The chart is our own painting: at any size it draws without a fault, and an empty history
// says so instead of drawing a line.
TEST_F(HistoryWindows, TheChartDrawsAtAnySize)
{
    MoneyChart chart;
    std::vector<double> many(100'001);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = 10000 + static_cast<double>((i * 7919) % 20000) - 10000;
    for (const std::vector<double> &series :
         { std::vector<double> {}, std::vector<double> { 10000 },
           std::vector<double> { 10000, 10000 }, std::vector<double> { 10000, -4000 }, many }) {
        chart.setSeries(series);
        for (const QSize size : { QSize(60, 40), QSize(240, 120), QSize(1600, 900) }) {
            chart.resize(size);
            const QImage picture = chart.grab().toImage();
            EXPECT_EQ(picture.size(), size);
        }
    }
    chart.setSeries({ 10000, 12000, 9000 });
    chart.resize(400, 200);
    const QImage drawn = chart.grab().toImage();
    int lineColoured = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            lineColoured += drawn.pixelColor(x, y) == QColor(24, 92, 168);
    EXPECT_GT(lineColoured, 100) << "the money's line is drawn";
}

// Money a hand-made file could hold: past the spacing of doubles, not a number, endless. Each
// draws at once, and only numbers within the chart's bounds reach its painter and its words.
TEST_F(HistoryWindows, TheChartDrawsAnyMoneyAndEnds)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char *name;
        std::vector<double> series;
    } cases[] = {
        { "money past the spacing of doubles", { 1e19, 1e19, 1e19 } },
        { "money past the spacing of doubles, apart", { 1e19, 1.0000000000001e19, 1e19 } },
        { "the largest doubles either way", { -1.7e308, 1.7e308, 0 } },
        { "not a number", { 10000, nan, 12000 } },
        { "not a number first", { nan, 10000 } },
        { "endless", { inf, -inf, 10000 } },
        { "one tiny step", { 10000, 10000.000000001 } },
    };
    MoneyChart chart;
    chart.resize(500, 240);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        chart.setSeries(c.series, { 1 });
        EXPECT_EQ(chart.grab().toImage().size(), QSize(500, 240));
        ASSERT_EQ(chart.series().size(), c.series.size());
        for (const double money : chart.series())
            EXPECT_TRUE(std::isfinite(money) && std::abs(money) <= MoneyChart::kMostMoney);
        const QString said = chart.accessibleDescription();
        EXPECT_FALSE(said.contains(QStringLiteral("nan"), Qt::CaseInsensitive))
            << said.toStdString();
        EXPECT_FALSE(said.contains(QStringLiteral("inf"), Qt::CaseInsensitive))
            << said.toStdString();
    }
}

// For a screen reader the chart is its figures in words; a new table's money is a line of its
// own, not a fall from where the last table ended.
TEST_F(HistoryWindows, TheChartSaysItsFiguresAndBreaksBetweenTables)
{
    MoneyChart chart;
    EXPECT_EQ(chart.accessibleDescription(), QStringLiteral("ยังไม่มีตาที่เล่น"));
    chart.setSeries({ 10000, 12000, 9000 });
    EXPECT_EQ(chart.accessibleName(), QStringLiteral("กราฟเงินตามตาที่เล่น"));
    EXPECT_EQ(
        chart.accessibleDescription(),
        QStringLiteral("เงินตอนเริ่ม 10000 บาท ล่าสุด 9000 บาท สูงสุด 12000 บาท ต่ำสุด 9000 บาท ใน 2 ตา"));

    // Two flat tables, the second higher: nothing of the line's colour between them.
    chart.setSeries({ 10000, 10000, 20000, 20000 }, { 2 });
    EXPECT_EQ(
        chart.accessibleDescription(),
        QStringLiteral("เงินตอนเริ่ม 10000 บาท ล่าสุด 20000 บาท สูงสุด 20000 บาท ต่ำสุด 10000 บาท ใน 2 ตา "
                       "จาก 2 โต๊ะ"));
    chart.resize(400, 240);
    const QImage drawn = chart.grab().toImage();
    std::vector<int> lineRows;
    for (int y = 0; y < drawn.height(); ++y) {
        int coloured = 0;
        for (int x = 0; x < drawn.width(); ++x)
            coloured += drawn.pixelColor(x, y) == QColor(24, 92, 168);
        if (coloured > 20)
            lineRows.push_back(y);
    }
    ASSERT_GE(lineRows.size(), 2u);
    const int upper = lineRows.front() + 4;
    const int lower = lineRows.back() - 4;
    ASSERT_LT(upper, lower) << "two lines apart";
    for (int y = upper; y < lower; ++y)
        for (int x = 0; x < drawn.width(); ++x)
            ASSERT_NE(drawn.pixelColor(x, y), QColor(24, 92, 168)) << x << "," << y;
}

// The statistics and the rules: Ctrl+W closes each, Ctrl+Q ends the program as the game's windows
// do; and the window fits the screen, its list of rounds walked by the keyboard.
TEST_F(HistoryWindows, TheWindowsKeysAndTheListByKeyboard)
{
    HistoryStore store(path());
    playTwoTables(store);
    store.endSession(3000);
    const std::function<QWidget *()> windows[] = {
        [&] { return new Frmhistory(store); },
        [] { return new Frmrules; },
    };
    for (const auto &make : windows) {
        for (const bool quit : { false, true }) {
            std::unique_ptr<QWidget> window(make());
            SCOPED_TRACE(window->objectName().toStdString() + (quit ? " Ctrl+Q" : " Ctrl+W"));
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            toolkit.resetEnding();
            window->show();
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : window.get(), quit ? Qt::Key_Q : Qt::Key_W,
                            Qt::ControlModifier);
            EXPECT_EQ(toolkit.isEnding(), quit);
            EXPECT_EQ(window->isVisible(), quit);
        }
    }
    toolkit.resetEnding();

    Frmhistory window(store);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());

    QTableWidget *latest = table(window, "tblLatest");
    ASSERT_EQ(latest->rowCount(), Frmhistory::kLatestRounds);
    for (int i = 0; i < 12 && QApplication::focusWidget() != latest; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), latest) << "Tab reaches the list";
    QTest::keyClick(latest, Qt::Key_PageDown);
    EXPECT_GT(latest->currentRow(), 0);
    QTest::keyClick(latest, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(latest->currentRow(), Frmhistory::kLatestRounds - 1);
    EXPECT_GT(latest->verticalScrollBar()->value(), 0) << "the list scrolls along";
    QTest::keyClick(latest, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), latest) << "and Tab leaves it";
}

class HistoryNotice : public HistoryWindows
{
};

// A history that cannot be kept is told once, whatever the trouble and however many rounds
// follow; the game is never stopped.
TEST_F(HistoryNotice, ATroubleIsToldOnceInThai)
{
    struct Case
    {
        const char *name;
        std::function<QString(const QString &folder)> prepare; // returns the database's path
        QString says;
    };
    const Case cases[] = {
        { "a folder that cannot be made",
          [](const QString &folder) {
              QFile blocker(folder + QStringLiteral("/data"));
              blocker.open(QIODevice::WriteOnly);
              return folder + QStringLiteral("/data/history.sqlite");
          },
          QStringLiteral("บันทึกลงที่ ") },
        { "a newer game's file",
          [](const QString &folder) {
              const QString at = folder + QStringLiteral("/history.sqlite");
              {
                  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                              QStringLiteral("newer"));
                  db.setDatabaseName(at);
                  db.open();
                  QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
                  QSqlQuery(db).exec(QStringLiteral("CREATE TABLE rounds (everything BLOB)"));
                  db.close();
              }
              QSqlDatabase::removeDatabase(QStringLiteral("newer"));
              return at;
          },
          QStringLiteral("มาจากเกมรุ่นที่ใหม่กว่านี้") },
        { "a link in place of the file",
          [](const QString &folder) {
              const QString at = folder + QStringLiteral("/history.sqlite");
              QFile::link(folder + QStringLiteral("/elsewhere.sqlite"), at);
              return at;
          },
          QStringLiteral("เป็นลิงก์ที่ชี้ไปยังที่อื่น") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        PlayHistory history(c.prepare(folder.path()));
        toolkit.clearBoxes();
        toolkit.expect(Answer::Ok);
        history.beginSession(10000);
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(history.record(nullptr, round(0, 10000, 1000, hand("2C 3D", 5, "5แต้ม"))));
        ASSERT_EQ(toolkit.boxes().size(), 1u);
        const ScriptedToolkit::Box &box = toolkit.boxes()[0];
        EXPECT_EQ(box.title, QStringLiteral("ประวัติการเล่น"));
        EXPECT_EQ(box.style, Toolkit::Style::StopOk);
        EXPECT_TRUE(box.prompt.startsWith(
            QStringLiteral("ตอนนี้เกมบันทึกประวัติการเล่นไม่ได้ครับ แต่ยังเล่นต่อได้ตามปกติ\nสาเหตุ: ")))
            << box.prompt.toStdString();
        EXPECT_TRUE(box.prompt.contains(c.says)) << box.prompt.toStdString();

        // Asked for, the statistics say why each time, and no window opens.
        toolkit.expect(Answer::Ok);
        history.showStatistics(nullptr);
        ASSERT_EQ(toolkit.boxes().size(), 2u);
        EXPECT_TRUE(toolkit.boxes()[1].prompt.contains(c.says));
    }
}

TEST_F(HistoryNotice, AnUnreadableFileSetAsideIsToldOnceAndTheRoundsAreKept)
{
    {
        QFile garbage(path());
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, 'x'));
    }
    PlayHistory history(path());
    history.beginSession(10000);
    toolkit.expect(Answer::Ok);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    EXPECT_TRUE(history.record(nullptr, round(0, 10000, 1000, hand("2C 3D", 5, "5แต้ม"))));
    EXPECT_TRUE(history.record(nullptr, round(0, 11000, 1000, hand("2C 3D", 5, "5แต้ม"))));
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_EQ(toolkit.boxes()[0].style, Toolkit::Style::Ok);
    EXPECT_TRUE(toolkit.boxes()[0].prompt.contains(
        QDir::toNativeSeparators(history.store().setAsidePath())));
    EXPECT_TRUE(QFile::exists(history.store().setAsidePath()));

    const std::vector<PlayedRound> kept = history.store().latestRounds(Scope::ThisSession, 50);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_GE(kept[1].playedAtMs, before) << "an unstamped round gets the time it was recorded";
    EXPECT_LE(kept[0].playedAtMs, QDateTime::currentMSecsSinceEpoch());
}

// Every reason is the game's own Thai words: nothing of the database's English, whatever it said.
TEST_F(HistoryNotice, EveryTroubleIsToldInThai)
{
    using Trouble = HistoryStore::Trouble;
    const QString where = QStringLiteral("/home/somebody/.local/share/pokdeng/history.sqlite");
    for (const Trouble trouble : { Trouble::CannotWrite, Trouble::Unreadable, Trouble::NewerVersion,
                                   Trouble::Locked, Trouble::DiskFull, Trouble::Link,
                                   Trouble::InputOutput, Trouble::NoDriver, Trouble::Failed }) {
        for (const int code : { -1, 10 }) {
            QString text = historyTroubleText(trouble, where, code);
            SCOPED_TRACE(text.toStdString());
            EXPECT_FALSE(text.trimmed().isEmpty());
            text.remove(where);
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
        }
    }
    for (const auto because : { HistoryStore::SetAside::Damaged, HistoryStore::SetAside::Foreign })
        EXPECT_TRUE(historySetAsideText(where + QStringLiteral(".unreadable-1"), because)
                        .contains(where + QStringLiteral(".unreadable-1")));
}

// A file set aside as the history opens, before any round, is told when the statistics are
// asked for: the empty window that follows is a new history, not a lost one.
TEST_F(HistoryNotice, AFileSetAsideBeforeAnyRoundIsToldWithTheStatistics)
{
    {
        QFile garbage(path());
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, 'x'));
    }
    PlayHistory history(path());
    history.beginSession(10000);
    QApplication::processEvents();
    ASSERT_TRUE(toolkit.boxes().empty());
    toolkit.expect(Answer::Ok);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<Frmhistory *>(QApplication::activeModalWidget());
        opened = window != nullptr;
        if (window)
            window->close();
    });
    history.showStatistics(nullptr);
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_TRUE(toolkit.boxes()[0].prompt.contains(
        QDir::toNativeSeparators(history.store().setAsidePath())));
    EXPECT_TRUE(opened);

    // Told once: neither the next round nor the next look says it again.
    EXPECT_TRUE(history.record(nullptr, round(0, 10000, 1000, hand("2C 3D", 5, "5แต้ม"))));
    QTimer::singleShot(0, [&] {
        if (QWidget *window = QApplication::activeModalWidget())
            window->close();
    });
    history.showStatistics(nullptr);
    EXPECT_EQ(toolkit.boxes().size(), 1u);
}

TEST_F(HistoryNotice, ANewTableOpensTheHistoryBeforeItsFirstRound)
{
    PlayHistory history(path());
    history.beginSession(10000);
    EXPECT_FALSE(history.store().isOpen()) << "not while the table is being made";
    QApplication::processEvents();
    EXPECT_TRUE(history.store().isOpen());
    EXPECT_TRUE(QFile::exists(path()));
    {
        // A history gone before its event loop turned leaves nothing behind to run.
        PlayHistory brief(path() + QStringLiteral(".other"));
        brief.beginSession(10000);
    }
    QApplication::processEvents();
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".other")));
}

TEST_F(HistoryNotice, TheStatisticsWindowOpensOverTheTableWhenTheHistoryIsThere)
{
    PlayHistory history(path());
    history.beginSession(10000);
    ASSERT_TRUE(history.record(nullptr, round(0, 10000, 1000, hand("2C 3D", 5, "5แต้ม"))));
    QDialog table;
    table.show();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<Frmhistory *>(QApplication::activeModalWidget());
        opened
            = window && window->parentWidget() == &table && window->scope() == Scope::ThisSession;
        if (window)
            window->close();
    });
    history.showStatistics(&table);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(toolkit.boxes().empty());
}

// The program's own history lives in the user's data folder, which the tests point at a folder
// of their own.
TEST(ProgramHistory, LivesInTheUsersDataFolder)
{
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(data.isEmpty());
    EXPECT_TRUE(PlayHistory::instance().store().path().startsWith(data + QLatin1Char('/')))
        << PlayHistory::instance().store().path().toStdString();
    EXPECT_TRUE(PlayHistory::instance().store().path().endsWith(QStringLiteral("/history.sqlite")));
}
