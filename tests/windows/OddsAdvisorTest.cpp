#include "windows/OddsAdvisor.h"
#include "support/CardFixtures.h"
#include "support/ScriptedTable.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "toolkit/GameSettings.h"
#include "windows/Frmpok.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>

using Answer = Toolkit::Answer;

namespace {

// The user's 3 of spades and ace of hearts (4 points, two suits) for 1,000 baht. The figures were
// counted apart from the game, over every fall of the unseen cards: drawing wins 1,700,750 of
// 5,527,200 cases (30.8%), ties 446,350 (8.1%), loses 3,380,100 (61.2%) and brings -465.9 baht;
// standing wins 32,324 of 117,600 (27.5%), ties 8,024 (6.8%), loses 77,252 (65.7%), -546.7 baht.
const QString kFourDraw
    = QStringLiteral("จั่วไพ่: ชนะ 30.8% เสมอ 8.1% แพ้ 61.2% เฉลี่ยเสีย 465.9 บาท ต่อตา (ดีกว่า)");
const QString kFourStand
    = QStringLiteral("ไม่จั่ว: ชนะ 27.5% เสมอ 6.8% แพ้ 65.7% เฉลี่ยเสีย 546.7 บาท ต่อตา");
// A pok 9 of one suit only ties a dealer's two-card 9 (109 of the 1,225 pairs of unseen cards)
// and wins two stakes against anything else: 2 x 1,000 x 1,116 / 1,225 baht.
const QString kPokNine
    = QStringLiteral("หงายไพ่: ชนะ 91.1% เสมอ 8.9% แพ้ 0.0% เฉลี่ยได้ 1822.0 บาท ต่อตา");

// The first seat holds 0 and draws, the last seat 7 and stands, the dealer a pok 8: no coin.
std::string seats(const std::string &user)
{
    return "KS QS 8S | " + user + " | 5D 2D 3D | 6S 2H 4C";
}

class OddsAdvisorWindow : public ScriptedTable
{
protected:
    void SetUp() override
    {
        // The advisor starts off on a table that no test before has turned it on for.
        GameSettings().clear();
        ScriptedTable::SetUp();
    }
    QAction *entry() const { return control<QAction>("mnuodds"); }
    QString line() const { return control<QLabel>("lblodds")->text(); }
    // The advice in a turn button's tooltip: every line but the last, which names the key.
    QString tip(const char *button) const
    {
        QStringList lines = control(button)->toolTip().split(QLatin1Char('\n'));
        EXPECT_TRUE(lines.last().startsWith(QStringLiteral("ปุ่มลัด "))) << button;
        lines.removeLast();
        return lines.join(QLatin1Char('\n'));
    }

    void bet(const std::string &user) { tableround::bet(table.get(), random, seats(user)); }
    // Ends the turn with the button; the outcome box, while it waits, checks that the advisor
    // has cleared.
    void endTurn(const char *button)
    {
        toolkit.expect(Answer::Ok);
        toolkit.onBox([this](const ScriptedToolkit::Box &) {
            EXPECT_EQ(line(), QString());
            EXPECT_EQ(tip("Cmdreq"), QString());
            EXPECT_EQ(tip("cmdnoreq"), QString());
        });
        control<QPushButton>(button)->click();
        EXPECT_EQ(toolkit.boxes().size(), 1u);
        toolkit.clearBoxes();
    }
    // Whether anything lies under the table's client area.
    bool growsBelowTheTable() const
    {
        table->show();
        QApplication::processEvents();
        return table->height() > control("client")->geometry().bottom() + 1;
    }
};

} // namespace

TEST(OddsAdvisorWords, TheAverageReadsAsAThaiSentence)
{
    const struct
    {
        const char *name;
        double money;
        const char *text;
    } cases[] = {
        { "a gain", 149.73, "เฉลี่ยได้ 149.7 บาท ต่อตา" },
        { "a loss, without its sign", -312.2, "เฉลี่ยเสีย 312.2 บาท ต่อตา" },
        { "exactly nothing", 0.0, "เฉลี่ยเสมอตัว" },
        { "a gain that rounds to nothing", 0.049, "เฉลี่ยเสมอตัว" },
        { "a loss that rounds to nothing", -0.049, "เฉลี่ยเสมอตัว" },
        { "the least loss shown", -0.06, "เฉลี่ยเสีย 0.1 บาท ต่อตา" },
    };
    for (const auto &one : cases)
        EXPECT_EQ(OddsAdvisor::averageText(one.money), QString::fromUtf8(one.text)) << one.name;
}

TEST_F(OddsAdvisorWindow, OffByDefaultTheTableIsAsDesigned)
{
    EXPECT_EQ(entry()->text(), QStringLiteral("ตัวช่วยคำนวณ"));
    EXPECT_TRUE(entry()->isCheckable());
    EXPECT_FALSE(entry()->isChecked());
    EXPECT_TRUE(control("sbrodds")->isHidden());
    EXPECT_FALSE(growsBelowTheTable());

    bet("3S AH 9D");
    ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    EXPECT_EQ(line(), QString());
    EXPECT_EQ(tip("Cmdreq"), QString());
    EXPECT_EQ(tip("cmdnoreq"), QString());
    endTurn("cmdnoreq");
}

TEST_F(OddsAdvisorWindow, ShowsEachChoiceAtTheUsersTurnAndClearsWhenItEnds)
{
    entry()->trigger();
    EXPECT_TRUE(growsBelowTheTable());
    EXPECT_EQ(line(), QString()) << "nothing to say before a turn";

    // Both choices, the better one marked; each button's tooltip tells its own.
    bet("3S AH 9D");
    EXPECT_EQ(line(), kFourDraw + QLatin1Char('\n') + kFourStand);
    EXPECT_EQ(tip("Cmdreq"), kFourDraw);
    EXPECT_EQ(tip("cmdnoreq"), kFourStand);
    endTurn("cmdnoreq");
    EXPECT_EQ(line(), QString());

    // A pok has one choice, named as its button reads, and nothing to mark.
    bet("9H KH 2C");
    EXPECT_EQ(line(), kPokNine);
    EXPECT_EQ(tip("Cmdreq"), QString());
    EXPECT_EQ(tip("cmdnoreq"), kPokNine);
    endTurn("cmdnoreq");

    // 0 points must draw: the draw alone, and the line clears when the user draws.
    bet("KC QH 7C");
    EXPECT_TRUE(line().startsWith(QStringLiteral("จั่วไพ่: ชนะ "))) << line().toStdString();
    EXPECT_FALSE(line().contains(QLatin1Char('\n')));
    EXPECT_EQ(tip("cmdnoreq"), QString());
    endTurn("Cmdreq");
    EXPECT_EQ(line(), QString());
}

TEST_F(OddsAdvisorWindow, TurnedOnOrOffDuringTheTurnAndRemembered)
{
    bet("3S AH 9D");
    entry()->trigger();
    EXPECT_FALSE(control("sbrodds")->isHidden());
    EXPECT_EQ(line(), kFourDraw + QLatin1Char('\n') + kFourStand);

    ScriptedRandom otherRandom;
    Frmpok next(nullptr, &otherRandom);
    EXPECT_TRUE(next.findChild<QAction *>(QStringLiteral("mnuodds"))->isChecked())
        << "the next table remembers the advisor on";

    entry()->trigger();
    EXPECT_TRUE(control("sbrodds")->isHidden());
    EXPECT_EQ(tip("Cmdreq"), QString());
    EXPECT_EQ(tip("cmdnoreq"), QString());
    EXPECT_FALSE(growsBelowTheTable());
    Frmpok after(nullptr, &otherRandom);
    EXPECT_FALSE(after.findChild<QAction *>(QStringLiteral("mnuodds"))->isChecked());
    endTurn("cmdnoreq");
}
