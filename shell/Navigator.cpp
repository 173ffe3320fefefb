#include "shell/Navigator.h"

#include "shell/FriendsTable.h"

#include "toolkit/Toolkit.h"
#include "toolkit/WindowPlace.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <memory>

namespace {

// The one place that knows each game's window class: a new game adds its line here, beside its
// row in the games' list (toolkit/GameKind.h).
std::unique_ptr<GameWindow> makeGameWindow(GameKind kind, QWidget *parent)
{
    switch (kind) {
    case GameKind::PokDeng:
        return std::make_unique<Frmpok>(parent);
    case GameKind::NineGa:
        return std::make_unique<Frm9ga>(parent);
    case GameKind::Dummy:
        return std::make_unique<Frmdum>(parent);
    case GameKind::WithFriends:
    case GameKind::None:
        break;
    }
    return nullptr;
}

} // namespace

void runGameWindows(GameKind first, QWidget *parent)
{
    // One modal level at a time: each window closes before the next one is built, so a long
    // evening of switching games costs no more than one window.
    GameKind next = first;
    while (next != GameKind::None && !Toolkit::instance().isEnding()) {
        if (next == GameKind::WithFriends) {
            next = playWithFriends(parent);
            continue;
        }
        std::unique_ptr<GameWindow> window = makeGameWindow(next, parent);
        if (!window)
            return;
        // Over the start window, on its screen; a window that kept its last place returns there.
        windowplace::placeOver(window.get(), parent);
        window->exec();
        next = window->nextWindow();
    }
}
