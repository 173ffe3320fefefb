#pragma once

#include "toolkit/GameKind.h"

class QWidget;

// เล่นกับเพื่อน: asks the person (FriendsDialog) whether to host a table or join one, then plays
// at that table in a table window over parent until it closes. Hosting runs the table here: the
// table controller, its host on the network at the chosen port with the join code, and its
// announcement on the local network; the person plays in the user's seat. Joining connects to
// the table and plays the seat the host gives. Returns the window to open next (as a game window
// asks for it), None when the person closed the table or did not choose.
GameKind playWithFriends(QWidget *parent);
