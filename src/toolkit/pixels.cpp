// pixels.cpp: unpacking a picture drawn at build time, band by band.
#include "toolkit/pixels.h"

#include <QByteArray>
#include <QResource>
#include <algorithm>
#include <cstring>

namespace toolkit {

PackedPixels::PackedPixels(const QString& path) {
    const QResource resource(path);
    // Stored as the build wrote it, the data lies in the program itself: nothing is copied.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof header_))
        return;
    std::memcpy(&header_, resource.data(), sizeof header_);
    if (header_.bandRows == 0) {
        header_ = {};
        return;
    }
    bands_ = resource.data() + sizeof header_;
    bandBytes_ = qsizetype(resource.size()) - qsizetype(sizeof header_);
}

bool PackedPixels::forEachBand(const std::function<void(const QImage&, int)>& use) const {
    const qsizetype rowBytes = qsizetype(header_.width) * 4;
    const uchar* at = bands_;
    const uchar* end = bands_ + bandBytes_;
    for (int top = 0; top < int(header_.height); top += int(header_.bandRows)) {
        std::uint32_t packed = 0;
        if (end - at < qsizetype(sizeof packed))
            return false;
        std::memcpy(&packed, at, sizeof packed);
        at += sizeof packed;
        if (end - at < qsizetype(packed))
            return false;
        const QByteArray rows = qUncompress(at, qsizetype(packed));
        at += packed;
        const int count = std::min(int(header_.bandRows), int(header_.height) - top);
        if (rows.size() != rowBytes * count)
            return false;
        use(QImage(reinterpret_cast<const uchar*>(rows.constData()), int(header_.width), count,
                   rowBytes, QImage::Format(header_.format)),
            top);
    }
    return true;
}

QImage PackedPixels::image() const {
    if (isNull())
        return {};
    QImage whole(size(), QImage::Format(header_.format));
    const qsizetype rowBytes = qsizetype(header_.width) * 4;
    const bool read = forEachBand([&whole, rowBytes](const QImage& band, int top) {
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(whole.scanLine(top + y), band.constScanLine(y), size_t(rowBytes));
    });
    return read ? whole : QImage();
}

QString pixelsOf(const QString& svg, int scale) {
    QString name = svg;
    if (name.endsWith(QLatin1String(".svg")))
        name.chop(4);
    return name + QStringLiteral("@%1x.pixels").arg(scale);
}

} // namespace toolkit
