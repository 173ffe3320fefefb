#pragma once

#include <QColor>
#include <QFocusFrame>

// The ring that shows which control has the keyboard focus, in every window of the game: a band
// kWidth pixels wide just outside the control (kStrongWidth in a window that asks for a stronger
// one), so that it covers nothing of it. Its colour is
// yellow on a dark surface such as the table's green and black on a light one, whichever stands
// out more from the surface around the control. Screen readers do not see it.
class FocusRing final : public QFocusFrame
{
    Q_OBJECT
public:
    static constexpr int kWidth = 3;
    static constexpr int kStrongWidth = 5;

    // From now on every window shows the ring around its focused control; later calls do nothing.
    static void follow();

    // The ring's colour on a surface of that colour.
    static QColor colourOn(const QColor &surface);

    // Gives window's ring kStrongWidth, or kWidth again, from now on.
    static void setStrong(QWidget *window, bool strong);
    // How wide window's ring is drawn.
    static int widthIn(const QWidget *window);

private:
    explicit FocusRing(QWidget *window);
    // Moves the ring of focused's window around it, or takes it away where no ring belongs.
    static void surround(QWidget *focused);

protected:
    void paintEvent(QPaintEvent *event) override;
};
