// start.cpp: the application's identity and its first window.
#include "app/start.h"

#include "rules/random.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frminizio.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace app {

// The icon is drawn once, at the sizes title bars and task bars use: handing the desktop a
// scalable icon would have it drawn again at every size for every new window.
void identify() {
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    // Ties the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cifrotto.Cifrotto"));
    QIcon icon;
    QSvgRenderer picture(QStringLiteral(":/artwork/icon.svg"));
    for (const int side : {16, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    QApplication::setWindowIcon(icon);
}

void start(QApplication& application, toolkit::WindowRegistry& registry) {
    identify();
    registry.provide<windows::frmcifrotto>([](toolkit::WindowRegistry& r) {
        return std::make_unique<windows::frmcifrotto>(
            r, std::make_unique<rules::SeededRandom>(rules::clockSeed()));
    });
    // The registry, not Qt, knows when the last window has gone.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&registry, &toolkit::WindowRegistry::applicationEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    registry.show<windows::frminizio>();
}

} // namespace app
