// scoring.h: counting a confirmed row against the secret and lighting its feedback squares.
#pragma once

#include "rules/board.h"

namespace rules {

// Each hole is judged on its own: red when it holds its own column's secret colour,
// white when it holds another column's. No secret column is ever used up, so a row that
// repeats a colour scores every hole holding it. Adds to rossi and bianchi.
void countRow(Board& board, int row);

// Reds fill squares 1, 2, 3, 4 in that order; whites fill 4, 3, 2, 1.
void paintReds(Board& board, int row);
void paintWhites(Board& board, int row);

} // namespace rules
