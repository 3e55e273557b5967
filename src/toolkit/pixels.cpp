// pixels.cpp: reading a picture drawn at build time in place.
#include "toolkit/pixels.h"

#include <QResource>
#include <cstring>

namespace toolkit {

QImage pixels(const QString& path) {
    const QResource resource(path);
    constexpr auto headerSize = qint64(sizeof(PixelsHeader));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < headerSize)
        return {};
    PixelsHeader header{};
    std::memcpy(&header, resource.data(), sizeof header);
    const qint64 rowBytes = qint64(header.width) * 4;
    if (resource.size() != headerSize + rowBytes * header.height)
        return {};
    return QImage(resource.data() + headerSize, int(header.width), int(header.height), rowBytes,
                  QImage::Format(header.format));
}

QString pixelsOf(const QString& svg, int scale) {
    QString name = svg;
    if (name.endsWith(QLatin1String(".svg")))
        name.chop(4);
    return name + QStringLiteral("@%1x.pixels").arg(scale);
}

} // namespace toolkit
