// render_pictures.cpp: build-time tool that draws the SVG pictures as pixels, so that the
// program shows them at the common scales without parsing SVG.
#include "toolkit/pixels.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <algorithm>

namespace {

// The picture at its natural size times `scale`, over the background of its box: a colour
// as the layouts write it, 0xBBGGRR in hexadecimal.
QImage draw(QSvgRenderer& picture, int scale, const QString& background) {
    const uint bgr = background.toUInt(nullptr, 16);
    QImage image(picture.defaultSize() * scale, QImage::Format_RGB32);
    image.fill(QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF)));
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.render(&painter, QRectF(QPointF(0, 0), picture.defaultSize()));
    return image;
}

// Sixteen rows: a band of the start picture is 26 KiB unpacked, and at scale 2 a band still
// starts on a whole device-independent pixel.
constexpr int kBandRows = 16;

bool write(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const toolkit::PixelsHeader header{std::uint32_t(image.width()), std::uint32_t(image.height()),
                                       std::uint32_t(image.format()), kBandRows};
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    const qsizetype rowBytes = qsizetype(image.width()) * 4;
    for (int top = 0; top < image.height(); top += kBandRows) {
        QByteArray rows;
        for (int y = top; y < std::min(top + kBandRows, image.height()); ++y)
            rows.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
        const QByteArray packed = qCompress(rows, 9);
        const auto bytes = std::uint32_t(packed.size());
        file.write(reinterpret_cast<const char*>(&bytes), sizeof bytes);
        file.write(packed);
    }
    return file.error() == QFile::NoError;
}

} // namespace

// Usage: render_pictures <picture.svg> <background BBGGRR> <output> <scale>
//        render_pictures <picture.svg> none <output> <side> --side
int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 5) {
        err << "usage: render_pictures <picture.svg> <BBGGRR|none> <output> <scale> [--side]\n";
        return 2;
    }
    QSvgRenderer picture(args.at(1));
    if (!picture.isValid()) {
        err << "render_pictures: cannot read " << args.at(1) << '\n';
        return 1;
    }
    QImage image;
    if (args.size() > 5 && args.at(5) == QLatin1String("--side")) {
        // An icon size: the whole picture fitted into a square of that many pixels.
        const int side = args.at(4).toInt();
        image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.render(&painter);
    } else {
        image = draw(picture, args.at(4).toInt(), args.at(2));
    }
    if (!write(image, args.at(3))) {
        err << "render_pictures: cannot write " << args.at(3) << '\n';
        return 1;
    }
    return 0;
}
