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
#include <vector>

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

// Sixteen rows: a band of the start picture is 10.5 KiB unpacked (21 KiB at scale 2), and at
// scale 2 a band still starts on a whole device-independent pixel.
constexpr int kBandRows = 16;

// The runs toolkit/pixels.h describes: a pixel repeated is stored once behind its count, the
// others as they are behind theirs.
QByteArray runs(const QRgb* pixels, qsizetype count) {
    constexpr qsizetype kLongest = 128;
    const auto alike = [pixels, count](qsizetype i) {
        return i + 1 < count && pixels[i] == pixels[i + 1];
    };
    QByteArray packed;
    for (qsizetype i = 0; i < count;) {
        qsizetype length = 1;
        if (alike(i)) {
            while (length < kLongest && alike(i + length - 1))
                ++length;
            packed.append(char(0x80 | (length - 1)));
            packed.append(reinterpret_cast<const char*>(pixels + i), 4);
        } else {
            while (length < kLongest && i + length < count && !alike(i + length))
                ++length;
            packed.append(char(length - 1));
            packed.append(reinterpret_cast<const char*>(pixels + i), 4 * length);
        }
        i += length;
    }
    return packed;
}

bool write(const QImage& image, const QString& path, toolkit::Packing packing) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const toolkit::PixelsHeader header{std::uint32_t(image.width()), std::uint32_t(image.height()),
                                       std::uint32_t(image.format()), kBandRows, packing};
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    for (int top = 0; top < image.height(); top += kBandRows) {
        std::vector<QRgb> rows;
        for (int y = top; y < std::min(top + kBandRows, image.height()); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            rows.insert(rows.end(), row, row + image.width());
        }
        const QByteArray packed = packing == toolkit::Packing::Zlib
                                      ? qCompress(reinterpret_cast<const uchar*>(rows.data()),
                                                  qsizetype(rows.size()) * 4, 9)
                                      : runs(rows.data(), qsizetype(rows.size()));
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
    const bool icon = args.size() > 5 && args.at(5) == QLatin1String("--side");
    if (icon) {
        // An icon size: the whole picture fitted into a square of that many pixels.
        const int side = args.at(4).toInt();
        image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.render(&painter);
    } else {
        image = draw(picture, args.at(4).toInt(), args.at(2));
    }
    // Packed as toolkit/pixels.h says why: zlib for the pictures of scale 2, runs for the rest.
    const bool scaleTwo = !icon && args.at(4).toInt() >= 2;
    if (!write(image, args.at(3), scaleTwo ? toolkit::Packing::Zlib : toolkit::Packing::Runs)) {
        err << "render_pictures: cannot write " << args.at(3) << '\n';
        return 1;
    }
    return 0;
}
