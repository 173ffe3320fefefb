// The entries of the network-play module (libpokdeng_friends.so), which the program loads the
// first time it plays over the network (shell/FriendsLoader.cpp).
#include "shell/FriendsTable.h"
#include "shell/HeadlessHost.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT GameKind pokdeng_play_with_friends(QWidget *parent)
{
    return playWithFriends(parent);
}

extern "C" Q_DECL_EXPORT GameKind pokdeng_join_table(const FriendsChoice *choice, QWidget *parent)
{
    return joinTable(*choice, parent);
}

extern "C" Q_DECL_EXPORT int pokdeng_run_headless_host(const FriendsChoice *choice)
{
    return runHeadlessHost(*choice);
}
