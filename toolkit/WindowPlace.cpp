#include "toolkit/WindowPlace.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace windowplace {

QRect within(const QRect &rect, const QRect &screen)
{
    const QSize size = rect.size().boundedTo(screen.size());
    const int left = std::clamp(rect.left(), screen.left(), screen.right() + 1 - size.width());
    const int top = std::clamp(rect.top(), screen.top(), screen.bottom() + 1 - size.height());
    return QRect(QPoint(left, top), size);
}

QRect beside(const QRect &owner, QSize size, const QRect &screen)
{
    const int roomRight = screen.right() - owner.right() - kGap;
    const int roomLeft = owner.left() - screen.left() - kGap;
    int left;
    if (roomRight >= size.width())
        left = owner.right() + 1 + kGap;
    else if (roomLeft >= size.width())
        left = owner.left() - kGap - size.width();
    else if (roomRight >= roomLeft)
        left = screen.right() + 1 - size.width();
    else
        left = screen.left();
    return within(QRect(QPoint(left, owner.top()), size), screen);
}

QRect over(const QRect &owner, QSize size, const QRect &screen)
{
    const QPoint centre = owner.center();
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(centre);
    return within(rect, screen);
}

namespace {

    QScreen *screenOf(const QWidget *window, const QWidget *owner)
    {
        QScreen *screen = nullptr;
        if (owner) {
            const QWidget *top = owner->window();
            screen = QGuiApplication::screenAt(top->frameGeometry().center());
            if (!screen)
                screen = top->screen();
        }
        if (!screen)
            screen = window->screen();
        return screen ? screen : QGuiApplication::primaryScreen();
    }

    // The frame the window manager will put around a window not yet shown: as around its owner, or
    // else around any shown window of the game. A full-screen owner has none, and says nothing.
    QMargins frameMargins(const QWidget *owner)
    {
        auto marginsOf = [](const QWidget *w) {
            const QRect frame = w->frameGeometry();
            const QRect inner = w->geometry();
            return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                            frame.right() - inner.right(), frame.bottom() - inner.bottom());
        };
        if (owner && owner->window()->isVisible()) {
            const QMargins margins = marginsOf(owner->window());
            if (!margins.isNull())
                return margins;
        }
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QWidget *w : windows) {
            if (w->isVisible() && !w->isFullScreen()) {
                const QMargins margins = marginsOf(w);
                if (!margins.isNull())
                    return margins;
            }
        }
        return {};
    }

    template<typename Place> void place(QWidget *window, const QWidget *owner, Place where)
    {
        QScreen *screen = screenOf(window, owner);
        if (!screen)
            return;
        window->ensurePolished();
        if (!window->testAttribute(Qt::WA_Resized))
            window->adjustSize();
        const QMargins margins = frameMargins(owner);
        const QRect free = screen->availableGeometry();
        const QSize frameSize = window->size().grownBy(margins);
        const QRect frame = owner ? where(owner->window()->frameGeometry(), frameSize, free)
                                  : within(QRect(window->pos(), frameSize), free);
        const QSize inner = frame.size().shrunkBy(margins);
        if (inner != window->size())
            window->resize(inner.expandedTo(window->minimumSize()));
        window->move(frame.topLeft());
    }

} // namespace

void placeBeside(QWidget *window, const QWidget *owner)
{
    place(window, owner, beside);
}

void placeOver(QWidget *window, const QWidget *owner)
{
    place(window, owner, over);
}

} // namespace windowplace
