// main.cpp: Cifrotto starts by showing its start window; the registry says when it is over.
#include "app/display.h"
#include "app/start.h"
#include "toolkit/registry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (!app::prepareDisplay(argc, argv))
        return 1;
    QApplication application(argc, argv);
    toolkit::WindowRegistry registry;
    app::start(application, registry);
    return QApplication::exec();
}
