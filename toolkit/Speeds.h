#pragma once

namespace speeds {

// How fast cards move, in steps of their slide path per second. A deal step is 2 twips and a
// third card's step 1 twip, so at this pace the eight cards of the first deal (about 14,800
// steps in all) take about two seconds, a quarter of a second a card, and a third card (3,000 to
// 4,100 steps) about half a second.
inline constexpr double kSlideStepsPerSecond = 7400;

// How often the screen is redrawn while a card moves.
inline constexpr int kSlideFrameMilliseconds = 16;

} // namespace speeds
