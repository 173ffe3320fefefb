#include "toolkit/CardSlider.h"

#include "toolkit/DesignCanvas.h"
#include "toolkit/InputDropper.h"
#include "toolkit/Speeds.h"
#include "toolkit/StackOrder.h"
#include "toolkit/Toolkit.h"
#include "toolkit/Twips.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool instantSlides = false;
bool sliding = false;

void moveTo(QWidget *card, const cards::TwipsPoint &point)
{
    if (DesignCanvas *canvas = DesignCanvas::of(card))
        canvas->moveTo(card, { point.left, point.top });
    else
        card->move(twips::point(point.left, point.top));
}

} // namespace

bool CardSlider::slide(QWidget *card, const std::vector<cards::TwipsPoint> &path, QWidget *cover)
{
    if (path.empty() || !card)
        return !Toolkit::instance().isEnding();
    Toolkit::instance().playSound(Sound::SlideOut);
    if (instantSlides) {
        moveTo(card, path.back());
        Toolkit::instance().playSound(Sound::Land);
        return !Toolkit::instance().isEnding();
    }

    sliding = true;
    InputDropper dropper;
    // The controls above the card at rest would cut bands out of it on its way.
    const QPointer<QWidget> above = widgetAbove(card);
    const QPointer<QWidget> coverAbove = cover ? widgetAbove(cover) : nullptr;
    card->raise();
    if (cover)
        cover->raise();
    QEventLoop loop;
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    frames.setInterval(speeds::kSlideFrameMilliseconds);
    QElapsedTimer clock;
    const auto last = path.size() - 1;
    auto showFrame = [&] {
        const double reached = clock.nsecsElapsed() * 1e-9 * speeds::kSlideStepsPerSecond;
        const auto index
            = reached >= static_cast<double>(last) ? last : static_cast<size_t>(reached);
        moveTo(card, path[index]);
        if (index == last)
            loop.quit();
    };
    QObject::connect(&frames, &QTimer::timeout, &loop, showFrame);
    clock.start();
    moveTo(card, path.front());
    frames.start();
    loop.exec();
    frames.stop();
    moveTo(card, path.back());
    Toolkit::instance().playSound(Sound::Land);
    // Each goes back right under what lay above it; when that was the card, the card first.
    if (cover && coverAbove == card) {
        if (above)
            card->stackUnder(above);
        cover->stackUnder(card);
    } else {
        if (cover && coverAbove)
            cover->stackUnder(coverAbove);
        if (above)
            card->stackUnder(above);
    }
    sliding = false;
    return !Toolkit::instance().isEnding();
}

void CardSlider::setInstant(bool instant)
{
    instantSlides = instant;
}

bool CardSlider::isSliding()
{
    return sliding;
}
