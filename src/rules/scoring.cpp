// scoring.cpp: the counting rule and the painting of the feedback squares.
#include "rules/scoring.h"

namespace rules {

void countRow(Board& board, int row) {
    for (int column = 1; column <= kColumns; ++column) {
        const ColourValue hole = board.disc(row, column);
        if (hole == board.secret(column)) {
            ++board.rossi;
            continue;
        }
        for (int other = 1; other <= kColumns; ++other) {
            if (other != column && hole == board.secret(other)) {
                ++board.bianchi;
                break;
            }
        }
    }
}

void paintReds(Board& board, int row) {
    for (int k = 1; k <= board.rossi; ++k)
        board.square(row, k) = kRed;
}

void paintWhites(Board& board, int row) {
    for (int k = kColumns; k > kColumns - board.bianchi; --k)
        board.square(row, k) = kWhite;
}

} // namespace rules
