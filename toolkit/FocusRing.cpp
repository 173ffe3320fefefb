#include "toolkit/FocusRing.h"

#include "toolkit/Contrast.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

const QColor kOnDark(255, 255, 0);
const QColor kOnLight(0, 0, 0);

const char kStrongProperty[] = "pokdengStrongFocusRing";

// The ring's geometry: width pixels around the control, drawn above its neighbours, and nothing
// but the band itself part of the ring.
class RingStyle final : public QProxyStyle
{
public:
    explicit RingStyle(int width)
        : m_width(width)
    {
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin)
            return m_width;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_FocusFrame_AboveWidget)
            return 1;
        if (hint == SH_FocusFrame_Mask) {
            if (auto *mask = qstyleoption_cast<QStyleHintReturnMask *>(returnData);
                mask && widget) {
                const int width = m_width;
                mask->region = QRegion(widget->rect())
                    - QRegion(widget->rect().adjusted(width, width, -width, -width));
            }
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    int m_width;
};

RingStyle *ringStyle(int width)
{
    static QPointer<RingStyle> plain, strong;
    QPointer<RingStyle> &style = width == FocusRing::kWidth ? plain : strong;
    if (!style) {
        style = new RingStyle(width);
        style->setParent(qApp);
    }
    return style;
}

// The menu bar and its drop-downs show their own highlight; a window itself has no ring.
bool wantsRing(const QWidget *widget)
{
    return widget && !widget->isWindow() && !qobject_cast<const QMenuBar *>(widget)
        && !qobject_cast<const QMenu *>(widget);
}

} // namespace

void FocusRing::surround(QWidget *focused)
{
    if (!focused)
        return;
    QWidget *window = focused->window();
    auto *ring = window->findChild<FocusRing *>(QString(), Qt::FindDirectChildrenOnly);
    if (!wantsRing(focused)) {
        if (ring)
            ring->setWidget(nullptr);
        return;
    }
    if (!ring)
        ring = new FocusRing(window);
    ring->setWidget(focused);
}

FocusRing::FocusRing(QWidget *window)
    : QFocusFrame(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setStyle(ringStyle(widthIn(window)));
}

void FocusRing::setStrong(QWidget *window, bool strong)
{
    window->setProperty(kStrongProperty, strong);
    auto *ring = window->findChild<FocusRing *>(QString(), Qt::FindDirectChildrenOnly);
    if (!ring)
        return;
    ring->setStyle(ringStyle(widthIn(window)));
    // Setting the same control again lays the ring out anew at its new width.
    QWidget *focused = ring->widget();
    ring->setWidget(nullptr);
    ring->setWidget(focused);
}

int FocusRing::widthIn(const QWidget *window)
{
    return window->property(kStrongProperty).toBool() ? kStrongWidth : kWidth;
}

void FocusRing::follow()
{
    static QPointer<QObject> follower;
    if (follower)
        return;
    follower = new QObject(qApp);
    QObject::connect(qApp, &QApplication::focusChanged, follower,
                     [](QWidget *, QWidget *now) { surround(now); });
    surround(QApplication::focusWidget());
}

QColor FocusRing::colourOn(const QColor &surface)
{
    return contrastRatio(kOnDark, surface) >= contrastRatio(kOnLight, surface) ? kOnDark : kOnLight;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    const QWidget *focused = widget();
    if (!focused)
        return;
    const QWidget *surface = focused->parentWidget();
    QPainter painter(this);
    painter.fillRect(rect(), colourOn(surface->palette().color(surface->backgroundRole())));
}
