#include <gtest/gtest.h>

#include <QCoreApplication>

// The history needs an application object for Qt SQL to find its SQLite driver; no window.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
