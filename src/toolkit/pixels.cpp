// pixels.cpp: unpacking a picture drawn at build time, and showing it where it lies.
#include "toolkit/pixels.h"

#include <QResource>
#include <cstring>

namespace toolkit {

QByteArray pixelsData(const QString& path) {
    const QResource resource(path);
    return resource.isValid() ? resource.uncompressedData() : QByteArray();
}

QImage imageOn(const QByteArray& data) {
    constexpr auto headerSize = qsizetype(sizeof(PixelsHeader));
    if (data.size() < headerSize)
        return {};
    PixelsHeader header{};
    std::memcpy(&header, data.constData(), sizeof header);
    const qsizetype rowBytes = qsizetype(header.width) * 4;
    if (data.size() != headerSize + rowBytes * header.height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(data.constData()) + headerSize, int(header.width),
                  int(header.height), rowBytes, QImage::Format(header.format));
}

QString pixelsOf(const QString& svg, int scale) {
    QString name = svg;
    if (name.endsWith(QLatin1String(".svg")))
        name.chop(4);
    return name + QStringLiteral("@%1x.pixels").arg(scale);
}

} // namespace toolkit
