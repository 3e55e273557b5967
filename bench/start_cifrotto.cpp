// start_cifrotto.cpp: Cifrotto started as the program starts, reporting its start window's
// first frame.
#include "app/start.h"
#include "probe.h"
#include "toolkit/registry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::StartupProbe probe;
    toolkit::WindowRegistry registry;
    app::start(application, registry);
    return QApplication::exec();
}
