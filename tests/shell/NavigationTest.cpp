#include "shell/Navigator.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/CardSlider.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/GameSettings.h"
#include "toolkit/Twips.h"
#include "windows/Frmabout.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<GameWindow> openGame(GameKind kind)
{
    switch (kind) {
    case GameKind::PokDeng:
        return std::make_unique<Frmpok>();
    case GameKind::NineGa:
        return std::make_unique<Frm9ga>();
    case GameKind::Dummy:
        return std::make_unique<Frmdum>();
    case GameKind::WithFriends: // a dialog first, not a window of its own
    case GameKind::None:
        break;
    }
    return nullptr;
}

QAction *menuEntry(QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QString::fromLatin1(name));
}

int liveGameWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<GameWindow *>(widget) != nullptr;
    return count;
}

// Every entry of "เลือกเกม" and "เริ่มใหม่", in every game window: which window opens next.
TEST(GameMenus, EachEntryClosesItsWindowForTheRightOne)
{
    ScriptedToolkit toolkit;
    const GameKind games[] = { GameKind::PokDeng, GameKind::NineGa, GameKind::Dummy };
    const std::pair<const char *, GameKind> entries[] = {
        { "mnupok", GameKind::PokDeng },
        { "mnu9ga", GameKind::NineGa },
        { "mnudum", GameKind::Dummy },
    };
    for (GameKind game : games) {
        for (const auto &[name, target] : entries) {
            auto window = openGame(game);
            window->show();
            QAction *entry = menuEntry(window.get(), name);
            ASSERT_NE(entry, nullptr) << name;
            entry->trigger();
            if (target == game) {
                // The game being played: checked, and clicking it changes nothing.
                EXPECT_TRUE(entry->isChecked()) << name;
                EXPECT_TRUE(window->isVisible()) << name;
                EXPECT_EQ(window->nextWindow(), GameKind::None);
            } else {
                EXPECT_FALSE(entry->isChecked()) << name;
                EXPECT_FALSE(window->isVisible()) << name;
                EXPECT_EQ(window->nextWindow(), target) << name;
            }
        }
        auto window = openGame(game);
        window->show();
        menuEntry(window.get(), "mnustart")->trigger();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->nextWindow(), game) << "เริ่มใหม่ reopens the same game";
    }
}

TEST(GameMenus, TheBarsReadAsDesigned)
{
    ScriptedToolkit toolkit;
    auto texts = [](QWidget *window) {
        QStringList bar;
        for (QAction *action : window->findChild<QMenuBar *>()->actions())
            bar << action->text();
        return bar;
    };
    Frmpok table;
    // The table's four entries, and last the menu of helpers (odds, history, rules).
    EXPECT_EQ(
        texts(&table),
        (QStringList { QStringLiteral("เลือกเกม"), QStringLiteral("เริ่มใหม่"), QStringLiteral("สถิติ"),
                       QStringLiteral("เกี่ยวกับโปรแกรม"), QStringLiteral("ตัวช่วย") }));
    Frm9ga nineGa;
    EXPECT_EQ(texts(&nineGa),
              (QStringList { QStringLiteral("เลือกเกม"), QStringLiteral("เริ่มใหม่") }));
    QStringList entries;
    for (const char *name : { "mnupok", "mnu9ga", "mnudum" })
        entries << menuEntry(&nineGa, name)->text();
    EXPECT_EQ(
        entries,
        (QStringList { QStringLiteral("ป๊อกเด้ง"), QStringLiteral("9 เก"), QStringLiteral("ดัมมี่") }));
}

// A row added to the games' list must not take a letter that "เลือกเกม" already uses, nor the
// place in the settings where another game keeps its windows' size and place.
TEST(GameMenus, EveryGameHasItsOwnLetterAndPlace)
{
    ScriptedToolkit toolkit;
    for (const GameEntry &game : kGames) {
        auto window = openGame(game.kind);
        window->show(); // the letters are given when the window is first shown
        QStringList letters;
        for (QAction *entry : window->findChild<QMenu *>(QStringLiteral("mnusel"))->actions()) {
            if (entry->isSeparator())
                continue;
            const QRegularExpressionMatch letter
                = QRegularExpression(QStringLiteral("\\(&(.)\\)$")).match(entry->text());
            ASSERT_TRUE(letter.hasMatch()) << entry->text().toStdString();
            EXPECT_FALSE(letters.contains(letter.captured(1).toUpper()))
                << entry->text().toStdString() << " in the window of " << game.menuName;
            letters << letter.captured(1).toUpper();
        }
    }
    QStringList keys;
    for (const GameEntry &game : kGames) {
        const QString key = GameSettings::windowGeometryKey(game.kind);
        EXPECT_FALSE(key.isEmpty() || keys.contains(key)) << key.toStdString();
        keys << key;
    }
}

TEST(PlaceholderGames, CaptionAndNotice)
{
    const struct
    {
        GameKind kind;
        QString caption;
        QSize client;
        QRect notice;
    } rows[] = {
        { GameKind::NineGa, QStringLiteral("9เก"), twips::size(5160, 3195),
          twips::rect(0, 960, 5055, 735) },
        { GameKind::Dummy, QStringLiteral("ดัมมี่"), twips::size(5115, 3195),
          twips::rect(0, 1200, 5175, 735) },
    };
    for (const auto &row : rows) {
        auto window = openGame(row.kind);
        EXPECT_EQ(window->windowTitle(), row.caption);
        EXPECT_EQ(window->findChild<QWidget *>(QStringLiteral("client"))->size(), row.client);
        auto *notice = window->findChild<FittedLabel *>(QStringLiteral("Label1"));
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->text(), QStringLiteral("ขออภัยเกมอยู่ในระหว่างการผลิต"));
        EXPECT_TRUE(notice->designFont().bold());
        EXPECT_EQ(notice->designFont().pointSizeF(), 18);
        EXPECT_EQ(notice->geometry(), row.notice);
    }
}

TEST(AboutWindow, CreditsAndClose)
{
    Frmabout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("ABOUT"));
    EXPECT_EQ(about.size(), twips::size(3765, 1845));
    auto *credits = about.findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(credits, nullptr);
    EXPECT_TRUE(credits->text().contains(QStringLiteral("ป๊อกเด้ง")));
    auto *close = about.findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("ปิด"));
    about.show();
    close->click();
    EXPECT_FALSE(about.isVisible());
}

// Drives the modal game windows from a timer, the way a person would: each time a game window
// is up, do the next step to it.
class WindowDriver : public QObject
{
public:
    explicit WindowDriver(std::function<bool(GameWindow *)> step)
        : m_step(std::move(step))
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *window = qobject_cast<GameWindow *>(QApplication::activeModalWidget());
            if (window && window->isVisible() && window != m_last) {
                m_last = window;
                if (!m_step(window))
                    m_timer.stop();
            }
        });
        m_timer.start();
    }

private:
    std::function<bool(GameWindow *)> m_step;
    QTimer m_timer;
    // A guarded pointer: the next window may be built at the address of the one just deleted.
    QPointer<GameWindow> m_last;
};

TEST(Navigation, ThousandSwitchesKeepOneWindowAndOneModalLevel)
{
    ScriptedToolkit toolkit;
    CardSlider::setInstant(true);
    int switches = 0;
    int mostWindows = 0;
    const char *cycle[] = { "mnu9ga", "mnudum", "mnustart", "mnupok", "mnustart" };
    WindowDriver driver([&](GameWindow *window) {
        mostWindows = std::max(mostWindows, liveGameWindows());
        if (switches == 1000) {
            window->close();
            return false;
        }
        QAction *entry = menuEntry(window, cycle[switches % 5]);
        if (entry->isChecked()) // the current game's entry does nothing: restart instead
            entry = menuEntry(window, "mnustart");
        ++switches;
        entry->trigger();
        return true;
    });
    runGameWindows(GameKind::PokDeng, nullptr);
    EXPECT_EQ(switches, 1000);
    EXPECT_EQ(mostWindows, 1);
    EXPECT_EQ(liveGameWindows(), 0);
}

TEST(Navigation, EndingTheProgramStopsOpeningWindows)
{
    ScriptedToolkit toolkit;
    int opened = 0;
    WindowDriver driver([&](GameWindow *window) {
        ++opened;
        toolkit.endProgram();
        window->close();
        return false;
    });
    runGameWindows(GameKind::NineGa, nullptr);
    EXPECT_EQ(opened, 1);
}

} // namespace
