#pragma once

#include <QLatin1String>
#include <QString>

// Where each design picture lives, relative to the art folder (and under ":/art/" in the
// resources): the one naming rule of the generator that writes them, the card library that
// loads them and the tests that read them.
namespace art {

// cards/spades-01.bmp ... cards/clubs-13.bmp: suit 1 spades, 2 hearts, 3 diamonds, 4 clubs;
// rank 1 ace to 13 king. The suit and rank must be valid.
inline QString facePictureName(int suit, int rank)
{
    static const char *const suitNames[] = { "spades", "hearts", "diamonds", "clubs" };
    return QStringLiteral("cards/%1-%2.bmp")
        .arg(QLatin1String(suitNames[suit - 1]))
        .arg(rank, 2, 10, QLatin1Char('0'));
}

inline QString backPictureName()
{
    return QStringLiteral("cards/back.bmp");
}

inline QString packPictureName()
{
    return QStringLiteral("pack.bmp");
}

} // namespace art
