// new_games.cpp: the three ways from one game to the next, as a player clicks them.
#include "support/new_games.h"

#include "support/play.h"
#include "windows/frmfine.h"

#include <QPointer>

namespace stress {

windows::frmcifrotto* nextGame(toolkit::WindowRegistry& registry, Route route) {
    QPointer<windows::frmcifrotto> game = registry.find<windows::frmcifrotto>();
    if (!game)
        return nullptr;
    if (route == Route::Restart) {
        support::click(game, QStringLiteral("cmdricomincia"));
    } else {
        if (route == Route::AgainAfterSolution)
            support::click(game, QStringLiteral("cmdsoluzione"));
        else
            play::win(game);
        support::settle();
        auto* end = registry.find<windows::frmfine>();
        if (!end)
            return nullptr;
        support::click(end, QStringLiteral("cmdsi"));
    }
    support::settle();
    // The old window must be gone by now, not merely hidden.
    return game ? nullptr : registry.find<windows::frmcifrotto>();
}

} // namespace stress
