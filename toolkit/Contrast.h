#pragma once

#include <QColor>

// The contrast ratio of two colours as accessibility guidelines measure it, from 1 (the same
// brightness) to 21 (black on white). Large text needs 3, small text 4.5.
double contrastRatio(const QColor &one, const QColor &other);
