// render_icon.cpp: build-time tool that renders the SVG application icon into the PNG sizes of the
// hicolor theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

// Usage: render_icon <icon.svg> <output-dir> <name> <size>...
// Writes <output-dir>/<size>x<size>/apps/<name>.png for every size.
int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 5) {
        err << "usage: render_icon <icon.svg> <output-dir> <name> <size>...\n";
        return 2;
    }

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "render_icon: cannot read " << args.at(1) << '\n';
        return 1;
    }

    for (qsizetype i = 4; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size <= 0) {
            err << "render_icon: bad size " << args.at(i) << '\n';
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args.at(2)).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, args.at(3));
        if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
            err << "render_icon: cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
