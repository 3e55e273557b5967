// board.cpp: the opening state of a board and its bounds-checked access.
#include "rules/board.h"

#include <cassert>

namespace rules {

Board::Board() {
    for (auto& row : discs)
        row.fill(kEmpty);
    for (auto& row : squares)
        row.fill(kEmpty);
    for (auto& row : holeActive)
        row.fill(false);
    holeActive[0].fill(true);
}

ColourValue Board::secret(int k) const { return colourOfCode(segreto[index(k, kColumns)]).value; }

void Board::setRowActive(int row, bool shown) {
    for (int column = 1; column <= kColumns; ++column)
        active(row, column) = shown;
}

bool Board::rowFull(int row) const {
    for (int column = 1; column <= kColumns; ++column)
        if (isEmpty(disc(row, column)))
            return false;
    return true;
}

std::size_t Board::index(int oneBased, int count) {
    assert(oneBased >= 1 && oneBased <= count);
    return static_cast<std::size_t>(oneBased - 1);
}

} // namespace rules
