#include "toolkit/FittedLabel.h"

#include <QFontMetrics>

namespace {
// Below this the text would no longer be readable; it is then clipped instead.
constexpr double kSmallestPointSize = 6;
} // namespace

FittedLabel::FittedLabel(const QFont &designFont, QWidget *parent)
    : QLabel(parent)
    , m_designFont(designFont)
{
    setFont(designFont);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void FittedLabel::setFittedText(const QString &text)
{
    setText(text);
    fit();
}

void FittedLabel::setScale(qreal scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    fit();
}

void FittedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void FittedLabel::fit()
{
    QFont font = m_designFont;
    const QRect box = contentsRect();
    const QString shown = text();
    const double smallest = kSmallestPointSize * m_scale;
    for (double size = m_designFont.pointSizeF() * m_scale; size > smallest; size -= 0.5) {
        font.setPointSizeF(size);
        const QRect needed
            = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), box.height() * 100),
                                              int(alignment()) | Qt::TextWordWrap, shown);
        if (needed.height() <= box.height() && needed.width() <= box.width())
            break;
    }
    if (font != this->font())
        setFont(font);
}
