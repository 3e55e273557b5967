// system_colours.h: turning a stored 32-bit colour value into what the screen shows.
#pragma once

#include "colour/colour_value.h"

#include <QColor>
#include <QPalette>

namespace toolkit {

// System colours are looked up in the desktop palette at paint time, so the stored value
// stays the system-colour reference whatever the desktop's scheme is.
QColor screenColour(colour::ColourValue value, const QPalette& palette);

} // namespace toolkit
