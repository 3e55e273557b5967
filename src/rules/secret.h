// secret.h: drawing the four different secret colours and painting the secret row.
#pragma once

#include "rules/board.h"
#include "rules/random.h"

#include <array>
#include <cstdint>

namespace rules {

// floor(r * 11 + 1) in double precision: always 1..11 since r < 1.
int codeFromDraw(float r);

// How many positions hold a code that no other position holds: 0, 1, 2 or 4, never 3.
std::int16_t countDistinct(const std::array<std::int16_t, kColumns>& codes);

// Whole attempts are drawn until all four codes differ, so every ordered secret of four
// different colours is equally likely.
void drawSecret(Board& board, UnitRandom& random);

} // namespace rules
