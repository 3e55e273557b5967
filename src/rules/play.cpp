// play.cpp: colour selection, peg placement and the confirm press.
#include "rules/play.h"

#include "rules/scoring.h"

namespace rules {

void selectColour(Board& board, int code) {
    for (int marker = 1; marker <= kColourCount; ++marker)
        board.marker(marker) = marker == code;
}

std::optional<ColourValue> selectedColour(const Board& board) {
    std::optional<ColourValue> colour;
    for (const auto& entry : kColours)
        if (board.marker(entry.code))
            colour = entry.value;
    return colour;
}

bool placePeg(Board& board, int row, int column) {
    if (const auto colour = selectedColour(board))
        board.disc(row, column) = *colour;
    if (!board.rowFull(row))
        return false;
    board.confirmEnabled = true;
    return true;
}

std::optional<Outcome> confirm(Board& board) {
    if (!board.confirmEnabled || board.riga >= kRows)
        return std::nullopt;
    ++board.riga;
    const int row = board.riga;
    board.confirmEnabled = false;
    board.rossi = 0;
    board.bianchi = 0;

    Outcome decided = Outcome::None;
    if (row < kRows) {
        board.setRowActive(row + 1, true);
        board.setRowActive(row, false);
        countRow(board, row);
        paintReds(board, row);
        if (board.rossi == kColumns) {
            decided = Outcome::Won;
            board.setRowActive(row + 1, false);
            board.coverShown = false;
        }
        paintWhites(board, row);
    } else {
        // The secret is uncovered after the last row whatever its score.
        board.setRowActive(row, false);
        board.coverShown = false;
        countRow(board, row);
        paintReds(board, row);
        decided = board.rossi == kColumns ? Outcome::Won : Outcome::Lost;
        paintWhites(board, row);
    }

    if (decided != Outcome::None) {
        board.outcome = decided;
        board.opt1 = decided == Outcome::Won;
    }
    return decided;
}

void revealSolution(Board& board) {
    board.coverShown = false;
    for (int row = 1; row <= kRows; ++row)
        board.setRowActive(row, false);
}

} // namespace rules
