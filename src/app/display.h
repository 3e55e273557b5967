// display.h: choosing the windowing platform before Qt starts, and saying plainly when there
// is nothing to show the windows on.
#pragma once

namespace app {

// On a Wayland session whose compositor answers the windows are native Wayland ones, through
// Qt's wayland platform if it is installed; otherwise they go through X11 (XWayland), unless the
// user chose a platform (QT_QPA_PLATFORM or -platform). Returns false, after one plain line on
// stderr, when neither a Wayland compositor nor an X server answers.
bool prepareDisplay(int argc, char* argv[]);

} // namespace app
