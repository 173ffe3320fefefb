#pragma once

#include "toolkit/GameKind.h"

class QWidget;
struct FriendsChoice;

// เล่นกับเพื่อน: asks the person (FriendsDialog) whether to host a table or join one, then plays
// at that table in a table window over parent until it closes. Hosting runs the table here: the
// table controller, its host on the network at the chosen port with the join code, and its
// announcement on the local network; the person plays in the user's seat. Joining connects to
// the table and plays the seat the host gives. Returns the window to open next (as a game window
// asks for it), None when the person closed the table or did not choose.
GameKind playWithFriends(QWidget *parent);

// Joins the table of choice (address, port, code, name) as the join window would, and plays there
// in a table window over parent (may be null) until it closes; a table that refuses or does not
// answer is said in a box. Returns the window to open next, as playWithFriends does.
GameKind joinTable(const FriendsChoice &choice, QWidget *parent);
