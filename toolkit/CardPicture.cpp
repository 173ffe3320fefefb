#include "toolkit/CardPicture.h"

#include "toolkit/CardLibrary.h"

#include <QEvent>

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
