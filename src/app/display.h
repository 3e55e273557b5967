// display.h: choosing the windowing platform before Qt starts, and saying plainly when there
// is nothing to show the windows on.
#pragma once

namespace app {

// On a Wayland session the windows go through XWayland, unless the user chose a platform
// (QT_QPA_PLATFORM or -platform): Wayland lets no program place its own windows. Returns
// false, after one plain line on stderr, when the windows would go to X11 and no X server
// answers.
bool prepareDisplay(int argc, char* argv[]);

} // namespace app
