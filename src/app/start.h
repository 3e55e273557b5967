// start.h: how Cifrotto starts, shared by the program and the start-up benchmark.
#pragma once

class QApplication;

namespace toolkit {
class WindowRegistry;
}

namespace app {

// Names the application, shows the start window, and quits once the registry says the last
// window has gone.
void start(QApplication& application, toolkit::WindowRegistry& registry);

} // namespace app
