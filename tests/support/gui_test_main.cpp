#include "support/OffscreenApplication.h"

#include <gtest/gtest.h>

// Every window test runs offscreen, in a folder of its own, so that the score file and the
// settings it writes never touch the developer's.
int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
