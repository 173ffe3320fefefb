#pragma once

#include "rules/pokdeng/PlayedRound.h"
#include "support/CardFixtures.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <atomic>

// Rounds for the history's tests, written as a card player reads them.
inline pokdeng::PlayedHand playedHand(const std::string &cards, int kind, const std::string &label,
                                      int multiplier = 0)
{
    const auto list = cardList(cards);
    pokdeng::PlayedHand hand;
    for (std::size_t i = 0; i < list.size() && i < 3; ++i)
        hand.cards[i] = list[i];
    hand.drewThird = list.size() == 3;
    hand.value = { kind, multiplier, label };
    return hand;
}

// A round at a given moment: the user's money goes from before to before + change.
inline pokdeng::PlayedRound playedRound(std::int64_t atMs, double stake, double before,
                                        double change, pokdeng::PlayedHand user,
                                        pokdeng::PlayedHand dealer)
{
    pokdeng::PlayedRound round;
    round.playedAtMs = atMs;
    round.stake = stake;
    round.user = std::move(user);
    round.dealer = std::move(dealer);
    round.outcome = change > 0 ? pokdeng::Settlement::Outcome::UserWins
        : change < 0           ? pokdeng::Settlement::Outcome::UserLoses
                               : pokdeng::Settlement::Outcome::Tie;
    round.moneyChange = change;
    round.moneyAfter = before + change;
    return round;
}

// A look into a database file through a connection of its own, as another program would.
class Peek
{
public:
    explicit Peek(const QString &path)
        : m_name(QStringLiteral("peek-%1").arg(++count()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Peek()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Peek(const Peek &) = delete;
    Peek &operator=(const Peek &) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }
    // The first column of the first row; an invalid value when the statement fails.
    QVariant value(const QString &sql) const
    {
        QSqlQuery query(database());
        if (!query.exec(sql) || !query.next())
            return {};
        return query.value(0);
    }
    bool exec(const QString &sql) const
    {
        QSqlQuery query(database());
        return query.exec(sql);
    }

private:
    static std::atomic<int> &count()
    {
        static std::atomic<int> made { 0 };
        return made;
    }
    QString m_name;
};
