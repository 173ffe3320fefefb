#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The window designs are measured in twips, 15 to a logical pixel (1065 x 1440 twips is a
// 71 x 96 card). Qt's high-DPI scaling takes logical pixels on to the screen.
namespace twips {

inline constexpr int kPerPixel = 15;

constexpr int toPixels(int t)
{
    return (t >= 0 ? t + kPerPixel / 2 : t - kPerPixel / 2) / kPerPixel;
}
inline QPoint point(int left, int top)
{
    return { toPixels(left), toPixels(top) };
}
inline QSize size(int width, int height)
{
    return { toPixels(width), toPixels(height) };
}
inline QRect rect(int left, int top, int width, int height)
{
    return { point(left, top), size(width, height) };
}

} // namespace twips
