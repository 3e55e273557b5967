// grab_window.cpp: grab_window WINDOW-ID FILE.png saves what the X server shows of a window,
// its client area without the window manager's frame.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    bool number = false;
    const QStringList arguments = QGuiApplication::arguments();
    const WId window = arguments.size() == 3 ? arguments[1].toULongLong(&number, 0) : 0;
    if (!number) {
        std::fputs("usage: grab_window WINDOW-ID FILE.png\n", stderr);
        return 2;
    }
    return QGuiApplication::primaryScreen()->grabWindow(window).save(arguments[2]) ? 0 : 1;
}
