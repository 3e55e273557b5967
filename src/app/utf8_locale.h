// utf8_locale.h: a UTF-8 character set for the program when the environment names another.
#pragma once

namespace app {

// Before QApplication: when the locale the environment names (none at all is "C") does not
// use UTF-8, the same locale in UTF-8, or C.UTF-8, is named for the character set, where Qt
// will read it. Qt reads and writes text as UTF-8 whatever the locale; Qt 6.8 makes this very
// choice itself, but prints a warning of several lines on every start when it has to.
void chooseUtf8Locale();

} // namespace app
