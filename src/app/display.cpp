// display.cpp: the platform choice and the X server check, before QApplication exists.
#include "app/display.h"

#include <QByteArray>
#include <QtGlobal>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>

namespace app {

namespace {

bool platformChosenOnCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

bool waylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
}

} // namespace

bool prepareDisplay(int argc, char* argv[]) {
    if (platformChosenOnCommandLine(argc, argv))
        return true;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && waylandSession())
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(x) == 0;
    xcb_disconnect(x);
    if (reachable)
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        std::fputs("cifrotto: no X display to show the game on (DISPLAY is not set)\n", stderr);
    else
        std::fprintf(stderr, "cifrotto: no X display to show the game on (%s does not answer)\n",
                     display.constData());
    return false;
}

} // namespace app
