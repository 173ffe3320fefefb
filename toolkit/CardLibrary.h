#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The game's pictures: the 52 card faces, the back, the pack on the table and the window icon,
// all drawn by art/generate.sh and embedded as resources. Each picture is loaded the first time
// it is asked for and then shared: two card slots show the same picture (equal cacheKey())
// exactly when they hold the same card. On a high-DPI screen the pictures drawn at twice the
// size are used; their logical size stays 71 x 96 (80 x 105 for the pack).
// Needs a QGuiApplication; use from the GUI thread only.
class CardLibrary
{
public:
    // The face of suit (1 spades, 2 hearts, 3 diamonds, 4 clubs) and rank (1 ace to 13 king).
    // Any other suit or rank is a programming error: it stops a debug build, and a release
    // build shows the back.
    static const QPixmap &face(int suit, int rank);
    static const QPixmap &back();
    // The pack the cards wait in on the table, 80 x 105.
    static const QPixmap &pack();
    // The 32 x 32 sheet with the suit signs and J Q K A, with its 64 x 64 version.
    static QIcon windowIcon();

    // Loads the picture at path (a resource such as ":/art/pack.bmp") for a screen of the given
    // device pixel ratio: above 1 the "@2x" version, marked with ratio 2, where it exists.
    static QPixmap loadPicture(const QString &path, qreal devicePixelRatio);
};
