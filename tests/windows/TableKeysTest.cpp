// The table played from the keyboard: a key for every command, each bet chosen exactly once
// however it is chosen, Enter in the name box, the menu bar from F10 or a lone Alt, the keys
// shown where a player looks for them, and keys typed in the Thai layout.
#include "history/ScoreStore.h"
#include "support/CardFixtures.h"
#include "support/RowName.h"
#include "support/ScriptedRandom.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/CardSlider.h"
#include "toolkit/Contrast.h"
#include "toolkit/FocusRing.h"
#include "toolkit/GameSettings.h"
#include "toolkit/Shortcuts.h"
#include "windows/Frmabout.h"
#include "windows/Frmpok.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

using namespace pokdeng;
using Answer = Toolkit::Answer;

namespace {

// The first seat holds 0 and draws, the last seat holds 7 and stands: only the deal is scripted.
std::string seats(const std::string &user, const std::string &dealer)
{
    return "KS QS 8S | " + user + " | 5D 2D 3D | " + dealer;
}
// The user holds 4 and may draw or stand; the dealer's pok 8 wins.
const std::string kFourAgainstPok = seats("AS 3H 9D", "6S 2H 4C");
// The user's pok 9 beats the dealer's pok 8.
const std::string kPokNineWins = seats("4S 5H 2C", "6S 2H 4C");

class TableKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(QStringLiteral("point.pon"));
        CardSlider::setInstant(true);
        openTable();
    }
    void TearDown() override
    {
        EXPECT_TRUE(random.isUsedUp()) << "scripted numbers left over";
        EXPECT_TRUE(toolkit.allAnswersUsed()) << "an expected message box never came";
    }

    void openTable()
    {
        table = std::make_unique<Frmpok>(nullptr, &random);
        table->show();
        QApplication::setActiveWindow(table.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
    }
    template<class T = QWidget> T *control(const char *name) const
    {
        T *widget = table->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // A key pressed and let go with the focus where it is, as a player presses it.
    void press(QKeyCombination key)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : table.get(), key.key(), key.keyboardModifiers());
    }
    // A key press as the Thai Kedmanee layout sends it: the character it types there, and the
    // X key code of its place on the keyboard.
    void pressThai(char32_t typed, quint32 keyCode, Qt::KeyboardModifiers modifiers = {})
    {
        const QString text = QString::fromUcs4(&typed, 1);
        QKeyEvent event(QEvent::KeyPress, int(typed >= 0x80 ? typed : QChar::toUpper(typed)),
                        modifiers, keyCode, 0, 0, text);
        QWidget *focus = QApplication::focusWidget();
        QApplication::sendEvent(focus ? focus : table.get(), &event);
    }
    bool shown(const char *name) const { return !control(name)->isHidden(); }

    ScriptedToolkit toolkit;
    ScriptedRandom random;
    std::unique_ptr<Frmpok> table;
};

TEST_F(TableKeys, EveryBetTurnAndSaveHasItsKey)
{
    const struct
    {
        QKeyCombination key;
        const char *option;
        double stake;
    } bets[] = {
        { Qt::Key_1, "Opt1000", 1000 },   { Qt::Key_2, "Opt5000", 5000 },
        { Qt::Key_3, "Opt10000", 10000 }, { Qt::Key_4, "Opt500", 5000 },
        { Qt::Key_5, "Optall", 10000 },
    };
    for (const auto &bet : bets) {
        SCOPED_TRACE(bet.option);
        openTable();
        random.deal(tableBySeat(kFourAgainstPok));
        press(bet.key);
        EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);
        EXPECT_TRUE(control<QRadioButton>(bet.option)->isChecked());
        EXPECT_EQ(table->bet(), bet.stake);
    }

    // S stands; D draws; both only while their button is shown.
    openTable();
    random.deal(tableBySeat(kFourAgainstPok));
    press(Qt::Key_1);
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S);
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_EQ(table->money(), 9000);
    press(Qt::Key_S); // no round: nothing
    press(Qt::Key_D);
    EXPECT_EQ(toolkit.boxes().size(), 1u);

    random.deal(tableBySeat(seats("AS 2H 9D", "6S 2S 4C"))); // 3 points: only the draw
    press(Qt::Key_1);
    ASSERT_FALSE(shown("cmdnoreq"));
    press(Qt::Key_S);
    EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn) << "the stand button is not offered";
    toolkit.expect(Answer::Ok);
    press(Qt::Key_D);
    EXPECT_EQ(toolkit.boxes().size(), 2u);
    EXPECT_EQ(table->cards()[10], card("9D")) << "the user's third card";

    // Ctrl+S saves while the save is offered: 8000 beats the empty record.
    ASSERT_TRUE(shown("Cmdname"));
    control<QLineEdit>("txtname")->setText(QStringLiteral("สมชาย"));
    toolkit.expect(Answer::Ok); // "ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ"
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
    EXPECT_EQ(QString::fromStdString(readScoreFile().name), QStringLiteral("สมชาย"));
}

TEST_F(TableKeys, MenuKeys)
{
    const struct
    {
        const char *what;
        QKeyCombination key;
        GameKind next;
        bool closes;
        bool ends;
        const char *modal;
    } rows[] = {
        { "F2 restarts", Qt::Key_F2, GameKind::PokDeng, true, false, nullptr },
        { "Ctrl+N restarts", Qt::CTRL | Qt::Key_N, GameKind::PokDeng, true, false, nullptr },
        { "Ctrl+2 switches to 9 เก", Qt::CTRL | Qt::Key_2, GameKind::NineGa, true, false, nullptr },
        { "Ctrl+3 switches to ดัมมี่", Qt::CTRL | Qt::Key_3, GameKind::Dummy, true, false, nullptr },
        { "Ctrl+1 is the game in play", Qt::CTRL | Qt::Key_1, GameKind::None, false, false,
          nullptr },
        { "Ctrl+W closes the window", Qt::CTRL | Qt::Key_W, GameKind::None, true, false, nullptr },
        { "Ctrl+Q ends the program", Qt::CTRL | Qt::Key_Q, GameKind::None, false, true, nullptr },
        { "Ctrl+R shows the record", Qt::CTRL | Qt::Key_R, GameKind::None, false, false,
          "Frmpoint" },
        { "Ctrl+I shows about", Qt::CTRL | Qt::Key_I, GameKind::None, false, false, "Frmabout" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        openTable();
        toolkit.resetEnding();
        QString modal;
        QTimer::singleShot(0, [&] {
            if (QWidget *window = QApplication::activeModalWidget()) {
                modal = window->objectName();
                window->close();
            }
        });
        press(row.key);
        QCoreApplication::processEvents();
        EXPECT_EQ(table->nextWindow(), row.next);
        EXPECT_EQ(table->isVisible(), !row.closes);
        EXPECT_EQ(toolkit.isEnding(), row.ends);
        EXPECT_EQ(modal, QString::fromLatin1(row.modal ? row.modal : ""));
    }
    toolkit.resetEnding();
}

// A click, the keyboard, a screen reader's toggle or press: each starts exactly one round (a
// second deal would run the scripted cards dry), and the same way again on the chosen option in
// the middle of the round does nothing.
TEST_F(TableKeys, EveryWayOfChoosingABetWorksExactlyOnce)
{
    const auto accessibleAction = [](const QString &action) {
        return [action](QRadioButton *option) {
            QAccessible::queryAccessibleInterface(option)->actionInterface()->doAction(action);
        };
    };
    const struct
    {
        const char *way;
        std::function<void(QRadioButton *)> choose;
    } ways[] = {
        { "a click", [](QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton); } },
        { "Space on the focused option",
          [](QRadioButton *option) {
              option->setFocus(Qt::TabFocusReason);
              QTest::keyClick(option, Qt::Key_Space);
          } },
        { "its key", [this](QRadioButton *) { press(Qt::Key_2); } },
        { "the toggle action", accessibleAction(QAccessibleActionInterface::toggleAction()) },
        { "the press action", accessibleAction(QAccessibleActionInterface::pressAction()) },
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.way);
        openTable();
        auto *option = control<QRadioButton>("Opt5000");
        random.deal(tableBySeat(kFourAgainstPok));
        way.choose(option);
        // The press action clicks as a mouse would, a moment later.
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->phase() == Frmpok::Phase::UserTurn; }));
        EXPECT_EQ(table->bet(), 5000);
        const SlotCards dealt = table->cards();

        way.choose(option);
        QTest::qWait(150);
        EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);
        EXPECT_EQ(table->cards(), dealt);
        EXPECT_TRUE(option->isChecked());
    }
}

TEST_F(TableKeys, KeysOfBetsNotOfferedAndHeldDownKeysDoNothing)
{
    // A key held down repeats: only its first press counts.
    QTest::simulateEvent(table.get(), true, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"), true);
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);

    random.deal(tableBySeat(kFourAgainstPok));
    press(Qt::Key_2);
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S); // loses 5000: 10,000 บาท is no longer offered
    ASSERT_FALSE(control("Opt10000")->isEnabled());
    press(Qt::Key_3);
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);
    EXPECT_EQ(table->money(), 5000);
}

TEST_F(TableKeys, EnterInTheNameBoxSaves)
{
    random.deal(tableBySeat(seats("4S 5H 2C", "6S 2H 4C")));
    press(Qt::Key_1);
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S); // the pok 9 wins: 11000 beats the empty record
    ASSERT_TRUE(shown("txtname"));

    // Reached by Tab from a button, as a keyboard player gets there.
    control("Cmdname")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control("Cmdname"), Qt::Key_Backtab, Qt::ShiftModifier);
    auto *name = control<QLineEdit>("txtname");
    ASSERT_TRUE(name->hasFocus());
    QTest::keyClicks(name, QStringLiteral("Ann"));
    toolkit.expect(Answer::Ok); // the confirmation
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_EQ(toolkit.boxes().size(), 2u) << "one save conversation";
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
    EXPECT_EQ(QString::fromStdString(readScoreFile().name), QStringLiteral("Ann"));
    EXPECT_EQ(readScoreFile().money, 11000);
}

// Enter in the name box asks about saving and nothing else: answered Cancel in the middle of a
// turn, the round stays exactly where it was.
TEST_F(TableKeys, EnterInTheNameBoxOnlyAsksAboutSaving)
{
    random.deal(tableBySeat(kPokNineWins));
    press(Qt::Key_1);
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S); // 11000 beats the empty record
    random.deal(tableBySeat(kFourAgainstPok));
    press(Qt::Key_1);
    ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    const SlotCards dealt = table->cards();

    auto *name = control<QLineEdit>("txtname");
    QTest::mouseClick(name, Qt::LeftButton);
    ASSERT_TRUE(name->hasFocus());
    QTest::keyClicks(name, QStringLiteral("Ann"));
    toolkit.expect(Answer::Cancel); // "ถ้าคุณเก็บสถิติตอนนี้..."
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(toolkit.boxes().size(), 2u) << "the save question and nothing after it";
    EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    EXPECT_EQ(table->cards(), dealt);
    EXPECT_TRUE(control("Imgpl11")->isHidden()) << "no third card was drawn";
    EXPECT_TRUE(shown("Cmdreq") && shown("cmdnoreq"));
    EXPECT_EQ(name->text(), QStringLiteral("Ann"));
    toolkit.expect(Answer::Ok);
    press(Qt::ALT | Qt::Key_S);
    EXPECT_EQ(toolkit.boxes().size(), 3u);
}

// After the deal the focus is on the first turn button, after the round back on the bets, and
// never in the name box unless the user goes there: with the save offer on the table, the
// bets and S keep working however the bets are chosen, in either layout. A bet above the one
// with the focus used to drop the focus into the name box, where the next keys typed.
TEST_F(TableKeys, TheFocusFollowsTheRoundAndKeepsOutOfTheNameBox)
{
    const struct
    {
        const char *way;
        std::function<void()> bet;
        const char *option;
        const std::string &deal;
    } rounds[] = {
        { "all by its key", [&] { press(Qt::Key_5); }, "Optall", kPokNineWins },
        { "1,000 by its key", [&] { press(Qt::Key_1); }, "Opt1000", kFourAgainstPok },
        { "all by a click", [&] { QTest::mouseClick(control("Optall"), Qt::LeftButton); }, "Optall",
          kPokNineWins },
        { "1,000 by its key in the Thai layout", [&] { pressThai(U'ๅ', 10); }, "Opt1000",
          kFourAgainstPok },
        { "5,000 by its key in the Thai layout", [&] { pressThai(U'/', 11); }, "Opt5000",
          kPokNineWins },
    };
    auto *name = control<QLineEdit>("txtname");
    std::size_t boxes = 0;
    for (const auto &round : rounds) {
        SCOPED_TRACE(round.way);
        random.deal(tableBySeat(round.deal));
        round.bet();
        ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
        EXPECT_TRUE(control<QRadioButton>(round.option)->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), control(shown("Cmdreq") ? "Cmdreq" : "cmdnoreq"));
        toolkit.expect(Answer::Ok);
        pressThai(U'ห', 39); // S
        ASSERT_EQ(toolkit.boxes().size(), ++boxes);
        ASSERT_EQ(table->phase(), Frmpok::Phase::Betting);
        ASSERT_TRUE(shown("txtname")) << "the save offer is on the table";
        auto *focus = qobject_cast<QRadioButton *>(QApplication::focusWidget());
        ASSERT_NE(focus, nullptr) << "back on the bets";
        EXPECT_TRUE(focus->isEnabled() && focus->isVisible());
    }
    EXPECT_TRUE(name->text().isEmpty());
}

// In the name box letters and digits type, in either layout; the turn and the bets stay
// reachable by their Alt keys, which typing cannot take, and the tooltips say so.
TEST_F(TableKeys, InTheNameBoxLettersTypeAndAltKeysPlay)
{
    random.deal(tableBySeat(kPokNineWins));
    press(Qt::Key_1);
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S);
    auto *name = control<QLineEdit>("txtname");
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, QStringLiteral("d1s"));
    pressThai(U'ก', 40);
    pressThai(U'ๅ', 10);
    EXPECT_EQ(name->text(), QStringLiteral("d1sกๅ"));
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);

    random.deal(tableBySeat(kFourAgainstPok));
    pressThai(U'/', 11, Qt::AltModifier); // Alt and the "2" key
    ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    EXPECT_EQ(table->bet(), 5000);
    QTest::mouseClick(name, Qt::LeftButton);
    ASSERT_TRUE(name->hasFocus());
    toolkit.expect(Answer::Ok);
    pressThai(U'ก', 40, Qt::AltModifier); // Alt and the "D" key
    EXPECT_EQ(toolkit.boxes().size(), 2u);
    EXPECT_EQ(table->cards()[10], card("9D")) << "the user drew";
    EXPECT_EQ(name->text(), QStringLiteral("d1sกๅ"));
}

TEST_F(TableKeys, MenuBarFromF10AndALoneAlt)
{
    auto *bar = table->findChild<QMenuBar *>();
    // F10 opens the first menu with its first entry lit, as desktop programs do; the arrow keys
    // go on from there along the bar.
    press(Qt::Key_F10);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "a menu open";
    EXPECT_EQ(menu->objectName(), QStringLiteral("mnusel"));
    EXPECT_EQ(bar->activeAction(), bar->actions().value(0));
    EXPECT_EQ(menu->activeAction(), menu->actions().value(0));
    QTest::keyClick(menu, Qt::Key_Right);
    EXPECT_EQ(bar->activeAction()->objectName(), QStringLiteral("mnustart"));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "an entry of the bar, no menu";
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_TRUE(table->isAncestorOf(QApplication::focusWidget()));

    // A lone Alt lights the bar, as desktops have it, without opening a menu.
    QTest::keyClick(table.get(), Qt::Key_Alt, Qt::AltModifier);
    ASSERT_EQ(bar->activeAction(), bar->actions().value(0));
    EXPECT_TRUE(bar->hasFocus());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "lit, not opened";
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->activeAction()->objectName(), QStringLiteral("mnustart"));
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(bar->activeAction(), nullptr);
}

// Every menu and entry has its letter, shown the way Thai desktops show it ("เลือกเกม(&G)"), one
// letter to an entry within a menu; the bar's letters leave D, S and the digits to the table's
// Alt keys. "เลือกเกม" also holds full screen, the window's sizes, close and quit with their keys.
TEST_F(TableKeys, EveryMenuAndEntryHasItsLetter)
{
    static const QRegularExpression withLetter(QStringLiteral("^[^&]+\\(&(.)\\)$"));
    const auto lettersOf = [](const QList<QAction *> &actions) {
        QString letters;
        for (QAction *action : actions) {
            if (action->isSeparator())
                continue;
            const auto match = withLetter.match(action->text());
            EXPECT_TRUE(match.hasMatch()) << action->text().toStdString();
            EXPECT_FALSE(letters.contains(match.captured(1))) << action->text().toStdString();
            letters += match.captured(1);
        }
        return letters;
    };
    auto *bar = table->findChild<QMenuBar *>();
    const QString barLetters = lettersOf(bar->actions());
    EXPECT_EQ(barLetters.size(), 5);
    for (const QChar taken : QStringLiteral("DS12345"))
        EXPECT_FALSE(barLetters.contains(taken)) << "Alt+" << QString(taken).toStdString();
    for (QAction *action : bar->actions())
        if (action->menu())
            lettersOf(action->menu()->actions());

    const std::pair<const char *, QKeySequence> windowEntries[] = {
        { "mnufull", QKeySequence(Qt::Key_F11) },
        { "mnuzoomin", QKeySequence(Qt::CTRL | Qt::Key_Equal) },
        { "mnuzoomout", QKeySequence(Qt::CTRL | Qt::Key_Minus) },
        { "mnuzoomreset", QKeySequence(Qt::CTRL | Qt::Key_0) },
        { "closeWindow", QKeySequence(Qt::CTRL | Qt::Key_W) },
        { "quit", QKeySequence(Qt::CTRL | Qt::Key_Q) },
    };
    auto *windowMenu = control<QMenu>("mnusel");
    for (const auto &[name, key] : windowEntries) {
        auto *entry = control<QAction>(name);
        EXPECT_TRUE(windowMenu->actions().contains(entry)) << name;
        EXPECT_EQ(entry->shortcut(), key) << name;
    }
}

// F11 or its entry makes the table full screen; Escape, F11 or the entry again brings it back,
// and the entry's check mark follows.
TEST_F(TableKeys, FullScreenByKeyOrEntryAndEscapeLeavesIt)
{
    auto *entry = control<QAction>("mnufull");
    const std::pair<const char *, std::function<void()>> ways[] = {
        { "F11", [&] { press(Qt::Key_F11); } },
        { "Escape", [&] { press(Qt::Key_Escape); } },
        { "the entry", [&] { entry->trigger(); } },
    };
    for (const auto &[way, leave] : ways) {
        SCOPED_TRACE(way);
        press(Qt::Key_F11);
        ASSERT_TRUE(table->windowState() & Qt::WindowFullScreen);
        EXPECT_TRUE(entry->isChecked());
        leave();
        EXPECT_FALSE(table->windowState() & Qt::WindowFullScreen);
        EXPECT_FALSE(entry->isChecked());
        EXPECT_TRUE(table->isVisible()) << "Escape closes no game window";
    }
}

// However the keyboard was left (on the menu bar, or nowhere), closing a window opened over the
// table puts it back on a control of the table.
TEST_F(TableKeys, AfterAWindowClosesTheFocusIsOnTheTable)
{
    const std::pair<const char *, QKeyCombination> windows[] = {
        { "the record", Qt::CTRL | Qt::Key_R },
        { "about", Qt::CTRL | Qt::Key_I },
        { "the play history", Qt::CTRL | Qt::Key_H },
    };
    for (const auto &[what, key] : windows) {
        SCOPED_TRACE(what);
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus();
        ASSERT_EQ(table->focusWidget(), nullptr);
        QTimer::singleShot(0, [] {
            if (QWidget *window = QApplication::activeModalWidget())
                window->close();
        });
        press(key);
        QWidget *focus = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            focus = table->focusWidget();
            return focus != nullptr;
        }));
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(control("client")->isAncestorOf(focus) && focus->isVisible()
                    && focus->isEnabled())
            << focus->objectName().toStdString();
    }
}

TEST_F(TableKeys, KeysAreShownBesideEntriesAndInTooltips)
{
    auto *bar = table->findChild<QMenuBar *>();
    const auto barTooltip = [&](const char *entry) {
        QAction *action = table->findChild<QAction *>(QString::fromLatin1(entry));
        const QPoint at = bar->actionGeometry(action).center();
        QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(barTooltip("mnustart"), QStringLiteral("ปุ่มลัด F2"));
    EXPECT_EQ(barTooltip("mnupoint"), QStringLiteral("ปุ่มลัด Ctrl+R"));
    EXPECT_EQ(barTooltip("mnuabout"), QStringLiteral("ปุ่มลัด Ctrl+I"));
    // Drop-down entries show their keys beside them.
    EXPECT_EQ(table->findChild<QAction *>(QStringLiteral("mnu9ga"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_2));
    // A control's tooltip names its key (and the one that works in the name box too), and screen
    // readers read it as its description.
    const std::pair<const char *, const char *> controls[] = {
        { "Opt1000", "ปุ่มลัด 1 หรือ Alt+1" }, { "Optall", "ปุ่มลัด 5 หรือ Alt+5" },
        { "Cmdreq", "ปุ่มลัด D หรือ Alt+D" },  { "cmdnoreq", "ปุ่มลัด S หรือ Alt+S" },
        { "Cmdname", "ปุ่มลัด Ctrl+S" },
    };
    for (const auto &[name, hint] : controls) {
        EXPECT_EQ(control(name)->toolTip(), QString::fromUtf8(hint)) << name;
        EXPECT_EQ(
            QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Description),
            QString::fromUtf8(hint))
            << name;
    }
}

TEST_F(TableKeys, EveryKeyBelongsToOneCommand)
{
    std::set<int> seen;
    for (int command = 0; command <= int(Command::Quit); ++command)
        for (const QKeySequence &key : shortcuts::keys(Command(command)))
            EXPECT_TRUE(seen.insert(key[0].toCombined()).second)
                << key.toString().toStdString() << " twice";
    EXPECT_EQ(shortcuts::keyText(Command::Rules), QStringLiteral("F1"));
    EXPECT_EQ(shortcuts::keyText(Command::History), QStringLiteral("Ctrl+H"));
}

// The Thai Kedmanee layout types Thai letters, "/" and "-" on the keys whose US letters and
// digits are the game's keys; the key's place still finds its command. (Real key presses under
// an X server with the layout switched are in the X11 tests.)
TEST_F(TableKeys, ThaiLayoutKeysFindTheirCommandByTheirPlace)
{
    random.deal(tableBySeat(kFourAgainstPok));
    pressThai(U'/', 11); // the "2" key
    ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    EXPECT_EQ(table->bet(), 5000);
    toolkit.expect(Answer::Ok);
    pressThai(U'ก', 40); // the "D" key
    EXPECT_EQ(toolkit.boxes().size(), 1u);

    // Typing in the name box stays typing; with Ctrl the key is the command.
    ASSERT_TRUE(shown("txtname"));
    auto *name = control<QLineEdit>("txtname");
    name->setFocus();
    pressThai(U'ก', 40);
    EXPECT_EQ(name->text(), QStringLiteral("ก"));
    pressThai(U'ื', 57, Qt::ControlModifier); // Ctrl and the "N" key
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
}

// The ring around the focused control: width pixels of one colour just outside it,
// the window's own picture right beyond, and at least 3:1 against the surface it lies on. Where
// the window ends closer to the control, the ring ends with it.
void expectRingAround(QWidget *control, const QColor &surface, const QColor &ring,
                      int width = FocusRing::kWidth)
{
    QWidget *window = control->window();
    const QImage shot = window->grab().toImage();
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    const QPoint middle = place.center();
    for (int out = 1; out <= width + 1; ++out) {
        const QColor expected = out <= width ? ring : surface;
        const QPoint sides[] = { { place.left() - out, middle.y() },
                                 { place.right() + out, middle.y() },
                                 { middle.x(), place.top() - out },
                                 { middle.x(), place.bottom() + out } };
        for (const QPoint &at : sides) {
            if (shot.valid(at)) {
                EXPECT_EQ(shot.pixelColor(at), expected)
                    << control->objectName().toStdString() << " at " << at.x() << "," << at.y();
            }
        }
    }
    EXPECT_GE(contrastRatio(ring, surface), 3);
}

} // namespace

TEST_F(TableKeys, FocusRingIsPlainOnTheGreenAndOnGrey)
{
    const QColor green(0, 128, 0);
    auto *option = control<QRadioButton>("Opt1000");
    option->setFocus(Qt::TabFocusReason);
    expectRingAround(option, green, FocusRing::colourOn(green));
    EXPECT_EQ(FocusRing::colourOn(green), QColor(255, 255, 0));

    random.deal(tableBySeat(kFourAgainstPok));
    press(Qt::Key_1);
    control("Cmdreq")->setFocus(Qt::TabFocusReason);
    expectRingAround(control("Cmdreq"), green, FocusRing::colourOn(green));
    toolkit.expect(Answer::Ok);
    press(Qt::Key_S);

    // On the grey of a plain window the ring is black.
    Frmabout about;
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    auto *close = about.findChild<QPushButton *>(QStringLiteral("Command1"));
    close->setFocus(Qt::TabFocusReason);
    const QColor grey = about.palette().color(QPalette::Window);
    EXPECT_EQ(FocusRing::colourOn(grey), QColor(0, 0, 0));
    expectRingAround(close, grey, FocusRing::colourOn(grey));
}

// The helpers that are plain switches, "เสียง", "ไพ่สี่สี" and "พลิกไพ่": off at first; the key
// switches each on and off, screen readers hear it switched, and the next table remembers it.
// (What the sounds are and when they play: TableSoundsTest and the real-sound test; the deck and
// the flip on the table: TableLooksTest.)
struct RememberedSwitch
{
    const char *name;
    const char *entry;
    const char *text;
    QKeyCombination key;
    bool (GameSettings::*setting)() const;
    const char *word;
};

class RememberedSwitches : public TableKeys, public ::testing::WithParamInterface<RememberedSwitch>
{
};

TEST_P(RememberedSwitches, AreOffAtFirstSwitchedByTheirKeySaidAndRemembered)
{
    const RememberedSwitch &row = GetParam();
    GameSettings().clear();
    openTable();
    const auto said = [&](const QString &sentence) {
        for (QLabel *speaker :
             table->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^lblspoken"))))
            if (speaker->accessibleName() == sentence)
                return true;
        return false;
    };
    const QString word = QString::fromUtf8(row.word);
    auto *entry = control<QAction>(row.entry);
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(entry->text(), QString::fromUtf8(row.text));
    EXPECT_EQ(entry->shortcut(), QKeySequence(row.key));
    press(row.key);
    EXPECT_TRUE((GameSettings().*row.setting)());
    EXPECT_TRUE(said(QStringLiteral("เปิด") + word));
    openTable();
    EXPECT_TRUE(control<QAction>(row.entry)->isChecked()) << "the next table";
    press(row.key);
    EXPECT_FALSE((GameSettings().*row.setting)());
    EXPECT_FALSE(control<QAction>(row.entry)->isChecked());
    EXPECT_TRUE(said(QStringLiteral("ปิด") + word));
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, RememberedSwitches,
    ::testing::Values(RememberedSwitch { "sound", "mnusound", "เสียง(&S)", Qt::CTRL | Qt::Key_M,
                                         &GameSettings::sound, "เสียง" },
                      RememberedSwitch { "four_colour_deck", "mnudeck", "ไพ่สี่สี(&L)",
                                         Qt::CTRL | Qt::Key_L, &GameSettings::fourColourDeck,
                                         "ไพ่สี่สี" },
                      RememberedSwitch { "card_flip", "mnuflip", "พลิกไพ่(&J)", Qt::CTRL | Qt::Key_J,
                                         &GameSettings::cardFlip, "พลิกไพ่" }),
    RowNamer());

// "สีตัดกันชัด": off at first, with the design's colours; on (here by its key), every text on the
// green stands out from it by 4.5:1 and the ring is wider, at once and on the next table; off
// again, the design's colours come back.
TEST_F(TableKeys, HighContrastIsARememberedChoice)
{
    GameSettings().clear();
    openTable();
    const QColor green(0, 128, 0);
    const char *texts[] = { "Lblpl1", "Lblpl2",   "Lblpl3",  "lblresult1", "lblresult2",
                            "Label1", "Lblmoney", "Lblname", "Opt1000",    "Optall" };
    auto colourOf = [&](const char *name) {
        return control(name)->palette().color(QPalette::Active, QPalette::WindowText);
    };
    auto moneyPixels = [&](const QColor &colour) {
        const QImage shot = control("Lblmoney")->grab().toImage();
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += shot.pixelColor(x, y) == colour;
        return count;
    };
    auto *entry = control<QAction>("mnucontrast");
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(colourOf("Lblpl1"), QColor(192, 0, 0)) << "the design's red until asked otherwise";
    std::vector<QColor> design;
    for (const char *name : texts)
        design.push_back(colourOf(name));
    auto *option = control<QRadioButton>("Opt1000");
    option->setFocus(Qt::TabFocusReason);
    expectRingAround(option, green, FocusRing::colourOn(green));

    press(Qt::CTRL | Qt::Key_T);
    for (int table = 0; table < 2; ++table) {
        SCOPED_TRACE(table == 0 ? "toggled" : "next table");
        EXPECT_TRUE(control<QAction>("mnucontrast")->isChecked());
        for (const char *name : texts)
            EXPECT_GE(contrastRatio(colourOf(name), green), 4.5) << name;
        EXPECT_GT(moneyPixels(colourOf("Lblmoney")), 0) << "the money is drawn in its colour";
        option = control<QRadioButton>("Opt1000");
        option->setFocus(Qt::TabFocusReason);
        expectRingAround(option, green, FocusRing::colourOn(green), FocusRing::kStrongWidth);
        openTable();
    }

    control<QAction>("mnucontrast")->trigger();
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(colourOf(texts[i]), design[i]) << texts[i];
    option = control<QRadioButton>("Opt1000");
    option->setFocus(Qt::TabFocusReason);
    expectRingAround(option, green, FocusRing::colourOn(green));
    openTable();
    EXPECT_FALSE(control<QAction>("mnucontrast")->isChecked());
}
