#include "windows/Frmpok.h"
#include "history/ScoreStore.h"
#include "rules/CardName.h"
#include "rules/pokdeng/SlidePath.h"
#include "support/CardFixtures.h"
#include "support/ScriptedTable.h"
#include "support/TableRound.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/Twips.h"
#include "windows/Frmpoint.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace pokdeng;
using namespace cards;
using Style = Toolkit::Style;
using Answer = Toolkit::Answer;

namespace {

// The first seat holds 0 and always draws; the last seat holds 7 and stands. Neither flips a coin,
// so a test scripts only the deal.
std::string seats(const std::string &user, const std::string &dealer)
{
    return "KS QS 8S | " + user + " | 5D 2D 3D | " + dealer;
}

class TableWindow : public ScriptedTable
{
protected:
    QLabel *slot(int k) const
    {
        return control<QLabel>(QStringLiteral("Imgpl%1").arg(k).toLatin1());
    }
    QString text(const char *name) const { return control<QLabel>(name)->text(); }
    bool shown(const char *name) const { return !control(name)->isHidden(); }

    // Deals the cards (by seat: first seat | user | last seat | dealer) and picks a bet.
    void bet(const char *option, const std::string &bySeat)
    {
        tableround::bet(table.get(), random, bySeat, option);
    }
    // Ends the user's turn; the outcome box is answered OK, and the game-over boxes, if the
    // test expects them, as given.
    void stand(std::initializer_list<Answer> gameOverAnswers = {})
    {
        toolkit.expect(Answer::Ok);
        for (Answer answer : gameOverAnswers)
            toolkit.expect(answer);
        control<QPushButton>("cmdnoreq")->click();
    }
    void draw()
    {
        toolkit.expect(Answer::Ok);
        control<QPushButton>("Cmdreq")->click();
    }
    bool showsFace(int k) const
    {
        const Card &card = table->cards()[k];
        return slot(k)->pixmap().cacheKey() == CardLibrary::face(card.suit, card.rank).cacheKey();
    }
    bool showsBack(int k) const
    {
        return slot(k)->pixmap().cacheKey() == CardLibrary::back().cacheKey();
    }
    std::vector<bool> enabledOptions() const
    {
        std::vector<bool> enabled;
        for (const char *name : { "Opt1000", "Opt5000", "Opt10000", "Opt500", "Optall" })
            enabled.push_back(control(name)->isEnabled());
        return enabled;
    }
    bool noBetChosen() const
    {
        for (const char *name : { "Opt1000", "Opt5000", "Opt10000", "Opt500", "Optall" })
            if (control<QRadioButton>(name)->isChecked())
                return false;
        return control<QRadioButton>("Option2")->isChecked();
    }
    void expectAllSlotsOnThePack() const
    {
        for (int k = 1; k <= 12; ++k) {
            EXPECT_TRUE(slot(k)->isHidden()) << "slot " << k;
            EXPECT_EQ(slot(k)->pos(), twips::point(2880, 1680)) << "slot " << k;
        }
    }
};

TEST_F(TableWindow, FreshlyLoaded)
{
    EXPECT_EQ(table->windowTitle(), QStringLiteral("ป๊อกเด้ง"));
    EXPECT_EQ(table->money(), 10000);
    EXPECT_EQ(table->bet(), 500);
    EXPECT_EQ(text("Lblmoney"), QStringLiteral("10000"));
    EXPECT_EQ(text("Label1"), QStringLiteral("เงินคงเหลือ ="));
    expectAllSlotsOnThePack();
    EXPECT_TRUE(noBetChosen());
    EXPECT_EQ(enabledOptions(), std::vector<bool>(5, true));
    for (const char *hidden :
         { "Cmdreq", "cmdnoreq", "Cmdname", "txtname", "Lblname", "Lblpl1", "Lblpl2", "Lblpl3" })
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_EQ(text("lblresult1"), QString());
    EXPECT_EQ(text("lblresult2"), QString());
    EXPECT_EQ(control<QPushButton>("cmdnoreq")->text(), QStringLiteral("ไม่จั่ว"));
    // The client area is 6300 x 5280 twips; the "no bet" option lies wholly outside it.
    QWidget *client = control("client");
    EXPECT_EQ(client->size(), twips::size(6300, 5280));
    EXPECT_FALSE(client->rect().intersects(control("Option2")->geometry()));
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);
}

TEST_F(TableWindow, RoundFromBetToNextBet)
{
    // The user holds 4 in two suits, the dealer a pok 8.
    bet("Opt500", seats("AS 3H 9D", "6S 2H 4C"));
    EXPECT_EQ(table->bet(), 5000); // half of 10000
    EXPECT_TRUE(control<QRadioButton>("Opt500")->isChecked());
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { false, false, false, true, false }));
    for (const char *label : { "Lblpl1", "Lblpl2", "Lblpl3" })
        EXPECT_TRUE(shown(label)) << label;
    EXPECT_TRUE(shown("Cmdreq"));
    EXPECT_TRUE(shown("cmdnoreq"));
    EXPECT_EQ(text("lblresult1"), QStringLiteral("คุณได้แต้ม=4"));
    EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);

    // The user's cards face up, every other card's back; the first seat's drawn third card lies
    // face down in its place, the other third cards wait hidden on the pack.
    for (int k = 1; k <= 8; ++k) {
        EXPECT_FALSE(slot(k)->isHidden()) << "slot " << k;
        EXPECT_EQ(slot(k)->pos(), twips::point(slotPlace(k)->end.left, slotPlace(k)->end.top));
        const bool users = k == 2 || k == 6;
        EXPECT_TRUE(users ? showsFace(k) : showsBack(k)) << "slot " << k;
        EXPECT_EQ(slot(k)->accessibleName(),
                  users ? QString::fromStdString(cardName(table->cards()[k]))
                        : QStringLiteral("หลังไพ่"));
    }
    EXPECT_EQ(slot(2)->accessibleName(), QStringLiteral("A โพดำ"));
    EXPECT_FALSE(slot(9)->isHidden());
    EXPECT_TRUE(showsBack(9));
    EXPECT_EQ(slot(9)->pos(), twips::point(5160, 240));
    for (int k : { 10, 11, 12 }) {
        EXPECT_TRUE(slot(k)->isHidden());
        EXPECT_EQ(slot(k)->pos(), twips::point(2880, 1680));
    }

    toolkit.onBox([&](const ScriptedToolkit::Box &) {
        // The reveal: every shown card face up, third cards not taken still hidden.
        for (int k = 1; k <= 12; ++k)
            EXPECT_TRUE(showsFace(k)) << "slot " << k;
        for (int k : { 10, 11, 12 })
            EXPECT_TRUE(slot(k)->isHidden()) << "slot " << k;
        EXPECT_EQ(text("lblresult1"), QStringLiteral("4แต้ม"));
        EXPECT_EQ(text("lblresult2"), QStringLiteral("ป๊อก 8"));
        EXPECT_EQ(text("Lblmoney"), QStringLiteral("10000"));
    });
    stand();
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    EXPECT_EQ(toolkit.boxes()[0].title, QStringLiteral("แพ้"));
    EXPECT_EQ(toolkit.boxes()[0].prompt, QStringLiteral("เจ้าป๊อก 8  คุณ4แต้ม คุณแพ้เสียเงิน 5000 บาท"));
    EXPECT_EQ(toolkit.boxes()[0].style, Style::Ok);

    EXPECT_EQ(table->money(), 5000);
    EXPECT_EQ(text("Lblmoney"), QStringLiteral("5000"));
    EXPECT_EQ(text("lblresult1"), QString());
    EXPECT_EQ(text("lblresult2"), QString());
    expectAllSlotsOnThePack();
    EXPECT_TRUE(noBetChosen());
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { true, true, false, true, true }));
    // 5000 beats the record of an empty score file.
    EXPECT_TRUE(shown("Cmdname"));
    EXPECT_TRUE(shown("txtname"));
    EXPECT_TRUE(shown("Lblname"));
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);
}

TEST_F(TableWindow, TurnButtonsFollowThePointsAndAPokKeepsShowCards)
{
    struct Row
    {
        const char *user;
        bool draw, stand;
        const char *status;
    } rows[] = {
        { "KS QH 2C", true, false, "มีแต้มแค่0อยู่ไม่ได้" },
        { "AS 2S 2C", true, false, "มีแต้มแค่3สองเด้งอยู่ไม่ได้" },
        { "AS 6H 2C", true, true, "คุณได้แต้ม=7" },
        { "4S 5H 2C", false, true, "คุณป๊อก9" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.user);
        bet("Opt1000", "10S 10H 7C | " + std::string(row.user) + " | 5D 2D 3D | 6S 2H 4C");
        EXPECT_EQ(shown("Cmdreq"), row.draw);
        EXPECT_EQ(shown("cmdnoreq"), row.stand);
        EXPECT_EQ(text("lblresult1"), QString::fromUtf8(row.status));
        if (row.draw) {
            draw();
        } else {
            stand();
        }
    }
    // The pok gave the stand button "หงายไพ่"; it keeps it for the rest of this table.
    bet("Opt1000", seats("AS 3H 2C", "6S 2H 4C"));
    EXPECT_EQ(control<QPushButton>("cmdnoreq")->text(), QStringLiteral("หงายไพ่"));
    EXPECT_TRUE(shown("Cmdreq"));
    stand();
}

TEST_F(TableWindow, DrawShowsTheThirdCardAndRaisesThePoints)
{
    // 3 points must draw; the 9 makes 2. The dealer holds 5 and stands after a draw.
    bet("Opt1000", seats("AS 2H 9D", "5S KH 3C"));
    EXPECT_FALSE(shown("cmdnoreq"));
    toolkit.onBox([&](const ScriptedToolkit::Box &) {
        EXPECT_FALSE(slot(10)->isHidden());
        EXPECT_EQ(slot(10)->pos(), twips::point(5040, 3600));
        EXPECT_TRUE(showsFace(10));
        EXPECT_TRUE(slot(12)->isHidden()) << "the dealer stands on 5 after the user drew";
        EXPECT_EQ(table->points(2), 2);
    });
    draw();
    EXPECT_FALSE(shown("Cmdreq"));
    EXPECT_EQ(toolkit.boxes().back().prompt, QStringLiteral("เจ้า5แต้ม  คุณ2แต้ม คุณแพ้เสียเงิน 1000 บาท"));
    EXPECT_EQ(table->money(), 9000);
}

TEST_F(TableWindow, DealerWithFiveDrawsAfterTheUserStood)
{
    bet("Opt1000", seats("AS 3H 2C", "5S KH 3C"));
    toolkit.onBox([&](const ScriptedToolkit::Box &) {
        EXPECT_TRUE(slot(10)->isHidden());
        EXPECT_FALSE(slot(12)->isHidden());
        EXPECT_EQ(slot(12)->pos(), twips::point(1440, 120));
        EXPECT_EQ(table->points(4), 8);
    });
    stand();
    EXPECT_EQ(toolkit.boxes().back().prompt,
              QStringLiteral("เจ้า8 หลัง  คุณ4แต้ม คุณแพ้เสียเงิน 1000 บาท"));
}

TEST_F(TableWindow, WinAndTieMoveTheMoneyAsTheBoxSays)
{
    bet("Opt1000", seats("4S 5H 2C", "6S 2H 4C"));
    stand();
    EXPECT_EQ(toolkit.boxes().back().title, QStringLiteral("ชนะ"));
    EXPECT_EQ(toolkit.boxes().back().prompt,
              QStringLiteral("คุณป๊อก 9  เจ้าป๊อก 8 คุณชนะได้เงินมา1000บาท"));
    EXPECT_EQ(table->money(), 11000);

    bet("Opt10000", seats("3S 4H 2C", "7D KH 4C"));
    stand();
    EXPECT_EQ(toolkit.boxes().back().title, QStringLiteral("ชน"));
    EXPECT_EQ(toolkit.boxes().back().prompt, QStringLiteral("7แต้ม ชน"));
    EXPECT_EQ(table->money(), 11000);
    EXPECT_EQ(enabledOptions(), std::vector<bool>(5, true));
}

TEST_F(TableWindow, OptionsOfferedShrinkWithTheMoney)
{
    bet("Opt5000", seats("AS 3H 2C", "6S 2H 4C"));
    stand(); // loses 5000
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { true, true, false, true, true }));
    bet("Opt1000", seats("AS 3H 2C", "6S 2H 4C"));
    stand(); // 4000
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { true, false, false, true, true }));
    // The dealer draws a jack to a king and a queen: three court cards take three stakes.
    bet("Opt1000", seats("AS 3H 2C", "KH QH JD"));
    stand();
    EXPECT_EQ(table->money(), 1000);
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { true, false, false, true, true }));
}

TEST_F(TableWindow, ChosenOptionClickedAgainMidRoundIsIgnored)
{
    bet("Opt1000", seats("AS 3H 2C", "6S 2H 4C"));
    const SlotCards dealt = table->cards();
    control<QRadioButton>("Opt1000")->click();
    EXPECT_EQ(table->cards(), dealt);
    EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    stand();
}

TEST_F(TableWindow, GameOverAnsweredYesAsksForAFreshTable)
{
    bet("Optall", seats("AS 3H 2C", "6S 2H 4C"));
    stand({ Answer::Ok, Answer::Yes });
    ASSERT_EQ(toolkit.boxes().size(), 3u);
    EXPECT_EQ(toolkit.boxes()[1].prompt, QStringLiteral("คุณแพ้แล้ว คุณมีเงินไม่พอเล่นครับ "));
    EXPECT_EQ(toolkit.boxes()[1].title, QStringLiteral("แพ้แล้ว"));
    EXPECT_EQ(toolkit.boxes()[1].style, Style::StopOk);
    EXPECT_EQ(toolkit.boxes()[2].prompt, QStringLiteral("ต้องการเล่นใหม่ ? "));
    EXPECT_EQ(toolkit.boxes()[2].title, QStringLiteral("เริ่มใหม่"));
    EXPECT_EQ(toolkit.boxes()[2].style, Style::QuestionYesNo);
    EXPECT_EQ(table->money(), 0);
    EXPECT_EQ(enabledOptions(), (std::vector<bool> { false, false, false, false, true }));
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
    EXPECT_FALSE(toolkit.isEnding());
}

TEST_F(TableWindow, GameOverAnsweredNoEndsTheProgram)
{
    bet("Optall", seats("AS 3H 2C", "6S 2H 4C"));
    stand({ Answer::Ok, Answer::No });
    EXPECT_TRUE(toolkit.isEnding());
    EXPECT_EQ(table->nextWindow(), GameKind::None);
}

TEST_F(TableWindow, NegativeMoneyShowsItsSign)
{
    // All of 10000 against three of a kind: five stakes lost.
    bet("Optall", seats("AS 3H 2C", "5S 5C 5H"));
    toolkit.onBox([&](const ScriptedToolkit::Box &box) {
        if (box.title == QStringLiteral("แพ้แล้ว")) {
            EXPECT_EQ(text("Lblmoney"), QStringLiteral("-40000"));
        }
    });
    stand({ Answer::Ok, Answer::Yes });
    EXPECT_EQ(table->money(), -40000);
}

TEST_F(TableWindow, SavedRecordStartsAFreshTableThatKnowsIt)
{
    bet("Opt1000", seats("4S 5H 2C", "6S 2H 4C"));
    stand(); // wins: 11000 beats the empty record
    ASSERT_TRUE(shown("Cmdname"));
    control<QLineEdit>("txtname")->setText(QStringLiteral("สมชาย "));
    toolkit.expect(Answer::Ok); // "ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ"
    control<QPushButton>("Cmdname")->click();
    EXPECT_EQ(toolkit.boxes().back().style, Style::WarningOkCancel);
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
    const cards::ScoreRecord saved = readScoreFile();
    EXPECT_EQ(QString::fromStdString(saved.name),
              QStringLiteral("สมชาย ")); // kept as typed, blank included
    EXPECT_EQ(saved.money, 11000);

    // The fresh table the navigator opens next: 10000 again, the new record to beat.
    table = std::make_unique<Frmpok>(nullptr, &random);
    EXPECT_EQ(table->money(), 10000);
    EXPECT_EQ(table->recordMoney(), 11000);
    EXPECT_FALSE(shown("Cmdname"));

    // "สถิติ" shows it, above the table, until OK closes it.
    QString shownMoney, shownName;
    QTimer::singleShot(0, [&] {
        auto *record = qobject_cast<Frmpoint *>(QApplication::activeModalWidget());
        ASSERT_NE(record, nullptr);
        shownMoney = record->findChild<QLabel *>(QStringLiteral("lblpoint"))->text();
        shownName = record->findChild<QLabel *>(QStringLiteral("Lblname"))->text();
        record->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    table->findChild<QAction *>(QStringLiteral("mnupoint"))->trigger();
    EXPECT_EQ(shownMoney, QStringLiteral("11000 บาท"));
    EXPECT_EQ(shownName, QStringLiteral("สมชาย "));
    EXPECT_EQ(table->phase(), Frmpok::Phase::Betting);
}

TEST_F(TableWindow, CancelledSaveMidRoundLeavesTheRoundAsItWas)
{
    bet("Opt1000", seats("4S 5H 2C", "6S 2H 4C"));
    stand();
    bet("Opt1000", seats("AS 3H 2C", "6D 2H 4C"));
    const SlotCards dealt = table->cards();
    toolkit.expect(Answer::Cancel);
    control<QPushButton>("Cmdname")->click();
    EXPECT_EQ(table->phase(), Frmpok::Phase::UserTurn);
    EXPECT_EQ(table->cards(), dealt);
    EXPECT_TRUE(shown("Cmdreq"));
    EXPECT_TRUE(shown("cmdnoreq"));
    EXPECT_FALSE(slot(2)->isHidden());
    EXPECT_EQ(table->nextWindow(), GameKind::None);
    stand(); // the round still settles: 4 against a pok 8
    EXPECT_EQ(table->money(), 10000);
    EXPECT_EQ(readScoreFile().money, 0) << "nothing was written";
}

TEST_F(TableWindow, ConfirmedSaveMidRoundKeepsTheMoneyBeforeTheRound)
{
    bet("Opt1000", seats("4S 5H 2C", "6S 2H 4C"));
    stand();
    bet("Opt10000", seats("AS 3H 2C", "6D 2H 4C"));
    control<QLineEdit>("txtname")->setText(QStringLiteral("Ann"));
    toolkit.expect(Answer::Ok);
    control<QPushButton>("Cmdname")->click();
    EXPECT_EQ(readScoreFile().money, 11000);
    EXPECT_EQ(table->nextWindow(), GameKind::PokDeng);
}

} // namespace
