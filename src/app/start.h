// start.h: how Cifrotto starts, shared by the program and the start-up benchmark.
#pragma once

class QApplication;

namespace toolkit {
class WindowRegistry;
}

namespace app {

// The application's name, its launcher and the icon every window shows.
void identify();

// Identifies the application, builds new games with clock-seeded secrets, shows the start
// window, and quits once the registry says the last window has gone. With marks, the games
// start with each colour's mark shown; Ctrl+M changes that for the rest of the run.
void start(QApplication& application, toolkit::WindowRegistry& registry, bool marks = false);

} // namespace app
