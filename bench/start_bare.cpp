// start_bare.cpp: the yardstick for start-up: a Qt Widgets program with one empty window of
// the start window's size, quitting after its first frame and printing when that was.
#include "startup_report.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    bench::FirstPaint probe;
    bench::reportFirstFrame(probe);
    QWidget window;
    // frminizio's client area (6030 x 6495 twips), so both back their window with a
    // backing store of the same size.
    window.setFixedSize(402, 433);
    window.show();
    return QApplication::exec();
}
