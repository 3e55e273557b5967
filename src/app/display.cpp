// display.cpp: the platform choice and the display checks, before QApplication exists.
#include "app/display.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>
#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
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

// The compositor's socket as libwayland-client finds it: WAYLAND_DISPLAY, wayland-0 by
// default, under XDG_RUNTIME_DIR unless it is a path of its own.
QByteArray waylandSocketName() {
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? QByteArrayLiteral("wayland-0")
                                                          : qgetenv("WAYLAND_DISPLAY");
}

bool waylandAnswers() {
    // A socket already connected, handed down by whoever started the game.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return true;
    const QByteArray name = waylandSocketName();
    if (!name.startsWith('/') && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return false; // libwayland-client would look for no socket either
    const QByteArray path = name.startsWith('/') ? name : qgetenv("XDG_RUNTIME_DIR") + '/' + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    // The compositor accepts at once; a socket left behind by one that has gone refuses.
    const bool answered =
        connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return answered;
}

// Qt's wayland platform is a package of its own (qt6-wayland); without it Qt would not start
// at all on the wayland platform, where XWayland may still show the game.
bool waylandPluginInstalled() {
    const QStringList where = QCoreApplication::libraryPaths();
    return std::any_of(where.begin(), where.end(), [](const QString& path) {
        return QFileInfo::exists(path + QStringLiteral("/platforms/libqwayland-generic.so"));
    });
}

bool xServerAnswers() {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(x) == 0;
    xcb_disconnect(x);
    return reachable;
}

} // namespace

bool prepareDisplay(int argc, char* argv[]) {
    if (platformChosenOnCommandLine(argc, argv))
        return true;
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty() && !chosen.startsWith("xcb"))
        return true;
    // Natively on Wayland the game is drawn at the screen's scale, not upscaled by XWayland.
    const bool wayland = chosen.isEmpty() && waylandSession();
    const bool waylandUp = wayland && waylandAnswers();
    if (waylandUp && waylandPluginInstalled()) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("wayland"));
        return true;
    }
    if (xServerAnswers()) {
        // Qt would try its wayland platform by itself on a Wayland session, and give up.
        if (wayland)
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
        return true;
    }

    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray x11 = display.isEmpty() ? QByteArrayLiteral("DISPLAY is not set")
                                             : display + QByteArrayLiteral(" does not answer");
    if (!wayland)
        std::fprintf(stderr, "cifrotto: no X display to show the game on (%s)\n", x11.constData());
    else if (waylandUp)
        std::fprintf(stderr,
                     "cifrotto: no display to show the game on (Qt's wayland platform is not "
                     "installed, %s)\n",
                     x11.constData());
    else
        std::fprintf(stderr, "cifrotto: no display to show the game on (%s does not answer, %s)\n",
                     waylandSocketName().constData(), x11.constData());
    return false;
}

} // namespace app
