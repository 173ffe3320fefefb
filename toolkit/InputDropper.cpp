#include "toolkit/InputDropper.h"

#include <QApplication>
#include <QEvent>

InputDropper::InputDropper()
{
    qApp->installEventFilter(this);
}

InputDropper::~InputDropper()
{
    qApp->removeEventFilter(this);
}

bool InputDropper::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}
