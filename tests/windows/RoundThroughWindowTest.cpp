// The table window plays exactly the rulebook's Round: the same seed deals the same cards, flips
// the same coins for the same seats and settles with the same texts and money, whether a round is
// played through the window or by the rulebook alone. A second generator makes the same bets and
// turns on both sides. The play history the window kept holds exactly those rounds, and its
// figures and chart are what counting them one by one gives.
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/Round.h"
#include "support/CountedFigures.h"
#include "support/GoingOnToolkit.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DisplayText.h"
#include "windows/Frmpok.h"
#include "windows/PlayHistory.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace pokdeng;
using namespace cards;

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
    QTemporaryDir folder;
    PlayHistory history(folder.filePath(QStringLiteral("history.sqlite")));
    PlayHistory::install(&history);
    std::vector<PlayedRound> played;
    std::size_t tableStart = 0;
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
        played.push_back(playedRound(round, money));
        freshTable = isGameOver(money);
        if (freshTable) {
            tableStart = played.size();
            ASSERT_EQ(table->nextWindow(), GameKind::PokDeng);
            table = std::make_unique<Frmpok>(nullptr, &windowDeals);
            table->show();
            money = kStartingMoney;
        }
        EXPECT_EQ(table->money(), money);
    }
    EXPECT_EQ(toolkit.outcomes(), kRounds);

    using Scope = HistoryStore::Scope;
    HistoryStore &store = history.store();
    ASSERT_EQ(store.trouble(), HistoryStore::Trouble::None) << store.troubleDetail().toStdString();
    ASSERT_GT(tableStart, 0u) << "the seed must lose a game, so that the table starts afresh";
    const std::span<const PlayedRound> all(played), thisTable = all.subspan(tableStart);
    EXPECT_EQ(store.figures(Scope::AllTime), countedFigures(all));
    EXPECT_EQ(store.moneySeries(Scope::AllTime), countedSeries(all));
    EXPECT_EQ(store.figures(Scope::ThisSession), countedFigures(thisTable));
    EXPECT_EQ(store.moneySeries(Scope::ThisSession), countedSeries(thisTable));
    std::vector<PlayedRound> latest = store.latestRounds(Scope::AllTime, 50);
    ASSERT_EQ(latest.size(), 50u);
    for (std::size_t i = 0; i < latest.size(); ++i) {
        latest[i].playedAtMs = 0; // stamped by the history when recorded
        EXPECT_EQ(latest[i], played[played.size() - 1 - i]) << "round " << played.size() - i;
    }
    table.reset();
    PlayHistory::install(nullptr);
}
