// new_games.cpp: the three ways from one game to the next, as a player clicks them.
#include "new_games.h"

#include "rules/colour.h"
#include "support/gui.h"
#include "toolkit/shape.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QPointer>

namespace stress {

windows::frmcifrotto* startFirstGame(toolkit::WindowRegistry& registry) {
    auto* start = registry.show<windows::frminizio>();
    support::settle();
    support::click(start, QStringLiteral("cmdcomincia"));
    support::settle();
    return registry.find<windows::frmcifrotto>();
}

namespace {

// Reads the secret off the board and plays it in row 1.
void playTheSecret(windows::frmcifrotto* game) {
    for (int column = 1; column <= 4; ++column) {
        const auto* secret =
            support::control<toolkit::Shape>(game, QStringLiteral("shpn%1").arg(column));
        const auto code = rules::codeOfColour(secret->fill());
        if (!code)
            return;
        support::click(game, QStringLiteral("img") +
                                 QString::fromLatin1(rules::colourOfCode(*code).name));
        support::click(game, QStringLiteral("img1%1").arg(column));
    }
    support::click(game, QStringLiteral("cmdconferma"));
}

} // namespace

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
            playTheSecret(game);
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
