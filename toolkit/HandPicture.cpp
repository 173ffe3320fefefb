#include "toolkit/HandPicture.h"

#include "toolkit/CardLibrary.h"

#include <QPainter>
#include <QPixmapCache>
#include <QtMath>

namespace {

// The library's cards are 71 x 96; the next card covers all of this one but its left part.
constexpr double kCardAspect = 71.0 / 96.0;
constexpr double kShownPart = 0.55;

double cardWidth(int cardHeight)
{
    return cardHeight * kCardAspect;
}

// The card at a size in device pixels, scaled once and kept: a list of rounds shows the same few
// cards many times over. Scaled with the smooth filter that averages every source pixel a target
// pixel covers; drawn scaled, a card would lose the thin strokes of its rank.
QPixmap scaledCard(const pokdeng::Card &card, QSize deviceSize)
{
    const bool valid = pokdeng::isValidCard(card);
    const QString key = QStringLiteral("pokdeng-card-%1-%2-%3x%4")
                            .arg(valid ? card.suit : 0)
                            .arg(valid ? card.rank : 0)
                            .arg(deviceSize.width())
                            .arg(deviceSize.height());
    QPixmap scaled;
    if (QPixmapCache::find(key, &scaled))
        return scaled;
    const QPixmap &face = valid ? CardLibrary::face(card.suit, card.rank) : CardLibrary::back();
    scaled = face.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(key, scaled);
    return scaled;
}

} // namespace

int handPictureWidth(int count, int cardHeight)
{
    if (count <= 0)
        return 0;
    return qCeil(cardWidth(cardHeight) * (1 + kShownPart * (count - 1)));
}

QPixmap handPicture(std::span<const pokdeng::Card> cards, int cardHeight, qreal devicePixelRatio)
{
    const int count = static_cast<int>(cards.size());
    if (count == 0 || cardHeight <= 0)
        return {};
    const QSize logical(handPictureWidth(count, cardHeight), cardHeight);
    QPixmap picture(logical * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    const double width = cardWidth(cardHeight);
    const QSize deviceSize = (QSizeF(width, cardHeight) * devicePixelRatio).toSize();
    for (int i = 0; i < count; ++i) {
        QPixmap scaled = scaledCard(cards[static_cast<std::size_t>(i)], deviceSize);
        scaled.setDevicePixelRatio(devicePixelRatio);
        painter.drawPixmap(QPointF(i * width * kShownPart, 0), scaled);
    }
    return picture;
}
