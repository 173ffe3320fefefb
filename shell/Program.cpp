#include "shell/Program.h"

#include "shell/Form1.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/ThaiFonts.h"

#include <QApplication>

int runProgram()
{
    // Ties the windows to the installed desktop entry th.pokdeng.PokDeng.desktop, whose name and
    // icon a desktop shows for them; the same id names the game's AppStream metainfo.
    QGuiApplication::setDesktopFileName(QStringLiteral("th.pokdeng.PokDeng"));
    QApplication::setWindowIcon(CardLibrary::windowIcon());
    installThaiFontSubstitutions();

    // Closing the start window, the last window, quits the event loop.
    Form1 form;
    form.show();
    return QApplication::exec();
}
