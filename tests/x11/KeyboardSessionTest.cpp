// A whole session played with the keyboard alone under a real X server, in the US layout and in
// the Thai Kedmanee layout: the rules page from the start window's row by Tab, then from the start
// window to the table, twenty rounds (the real outcome
// boxes closed with Enter) with the save offer on the table from the first win on, the record and
// about windows, a placeholder game and back, and Ctrl+Q. The keys are pressed by their place
// (the X key code), as fingers press them, and never typed into the name box: it never takes the
// focus and stays empty. The cards are the game's own.
#include "X11Session.h"
#include "shell/Form1.h"
#include "support/RowName.h"
#include "support/SessionSteps.h"
#include "toolkit/CardSlider.h"
#include "toolkit/QtToolkit.h"
#include "windows/Frmpok.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Action = SessionSteps::Action;

// Keys pressed through the X server, with the window that is to take them made active first
// (no window manager runs to do it when a window closes).
Action keysTo(QWidget *window, const char *keys)
{
    if (!window)
        return {};
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        return {};
    }
    return [keys] {
        EXPECT_TRUE(X11Session::run(QStringLiteral("xdotool"),
                                    { QStringLiteral("key"), QString::fromLatin1(keys) }))
            << keys;
    };
}

std::function<Action()> keysIn(const char *window, const char *keys)
{
    return [=] { return keysTo(SessionSteps::window(window), keys); };
}

// The rules page: no modal window, it stands beside the start window, which stays modal.
QWidget *rulesPage()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == QLatin1String("Frmrules"))
            return window;
    return nullptr;
}

Frmpok *tableAtRest()
{
    auto *table = qobject_cast<Frmpok *>(SessionSteps::window("Frmpok"));
    return table && table->phase() == Frmpok::Phase::Betting ? table : nullptr;
}

template<class T> T *shownControl(QWidget *window, const char *name)
{
    T *control = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    return control && control->isVisible() && control->isEnabled() ? control : nullptr;
}

class KeyboardSession : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        if (const QString why = useKeyboardLayout(GetParam()); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        CardSlider::setInstant(true);
        QFile::remove(QStringLiteral("point.pon"));
    }
};

TEST_P(KeyboardSession, AWholeSessionWithTheKeyboardAlone)
{
    constexpr int kRounds = 20;
    int rounds = 0;
    int boxes = 0;
    bool typedIntoName = false;
    int roundsWithOffer = 0; // rounds begun with the save offer on the table
    QSet<int> offerSeen;
    // A round's next key: Enter on the outcome box, S or D for the turn, or a bet's digit.
    auto playOn = [&]() -> Action {
        QWidget *modal = QApplication::activeModalWidget();
        if (qobject_cast<QMessageBox *>(modal)) {
            Action enter = keysTo(modal, "Return");
            boxes += enter != nullptr;
            return enter;
        }
        QWidget *table = SessionSteps::window("Frmpok");
        // The name box is the user's to go to: the keys of the round never land there.
        if (auto *name
            = table ? table->findChild<QLineEdit *>(QStringLiteral("txtname")) : nullptr) {
            EXPECT_FALSE(name->hasFocus()) << "after round " << rounds;
            EXPECT_TRUE(name->text().isEmpty()) << "after round " << rounds;
            typedIntoName = typedIntoName || name->hasFocus() || !name->text().isEmpty();
            if (tableAtRest() && name->isVisible() && !offerSeen.contains(rounds)) {
                offerSeen.insert(rounds);
                ++roundsWithOffer;
            }
        }
        if (shownControl<QAbstractButton>(table, "cmdnoreq"))
            return keysTo(table, "39"); // S
        if (shownControl<QAbstractButton>(table, "Cmdreq"))
            return keysTo(table, "40"); // D
        if (!tableAtRest() || rounds == kRounds)
            return {};
        // 1,000 baht, or half or all the money once less than that is left.
        const std::pair<const char *, const char *> bets[]
            = { { "Opt1000", "10" }, { "Opt500", "13" }, { "Optall", "14" } };
        for (const auto &[name, key] : bets) {
            if (shownControl<QRadioButton>(table, name)) {
                Action press = keysTo(table, key);
                rounds += press != nullptr;
                return press;
            }
        }
        return {};
    };

    const auto focusedIs = [](const char *name) {
        return [name] {
            QWidget *focus = QApplication::focusWidget();
            return focus && focus->objectName() == QLatin1String(name);
        };
    };
    SessionSteps session({
        // The start window's row below the games is reached by Tab: the games, then
        // เล่นกับเพื่อน, then วิธีเล่น.
        { "Tab to 9 เก", keysIn("Form1", "Tab"), focusedIs("Command2") },
        { "Tab to ดัมมี่", keysIn("Form1", "Tab"), focusedIs("Command3") },
        { "Tab to เล่นกับเพื่อน", keysIn("Form1", "Tab"), focusedIs("cmdfriends") },
        { "Tab to วิธีเล่น", keysIn("Form1", "Tab"), focusedIs("cmdrules") },
        { "open it: Space", keysIn("Form1", "space"), [] { return rulesPage() != nullptr; } },
        { "close it: Escape", [] { return keysTo(rulesPage(), "Escape"); },
          [] { return rulesPage() == nullptr; } },
        { "open the table: Ctrl+1", keysIn("Form1", "ctrl+10") },
        { "play twenty rounds", playOn,
          [&] { return rounds == kRounds && tableAtRest() != nullptr; } },
        { "open the record window: Ctrl+R", keysIn("Frmpok", "ctrl+27") },
        { "close it: Enter", keysIn("Frmpoint", "Return") },
        { "open the about window: Ctrl+I",
          [] { return tableAtRest() ? keysTo(tableAtRest(), "ctrl+31") : Action(); } },
        { "close it: Escape", keysIn("Frmabout", "Escape") },
        { "play 9 เก: Ctrl+2",
          [] { return tableAtRest() ? keysTo(tableAtRest(), "ctrl+11") : Action(); } },
        { "back to ป๊อกเด้ง: Ctrl+1", keysIn("Frm9ga", "ctrl+10") },
        { "quit: Ctrl+Q",
          [] { return tableAtRest() ? keysTo(tableAtRest(), "ctrl+24") : Action(); } },
    });
    // The real toolkit, boxes and all, fresh for this session: Ctrl+Q leaves it ending.
    QtToolkit toolkit;
    Toolkit::install(&toolkit);
    {
        Form1 form;
        form.exec();
    }
    Toolkit::install(nullptr);
    // Ctrl+Q ended every event loop; the application's own loop, run once, lets the next test
    // run loops again.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    EXPECT_TRUE(toolkit.isEnding());
    EXPECT_TRUE(session.finished()) << "stopped before: " << session.waitingFor();
    EXPECT_EQ(rounds, kRounds);
    EXPECT_GE(boxes, kRounds);
    EXPECT_FALSE(typedIntoName);
    // A new install's record is 0: the offer is on the table after every round the money is not
    // gone.
    EXPECT_GE(roundsWithOffer, kRounds / 2);
}

INSTANTIATE_TEST_SUITE_P(Layouts, KeyboardSession, ::testing::Values("us", "th"), RowNamer());

} // namespace
