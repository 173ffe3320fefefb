#include "shell/Program.h"

#include "shell/EndSignals.h"
#include "shell/Form1.h"
#include "shell/FriendsTable.h"
#include "shell/Navigator.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"

#include <QApplication>
#include <QTimer>

namespace {

void setUpProgram()
{
    // Ties the windows to the installed desktop entry th.pokdeng.PokDeng.desktop, whose name and
    // icon a desktop shows for them; the same id names the game's AppStream metainfo.
    QGuiApplication::setDesktopFileName(QStringLiteral("th.pokdeng.PokDeng"));
    QApplication::setWindowIcon(CardLibrary::windowIcon());
    installThaiFontSubstitutions();
}

} // namespace

int runProgram()
{
    setUpProgram();
    // Closing the start window, the last window, quits the event loop.
    Form1 form;
    form.show();
    return QApplication::exec();
}

int runProgramAtTable(const FriendsChoice &choice)
{
    setUpProgram();
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::received, [] { Toolkit::instance().endProgram(); });
    const GameKind next = joinTable(choice, nullptr);
    if (next == GameKind::None || Toolkit::instance().isEnding())
        return 0;
    Form1 form;
    form.show();
    QTimer::singleShot(0, &form, [&form, next] { runGameWindows(next, &form); });
    return QApplication::exec();
}
