#include "support/LoopbackOnlyNetwork.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

// Sockets and timers run on a core application's event loop; no window. The program keeps its
// traffic on this machine: a network namespace of its own with only the loopback.
int main(int argc, char *argv[])
{
    keepTrafficOnThisMachine();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
