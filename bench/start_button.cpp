// start_button.cpp: the second floor for start-up: the empty window with one text button in
// the game's font, the least a window that shows any text costs.
#include "probe.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::StartupProbe probe;
    QWidget window;
    window.setFixedSize(402, 433);
    // "&Comincia" as the start window has it: Comic Neue 12 pt from the program's resources,
    // registered as the program registers it. A floor that failed to would be too low.
    if (QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/ComicNeue-Regular.otf")) < 0)
        return 1;
    QPushButton button(QStringLiteral("&Comincia"), &window);
    QFont font = button.font();
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPointSize(12);
    button.setFont(font);
    button.setGeometry(8, 368, 97, 33);
    window.show();
    return QApplication::exec();
}
