#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "toolkit/ThaiFonts.h"

// Every window test runs offscreen, in a folder of its own, so that the score file and the
// settings it writes never touch the developer's.
namespace {
QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says for every window that it cannot pass on size hints; that is no
// news to a test.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char *argv[])
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir workDir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(workDir.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);
    installThaiFontSubstitutions();
    QDir::setCurrent(workDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
