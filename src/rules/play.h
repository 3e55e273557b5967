// play.h: what the player's actions do to a board: choosing a colour, placing a peg, confirming.
#pragma once

#include "rules/board.h"

namespace rules {

// Shows the chosen colour's marker and hides the other ten.
void selectColour(Board& board, int code);

// The colour of the visible marker, or nothing while no colour has been chosen.
std::optional<ColourValue> selectedColour(const Board& board);

// Paints the hole with the selected colour (a hole stays as it is while none is chosen).
// Returns true when the row is now full: the confirm button is then enabled, and the
// window gives it the focus. A row that is not full leaves the button as it was.
bool placePeg(Board& board, int row, int column);

// One press of the confirm button: opens the next row, scores this one, and at the end of
// the game uncovers the secret and sets the outcome and its flag. Returns the outcome this
// press decided, for which the window shows the end window. A press while the button is
// disabled (a click that arrives late) changes nothing and gives nothing back.
std::optional<Outcome> confirm(Board& board);

// The solution command: uncovers the secret and closes every hole to the mouse. The confirm
// button keeps its state, so a full row may still be confirmed and scored.
void revealSolution(Board& board);

} // namespace rules
