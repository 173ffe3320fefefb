// The table window plays exactly the rulebook's Round: the same seed deals the same cards, flips
// the same coins for the same seats and settles with the same texts and money, whether a round is
// played through the window or by the rulebook alone. A second generator makes the same bets and
// turns on both sides.
#include "rules/Round.h"
#include "support/GoingOnToolkit.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DisplayText.h"
#include "windows/Frmpok.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace pokdeng;

namespace {

constexpr int kRounds = 300;
constexpr std::uint64_t kDealSeed = 4242;
constexpr std::uint64_t kPlayerSeed = 77;

const char *const kOptionNames[] = { "Opt1000", "Opt5000", "Opt10000", "Opt500", "Optall" };

template<class T> T *control(const QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

bool slotShown(const QWidget *window, int slot)
{
    return !window->findChild<QLabel *>(QStringLiteral("Imgpl%1").arg(slot))->isHidden();
}

} // namespace

TEST(RoundThroughWindow, SameSeedSameRoundsAsTheRulebookAlone)
{
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    SeededRandom windowDeals(kDealSeed), rulebookDeals(kDealSeed);
    SeededRandom player(kPlayerSeed);
    auto table = std::make_unique<Frmpok>(nullptr, &windowDeals);
    table->show();
    double money = kStartingMoney;
    bool freshTable = true;
    // What the table shows while its outcome box is open, before it clears for the next bet.
    QString shownText, shownTitle;
    bool lastShown = false, dealerShown = false;
    toolkit.onOutcome = [&](const QString &text, const QString &title) {
        shownText = text;
        shownTitle = title;
        lastShown = slotShown(table.get(), thirdSlotOf(kLastSeat));
        dealerShown = slotShown(table.get(), thirdSlotOf(kDealerSeat));
    };

    for (int n = 1; n <= kRounds && !testing::Test::HasFailure(); ++n) {
        SCOPED_TRACE(testing::Message() << "round " << n);
        std::vector<BetOption> offered;
        for (BetOption option : kBetOptions)
            if (freshTable || isOfferedAfterRound(option, money))
                offered.push_back(option);
        const BetOption bet = offered[chooseOneOf(player.next(), int(offered.size())) - 1];
        const bool wantsToDraw = player.next() < 0.5;

        Round round(stakeFor(bet, money), rulebookDeals);
        const bool firstDrew = round.playFirstSeat();
        const bool draws = round.mayDraw() && (wantsToDraw || !round.mayStand());
        draws ? round.userDraws() : round.userStands();
        const bool lastDrew = round.playLastSeat();
        const bool dealerDrew = round.playDealer();
        const Settlement &outcome = round.settle(localeDecimalPoint().toStdString());

        auto *option = control<QRadioButton>(table.get(), kOptionNames[int(bet)]);
        ASSERT_TRUE(option->isEnabled());
        option->click();
        ASSERT_EQ(table->phase(), Frmpok::Phase::UserTurn);
        EXPECT_EQ(table->cards(), round.cards());
        EXPECT_EQ(slotShown(table.get(), thirdSlotOf(kFirstSeat)), firstDrew);
        auto *turn = control<QPushButton>(table.get(), draws ? "Cmdreq" : "cmdnoreq");
        ASSERT_FALSE(turn->isHidden());
        turn->click();
        EXPECT_EQ(lastShown, lastDrew);
        EXPECT_EQ(dealerShown, dealerDrew);
        EXPECT_EQ(shownText, QString::fromStdString(outcome.text));
        EXPECT_EQ(shownTitle, QString::fromStdString(outcome.title));

        money += outcome.moneyChange;
        freshTable = isGameOver(money);
        if (freshTable) {
            ASSERT_EQ(table->nextWindow(), GameKind::PokDeng);
            table = std::make_unique<Frmpok>(nullptr, &windowDeals);
            table->show();
            money = kStartingMoney;
        }
        EXPECT_EQ(table->money(), money);
    }
    EXPECT_EQ(toolkit.outcomes(), kRounds);
}
