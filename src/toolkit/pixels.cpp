// pixels.cpp: unpacking a picture drawn at build time, band by band.
#include "toolkit/pixels.h"

#include <QByteArray>
#include <QResource>
#include <algorithm>
#include <cstring>
#include <vector>

namespace toolkit {

PackedPixels::PackedPixels(const QString& path) {
    const QResource resource(path);
    // Stored as the build wrote it, the data lies in the program itself: nothing is copied.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof header_))
        return;
    std::memcpy(&header_, resource.data(), sizeof header_);
    if (header_.bandRows == 0 ||
        (header_.packing != Packing::Runs && header_.packing != Packing::Zlib)) {
        header_ = {};
        return;
    }
    bands_ = resource.data() + sizeof header_;
    bandBytes_ = qsizetype(resource.size()) - qsizetype(sizeof header_);
}

namespace {
// Unpacks one band's runs into exactly `count` pixels; false if they do not fill them exactly.
bool unpackRuns(const uchar* at, const uchar* end, QRgb* pixels, qsizetype count) {
    qsizetype done = 0;
    while (at < end) {
        const int head = *at++;
        const qsizetype length = (head & 0x7F) + 1;
        const qsizetype bytes = head < 128 ? 4 * length : 4;
        if (length > count - done || end - at < bytes)
            return false;
        if (head < 128) {
            std::memcpy(pixels + done, at, size_t(bytes));
        } else {
            QRgb pixel = 0;
            std::memcpy(&pixel, at, sizeof pixel);
            std::fill_n(pixels + done, length, pixel);
        }
        at += bytes;
        done += length;
    }
    return done == count;
}

bool unpackZlib(const uchar* at, const uchar* end, QRgb* pixels, qsizetype count) {
    const QByteArray rows = qUncompress(at, end - at);
    if (rows.size() != 4 * count)
        return false;
    std::memcpy(pixels, rows.constData(), size_t(rows.size()));
    return true;
}
} // namespace

bool PackedPixels::forEachBand(const std::function<void(const QImage&, int)>& use) const {
    const int width = int(header_.width);
    std::vector<QRgb> rows(std::size_t(width) * header_.bandRows);
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
        const int count = std::min(int(header_.bandRows), int(header_.height) - top);
        const auto unpack = header_.packing == Packing::Zlib ? unpackZlib : unpackRuns;
        if (!unpack(at, at + packed, rows.data(), qsizetype(width) * count))
            return false;
        at += packed;
        use(QImage(reinterpret_cast<const uchar*>(rows.data()), width, count, qsizetype(width) * 4,
                   QImage::Format(header_.format)),
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
