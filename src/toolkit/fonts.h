// fonts.h: the fonts the layouts name.
#pragma once

#include "toolkit/layout.h"

#include <QFont>

namespace toolkit {

// "Comic Sans MS" where the machine has it, otherwise the look-alike Comic Neue that the
// program carries in its resources, so the windows never depend on installed fonts.
QFont fontFor(const FontSpec& wanted, const QFont& base);

} // namespace toolkit
