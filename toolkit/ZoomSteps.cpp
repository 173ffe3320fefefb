#include "toolkit/ZoomSteps.h"

#include <algorithm>
#include <cmath>

namespace {
// Sizes are whole pixels: a scale within this of a step counts as that step.
constexpr double kSlack = 0.01;
} // namespace

ZoomSteps::ZoomSteps(QSize scaling, QSize fixed)
    : m_scaling(scaling.expandedTo(QSize(1, 1)))
    , m_fixed(fixed)
{
}

double ZoomSteps::scaleOf(QSize window) const
{
    const double across = double(window.width() - m_fixed.width()) / m_scaling.width();
    const double down = double(window.height() - m_fixed.height()) / m_scaling.height();
    return std::max(1.0, std::min(across, down));
}

QSize ZoomSteps::sizeAt(double scale) const
{
    return QSize(int(std::ceil(m_scaling.width() * scale - kSlack)),
                 int(std::ceil(m_scaling.height() * scale - kSlack)))
        + m_fixed;
}

QSize ZoomSteps::larger(QSize window, QSize room) const
{
    const double next = (std::floor(scaleOf(window) / kStep + kSlack) + 1) * kStep;
    const double fits = std::min(double(room.width() - m_fixed.width()) / m_scaling.width(),
                                 double(room.height() - m_fixed.height()) / m_scaling.height());
    return sizeAt(std::max(1.0, std::min(next, fits)));
}

QSize ZoomSteps::smaller(QSize window) const
{
    const double next = (std::ceil(scaleOf(window) / kStep - kSlack) - 1) * kStep;
    return sizeAt(std::max(1.0, next));
}
