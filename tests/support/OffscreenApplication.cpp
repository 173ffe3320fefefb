#include "support/OffscreenApplication.h"

#include "toolkit/ThaiFonts.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns for every window that it cannot pass on size hints, and for
// every window or tooltip that it cannot raise it.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints"))
        || message.contains(QLatin1String("does not support raise()")))
        return;
    defaultHandler(type, context, message);
}

// Runs before the QApplication is made: the platform is chosen in its constructor.
int &offscreenUnlessChosen(int &argc)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

} // namespace

OffscreenApplication::OffscreenApplication(int &argc, char **argv)
    : m_app(offscreenUnlessChosen(argc), argv)
{
    installThaiFontSubstitutions();
    QDir::setCurrent(m_folder.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    // The user's data folder, where the play history lives, is the folder's own too.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_folder.filePath(QStringLiteral("data"))));
}

void settleEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
