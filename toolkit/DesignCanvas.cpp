#include "toolkit/DesignCanvas.h"

#include "toolkit/FittedLabel.h"
#include "toolkit/Twips.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

// The application's style with the parts it draws at a fixed pixel size grown by the canvas's
// scale: the radio indicators (drawn at their 1x size through a scaled painter, so the ring and
// the dot keep their proportions) and the spacing around labels and inside buttons.
class ScaledStyle final : public QProxyStyle
{
public:
    ScaledStyle()
        : QProxyStyle(QApplication::style()->name())
    {
    }

    void setScale(qreal scale) { m_scale = scale; }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
        case PM_ButtonMargin:
        case PM_FocusFrameHMargin:
        case PM_FocusFrameVMargin:
            return qRound(base * m_scale);
        default:
            return base;
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (m_scale == 1
            || (element != PE_IndicatorRadioButton && element != PE_IndicatorCheckBox)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        QStyleOption unscaled = *option;
        unscaled.rect = QRect(0, 0, qRound(option->rect.width() / m_scale),
                              qRound(option->rect.height() / m_scale));
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(option->rect.topLeft());
        painter->scale(m_scale, m_scale);
        QProxyStyle::drawPrimitive(element, &unscaled, painter, widget);
        painter->restore();
    }

private:
    qreal m_scale = 1;
};

namespace {

// Below this a window made tiny by force would get fonts of no size at all.
constexpr qreal kSmallestScale = 0.1;

int rounded(qreal value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

QFont scaledFont(QFont font, qreal scale)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max<qreal>(1, font.pointSizeF() * scale));
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, rounded(font.pixelSize() * scale)));
    return font;
}

} // namespace

DesignCanvas::DesignCanvas(int widthTwips, int heightTwips, QWidget *parent)
    : QWidget(parent)
    , m_designPixels(twips::size(widthTwips, heightTwips))
    , m_style(new ScaledStyle)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(m_designPixels);
    resize(m_designPixels);
}

DesignCanvas::~DesignCanvas()
{
    // The children use the style until they are gone.
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    delete m_style;
}

DesignCanvas *DesignCanvas::of(const QWidget *widget)
{
    return widget ? qobject_cast<DesignCanvas *>(widget->parentWidget()) : nullptr;
}

DesignCanvas::Placed *DesignCanvas::find(const QWidget *child)
{
    const auto found = std::find_if(m_placed.begin(), m_placed.end(),
                                    [child](const Placed &p) { return p.widget == child; });
    return found == m_placed.end() ? nullptr : &*found;
}

void DesignCanvas::place(QWidget *child, const QRect &twipsRect)
{
    Q_ASSERT_X(child && child->parentWidget() == this, "DesignCanvas::place",
               "only the canvas's own children are placed on it");
    Placed *placed = find(child);
    if (!placed) {
        m_placed.push_back({ child, twipsRect, child->font() });
        placed = &m_placed.back();
        child->setStyle(m_style);
    } else {
        *placed = { child, twipsRect, child->font() };
    }
    if (m_scale != 1)
        applyFont(*placed);
    child->setGeometry(toPixels(twipsRect));
}

void DesignCanvas::moveTo(QWidget *child, QPoint twipsTopLeft)
{
    Placed *placed = find(child);
    if (!placed)
        return;
    placed->twips.moveTopLeft(twipsTopLeft);
    child->move(toPixels(twipsTopLeft));
}

QPoint DesignCanvas::toPixels(QPoint twipsPoint) const
{
    const qreal perTwip = m_scale / twips::kPerPixel;
    return { m_offset.x() + rounded(twipsPoint.x() * perTwip),
             m_offset.y() + rounded(twipsPoint.y() * perTwip) };
}

QRect DesignCanvas::toPixels(const QRect &twipsRect) const
{
    const qreal perTwip = m_scale / twips::kPerPixel;
    return { toPixels(twipsRect.topLeft()),
             QSize(rounded(twipsRect.width() * perTwip), rounded(twipsRect.height() * perTwip)) };
}

void DesignCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void DesignCanvas::relayout()
{
    const qreal designWidth = m_designPixels.width();
    const qreal designHeight = m_designPixels.height();
    const qreal scale
        = std::max(kSmallestScale, std::min(width() / designWidth, height() / designHeight));
    const QPoint offset(static_cast<int>(std::floor((width() - designWidth * scale) / 2)),
                        static_cast<int>(std::floor((height() - designHeight * scale) / 2)));
    const bool rescaled = scale != m_scale;
    if (!rescaled && offset == m_offset)
        return;
    m_scale = scale;
    m_offset = offset;
    m_style->setScale(scale);
    for (const Placed &placed : m_placed) {
        if (!placed.widget)
            continue;
        // The place first: a label that fits its text to its box, hidden, has no resize event
        // to fit it again.
        placed.widget->setGeometry(toPixels(placed.twips));
        if (rescaled)
            applyFont(placed);
    }
}

void DesignCanvas::applyFont(const Placed &placed) const
{
    if (auto *fitted = qobject_cast<FittedLabel *>(placed.widget))
        fitted->setScale(m_scale);
    else
        placed.widget->setFont(scaledFont(placed.font, m_scale));
}
