#include "toolkit/CardPicture.h"

#include "toolkit/CardLibrary.h"

#include <QEvent>
#include <QPainter>

CardPicture::CardPicture(QWidget *parent)
    : QLabel(parent)
{
}

void CardPicture::showFace(int suit, int rank)
{
    m_picture = Picture::Face;
    m_suit = suit;
    m_rank = rank;
    refresh();
}

void CardPicture::showBack()
{
    m_picture = Picture::Back;
    refresh();
}

void CardPicture::showPack()
{
    m_picture = Picture::Pack;
    refresh();
}

void CardPicture::setSqueeze(qreal widthFraction)
{
    const qreal squeeze = qBound<qreal>(0, widthFraction, 1);
    if (squeeze == m_squeeze)
        return;
    m_squeeze = squeeze;
    update();
}

void CardPicture::paintEvent(QPaintEvent *event)
{
    if (m_squeeze >= 1) {
        QLabel::paintEvent(event);
        return;
    }
    const QPixmap shown = pixmap();
    const int width = qRound(this->width() * m_squeeze);
    if (shown.isNull() || width <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect((this->width() - width) / 2, 0, width, height()), shown);
}

void CardPicture::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refresh();
}

bool CardPicture::event(QEvent *event)
{
    // Sent to every widget of a window that has moved to another screen.
    if (event->type() == QEvent::ScreenChangeInternal)
        refresh();
    return QLabel::event(event);
}

void CardPicture::refresh()
{
    const qreal ratio = devicePixelRatioF();
    switch (m_picture) {
    case Picture::Face:
        setPixmap(CardLibrary::face(m_suit, m_rank, size(), ratio));
        break;
    case Picture::Back:
        setPixmap(CardLibrary::back(size(), ratio));
        break;
    case Picture::Pack:
        setPixmap(CardLibrary::pack(size(), ratio));
        break;
    case Picture::None:
        break;
    }
}
