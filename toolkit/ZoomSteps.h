#pragma once

#include <QSize>

// The sizes a window offers as desktop programs offer zoom: its design size, and larger by
// steps of half the design size (1½ times, twice, 2½ times...). A window is made of a part that
// scales (its drawn content) and a part that keeps its size whatever the scale (a menu bar, the
// frame). Sizes here are whole windows: the fixed part plus the scaling part at a scale.
class ZoomSteps final
{
public:
    // One step: half the design's size.
    static constexpr double kStep = 0.5;

    // scaling: the part that scales, at the design's size (not empty); fixed: the part that
    // does not, added to its width and height.
    ZoomSteps(QSize scaling, QSize fixed);

    // The scale a window of this size shows its content at: the smaller of its two sides' scales
    // (the content keeps its proportions), never below 1.
    double scaleOf(QSize window) const;
    // The window's size at scale, the scaling part rounded up to whole pixels.
    QSize sizeAt(double scale) const;

    // The next step up from window's scale, cut to the largest scale whose window fits within
    // room; the design's size where even that does not fit.
    QSize larger(QSize window, QSize room) const;
    // The next step down from window's scale, never below the design's size.
    QSize smaller(QSize window) const;
    // The design's size.
    QSize original() const { return sizeAt(1); }

private:
    QSize m_scaling;
    QSize m_fixed;
};
