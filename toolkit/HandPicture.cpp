#include "toolkit/HandPicture.h"

#include "toolkit/CardLibrary.h"

#include <QPainter>
#include <QtMath>

namespace {

// The library's cards are 71 x 96; the next card covers all of this one but its left part.
constexpr double kCardAspect = 71.0 / 96.0;
constexpr double kShownPart = 0.55;

double cardWidth(int cardHeight)
{
    return cardHeight * kCardAspect;
}

} // namespace

int handPictureWidth(int count, int cardHeight)
{
    if (count <= 0)
        return 0;
    return qCeil(cardWidth(cardHeight) * (1 + kShownPart * (count - 1)));
}

QPixmap handPicture(std::span<const cards::Card> cards, int cardHeight, qreal devicePixelRatio)
{
    const int count = static_cast<int>(cards.size());
    if (count == 0 || cardHeight <= 0)
        return {};
    const QSize logical(handPictureWidth(count, cardHeight), cardHeight);
    QPixmap picture(logical * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    // The library draws each card at exactly the device pixels it takes here, and keeps it.
    QPainter painter(&picture);
    const double width = cardWidth(cardHeight);
    const QSize cardSize(qRound(width), cardHeight);
    for (int i = 0; i < count; ++i) {
        const cards::Card &card = cards[static_cast<std::size_t>(i)];
        const QPixmap face = cards::isValidCard(card)
            ? CardLibrary::face(card.suit, card.rank, cardSize, devicePixelRatio)
            : CardLibrary::back(cardSize, devicePixelRatio);
        painter.drawPixmap(QPointF(i * width * kShownPart, 0), face);
    }
    return picture;
}
