// display.cpp: the platform choice and the display checks, before QApplication exists.
#include "app/display.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
    QByteArray path = waylandSocketName();
    if (!path.startsWith('/')) {
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return false; // libwayland-client would look for no socket either
        path = qgetenv("XDG_RUNTIME_DIR") + '/' + path;
    }
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

// libxcb reports XCB_CONN_ERROR alike for a server that is not there and for one that turns
// the game away (su, sudo, another user's display: no authorisation), and writes the server's
// reason to file descriptor 2 itself: no call returns it. So for the one call, fd 2 is a pipe
// that catches the reason into `refusal`, for the game's one line. Swapping the process's
// stderr is safe here alone, before Qt starts: no other thread exists yet to write there.
// Without the pipe (no descriptor left), the call goes ahead and the reason reaches stderr.
bool xServerAnswers(QByteArray& refusal) {
    const int given = dup(STDERR_FILENO);
    int caught[2] = {-1, -1};
    const bool swapped = given >= 0 && pipe2(caught, O_CLOEXEC | O_NONBLOCK) == 0 &&
                         dup2(caught[1], STDERR_FILENO) == STDERR_FILENO;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(x) == 0;
    xcb_disconnect(x);
    // Between two open descriptors dup2 fails only when a signal interrupts it (or another
    // thread races it, and none runs): then it is tried again.
    while (swapped && dup2(given, STDERR_FILENO) < 0 && errno == EINTR)
        continue;
    for (const int end : {caught[1], given})
        if (end >= 0)
            close(end);
    if (caught[0] >= 0) {
        char reason[1024]; // the protocol's reasons are far shorter
        const ssize_t length = read(caught[0], reason, sizeof reason);
        if (length > 0)
            refusal = QByteArray(reason, length).trimmed();
        close(caught[0]);
    }
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
    QByteArray refusal;
    if (xServerAnswers(refusal)) {
        // Qt would try its wayland platform by itself on a Wayland session, and give up.
        if (wayland)
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
        return true;
    }

    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray x11 =
        display.isEmpty()   ? QByteArrayLiteral("DISPLAY is not set")
        : refusal.isEmpty() ? display + QByteArrayLiteral(" does not answer")
                            : "the X server on " + display + " refused the connection: " + refusal;
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
