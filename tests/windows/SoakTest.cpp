// A long evening at the real table window: ten thousand rounds with random bets and random turns,
// every outcome box answered OK and every lost game answered "play again", after which a fresh
// table is built as the navigator builds it. All chance (the deal, the seats' coins and the
// player's choices) comes from one seeded generator, so a failure replays exactly.
//
// Every round: twelve different cards, the dealer's draw within its rule, and the money equal to
// 10000 plus the settlements of the table's rounds so far, each worked out again here from the
// cards the round showed by a replay of the rulebook's Round. Memory over such an evening is
// measured by bench/, not asserted here.
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/Round.h"
#include "support/GoingOnToolkit.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DisplayText.h"
#include "windows/Frmpok.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

constexpr int kRounds = 10000;

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

// A coin that comes up as it is told: the replay below makes each seat take the decision it was
// seen to take on the table, wherever the seat's rule leaves that to a coin.
class ToldCoin final : public RandomSource
{
public:
    bool draws = false;
    double next() override { return draws ? 0.25 : 0.75; }
};

// The round on the table played again by the rulebook from its cards, each seat drawing as the
// table showed it; the replay must agree that the table's draws were the seats' to make.
Settlement replayedSettlement(const Frmpok &table)
{
    ToldCoin coin;
    Round replay(table.cards(), table.bet(), coin);
    const auto drew = [&](int seat) { return isShown(&table, thirdSlotOf(seat)); };
    coin.draws = drew(kFirstSeat);
    EXPECT_EQ(replay.playFirstSeat(), drew(kFirstSeat)) << "the first seat's draw";
    if (drew(kUserSeat))
        replay.userDraws();
    else
        replay.userStands();
    coin.draws = drew(kLastSeat);
    EXPECT_EQ(replay.playLastSeat(), drew(kLastSeat)) << "the last seat's draw";
    coin.draws = drew(kDealerSeat);
    EXPECT_EQ(replay.playDealer(), drew(kDealerSeat)) << "the dealer's draw";
    return replay.settle(localeDecimalPoint().toStdString());
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

        const Settlement settlement = replayedSettlement(*table);
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
    EXPECT_EQ(toolkit.gamesLost(), freshTables);
    EXPECT_EQ(toolkit.unexpectedBoxes(), 0);
    EXPECT_FALSE(toolkit.isEnding());
    EXPECT_GT(freshTables, 0) << "the evening never reached a lost game";
}

} // namespace
