// A game window keeps its size and place between runs, one for each kind of game, and opens
// on the screen whatever the settings hold.
#include "toolkit/GameWindow.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/GameSettings.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class GameWindowPlace : public ::testing::Test
{
protected:
    void SetUp() override { settings.clear(); }
    void TearDown() override { settings.clear(); }
    QSettings settings { QStringLiteral("pokdeng"), QStringLiteral("pokdeng") };
};

TEST_F(GameWindowPlace, SizeAndPlaceAreKeptForEachKindOfGame)
{
    const QRect kept(QPoint(40, 50), QSize(700, 560));
    QSize nineGaDesign;
    {
        Frmpok table;
        table.show();
        table.setGeometry(kept);
        QApplication::processEvents();
        Frm9ga nineGa;
        nineGa.show();
        nineGaDesign = nineGa.size();
        QApplication::processEvents();
        nineGa.close();
        table.close();
    }
    Frmpok table;
    table.show();
    QApplication::processEvents();
    EXPECT_EQ(table.geometry(), kept);
    EXPECT_GT(table.findChild<DesignCanvas *>(QStringLiteral("client"))->scale(), 1);
    Frm9ga nineGa;
    nineGa.show();
    EXPECT_EQ(nineGa.size(), nineGaDesign) << "each kind of game keeps its own";
}

// What the settings hold may be damaged or come from another screen: the window still opens
// on the screen, at least at its design size and no larger than the screen.
TEST_F(GameWindowPlace, DamagedOrAbsurdSavedGeometryOpensASaneWindow)
{
    const auto saved = [](const QRect &geometry) {
        Frmpok window;
        window.setGeometry(geometry);
        return window.saveGeometry();
    };
    const struct
    {
        const char *name;
        QVariant value;
    } rows[] = {
        { "garbage", QByteArray("\x01\xd9\xd0\xcb not a window's geometry") },
        { "a number", 12345 },
        { "100000 px, far off every screen", saved(QRect(100000, -100000, 100000, 100000)) },
        { "tiny, at a negative place", saved(QRect(-5000, -5000, 30, 20)) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        settings.setValue(GameSettings::windowGeometryKey(GameKind::PokDeng), row.value);
        settings.sync();
        Frmpok table;
        table.show();
        QApplication::processEvents();
        const QRect screen = table.screen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(table.frameGeometry()))
            << table.frameGeometry().x() << "," << table.frameGeometry().y();
        EXPECT_GE(table.width(), table.minimumWidth());
        EXPECT_GE(table.height(), table.minimumHeight());
        EXPECT_LE(table.width(), std::max(screen.width(), table.minimumWidth()));
        EXPECT_LE(table.height(), std::max(screen.height(), table.minimumHeight()));
        table.hide();
    }
}

// A window whose row below the table needs more width than the table's design has (the shared
// table's chat panel with its quick phrases): the row is lined up with the table by margins, and
// those must not push the window wider with every resize.
class WideRowWindow final : public GameWindow
{
public:
    WideRowWindow()
        : GameWindow(GameKind::NineGa, 3000, 2000, nullptr)
    {
        auto *row = new QWidget(this);
        auto *layout = new QHBoxLayout(row);
        for (int i = 0; i < 6; ++i)
            layout->addWidget(new QPushButton(QStringLiteral("ปุ่มกว้าง %1").arg(i), row));
        addBelowClient(row);
        m_row = row;
    }
    QWidget *m_row;
};

TEST_F(GameWindowPlace, ARowWiderThanTheTableDoesNotWidenTheWindowForEver)
{
    WideRowWindow window;
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const int settled = window.width();
    window.resize(window.width() + 40, window.height() + 40);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    EXPECT_LE(settled, screen.width());
    EXPECT_LE(window.width(), settled + 40);
}

} // namespace

// The zoom keys step the table's size by half the design's size, up to the screen's free area
// and down to the design's size; the size reached is the one the next window opens at.
TEST_F(GameWindowPlace, ZoomKeysStepTheSizeWithinTheScreenAndAreKept)
{
    const auto press = [](QWidget *window, QKeyCombination key) {
        QTest::keyClick(window, key.key(), key.keyboardModifiers());
        QApplication::processEvents();
    };
    const auto scaleOf = [](QWidget *window) {
        return window->findChild<DesignCanvas *>(QStringLiteral("client"))->scale();
    };
    QSize design, largest;
    {
        Frmpok table;
        table.show();
        QApplication::setActiveWindow(&table);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
        design = table.size();
        const QRect room = table.screen()->availableGeometry();
        const int menuHeight = table.findChild<QMenuBar *>()->height();

        press(&table, Qt::CTRL | Qt::Key_Equal);
        EXPECT_DOUBLE_EQ(scaleOf(&table), 1.5);
        EXPECT_EQ(table.height() - menuHeight, (design.height() - menuHeight) * 3 / 2);
        press(&table, Qt::CTRL | Qt::Key_Minus);
        EXPECT_EQ(table.size(), design);
        press(&table, Qt::CTRL | Qt::Key_Minus);
        EXPECT_EQ(table.size(), design) << "never below the design's size";

        // Ctrl and + as well; the steps stop where the window fills the free area one way.
        for (int i = 0; i < 12; ++i)
            press(&table, Qt::CTRL | Qt::Key_Plus);
        largest = table.size();
        EXPECT_TRUE(room.contains(table.frameGeometry())) << "within the free area";
        EXPECT_TRUE(table.frameGeometry().width() == room.width()
                    || table.frameGeometry().height() == room.height());
        EXPECT_GT(scaleOf(&table), 1.5);
        table.close();
    }
    {
        Frmpok table;
        table.show();
        QApplication::processEvents();
        EXPECT_EQ(table.size(), largest) << "the size reached is kept";
        QApplication::setActiveWindow(&table);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
        // One step down from a size between steps is the step below it.
        press(&table, Qt::CTRL | Qt::Key_Minus);
        EXPECT_LT(table.width(), largest.width());
        EXPECT_DOUBLE_EQ(std::fmod(scaleOf(&table), 0.5), 0);
        press(&table, Qt::CTRL | Qt::Key_0);
        EXPECT_EQ(table.size(), design);
        table.showMaximized();
        QApplication::processEvents();
        press(&table, Qt::CTRL | Qt::Key_0);
        EXPECT_FALSE(table.isMaximized());
        EXPECT_EQ(table.size(), design) << "a maximised window comes back to the design's size";
    }
}
