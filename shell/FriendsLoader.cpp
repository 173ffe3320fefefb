// Network play in the program: FriendsTable and HeadlessHost (the host and the client, and Qt
// Network with them) are a module loaded the first time the game plays over the network, so a
// game that never does loads neither Qt Network nor its libraries at start-up. The tests link
// FriendsTable.cpp and HeadlessHost.cpp themselves (library pokdeng_friends) in place of this
// file.
#include "shell/FriendsTable.h"
#include "shell/HeadlessHost.h"

#include "toolkit/Toolkit.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>

#include <cstdio>

namespace {

const QString kNotInstalled = QStringLiteral("เปิดการเล่นกับเพื่อนไม่ได้: ติดตั้งเกมไม่ครบ ลองติดตั้งเกมใหม่");

// The module's entry of that name, the module loaded the first time one is asked for: beside the
// program in a build tree, else where the package installs it (POKDENG_MODULE_DIR, relative to
// the program's folder: /usr/games/../lib/games/pokdeng). Null, and why in problem, when it
// cannot be loaded.
QFunctionPointer moduleEntry(const char *name, QString &problem)
{
    static QLibrary *loaded = nullptr;
    if (!loaded) {
        const QString file = QStringLiteral(POKDENG_FRIENDS_MODULE);
        const QString programs = QCoreApplication::applicationDirPath();
        for (const QString &folder :
             { programs, programs + QLatin1Char('/') + QStringLiteral(POKDENG_MODULE_DIR) }) {
            auto *module = new QLibrary(folder + QLatin1Char('/') + file);
            // Every symbol now: a module that does not fit this program fails here, not
            // mid-game.
            module->setLoadHints(QLibrary::ResolveAllSymbolsHint);
            if (module->load()) {
                loaded = module;
                break;
            }
            problem += module->errorString() + QLatin1Char('\n');
            delete module;
        }
        if (!loaded)
            return nullptr;
    }
    const QFunctionPointer entry = loaded->resolve(name);
    if (!entry)
        problem += loaded->errorString();
    return entry;
}

void notLoaded(const QString &problem)
{
    qWarning().noquote() << "network play could not be loaded:" << problem.trimmed();
}

// In a window: the box says so. Returns the window to open next: none.
GameKind cannotPlay(QWidget *parent, const QString &problem)
{
    notLoaded(problem);
    Toolkit::instance().messageBox(parent, kNotInstalled, Toolkit::Style::StopOk,
                                   QStringLiteral("เล่นกับเพื่อน"));
    return GameKind::None;
}

} // namespace

GameKind playWithFriends(QWidget *parent)
{
    QString problem;
    using Entry = GameKind (*)(QWidget *);
    if (const auto entry
        = reinterpret_cast<Entry>(moduleEntry("pokdeng_play_with_friends", problem)))
        return entry(parent);
    return cannotPlay(parent, problem);
}

GameKind joinTable(const FriendsChoice &choice, QWidget *parent)
{
    QString problem;
    using Entry = GameKind (*)(const FriendsChoice *, QWidget *);
    if (const auto entry = reinterpret_cast<Entry>(moduleEntry("pokdeng_join_table", problem)))
        return entry(&choice, parent);
    return cannotPlay(parent, problem);
}

int runHeadlessHost(const FriendsChoice &choice)
{
    QString problem;
    using Entry = int (*)(const FriendsChoice *);
    if (const auto entry
        = reinterpret_cast<Entry>(moduleEntry("pokdeng_run_headless_host", problem)))
        return entry(&choice);
    // No window to say it in.
    notLoaded(problem);
    std::fprintf(stderr, "%s\n", qPrintable(kNotInstalled));
    return 1;
}
