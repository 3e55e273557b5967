// start_empty.cpp: the first floor for start-up: one empty Qt window of the start window's
// size.
#include "probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::StartupProbe probe;
    QWidget window;
    window.setFixedSize(402, 433); // frminizio's client area, 6030 x 6495 twips
    window.show();
    return QApplication::exec();
}
