// start_cifrotto.cpp: Cifrotto started exactly as src/app/main.cpp starts it (keep the two in
// step), quitting after its start window's first frame and printing when that was.
#include "startup_report.h"
#include "toolkit/registry.h"
#include "windows/frminizio.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cifrotto.Cifrotto"));
    QApplication::setQuitOnLastWindowClosed(false);
    bench::FirstPaint probe;
    bench::reportFirstFrame(probe);
    toolkit::WindowRegistry registry;
    QObject::connect(&registry, &toolkit::WindowRegistry::applicationEnded, &app,
                     &QApplication::quit, Qt::QueuedConnection);
    registry.show<windows::frminizio>();
    return QApplication::exec();
}
