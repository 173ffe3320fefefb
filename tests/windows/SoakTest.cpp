// A long evening at the real table window: ten thousand rounds with random bets and random turns,
// every outcome box answered OK and every lost game answered "play again", after which a fresh
// table is built as the navigator builds it. All chance (the deal, the seats' coins and the
// player's choices) comes from one seeded generator, so a failure replays exactly.
//
// Every round: twelve different cards, the dealer's draw within its rule, and the money equal to
// 10000 plus the settlements of the table's rounds so far, each worked out again here from the
// cards the round showed. Memory over such an evening is measured by bench/, not asserted here.
#include "rules/HandEvaluation.h"
#include "rules/Points.h"
#include "rules/Settlement.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DisplayText.h"
#include "toolkit/Toolkit.h"
#include "windows/Frmpok.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

using namespace pokdeng;

namespace {

constexpr int kRounds = 10000;

// Answers as a player who always goes on. The outcome box is handed to a check while it is open,
// when the round's cards still lie as they were settled.
class GoingOnToolkit final : public Toolkit
{
public:
    GoingOnToolkit() { Toolkit::install(this); }
    ~GoingOnToolkit() override { Toolkit::install(nullptr); }

    std::function<void(const QString &prompt, const QString &title)> onOutcome;
    int gamesLost = 0;

    Answer messageBox(QWidget *, const QString &prompt, Style style, const QString &title) override
    {
        switch (style) {
        case Style::Ok:
            onOutcome(prompt, title);
            return Answer::Ok;
        case Style::StopOk:
            ++gamesLost;
            return Answer::Ok;
        case Style::QuestionYesNo:
            return Answer::Yes;
        case Style::WarningOkCancel:
            break;
        }
        ADD_FAILURE() << "unexpected box: " << prompt.toStdString();
        return Answer::Cancel;
    }
    void endProgram() override { ADD_FAILURE() << "the program was ended"; }
    bool isEnding() const override { return false; }
};

template<class T> T *control(const QWidget *window, const QString &name)
{
    T *widget = window->findChild<T *>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

bool isShown(const QWidget *window, int slot)
{
    return !control<QLabel>(window, QStringLiteral("Imgpl%1").arg(slot))->isHidden();
}

// Picks one of the widgets at random.
template<class T> T *anyOf(const std::vector<T *> &widgets, RandomSource &random)
{
    return widgets[chooseOneOf(random.next(), static_cast<int>(widgets.size())) - 1];
}

// The settlement of the round on the table, from its cards and the third cards it shows.
Settlement expectedSettlement(const Frmpok &table)
{
    const SlotCards &cards = table.cards();
    const bool userDrew = isShown(&table, thirdSlotOf(kUserSeat));
    const bool dealerDrew = isShown(&table, thirdSlotOf(kDealerSeat));
    int user = pointsAfterDeal(cards, kUserSeat);
    if (userDrew)
        user = pointsWithThirdCard(user, cards[thirdSlotOf(kUserSeat)].rank);
    int dealer = pointsAfterDeal(cards, kDealerSeat);
    if (dealerDrew)
        dealer = pointsWithThirdCard(dealer, cards[thirdSlotOf(kDealerSeat)].rank);
    return settle(evaluateHand(cards.ofSeat(kUserSeat), user, userDrew),
                  evaluateHand(cards.ofSeat(kDealerSeat), dealer, dealerDrew), user, table.bet(),
                  localeDecimalPoint().toStdString());
}

TEST(Soak, TenThousandRoundsKeepTheCardsAndTheMoneyRight)
{
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    SeededRandom random(20261210);
    auto table = std::make_unique<Frmpok>(nullptr, &random);
    table->show();
    double expectedMoney = kStartingMoney;
    int freshTables = 0;

    toolkit.onOutcome = [&](const QString &prompt, const QString &title) {
        // The dealer draws on 3 or less, stands on 6 or more, and after a user who stood draws
        // up to 5; only a 4 after the user drew is left to its coin.
        const int dealerPoints = pointsAfterDeal(table->cards(), kDealerSeat);
        const bool userDrew = isShown(table.get(), thirdSlotOf(kUserSeat));
        const bool dealerDrew = isShown(table.get(), thirdSlotOf(kDealerSeat));
        const bool mustDraw = dealerPoints <= 3 || (!userDrew && dealerPoints <= 5);
        const bool mustStand = dealerPoints >= 6 || (userDrew && dealerPoints >= 5);
        EXPECT_TRUE(dealerDrew ? !mustStand : !mustDraw)
            << "dealer on " << dealerPoints << (userDrew ? " after a draw" : " after a stand")
            << (dealerDrew ? " drew" : " stood");

        const Settlement settlement = expectedSettlement(*table);
        expectedMoney += settlement.moneyChange;
        EXPECT_EQ(table->money(), expectedMoney);
        EXPECT_EQ(prompt, QString::fromStdString(settlement.text));
        EXPECT_EQ(title, QString::fromStdString(settlement.title));
    };

    for (int round = 1; round <= kRounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round << ", table " << freshTables);
        std::vector<QRadioButton *> bets;
        for (const char *name : { "Opt500", "Opt1000", "Opt5000", "Opt10000", "Optall" })
            if (auto *option = control<QRadioButton>(table.get(), QString::fromLatin1(name));
                option->isEnabled())
                bets.push_back(option);
        anyOf(bets, random)->click();
        ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);

        std::set<std::pair<int, int>> different;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const Card &card = table->cards()[slot];
            EXPECT_TRUE(isValidCard(card)) << "slot " << slot;
            different.insert({ card.suit, card.rank });
        }
        EXPECT_EQ(different.size(), 12u);

        std::vector<QPushButton *> turns;
        for (const char *name : { "Cmdreq", "cmdnoreq" })
            if (auto *button = control<QPushButton>(table.get(), QString::fromLatin1(name));
                !button->isHidden())
                turns.push_back(button);
        ASSERT_FALSE(turns.empty());
        anyOf(turns, random)->click();

        if (isGameOver(expectedMoney)) {
            // "Play again?" was answered Yes: the table closed and asked for a fresh one.
            ASSERT_EQ(table->nextWindow(), GameKind::PokDeng);
            ASSERT_TRUE(table->isHidden());
            table = std::make_unique<Frmpok>(nullptr, &random);
            table->show();
            expectedMoney = kStartingMoney;
            ++freshTables;
        } else {
            ASSERT_EQ(table->phase(), Frmpok::Phase::Betting);
            ASSERT_EQ(table->nextWindow(), GameKind::None);
            EXPECT_EQ(control<QLabel>(table.get(), QStringLiteral("Lblmoney"))->text(),
                      displayDecimal(expectedMoney));
        }
        // Paints, layouts and deferred deletes as the event loop between two clicks would.
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(toolkit.gamesLost, freshTables);
    EXPECT_GT(freshTables, 0) << "the evening never reached a lost game";
}

} // namespace
