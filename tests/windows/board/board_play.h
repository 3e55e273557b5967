// board_play.h: what the board tests add to the play helpers: squares read off the screen,
// rows written against the secret.
#pragma once

#include "support/play.h"
#include "toolkit/shape.h"

#include <QString>

#include <array>
#include <vector>

namespace board {

// The same squares as the grabbed window shows them, read at each square's centre.
inline QString squaresOnScreen(QWidget* game, int row) {
    const QImage image = support::grab(game);
    QString text;
    for (int k = 1; k <= 4; ++k) {
        const QColor seen =
            image.pixelColor(support::centreOf(support::controlOf(game, play::square(row, k))));
        unsigned value = support::looksEmpty(seen) ? pegs::kButtonFace : 0x1000000; // or '?'
        for (const unsigned lit : {pegs::kRed, pegs::kWhite})
            if (seen == support::rgb(lit))
                value = lit;
        text += pegs::squareLetter(value);
    }
    return text;
}

// A row written against the secret: 1..4 is the secret's colour at that position, -n the n-th
// colour that the secret does not hold.
inline std::array<int, 4> rowAgainst(const std::array<int, 4>& secret,
                                     const std::array<int, 4>& pattern) {
    const std::vector<int> absent = play::absentFrom(secret);
    std::array<int, 4> codes{};
    for (std::size_t i = 0; i < 4; ++i)
        codes[i] = pattern[i] > 0 ? secret[std::size_t(pattern[i] - 1)]
                                  : absent[std::size_t(-pattern[i] - 1)];
    return codes;
}

} // namespace board
