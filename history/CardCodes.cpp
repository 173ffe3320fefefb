#include "history/CardCodes.h"

#include "rules/CardName.h"

#include <QStringList>

namespace {

const QString kSuitLetters = QStringLiteral("SHDC");

QString cardCode(const cards::Card &card)
{
    return QString::fromStdString(cards::rankText(card.rank)) + kSuitLetters.at(card.suit - 1);
}

std::optional<cards::Card> readCardCode(const QString &code)
{
    if (code.size() < 2)
        return std::nullopt;
    const auto suit = kSuitLetters.indexOf(code.back());
    const QString rankPart = code.chopped(1);
    for (int rank = 1; rank <= 13; ++rank) {
        if (suit >= 0 && rankPart == QString::fromStdString(cards::rankText(rank)))
            return cards::Card { static_cast<std::uint8_t>(suit + 1),
                                 static_cast<std::int16_t>(rank) };
    }
    return std::nullopt;
}

} // namespace

QString cardCodes(const pokdeng::PlayedHand &hand)
{
    QStringList codes;
    for (int i = 0; i < hand.cardCount(); ++i)
        codes << (cards::isValidCard(hand.cards[i]) ? cardCode(hand.cards[i]) : QString());
    return codes.join(QLatin1Char(' '));
}

bool readCardCodes(const QString &codes, pokdeng::PlayedHand &hand)
{
    const QStringList parts = codes.split(QLatin1Char(' '));
    if (parts.size() != 2 && parts.size() != 3)
        return false;
    std::array<cards::Card, 3> cards {};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const auto card = readCardCode(parts[i]);
        if (!card)
            return false;
        for (qsizetype j = 0; j < i; ++j)
            if (cards[j] == *card)
                return false;
        cards[i] = *card;
    }
    hand.cards = cards;
    hand.drewThird = parts.size() == 3;
    return true;
}
