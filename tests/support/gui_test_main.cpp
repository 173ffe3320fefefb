#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "windows/ThaiFonts.h"

// Every window test runs offscreen, in a folder of its own, so that the score file it writes
// never touches the developer's.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installThaiFontSubstitutions();
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
