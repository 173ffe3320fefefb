// The entry of the network-play module (libpokdeng_friends.so), which the program loads the first
// time เล่นกับเพื่อน is opened (shell/FriendsLoader.cpp).
#include "shell/FriendsTable.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT GameKind pokdeng_play_with_friends(QWidget *parent)
{
    return playWithFriends(parent);
}
