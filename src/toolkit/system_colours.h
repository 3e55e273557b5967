// system_colours.h: turning a stored 32-bit colour value into what the screen shows.
#pragma once

#include "colour/colour_value.h"

#include <QColor>

namespace toolkit {

// The game's windows have fixed backgrounds (light orange, pale yellow), so the system colours
// drawn on them are fixed too, chosen to stand out on those backgrounds and between the pegs,
// never taken from the desktop's scheme: a dark or high-contrast scheme would otherwise put
// white text on pale yellow, or make an empty hole look like a black peg. The stored value
// stays the system-colour reference; only its look is fixed.
QColor screenColour(colour::ColourValue value);

// How far apart two colours stand, as WCAG measures it: 1 (the same) to 21 (black and white).
double contrastRatio(const QColor& a, const QColor& b);

} // namespace toolkit
