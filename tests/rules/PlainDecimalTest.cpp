#include "rules/PlainDecimal.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cards;

namespace {

TEST(PlainDecimal, WholeFractionsAndSigns)
{
    const std::pair<double, const char *> cases[] = {
        { 10000, "10000" },
        { 500.5, "500.5" },
        { 0.25, "0.25" },
        { -4000, "-4000" },
        { 0, "0" },
        { -0.0, "0" },
        { 750.125, "750.125" },
        { -0.5, "-0.5" },
        { 1e14, "100000000000000" },
        { 123456789012.345, "123456789012.345" },
        { 0.1 + 0.2, "0.3" },
        { std::nan(""), "0" },
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(plainDecimal(value), text) << value;
}

} // namespace
