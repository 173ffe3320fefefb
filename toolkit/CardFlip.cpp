#include "toolkit/CardFlip.h"

#include "toolkit/CardPicture.h"
#include "toolkit/InputDropper.h"
#include "toolkit/Speeds.h"
#include "toolkit/StackOrder.h"
#include "toolkit/Toolkit.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace {

bool instantFlips = false;
bool turning = false;

} // namespace

double CardFlip::widthAt(double elapsedMs)
{
    if (elapsedMs <= 0 || elapsedMs >= kMilliseconds)
        return 1;
    return std::abs(1 - 2 * elapsedMs / kMilliseconds);
}

bool CardFlip::turnOver(const std::vector<CardPicture *> &cards,
                        const std::function<void()> &turnFaces)
{
    if (cards.empty() || instantFlips) {
        if (!cards.empty())
            Toolkit::instance().playSound(Sound::TurnOver);
        turnFaces();
        return !Toolkit::instance().isEnding();
    }
    Toolkit::instance().playSound(Sound::TurnOver);
    turning = true;
    InputDropper dropper;
    // The controls above a card at rest would cut bands out of it as it turns.
    std::vector<std::pair<QPointer<CardPicture>, QPointer<QWidget>>> stack;
    for (CardPicture *card : cards) {
        stack.emplace_back(card, widgetAbove(card));
        card->raise();
    }
    QEventLoop loop;
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    frames.setInterval(speeds::kSlideFrameMilliseconds);
    QElapsedTimer clock;
    bool faces = false;
    auto showFrame = [&] {
        const double elapsed = clock.nsecsElapsed() * 1e-6;
        if (!faces && elapsed >= kMilliseconds / 2.0) {
            faces = true;
            turnFaces();
        }
        const double width = widthAt(elapsed);
        for (const auto &[card, above] : stack)
            if (card)
                card->setSqueeze(width);
        if (elapsed >= kMilliseconds)
            loop.quit();
    };
    QObject::connect(&frames, &QTimer::timeout, &loop, showFrame);
    clock.start();
    frames.start();
    loop.exec();
    frames.stop();
    if (!faces)
        turnFaces();
    for (const auto &[card, above] : stack) {
        if (!card)
            continue;
        card->setSqueeze(1);
        if (above)
            card->stackUnder(above);
    }
    turning = false;
    return !Toolkit::instance().isEnding();
}

void CardFlip::setInstant(bool instant)
{
    instantFlips = instant;
}

bool CardFlip::isTurning()
{
    return turning;
}
