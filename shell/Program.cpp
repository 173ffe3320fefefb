#include "shell/Program.h"

#include "shell/Form1.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/ThaiFonts.h"

#include <QApplication>

int runProgram()
{
    // Ties the windows to pokdeng.desktop, whose icon a desktop shows for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("pokdeng"));
    QApplication::setWindowIcon(CardLibrary::windowIcon());
    installThaiFontSubstitutions();

    // Closing the start window, the last window, quits the event loop.
    Form1 form;
    form.show();
    return QApplication::exec();
}
