#include <gtest/gtest.h>

#include <QCoreApplication>

// The table runs its timers on a core application's event loop; no window.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
