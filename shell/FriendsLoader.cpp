// เล่นกับเพื่อน in the program: the network play (FriendsTable, the host and the client, and Qt
// Network with them) is a module loaded the first time it is opened, so a game that never plays
// over the network does not load Qt Network and its libraries at start-up. The tests link
// FriendsTable.cpp itself (library pokdeng_friends) in place of this file.
#include "shell/FriendsTable.h"

#include "toolkit/Toolkit.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>

namespace {

using Entry = GameKind (*)(QWidget *parent);

// Beside the program in a build tree, else where the package installs it (POKDENG_MODULE_DIR,
// relative to the program's folder: /usr/games/../lib/games/pokdeng).
Entry loadEntry(QString &problem)
{
    static Entry entry = nullptr;
    if (entry)
        return entry;
    const QString name = QStringLiteral(POKDENG_FRIENDS_MODULE);
    const QString programs = QCoreApplication::applicationDirPath();
    for (const QString &folder :
         { programs, programs + QLatin1Char('/') + QStringLiteral(POKDENG_MODULE_DIR) }) {
        QLibrary module(folder + QLatin1Char('/') + name);
        // Every symbol now: a module that does not fit this program fails here, not mid-game.
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!module.load()) {
            problem += module.errorString() + QLatin1Char('\n');
            continue;
        }
        entry = reinterpret_cast<Entry>(module.resolve("pokdeng_play_with_friends"));
        if (entry)
            return entry;
        problem += module.errorString() + QLatin1Char('\n');
        module.unload();
    }
    return nullptr;
}

} // namespace

GameKind playWithFriends(QWidget *parent)
{
    QString problem;
    const Entry entry = loadEntry(problem);
    if (!entry) {
        qWarning().noquote() << "network play could not be loaded:" << problem.trimmed();
        Toolkit::instance().messageBox(
            parent, QStringLiteral("เปิดการเล่นกับเพื่อนไม่ได้: ติดตั้งเกมไม่ครบ ลองติดตั้งเกมใหม่"),
            Toolkit::Style::StopOk, QStringLiteral("เล่นกับเพื่อน"));
        return GameKind::None;
    }
    return entry(parent);
}
