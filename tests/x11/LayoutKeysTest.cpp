// The game's keys pressed on a real keyboard under an X server, with the US layout, the Thai
// Kedmanee layout alone, and the Thai layout in use beside a US one, as a Thai player types. The
// keys are pressed by their place (the X key code), as fingers press them: the "2" key types "/"
// in the Thai layout, the "D" key "ก", the "N" key "ื".
#include "X11Session.h"
#include "support/CardFixtures.h"
#include "support/RowName.h"
#include "support/ScriptedRandom.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace pokdeng;
using Answer = Toolkit::Answer;

namespace {

// X key codes of the keys pressed, by their US letters and digits.
const QString kKey1 = QStringLiteral("10"), kKey2 = QStringLiteral("11");
const QString kKeyD = QStringLiteral("40"), kKeyS = QStringLiteral("39");
const QString kCtrlR = QStringLiteral("ctrl+27"), kCtrlN = QStringLiteral("ctrl+57");
const QString kCtrl2 = QStringLiteral("ctrl+11"), kCtrlQ = QStringLiteral("ctrl+24");

// The user's 4 against the dealer's pok 8; the first seat draws on 0, the last stands on 7.
const std::string kFourAgainstPok = "KS QS 8S | AS 3H 9D | 5D 2D 3D | 6S 2H 4C";

class LayoutKeys : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        if (const QString why = useKeyboardLayout(GetParam()); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        CardSlider::setInstant(true);
    }
    void TearDown() override
    {
        table.reset();
        EXPECT_TRUE(random.isUsedUp()) << "scripted numbers left over";
        EXPECT_TRUE(toolkit.allAnswersUsed()) << "an expected message box never came";
    }

    void openTable()
    {
        table = std::make_unique<Frmpok>(nullptr, &random);
        table->show();
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
    }
    // Presses and lets go the keys through the X server, then waits until what they do is done.
    void press(const QString &keys, const std::function<bool()> &done)
    {
        ASSERT_TRUE(X11Session::run(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }))
            << "xdotool could not press " << keys.toStdString();
        EXPECT_TRUE(QTest::qWaitFor(done, 5000)) << keys.toStdString();
    }

    ScriptedToolkit toolkit;
    ScriptedRandom random;
    std::unique_ptr<Frmpok> table;
};

TEST_P(LayoutKeys, EveryKindOfKeyFindsItsCommand)
{
    openTable();
    // A digit key: "2" in the US layout, "/" in the Thai one.
    random.deal(tableBySeat(kFourAgainstPok));
    press(kKey2, [&] { return table->phase() == Frmpok::Phase::UserTurn; });
    EXPECT_EQ(table->bet(), 5000);
    // A letter key: "S" stands.
    toolkit.expect(Answer::Ok);
    press(kKeyS, [&] { return toolkit.boxes().size() == 1; });
    // "1" and "D": another bet, and a draw.
    random.deal(tableBySeat(kFourAgainstPok));
    press(kKey1, [&] { return table->phase() == Frmpok::Phase::UserTurn; });
    EXPECT_EQ(table->bet(), 1000);
    toolkit.expect(Answer::Ok);
    press(kKeyD, [&] { return toolkit.boxes().size() == 2; });
    EXPECT_EQ(table->cards()[10], card("9D")) << "the user drew";

    // Ctrl and a letter: the record window, closed as soon as it shows.
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != table.get()) {
            shown = modal->objectName();
            modal->close();
        }
    });
    closer.start(10);
    press(kCtrlR, [&] { return !shown.isEmpty() && !QApplication::activeModalWidget(); });
    closer.stop();
    EXPECT_EQ(shown, QStringLiteral("Frmpoint"));
    // With no window manager nobody hands the focus back to the table.
    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));

    // A function key: F10 opens the first menu, Escape closes it and a second leaves the bar.
    auto *bar = table->findChild<QMenuBar *>();
    press(QStringLiteral("F10"), [&] {
        QWidget *menu = QApplication::activePopupWidget();
        return menu && menu->objectName() == QLatin1String("mnusel");
    });
    press(QStringLiteral("Escape"), [&] { return !QApplication::activePopupWidget(); });
    if (bar->activeAction())
        press(QStringLiteral("Escape"), [&] { return bar->activeAction() == nullptr; });

    // Ctrl and a digit: another game.
    press(kCtrl2, [&] { return table->nextWindow() == GameKind::NineGa; });

    // Ctrl+N on a fresh table restarts it; Ctrl+Q ends the program.
    openTable();
    press(kCtrlN, [&] { return table->nextWindow() == GameKind::PokDeng; });
    openTable();
    press(kCtrlQ, [&] { return toolkit.isEnding(); });
    toolkit.resetEnding();
}

// "th,us": the Thai layout in use with a US one loaded beside it, as a Thai desktop sets it up.
INSTANTIATE_TEST_SUITE_P(Layouts, LayoutKeys, ::testing::Values("us", "th", "th,us"), RowNamer());

} // namespace
