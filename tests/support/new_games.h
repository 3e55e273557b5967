// new_games.h: one new game after another, through "&Ricomincia" or through the end
// window's "&Sì", clicked through the windows; shared by the lifetime test and its benchmark.
#pragma once

#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"

namespace stress {

enum class Route {
    Restart,            // "&Ricomincia"
    AgainAfterSolution, // "&Soluzione", then the end window's "&Sì"
    AgainAfterWin,      // the secret played and confirmed, then the end window's "&Sì"
};

// Leaves the open game by the route and returns the next game's window, or nullptr when
// a window that the route needs did not open.
windows::frmcifrotto* nextGame(toolkit::WindowRegistry& registry, Route route);

// The route of the n-th new game: half restart, half end window, by solution and by win.
constexpr Route routeOf(int n) {
    return n % 2 == 0   ? Route::Restart
           : n % 4 == 1 ? Route::AgainAfterSolution
                        : Route::AgainAfterWin;
}

} // namespace stress
