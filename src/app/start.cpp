// start.cpp: the application's identity and its first window.
#include "app/start.h"

#include "rules/random.h"
#include "toolkit/pixels.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frminizio.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <memory>

namespace app {

namespace {
// The name ties the windows to the installed launcher and its icon; a window takes it as it is
// made.
void name() {
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cifrotto.Cifrotto"));
}

// The icon is made once, at the sizes title bars and task bars use, from pictures drawn at
// build time: handing the desktop a scalable icon would have it drawn again at every size for
// every new window.
void giveIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48}) {
        icon.addPixmap(QPixmap::fromImage(
            toolkit::PackedPixels(QStringLiteral(":/artwork/icon-%1.pixels").arg(side)).image()));
    }
    QApplication::setWindowIcon(icon);
}
} // namespace

void identify() {
    name();
    giveIcon();
}

void start(QApplication& application, toolkit::WindowRegistry& registry, bool marks) {
    name();
    // The run's one choice of marks lives in the factory and is shared by every game it builds.
    registry.provide<windows::frmcifrotto>(
        [choice = std::make_shared<bool>(marks)](toolkit::WindowRegistry& r) {
            return std::make_unique<windows::frmcifrotto>(
                r, std::make_unique<rules::SeededRandom>(rules::clockSeed()), choice);
        });
    // The registry, not Qt, knows when the last window has gone.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&registry, &toolkit::WindowRegistry::applicationEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    registry.show<windows::frminizio>();
    // Given once the start window is made: Qt sends the application's icon to the X server
    // twice for a window made while there is one, from the native window and from the widget.
    giveIcon();
}

} // namespace app
