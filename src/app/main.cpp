// main.cpp: Cifrotto answers its command line, finds its display, then shows its start window;
// the registry says when it is over.
#include "app/command_line.h"
#include "app/display.h"
#include "app/start.h"
#include "app/utf8_locale.h"
#include "toolkit/platform.h"
#include "toolkit/registry.h"
#include "toolkit/versions.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    const app::CommandLine commandLine(argc, argv);
    if (const auto exitCode = commandLine.answer())
        return *exitCode; // --help, --version or a mistake: no window
    if (!app::prepareDisplay(argc, argv))
        return 1;
    app::chooseUtf8Locale();
    QApplication application(argc, argv);
    toolkit::WindowRegistry registry;
    app::start(application, registry, commandLine.marks());
    const int status = QApplication::exec();
    // Nothing is left to save or to close: where destroying the application could hang, the
    // program ends at once.
    if (toolkit::versions::kWaylandHangsAtExit &&
        toolkit::platform() == toolkit::Platform::Wayland) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
