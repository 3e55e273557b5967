// board_play.h: what the board tests add to the play helpers: squares read off the screen,
// rows written against the secret, and the window's departures from its opening state.
#pragma once

#include "support/play.h"
#include "toolkit/shape.h"

#include <QAbstractButton>
#include <QLabel>
#include <QString>

#include <array>
#include <vector>

// The board tests reach the shared play helpers as board:: too.
namespace board {

using namespace play;

// The same squares as the grabbed window shows them, read at each square's centre.
inline QString squaresOnScreen(QWidget* game, int row) {
    const QImage image = support::grab(game);
    const QColor red = onScreen(game, kRed);
    const QColor white = onScreen(game, kWhite);
    const QColor unlit = onScreen(game, kButtonFace);
    QString text;
    for (int k = 1; k <= 4; ++k) {
        const QColor seen =
            image.pixelColor(support::centreOf(support::controlOf(game, square(row, k))));
        text += seen == red ? u'R' : seen == white ? u'W' : seen == unlit ? u'.' : u'?';
    }
    return text;
}

// A row written against the secret: 1..4 is the secret's colour at that position, -n the n-th
// colour that the secret does not hold.
inline std::array<int, 4> rowAgainst(const std::array<int, 4>& secret,
                                     const std::array<int, 4>& pattern) {
    const std::vector<int> absent = absentFrom(secret);
    std::array<int, 4> codes{};
    for (std::size_t i = 0; i < 4; ++i)
        codes[i] = pattern[i] > 0 ? secret[std::size_t(pattern[i] - 1)]
                                  : absent[std::size_t(-pattern[i] - 1)];
    return codes;
}

// What differs from a game window as it opens, or nothing: empty holes, unlit squares, row 1
// alone taking clicks, no colour picked, the cover on, a disabled "&Conferma", untouched
// outcome carriers, and a secret of four different peg colours.
inline QString departureFromOpening(const windows::frmcifrotto* game) {
    for (int r = 1; r <= 12; ++r) {
        for (int c = 1; c <= 4; ++c) {
            if (shape(game, disc(r, c))->fill() != kButtonFace)
                return disc(r, c) + " holds a peg";
            if (shape(game, square(r, c))->fill() != kButtonFace)
                return square(r, c) + " is lit";
            if (support::control<toolkit::Item>(game, hole(r, c))->isVisible() != (r == 1))
                return hole(r, c) + " has the wrong activity";
        }
    }
    for (int k = 1; k <= 11; ++k)
        if (shape(game, marker(k))->isVisible())
            return nameOf(k) + " is picked";
    if (!shape(game, "shpschermo")->isVisible())
        return "the secret is uncovered";
    if (support::control<QWidget>(game, "cmdconferma")->isEnabled())
        return "Conferma is enabled";
    if (!support::control<QLabel>(game, "lblmessaggio")->text().isEmpty())
        return "the outcome marker is set";
    if (support::control<QAbstractButton>(game, "opt1")->isChecked())
        return "the outcome flag is set";
    if (game->board().riga != 0)
        return "rows were confirmed";
    const auto secret = secretOf(game);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            if (secret[i] == 0 || (i != j && secret[i] == secret[j]))
                return "the secret is not four different peg colours";
    return {};
}

} // namespace board
