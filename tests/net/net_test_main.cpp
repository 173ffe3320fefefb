#include <gtest/gtest.h>

#include <QCoreApplication>

// Sockets and timers run on a core application's event loop; no window.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
