// start_cifrotto.cpp: Cifrotto started as the program starts it, quitting after its start
// window's first frame and printing when that was.
#include "app/start.h"
#include "startup_report.h"
#include "toolkit/registry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::FirstPaint probe;
    bench::reportFirstFrame(probe);
    toolkit::WindowRegistry registry;
    app::start(application, registry);
    return QApplication::exec();
}
