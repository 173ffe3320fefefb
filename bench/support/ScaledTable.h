#pragma once

// The table window as the frame benchmarks time it: new, shown and painted at a scale.
#include "rules/RandomSource.h"
#include "windows/Frmpok.h"

#include <QSize>

#include <memory>

// A new table window dealing from random, shown, exposed and settled at scale times its design
// size. designSize is the client area at 1x: found by the first call (pass an empty size), kept
// for the others.
std::unique_ptr<Frmpok> showScaledTable(cards::RandomSource &random, int scale, QSize &designSize);
