#include "support/BenchApplication.h"

#include "toolkit/ThaiFonts.h"

#include <QDir>
#include <QFile>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns for every window that it cannot pass on size hints.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

// Runs before the QApplication is made: the platform is chosen in its constructor.
int &offscreenUnlessChosen(int &argc, const QTemporaryDir &folder)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
    return argc;
}

} // namespace

BenchApplication::BenchApplication(int &argc, char **argv)
    : m_app(offscreenUnlessChosen(argc, m_folder), argv)
{
    installThaiFontSubstitutions();
    QDir::setCurrent(m_folder.path());
}

void settleEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
