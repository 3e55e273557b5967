// main.cpp: Cifrotto starts by showing its start window; the registry says when it is over.
#include "toolkit/registry.h"
#include "windows/frminizio.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    // Ties the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cifrotto.Cifrotto"));
    // The registry, not Qt, knows when the last window has gone.
    QApplication::setQuitOnLastWindowClosed(false);
    toolkit::WindowRegistry registry;
    QObject::connect(&registry, &toolkit::WindowRegistry::applicationEnded, &app,
                     &QApplication::quit, Qt::QueuedConnection);
    registry.show<windows::frminizio>();
    return QApplication::exec();
}
