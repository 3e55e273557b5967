// start.cpp: the application's identity and its first window.
#include "app/start.h"

#include "toolkit/registry.h"
#include "windows/frminizio.h"

#include <QApplication>

namespace app {

void start(QApplication& application, toolkit::WindowRegistry& registry) {
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    // Ties the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cifrotto.Cifrotto"));
    // The registry, not Qt, knows when the last window has gone.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&registry, &toolkit::WindowRegistry::applicationEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    registry.show<windows::frminizio>();
}

} // namespace app
