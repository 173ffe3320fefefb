#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

class ScaledStyle;

// A window's client area, laid out in twips and shown at any size. Its children are placed by
// their design rectangles; the canvas shows the whole design as large as it fits,
// s = min(width / design width, height / design height), centred, with its own background (the
// felt) filling the margin. A placed child's geometry is its design rectangle x s plus the
// centring offset, its font the design font x s (a FittedLabel is given s and fits its own), and
// the style's radio indicators and button spacing grow with it. At its design size, the size it
// starts at, s is 1, the offset 0 and every child sits exactly where twips::rect() puts it.
class DesignCanvas : public QWidget
{
    Q_OBJECT
public:
    DesignCanvas(int widthTwips, int heightTwips, QWidget *parent);
    ~DesignCanvas() override;

    // Lays child (a child widget of this canvas) out at twipsRect from now on, with the font it
    // has now as its design font. Placing a child again replaces both.
    void place(QWidget *child, const QRect &twipsRect);
    // Moves a placed child's top-left corner to a point in twips, keeping its size: how a card
    // slides. A widget that was never placed is not moved.
    void moveTo(QWidget *child, QPoint twipsTopLeft);

    // The design at 1x, in pixels.
    QSize designSize() const { return m_designPixels; }
    qreal scale() const { return m_scale; }
    // Where the design's top-left corner lies in the canvas.
    QPoint offset() const { return m_offset; }
    // A rectangle or point of the design (twips) in the canvas's pixels now. A rectangle's corner
    // and its size are rounded apart, so every card has the same size wherever it is.
    QRect toPixels(const QRect &twipsRect) const;
    QPoint toPixels(QPoint twipsPoint) const;

    // The canvas the widget is placed on, or nullptr.
    static DesignCanvas *of(const QWidget *widget);

    QSize sizeHint() const override { return m_designPixels; }
    QSize minimumSizeHint() const override { return m_designPixels; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Placed
    {
        QPointer<QWidget> widget;
        QRect twips;
        QFont font;
    };
    Placed *find(const QWidget *child);
    void relayout();
    void applyFont(const Placed &placed) const;

    QSize m_designPixels;
    qreal m_scale = 1;
    QPoint m_offset;
    std::vector<Placed> m_placed;
    ScaledStyle *m_style;
};
