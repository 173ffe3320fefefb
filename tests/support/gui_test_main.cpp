#include "support/LoopbackOnlyNetwork.h"
#include "support/OffscreenApplication.h"

#include <gtest/gtest.h>

// Every window test runs offscreen, in a folder of its own, so that the score file, the settings
// and the play history it writes never touch the developer's, and with only the loopback for a
// network, so that a table it hosts is never announced on the machine's own.
int main(int argc, char *argv[])
{
    keepTrafficOnThisMachine();
    OffscreenApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
