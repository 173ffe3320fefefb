#include "history/HistoryReader.h"

#include "history/CardCodes.h"
#include "history/HistoryConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>

using pokdeng::PlayedHand;
using pokdeng::PlayedRound;
using pokdeng::Settlement;

namespace {

Settlement::Outcome outcomeOf(int number)
{
    if (number > 0)
        return Settlement::Outcome::UserWins;
    if (number < 0)
        return Settlement::Outcome::UserLoses;
    return Settlement::Outcome::Tie;
}

// What the game itself ever writes, and so the most the history's reading accepts: money within
// a thousand million million baht either way (the score file's own bound), counts of rounds well
// past a lifetime of play, hand kinds of the hand evaluation, and texts of a hand's label (at most
// 13 letters) and its cards ("10H 10D 10S").
constexpr double kMostMoney = 1e15;
constexpr double kMostCount = 1e12;
constexpr int kFirstKind = 0;
constexpr int kLastKind = 16;
constexpr int kLongestLabel = 40;
constexpr int kLongestCards = 12;

// A number read from the file: nothing when it is not a number SQLite keeps as one (text such as
// "nan" would read as not-a-number) or lies outside [least, most].
std::optional<double> numberIn(const QVariant &value, double least, double most)
{
    const int type = value.typeId();
    if (type != QMetaType::Double && type != QMetaType::LongLong && type != QMetaType::Int)
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= least && number <= most)) // not-a-number fails too
        return std::nullopt;
    return number;
}

std::optional<double> moneyIn(const QVariant &value)
{
    return numberIn(value, -kMostMoney, kMostMoney);
}

// A count: a whole number, not below 0, within reason.
std::optional<qint64> countIn(const QVariant &value)
{
    const std::optional<double> number = numberIn(value, 0, kMostCount);
    if (!number || *number != std::floor(*number))
        return std::nullopt;
    return static_cast<qint64>(*number);
}

// The columns of a round as they are read back, the texts no longer than the game writes them.
const QString kRoundsRead
    = QStringLiteral("played_at, stake, substr(user_cards, 1, %1), user_kind, user_multiplier, "
                     "substr(user_label, 1, %2), substr(dealer_cards, 1, %1), dealer_kind, "
                     "dealer_multiplier, substr(dealer_label, 1, %2), outcome, money_change, "
                     "money_after")
          .arg(kLongestCards)
          .arg(kLongestLabel);

} // namespace

HistoryReader::HistoryReader(HistoryConnection &connection,
                             std::function<std::optional<qint64>()> currentSession)
    : m_connection(connection)
    , m_currentSession(std::move(currentSession))
{
}

std::optional<QSqlQuery> HistoryReader::select(HistoryScope scope, const QString &sql,
                                               const QString &column)
{
    if (!m_connection.open())
        return std::nullopt;
    QString where;
    if (scope == HistoryScope::ThisSession) {
        const std::optional<qint64> session = m_currentSession();
        if (!session)
            return std::nullopt;
        where = QStringLiteral(" WHERE %1 = %2").arg(column).arg(*session);
    }
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.exec(sql.arg(where))) {
        m_connection.fail(query.lastError());
        return std::nullopt;
    }
    return query;
}

HistoryFigures HistoryReader::figures(HistoryScope scope)
{
    HistoryFigures figures;
    {
        // The totals kept as the rounds came, by table and hand kind: a few rows, however many
        // rounds there are. The counts are summed as real numbers, which never overflow, and
        // each row's own counts must be whole and not below 0.
        std::optional<QSqlQuery> query = select(
            scope,
            QStringLiteral("SELECT user_kind, TOTAL(won), TOTAL(tied), TOTAL(lost), "
                           "MAX(most_won), MAX(most_lost), MAX(best_money), "
                           "MAX(typeof(won) <> 'integer' OR typeof(tied) <> 'integer' "
                           "OR typeof(lost) <> 'integer' OR MIN(won, tied, lost) < 0) "
                           "FROM kind_totals%1 GROUP BY user_kind ORDER BY user_kind DESC"));
        if (!query)
            return figures;
        while (query->next()) {
            const std::optional<double> kind = numberIn(query->value(0), kFirstKind, kLastKind);
            const std::optional<qint64> won = countIn(query->value(1));
            const std::optional<qint64> tied = countIn(query->value(2));
            const std::optional<qint64> lost = countIn(query->value(3));
            const std::optional<double> mostWon = numberIn(query->value(4), 0, kMostMoney);
            const std::optional<double> mostLost = numberIn(query->value(5), 0, kMostMoney);
            const std::optional<double> money = moneyIn(query->value(6));
            if (!kind || *kind != std::floor(*kind) || !won || !tied || !lost || !mostWon
                || !mostLost || !money || query->value(7).toInt() != 0)
                return m_connection.damaged(QStringLiteral("kind_totals")), HistoryFigures {};
            KindOutcomes outcomes;
            outcomes.kind = static_cast<int>(*kind);
            outcomes.counts = { *won, *tied, *lost };
            if (outcomes.counts.rounds() == 0)
                continue;
            figures.byUserKind.push_back(outcomes);
            // At most 17 kinds of at most kMostCount each: far below overflowing.
            figures.outcomes.won += *won;
            figures.outcomes.tied += *tied;
            figures.outcomes.lost += *lost;
            if (*mostWon > figures.biggestWin.value_or(0))
                figures.biggestWin = mostWon;
            if (*mostLost > figures.biggestLoss.value_or(0))
                figures.biggestLoss = mostLost;
            if (!figures.bestMoney || *money > *figures.bestMoney)
                figures.bestMoney = money;
        }
    }
    if (figures.byUserKind.empty())
        return figures;

    // Each table's longest run, and the money it started with, which may be the most it ever
    // held.
    std::optional<QSqlQuery> query
        = select(scope,
                 QStringLiteral("SELECT MAX(longest_run), MAX(start_money), "
                                "MAX(typeof(longest_run) <> 'integer' OR longest_run < 0 "
                                "OR typeof(start_money) NOT IN ('integer', 'real')) "
                                "FROM sessions%1"),
                 QStringLiteral("id"));
    if (!query)
        return figures;
    if (query->next() && !query->isNull(0)) {
        const std::optional<qint64> longest = countIn(query->value(0));
        const std::optional<double> started = moneyIn(query->value(1));
        if (!longest || !started || query->value(2).toInt() != 0)
            return m_connection.damaged(QStringLiteral("sessions")), HistoryFigures {};
        figures.longestWinningRun = *longest;
        figures.bestMoney = std::max(*figures.bestMoney, *started);
    }
    return figures;
}

MoneySeries HistoryReader::moneySeries(HistoryScope scope)
{
    // Table by table, each table's rounds in the order played (two copies of the game may have
    // played at once). The second column, the money before a table's first round, is read only
    // where a table begins: the rows are many, and each column read costs more than SQLite's own
    // work.
    std::optional<QSqlQuery> query
        = select(scope,
                 QStringLiteral("SELECT money_after, CASE WHEN session_id IS "
                                "LAG(session_id) OVER (ORDER BY session_id, id) THEN NULL "
                                "ELSE money_after - money_change END "
                                "FROM rounds%1 ORDER BY session_id, id"));
    if (!query)
        return {};
    MoneySeries series;
    series.money.reserve(static_cast<std::size_t>(roundCount(scope)) + 1);
    while (query->next()) {
        const QVariant before = query->value(1);
        if (!before.isNull()) {
            const std::optional<double> started = moneyIn(before);
            if (!started)
                return m_connection.damaged(QStringLiteral("rounds")), MoneySeries {};
            if (!series.money.empty())
                series.tableStarts.push_back(series.money.size());
            series.money.push_back(*started);
        }
        const std::optional<double> after = moneyIn(query->value(0));
        if (!after)
            return m_connection.damaged(QStringLiteral("rounds")), MoneySeries {};
        series.money.push_back(*after);
    }
    return series;
}

std::vector<PlayedRound> HistoryReader::latestRounds(HistoryScope scope, int count)
{
    if (count <= 0)
        return {};
    std::optional<QSqlQuery> query = select(
        scope,
        QStringLiteral("SELECT ") + kRoundsRead
            + QStringLiteral(" FROM rounds%1 ORDER BY id DESC LIMIT ") + QString::number(count));
    if (!query)
        return {};
    const auto readHand = [&query](int first, PlayedHand &hand) {
        readCardCodes(query->value(first).toString(), hand);
        hand.value.kind = query->value(first + 1).toInt();
        hand.value.multiplier = query->value(first + 2).toInt();
        hand.value.label = query->value(first + 3).toString().toStdString();
    };
    std::vector<PlayedRound> rounds;
    while (query->next()) {
        PlayedRound round;
        round.playedAtMs = query->value(0).toLongLong();
        const std::optional<double> stake = numberIn(query->value(1), 0, kMostMoney);
        const std::optional<double> change = moneyIn(query->value(11));
        const std::optional<double> after = moneyIn(query->value(12));
        if (!stake || !change || !after)
            return m_connection.damaged(QStringLiteral("rounds")), std::vector<PlayedRound> {};
        round.stake = *stake;
        readHand(2, round.user);
        readHand(6, round.dealer);
        round.outcome = outcomeOf(query->value(10).toInt());
        round.moneyChange = *change;
        round.moneyAfter = *after;
        rounds.push_back(round);
    }
    return rounds;
}

qint64 HistoryReader::roundCount(HistoryScope scope)
{
    std::optional<QSqlQuery> query = select(scope, QStringLiteral("SELECT COUNT(*) FROM rounds%1"));
    if (!query)
        return 0;
    if (!query->next()) {
        m_connection.fail(query->lastError());
        return 0;
    }
    return query->value(0).toLongLong();
}
